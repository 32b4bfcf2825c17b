// The program, run from its own folder in a copy of the base folder, loads
// the shipped data files.
#include <QtCore/QProcess>
#include <gtest/gtest.h>

#include "support/SupportoTest.h"

TEST(Avvio, CaricaLaCartellaBaseSpedita) {
    SupportoTest::CartellaBase base;
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(base.File("bin")));
    p.start(QString::fromStdString(base.File("bin/mondaro")), {});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0);
    const std::string out = p.readAllStandardOutput().toStdString();
    EXPECT_NE(out.find("Base folder: " + base.Percorso()), std::string::npos) << out;
    EXPECT_NE(out.find("SetCom.ini: 22 blocks"), std::string::npos) << out;
    EXPECT_NE(out.find("Dictionary: 2 languages"), std::string::npos) << out;
    EXPECT_NE(out.find("current language -1"), std::string::npos) << out; // first start
}
