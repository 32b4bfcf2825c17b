#include <gtest/gtest.h>

#include "platform/Orologio.h"

TEST(Orologio, MonotonoEAccelerabileSenzaSalti) {
    const double a = Piattaforma::MicrosecondiMonotoni();
    Piattaforma::ImpostaAcceleratoreOrologio(1000.0);
    const double b = Piattaforma::MicrosecondiMonotoni();
    EXPECT_GE(b, a);
    EXPECT_LT(b - a, 1'000'000.0); // the change itself makes no jump
    Piattaforma::PausaBreve(5'000'000.0); // sleeps at most 1 ms of real time
    const double c = Piattaforma::MicrosecondiMonotoni();
    EXPECT_GE(c - b, 900'000.0); // which the clock counts a thousand times over
    Piattaforma::ImpostaAcceleratoreOrologio(1.0);
    EXPECT_GE(Piattaforma::MicrosecondiMonotoni(), c);
}
