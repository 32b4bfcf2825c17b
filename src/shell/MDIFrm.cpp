#include "shell/MDIFrm.h"
#include "shell/ModMainAvvio.h"

#include "link/ModBlckModifiche.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QPalette>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <cmath>

#include "core/ModMainCaricatori.h"
#include "core/ModBlckBlocchi.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/MDIFrmMem10.h"
#include "engine/MDIFrmScritture.h"
#include "engine/ModMainCollegamento.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMainStatoLinea.h"
#include "controls/AnteprimaTasti.h"
#include "controls/FontComboRinviato.h"
#include "shell/FrmPrima.h"
#include "shell/MDIFrmForme.h"
#include "shell/MDIFrmServizi.h"

namespace MDIFrm {

namespace {

const char* const ProprietaBlocco = "InputBloccato";

// Swallows user input aimed at a blocked form or anything on it.
class FiltroInput : public QObject {
public:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::Enter:
        case QEvent::HoverEnter:
        case QEvent::HoverMove:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            break;
        default:
            return false;
        }
        for (auto* w = qobject_cast<QWidget*>(oggetto); w; w = w->parentWidget())
            if (w->property(ProprietaBlocco).toBool()) return true;
        return false;
    }
};

void ImpostaValoreAvvio(size_t blocco, size_t indice, int32_t valore) {
    if (blocco < TabellaBlocchi.size() && indice < TabellaBlocchi[blocco].Valori.size())
        TabellaBlocchi[blocco].Valori[indice] = valore;
}

// Runs the form's own load handler, then keeps it hidden.
template <class T>
void CaricaNascosta(T* forma) {
    if (!forma) return;
    forma->Form_Load();
    forma->hide();
}

// Unloads a page form: its unload handler, then the window goes.
template <class T>
void Scarica(T*& forma) {
    if (!forma) return;
    T* f = forma;
    forma = nullptr;
    if constexpr (requires { f->Form_Unload(); }) f->Form_Unload();
    f->hide();
    f->deleteLater();
}

// Unloads a window used through its single instance, when it is loaded.
void ScaricaPerNome(const QString& nome) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == nome) w->close();
}

} // namespace

int32_t Pixel(double twips) { return static_cast<int32_t>(std::lround(twips / 15.0)); }

void BloccaInputForma(QWidget* forma, bool bloccato) {
    if (!forma) return;
    forma->setProperty(ProprietaBlocco, bloccato);
    if (bloccato) {
        QWidget* fuoco = QApplication::focusWidget();
        if (fuoco && (fuoco == forma || forma->isAncestorOf(fuoco))) fuoco->clearFocus();
    }
}

bool InputFormaBloccato(const QWidget* forma) { return forma && forma->property(ProprietaBlocco).toBool(); }

FrmMatrix* IstanzaFrmMatrix(int k) {
    switch (k) {
    case 0: return IstanzaFrmMatrix0;
    case 1: return IstanzaFrmMatrix1;
    case 2: return IstanzaFrmMatrix2;
    default: return nullptr;
    }
}

FRM_ZEBCarburazione* IstanzaFRM_ZEBCarburazione(int k) {
    switch (k) {
    case 0: return IstanzaFRM_ZEBCarburazione0;
    case 1: return IstanzaFRM_ZEBCarburazione1;
    case 2: return IstanzaFRM_ZEBCarburazione2;
    default: return nullptr;
    }
}

MDIForm::MDIForm() {
    setObjectName(QStringLiteral("MDIFrm"));
    AreaClient = new QWidget(this);
    AreaClient->setObjectName(QStringLiteral("AreaClient"));
    AreaClient->setAutoFillBackground(true);
    setCentralWidget(AreaClient);
    // Below 780 x 400 pixels (11700 x 6000 twips) the layout leaves every band
    // where it was. The pages scale their fonts with the width only, so a page
    // squeezed much flatter than its design clips its captions: 1024 x 640 keeps
    // every page readable.
    setMinimumSize(LarghezzaMinima, AltezzaMinima);

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, [] { MDIFrm::Timer1_Timer(); });
    Timer2 = new QTimer(this);
    Timer2->setInterval(100);
    connect(Timer2, &QTimer::timeout, this, &MDIForm::Timer2_Timer);

    // The key preview of the forms goes in first, so that the input block,
    // installed after it, sees every event before it.
    AnteprimaTasti::Installa();
    // The pages are built hidden: their combo boxes build their lists when first shown.
    FontComboRinviato::Installa();
    filtroInput_ = std::make_unique<FiltroInput>();
    qApp->installEventFilter(filtroInput_.get());
    Finestra = this;
}

