#pragma once
// Writer of the encoded text form that the program reads: every character
// code c becomes the four decimal digits of 2c, the groups are joined and the
// whole line is reversed. A file opens with the encoded marker line.
// Header-only so that tests and fuzz seed builders can include it directly.
#include <cstddef>
#include <string>
#include <vector>

namespace CodificaTesto {

inline constexpr const char* Marcatore = "GORVANTEX";

// One line, without line break.
inline std::string CodificaRiga(const std::string& riga)
{
    std::string gruppi;
    gruppi.reserve(riga.size() * 4);
    for (char ch : riga) {
        const unsigned n = 2u * static_cast<unsigned char>(ch);
        gruppi += static_cast<char>('0' + n / 1000);
        gruppi += static_cast<char>('0' + n / 100 % 10);
        gruppi += static_cast<char>('0' + n / 10 % 10);
        gruppi += static_cast<char>('0' + n % 10);
    }
    return std::string(gruppi.rbegin(), gruppi.rend());
}

// Splits at every separator; text ending with it yields a last empty line,
// as the readers do.
inline std::vector<std::string> DividiRighe(const std::string& testo, const std::string& separatore = "\r\n")
{
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    for (;;) {
        const std::size_t pos = testo.find(separatore, inizio);
        if (pos == std::string::npos) {
            righe.push_back(testo.substr(inizio));
            return righe;
        }
        righe.push_back(testo.substr(inizio, pos - inizio));
        inizio = pos + separatore.size();
    }
}

// Whole file from its text lines: the marker line first, lines joined by
// CR LF. Read back, it gives exactly `righe`.
inline std::string CodificaRighe(const std::vector<std::string>& righe)
{
    std::string uscita = CodificaRiga(Marcatore);
    for (const std::string& riga : righe) {
        uscita += "\r\n";
        uscita += CodificaRiga(riga);
    }
    return uscita;
}

// Whole file from plain text split at CR LF.
inline std::string CodificaFile(const std::string& testo)
{
    return CodificaRighe(DividiRighe(testo));
}

} // namespace CodificaTesto
