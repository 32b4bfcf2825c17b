#include "core/ModBlckConfigScale.h"

#include <QtCore/QString>
#include <cstdint>
#include <optional>

#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "platform/Dialoghi.h"

namespace ModBlck {

std::vector<int32_t> TabellaCaratteriIniziale() {
    std::vector<int32_t> t(256);
    for (int32_t k = 0; k < 256; ++k) t[static_cast<size_t>(k)] = k;
    return t;
}

namespace {

constexpr const char* ErroreIndice = "Subscript out of range";
constexpr const char* ErroreTipo = "Type mismatch";
constexpr const char* ErroreOverflow = "Overflow";

// The lines being parsed; every failing read shows the error box and answers nothing.
class Lettore {
public:
    explicit Lettore(const std::vector<std::string>& righe) : righe_(righe) {}

    int64_t Ultima() const { return static_cast<int64_t>(righe_.size()) - 1; }
    const std::string& operator[](int64_t i) const { return righe_[static_cast<size_t>(i)]; }

    static void Errore(const char* descrizione) {
        Piattaforma::MostraMessaggio(
            QStringLiteral("LeggiTipo_Inj_SensLevel_Lambda: ") + QString::fromLatin1(descrizione),
            QStringLiteral("Config sensor error"), Piattaforma::IconaMessaggio::Critica,
            Piattaforma::PulsantiMessaggio::Ok);
    }

    std::optional<std::string> Riga(int64_t i) const {
        if (i < 0 || i > Ultima()) {
            Errore(ErroreIndice);
            return std::nullopt;
        }
        return righe_[static_cast<size_t>(i)];
    }

    // A text read as a 32-bit integer, blanks trimmed.
    static std::optional<int32_t> Intero(const std::string& testo) {
        const auto d = Conv::CDbl(Conv::Trim(testo));
        if (!d) {
            Errore(ErroreTipo);
            return std::nullopt;
        }
        const auto v = Conv::CLng(*d);
        if (!v) Errore(ErroreOverflow);
        return v;
    }

    // Line i as an integer into `dest`; on failure `dest` keeps its value.
    void Numero(int64_t i, int32_t& dest) const {
        if (const auto s = Riga(i))
            if (const auto v = Intero(*s)) dest = *v;
    }

