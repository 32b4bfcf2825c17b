// A one-hour logger trace (72,000 live records every 50 ms with an OBD record
// every sixth): written as the recording writes it, reloaded, exported; then
// its first page drawn on the logger page offscreen and the page scrolled to
// the end, one redraw per step. Prints two lines of times in milliseconds.
#include <QtCore/QByteArray>
#include <QtWidgets/QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "link/ModBlckDatiLive.h"
#include "logger/FrmLogger.h"
#include "logger/ModOscillo.h"
#include "platform/Processi.h"

namespace {

using Orologio = std::chrono::steady_clock;

double Ms(Orologio::time_point da) {
    return std::chrono::duration<double, std::milli>(Orologio::now() - da).count();
}

std::string Trama(uint8_t comando, uint8_t lunghezza, const std::string& dati) {
    std::string t = std::string("\x42\x01", 2) + static_cast<char>(lunghezza) + static_cast<char>(comando) + '\0' + dati;
    uint8_t x = 0;
    for (const char c : t) x ^= static_cast<uint8_t>(c);
    return t + static_cast<char>(x);
}

// Live data moving like an engine: every word a slow wave of its own.
std::string DatiLive(int s) {
    std::string d(120, '\0');
    for (int k = 0; k < 56; ++k) {
        const int v = 500 + ((s * (k + 3)) % 997);
        d[static_cast<size_t>(2 * k)] = static_cast<char>(v & 0xFF);
        d[static_cast<size_t>(2 * k + 1)] = static_cast<char>(v >> 8);
    }
    return d;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    const std::string dist = Piattaforma::CartellaProgramma() + "/../dist";
    const fs::path lavoro = fs::temp_directory_path() / "mondaro-bench-logger";
    fs::remove_all(lavoro);
    fs::create_directories(lavoro / "bin");
    fs::create_directories(lavoro / "lng");
    fs::create_directories(lavoro / "Data");
    fs::copy_file(dist + "/lng/OsciSetUp.ini", lavoro / "lng/OsciSetUp.ini");
    fs::copy_file(dist + "/lng/OsciList.ini", lavoro / "lng/OsciList.ini");
    ModMain::ImpostaPercorsi(lavoro.string());
    ModBlck::LeggiSetCom(dist + "/bin/SetCom.ini");
    ModBlck::InstallaPassiTipo();

    // Write: the header, then one group per record, as the recording hook writes them.
    const std::string percorso = (lavoro / "Data/ora.vfl").string();
    auto t0 = Orologio::now();
    {
        std::ofstream out(percorso, std::ios::binary);
        out << ModOscillo::IntestazioneRegistrazione(0, "11/12/2026 03:00", Trama(0x0C, 0x7C, DatiLive(0)));
        for (int s = 0; s < 72'000; ++s) {
            const std::string t = std::to_string(50 * s + 50);
            out << "CMD_READ_MEM1\r\n" << t << " T 4102032161\r\n" << t << " R "
                << ModGlobFunct::ConvertiTestoInHex(Trama(0x0C, 0x7C, DatiLive(s))) << "\r\n";
            if (s % 6 == 5)
                out << "CMD_READ_OBD_DATA\r\n" << t << " T 4102034404\r\n" << t << " R "
                    << ModGlobFunct::ConvertiTestoInHex(Trama(0x44, 0x5C, std::string(88, static_cast<char>(s % 200))))
                    << "\r\n";
        }
    }
    const double scrittura = Ms(t0);

    t0 = Orologio::now();
    ModOscillo::CaricaFileLog(ModOscillo::CampioniLog, ModOscillo::CampioniObd, percorso,
                              ModOscillo::CanaliOscilloscopio);
    const double ricarica = Ms(t0);
    const std::vector<int32_t> caricati = ModOscillo::CampioniLog;
    const std::vector<int32_t> caricatiObd = ModOscillo::CampioniObd;

    t0 = Orologio::now();
    ModOscillo::EsportaCampioni((lavoro / "Data/ora.txt").string(), ModOscillo::CanaliOscilloscopio, caricati,
                                caricatiObd);
    const double esportazione = Ms(t0);
    std::printf("one-hour trace: write %.0f ms, reload %.0f ms, export %.0f ms\n", scrittura, ricarica, esportazione);

    // The page at the main window's usual size; the trace loaded as the open command leaves it.
    FrmLogger pagina;
    pagina.resize(1400 - 23, 900 - 215);
    pagina.Form_Load();
    pagina.show();
    app.processEvents();
    ModOscillo::CampioniLog = caricati;
    ModOscillo::CampioniObd = caricatiObd;
    ModOscillo::IndiceInizioVista = 0;
    ModOscillo::TempoInizioVista = caricati.empty() ? 0 : caricati[0];
    t0 = Orologio::now();
    pagina.DisegnaGrafico();
    const double primaPagina = Ms(t0);

    std::vector<double> passi;
    while (ModOscillo::IndiceInizioVista + 18 < static_cast<int32_t>(ModOscillo::CampioniLog.size()) &&
           passi.size() < 10'000) {
        t0 = Orologio::now();
        pagina.CmdNext_Click();
        passi.push_back(Ms(t0));
    }
    std::sort(passi.begin(), passi.end());
    const double mediana = passi.empty() ? 0 : passi[passi.size() / 2];
    const double massimo = passi.empty() ? 0 : passi.back();
    std::printf("one-hour trace: first page %.0f ms, scroll redraw median %.0f ms, max %.0f ms\n", primaPagina,
                mediana, massimo);
    pagina.Form_Unload();
    fs::remove_all(lavoro);
    return 0;
}
