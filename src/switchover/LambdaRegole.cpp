#include "switchover/LambdaRegole.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"

namespace LambdaRegole {

namespace {

double LambdaVicino(double x) { return Conv::ArrotondaPari(x); }

bool LambdaSu(int16_t tasto) { return tasto == 187 || tasto == 107; }

} // namespace

int32_t CodiceDaVolt(double volt) { return static_cast<int32_t>(LambdaVicino(LambdaVicino(volt * 1000.0) / 19.6)); }

double VoltDaCodice(int32_t codice) {
    const auto t = static_cast<int64_t>(LambdaVicino(codice * 19.6));
    return static_cast<double>(t / 10) / 100.0;
}

std::string TestoNumero(double v, char separatore) { return Conv::NumeroGenerale(v, separatore); }

std::string TestoVolt(int32_t codice, char separatore) { return TestoNumero(VoltDaCodice(codice), separatore); }

std::string TestoCella(int32_t codice, bool modoCodice, char separatore) {
    return modoCodice ? std::to_string(codice - 127) : TestoVolt(codice, separatore);
}

int32_t CodiceCella(double numero, bool modoCodice) {
    if (modoCodice) return static_cast<int32_t>(LambdaVicino(numero + 127.0));
    return static_cast<int32_t>(LambdaVicino(LambdaVicino(numero * 1000.0) / 19.6));
}

std::optional<ModificaPreset> Preset(const std::vector<DefinizioneSondaLambda>& sonde, int posizione) {
    if (posizione < 0) return std::nullopt;
    int32_t k = -1;
    for (size_t i = 0; i < sonde.size() && k < 0; ++i)
        if (static_cast<int16_t>(sonde[i].Id) == static_cast<int16_t>(posizione)) k = static_cast<int32_t>(i);
    if (k < 0) return std::nullopt;
    const auto& d = sonde[static_cast<size_t>(k)];
    ModificaPreset m;
    m.blocco3 = {{posizione, 38, 0}};
    const int32_t mv[4] = {d.Valore3, d.Valore4, d.Valore5, d.Valore6};
    int32_t codici[4];
    for (int i = 0; i < 4; ++i) {
        codici[i] = static_cast<int32_t>(LambdaVicino((mv[i] - 19.6) / 19.6));
        m.blocco11.push_back({codici[i], 65 + i, 0});
    }
    m.modoCodice = posizione == 0 || posizione == 5;
    const int32_t valore =
        m.modoCodice ? 127 : static_cast<int32_t>(LambdaVicino((codici[0] - codici[1]) / 2.0 + codici[1]));
    for (int c = 0; c < Colonne; ++c)
        for (int r = 0; r < Righe; ++r) m.blocco11.push_back({valore, IndiceMappa(r, c), 0});
    return m;
}

int32_t ParolaSonda2(int32_t parola70, int posizione) { return (parola70 & 0xF0) | posizione; }
int32_t ParolaFiltro(int32_t parola70, int posizione) { return (parola70 & 0x0F) | (posizione * 16); }

int IndiceRitardo(const std::vector<std::optional<double>>& secondi, int32_t millisecondi) {
    for (size_t i = 0; i < secondi.size(); ++i)
        if (secondi[i] && *secondi[i] * 1000.0 >= millisecondi) return static_cast<int>(i);
    return -1;
}

Abilitazioni Abilita(int32_t p, bool emulazione, int posizione) {
    Abilitazioni a{};
    a.soglieAnte = p != 5 && p != 0 && emulazione;
    a.soglieDopo = p != 0 && emulazione;
    a.griglie = a.soglieDopo;
    a.sonde = posizione != 0;
    a.ritardo = posizione != 0 && emulazione;
    return a;
}

Intervallo IntervalloSonda(int posizione) {
    if (posizione == 1) return {0, 1000};
    if (posizione == 4) return {800, 1600};
    return {0, 4990};
}

bool TastoPasso(int16_t tasto) { return tasto == 187 || tasto == 107 || tasto == 189 || tasto == 109; }

int32_t PassoAsse(int32_t v, int16_t tasto, int16_t maiuscole, int32_t passoPiccolo, int32_t passoGrande, int32_t minimo,
                  int32_t massimo) {
    const int32_t passo = maiuscole == 1 ? passoGrande : passoPiccolo;
    int64_t n = static_cast<int64_t>(v) + (LambdaSu(tasto) ? passo : -passo);
    if (n > massimo) n = massimo;
    if (n < minimo) n = minimo; // neighbours out of order: the lower bound wins
    return static_cast<int32_t>(n);
}

double PassoCella(double numero, bool modoCodice, int16_t tasto, int16_t maiuscole, int posizione) {
    const bool su = LambdaSu(tasto);
    if (modoCodice) {
        double v = numero + (su ? 1 : -1) * (maiuscole == 1 ? 10 : 1);
        return std::clamp(v, -127.0, 128.0);
    }
    const double s = maiuscole == 1 ? 98.0 : 19.6;
    double m = LambdaVicino(numero * 1000.0);
    m = LambdaVicino(su ? m + s : m - s);
    const double v = VoltDaCodice(static_cast<int32_t>(LambdaVicino(m / 19.6)));
    const Intervallo i = IntervalloSonda(posizione);
    return std::clamp(v, i.minimo / 1000.0, i.massimo / 1000.0);
}

double ApplicaValore(double numero, bool modoCodice, int32_t operazione, float valore, int posizione) {
    double m = LambdaVicino(numero * 1000.0);
    switch (operazione) {
    case 1: m = LambdaVicino(m + static_cast<double>(valore) * 1000.0); break;
    case 2: m = LambdaVicino(m * (1.0 + static_cast<double>(valore) / 100.0)); break;
    case 3: m = LambdaVicino(static_cast<double>(valore) * 1000.0); break;
    default: return numero;
    }
    if (modoCodice) return LambdaVicino(std::clamp(m, -127000.0, 127000.0) / 1000.0);
    const Intervallo i = IntervalloSonda(posizione);
    m = std::clamp(m, static_cast<double>(i.minimo), static_cast<double>(i.massimo));
    return VoltDaCodice(static_cast<int32_t>(LambdaVicino(m / 19.6)));
}

int32_t MassimoSoglia(int posizione) {
    if (posizione == 1) return 1000;
    if (posizione == 4) return 1600;
    if (posizione == 5) return 255000;
    return 5000;
}

double LimitaSoglia(double volt, int posizione) {
    double m = LambdaVicino(volt * 1000.0);
    m = std::clamp(m, 0.0, static_cast<double>(MassimoSoglia(posizione)));
    return LambdaVicino(m / 10.0) / 100.0;
}

int32_t CodiceSoglia(double volt) { return std::clamp(CodiceDaVolt(volt), 0, 255); }

double RegolaCoppia(double valore, double compagno, bool alta) {
    if (alta) return compagno > valore ? compagno : valore;
    return compagno < valore ? compagno : valore;
}

int IndiceCursore(const std::vector<std::optional<double>>& punti, int32_t valore) {
    int i = static_cast<int>(punti.size());
    for (size_t k = 0; k < punti.size(); ++k)
        if (punti[k] && *punti[k] > valore) {
            i = static_cast<int>(k);
            break;
        }
    return std::max(i, 1);
}

} // namespace LambdaRegole
