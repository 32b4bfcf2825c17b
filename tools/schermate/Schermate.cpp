// Starts the real main window from a private copy of the run-time base folder
// against the simulated ECU, shows one page at one size and language, waits,
// and saves a grab of the whole window to a PNG:
//
//   schermate [-l lang] [-s WxH] [-p page] [-t ticks | -m ms] [-S splash.png] [-L levels] <shot.png>
//
//   -l  language number (0 English, 1 Italian; default 0)
//   -s  outer window size (default 1024x640)
//   -p  page id: a number or a page name (HOME, OBD, SCHEDA_MAPPA...; default HOME)
//   -t  display ticks (100 ms) to wait once connected (default 10)
//   -m  milliseconds to wait once connected (instead of -t)
//   -S  also save a grab of the splash window, taken as the main window shows
//   -L  display levels as three digits, expert/second/authorised (e.g. 110; default 000)
//   -c  on the calibration page: press Start, take the shot during the run, then stop it
//
// Message boxes are answered by their first button and listed on stderr, so
// that the tool never waits on a modal window.
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

#include "BaseSpedita.h"
#include "core/ModMainLivelli.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"
#include "shell/FRM_ZEBMenuTop.h"
#include "shell/FRM_ZEBMenuTop2.h"
#include "shell/FRM_ZEBMenuTop3.h"
#include "shell/FrmPrima.h"
#include "calibration/FrmAutoTuning.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmIstanze.h"
#include "shell/ModMainAvvio.h"

