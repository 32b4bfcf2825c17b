// Screen-free geometry and captions of the logger chart and readout.
#include <gtest/gtest.h>

#include "logger/GraficoLogger.h"

namespace {

using namespace GraficoLogger;

std::vector<int32_t> CampioniOgni(int32_t passoMs, int n) {
    std::vector<int32_t> c;
    for (int i = 0; i < n; ++i) {
        c.push_back(i * passoMs);
        for (int k = 0; k < 8; ++k) c.push_back(k);
    }
    return c;
}

} // namespace

TEST(GraficoLogger, PosizioniXeY) {
    EXPECT_EQ(XPerTempo(1000, 0, 100, 150), 1150);
    EXPECT_EQ(XPerTempo(1000, 0, 10, 150), 250);
    EXPECT_EQ(XPerTempo(5000, 3000, 50, 150), 1150);
    EXPECT_EQ(TopFreccia(6000, 50), 2888);   // 3000 - 112.5, halves to even
    EXPECT_EQ(ZeroCanale(6000, 50), 3023);
    EXPECT_EQ(YPerValore(3000, 100, 3000), 2700);
    EXPECT_EQ(YPerValore(3000, 2000, -10), 3020);
    EXPECT_EQ(YPerValore(0, 20000, int64_t(1) << 40), -2147483648); // kept within 32 bits
}

TEST(GraficoLogger, PaginaSuccessivaEPrecedente) {
    const auto c = CampioniOgni(100, 200); // 0 .. 19.9 s
    // 7150 / 100 x 50 = 3575 ms, cut to 3000; the sample at exactly 3000 is not the first after Next.
    auto p = PaginaSuccessiva(c, 0, 7150, 100);
    EXPECT_EQ(p.Tempo, 3000);
    EXPECT_EQ(p.Indice, 31 * 9);
    p = PaginaPrecedente(c, 3000, 7150, 100);
    EXPECT_EQ(p.Tempo, 0);
    EXPECT_EQ(p.Indice, 0);
    p = PaginaPrecedente(c, 10000, 7150, 100);
    EXPECT_EQ(p.Tempo, 6000);
    EXPECT_EQ(p.Indice, 60 * 9); // greater or equal
    p = PaginaSuccessiva(c, 19000, 7150, 10);
    EXPECT_EQ(p.Indice, 200 * 9); // past the end
}

TEST(GraficoLogger, PassiDiZoom) {
    EXPECT_EQ(ZoomTempoIn(100), 50);
    EXPECT_EQ(ZoomTempoIn(50), 20);
    EXPECT_EQ(ZoomTempoIn(20), 10);
    EXPECT_EQ(ZoomTempoIn(10), 100);
    EXPECT_EQ(ZoomTempoOut(10), 20);
    EXPECT_EQ(ZoomTempoOut(20), 50);
    EXPECT_EQ(ZoomTempoOut(50), 100);
    EXPECT_EQ(ZoomTempoOut(100), 100);
    const struct {
        int id, da;
        bool dentro;
        int a;
    } casi[] = {
        {42, 2000, true, 4000}, {42, 20000, true, 20000}, {43, 2000, false, 2000}, {42, 6000, false, 4000},
        {35, 100, true, 110},   {35, 1000, true, 1000},   {35, 100, false, 90},    {35, 10, false, 10},
        {34, 20, false, 10},    {15, 100, true, 200},     {15, 1000, true, 1000},  {15, 100, false, 100},
        {15, 150, false, 50},   {15, 900, false, 800},
    };
    for (const auto& c : casi) EXPECT_EQ(ZoomCanale(c.id, c.da, c.dentro), c.a) << c.id << " " << c.da;
}

