// Test entry: a QApplication on the offscreen platform, with every dialog in
// scripted mode so that no test can ever wait on a modal window.
#include <QtWidgets/QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/Dialoghi.h"

namespace {

// A test that leaves real dialogs on fails, and the next test starts scripted
// all the same: a later test would otherwise wait on a real modal window or
// find its beeps unrecorded.
class DialoghiCopiati : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        EXPECT_TRUE(Piattaforma::Copione::Attivo()) << "the test left the real dialogs on";
        if (!Piattaforma::Copione::Attivo()) Piattaforma::Copione::Attiva(true);
    }
};

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Piattaforma::Copione::Attiva(true);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new DialoghiCopiati);
    return RUN_ALL_TESTS();
}