    void Nome(int64_t i, std::string& dest) const {
        if (const auto s = Riga(i)) dest = Conv::Trim(*s);
    }

private:
    const std::vector<std::string>& righe_;
};

bool IniziaCon(const std::string& s, const char* prefisso) {
    const std::string p(prefisso);
    return s.size() >= p.size() && s.compare(0, p.size(), p) == 0;
}

// The `quanti` characters before the closing bracket of a section line, as a
// number; 0 (with the error box) when they are not one.
int32_t NumeroSezione(const std::string& s, size_t quanti) {
    if (s.size() < quanti + 1) {
        Lettore::Errore(ErroreTipo);
        return 0;
    }
    return Lettore::Intero(s.substr(s.size() - 1 - quanti, quanti)).value_or(0);
}

// Growth leaves an empty record at the end of a table; it goes when the table
// holds at least one definition.
template <typename T> T& NuovoRecord(std::vector<T>& tabella) {
    tabella.emplace_back();
    return tabella[tabella.size() - 2];
}

template <typename T> void TogliUltimoVuoto(std::vector<T>& tabella) {
    if (tabella.size() > 1) tabella.pop_back();
}

void LeggiLista(const Lettore& l, int64_t i, std::vector<int32_t>& tabella) {
    const auto riga = l.Riga(i);
    if (!riga) return;
    const auto voci = Conv::Split(*riga, "|");
    if (voci.size() < 2) return; // one item or an empty line: the table stays
    tabella.assign(voci.size(), 0);
    for (size_t k = 0; k < voci.size(); ++k)
        if (const auto v = Lettore::Intero(voci[k])) tabella[k] = *v;
}

} // namespace

void LeggiTipo_Inj_SensLevel_Lambda(const std::vector<std::string>& righe) {
    PersonalizzazioneVisualizzazione.assign(1, VocePersonalizzazione{});
    CaratteriEcu = TabellaCaratteriIniziale();
    CaratteriAscii = TabellaCaratteriIniziale();
    CarattereDefault = 32;
    MaxBadBit = 15;

    TipiIniettori.assign(1, DefinizioneIniettore{});
    SensoriLivello.assign(1, DefinizioneSensoreLivello{});
    SondeLambda.assign(1, DefinizioneSondaLambda{});
    SensoriTemperatura.assign(1, DefinizioneSensoreTemperatura{});

    const Lettore l(righe);
    for (int64_t i = 0; i <= l.Ultima(); ++i) {
        const std::string s = l[i];

        if (IniziaCon(s, "[InjType_")) {
            const int32_t id = NumeroSezione(s, 3);
            DefinizioneIniettore& d = NuovoRecord(TipiIniettori);
            d.Id = id;
            l.Nome(i + 1, d.Nome);
            // The file gives the values in the order 1, 3, 2, 4, 6, 5, 7.
            l.Numero(i + 2, d.Valore1);
            l.Numero(i + 3, d.Valore3);
            l.Numero(i + 4, d.Valore2);
            l.Numero(i + 5, d.Valore4);
            l.Numero(i + 6, d.Valore6);
            l.Numero(i + 7, d.Valore5);
            l.Numero(i + 8, d.Valore7);
            i += 8;
        }
        if (IniziaCon(s, "[GasLevel_")) {
            NumeroSezione(s, 2); // must be a number, not kept
            DefinizioneSensoreLivello& d = NuovoRecord(SensoriLivello);
            l.Nome(i + 1, d.Nome);
            l.Numero(i + 2, d.Codice);
            for (int k = 0; k < 6; ++k) l.Numero(i + 3 + k, d.Livelli[k]);
            l.Numero(i + 9, d.UltimoValore);
            i += 9;
        }
        if (IniziaCon(s, "[Lambda_")) {
            const int32_t id = NumeroSezione(s, 2);
            DefinizioneSondaLambda& d = NuovoRecord(SondeLambda);
            d.Id = id;
            l.Nome(i + 1, d.Nome);
            int32_t* valori[] = {&d.Valore1, &d.Valore2, &d.Valore3, &d.Valore4, &d.Valore5, &d.Valore6};
            for (int k = 0; k < 6; ++k) l.Numero(i + 2 + k, *valori[k]);
            i += 7;
        }
        if (IniziaCon(s, "[SensTemp_")) {
            const int32_t id = NumeroSezione(s, 2);
            DefinizioneSensoreTemperatura& d = NuovoRecord(SensoriTemperatura);
            d.Id = id;
            l.Nome(i + 1, d.Nome);
            l.Numero(i + 2, d.Valore);
            i += 2;
        }
        if (s == "[SommaTempoInj_usec]") {
            // The value line is tested as a section line as well (i unchanged).
            if (const auto riga = l.Riga(i + 1)) {
                if (const auto v = Conv::CSng(Conv::Trim(*riga))) SommaTempoInj = *v;
                else Lettore::Errore(Conv::IsNumeric(Conv::Trim(*riga)) ? ErroreOverflow : ErroreTipo);
            }
        }
        if (s == "[Tolleranza correttori]") {
            if (const auto riga = l.Riga(i + 1)) {
                const auto voci = Conv::Split(*riga, "|");
                const size_t n = (voci.size() - 1) / 3;
                TolleranzaCorrettore.resize(n + 1);
                for (size_t k = 0; k <= n; ++k) {
                    int32_t* campi[] = {&TolleranzaCorrettore[k].Valore1, &TolleranzaCorrettore[k].Valore2,
                                        &TolleranzaCorrettore[k].Valore3};
                    for (size_t m = 0; m < 3; ++m) {
                        const size_t indice = 3 * k + m;
                        if (indice >= voci.size()) {
                            Lettore::Errore(ErroreIndice);
                            continue;
                        }
                        if (const auto v = Lettore::Intero(voci[indice])) *campi[m] = *v;
                    }
                }
            }
            i += 2;
        }
        if (s == "[SPARK]") {
            l.Numero(i + 1, SogliaSpark);
            i += 1;
        }
        if (s == "[MAXBADBIT]") {
            l.Numero(i + 1, MaxBadBit);
            i += 1;
        }
        if (s == "[PathDefault]") {
            if (const auto riga = l.Riga(i + 1)) {
                const std::string p = ModMain::PercorsoBase + "/lng/" + *riga;
                if (ModGlobFunct::EsisteFile(p)) ModMain::PercorsoConfigDefault = p;
            }
            i += 1;
        }
        if (s == "[ASCII]") {
            LeggiLista(l, i + 1, CaratteriEcu);
            LeggiLista(l, i + 2, CaratteriAscii);
            if (const auto riga = l.Riga(i + 3))
                if (const auto v = Conv::CLng(Conv::Trim(*riga))) CarattereDefault = *v;
            i += 2;
        }
        if (s == "[VisualizzazioneCustomStart]") {
            int64_t k = 0;
            PersonalizzazioneVisualizzazione.assign(1, VocePersonalizzazione{});
            // The section ends at its end line, at the first line that is not
            // a pair, or at the end of the lines.
            while (i + k + 1 <= l.Ultima()) {
                const std::string& t = l[i + k + 1];
                if (t == "[VisualizzazioneCustomEnd]") break;
                const auto voci = Conv::Split(t, "|");
                if (voci.size() != 2) break;
                PersonalizzazioneVisualizzazione.resize(static_cast<size_t>(k) + 1);
                VocePersonalizzazione& p = PersonalizzazioneVisualizzazione[static_cast<size_t>(k)];
                p.NomeControllo = Conv::UCase(Conv::Trim(voci[0]));
                p.Tag = Conv::UCase(Conv::Trim(voci[1]));
                if (p.Tag == "NUL") p.Tag.clear();
                ++k;
            }
            i += k;
        }
    }

    TogliUltimoVuoto(TipiIniettori);
    TogliUltimoVuoto(SensoriLivello);
    TogliUltimoVuoto(SondeLambda);
    TogliUltimoVuoto(SensoriTemperatura);
}

} // namespace ModBlck