MDIForm::~MDIForm() {
    Timer1->stop();
    Timer2->stop();
    qApp->removeEventFilter(filtroInput_.get());
    if (servizi_ && &Interfaccia() == servizi_.get()) RegistraInterfaccia(nullptr);
    FRM_ZEBSensori_CaricaSoglieLivello = nullptr;
    ModBlck::AggiornaSchedaDopoModifiche = nullptr;
    ModMapEditor::ConfigurazioneSistemaScelta = nullptr;
    // The forms are children of the client area and go with it.
    IstanzaFRM_ZEBMain = nullptr;
    IstanzaFRM_ZEBMenu = nullptr;
    IstanzaFRM_ZEBMenuTop = nullptr;
    IstanzaFRM_ZEBMenuTop2 = nullptr;
    IstanzaFRM_ZEBMenuTop3 = nullptr;
    IstanzaFRM_ZEBDashBoard = nullptr;
    IstanzaFRM_ZEBPortSearch = nullptr;
    IstanzaFRM_ZEBLanguage = nullptr;
    IstanzaFRM_ZEBConnected = nullptr;
    IstanzaFRM_ZEBCommutazione = nullptr;
    IstanzaFRM_ZEBCarburazione0 = nullptr;
    IstanzaFRM_ZEBSensori = nullptr;
    IstanzaFRM_ZEBGestione = nullptr;
    IstanzaFRM_ZEBLoadSave = nullptr;
    IstanzaFRM_ZEBinjDir = nullptr;
    IstanzaFrmInjDirAcq1 = nullptr;
    IstanzaFrmInjDirAcq2 = nullptr;
    IstanzaFrmInjDirAcq3 = nullptr;
    IstanzaFrmInjDirAcq4 = nullptr;
    IstanzaFrmCommutatore = nullptr;
    IstanzaFrmLogger = nullptr;
    IstanzaFrmInjSetPopUp = nullptr;
    IstanzaFrmSeqInj = nullptr;
    IstanzaFrmUpdate = nullptr;
    IstanzaFrmError = nullptr;
    IstanzaFrmFirmware = nullptr;
    IstanzaFrmCompensa = nullptr;
    IstanzaFrmAutoTuning = nullptr;
    IstanzaFRM_ZEBLambda = nullptr;
    IstanzaFrmObd = nullptr;
    IstanzaFrmMatrix0 = nullptr;
    IstanzaFRM_ZEBCarburazione1 = nullptr;
    IstanzaFrmMatrix1 = nullptr;
    IstanzaFRM_ZEBCarburazione2 = nullptr;
    IstanzaFrmMatrix2 = nullptr;
    if (Finestra == this) Finestra = nullptr;
}

