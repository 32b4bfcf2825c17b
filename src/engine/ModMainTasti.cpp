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
    if (evento) GestisciTasto(CodiceTasto(*evento), StatoMaiuscole(*evento));
}

namespace {

// xkb key codes (X11 and Wayland) 10 to 19 are the digit row 1..9, 0.
int16_t CifraRiga(quint32 scansione) {
    if (scansione < 10 || scansione > 19) return 0;
    return static_cast<int16_t>(scansione == 19 ? '0' : '1' + (scansione - 10));
}

} // namespace

int16_t CodiceTasto(const QKeyEvent& evento) {
    const int k = evento.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<int16_t>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<int16_t>('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return static_cast<int16_t>(112 + (k - Qt::Key_F1));
    const Qt::KeyboardModifiers m = evento.modifiers();
    const bool tastierino = m & Qt::KeypadModifier;
    // The plus and minus keys of the main keyboard are 187 and 189 whatever
    // they type: "=" and "+" (US), "+" and "*" (Italian), "-" and "_" (both).
    // A key of the digit row stays its digit, whatever a layout puts on it.
    switch (k) {
    case Qt::Key_Plus:
    case Qt::Key_Minus:
    case Qt::Key_Equal:
    case Qt::Key_Underscore:
    case Qt::Key_Asterisk:
        if (const int16_t cifra = tastierino ? 0 : CifraRiga(evento.nativeScanCode())) return cifra;
        break;
    default: break;
    }
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    // On X11 the Alt key pressed after Shift reports as Meta.
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Plus: return tastierino ? 107 : 187;
    case Qt::Key_Minus: return tastierino ? 109 : 189;
    case Qt::Key_Equal: return tastierino ? 0 : 187;
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Asterisk: return !tastierino && (m & Qt::ShiftModifier) ? 187 : 0;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Period: return 190;
    default: return 0;
    }
}

int16_t StatoMaiuscole(const QKeyEvent& evento) {
    Qt::KeyboardModifiers m = evento.modifiers();
    // A modifier's own release reports the state it leaves, as a key up
    // after it: X11 still has the modifier held in that event.
    if (evento.type() == QEvent::KeyRelease) {
        switch (evento.key()) {
        case Qt::Key_Shift: m &= ~Qt::ShiftModifier; break;
        case Qt::Key_Control: m &= ~Qt::ControlModifier; break;
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr: m &= ~Qt::AltModifier; break;
        default: break;
        }
    }
    return StatoMaiuscole(m);
}

int16_t StatoMaiuscole(Qt::KeyboardModifiers m) {
    int16_t s = 0;
    if (m & Qt::ShiftModifier) s |= MaiuscoloShift;
    if (m & Qt::ControlModifier) s |= MaiuscoloCtrl;
    if (m & Qt::AltModifier) s |= MaiuscoloAlt;
    return s;
}

} // namespace ModMain
