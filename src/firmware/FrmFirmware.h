#pragma once
// The firmware update page (page 13): the ECU's firmware release beside the
// chosen image's, the compatibility check that decides whether an update is
// offered, the image chooser, the switch into firmware mode and the flash
// programming with its progress bar.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

#include "controls/PulsanteGrafico.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class FrmFirmware : public QWidget, public FormaConTasti {
public:
    explicit FrmFirmware(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    // Shows both release texts, applies the compatibility rule and returns
    // true when the third text word of the two records is the same.
    bool CaricaVersioneCentralina(const std::string& EcuFrw, const std::string& FileFrw);
    // The 6-digit address fields of every S2 line of the image.
    void CaricaAdrFlash(const std::string& percorso, std::vector<std::string>& indirizzi);
    bool EraseAllFlash();
    std::string WriteMemoryToTab(int32_t indirizzo);
    // CmdCancel and CmdOk, CmdUpdate enabled or not (the link timer's firmware branch).
    void ImpostaPulsanti(bool cmdCancelCmdOk, bool cmdUpdate);

    void CmdSelect_Click();
    void CmdUpdate_Click();
    void CmdCancel_Click();
    void CmdOk_Click();

    bool OperazioneInCorso() const { return operazioneInCorso_; }

    // Position of "[Frm_Firmware]" among the entries of language 0.
    int16_t OffsetLingua = 0;
    QLabel* LblRelEcu = nullptr;
    QLabel* LblRelEcu_Val = nullptr;
    QLabel* LblRelFle = nullptr;
    QLabel* LblRelFle_Val = nullptr;
    QLabel* LblMsg = nullptr;
    QLabel* LblLoadMessage = nullptr;
    QLabel* LblBackBar = nullptr;
    QFrame* ShpBarUpDate = nullptr;
    QFrame* SHP_Contorno = nullptr;
    PulsanteGrafico* CmdSelect = nullptr;
    PulsanteGrafico* CmdUpdate = nullptr;
    PulsanteGrafico* CmdOk = nullptr;
    PulsanteGrafico* CmdCancel = nullptr;

protected:
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    class Vista;
    void Colloca(QWidget* w, int32_t sinistra, int32_t alto, int32_t larghezza, int32_t altezza);
    void ApplicaPosti();
    void ImpostaBarra(int32_t larghezzaTwip, bool visibile);
    void AbilitaAltreForme(bool barre, bool commutatore);
    std::string TestoCentralina() const;

    ModMain::ListeLivelli liste_;
    bool operazioneInCorso_ = false;
    int32_t larghezzaBarra_ = 45;
    struct Posto {
        QWidget* w;
        int32_t x, y, l, a;
        double punti;
    };
    std::vector<Posto> posti_;
};