namespace {

namespace fs = std::filesystem;

struct PaginaNominata {
    const char* nome;
    int32_t id;
};
const PaginaNominata Pagine[] = {
    {"PRINCIPALE", SCHEDA_PRINCIPALE}, {"LOGGER", SCHEDA_LOGGER},
    {"INIETTORI", SCHEDA_INIETTORI},   {"AUTOTARATURA", SCHEDA_AUTOTARATURA},
    {"OBD", SCHEDA_OBD},               {"COMPENSAZIONI", SCHEDA_COMPENSAZIONI},
    {"ERRORI", SCHEDA_ERRORI},         {"MAPPA", SCHEDA_MAPPA},
    {"FIRMWARE", SCHEDA_FIRMWARE},     {"LAMBDA", SCHEDA_LAMBDA},
    {"SEQINJ", SCHEDA_SEQINJ},         {"HOME", SCHEDA_HOME},
    {"COMMUTAZIONE", SCHEDA_COMMUTAZIONE}, {"SENSORI", SCHEDA_SENSORI},
    {"CARBURAZIONE", SCHEDA_CARBURAZIONE}, {"GESTIONE", SCHEDA_GESTIONE},
    {"ARCHIVIO", SCHEDA_ARCHIVIO},     {"INJDIR", SCHEDA_INJDIR},
    {"MAPPA_1", SCHEDA_MAPPA_1},       {"CARBURAZIONE_1", SCHEDA_CARBURAZIONE_1},
    {"MAPPA_2", SCHEDA_MAPPA_2},       {"CARBURAZIONE_2", SCHEDA_CARBURAZIONE_2},
    {"ACQUISIZIONE_1", SCHEDA_ACQUISIZIONE_1}, {"ACQUISIZIONE_2", SCHEDA_ACQUISIZIONE_2},
    {"ACQUISIZIONE_3", SCHEDA_ACQUISIZIONE_3}, {"ACQUISIZIONE_4", SCHEDA_ACQUISIZIONE_4},
};

int Uso() {
    std::fprintf(stderr,
                 "use: schermate [-l lang] [-s WxH] [-p page] [-t ticks | -m ms] [-c] [-S splash.png] [-L levels] <shot.png>\n"
                 "  -l lang      language: 0 English (default), 1 Italian\n"
                 "  -s WxH       outer window size in pixels (default 1024x640)\n"
                 "  -p page      page to reach through the top bar (default HOME; names below)\n"
                 "  -t ticks     wait this many 100 ms display ticks after reaching the page (default 10)\n"
                 "  -m ms        wait this many milliseconds instead\n"
                 "  -c           start the automatic calibration on the page reached and take the shot while it runs\n"
                 "  -S file.png  also save the splash screen\n"
                 "  -L levels    display levels EXP, SUP, AUT as three digits 0/1 (default 000)\n"
                 "pages:");
    for (const auto& p : Pagine) std::fprintf(stderr, " %s(%d)", p.nome, p.id);
    std::fprintf(stderr, "\n");
    return 2;
}

// The top-bar button a user clicks to reach a page (for a popup or a further
// map page, the button of the page it opens from), so that the bar shows the
// selection a real visit leaves: a bar's selection follows its clicks only.
struct ViaBarra {
    int32_t pagina;
    int barra; // 1, 2, 3: FRM_ZEBMenuTop, FRM_ZEBMenuTop2, FRM_ZEBMenuTop3
    int16_t indice;
};
const ViaBarra Vie[] = {
    {SCHEDA_COMMUTAZIONE, 1, 0}, {SCHEDA_INIETTORI, 1, 0},   {SCHEDA_SENSORI, 1, 1},
    {SCHEDA_MAPPA, 1, 2},        {SCHEDA_CARBURAZIONE, 1, 2}, {SCHEDA_MAPPA_1, 1, 2},
    {SCHEDA_CARBURAZIONE_1, 1, 2}, {SCHEDA_MAPPA_2, 1, 2},   {SCHEDA_CARBURAZIONE_2, 1, 2},
    {SCHEDA_GESTIONE, 1, 3},     {SCHEDA_SEQINJ, 1, 3},      {SCHEDA_COMPENSAZIONI, 1, 7},
    {SCHEDA_OBD, 1, 5},          {SCHEDA_LAMBDA, 1, 4},      {SCHEDA_INJDIR, 1, 6},
    {SCHEDA_PRINCIPALE, 2, 0},   {SCHEDA_LOGGER, 2, 1},      {SCHEDA_ACQUISIZIONE_2, 3, 0},
    {SCHEDA_ACQUISIZIONE_1, 3, 1}, {SCHEDA_ACQUISIZIONE_3, 3, 2}, {SCHEDA_ACQUISIZIONE_4, 3, 3},
};

// Clicks the page's bar button, then selects the page itself where the click
// led elsewhere (popups, map pages 1 and 2, the other map view).
void VaiAllaPagina(MDIFrm::MDIForm* f, int32_t pagina) {
    for (const auto& v : Vie) {
        if (v.pagina != pagina) continue;
        BarraMenuTop* b = v.barra == 1   ? static_cast<BarraMenuTop*>(MDIFrm::IstanzaFRM_ZEBMenuTop)
                          : v.barra == 2 ? static_cast<BarraMenuTop*>(MDIFrm::IstanzaFRM_ZEBMenuTop2)
                                         : static_cast<BarraMenuTop*>(MDIFrm::IstanzaFRM_ZEBMenuTop3);
        if (b) b->BUT_Menu_Click(v.indice);
        break;
    }
    // The home page is already current at start: select it again so that it
    // shows the display levels just set.
    if (ModMain::PaginaCorrente != pagina || pagina == SCHEDA_HOME) f->SelezioneScheda(pagina);
}

bool LeggiPagina(const std::string& s, int32_t& id) {
    char* fine = nullptr;
    const long n = std::strtol(s.c_str(), &fine, 10);
    if (!s.empty() && *fine == '\0') {
        id = static_cast<int32_t>(n);
        return true;
    }
    std::string nome = s.rfind("SCHEDA_", 0) == 0 ? s.substr(7) : s;
    for (auto& c : nome) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const auto& p : Pagine)
        if (nome == p.nome) {
            id = p.id;
            return true;
        }
    return false;
}

// A private copy of the run-time base folder, removed at the end.
struct CopiaBase {
    fs::path radice;
    CopiaBase() {
        std::random_device rd;
        radice = fs::temp_directory_path() /
                 ("mondaro-schermate-" + std::to_string(getpid()) + "-" + std::to_string(rd()));
        fs::create_directories(radice);
        BaseSpedita::Copia(MONDARO_DIST, MONDARO_SORGENTI "/data", radice);
    }
    ~CopiaBase() {
        std::error_code ec;
        fs::remove_all(radice, ec);
    }
};

template <class F>
bool AttendiFinche(F condizione, int ms) {
    QElapsedTimer t;
    t.start();
    while (!condizione() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condizione();
}

} // namespace

