// The program, run from its own folder in a copy of the base folder, loads
// the shipped data files and comes up with its main window.
#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <gtest/gtest.h>

#include "support/SupportoTest.h"

TEST(Avvio, CaricaLaCartellaBaseSpedita) {
    SupportoTest::CartellaBase base;
    // A language chosen at an earlier start: no first-start dialog.
    base.Scrivi("lng/diz.con", "1\r\n");
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(base.File("bin")));
    p.start(QString::fromStdString(base.File("bin/mondaro")), {});
    ASSERT_TRUE(p.waitForStarted(5000));
    // The window runs until it is closed: read what it loaded, then stop it.
    std::string out;
    QElapsedTimer t;
    t.start();
    while (out.find("current language") == std::string::npos && t.elapsed() < 20000) {
        p.waitForReadyRead(200);
        out += p.readAllStandardOutput().toStdString();
    }
    EXPECT_EQ(p.state(), QProcess::Running) << out;
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_NE(out.find("Base folder: " + base.Percorso()), std::string::npos) << out;
    EXPECT_NE(out.find("SetCom.ini: 22 blocks"), std::string::npos) << out;
    EXPECT_NE(out.find("Dictionary: 2 languages"), std::string::npos) << out;
    EXPECT_NE(out.find("current language 1"), std::string::npos) << out;
}
