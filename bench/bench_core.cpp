// Hex text of ECU frames and the text-file readers: both run on every frame
// and every settings file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "../tools/codifica/CodificaTesto.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"

namespace {

std::string Trama(size_t n) {
    std::string t(n, '\0');
    for (size_t i = 0; i < n; ++i) t[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return t;
}

void BM_TestoInHex_Trama250(benchmark::State& s) {
    const std::string trama = Trama(250);
    for (auto _ : s) benchmark::DoNotOptimize(ModGlobFunct::ConvertiTestoInHex(trama));
    s.SetBytesProcessed(static_cast<int64_t>(s.iterations()) * 250);
}
BENCHMARK(BM_TestoInHex_Trama250);

void BM_HexInTesto_Trama250(benchmark::State& s) {
    const std::string hex = ModGlobFunct::ConvertiTestoInHex(Trama(250));
    for (auto _ : s) benchmark::DoNotOptimize(ModGlobFunct::ConvertiHexInTesto(hex));
    s.SetBytesProcessed(static_cast<int64_t>(s.iterations()) * 250);
}
BENCHMARK(BM_HexInTesto_Trama250);

// A file of `righe` lines of about 60 characters, as a large dictionary.
class FileGrande {
public:
    FileGrande(size_t righe, bool codificato) {
        percorso_ = (std::filesystem::temp_directory_path() /
                     ("mondaro-bench-" + std::to_string(getpid()) + (codificato ? ".enc" : ".txt")))
                        .string();
        std::vector<std::string> testo;
        testo.reserve(righe);
        for (size_t i = 0; i < righe; ++i)
            testo.push_back("[Voce " + std::to_string(i) + "] testo di prova di una riga del dizionario");
        std::string byte;
        if (codificato) {
            byte = CodificaTesto::CodificaRighe(testo);
        } else {
            for (size_t i = 0; i < testo.size(); ++i) byte += (i ? "\r\n" : "") + testo[i];
        }
        std::ofstream(percorso_, std::ios::binary) << byte;
        dimensione_ = byte.size();
    }
    ~FileGrande() { std::filesystem::remove(percorso_); }
    const std::string& Percorso() const { return percorso_; }
    size_t Dimensione() const { return dimensione_; }

private:
    std::string percorso_;
    size_t dimensione_ = 0;
};

void BM_LeggiFileCodificato(benchmark::State& s) {
    const FileGrande f(static_cast<size_t>(s.range(0)), true);
    for (auto _ : s) benchmark::DoNotOptimize(ModBlck::LeggiFileImpostazioni(f.Percorso()));
    s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * f.Dimensione()));
}
BENCHMARK(BM_LeggiFileCodificato)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LeggiFileTesto(benchmark::State& s) {
    const FileGrande f(static_cast<size_t>(s.range(0)), false);
    for (auto _ : s) benchmark::DoNotOptimize(ModBlck::LeggiFileImpostazioni(f.Percorso()));
    s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * f.Dimensione()));
}
BENCHMARK(BM_LeggiFileTesto)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
