#pragma once
// The original toolkit's conversion rules, on which results depend:
//   CInt / CLng  round halves to the even number and fail outside their range;
//   Int          floors; Fix truncates;
//   Val          reads the leading number of a text and ignores the rest;
//   CLng(text)   fails on a text that is not a number (an error the readers trap).
// Every place that converts uses these helpers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Conv {

// Round half to even.
double ArrotondaPari(double x);

std::optional<int32_t> CLng(double x);
std::optional<int16_t> CInt(double x);
std::optional<uint8_t> CByte(double x);

// Whole text as a number: blanks around it, an optional sign, digits with an
// optional decimal point and exponent, or &H / &O forms. Anything else fails.
std::optional<double> CDbl(std::string_view testo);
std::optional<float> CSng(std::string_view testo);
std::optional<int32_t> CLng(std::string_view testo);
std::optional<int16_t> CInt(std::string_view testo);
inline std::optional<int32_t> CLng(const std::string& t) { return CLng(std::string_view(t)); }
inline std::optional<int32_t> CLng(const char* t) { return CLng(std::string_view(t)); }
inline std::optional<int16_t> CInt(const std::string& t) { return CInt(std::string_view(t)); }
inline std::optional<int16_t> CInt(const char* t) { return CInt(std::string_view(t)); }
bool IsNumeric(std::string_view testo);

// Leading number of the text; blanks, tabs and line feeds are skipped
// everywhere; &H and &O forms are 16-bit (32-bit with a trailing &).
double Val(std::string_view testo);

double Int(double x); // floor
double Fix(double x); // towards zero

// Texts.
std::string Trim(std::string_view s);   // blanks (code 32) only, as the toolkit's Trim
std::string UCase(std::string_view s);  // letters a-z and the Latin-1 lower-case letters
std::string LCase(std::string_view s);
// Str of a whole number: a leading blank for values >= 0.
std::string Str(int64_t v);
// Decimal text without leading blank (CStr of a whole number).
std::string CStr(int64_t v);
// General number text: up to 15 significant digits, no trailing zeros,
// decimal separator as given.
std::string NumeroGenerale(double v, char separatore = '.');
// Split at every occurrence of the separator; an empty text gives one empty item.
std::vector<std::string> Split(std::string_view s, std::string_view sep);

} // namespace Conv
