#include "engine/MDIFrmMem10.h"

#include <cmath>
#include <string>

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckVettori.h"

namespace MDIFrm {

namespace {

constexpr size_t BloccoMem10 = 21;
constexpr int NumeroRecord = 10;
constexpr int64_t CostantePeriodoRpm = 120'000'000; // engine period (us) -> rpm x 2 for the rpm vector
constexpr int64_t PassoVettoreRpm = 64;
constexpr int64_t PassoVettoreTinj = 128;
constexpr int64_t UltimaVoceRpm = 127;
constexpr int64_t UltimaVoceTinj = 179;

const char* const Intestazione =
    "Timer\tConsecutivo\tIndice buffer\tBanco\tIndice iniettata\tPeriodo\tRPM\tInjB per ciclo\t"
    "TInjB #0\tTInjB #1\tTInjB #2\tTInjB #3\tInjG per ciclo\tTInjG #0\tTInjG #1\tTInjG #2";

int64_t Valore(size_t k) {
    if (BloccoMem10 >= TabellaBlocchi.size()) return 0;
    const auto& v = TabellaBlocchi[BloccoMem10].Valori;
    return k < v.size() ? v[k] : 0;
}

// The toolkit's rounding: halves to even (the default rounding mode).
int64_t ArrotondaPari(double x) {
    if (!std::isfinite(x)) return 0;
    return static_cast<int64_t>(std::nearbyint(x));
}

// Vector entry `voce`, or 0 when it lies outside 0..ultima or the vector.
int32_t Voce(std::span<const uint8_t> vettore, int64_t voce, int64_t ultima) {
    if (voce < 0 || voce > ultima || static_cast<size_t>(voce) >= vettore.size()) return 0;
    return vettore[static_cast<size_t>(voce)];
}

void ApriLog() {
    NumeroFileMem10 = 1;
    FileMem10.close();
    FileMem10.clear();
    // An open that fails leaves the stream closed: the lines of the run are lost
    // and the open is not tried again.
    FileMem10.open(ModMain::PercorsoMem10, std::ios::binary | std::ios::out | std::ios::trunc);
    if (FileMem10.is_open()) FileMem10 << Intestazione << "\r\n\r\n";
    BufferB10.Tempo = -1.0;
}

} // namespace

void LoggaMEM10Al(double adessoUs, std::span<const uint8_t> vettoreRpm, std::span<const uint8_t> vettoreTinj) {
    if (NumeroFileMem10 == -1) ApriLog();

    int64_t somma = 0;
    for (size_t k = 0; k < 50; ++k) somma += Valore(k);
    if (somma == 0) return;

    const int64_t millisecondi = ArrotondaPari(adessoUs / 1000.0);

    const int32_t precedente = UltimoConsecutivoMem10;
    const int32_t consecutivo = static_cast<int32_t>(Valore(80));
    const bool accettato = precedente == -1 || (consecutivo == 0 && precedente == 255) || consecutivo == precedente + 1;
    UltimoConsecutivoMem10 = consecutivo;

    const int64_t fattoreRpm = ArrotondaPari(8.0 * static_cast<double>(ModBlck::TempoBlocco));
    RecordBufferB10 lavoro;
    for (int i = 0; i < NumeroRecord; ++i) {
        const auto ui = static_cast<size_t>(i);
        std::string riga;
        if (i == 0) {
            riga += std::to_string(millisecondi) + '\t' + (accettato ? "OK" : "ERR!!!") + '\t' +
                    std::to_string(Valore(80)) + '\t' + std::to_string(Valore(81)) + '\t';
        } else {
            riga += "\t\t\t\t";
        }
        riga += std::to_string(i) + '\t';

        // A cycle without a period has no rpm: the period (0) is written and
        // the rpm field left empty, so the line keeps its 16 fields.
        const int64_t periodo = Valore(40 + ui);
        riga += std::to_string(periodo) + '\t';
        if (periodo != 0) {
            riga += std::to_string(fattoreRpm / periodo);
            lavoro.R[ui] = Voce(vettoreRpm, (CostantePeriodoRpm / periodo) / PassoVettoreRpm, UltimaVoceRpm);
        }
        riga += '\t';

        std::string benzina;
        for (size_t j = 0; j < 4; ++j) {
            const int64_t t = Valore(4 * ui + j);
            lavoro.T[ui + 10 * j] = Voce(vettoreTinj, t / PassoVettoreTinj, UltimaVoceTinj);
            benzina += '\t';
            if (t > 0) {
                ++lavoro.NB[ui];
                benzina += std::to_string(t);
            }
        }
        riga += std::to_string(lavoro.NB[ui]) + benzina + '\t';

        std::string gas;
        for (size_t j = 0; j < 3; ++j) {
            const int64_t t = Valore(50 + 3 * ui + j);
            lavoro.G[ui + 10 * j] = static_cast<int32_t>(t);
            gas += '\t';
            if (t > 0) {
                ++lavoro.NG[ui];
                gas += std::to_string(t);
            }
        }
        riga += std::to_string(lavoro.NG[ui]) + gas + "\r\n";
        if (FileMem10.is_open()) FileMem10 << riga;
    }

    if (accettato) {
        const double tempo = BufferB10.Tempo;
        const int32_t intervallo = BufferB10.Intervallo;
        BufferB10 = lavoro;
        BufferB10.Tempo = tempo;
        BufferB10.Intervallo = intervallo;
        if (BufferB10.Tempo == -1.0) {
            BufferB10.Tempo = adessoUs;
        } else {
            RiavviaB10 = true;
            BufferB10.Intervallo = static_cast<int32_t>(ArrotondaPari((adessoUs - BufferB10.Tempo) / 1000.0 / 10.0));
            BufferB10.Tempo = adessoUs;
        }
    }

    // Most frequent petrol-injection count; the first value to reach the
    // strictly largest count wins (the sentinel -1 counts zero).
    std::array<int32_t, NumeroRecord + 1> valori{};
    size_t distinti = 0;
    valori[distinti++] = -1;
    for (int32_t nb : lavoro.NB) {
        bool nuovo = true;
        for (size_t d = 0; d < distinti; ++d) nuovo = nuovo && valori[d] != nb;
        if (nuovo) valori[distinti++] = nb;
    }
    int32_t migliore = -1;
    int32_t conteggioMigliore = -1;
    for (size_t d = 0; d < distinti; ++d) {
        int32_t conteggio = 0;
        for (int32_t nb : lavoro.NB) conteggio += nb == valori[d];
        if (conteggio > conteggioMigliore) {
            conteggioMigliore = conteggio;
            migliore = valori[d];
        }
    }
    UltimoValoreMem10 = migliore;
}

void ChiudiLogMem10() {
    if (ModMain::Mem10Disponibile && NumeroFileMem10 != -1) FileMem10.close();
}

} // namespace MDIFrm

namespace MDIFrm {

void LoggaMEM10() {
    LoggaMEM10Al(ModGlobFunct::LeggiMicrosecondi(), ModBlck::VettoreRpm, ModBlck::VettoreTinj);
}

} // namespace MDIFrm