// Zooms from outside the page's own steps (a set-up line that was no number
// gives 0) follow the same steps without overflowing, and the zero line
// saturates instead of overflowing.
TEST(GraficoLogger, ValoriEstremiNonTraboccano) {
    const struct {
        int id, da;
        bool dentro;
        int a;
    } casi[] = {
        {42, INT32_MAX, true, INT32_MAX}, {42, INT32_MAX, false, INT32_MAX - 2000}, {35, INT32_MIN, false, INT32_MIN},
        {35, INT32_MIN, true, INT32_MIN + 10}, {15, INT32_MIN, false, 100}, {15, INT32_MAX, true, INT32_MAX},
        {42, 0, true, 2000}, {42, 0, false, 0}, {35, 0, true, 10}, {35, 0, false, 0},
        {15, 0, true, 100}, {15, 0, false, 100},
    };
    for (const auto& c : casi) EXPECT_EQ(ZoomCanale(c.id, c.da, c.dentro), c.a) << c.id << " " << c.da;
    EXPECT_EQ(ZeroCanale(4500, INT32_MAX), INT32_MAX);
    EXPECT_EQ(ZeroCanale(4500, 800), 4500 * 8 - 112 + 135);
}

TEST(GraficoLogger, DidascalieAsseScrollEReadout) {
    EXPECT_EQ(EtichettaOrigine(12000, 0), "12s");
    EXPECT_EQ(EtichettaTick(1150, 150, 100, "."), "+1s");
    EXPECT_EQ(EtichettaTick(2150, 150, 50, "."), "+4s");
    EXPECT_EQ(EtichettaTick(1150, 150, 20, "."), "+5s");
    EXPECT_EQ(EtichettaTick(1150, 150, 10, "."), "+10s");
    EXPECT_EQ(TestoScroll(3905000), "1'05");
    EXPECT_EQ(TestoScroll(59000), "0'00");
    EXPECT_EQ(DidascaliaTempo(65007), "Time: 1'5\"7");

    CanaleOscilloscopio c;
    c.Nome = "RPM";
    c.Unita = "rpm";
    c.Scala = 1.0f;
    c.IdVariabile = 32;
    EXPECT_EQ(DidascaliaCanale(c, 850, ","), "RPM [x100]\r\n850 rpm");
    c.IdVariabile = 34;
    c.Scala = 7.0f;
    EXPECT_EQ(DidascaliaCanale(c, 1000, ","), "RPM [x100]\r\n32,81 rpm");
    c.IdVariabile = 33;
    c.Scala = 0.001f;
    EXPECT_EQ(DidascaliaCanale(c, 1234, "."), "RPM [x100]\r\n1.23 rpm");

    const std::string voci[4] = {"B1", "B2", "Closed", "Open"};
    DatiObd d;
    EXPECT_EQ(RiepilogoObd(d, voci, "."), "B1\r\n -- ; -- ; -- \r\nB2\r\n -- ; -- ; -- ");
    d.Presenti = true;
    d.N1 = -3;
    d.N2 = 4;
    d.N3 = 5;
    d.N4 = 6;
    for (int s : {2, 16}) {
        d.S1 = s;
        d.S2 = 1;
        EXPECT_EQ(RiepilogoObd(d, voci, "."), "B1\r\nClosed ; -3 ; 4\r\nB2\r\nOpen ; 5 ; 6");
    }
    for (int s : {1, 4, 8}) {
        d.S1 = s;
        EXPECT_EQ(RiepilogoObd(d, voci, ".").substr(0, 8), "B1\r\nOpen");
    }
    d.Quinta = QuintaRigaLive(128, 0);
    EXPECT_EQ(RiepilogoObd(d, voci, ".").substr(RiepilogoObd(d, voci, ".").rfind("\r\n") + 2), "0.999");
}

TEST(GraficoLogger, PuntoSottoIlCursore) {
    const std::vector<int32_t> x = {150, 200, 300};
    EXPECT_FALSE(PuntoPagina(x, 100)); // left of the first point
    EXPECT_EQ(PuntoPagina(x, 150).value(), 1u);
    EXPECT_EQ(PuntoPagina(x, 250).value(), 2u);
    EXPECT_FALSE(PuntoPagina(x, 300)); // over the last segment or right of it
    EXPECT_EQ(PuntoLive(x, 100).value(), 0u);
    EXPECT_EQ(PuntoLive(x, 250).value(), 2u);
    EXPECT_EQ(PuntoLive(x, 5000).value(), 2u);
    EXPECT_FALSE(PuntoLive({}, 5));
}
