// The correction curve: built from the nine-breakpoint line, packed into map
// page 0 as 16-bit words and unpacked again.
#include <gtest/gtest.h>

#include <cmath>

#include "core/ModRetta.h"

namespace {

RecordRettaCorrezione RettaRegolare(float passo, float scarto, float offset) {
    RecordRettaCorrezione r;
    for (int k = 0; k <= 8; ++k) {
        r.X[k] = passo * static_cast<float>(k);
        r.Y[k] = r.X[k] + scarto;
    }
    r.Offset = offset;
    r.Fattore = 1.25f;
    return r;
}

CurvaRetta Riempita(float v) {
    CurvaRetta c;
    c.fill(v);
    return c;
}

} // namespace

TEST(CalcolaCurvaRetta, LineaParallelaDaValoreCostante) {
    for (float offset : {0.0f, -0.5f, 3.0f}) {
        SCOPED_TRACE(offset);
        const auto r = RettaRegolare(2.752f, 0.1f, offset);
        CurvaRetta c = Riempita(-99.0f);
        ModRetta::CalcolaCurvaRetta(c, r);
        for (int i = 0; i <= 179; ++i) EXPECT_NEAR(c[i], 0.1f, 1e-5f) << "entry " << i;
        EXPECT_EQ(c[180], offset);
        EXPECT_EQ(c[181], 1.25f);
        EXPECT_EQ(c[182], 0.0f);
        for (int k = 1; k <= 8; ++k) EXPECT_EQ(c[182 + k], std::nearbyint(2.752f * k / 0.128f)) << k;
        EXPECT_EQ(c[191], -99.0f) << "entry 191 is not set";
    }
}

TEST(CalcolaCurvaRetta, Voce172NonSegueLaRetta) {
    RecordRettaCorrezione r;
    for (int k = 0; k <= 8; ++k) {
        r.X[k] = 2.0f + 2.0f * static_cast<float>(k); // X(7) = 16 ... adjusted below
        r.Y[k] = r.X[k] + 0.2f * static_cast<float>(k);
    }
    r.X[7] = 20.0f;
    r.Y[7] = 21.0f;
    r.X[8] = 21.0f;
    r.Y[8] = 22.5f;
    r.Offset = 0.25f;
    CurvaRetta c = Riempita(-7.0f);
    ModRetta::CalcolaCurvaRetta(c, r);
    const float f8 = r.Y[8] - r.X[8] - r.Offset;
    const float atteso = f8 / (r.X[8] - r.X[7]) * (22.016f - r.X[7]) + r.Offset;
    EXPECT_FLOAT_EQ(c[172], atteso);
    // The straight line through breakpoints 7 and 8 would give 1.5 + 0.5 x 1.016.
    EXPECT_GT(std::fabs(c[172] - (1.5f + 0.5f * 1.016f)), 0.1f);
    for (int i = 173; i <= 179; ++i) EXPECT_EQ(c[i], c[172]);
    // Entries below X(0) = 2 ms keep their earlier values.
    for (int i = 0; i * 0.128f < 2.0f; ++i) EXPECT_EQ(c[i], -7.0f) << i;
    // Between X(0) and X(1) the line is interpolated: Y - X goes 0 -> 0.2.
    EXPECT_NEAR(c[23], 0.2f * (23 * 0.128f - 2.0f) / 2.0f, 1e-5f);
}

TEST(CalcolaCurvaRetta, RettaAZeroFermaAllaVoce172) {
    // With every breakpoint at 0 the segments are skipped and the division of
    // entry 172 fails: entries 172..190 keep their values.
    CurvaRetta c = Riempita(4.0f);
    ModRetta::CalcolaCurvaRetta(c, RecordRettaCorrezione{});
    for (float v : c) EXPECT_EQ(v, 4.0f);
}

TEST(CompattaCurvaInMappa, ParoleEStraiInverso) {
    struct Caso {
        int voce;
        float valore;
        uint8_t basso, alto;
    } casi[] = {
        {0, -0.008f, 0xFF, 0xFF}, {1, 0.008f, 0x01, 0x00}, {179, 0.496f, 0x3E, 0x00},
        {180, -0.5f, 0x0C, 0xFE}, {181, 1.25f, 0xE2, 0x04}, {183, 172.0f, 0xAC, 0x00},
        {190, -3.0f, 0xFD, 0xFF},
    };
    CurvaRetta c{};
    for (const auto& x : casi) c[x.voce] = x.valore;
    PaginaMappa p;
    for (auto& r : p) r.fill(0x5A);
    ModRetta::CompattaCurvaInMappa(p, c);
    for (const auto& x : casi) {
        SCOPED_TRACE(x.voce);
        EXPECT_EQ(CellaMappa(p, 2 * x.voce), x.basso);
        EXPECT_EQ(CellaMappa(p, 2 * x.voce + 1), x.alto);
    }
    for (int n = 384; n < CellePaginaMappa; ++n) EXPECT_EQ(CellaMappa(p, n), 0) << n;
    // Column-major: cell 23 is row 0 of column 1.
    EXPECT_EQ(&CellaMappa(p, 23), &p[0][1]);

    CurvaRetta d = Riempita(9.0f);
    ModRetta::EstraiCurvaDaMappa(p, d);
    for (const auto& x : casi) EXPECT_FLOAT_EQ(d[x.voce], x.valore) << x.voce;
    EXPECT_EQ(d[2], 0.0f);
}

TEST(CompattaCurvaInMappa, ValoreFuoriScalaTieneLaParolaPrecedente) {
    CurvaRetta c{};
    c[0] = 0.016f;                // word 2
    c[1] = 1e30f;                 // does not round into 32 bits
    c[2] = std::nanf("");
    c[3] = 1000.0f;               // word 125000: only its low 16 bits travel
    PaginaMappa p{};
    ModRetta::CompattaCurvaInMappa(p, c);
    EXPECT_EQ(CellaMappa(p, 2), 2);
    EXPECT_EQ(CellaMappa(p, 3), 0);
    EXPECT_EQ(CellaMappa(p, 4), 2);
    EXPECT_EQ(CellaMappa(p, 6), 125000 & 0xFF);
    EXPECT_EQ(CellaMappa(p, 7), (125000 >> 8) & 0xFF);
}

TEST(EstraiCurvaDaMappa, LeggeSoloLePrime384Celle) {
    PaginaMappa p{};
    for (int n = 384; n < CellePaginaMappa; ++n) CellaMappa(p, n) = 0xFF;
    CellaMappa(p, 383) = 0x80; // entry 191 high byte: negative word
    CurvaRetta c = Riempita(1.0f);
    ModRetta::EstraiCurvaDaMappa(p, c);
    for (int i = 0; i < 191; ++i) EXPECT_EQ(c[i], 0.0f) << i;
    EXPECT_EQ(c[191], -32768.0f);
}
