#pragma once
// The home page (page 24): seven section buttons on a diagonal, the wizard
// lamp, the ECU information panel with the editable ECU record fields, the
// configuration line, the MEM10 switch and a raw-frame console.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class PulsanteGrafico;
namespace Casa {
class FormaGrafica;
}

class FRM_ZEBMenu : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBMenu(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    // Fills the information panel, the record fields and the configuration
    // line. The firmware record of the chosen image is not used.
    void VisualizzaDatiCentralina(const std::string& rispostaBlocco0, const std::string& infoFirmware);
    void AggiornaIcone();

    void BUT_Round_Click(int Index);
    void CHK_LoggaMEM10_Click();
    void Command2_Click();
    // Record-field events, by element index.
    void Text1_GotFocus(int Index);
    void Text1_KeyDown(int Index);
    void Text1_Change(int Index);
    void Text1_KeyUp(int Index, int KeyCode);
    void Text1_LostFocus(int Index);

    int32_t LarghezzaPrecedente = 0;
    int32_t AltezzaPrecedente = 0;
    float FattoreFont = 1.0f;
    bool CaricamentoInCorso = false;
    std::string TestoIniziale;
    std::string TestoValido;
    std::array<std::string, 2> EtichetteArchivio; // captions of the name and note lines

    Casa::FormaGrafica* SHP_Contorno = nullptr;
    std::vector<PulsanteGrafico*> BUT_Round; // 0-7; there is no element 4 (nullptr)
    Casa::FormaGrafica* Shp_Semaforo_Main = nullptr;
    QLabel* LblInfo = nullptr;
    QLabel* LblAmmore = nullptr;
    QGroupBox* FrmLotto = nullptr;
    std::vector<QLabel*> Label1;  // 0-7
    std::vector<QLineEdit*> Text1; // 0-7
    QCheckBox* CHK_LoggaMEM10 = nullptr;
    QLineEdit* TXT_INVIO = nullptr;
    QPushButton* Command2 = nullptr;
    QLineEdit* TXT_RICEZIONE = nullptr;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void CollocaInfo();
    void ScriviRecord(int k);
    void ColoreCampo(int k, int32_t colore);

    ModMain::ListeLivelli ListeLivelli_;
    bool caricata_ = false;
};
