#include "link/ModBlckDatiLive.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "link/ModBlckTrame.h"
#include "link/ModMainStatoLinea.h"

namespace ModBlck {
namespace {

constexpr size_t ParolePeriodo = 32;
constexpr size_t ParolaFlag = 37;
constexpr size_t ParoleLivellate[] = {33, 35, 36, 38, 39, 48};
constexpr size_t TrimObd[] = {30, 34, 38, 42};

int32_t Intero(double x) {
    const double r = Conv::ArrotondaPari(x);
    if (std::isnan(r)) return 0;
    return static_cast<int32_t>(std::clamp(r, -2147483648.0, 2147483647.0));
}

int32_t ValoreBlocco(size_t n, size_t k) {
    if (n >= TabellaBlocchi.size() || k >= TabellaBlocchi[n].Valori.size()) return 0;
    return TabellaBlocchi[n].Valori[k];
}

int32_t TempoCampioneMs() { return Intero(ModGlobFunct::LeggiMicrosecondi() / 1000.0); }

// The OBD fuel trims as percent: raw 128 = 0 %.
void ConvertiTrim(BloccoParametri& b) {
    for (const size_t k : TrimObd)
        if (k < b.Valori.size()) b.Valori[k] = Intero(b.Valori[k] * 0.78125 - 100.0);
}

// Appends one sample's group to the trace. A failed write stops the recording:
// the file is cut back to the groups written whole before it, so that what was
// recorded stays readable and can be saved. False when the recording stopped.
bool ScriviTraccia(const char* etichetta, const char* trama, int32_t tempoMs, const std::string& risposta) {
    if (!FileLogger.is_open()) return true;
    const std::streamoff integri = FileLogger.tellp();
    const std::string t = Conv::CStr(static_cast<int64_t>(Conv::ArrotondaPari(tempoMs - InizioRegistrazione)));
    FileLogger << etichetta << "\r\n"
               << t << " T " << trama << "\r\n"
               << t << " R " << ModGlobFunct::ConvertiTestoInHex(risposta) << "\r\n";
    FileLogger.flush();
    if (FileLogger.good() && integri >= 0) return true;
    StatoRegistrazione = 2;
    FileLogger.close();
    FileLogger.clear();
    if (integri >= 0) {
        // Shrinking a file needs no free space.
        std::error_code e;
        std::filesystem::resize_file(ModMain::PercorsoLoggerTmp, static_cast<std::uintmax_t>(integri), e);
    }
    if (RegistrazioneInterrotta) RegistrazioneInterrotta();
    return false;
}

void AvanzaIndice() {
    ++IndiceAnello;
    if (!AnelloPieno && IndiceAnello > 1) AnelloPieno = true;
    if (IndiceAnello > UltimoIndiceAnello) IndiceAnello = 0;
    if (ModMain::PaginaCorrente == SCHEDA_LOGGER && DrawLineeRunMode) DrawLineeRunMode();
}

// The slot to write, with the rings grown to full size if someone shrank them.
size_t SlotAnello() {
    if (AnelloMem1.size() < UltimoIndiceAnello + 1) AnelloMem1.resize(UltimoIndiceAnello + 1);
    if (AnelloObd.size() < UltimoIndiceAnello + 1) AnelloObd.resize(UltimoIndiceAnello + 1);
    if (IndiceAnello < 0 || IndiceAnello > UltimoIndiceAnello) IndiceAnello = 0;
    return static_cast<size_t>(IndiceAnello);
}

} // namespace

void PassoDatiLive(BloccoParametri& blocco) {
    std::vector<int32_t>& v = blocco.Valori;
    auto esiste = [&](size_t k) { return k < v.size(); };

    // Petrol injection times: the ECU leaves out a fixed part.
    for (size_t k = 15; k >= 8; --k)
        if (esiste(k) && v[k] >= 1) v[k] = Intero(v[k] + static_cast<double>(SommaTempoInj));
    // Lambda inputs (10-bit) and outputs (8-bit) in millivolts.
    for (const size_t k : {35, 36})
        if (esiste(k)) v[k] = Intero(v[k] * 5000.0 / 1024.0);
    for (const size_t k : {38, 39})
        if (esiste(k)) v[k] = Intero(v[k] * 5000.0 / 255.0);

    // Engine period to rpm. A zero divisor means no valid period: 0 rpm, not the raw period.
    if (esiste(ParolePeriodo)) {
        int64_t periodo = v[ParolePeriodo];
        int64_t giri = 0;
        if (esiste(ParolaFlag) && (v[ParolaFlag] & 1)) {
            if (ValoreBlocco(3, 33) & 1) {
                const int64_t divisore = periodo * ValoreBlocco(3, 42);
                if (divisore != 0) giri = 15'000'000 / divisore;
            } else if (periodo != 0) {
                giri = static_cast<int64_t>(Conv::ArrotondaPari(TempoBlocco)) / periodo;
            }
        }
        v[ParolePeriodo] = static_cast<int32_t>(std::clamp<int64_t>(giri, INT32_MIN, INT32_MAX));
    }

    if (DecodificaDaTraccia) return;

    // Live copy: the whole record, with six words smoothed against the previous copy.
    BloccoParametri& copia = ModMain::BloccoAppoggio;
    int32_t precedenti[std::size(ParoleLivellate)];
    bool presenti[std::size(ParoleLivellate)];
    for (size_t i = 0; i < std::size(ParoleLivellate); ++i) {
        presenti[i] = ParoleLivellate[i] < copia.Valori.size();
        precedenti[i] = presenti[i] ? copia.Valori[ParoleLivellate[i]] : 0;
    }
    copia = blocco;
    for (size_t i = 0; i < std::size(ParoleLivellate); ++i) {
        const size_t k = ParoleLivellate[i];
        if (!presenti[i] || k >= copia.Valori.size()) continue; // nothing to smooth against yet
        const bool pressione = k == 33 || k == 48;
        const double peso = (pressione ? ModMain::CostantePressione : ModMain::CostanteLambda) / 10.0;
        copia.Valori[k] = Intero(peso * copia.Valori[k] + (1.0 - peso) * precedenti[i]);
    }

    if (StatoRegistrazione != 1) return;
    const size_t i = SlotAnello();
    const int32_t tempo = TempoCampioneMs();
    AnelloMem1[i] = copia;
    AnelloMem1[i].TempoMs = tempo;
    AnelloObd[i] = TabellaBlocchi.size() > 12 ? TabellaBlocchi[12] : BloccoParametri{};
    AnelloObd[i].TempoMs = tempo;
    ConvertiTrim(AnelloObd[i]);
    if (!ScriviTraccia("CMD_READ_MEM1", TestoTramaLive, tempo, AnelloMem1[i].UltimaRisposta)) return;
    AvanzaIndice();
}

void PassoDatiObd(BloccoParametri& blocco) {
    if (StatoRegistrazione != 1 || DecodificaDaTraccia) return;
    const size_t i = SlotAnello();
    const int32_t tempo = TempoCampioneMs();
    AnelloMem1[i] = TabellaBlocchi.size() > 1 ? TabellaBlocchi[1] : BloccoParametri{};
    AnelloMem1[i].TempoMs = tempo;
    AnelloObd[i] = blocco;
    AnelloObd[i].TempoMs = tempo;
    ConvertiTrim(AnelloObd[i]);
    if (!ScriviTraccia("CMD_READ_OBD_DATA", TestoTramaObd, tempo, AnelloObd[i].UltimaRisposta)) return;
    AvanzaIndice();
}

void PassoTipo(BloccoParametri& blocco) {
    switch (blocco.Tipo) {
    case 1:
        PassoDatiLive(blocco);
        break;
    case 3:
        if (ModMain::AggiornaPassoCarico) ModMain::AggiornaPassoCarico();
        break;
    case 12:
        PassoDatiObd(blocco);
        break;
    default:
        break;
    }
}

void InstallaPassiTipo() { PassoDecodificaTipo = PassoTipo; }

} // namespace ModBlck
