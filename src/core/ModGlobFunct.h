#pragma once
// General helpers every module calls: the clock and the responsive wait, hex
// text, number formatting, file tests, process list, "|" lists, the warning
// box for trapped errors, status lamps, centring and the grid clipboard text.
#include <QtCore/QString>
#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QWidget;
class QTableWidget;

namespace ModGlobFunct {

struct RecordVersioneSistema {
    int32_t IdPiattaforma = 0;
    std::string NomeSistemaOperativo;
    std::string Versione;
    std::string ServicePack;
    std::string Build;
};

// The locale's decimal separator, set once at start.
inline std::string SeparatoreDecimale = ".";
inline RecordVersioneSistema VersioneSistema;

double LeggiMicrosecondi();
// Runs queued events until `us` microseconds have passed (at least one pass).
void AttendiMicrosecondi(double us);

bool EsisteFile(const std::string& percorso);
bool EsisteCartella(const std::string& percorso);
void CreaCartella(const std::string& percorso); // throws std::runtime_error on failure
std::string CalcolaCartellaBase(const std::string& percorso);

std::string ConvertiHexInTesto(std::string& hex);      // pads the caller's odd text with a leading "0"
std::string ConvertiHexInTesto(const std::string& hex); // same, leaving the text as it is
std::string ConvertiTestoInHex(const std::string& byte);
bool ConvertiTestoInByte(const std::string& testo, std::vector<uint8_t>& byte);
bool ConvertiByteInTesto(const std::vector<uint8_t>& byte, std::string& testo);

// Throws std::overflow_error when the value is outside the formatter's range.
std::string FormattaNumero(double valore, int32_t& decimali, int32_t& cifreMinime);
std::string FormattaNumeroZeri(int32_t millesimi, int32_t& decimali);

std::string LeggiInfoLocale(int32_t locale, int32_t tipo);
std::string LeggiVersioneSistema(RecordVersioneSistema& v);
// True on the old systems whose process list cannot be read (never on this one).
bool SistemaOperativoVecchio();
std::vector<std::string> ElencaProcessi();

// `charset`: the Windows charset through which the 8-bit items reach the screen.
void RiempiComboDaLista(const std::string& lista, QComboBox* combo, int32_t divisore, int32_t charset = 1);
void DividiLista(const std::string& lista, std::vector<int32_t>& valori);

// Warning box for a trapped error. `codice` is the error number: the platform's
// (errno) when `erroreSistema`, otherwise the run-time error's, with its
// `descrizione` (platform errors carry none). 0 means no error number.
void MostraErrore(const std::string& testo, const std::string& parteTitolo, bool erroreSistema,
                  int32_t codice = 0, const std::string& descrizione = {});

// Status lamp: 0 red, 1 yellow, 2 green; any other state changes nothing.
// The border colour goes to the widget's QPalette::WindowText, the fill to
// QPalette::Window; the lamp widget paints from its palette.
void ImpostaColoreStato(QWidget* forma, int32_t stato);
// Centres the child in the container, 30 pixels above the middle, never off
// the top or left edge.
void CentraControllo(QWidget* figlio, QWidget* contenitore);
// Clipboard text of the grid selection; row 0 and column 0 are the grid's
// header cells.
QString CopiaGrigliaInAppunti(const QTableWidget* griglia);

} // namespace ModGlobFunct