void MDIForm::CreaForme() {
    QWidget* c = AreaClient;
    IstanzaFRM_ZEBMain = new FRM_ZEBMain(c);
    IstanzaFRM_ZEBMenu = new FRM_ZEBMenu(c);
    IstanzaFRM_ZEBMenuTop = new FRM_ZEBMenuTop(c);
    IstanzaFRM_ZEBMenuTop2 = new FRM_ZEBMenuTop2(c);
    IstanzaFRM_ZEBMenuTop3 = new FRM_ZEBMenuTop3(c);
    IstanzaFRM_ZEBDashBoard = new FRM_ZEBDashBoard(c);
    IstanzaFRM_ZEBPortSearch = new FRM_ZEBPortSearch(c);
    IstanzaFRM_ZEBLanguage = new FRM_ZEBLanguage(c);
    IstanzaFRM_ZEBConnected = new FRM_ZEBConnected(c);
    IstanzaFRM_ZEBCommutazione = new FRM_ZEBCommutazione(c);
    IstanzaFRM_ZEBCarburazione0 = new FRM_ZEBCarburazione(c);
    IstanzaFRM_ZEBSensori = new FRM_ZEBSensori(c);
    IstanzaFRM_ZEBGestione = new FRM_ZEBGestione(c);
    IstanzaFRM_ZEBLoadSave = new FRM_ZEBLoadSave(c);
    IstanzaFRM_ZEBinjDir = new FRM_ZEBinjDir(c);
    IstanzaFrmInjDirAcq1 = new FrmInjDirAcq1(c);
    IstanzaFrmInjDirAcq2 = new FrmInjDirAcq2(c);
    IstanzaFrmInjDirAcq3 = new FrmInjDirAcq3(c);
    IstanzaFrmInjDirAcq4 = new FrmInjDirAcq4(c);
    IstanzaFrmCommutatore = new FrmCommutatore(c);
    // Changeover switch: a press on page 27 gives the keys back to the carburetion grid.
    FrmCommutatore::FuocoCarburazione0 = [] {
        if (!IstanzaFRM_ZEBCarburazione0) return;
        IstanzaFRM_ZEBCarburazione0->setFocus();
        if (IstanzaFRM_ZEBCarburazione0->GrdSmall) IstanzaFRM_ZEBCarburazione0->GrdSmall->setFocus();
    };
    // Map reset: the factory configuration chosen in the switchover page's system-configuration list.
    ModMapEditor::ConfigurazioneSistemaScelta = []() -> std::string {
        if (!IstanzaFRM_ZEBCommutazione || !IstanzaFRM_ZEBCommutazione->CmbConfSistema) return {};
        const int i = IstanzaFRM_ZEBCommutazione->CmbConfSistema->currentIndex();
        if (i < 0 || static_cast<size_t>(i) >= ModMain::ConfigurazioniPredefinite.size()) return {};
        return ModMain::ConfigurazioniPredefinite[static_cast<size_t>(i)].Nome;
    };
    IstanzaFrmLogger = new FrmLogger(c);
    IstanzaFrmInjSetPopUp = new FrmInjSetPopUp(c);
    IstanzaFrmSeqInj = new FrmSeqInj(c);
    IstanzaFrmUpdate = new FrmUpdate(c);
    IstanzaFrmError = new FrmError(c);
    IstanzaFrmFirmware = new FrmFirmware(c);
    IstanzaFrmCompensa = new FrmCompensa(c);
    IstanzaFrmAutoTuning = new FrmAutoTuning(c);
    IstanzaFRM_ZEBLambda = new FRM_ZEBLambda(c);
    IstanzaFrmObd = new FrmObd(c);
    IstanzaFrmMatrix0 = new FrmMatrix(c);
    IstanzaFRM_ZEBCarburazione1 = new FRM_ZEBCarburazione(c);
    IstanzaFrmMatrix1 = new FrmMatrix(c);
    IstanzaFRM_ZEBCarburazione2 = new FRM_ZEBCarburazione(c);
    IstanzaFrmMatrix2 = new FrmMatrix(c);
    IstanzaFrmMatrix1->setObjectName(QStringLiteral("FrmMatrix1"));
    IstanzaFrmMatrix2->setObjectName(QStringLiteral("FrmMatrix2"));
    IstanzaFRM_ZEBCarburazione1->setObjectName(QStringLiteral("FRM_ZEBCarburazione1"));
    IstanzaFRM_ZEBCarburazione2->setObjectName(QStringLiteral("FRM_ZEBCarburazione2"));
}

