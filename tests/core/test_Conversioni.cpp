#include <clocale>
#include <gtest/gtest.h>

#include "core/Conversioni.h"

TEST(Conversioni, CLngECIntArrotondanoAlPariEFallisconoFuoriCampo) {
    struct Caso { double x; std::optional<int32_t> lng; std::optional<int16_t> intero; };
    const Caso casi[] = {
        {0.5, 0, 0},       {1.5, 2, 2},         {2.5, 2, 2},          {-0.5, 0, 0},
        {-1.5, -2, -2},    {2.4999, 2, 2},      {32767.4, 32767, 32767},
        {32767.5, 32768, std::nullopt},          {-32768.5, -32768, -32768},
        {2147483647.5, std::nullopt, std::nullopt}, {-2147483648.4, INT32_MIN, std::nullopt},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(Conv::CLng(c.x), c.lng);
        EXPECT_EQ(Conv::CInt(c.x), c.intero);
    }
}

TEST(Conversioni, TestoComeNumero) {
    struct Caso { const char* t; std::optional<int32_t> v; };
    const Caso casi[] = {
        {"12", 12},   {"  -7 ", -7}, {"+3", 3},      {"2.5", 2},    {"3.5", 4},   {"1e3", 1000},
        {"&H10", 16}, {"&HFFFF", -1}, {"&HFFFF&", 65535}, {"&O17", 15}, {"", std::nullopt},
        {"abc", std::nullopt}, {"12abc", std::nullopt}, {"1 2", std::nullopt}, {".", std::nullopt},
        {"3000000000", std::nullopt}, {"1e999", std::nullopt},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.t);
        EXPECT_EQ(Conv::CLng(c.t), c.v);
    }
}

TEST(Conversioni, ValLeggeIlNumeroInTesta) {
    struct Caso { const char* t; double v; };
    const Caso casi[] = {
        {"12abc", 12}, {" 1 2 3", 123}, {"-4.5x", -4.5}, {"abc", 0}, {"", 0},
        {"&H1F zz", 31}, {"1e2e", 100}, {"1e", 1}, {".5", 0.5},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.t);
        EXPECT_DOUBLE_EQ(Conv::Val(c.t), c.v);
    }
}

TEST(Conversioni, IndipendentiDalLocaleDelSistema) {
    const std::string prima = std::setlocale(LC_NUMERIC, nullptr);
    // A comma-decimal locale must not change how the program reads its files.
    if (std::setlocale(LC_NUMERIC, "it_IT.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(Conv::CDbl("1.5"), 1.5);
        EXPECT_EQ(Conv::NumeroGenerale(0.25), "0.25");
    }
    std::setlocale(LC_NUMERIC, prima.c_str());
    EXPECT_EQ(Conv::NumeroGenerale(0.25, ','), "0,25");
    EXPECT_EQ(Conv::NumeroGenerale(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(Conv::NumeroGenerale(100.0), "100");
}

TEST(Conversioni, TestiEDivisione) {
    EXPECT_EQ(Conv::Trim("  a b  "), "a b");
    EXPECT_EQ(Conv::Trim("\ta "), "\ta"); // only blanks are trimmed
    EXPECT_EQ(Conv::UCase("ub\xe8"), "UB\xc8");
    EXPECT_EQ(Conv::Split("a|b||c", "|"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(Conv::Split("", "|"), (std::vector<std::string>{""}));
    EXPECT_EQ(Conv::Int(-1.5), -2);
    EXPECT_EQ(Conv::Fix(-1.5), -1);
}
