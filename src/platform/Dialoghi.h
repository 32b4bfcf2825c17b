#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

// Every modal dialog, the clipboard and the beep go through here. In the
// program they are the real Qt dialogs; a test switches to scripted mode, in
// which nothing modal is ever shown: answers come from a queue and every call
// is recorded.
namespace Piattaforma {

enum class IconaMessaggio { Nessuna, Critica, Domanda, Esclamazione, Informazione };
enum class PulsantiMessaggio { Ok, OkAnnulla, InterrompiRiprovaIgnora, SiNoAnnulla, SiNo, RiprovaAnnulla };
// Numbered as the original toolkit numbered its answers.
enum class RispostaMessaggio { Ok = 1, Annulla = 2, Interrompi = 3, Riprova = 4, Ignora = 5, Si = 6, No = 7 };

RispostaMessaggio MostraMessaggio(const QString& testo, const QString& titolo,
                                  IconaMessaggio icona = IconaMessaggio::Nessuna,
                                  PulsantiMessaggio pulsanti = PulsantiMessaggio::Ok);

// Input box: the typed text, or nothing when the user cancels.
std::optional<QString> ChiediTesto(const QString& domanda, const QString& titolo,
                                   const QString& predefinito = {});

// Open and save dialogs: the chosen path, or nothing when cancelled.
// `filtro` uses Qt's form, for example "Configuration (*.qdl)". A name typed
// into the save dialog without an extension gets the one of the chosen filter
// (the first one unless the user picks another), so that the open dialog
// with the same filter lists the file.
std::optional<QString> ScegliFileDaAprire(const QString& titolo, const QString& cartella,
                                          const QString& filtro);
std::optional<QString> ScegliFileDaSalvare(const QString& titolo, const QString& percorso,
                                           const QString& filtro);

// The name patterns of every filter in `filtro` ("*.vfl", "*.txt" ...).
QStringList ModelliFiltro(const QString& filtro);
// `percorso` with "." and the extension of the first pattern of the first
// filter in `filtro` when its file name has no extension; as it is when it
// has one or the pattern names no single extension ("*.*").
QString ConEstensioneDelFiltro(const QString& percorso, const QString& filtro);

void ImpostaAppunti(const QString& testo);
QString LeggiAppunti();

// A tone of the given frequency (Hz) and length (ms); silent where no sound
// output exists.
void Suona(int frequenzaHz, int durataMs);

// Parent window of the dialogs (the main window once it exists).
void ImpostaFinestraPadre(QWidget* padre);

namespace Copione {

enum class Tipo { Messaggio, Testo, Apri, Salva, Suono };

struct Evento {
    Tipo tipo = Tipo::Messaggio;
    QString testo;
    QString titolo;
    QString filtro; // file dialogs
    IconaMessaggio icona = IconaMessaggio::Nessuna;
    PulsantiMessaggio pulsanti = PulsantiMessaggio::Ok;
    int frequenzaHz = 0;
    int durataMs = 0;
};

// Scripted mode on (and every queue and record cleared) or off.
void Attiva(bool attivo = true);
bool Attivo();
// Answers for the next message boxes; without one the first button answers.
void AccodaRisposta(RispostaMessaggio r);
// Answers for input boxes and file dialogs; nothing means "cancelled".
void AccodaTesto(std::optional<QString> t);
void AccodaFile(std::optional<QString> percorso);
const std::vector<Evento>& Eventi();
std::vector<Evento> Messaggi(); // only the message boxes
void Azzera();

} // namespace Copione
} // namespace Piattaforma
