#pragma once
// The map-cell learning wizard: a small window kept above the others that,
// with the engine running steadily on petrol, averages the OBD-map cell over
// 101 display ticks and, once confirmed, stores it in bytes 11 (load) and 5
// (rpm) of the threshold table (request 28). Driven by the display timer
// through TMR_Wizard_Proc while ModMain::WizardAttivo is set.
#include <cstdint>
#include <functional>

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"

class QLabel;
class QProgressBar;
class PulsanteGrafico;

class FrmWizard : public QWidget {
public:
    explicit FrmWizard(QWidget* proprietario = nullptr);

    void Form_Load();
    void AggiornaLivelliVisualizzazione();
    void TMR_Wizard_Proc();
    void CercaOffsetLingua();
    void CMD_Si_Click() { PremutoSi = true; }
    void CMD_No_Click() { PremutoNo = true; }
    void CMD_Ex_Click() { PremutoEsci = true; }
    // Closing the window at any step ends the wizard without a write.
    void Form_QueryUnload();

    // The running wizard, which the display timer drives.
    inline static QPointer<FrmWizard> Attivo;
    // Starts a wizard: step 150, window shown, WizardAttivo set.
    static FrmWizard* Avvia(QWidget* proprietario);

    int16_t PassoWizard = 150;
    int32_t OffsetLingua = 0;
    bool PremutoSi = false, PremutoNo = false, PremutoEsci = false;
    int32_t NumeroCampioni = 0, CellaCarico = 0, CellaGiri = 0;
    // The current OBD-map cell (load 0..14, rpm 0..7); the map module's by default.
    std::function<int32_t()> IndiceCarico, IndiceGiri;

    QLabel* TXT_Istruzioni;
    QProgressBar* Prog_Bar;
    PulsanteGrafico *CMD_Si, *CMD_No, *CMD_Ex;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QString Voce(int n) const;
    void Abilita(bool si, bool no, bool esci);
    void Scarica();

    ModMain::ListeLivelli liste_;
};
