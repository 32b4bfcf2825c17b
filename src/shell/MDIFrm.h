#pragma once
// The main window: it creates every page form once, lays the pages out in
// three fixed bands (top band, page area, bottom strip), switches pages by
// page id, refreshes the live parts of the visible page every 100 ms, shows
// the connection icon and the busy overlay, and runs the orderly exit. The
// 50 ms link timer belongs to the engine; this window only drives it.
//
// Positions are computed in twips (15 per pixel) from the window's outer size,
// as W x H below.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtWidgets/QMainWindow>

#include "shell/MDIFrmIstanze.h"

class FrmPrima;

namespace MDIFrm {

class ServiziShell;

class MDIForm : public QMainWindow {
public:
    static constexpr int LarghezzaMinima = 1024; // pixels
    static constexpr int AltezzaMinima = 640;

    MDIForm();
    ~MDIForm() override;

    // Load sequence: splash, page forms, start-up defaults, home page, timers.
    void MDIForm_Load();
    // Layout of every band for the current size.
    void MDIForm_Resize();
    // Places the form of the current page in the page area.
    void ResizaFormPese();
    // Close handling. UnloadMode 0 (close box, side-menu exit, Esc on the home
    // page) only raises the exit flag; any other mode closes for good.
    void MDIForm_QueryUnload(int16_t& Cancel, int16_t UnloadMode);
    void AggiornaLivelliVisualizzazione();

    // Shows page `id`, its menu bar and the connection panel, hides the rest
    // and reloads the shown forms.
    void SelezioneScheda(int32_t id);

    // The display tick (Timer2, 100 ms) and its connection icon.
    void Timer2_Timer();
    void AggiornaIconaConnessione();
    // Blocks (false) or frees (true) input on the main pages while a popup is open.
    void AbilitaDisabilitaForm(bool stato);

    // The layout for an outer size of W x H twips.
    void DisponiForme(int32_t W, int32_t H);
    int32_t LarghezzaTwips() const;
    int32_t AltezzaTwips() const;

    // Unload by code (the engine in STATO_USCITA): close handling with a
    // non-zero mode, then the window closes.
    void ScaricaDaCodice();

    QTimer* Timer1 = nullptr; // 50 ms: the engine's link tick
    QTimer* Timer2 = nullptr; // 100 ms: the display tick
    uint8_t Timer2InCorso = 0;
    int32_t ContatoreIcona = 0;  // 0..5: the icon changes on one tick in six
    uint8_t FotogrammaIcona = 0; // 0..4: search-animation frame

    // The client area in which the page forms live.
    QWidget* AreaClient = nullptr;
    QPointer<FrmPrima> Splash;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void CreaForme();
    void ScaricaForme();
    void ResizaFormPese(int32_t W, int32_t H);

    std::unique_ptr<ServiziShell> servizi_;
    std::unique_ptr<QObject> filtroInput_;
    bool chiusuraAccettata_ = false;
};

// The main window while it exists.
inline MDIForm* Finestra = nullptr;

// Test hook: when set, receives "Form.Member" for every page member the page
// switch and the display tick call, in call order, just before the call. An
// exception it throws stands for one raised by that member.
inline std::function<void(const std::string&)> TracciaChiamata;

// Input to a form and everything on it is swallowed while it is blocked; the
// form keeps its look (no greying).
void BloccaInputForma(QWidget* forma, bool bloccato);
bool InputFormaBloccato(const QWidget* forma);

// Twips to pixels, rounded.
int32_t Pixel(double twips);

} // namespace MDIFrm
