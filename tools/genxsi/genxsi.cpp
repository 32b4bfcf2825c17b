// Writes the factory configuration files from the simulated ECU: each file
// holds what a save of the whole ECU reads from it, in the order and format
// the program writes, for a few variants of the simulated car.
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "CentralinaSimulata.h"
#include "config/FileConfigurazione.h"

namespace {

using Simulazione::CentralinaSimulata;

std::string Richiesta(uint8_t comando, const std::string& dati) {
    std::string t{'\x41', '\x02', static_cast<char>(dati.size() + 3), static_cast<char>(comando)};
    t += dati;
    t += static_cast<char>(CentralinaSimulata::Xor(t));
    return t;
}

std::string Intervallo(size_t offset, size_t quanti) {
    return {static_cast<char>(offset & 0xFF), static_cast<char>(offset >> 8), static_cast<char>(quanti)};
}

struct Variante {
    const char* file;   // relative to the base folder
    const char* nome;   // block 18 name
    int32_t id;         // block 15 value 47: the identifier of a built-in file
    int32_t cilindri;
    bool metano;
};

// The frames of every section as the save of the whole ECU reads them.
FileConfigurazione::Trame Leggi(CentralinaSimulata& ecu, bool& ok) {
    FileConfigurazione::Trame t;
    auto chiedi = [&](const std::string& sezione, uint8_t comando, const std::string& dati = {}) {
        const std::string r = ecu.Rispondi(Richiesta(comando, dati));
        if (r.size() < 6 || r[4] != 0) ok = false;
        t[sezione] = r;
    };
    auto blocco = [&](const std::string& sezione, size_t n) { chiedi(sezione, ecu.Blocco(n).comandoLettura); };
    chiedi("[FW]", 0x21);
    blocco("[BLK_1]", 1);
    blocco("[BLK_2]", 2);
    blocco("[BLK_3]", 3);
    t["[BLK_3]"] = FileConfigurazione::NormalizzaBlocco3(t["[BLK_3]"]);
    blocco("[COLL]", 5);
    const uint8_t mappe[] = {0x12, 0x16, 0x78};
    for (int p = 0; p < 3; ++p) {
        const auto nomi = FileConfigurazione::SezioniMappa(p);
        for (size_t c = 0; c < 5; ++c) chiedi(nomi[c], mappe[p], Intervallo(110 * c, FileConfigurazione::CellePezzo(c)));
    }
    chiedi("[BLK_5]", 0x31);
    const std::pair<const char*, size_t> blocchi[] = {{"[RIT_COM]", 6},      {"[COM_TRIDX]", 7}, {"[COM_TGASX]", 8},
                                                      {"[COM_PGASX]", 9},    {"[COM_PBENX]", 17}, {"[COM_SMAG]", 13},
                                                      {"[EMULA_LAMBDA]", 11}, {"[OBD_DATA]", 12}, {"[OBD_DATA_DAT2]", 14},
                                                      {"[ERROR_ECU]", 4},    {"[FREEZE_FRAME]", 10}, {"[BLK_6]", 15},
                                                      {"[BLK_8]", 16},       {"[BLK_DINST]", 18}, {"[OBD_ERR]", 19},
                                                      {"[OBD_INFO_ERR]", 20}};
    for (const auto& [s, n] : blocchi) blocco(s, n);
    chiedi("[TBenz]", 0x1B);
    chiedi("[TGas]", 0x1C);
    chiedi("[TRisult]", 0x20);
    chiedi("[TIsto]", 0x1F);
    chiedi("[VET_RPM_0]", 0x4B, Intervallo(0, 64));
    chiedi("[VET_RPM_1]", 0x4B, Intervallo(64, 64));
    chiedi("[VET_TINJ_0]", 0x4E, Intervallo(0, 90));
    chiedi("[VET_TINJ_1]", 0x4E, Intervallo(90, 90));
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: genxsi <SetCom.ini> <dist> <title> <version>\n");
        return 2;
    }
    const std::string setCom = argv[1], dist = argv[2];
    char data[32];
    const std::time_t adesso = std::time(nullptr);
    std::strftime(data, sizeof data, "%d/%m/%Y %H:%M", std::localtime(&adesso));
    const std::string info = std::string(argv[3]) + " " + argv[4] + " " + ", file created " + data;

    const Variante varianti[] = {
        {"lng/00 Redadi Inj Custom.xsi", "Redadi Inj Custom", 0, 4, false},
        {"lng/01 Redadi Inj LPG 4 Cyl.xsi", "Redadi Inj LPG 4 Cyl", 1, 4, false},
        {"lng/02 Redadi Inj CNG 4 Cyl.xsi", "Redadi Inj CNG 4 Cyl", 2, 4, true},
        {"lng/03 Redadi Inj LPG 6 Cyl.xsi", "Redadi Inj LPG 6 Cyl", 3, 6, false},
        {"bin/up.xsi", "Redadi Inj Custom", 0, 4, false},
    };
    for (const auto& v : varianti) {
        CentralinaSimulata ecu(setCom);
        if (!ecu.Caricata() || ecu.NumeroBlocchi() <= 20) {
            std::fprintf(stderr, "genxsi: cannot read %s\n", setCom.c_str());
            return 1;
        }
        std::string nome = v.nome;
        nome.resize(40, ' ');
        for (size_t k = 0; k < nome.size(); ++k) ecu.ImpostaValore(18, k, static_cast<uint8_t>(nome[k]));
        ecu.ImpostaValore(15, 47, v.id);
        // Cylinder count (block 3 value 1, the ECU record's value 6) and the
        // enabled cylinder positions (block 3 values 16 down to 9).
        ecu.ImpostaValore(3, 1, v.cilindri);
        ecu.ImpostaValore(5, 6, v.cilindri);
        for (int32_t i = 0; i < 8; ++i) ecu.ImpostaValore(3, static_cast<size_t>(16 - i), i < v.cilindri ? 1 : 0);
        if (v.metano) {
            ecu.ImpostaValore(3, 33, ecu.Valore(3, 33) | 0x20);
            // Methane needs longer gas injection: the main map a step richer.
            for (char& c : ecu.trasferimenti.mappe[0]) c = static_cast<char>(std::min(255, static_cast<uint8_t>(c) + 12));
        }
        bool ok = true;
        const auto trame = Leggi(ecu, ok);
        if (!ok) {
            std::fprintf(stderr, "genxsi: the simulated ECU refused a read for %s\n", v.file);
            return 1;
        }
        std::string nota = "Factory configuration";
        nota.resize(80, ' ');
        const std::string testo = FileConfigurazione::ComponiFile(info, nota, trame, true);
        if (!FileConfigurazione::ScriviFileSicuro(dist + "/" + v.file, testo)) {
            std::fprintf(stderr, "genxsi: cannot write %s/%s\n", dist.c_str(), v.file);
            return 1;
        }
    }
    return 0;
}
