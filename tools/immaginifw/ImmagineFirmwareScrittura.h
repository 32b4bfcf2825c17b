#pragma once
// Writer of firmware images in the ".frh" form the program reads: S2 records
// (byte count, 24-bit address, data, ones' complement checksum), the
// "[AdrFrmwarEcu]" line with the address of the 38-byte information record,
// and the line-encoded form of the built-in images. Header-only so that the
// image tool and the tests share it.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "../codifica/CodificaTesto.h"

namespace ImmagineFirmwareScrittura {

struct Descrizione {
    uint8_t versione = 3, revisione = 2;
    uint8_t giorno = 0x14, mese = 0x05; // BCD
    uint16_t anno = 0x2024;             // BCD, high pair first
    std::string marca{"VX\x09\x02", 4}; // record bytes 7-10
    std::string testo = "VX9 REDADI RXN9 SEQ 4-8CYL "; // 27 characters, third word the compatibility key
    uint32_t indirizzoCodice = 0xFF0000;
    size_t lunghezzaCodice = 320;
    uint32_t indirizzoInfo = 0xFFE000;
    bool conIndirizzoInfo = true; // writes the "[AdrFrmwarEcu]" line
};

// The 38-byte information record.
inline std::string RecordInfo(const Descrizione& d) {
    std::string r;
    r += static_cast<char>(d.versione);
    r += static_cast<char>(d.revisione);
    r += static_cast<char>(d.giorno);
    r += static_cast<char>(d.mese);
    r += static_cast<char>(d.anno >> 8);
    r += static_cast<char>(d.anno & 0xFF);
    r += (d.marca + std::string(4, '\0')).substr(0, 4);
    r += (d.testo + std::string(27, ' ')).substr(0, 27);
    r += '\0';
    return r;
}

inline std::string Esadecimale(const std::string& byte) {
    std::string t;
    char b[3];
    for (const char c : byte) {
        std::snprintf(b, sizeof b, "%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        t += b;
    }
    return t;
}

// One S2 record for up to 251 data bytes.
inline std::string RigaS2(uint32_t indirizzo, const std::string& dati) {
    std::string campi;
    campi += static_cast<char>(dati.size() + 4);
    campi += static_cast<char>((indirizzo >> 16) & 0xFF);
    campi += static_cast<char>((indirizzo >> 8) & 0xFF);
    campi += static_cast<char>(indirizzo & 0xFF);
    campi += dati;
    unsigned somma = 0;
    for (const char c : campi) somma += static_cast<unsigned char>(c);
    campi += static_cast<char>(~somma & 0xFF);
    return "S2" + Esadecimale(campi);
}

// The S0 header record with a name.
inline std::string RigaS0(const std::string& nome) {
    std::string campi;
    campi += static_cast<char>(nome.size() + 3);
    campi += '\0';
    campi += '\0';
    campi += nome;
    unsigned somma = 0;
    for (const char c : campi) somma += static_cast<unsigned char>(c);
    campi += static_cast<char>(~somma & 0xFF);
    return "S0" + Esadecimale(campi);
}

// S2 lines of a block of data, 32 bytes per record.
inline void AggiungiDati(std::vector<std::string>& righe, uint32_t indirizzo, const std::string& dati) {
    for (size_t i = 0; i < dati.size(); i += 32) righe.push_back(RigaS2(indirizzo + static_cast<uint32_t>(i), dati.substr(i, 32)));
}

// The code bytes: a fixed pseudo-random pattern that depends on the release.
inline std::string Codice(const Descrizione& d) {
    std::string c;
    uint32_t x = 0x9E3779B9u ^ (static_cast<uint32_t>(d.versione) << 8 | d.revisione);
    for (size_t i = 0; i < d.lunghezzaCodice; ++i) {
        x = x * 1664525u + 1013904223u;
        uint8_t b = static_cast<uint8_t>(x >> 24);
        if (b == 0xFF) b = 0x4E; // no erased-looking bytes in the code
        c += static_cast<char>(b);
    }
    return c;
}

// The lines of a whole image, without line ends.
inline std::vector<std::string> Righe(const Descrizione& d) {
    std::vector<std::string> r;
    r.push_back(RigaS0("QDLPower.frh")); // header record, ignored by the reader
    AggiungiDati(r, d.indirizzoCodice, Codice(d));
    AggiungiDati(r, d.indirizzoInfo, RecordInfo(d));
    // Reset vector: the start of the code.
    AggiungiDati(r, 0xFFFFFC, std::string{'\0', static_cast<char>((d.indirizzoCodice >> 16) & 0xFF),
                                          static_cast<char>((d.indirizzoCodice >> 8) & 0xFF),
                                          static_cast<char>(d.indirizzoCodice & 0xFF)});
    if (d.conIndirizzoInfo) {
        r.push_back("[AdrFrmwarEcu]");
        char a[9];
        std::snprintf(a, sizeof a, "%08X", d.indirizzoInfo);
        r.push_back(a);
    }
    r.push_back("S804FF0000FC");
    return r;
}

// The image file: CR LF after every line.
inline std::string File(const std::vector<std::string>& righe) {
    std::string t;
    for (const auto& x : righe) t += x + "\r\n";
    return t;
}

// A built-in image resource: every line in the line-encoded form, CR LF after each.
inline std::string Risorsa(const std::vector<std::string>& righe) {
    std::string t;
    for (const auto& x : righe) t += CodificaTesto::CodificaRiga(x) + "\r\n";
    return t;
}

// The two images the program ships: new hardware (built-in 102) and old (101).
inline Descrizione ImmagineNuovoHw() { return Descrizione{}; }
inline Descrizione ImmagineVecchioHw() {
    Descrizione d;
    d.versione = 2;
    d.revisione = 7;
    d.giorno = 0x21;
    d.mese = 0x11;
    d.anno = 0x2019;
    d.marca = std::string("VX\x09\x01", 4);
    d.testo = "VX9 REDADI RXV7 SEQ 4-8CYL ";
    return d;
}

} // namespace ImmagineFirmwareScrittura