int main(int argc, char** argv) {
    int lingua = 0, larghezza = 1024, altezza = 640, tick = 10, ms = -1;
    int32_t pagina = SCHEDA_HOME;
    std::string uscita, splash, livelli = "000";
    bool taratura = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool conValore = i + 1 < argc;
        if (a == "-l" && conValore) lingua = std::atoi(argv[++i]);
        else if (a == "-s" && conValore) {
            if (std::sscanf(argv[++i], "%dx%d", &larghezza, &altezza) != 2) return Uso();
        } else if (a == "-p" && conValore) {
            if (!LeggiPagina(argv[++i], pagina)) return Uso();
        } else if (a == "-t" && conValore) tick = std::atoi(argv[++i]);
        else if (a == "-m" && conValore) ms = std::atoi(argv[++i]);
        else if (a == "-c") taratura = true;
        else if (a == "-S" && conValore) splash = argv[++i];
        else if (a == "-L" && conValore) {
            livelli = argv[++i];
            if (livelli.size() != 3 || livelli.find_first_not_of("01") != std::string::npos) return Uso();
        }
        else if (!a.empty() && a[0] != '-' && uscita.empty()) uscita = a;
        else return Uso();
    }
    if (uscita.empty() || larghezza <= 0 || altezza <= 0) return Uso();

    QApplication app(argc, argv);
    Piattaforma::Copione::Attiva(true);
    CopiaBase base;
    {
        std::ofstream con(base.radice / "lng" / "diz.con", std::ios::binary | std::ios::trunc);
        con << lingua << "\r\n";
    }

    ModMain::Main((base.radice / "bin").string());
    MDIFrm::MDIForm* f = ModMain::FinestraAvviata();
    if (!f) {
        std::fprintf(stderr, "the main window did not start\n");
        return 1;
    }
    f->resize(larghezza, altezza);
    f->show();
    if (!splash.empty()) {
        QCoreApplication::processEvents();
        if (!f->Splash || !f->Splash->grab().save(QString::fromLocal8Bit(splash.c_str())))
            std::fprintf(stderr, "no splash saved to %s\n", splash.c_str());
    }
    // Outer size: take the frame off, where a window manager adds one.
    AttendiFinche([f] { return f->isVisible(); }, 2000);
    QCoreApplication::processEvents();
    const QSize cornice = f->frameGeometry().size() - f->geometry().size();
    if (!cornice.isEmpty()) f->resize(larghezza - cornice.width(), altezza - cornice.height());

    std::fprintf(stderr, "outer size %dx%d\n", f->frameGeometry().width(), f->frameGeometry().height());
    int esito = 0;
    if (!AttendiFinche([] { return ModMain::StatoConnessione == STATO_CONNESSO; }, 30000)) {
        std::fprintf(stderr, "not connected (state %d); the shot shows the window as it is\n",
                     static_cast<int>(ModMain::StatoConnessione));
        esito = 3;
    }
    ModMain::LivelloExp = livelli[0] == '1' ? -1 : 0;
    ModMain::LivelloSup = livelli[1] == '1' ? -1 : 0;
    ModMain::LivelloAut = livelli[2] == '1' ? -1 : 0;
    f->AggiornaLivelliVisualizzazione();
    VaiAllaPagina(f, pagina);
    if (ms < 0) ms = tick * 100;
    if (taratura && MDIFrm::IstanzaFrmAutoTuning) {
        // The run holds the link timer's tick: the shot is taken by a timer
        // that fires inside the run's waits, and the run is stopped after it.
        bool preso = false, salvatoCorsa = false;
        QTimer::singleShot(ms, [&] {
            QCoreApplication::processEvents();
            salvatoCorsa = f->grab().save(QString::fromLocal8Bit(uscita.c_str()));
            preso = true;
            MDIFrm::IstanzaFrmAutoTuning->CmdCalCancel_Click();
        });
        MDIFrm::IstanzaFrmAutoTuning->CmdCalStart_Click();
        while (!preso) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        AttendiFinche([] { return ModMain::StatoConnessione == STATO_CONNESSO; }, 10000);
        ModMain::UscitaRichiesta = 1;
        AttendiFinche([f] { return !f->isVisible(); }, 5000);
        ModMain::ChiudiAvvio();
        return salvatoCorsa ? esito : 1;
    }
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    const bool salvato = f->grab().save(QString::fromLocal8Bit(uscita.c_str()));

    for (const auto& e : Piattaforma::Copione::Messaggi())
        std::fprintf(stderr, "message: %s | %s\n", e.titolo.toUtf8().constData(), e.testo.toUtf8().constData());

    // Orderly exit: the link timer unloads the window and stops the companion.
    ModMain::UscitaRichiesta = 1;
    AttendiFinche([f] { return !f->isVisible(); }, 5000);
    ModMain::ChiudiAvvio();
    if (!salvato) {
        std::fprintf(stderr, "cannot write %s\n", uscita.c_str());
        return 1;
    }
    return esito;
}