void MDIForm::MDIForm_Load() {
    if (!servizi_) servizi_ = std::make_unique<ServiziShell>(*this);
    RegistraInterfaccia(servizi_.get());

    // 1. The splash, whose icon the main window takes.
    if (!Splash) Splash = new FrmPrima(this);
    setWindowIcon(Splash->windowIcon());

    // 3. Icon counters, background, no MEM10 record logged yet.
    ContatoreIcona = 0;
    FotogrammaIcona = 0;
    QPalette p = AreaClient->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    AreaClient->setPalette(p);
    UltimoConsecutivoMem10 = -1;

    // 4. The splash, centred on the screen, then one round of queued events.
    if (QScreen* schermo = QGuiApplication::primaryScreen())
        Splash->move(schermo->availableGeometry().center() - Splash->rect().center());
    Splash->show();
    QCoreApplication::processEvents();

    // 5. Every page form, once.
    CreaForme();

    // 6. Loaded hidden, each running its own load handler, in this order.
    CaricaNascosta(IstanzaFRM_ZEBMain);
    CaricaNascosta(IstanzaFRM_ZEBMenu);
    CaricaNascosta(IstanzaFRM_ZEBMenuTop);
    CaricaNascosta(IstanzaFRM_ZEBMenuTop2);
    CaricaNascosta(IstanzaFRM_ZEBMenuTop3);
    CaricaNascosta(IstanzaFRM_ZEBDashBoard);
    CaricaNascosta(IstanzaFRM_ZEBPortSearch);
    CaricaNascosta(IstanzaFRM_ZEBLanguage);
    CaricaNascosta(IstanzaFRM_ZEBConnected);
    CaricaNascosta(IstanzaFRM_ZEBCommutazione);
    CaricaNascosta(IstanzaFRM_ZEBCarburazione0);
    CaricaNascosta(IstanzaFRM_ZEBSensori);
    CaricaNascosta(IstanzaFRM_ZEBGestione);
    CaricaNascosta(IstanzaFRM_ZEBLoadSave);
    CaricaNascosta(IstanzaFRM_ZEBinjDir);
    CaricaNascosta(IstanzaFrmInjDirAcq1);
    CaricaNascosta(IstanzaFrmInjDirAcq2);
    CaricaNascosta(IstanzaFrmInjDirAcq3);
    CaricaNascosta(IstanzaFrmInjDirAcq4);
    CaricaNascosta(IstanzaFrmCommutatore);
    CaricaNascosta(IstanzaFrmLogger);
    CaricaNascosta(IstanzaFrmInjSetPopUp);
    CaricaNascosta(IstanzaFrmError);
    CaricaNascosta(IstanzaFrmFirmware);
    CaricaNascosta(IstanzaFrmCompensa);
    CaricaNascosta(IstanzaFrmAutoTuning);
    CaricaNascosta(IstanzaFRM_ZEBLambda);
    CaricaNascosta(IstanzaFrmObd);
    CaricaNascosta(IstanzaFrmMatrix0);
    CaricaNascosta(IstanzaFRM_ZEBCarburazione1);
    CaricaNascosta(IstanzaFrmMatrix1);
    CaricaNascosta(IstanzaFrmMatrix2);
    CaricaNascosta(IstanzaFRM_ZEBCarburazione2);
    CaricaNascosta(IstanzaFrmSeqInj);

    // 7. Map pages of the second and third instances: their load handlers ran with 0.
    IstanzaFRM_ZEBCarburazione1->MTX = 1;
    IstanzaFrmMatrix1->MTX = 1;
    IstanzaFrmMatrix2->MTX = 2;
    IstanzaFRM_ZEBCarburazione2->MTX = 2;

    // 8. Overlay, side menu and connection panel; the icon starts as "no link".
    IstanzaFrmUpdate->show();
    IstanzaFRM_ZEBMenu->show();
    IstanzaFRM_ZEBConnected->show();
    IstanzaFRM_ZEBConnected->IMG->setPixmap(IstanzaFRM_ZEBConnected->IMG_BUFFER[5]->pixmap());

    // 9. Start-up defaults before any ECU has been read.
    ImpostaValoreAvvio(3, 1, 8);
    ImpostaValoreAvvio(3, 0, 8);
    ImpostaValoreAvvio(3, 42, 1);
    ImpostaValoreAvvio(5, 6, 8);
    ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(8, 8);

    // 10. The first link tick connects.
    ModMain::RiconnessioneRichiesta = 1;
    ModMain::NomeConfigurazione.clear();
    ModMain::UnitaRpm = 64;
    ModMain::MappettaAperta = 0;
    FRM_ZEBSensori_CaricaSoglieLivello = [] {
        if (IstanzaFRM_ZEBSensori) IstanzaFRM_ZEBSensori->CaricaSoglieLivello();
    };
    // An offline edit refreshes the page that shows it.
    ModBlck::AggiornaSchedaDopoModifiche = &MDIFrm::AggiornaSchedaDopoModifiche;

    // 11. The home page (this hides the overlay again).
    SelezioneScheda(SCHEDA_HOME);

    // 12. The link timer, then the display timer.
    Timer1->start();
    Timer2->start();
}

