#include "obd/ObdMappa.h"

#include <cctype>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "engine/ModMainConnessione.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckTrameSalvate.h"

namespace ObdMappa {

std::vector<std::string> TestiTabella(const std::string& r) {
    std::vector<std::string> t;
    for (size_t k = 0; k < static_cast<size_t>(Righe * Colonne); ++k) {
        const size_t i = 6 + k;
        const int32_t b = i < r.size() && i <= 127 ? static_cast<uint8_t>(r[i]) : 0;
        t.push_back(std::to_string(b >= 128 ? b - 256 : b));
    }
    return t;
}

int32_t ColoreBarre(uint8_t r, uint8_t c) { return r != 0 && c != 0 ? 0xFF : 0x80; }

std::optional<std::vector<int32_t>> ValoriJumper(const std::vector<std::string>& testi) {
    std::vector<int32_t> v;
    for (const auto& t : testi) {
        const std::string s = Conv::Trim(t);
        size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
        if (i >= s.size()) return std::nullopt;
        for (size_t j = i; j < s.size(); ++j)
            if (!std::isdigit(static_cast<unsigned char>(s[j]))) return std::nullopt;
        if (s.size() - i > 10) return std::nullopt;
        const long long n = std::stoll(s);
        if (n < INT32_MIN || n > INT32_MAX) return std::nullopt;
        v.push_back(static_cast<int32_t>(n));
    }
    return v;
}

std::string TestoAppunti(const std::vector<std::string>& colonne, const std::vector<std::string>& righe,
                         const std::vector<std::string>& celle) {
    std::string t = "\t";
    for (size_t j = 0; j < colonne.size(); ++j) t += colonne[j] + (j + 1 < colonne.size() ? "\t" : "");
    t += "\r\n";
    const size_t n = colonne.size();
    for (size_t i = 0; i < righe.size(); ++i) {
        t += righe[i] + "\t";
        for (size_t j = 0; j < n; ++j) {
            const size_t k = i * n + j;
            t += k < celle.size() ? celle[k] : std::string();
            if (j + 1 < n) t += "\t";
        }
        t += i + 1 < righe.size() ? "\r\n" : "\t";
    }
    return t;
}

RigaTRisult VerificaFileMappa(const std::vector<std::string>& righe) {
    RigaTRisult r;
    for (size_t i = 0; i < righe.size(); ++i) {
        if (righe[i] != "[TRisult]") continue;
        const std::string& riga = i + 1 < righe.size() ? righe[i + 1] : std::string();
        // An empty line (a file saved before any table was read) holds no table:
        // nothing is sent, as for a file without the section.
        if (riga.empty()) return r;
        r.Trovata = true;
        if (riga.size() != 2 * 127) return r;
        for (const char c : riga)
            if (!std::isxdigit(static_cast<unsigned char>(c))) return r;
        r.Valida = ModBlck::TramaRispostaAttesa(ModGlobFunct::ConvertiHexInTesto(riga), CMD_READ_TRISULT, 121);
        return r;
    }
    return r;
}

int32_t PassoCarico(int32_t b3v49) { return (b3v49 & 0x02) ? 64 : 128; }

void AggiornaPassoCarico() {
    const int32_t v = TabellaBlocchi.size() > 3 && TabellaBlocchi[3].Valori.size() > 49 ? TabellaBlocchi[3].Valori[49] : 0;
    const int32_t passo = PassoCarico(v);
    if (ModMain::UnitaRpmBlocco3 != passo) ModMain::UnitaRpmBlocco3 = passo;
}

} // namespace ObdMappa
