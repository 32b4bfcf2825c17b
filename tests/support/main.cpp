// Test entry: a QApplication on the offscreen platform, with every dialog in
// scripted mode so that no test can ever wait on a modal window.
#include <QtWidgets/QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/Dialoghi.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Piattaforma::Copione::Attiva(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
