// Program entry: loads the base folder (the parent of the program's own
// folder), starts the companion and shows the main window.
#include <QtWidgets/QApplication>
#include <cstdio>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "link/ModPipe.h"
#include "platform/Processi.h"
#include "shell/AvvioShell.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string cartella = Piattaforma::CartellaProgramma();
    const std::string base = ModGlobFunct::CalcolaCartellaBase(cartella);
    AvvioShell::Esito avvio = AvvioShell::Avvia(base, cartella);
    if (!avvio.finestra) return 1;

    std::printf("Base folder: %s\n", base.c_str());
    std::printf("SetCom.ini: %zu blocks, pipe wait %d us, ECU wait %d us x %d\n", TabellaBlocchi.size(),
                ModBlck::AttesaPipe, ModBlck::AttesaGlobale, ModBlck::MoltiplicatoreAttesa);
    std::printf("Dictionary: %d languages, %d entries, current language %d\n",
                ModMain::Dizionario->UboundLingue() + 1, ModMain::Dizionario->UboundVoci() + 1, avvio.linguaTrovata);
    std::fflush(stdout);

    avvio.finestra->showMaximized();
    const int esito = app.exec();
    avvio.finestra.reset();
    ModPipe::TerminaProcessoCom();
    return esito;
}
