#pragma once
// The data logger page (page 1): recording, the eight-channel chart with its
// navigation and cursor readout, saved traces and the text export. What it
// shows is computed by ModOscillo and GraficoLogger; the form places, paints
// and forwards events. The chart is a persistent picture in twips (15 per
// pixel) redrawn only by DisegnaGrafico and the live sweep.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QtGui/QImage>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "logger/ModOscillo.h"
#include "controls/AnteprimaTasti.h"

class PulsanteGrafico;
class QButtonGroup;

// The chart picture `Pct`: shows its persistent image and forwards mouse
// moves and resizes.
class PannelloGrafico : public QWidget {
public:
    explicit PannelloGrafico(QWidget* contenitore);
    // Makes the image as large as the picture, keeping what it shows.
    void Adatta();
    QImage Immagine;
    std::function<void(float xTwips)> MouseMove;
    std::function<void()> Ridimensionato;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};

class FrmLogger : public QWidget, public FormaConTasti {
public:
    explicit FrmLogger(QWidget* contenitore = nullptr);
    ~FrmLogger() override;

    // Members the main window and the engine call.
    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void ApriFileLogger();
    void DrawLineeRunMode();
    void PlottaPuntiniRunTime(float x);

    // Event handlers.
    void OptRun_Click(int indice);
    void CmdSaveLogOsc_Click();
    void CmdOpen_Click();
    void CmdEsporta_Click();
    void CmdNext_Click();
    void CmdPrev_Click();
    void CmdZin_Click();
    void CmdZOut_Click();
    void CmdZoomIn_Click();
    void CmdZoomOut_Click();
    void CmdUp_Click();
    void CmdDw_Click();
    void CmdReset_Click();
    void LblSignal_MouseDown(int indice, Qt::MouseButton pulsante);
    void LstVar_Click();
    void PctMostra_Click(int indice);
    void ScrlTime_Change(int valore);
    void ScrlTime_Scroll(int valore);
    void ScrlTime_KeyDown();
    void ScrlTime_KeyUp();
    void Form_Resize();
    void Pct_Resize();
    void Pct_MouseMove(float x);

    // Chart and readout.
    void DisegnaGrafico();
    void DisegnaAsseTempi();
    void SelezionaCanale(int16_t indice);
    void MostraLetturaVuota();
    void AggiornaCursore(float x);
    void SalvaSetupCanali();

    // Chart size in twips.
    int32_t LarghezzaGrafico() const;
    int32_t AltezzaGrafico() const;

    std::vector<QRadioButton*> OptRun;
    QFrame* Frame1 = nullptr;
    PulsanteGrafico* CmdOpen = nullptr;
    PulsanteGrafico* CmdSaveLogOsc = nullptr;
    PulsanteGrafico* CmdEsporta = nullptr;
    PulsanteGrafico* CmdPrev = nullptr;
    PulsanteGrafico* CmdNext = nullptr;
    PulsanteGrafico* CmdZin = nullptr;
    PulsanteGrafico* CmdZOut = nullptr;
    PulsanteGrafico* CmdZoomIn = nullptr;
    PulsanteGrafico* CmdZoomOut = nullptr;
    PulsanteGrafico* CmdUp = nullptr;
    PulsanteGrafico* CmdDw = nullptr;
    PulsanteGrafico* CmdReset = nullptr;
    PannelloGrafico* Pct = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* LneCursor = nullptr;
    QScrollBar* ScrlTime = nullptr;
    QLabel* LblTempoScroll = nullptr;
    QLabel* LblBarra = nullptr;
    QFrame* ShpBarra = nullptr;
    std::vector<QLabel*> LblSignal;
    std::vector<QLabel*> LblFreccia;
    std::vector<QLabel*> PctMostra;
    std::vector<QLabel*> LblRifTempo;
    QLabel* LblTime2 = nullptr;
    QLabel* LblObdVal = nullptr;
    QListWidget* LstVar = nullptr;

    // Page state.
    int16_t CanaleSelezionato = 0;
    bool AggiornamentoLista = false;
    bool AggiornamentoScroll = false;
    int32_t IndiceScroll = 0;
    int32_t ValoreScrollPrecedente = 0;
    std::vector<int32_t> XPunti{150};
    std::vector<int32_t> IndiciAnelloPunti{0};
    int32_t NumeroPuntiLive = 0;
    // The OBD summary written last to LblObdVal.
    std::string TestoObdPrecedente;
    // True once the cursor has written a readout; until then the time and OBD
    // labels show the readout of an empty trace.
    bool LetturaScritta = false;
    // Cursor x in twips (LneCursor.X1).
    float XCursore = 150.0f;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    PulsanteGrafico* CreaPulsante(const char* nome, const QString& didascalia);
    // The record and stop buttons' look, their figure `pixel` high.
    void ImpostaStileRun(int pixel);
    void MostraBarra(bool visibile);
    void ImpostaBarra(double frazione);
    // The open trace loaded and drawn from its start, the recording idle.
    void MostraTracciaDaInizio();
    void CaricaTraccia();
    void ImpostaScroll(int32_t valore);
    void DopoNavigazione();
    // A trace write failed and the recording stopped: the buttons of a stop,
    // and the message once the decoder's step has returned.
    void RegistrazioneInterrotta();
    int16_t Sezione() const;
    QString Voce(int n) const;

    ModMain::ListeLivelli liste_;
    QButtonGroup* gruppoRun_ = nullptr;
    bool inDisegno_ = false;
    bool ridisegnoInAttesa_ = false;
    bool caricato_ = false;
    int32_t larghezzaBarra_ = 0;
    // The record and stop figures' size last set, pixels.
    int pixelRun_ = 0;
    // Controls whose font grows with the page, with their design points.
    std::vector<std::pair<QWidget*, double>> fontProgetto_;
};
