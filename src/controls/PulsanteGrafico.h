#pragma once
// The drawn button of every page: push, check and option button in eight
// looks and nine outlines. The state and property rules live in
// ModelloPulsante; this widget turns mouse, keyboard, focus and hover into
// that state and paints the face off screen, one copy to the window per change.
#include "controls/PulsanteGraficoModello.h"

#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtGui/QRegion>
#include <QtWidgets/QWidget>
#include <cstdint>
#include <functional>

class QPainter;

class PulsanteGrafico : public QWidget, public ModelloPulsante {
    Q_OBJECT

public:
    explicit PulsanteGrafico(QWidget* contenitore = nullptr);
    ~PulsanteGrafico() override;

    // The control's own window.
    QWidget* hwnd() { return this; }
    // The face as last painted (before the outline frame drawn on the window).
    const QImage& Faccia() const { return faccia_; }
    // The window outline currently applied.
    const QRegion& RegioneFinestra() const { return regioneFinestra_; }
    const QRegion& Inset1Region() const { return inset1_; }
    const QRegion& Inset2Region() const { return inset2_; }

    // Access key reached, or Enter (13) / Esc (27) passed on by a host whose
    // default or cancel button this is.
    void AccessKeyPress(int16_t codice);
    // Hover check on each tick of the hover timer.
    void VerificaUscitaMouse(int32_t& idTimer);
    // Polls the hover timer while it runs.
    bool TimerHoverAttivo() const { return timerHover_.isActive(); }

    // The window under the cursor; tests may replace it.
    inline static std::function<QWidget*()> FinestraSottoCursore;

signals:
    void MouseDown(int16_t button, int16_t shift, float x, float y);
    void MouseUp(int16_t button, int16_t shift, float x, float y);
    void MouseMove(int16_t button, int16_t shift, float x, float y);
    void KeyDown(int16_t keyCode, int16_t shift);
    void KeyPress(int16_t keyAscii);
    void KeyUp(int16_t keyCode, int16_t shift);
    void MouseOnButton(bool sopra);
    void Click();
    void DoubleClick(int16_t button);
    // Drag-and-drop events of the surface, forwarded unchanged; this surface
    // reports none.
    void OLECompleteDrag(int32_t effect);
    void OLEDragDrop(QObject* data, int32_t effect, int16_t button, int16_t shift, float x, float y);
    void OLEDragOver(QObject* data, int32_t effect, int16_t button, int16_t shift, float x, float y,
                     int16_t state);
    void OLEGiveFeedback(int32_t effect, bool defaultCursors);
    void OLESetData(QObject* data, int16_t dataFormat);
    void OLEStartDrag(QObject* data, int32_t allowedEffects);

protected:
    // ModelloPulsante hooks.
    void Ridisegna() override;
    void CalcolaLayout(bool rebuild) override;
    void CreaRegione() override;
    void EseguiResize() override;
    void AggiornaRisorse(const QString& quale) override;
    bool LeggiAbilitato() const override { return isEnabled(); }
    void ScriviAbilitato(bool v) override;
    void ImpostaChiaveAccesso(const QString& tasto) override;
    void ImpostaPuntatore(int16_t puntatore) override;
    bool ImpostaIconaMouse(const QImage& icona) override;
    int32_t ColoreSfondoGenitore() const override;

    // Qt events.
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Paints the face; false when a nudge moved the window instead.
    bool DisegnaFaccia();
    void GestisciBuffer(bool crea);
    int PreparaContorno(QPainter& p);
    bool SpostaPulsante();
    void PreparaImmagine(int larghezza, int altezza);
    void DisegnaTestoImmagine(QPainter& p, const Pulsante::PianoStile& piano);
    void DisegnaImmagine(QPainter& p, Pulsante::Rettangolo r);
    void DisegnaBordi(QPainter& p, const Pulsante::PianoStile& piano);
    void DisegnaFuoco(QPainter& p, const Pulsante::PianoStile& piano);
    void DisegnaRettangolo(QPainter& p, const QRect& r, int32_t colore);
    void DisegnaBande(QPainter& p, const std::vector<Pulsante::Banda>& bande);
    void IncorniciaRegione(QPainter& p, const QRegion& r, int32_t colore);
    void MouseDownPasso(int16_t button, int16_t shift, float x, float y);
    void PassoClick();
    bool SottoCursore();
    QSize Schermo() const;

    QImage faccia_;
    bool facciaValida_ = false;
    QRegion regioneFinestra_, inset1_, inset2_;
    QRegion cornice_;
    int32_t coloreCornice_ = 0;
    QImage copiaImmagine_; // PictureCopy
    QFont fontDisegno_;
    QTimer timerHover_;
    int idScorciatoia_ = 0;
    bool dopoDoppioClick_ = false;
    bool abilitazioneDaModello_ = false; // Enabled() redraws by itself

    int32_t ultimaPenna_ = 0;
    bool ultimaPennaPunteggiata_ = false;
};
