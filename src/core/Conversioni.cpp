#include "core/Conversioni.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <charconv>
#include <cstdlib>

namespace Conv {

double ArrotondaPari(double x) {
    if (!std::isfinite(x)) return x;
    const double f = std::floor(x);
    const double d = x - f;
    if (d > 0.5) return f + 1.0;
    if (d < 0.5) return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

double Int(double x) { return std::floor(x); }
double Fix(double x) { return std::trunc(x); }

std::optional<int32_t> CLng(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double r = ArrotondaPari(x);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(r);
}

std::optional<int16_t> CInt(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double r = ArrotondaPari(x);
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<uint8_t> CByte(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double r = ArrotondaPari(x);
    if (r < 0.0 || r > 255.0) return std::nullopt;
    return static_cast<uint8_t>(r);
}

namespace {
// Locale-independent: the program's numbers always use '.' whatever the
// user's locale says (strtod would follow LC_NUMERIC).
double LeggiDecimale(const std::string& t) {
    double v = 0.0;
    const char* a = t.data();
    if (*a == '+') ++a;
    const auto r = std::from_chars(a, t.data() + t.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) return HUGE_VAL;
    return v;
}

bool Spazio(char c) { return c == ' ' || c == '\t'; }

// &H / &O literal starting at s[i] == '&'. Returns the value and the end.
std::optional<double> LeggiBase(std::string_view s, size_t& i, bool lungoAmmesso) {
    if (i + 1 >= s.size()) return std::nullopt;
    const char b = static_cast<char>(s[i + 1] | 0x20);
    int base = 0;
    if (b == 'h') base = 16;
    else if (b == 'o') base = 8;
    else return std::nullopt;
    size_t j = i + 2;
    uint64_t v = 0;
    size_t cifre = 0;
    while (j < s.size()) {
        const char c = s[j];
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && (c | 0x20) >= 'a' && (c | 0x20) <= 'f') d = (c | 0x20) - 'a' + 10;
        if (d < 0 || d >= base) break;
        v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFull) return std::nullopt;
        ++cifre;
        ++j;
    }
    if (cifre == 0) return std::nullopt;
    bool lungo = false;
    if (lungoAmmesso && j < s.size() && s[j] == '&') {
        lungo = true;
        ++j;
    }
    i = j;
    if (!lungo && v <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(v)));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
}
} // namespace

std::optional<double> CDbl(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && Spazio(s[i])) ++i;
    size_t fine = s.size();
    while (fine > i && Spazio(s[fine - 1])) --fine;
    s = s.substr(0, fine);
    if (i >= s.size()) return std::nullopt;
    if (s[i] == '&') {
        auto v = LeggiBase(s, i, true);
        if (!v || i != s.size()) return std::nullopt;
        return v;
    }
    // decimal: [sign] digits [. digits] [(e|d) [sign] digits]
    std::string t;
    size_t j = i;
    if (s[j] == '+' || s[j] == '-') t.push_back(s[j++]);
    size_t cifre = 0;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') { t.push_back(s[j++]); ++cifre; }
    if (j < s.size() && s[j] == '.') {
        t.push_back(s[j++]);
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { t.push_back(s[j++]); ++cifre; }
    }
    if (cifre == 0) return std::nullopt;
    if (j < s.size() && ((s[j] | 0x20) == 'e' || (s[j] | 0x20) == 'd')) {
        t.push_back('e');
        ++j;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) t.push_back(s[j++]);
        size_t esp = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { t.push_back(s[j++]); ++esp; }
        if (esp == 0) return std::nullopt;
    }
    if (j != s.size()) return std::nullopt;
    const double v = LeggiDecimale(t);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<float> CSng(std::string_view s) {
    auto v = CDbl(s);
    if (!v) return std::nullopt;
    if (std::fabs(*v) > 3.402823466e38) return std::nullopt;
    return static_cast<float>(*v);
}

std::optional<int32_t> CLng(std::string_view s) {
    // Up to nine plain digits are read at once: the same whole number the
    // decimal reading gives, without its copy and conversion.
    if (!s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int32_t n = 0;
        for (const char c : s) n = n * 10 + (c - '0');
        return n;
    }
    auto v = CDbl(s);
    if (!v) return std::nullopt;
    return CLng(*v);
}

std::optional<int16_t> CInt(std::string_view s) {
    auto v = CDbl(s);
    if (!v) return std::nullopt;
    return CInt(*v);
}

bool IsNumeric(std::string_view s) { return CDbl(s).has_value(); }

double Val(std::string_view s) {
    // Blanks, tabs and line feeds are ignored wherever they stand.
    std::string t;
    t.reserve(s.size());
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\n') t.push_back(c);
    size_t i = 0;
    if (i < t.size() && t[i] == '&') {
        auto v = LeggiBase(t, i, true);
        return v ? *v : 0.0;
    }
    std::string n;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) n.push_back(t[i++]);
    bool cifre = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') { n.push_back(t[i++]); cifre = true; }
    if (i < t.size() && t[i] == '.') {
        n.push_back(t[i++]);
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') { n.push_back(t[i++]); cifre = true; }
    }
    if (!cifre) return 0.0;
    if (i < t.size() && ((t[i] | 0x20) == 'e' || (t[i] | 0x20) == 'd')) {
        std::string e = "e";
        size_t k = i + 1;
        if (k < t.size() && (t[k] == '+' || t[k] == '-')) e.push_back(t[k++]);
        bool ce = false;
        while (k < t.size() && t[k] >= '0' && t[k] <= '9') { e.push_back(t[k++]); ce = true; }
        if (ce) n += e;
    }
    const double v = LeggiDecimale(n);
    return std::isfinite(v) ? v : 0.0;
}

std::string Trim(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ') ++a;
    while (b > a && s[b - 1] == ' ') --b;
    return std::string(s.substr(a, b - a));
}

std::string UCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = static_cast<char>(u - 32);
    }
    return r;
}

std::string LCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 32);
    }
    return r;
}

std::string Str(int64_t v) { return (v >= 0 ? " " : "") + std::to_string(v); }
std::string CStr(int64_t v) { return std::to_string(v); }

std::string NumeroGenerale(double v, char separatore) {
    if (v == 0.0) return "0";
    char buf[64];
    const auto fine = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15).ptr;
    std::string r(buf, fine);
    for (char& c : r)
        if (c == 'e') c = 'E';
    // Exponent forms are rare here; keep them as printed (E+nn), trimmed.
    const auto e = r.find('E');
    std::string mant = e == std::string::npos ? r : r.substr(0, e);
    const std::string esp = e == std::string::npos ? std::string() : r.substr(e);
    if (mant.find('.') != std::string::npos) {
        while (!mant.empty() && mant.back() == '0') mant.pop_back();
        if (!mant.empty() && mant.back() == '.') mant.pop_back();
    }
    for (char& c : mant)
        if (c == '.') c = separatore;
    return mant + esp;
}

std::vector<std::string> Split(std::string_view s, std::string_view sep) {
    std::vector<std::string> r;
    if (sep.empty()) {
        r.emplace_back(s);
        return r;
    }
    size_t a = 0;
    for (;;) {
        const size_t k = s.find(sep, a);
        if (k == std::string_view::npos) {
            r.emplace_back(s.substr(a));
            return r;
        }
        r.emplace_back(s.substr(a, k - a));
        a = k + sep.size();
    }
}

} // namespace Conv
