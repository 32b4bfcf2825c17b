#pragma once
// What the whole-program tests share: a bounded wait that keeps the event
// loop running, the companion's process state, the start of the tool on a
// copy of the base folder and the clean-up after it.
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <cstdint>
#include <string>

#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"
#include "shell/MDIFrm.h"
#include "shell/ModMainAvvio.h"
#include "support/SupportoTest.h"

namespace AvvioE2e {

// Runs the event loop until `condizione` holds or `ms` have passed; returns
// the condition's last value.
template <class F>
bool AttendiFinche(F condizione, int ms) {
    QElapsedTimer t;
    t.start();
    while (!condizione() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condizione();
}

using SupportoTest::StatoProcesso;

// True while the process exists and is not a zombie.
inline bool Vivo(int32_t pid) {
    const char stato = StatoProcesso(pid);
    return stato != 0 && stato != 'Z';
}

// The tool started from the folder's bin/ with no scripted answers, no exit
// asked and the link searching; its main window, nullptr when none came up.
inline MDIFrm::MDIForm* Avvia(const SupportoTest::CartellaBase& base) {
    Piattaforma::Copione::Azzera();
    ModMain::UscitaRichiesta = 0;
    ModMain::StatoConnessione = STATO_RICERCA;
    ModMain::Main(base.File("bin"));
    return ModMain::FinestraAvviata();
}

// After a test: the start undone, the exit flag down and the link searching again.
inline void Chiudi() {
    ModMain::ChiudiAvvio();
    ModMain::UscitaRichiesta = 0;
    ModMain::StatoConnessione = STATO_RICERCA;
}

} // namespace AvvioE2e
