#include "ImpostazioniVirUzo.h"

#include <cstdio>
#include <sstream>

#include "LetturaLimitata.h"

#include "../src/link/NumeriCom.h"

namespace {

std::string Pulisci(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
    return s.substr(a, b - a);
}

std::string Minuscolo(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool Intero(const std::string& s, int32_t& v) {
    try {
        size_t fine = 0;
        const long x = std::stol(s, &fine);
        if (fine != s.size()) return false;
        v = static_cast<int32_t>(x);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

ImpostazioniVirUzo LeggiImpostazioniVirUzo(const std::string& percorso) {
    ImpostazioniVirUzo imp;
    bool troppoGrande = false;
    const auto testo = Simulazione::LeggiFileLimitato(percorso, Simulazione::DimensioneMassimaImpostazioni, &troppoGrande);
    // No window here: the program reports the same file in its own box.
    if (troppoGrande) std::fprintf(stderr, "VirUzo: %s too large, not read\n", percorso.c_str());
    std::istringstream f(testo.value_or(std::string()));
    std::string riga;
    while (std::getline(f, riga)) {
        riga = Pulisci(riga);
        if (riga.empty() || riga[0] == ';' || riga[0] == '[') continue;
        const size_t uguale = riga.find('=');
        if (uguale == std::string::npos) continue;
        const std::string chiave = Minuscolo(Pulisci(riga.substr(0, uguale)));
        const std::string valore = Pulisci(riga.substr(uguale + 1));
        int32_t n = 0;
        if (chiave == "modo") imp.simulata = Minuscolo(valore) != "seriale";
        else if (chiave == "baud" && Intero(valore, n) && n > 0) imp.baud = n;
        else if (chiave == "comsimulata" && Intero(valore, n)) imp.comSimulata = n;
        else if (chiave == "attesaecums" && Intero(valore, n) && n > 0) imp.attesaEcuMs = n;
        else if (chiave.rfind("com", 0) == 0 && Intero(chiave.substr(3), n)) imp.dispositivi[n] = valore;
        else imp.scenario.Leggi(chiave, valore);
    }
    return imp;
}

std::string DispositivoDiCom(const ImpostazioniVirUzo& imp, int32_t com) {
    const auto d = imp.dispositivi.find(com);
    if (d != imp.dispositivi.end()) return d->second;
    const std::string nome = NumeriCom::NomeDaNumero(com);
    if (nome.empty()) return {};
    const std::string percorso = "/dev/" + nome;
    // A device the file numbers itself answers only to that number.
    for (const auto& [n, p] : imp.dispositivi)
        if (p == percorso && n != 0) return {};
    return percorso;
}
