// gendiz: writes the dictionary file (lng/diz.diz) from its source table.
//   gendiz <source .tsv> <output diz.diz>
//
// Source, UTF-8, one row per entry; lines starting with "#" are comments and
// empty lines are skipped:
//   @lingue<TAB>#English&0<TAB>#Italiano&0     language name lines, once, first
//   <key><TAB><text language 0><TAB><text language 1>...
// key: empty for an ordinary entry; a number N pins the entry at index N (a
// number the program uses directly); "+K" marks a section marker "[...]"
// followed by its K entries. A text wrapped in double quotes loses them, so
// that leading and trailing blanks stay visible.
//
// Output: CR LF lines in Windows-1252, for each language "###", its name line
// and its entries in row order. Any fault in the source is reported with its
// line and nothing is written (an earlier output is removed).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

struct Riga {
    int linea = 0;                  // line in the source file
    std::string chiave;             // first column as written
    std::vector<std::string> testi; // one per language, UTF-8
};

std::vector<std::string> DividiTab(const std::string& s)
{
    std::vector<std::string> campi;
    std::size_t inizio = 0;
    for (;;) {
        const std::size_t pos = s.find('\t', inizio);
        if (pos == std::string::npos) {
            campi.push_back(s.substr(inizio));
            return campi;
        }
        campi.push_back(s.substr(inizio, pos - inizio));
        inizio = pos + 1;
    }
}

std::string TogliVirgolette(const std::string& s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        return s.substr(1, s.size() - 2);
    return s;
}

// Windows-1252 byte for a code point; nullopt outside the code page and for
// control characters, which cannot stand in a text line.
std::optional<uint8_t> ByteCp1252(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return static_cast<uint8_t>(c);
    if (c >= 0xA0 && c <= 0xFF)
        return static_cast<uint8_t>(c);
    static const char32_t alti[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
        0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (alti[i] != 0 && alti[i] == c)
            return static_cast<uint8_t>(0x80 + i);
    return std::nullopt;
}

// UTF-8 to Windows-1252; the error text names the first character that does
// not fit.
std::optional<std::string> InCp1252(const std::string& utf8, std::string& errore)
{
    std::string uscita;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b0 = static_cast<uint8_t>(utf8[i]);
        char32_t c = 0;
        std::size_t n = 0;
        if (b0 < 0x80) {
            c = b0;
            n = 1;
        } else if ((b0 & 0xE0) == 0xC0) {
            c = b0 & 0x1F;
            n = 2;
        } else if ((b0 & 0xF0) == 0xE0) {
            c = b0 & 0x0F;
            n = 3;
        } else if ((b0 & 0xF8) == 0xF0) {
            c = b0 & 0x07;
            n = 4;
        } else {
            errore = "invalid UTF-8";
            return std::nullopt;
        }
        if (i + n > utf8.size()) {
            errore = "invalid UTF-8";
            return std::nullopt;
        }
        for (std::size_t k = 1; k < n; ++k) {
            const auto b = static_cast<uint8_t>(utf8[i + k]);
            if ((b & 0xC0) != 0x80) {
                errore = "invalid UTF-8";
                return std::nullopt;
            }
            c = (c << 6) | (b & 0x3F);
        }
        const auto byte = ByteCp1252(c);
        if (!byte) {
            errore = "character " + utf8.substr(i, n) + " (U+" + [c] {
                static const char* cifre = "0123456789ABCDEF";
                std::string h;
                for (int s = 12; s >= 0; s -= 4)
                    h += cifre[(c >> s) & 0xF];
                return h;
            }() + ") is not in Windows-1252";
            return std::nullopt;
        }
        uscita += static_cast<char>(*byte);
        i += n;
    }
    return uscita;
}

bool EMarcatore(const std::string& s)
{
    return s.size() >= 2 && s.front() == '[' && s.back() == ']';
}

