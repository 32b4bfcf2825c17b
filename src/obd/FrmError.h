#pragma once
// The ECU error page (page 11): the ECU's own error list with the current and
// stored state of each error and its two option flags (block 15), the clear
// button, and below it the service counters of block 2. The page posts
// requests from the display tick only; its buttons and grid raise flags.
#include <cstdint>
#include <string>
#include <vector>

#include <QtGui/QPixmap>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "obd/ErroriConversioni.h"
#include "controls/AnteprimaTasti.h"

class GrigliaDati;
class PulsanteGrafico;

class FrmError : public QWidget, public FormaConTasti {
public:
    explicit FrmError(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaAbilitazioni();
    void AggiornaVisualizzazioni(bool tutto);
    void VisualizzaErrori();
    void ClearErrori();
    void RichiediAggiornamentoErrori();
    void Form_Resize();

    // Event handlers.
    void CmdErrInjCanc_Click();
    void GrdErr_Click(int32_t riga, int32_t colonna);
    void CmbService_Click();
    void CmbServiceLOW_Click();
    void CmdTGas_Click();
    void CmdTPetrol_Click();
    void CmdToService_Click();

    // The picture shown in a cell of column 7 or 8: "PctOn", "PctOff",
    // "PctBackOn", "PctBackOff" or "" (none).
    QString PictureCella(int32_t riga, int32_t colonna) const;

    QFrame* SHP_Contorno = nullptr;
    GrigliaDati* GrdErr = nullptr;
    PulsanteGrafico* CmdErrInjCanc = nullptr;
    QLabel* PctOn = nullptr;
    QLabel* PctOff = nullptr;
    QLabel* PctBackOn = nullptr;
    QLabel* PctBackOff = nullptr;

    QLineEdit* LblTitolo = nullptr;
    QLabel* LblTGas = nullptr;
    QLabel* LblTPetrol = nullptr;
    QLabel* LblService = nullptr;
    QLabel* LblToService = nullptr;
    QLineEdit* TxtTGas = nullptr;
    QLineEdit* TxtTPetrol = nullptr;
    QLineEdit* TxtToService = nullptr;
    PulsanteGrafico* CmdTGas = nullptr;
    PulsanteGrafico* CmdTPetrol = nullptr;
    PulsanteGrafico* CmdToService = nullptr;
    QComboBox* CmbService = nullptr;
    QComboBox* CmbServiceLOW = nullptr;

protected:
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void LarghezzeColonne();
    void SelezionaIntervalli();
    void SelezionaIntervallo(QComboBox* lista, int32_t intervallo);
    void SceltaIntervallo(QComboBox* lista);
    void ScriviBlocco2(int32_t valore, int32_t indice);
    void Immagine(int32_t riga, int32_t colonna, const QLabel* fonte);

    ModMain::ListeLivelli liste_;
    std::vector<ErroriConversioni::VoceErrore> voci_; // index = grid row - 1
    std::string ultimaRisposta_;      // block 4's reply when the states were last drawn
    bool ridisegna_ = false;          // rows rebuilt: draw the states on the next refresh
    double prossimaLettura_ = 0;      // microseconds
    bool cancellaRichiesta_ = false;
    bool opzioneInSospeso_ = false;
    int32_t valoreOpzione_ = 0;
    int32_t indiceOpzione_ = 0;
    std::string ultimoGas_, ultimoBenzina_;
    bool muto_ = false;
    double puntiGriglia_ = 11;
    bool caricata_ = false;
};
