#pragma once
// The program's start: start values, the stale companion stopped, the paths
// below the base folder, settings and definitions, the companion started, the
// dictionary (with the language dialog at first start), SetCom.ini, the hello
// to the companion, the access-code table, then the main window loaded.
#include <functional>
#include <memory>
#include <string>

namespace MDIFrm {
class MDIForm;
}
class FrmLingua;

namespace ModMain {

// The whole start from the program's own folder; the main window is shown
// maximized. Then the program lives in the window's timers.
void Main();
// The same steps with the companion taken from `cartellaProgramma` (the base
// folder is its parent); the window is loaded but not shown.
void Main(const std::string& cartellaProgramma);

// Ends every running copy of our companion (same program file, same user)
// left from an earlier run, each followed by a 3 s wait.
void ChiudiProcessoCom();
// True while a copy of our companion runs.
bool ProcessoComAttivo();
// Tells the companion the program's own file name (PIPE_HOST_NAME).
void ComunicaNomeProgramma();

// The main window Main loaded; null before and after.
MDIFrm::MDIForm* FinestraAvviata();
// Releases what Main created: the window, the companion, the dictionary.
void ChiudiAvvio();

// How the first-start language dialog is shown. Empty: modally, waiting for
// the pick (skipped while dialogs are scripted, so that no test can hang on
// it). Tests set it to pick a language on the loaded dialog.
inline std::function<void(FrmLingua&)> MostraSceltaLingua;

// Program folder used by ChiudiProcessoCom / ProcessoComAttivo: the folder
// Main was given.
inline std::string CartellaCompagno;

} // namespace ModMain