bool SoloCifre(const std::string& s)
{
    if (s.empty() || s.size() > 6)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "use: gendiz <source .tsv> <output diz.diz>\n";
        return 2;
    }
    const std::string sorgente = argv[1];
    const std::filesystem::path destinazione = argv[2];

    std::ifstream in(sorgente, std::ios::binary);
    if (!in) {
        std::cerr << "gendiz: cannot read " << sorgente << "\n";
        return 1;
    }
    const std::string tutto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    int errori = 0;
    auto Errore = [&](int linea, const std::string& testo) {
        std::cerr << sorgente << ":" << linea << ": " << testo << "\n";
        ++errori;
    };

    // Split into source lines (LF or CR LF).
    std::vector<std::string> linee;
    {
        std::size_t inizio = 0;
        while (inizio <= tutto.size()) {
            std::size_t pos = tutto.find('\n', inizio);
            if (pos == std::string::npos)
                pos = tutto.size();
            std::string l = tutto.substr(inizio, pos - inizio);
            if (!l.empty() && l.back() == '\r')
                l.pop_back();
            linee.push_back(l);
            inizio = pos + 1;
        }
    }

    std::vector<std::string> nomiLingue;
    std::vector<Riga> righe;
    for (std::size_t i = 0; i < linee.size(); ++i) {
        const std::string& l = linee[i];
        const int numero = static_cast<int>(i) + 1;
        if (l.empty() || l[0] == '#')
            continue;
        std::vector<std::string> campi = DividiTab(l);
        if (campi[0] == "@lingue") {
            if (!nomiLingue.empty() || !righe.empty()) {
                Errore(numero, "the @lingue line must come once, before every entry");
                continue;
            }
            for (std::size_t k = 1; k < campi.size(); ++k) {
                if (campi[k].size() < 2 || campi[k][0] != '#' || campi[k] == "###")
                    Errore(numero, "language name line \"" + campi[k] + "\" must read #Name or #Name&charset");
                nomiLingue.push_back(campi[k]);
            }
            if (nomiLingue.empty())
                Errore(numero, "no language named");
            continue;
        }
        if (nomiLingue.empty()) {
            Errore(numero, "entry before the @lingue line");
            return 1;
        }
        if (campi.size() != nomiLingue.size() + 1) {
            Errore(numero, "row has " + std::to_string(campi.size() - 1) + " texts, the languages are " +
                               std::to_string(nomiLingue.size()) + " (every row needs every language)");
            continue;
        }
        Riga r;
        r.linea = numero;
        r.chiave = campi[0];
        for (std::size_t k = 1; k < campi.size(); ++k)
            r.testi.push_back(TogliVirgolette(campi[k]));
        righe.push_back(std::move(r));
    }
    if (nomiLingue.empty()) {
        Errore(0, "no @lingue line");
        return 1;
    }
    if (righe.empty())
        Errore(0, "no entries");

    // Texts: not empty, not a line the loader treats specially, Windows-1252.
    std::vector<std::vector<std::string>> byteLingua(nomiLingue.size());
    for (const Riga& r : righe) {
        for (std::size_t k = 0; k < r.testi.size(); ++k) {
            const std::string& t = r.testi[k];
            const std::string lingua = nomiLingue[k];
            std::string errore;
            if (t.empty())
                Errore(r.linea, lingua + ": empty text (write _BLANK_ for an unused entry)");
            else if (t == "###" || t == "GORVANTEX")
                Errore(r.linea, lingua + ": \"" + t + "\" is a control line of the dictionary file");
            const auto b = InCp1252(t, errore);
            if (!b)
                Errore(r.linea, lingua + ": " + errore);
            byteLingua[k].push_back(b.value_or(std::string()));
        }
    }

    // Keys: pinned numbers land at their index; markers are unique, the same
    // in every language, and their entries hold no pinned number and no
    // other marker.
    std::map<std::string, int> marcatori; // text -> index
    std::set<int> fissi;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const Riga& r = righe[i];
        if (SoloCifre(r.chiave)) {
            fissi.insert(std::stoi(r.chiave));
            if (std::stoi(r.chiave) != static_cast<int>(i))
                Errore(r.linea, "entry pinned at " + r.chiave + " lands at " + std::to_string(i));
            if (EMarcatore(r.testi[0]))
                Errore(r.linea, "a pinned entry cannot be a section marker");
        }
    }
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const Riga& r = righe[i];
        if (r.chiave.empty() || SoloCifre(r.chiave)) {
            if (EMarcatore(r.testi[0]))
                Errore(r.linea, "\"" + r.testi[0] + "\" looks like a section marker: give it a +K key");
            continue;
        }
        if (r.chiave[0] != '+' || !SoloCifre(r.chiave.substr(1))) {
            Errore(r.linea, "key \"" + r.chiave + "\" is neither empty, a number nor +K");
            continue;
        }
        const std::string& m = r.testi[0];
        if (!EMarcatore(m)) {
            Errore(r.linea, "a +K row must hold a marker in square brackets");
            continue;
        }
        for (std::size_t k = 1; k < r.testi.size(); ++k)
            if (r.testi[k] != m)
                Errore(r.linea, nomiLingue[k] + ": the marker must be copied as in " + nomiLingue[0]);
        if (fissi.count(static_cast<int>(i)))
            Errore(r.linea, "marker " + m + " stands at the fixed entry " + std::to_string(i));
        if (!marcatori.emplace(m, static_cast<int>(i)).second) {
            Errore(r.linea, "marker " + m + " repeated (first at entry " + std::to_string(marcatori[m]) + ")");
            continue;
        }
        const int voci = std::stoi(r.chiave.substr(1));
        for (int k = 1; k <= voci; ++k) {
            const std::size_t j = i + static_cast<std::size_t>(k);
            if (j >= righe.size()) {
                Errore(r.linea, "section " + m + " needs " + std::to_string(voci) + " entries, the file ends after " +
                                    std::to_string(k - 1));
                break;
            }
            if (SoloCifre(righe[j].chiave)) {
                Errore(r.linea, "section " + m + " entry +" + std::to_string(k) + " collides with fixed entry " +
                                    righe[j].chiave);
                break;
            }
            if (!righe[j].chiave.empty()) {
                Errore(r.linea, "section " + m + " entry +" + std::to_string(k) + " is the next marker " +
                                    righe[j].testi[0] + " (entries missing)");
                break;
            }
        }
    }
    // An ordinary entry equal to a marker would be found instead of it.
    for (const Riga& r : righe) {
        if (!r.chiave.empty() && r.chiave[0] == '+')
            continue;
        for (std::size_t k = 0; k < r.testi.size(); ++k)
            if (marcatori.count(r.testi[k]))
                Errore(r.linea, nomiLingue[k] + ": text equals the marker " + r.testi[k]);
    }

    if (errori > 0) {
        std::error_code ec;
        std::filesystem::remove(destinazione, ec);
        std::cerr << "gendiz: " << errori << " fault(s), " << destinazione.string() << " not written\n";
        return 1;
    }

    std::string uscita;
    for (std::size_t k = 0; k < nomiLingue.size(); ++k) {
        std::string errore;
        uscita += "###\r\n";
        uscita += InCp1252(nomiLingue[k], errore).value_or(nomiLingue[k]) + "\r\n";
        for (const std::string& t : byteLingua[k])
            uscita += t + "\r\n";
    }
    std::error_code ec;
    if (destinazione.has_parent_path())
        std::filesystem::create_directories(destinazione.parent_path(), ec);
    const std::filesystem::path provvisorio = destinazione.string() + ".tmp";
    {
        std::ofstream out(provvisorio, std::ios::binary | std::ios::trunc);
        out.write(uscita.data(), static_cast<std::streamsize>(uscita.size()));
        if (!out) {
            std::cerr << "gendiz: cannot write " << provvisorio.string() << "\n";
            return 1;
        }
    }
    std::filesystem::rename(provvisorio, destinazione, ec);
    if (ec) {
        std::cerr << "gendiz: cannot write " << destinazione.string() << ": " << ec.message() << "\n";
        return 1;
    }
    return 0;
}