void MDIForm::AggiornaLivelliVisualizzazione() {
    // The window's own controls are its two timers, which carry no level tag.
}

void MDIForm::MDIForm_QueryUnload(int16_t& Cancel, int16_t UnloadMode) {
    // A firmware update cannot be interrupted, whatever the reason for closing.
    if (ModMain::StatoConnessione == STATO_FIRMWARE) {
        Cancel = -1;
        return;
    }
    if (UnloadMode == 0) {
        // The link timer closes the program on its next tick.
        Cancel = -1;
        ModMain::UscitaRichiesta = 1;
        Timer2->stop();
        return;
    }
    ChiusuraMotore(ModMain::ProcessoComAttivo());
    ScaricaForme();
    // The window is going: its timers and the engine's way up go with it.
    Timer1->stop();
    Timer2->stop();
    if (servizi_ && &Interfaccia() == servizi_.get()) RegistraInterfaccia(nullptr);
    FRM_ZEBSensori_CaricaSoglieLivello = nullptr;
    ModBlck::AggiornaSchedaDopoModifiche = nullptr;
    ModMapEditor::ConfigurazioneSistemaScelta = nullptr;
}

void MDIForm::ScaricaForme() {
    ScaricaPerNome(QStringLiteral("FrmOPEnterSecret"));
    Scarica(IstanzaFRM_ZEBMain);
    Scarica(IstanzaFRM_ZEBMenu);
    Scarica(IstanzaFRM_ZEBMenuTop);
    Scarica(IstanzaFRM_ZEBMenuTop2);
    Scarica(IstanzaFRM_ZEBMenuTop3);
    Scarica(IstanzaFRM_ZEBDashBoard);
    Scarica(IstanzaFRM_ZEBPortSearch);
    Scarica(IstanzaFRM_ZEBLanguage);
    Scarica(IstanzaFRM_ZEBConnected);
    Scarica(IstanzaFRM_ZEBCommutazione);
    Scarica(IstanzaFRM_ZEBCarburazione0);
    Scarica(IstanzaFRM_ZEBSensori);
    Scarica(IstanzaFRM_ZEBGestione);
    Scarica(IstanzaFRM_ZEBLoadSave);
    Scarica(IstanzaFRM_ZEBinjDir);
    Scarica(IstanzaFrmInjDirAcq1);
    Scarica(IstanzaFrmInjDirAcq2);
    Scarica(IstanzaFrmInjDirAcq3);
    Scarica(IstanzaFrmInjDirAcq4);
    Scarica(IstanzaFrmCommutatore);
    Scarica(IstanzaFrmLogger);
    Scarica(IstanzaFrmInjSetPopUp);
    Scarica(IstanzaFrmSeqInj);
    Scarica(IstanzaFrmUpdate);
    Scarica(IstanzaFrmError);
    Scarica(IstanzaFrmFirmware);
    Scarica(IstanzaFrmCompensa);
    Scarica(IstanzaFrmAutoTuning);
    Scarica(IstanzaFRM_ZEBLambda);
    Scarica(IstanzaFrmObd);
    ScaricaPerNome(QStringLiteral("FrmEnterValue"));
    Scarica(IstanzaFrmMatrix0);
    Scarica(IstanzaFRM_ZEBCarburazione1);
    Scarica(IstanzaFrmMatrix1);
    Scarica(IstanzaFrmMatrix2);
    Scarica(IstanzaFRM_ZEBCarburazione2);
}

void MDIForm::ScaricaDaCodice() {
    int16_t cancel = 0;
    MDIForm_QueryUnload(cancel, 1);
    if (cancel != 0) return;
    chiusuraAccettata_ = true;
    close();
}

void MDIForm::closeEvent(QCloseEvent* e) {
    if (chiusuraAccettata_) {
        e->accept();
        return;
    }
    int16_t cancel = 0;
    MDIForm_QueryUnload(cancel, 0);
    if (cancel != 0) e->ignore();
    else e->accept();
}

void MDIForm::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    MDIForm_Resize();
}

} // namespace MDIFrm
