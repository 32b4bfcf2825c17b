// Program entry: the start-up sequence, then the main window's event loop.
// With MONDARO_TEMPI=1 it prints timing marks for the start-up benchmark:
// "MONDARO_TEMPI finestra <ms>" once the window is shown, with the process's
// CPU time (user + system) so far in milliseconds, and "MONDARO_TEMPI
// connesso" when the link first reaches STATO_CONNESSO.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "link/ModMainStatoLinea.h"
#include "shell/MDIFrm.h"
#include "shell/ModMainAvvio.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ModMain::Main();
    if (!ModMain::FinestraAvviata()) return 1;

    std::printf("Base folder: %s\n", ModMain::PercorsoBase.c_str());
    std::printf("SetCom.ini: %zu blocks, pipe wait %d us, ECU wait %d us x %d\n", TabellaBlocchi.size(),
                ModBlck::AttesaPipe, ModBlck::AttesaGlobale, ModBlck::MoltiplicatoreAttesa);
    std::printf("Dictionary: %d languages, %d entries, current language %d\n",
                ModMain::Dizionario->UboundLingue() + 1, ModMain::Dizionario->UboundVoci() + 1,
                ModMain::Dizionario->IdLingua());
    std::fflush(stdout);

    const char* tempi = std::getenv("MONDARO_TEMPI");
    QTimer sorveglianza;
    if (tempi && std::strcmp(tempi, "1") == 0) {
        QApplication::processEvents();
        rusage uso{};
        ::getrusage(RUSAGE_SELF, &uso);
        const double cpu = 1000.0 * double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
                           double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1000.0;
        std::printf("MONDARO_TEMPI finestra %.1f\n", cpu);
        std::fflush(stdout);
        sorveglianza.setInterval(5);
        QObject::connect(&sorveglianza, &QTimer::timeout, [&sorveglianza] {
            if (ModMain::StatoConnessione != STATO_CONNESSO) return;
            std::printf("MONDARO_TEMPI connesso\n");
            std::fflush(stdout);
            sorveglianza.stop();
        });
        sorveglianza.start();
    }

    const int esito = app.exec();
    ModMain::ChiudiAvvio();
    return esito;
}
