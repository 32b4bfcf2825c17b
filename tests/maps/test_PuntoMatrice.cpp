// Averages and deviation of the live operating point, marker limits, bars.
#include <gtest/gtest.h>

#include "maps/PuntoMatrice.h"

using PuntoMatrice::IngressiPunto;
using PuntoMatrice::MedieTempo;

TEST(PuntoMatrice, MedieEDeviazione) {
    struct Caso {
        const char* nome;
        MedieTempo prima;
        IngressiPunto in;
        bool ridotta;
        MedieTempo dopo;
        int32_t d;
    };
    for (const Caso& c : {
             Caso{"motore fermo", {1100, 1000}, {false, true, 900}, false, {-1, -1}, 0},
             Caso{"primo campione a gas", {-1, -1}, {true, true, 1000}, false, {249, -1}, 0},
             Caso{"gas", {1100, 1000}, {true, true, 1100}, false, {1100, 1000}, 13},
             Caso{"gas vista ridotta", {1100, 1000}, {true, true, 1100}, true, {1100, 1000}, 13},
             Caso{"benzina editor", {1100, 1000}, {true, false, 1000}, false, {1100, 1000}, 12},
             Caso{"benzina vista ridotta", {1100, 1000}, {true, false, 1000}, true, {1025, 1000}, 3},
             Caso{"benzina senza gas", {-1, 1000}, {true, false, 1000}, true, {-1, 1000}, 0},
             // A reference average of 0 (or below) has no scale: 0, not the raw difference.
             Caso{"riferimento benzina 0", {500, 0}, {true, true, 500}, false, {500, 0}, 0},
             Caso{"riferimento gas 0", {0, 4}, {true, false, 4}, false, {0, 4}, 0},
         }) {
        MedieTempo m = c.prima;
        EXPECT_EQ(PuntoMatrice::AggiornaMedie(m, c.in, c.ridotta), c.d) << c.nome;
        EXPECT_EQ(m.MediaTempoGas, c.dopo.MediaTempoGas) << c.nome;
        EXPECT_EQ(m.MediaTempoBenzina, c.dopo.MediaTempoBenzina) << c.nome;
    }
}

TEST(PuntoMatrice, LimitiBarreEColori) {
    EXPECT_EQ(PuntoMatrice::LimitaRiga(30), 22);
    EXPECT_EQ(PuntoMatrice::LimitaRiga(22), 22);
    EXPECT_EQ(PuntoMatrice::LimitaColonna(40, false), 23);
    EXPECT_EQ(PuntoMatrice::LimitaColonna(40, true), 22);
    EXPECT_EQ(PuntoMatrice::LimitaColonna(23, true), 22);
    EXPECT_EQ(PuntoMatrice::ValoreBarra(13, 0, 256), 141);
    EXPECT_EQ(PuntoMatrice::ValoreBarra(200, 0, 256), 256);
    EXPECT_EQ(PuntoMatrice::ValoreBarra(-300, 0, 256), 0);
    EXPECT_STREQ(PuntoMatrice::SegnoDeviazione(128), "+");
    EXPECT_STREQ(PuntoMatrice::SegnoDeviazione(127), "");
    EXPECT_EQ(PuntoMatrice::ColoreMarcatore(false), 0xFF);
    EXPECT_EQ(PuntoMatrice::ColoreMarcatore(true), 0xFF00);
    EXPECT_EQ(PuntoMatrice::ColoreMarcatore2(false), 0x80FF);
    EXPECT_EQ(PuntoMatrice::ColoreMarcatore2(true), 0xB0FF30);
    EXPECT_EQ(PuntoMatrice::AltezzaBarraCorrezione(0, 4000), 0);
    EXPECT_EQ(PuntoMatrice::AltezzaBarraCorrezione(10, 4000), 1000);
    EXPECT_EQ(PuntoMatrice::AltezzaBarraCorrezione(-1, 4000), 105); // 100 twips to whole pixels
}
