#include <gtest/gtest.h>
#include "platform/Orologio.h"
TEST(Orologio, Avanza) {
    const double a = Piattaforma::MicrosecondiMonotoni();
    EXPECT_GE(Piattaforma::MicrosecondiMonotoni(), a);
}
