#pragma once
// The common key handler every form's key-up passes its key to: Esc goes back
// to the home page (or, on the home page, asks whether to quit), and the level
// hot key Ctrl+Alt+V steps through the display levels.
#include <cstdint>
#include <functional>

#include <QtCore/qnamespace.h>

class QKeyEvent;

namespace ModMain {

// Key codes as the handler reads them: Esc 27, letters their upper-case
// character code. Shift bits: 1 Shift, 2 Ctrl, 4 Alt.
inline constexpr int16_t TastoEsc = 27;
inline constexpr int16_t TastoLivello = 'V';
inline constexpr int16_t MaiuscoloShift = 1, MaiuscoloCtrl = 2, MaiuscoloAlt = 4;

// What the handler asks of the main window and of the OBD correction-map
// window; the shell sets them at load (tests set their own). Page selection
// goes through MDIFrm::Interfaccia().SelezioneScheda.
struct AzioniTasto {
    // Close handling with Cancel 0 and UnloadMode 0 (the orderly exit).
    std::function<void()> RichiestaUscita;
    // When the OBD correction-map window is open: unload it and show it again.
    std::function<void()> RiapriMappetta;
};
inline AzioniTasto Tasti;
// Latch of the X key (88) under Ctrl+Shift+Alt, shared by the key-ups of the
// switchover page, the injector popup and the archive page: one toggle each press.
inline int32_t TastoXPremuto = 0;

void GestisciTasto(int16_t KeyCode, int16_t Shift);
// The same for a Qt key event (Qt key and modifiers mapped to the codes above).
void GestisciTasto(const QKeyEvent* evento);

// The key code of a Qt key event as every handler reads it (the Windows key
// numbers): letters upper case, digits, F1 112 ..., Backspace 8, Tab 9,
// Enter 13, Shift 16, Ctrl 17, Alt 18, Esc 27, Space 32, the movement keys
// 33-40, Insert 45, Delete 46, the plus and minus keys 187 and 189 (main
// keyboard) and 107 and 109 (keypad), comma 188, full stop 190; 0 for others.
int16_t CodiceTasto(const QKeyEvent& evento);
// The shift state of a key event: 1 Shift, 2 Ctrl, 4 Alt.
int16_t StatoMaiuscole(const QKeyEvent& evento);
// The same bits of the modifiers a mouse event carries.
int16_t StatoMaiuscole(Qt::KeyboardModifiers m);

} // namespace ModMain
