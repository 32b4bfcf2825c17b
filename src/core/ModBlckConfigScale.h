#pragma once
// ConfigScale.ini: the injector, level-sensor, lambda-probe and temperature
// sensor definitions, a few single values, the character tables of the
// configuration name and note, and the custom display tags.
#include <cstdint>
#include <string>
#include <vector>

struct DefinizioneIniettore {
    std::string Nome;
    int32_t Id = 0; // injector type code the ECU keeps (block 3 value 4)
    int32_t Valore1 = 0, Valore2 = 0, Valore3 = 0, Valore4 = 0, Valore5 = 0, Valore6 = 0, Valore7 = 0;
};

struct DefinizioneSensoreLivello {
    std::string Nome;
    int32_t Livelli[6] = {0, 0, 0, 0, 0, 0};
    int32_t Codice = 0;       // key of CercaIndiceSensore (block 3 value 25)
    int32_t UltimoValore = 0; // block 3 value 26
};

struct DefinizioneSondaLambda {
    std::string Nome;
    int32_t Id = 0; // key of CercaIndiceLambda
    int32_t Valore1 = 0, Valore2 = 0, Valore3 = 0, Valore4 = 0, Valore5 = 0, Valore6 = 0;
};

struct DefinizioneSensoreTemperatura {
    std::string Nome;
    int32_t Id = 0;
    int32_t Valore = 0; // block 3 value 45
};

struct VoceTolleranzaCorrettore {
    int32_t Valore1 = 0, Valore2 = 0, Valore3 = 0;
};

// A control name and the display tag it gets (both upper case; empty = none).
struct VocePersonalizzazione {
    std::string NomeControllo;
    std::string Tag;
};

namespace ModBlck {

// Each table holds its definitions in file order, or a single empty record
// when the file has none.
inline std::vector<DefinizioneIniettore> TipiIniettori(1);
inline std::vector<DefinizioneSensoreLivello> SensoriLivello(1);
inline std::vector<DefinizioneSondaLambda> SondeLambda(1);
inline std::vector<DefinizioneSensoreTemperatura> SensoriTemperatura(1);
inline std::vector<VoceTolleranzaCorrettore> TolleranzaCorrettore(1);

inline float SommaTempoInj = 0.0f; // microseconds added to decoded injection times
inline int32_t SogliaSpark = 7000;
inline int32_t MaxBadBit = 15;
// Character codes allowed in the configuration name (block 18 values 0..39)
// and note (values 40..119); a value not listed shows as CarattereDefault.
std::vector<int32_t> TabellaCaratteriIniziale();
inline std::vector<int32_t> CaratteriEcu = TabellaCaratteriIniziale();
inline std::vector<int32_t> CaratteriAscii = TabellaCaratteriIniziale();
inline int32_t CarattereDefault = 32;
inline std::vector<VocePersonalizzazione> PersonalizzazioneVisualizzazione(1);

// Parses the definition sections of the ConfigScale.ini lines. A failing
// statement shows the "Config sensor error" box and the parse goes on.
void LeggiTipo_Inj_SensLevel_Lambda(const std::vector<std::string>& righe);

} // namespace ModBlck
