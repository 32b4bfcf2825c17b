#include "engine/ModMainTasti.h"

#include <QtGui/QKeyEvent>

#include "core/ModMainCodiceOperatore.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainSchermo.h"
#include "core/Applicazione.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"

namespace ModMain {

namespace {

// Pages from which Esc goes back to the home page.
bool EscVersoHome(int32_t pagina) {
    switch (pagina) {
    case SCHEDA_PRINCIPALE: case SCHEDA_LOGGER: case SCHEDA_OBD: case SCHEDA_COMPENSAZIONI:
    case SCHEDA_ERRORI: case SCHEDA_MAPPA: case SCHEDA_FIRMWARE: case SCHEDA_LAMBDA:
    case SCHEDA_COMMUTAZIONE: case SCHEDA_SENSORI: case SCHEDA_CARBURAZIONE: case SCHEDA_GESTIONE:
    case SCHEDA_ARCHIVIO: case SCHEDA_INJDIR: case SCHEDA_MAPPA_1: case SCHEDA_MAPPA_2:
    case SCHEDA_ACQUISIZIONE_1: case SCHEDA_ACQUISIZIONE_2: case SCHEDA_ACQUISIZIONE_3:
    case SCHEDA_ACQUISIZIONE_4:
        return true;
    default:
        return false;
    }
}

void DomandaUscita() {
    const auto risposta = Piattaforma::MostraMessaggio(
        VoceLingua(73), QString::fromLatin1(Applicazione::TitoloApplicazione), Piattaforma::IconaMessaggio::Nessuna,
        Piattaforma::PulsantiMessaggio::SiNo);
    if (risposta == Piattaforma::RispostaMessaggio::Si && Tasti.RichiestaUscita) Tasti.RichiestaUscita();
}

void PassoLivello() {
    if (LivelloSup != 0) {
        LivelloSup = 0;
        LivelloAut = 0;
    } else if (LivelloExp == 0) {
        LivelloExp = -1;
    } else if (CodiceOperatoreAccettato != 0) {
        LivelloSup = -1;
    } else {
        ApriCodiceOperatore();
    }
    MDIFrm::Interfaccia().SelezioneScheda(PaginaCorrente);
    if (Tasti.RiapriMappetta) Tasti.RiapriMappetta();
}

} // namespace

void GestisciTasto(int16_t KeyCode, int16_t Shift) {
    if (KeyCode == TastoEsc) {
        if (EscVersoHome(PaginaCorrente)) MDIFrm::Interfaccia().SelezioneScheda(SCHEDA_HOME);
        else if (PaginaCorrente == SCHEDA_HOME) DomandaUscita();
        return;
    }
    if (KeyCode == TastoLivello && Shift == (MaiuscoloCtrl | MaiuscoloAlt)) PassoLivello();
}

void GestisciTasto(const QKeyEvent* evento) {
    if (!evento) return;
    int16_t codice = 0;
    const int tasto = evento->key();
    if (tasto == Qt::Key_Escape) codice = TastoEsc;
    else if (tasto >= Qt::Key_A && tasto <= Qt::Key_Z) codice = static_cast<int16_t>('A' + (tasto - Qt::Key_A));
    else if (tasto >= Qt::Key_0 && tasto <= Qt::Key_9) codice = static_cast<int16_t>('0' + (tasto - Qt::Key_0));
    else return;
    const Qt::KeyboardModifiers m = evento->modifiers();
    int16_t shift = 0;
    if (m & Qt::ShiftModifier) shift |= MaiuscoloShift;
    if (m & Qt::ControlModifier) shift |= MaiuscoloCtrl;
    if (m & Qt::AltModifier) shift |= MaiuscoloAlt;
    GestisciTasto(codice, shift);
}

} // namespace ModMain
