// The port list: devices from a sysfs fixture, their COM numbers and
// Bluetooth flag, the companion's own numbering and simulated port, the
// fallback list, the combo texts and the remembered port.
#include <gtest/gtest.h>

#include <QtWidgets/QComboBox>
#include <filesystem>

#include "core/ModMainPercorsi.h"
#include "link/DevLister.h"
#include "link/ModMainPorte.h"
#include "link/NumeriCom.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

namespace {

namespace fs = std::filesystem;

class Porte : public ::testing::Test {
protected:
    void SetUp() override {
        radice_ = DevLister::RadiceSysfs;
        percorsoBase_ = ModMain::PercorsoBase;
        ModMain::ImpostaPercorsi(base.Percorso());
        DevLister::RadiceSysfs = base.File("sys");
        fs::create_directories(DevLister::RadiceSysfs);
        Piattaforma::Copione::Attiva(true);
        ScriviIni("Modo=seriale\r\n");
    }
    void TearDown() override {
        Piattaforma::Copione::Attiva(true);
        DevLister::RadiceSysfs = radice_;
        ModMain::ImpostaPercorsi(percorsoBase_);
        ModMain::PercorsoBase = percorsoBase_;
        ModMain::ListaPorte.assign(1, RecordPorta{});
    }
    // A tty device as sysfs shows it; `tipoUart` only for built-in ports.
    void Dispositivo(const std::string& nome, const std::string& tipoUart = "") {
        const std::string d = DevLister::RadiceSysfs + "/" + nome;
        fs::create_directories(d);
        SupportoTest::ScriviFile(d + "/dev", "188:0\n");
        if (!tipoUart.empty()) SupportoTest::ScriviFile(d + "/type", tipoUart + "\n");
    }
    void ScriviIni(const std::string& testo) { base.Scrivi("bin/VirUzo.ini", testo); }
    static std::vector<std::pair<int32_t, int32_t>> Lista() {
        std::vector<std::pair<int32_t, int32_t>> r;
        for (const auto& p : ModMain::ListaPorte) r.emplace_back(p.NumeroCom, p.TipoPorta);
        return r;
    }

    SupportoTest::CartellaBase base{false};

private:
    std::string radice_, percorsoBase_;
};

using Coppie = std::vector<std::pair<int32_t, int32_t>>;

TEST_F(Porte, SenzaDispositiviSoloUsb) {
    QComboBox combo;
    EXPECT_TRUE(ModMain::ElencaPorteCom(&combo));
    EXPECT_EQ(Lista(), (Coppie{{0, 0}}));
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.itemText(0), "USB");
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(Porte, DispositiviPresentiConNumeroStabileEBluetooth) {
    Dispositivo("ttyUSB1");
    Dispositivo("ttyUSB0");
    Dispositivo("ttyACM0");
    Dispositivo("ttyS0", "4");
    Dispositivo("ttyS1", "0");   // the kernel's placeholder of a UART that is not there
    Dispositivo("rfcomm2");
    Dispositivo("tty0");         // not a serial port
    fs::create_directories(DevLister::RadiceSysfs + "/ttyS2"); // no attributes at all
    QComboBox combo;
    ModMain::ElencaPorteCom(&combo);
    EXPECT_EQ(Lista(), (Coppie{{0, 0}, {21, 1}, {22, 1}, {41, 1}, {1, 1}, {63, 2}}));
    QStringList testi;
    for (int i = 0; i < combo.count(); ++i) testi << combo.itemText(i);
    EXPECT_EQ(testi, (QStringList{"USB", "COM21", "COM22", "COM41", "COM1", "COM63 BT"}));
}

TEST_F(Porte, UnDispositivoIlleggibileEscludeSoloSeStesso) {
    Dispositivo("ttyUSB0");
    Dispositivo("ttyUSB1");
    // Its device number cannot be read (a folder where the attribute should be).
    fs::remove(DevLister::RadiceSysfs + "/ttyUSB1/dev");
    fs::create_directories(DevLister::RadiceSysfs + "/ttyUSB1/dev");
    ModMain::ElencaPorteCom(nullptr);
    EXPECT_EQ(Lista(), (Coppie{{0, 0}, {21, 1}}));
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(Porte, NumeriDelFileDelCompagnoEPortaSimulata) {
    Dispositivo("ttyUSB0");
    Dispositivo("ttyS3", "4");  // its rule number 4 belongs to rfcomm0 in the file
    Dispositivo("rfcomm0");
    ScriviIni("Modo=simulata\r\nComSimulata=9\r\nCOM0=/dev/ttyUSB0\r\nCOM4=/dev/rfcomm0\r\nCOM300=/dev/ttyS3\r\n");
    ModMain::ElencaPorteCom(nullptr);
    EXPECT_EQ(Lista(), (Coppie{{0, 0}, {21, 1}, {4, 2}, {9, 1}}));

    // A simulated port already listed is not repeated; COM 0 is the USB entry itself.
    ScriviIni("Modo=simulata\r\nComSimulata=21\r\n");
    ModMain::ElencaPorteCom(nullptr);
    EXPECT_EQ(Lista(), (Coppie{{0, 0}, {21, 1}, {4, 1}, {61, 2}}));
    ScriviIni("Modo=seriale\r\nComSimulata=9\r\n");
    ModMain::ElencaPorteCom(nullptr);
    EXPECT_EQ(Lista().size(), 4u);
}

// A VirUzo.ini past its bound is read as missing, and one box names it.
TEST_F(Porte, FileDelCompagnoTroppoGrandeNonSiLegge) {
    std::string riempimento = ";";
    riempimento.resize(ModMain::DimensioneMassimaVirUzoIni, 'x');
    ScriviIni("Modo=simulata\r\nComSimulata=9\r\n" + riempimento + "\r\n");
    ModMain::ElencaPorteCom(nullptr);
    EXPECT_EQ(Lista(), (Coppie{{0, 0}}));
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].testo.contains(QString::fromStdString(base.File("bin/VirUzo.ini"))));
}

TEST_F(Porte, CartellaIlleggibileDaLaListaDiRiserva) {
    DevLister::RadiceSysfs = base.File("manca");
    QComboBox combo;
    EXPECT_TRUE(ModMain::ElencaPorteCom(&combo));
    ASSERT_EQ(ModMain::ListaPorte.size(), 61u);
    for (int32_t i = 0; i <= 60; ++i) EXPECT_EQ(Lista()[static_cast<size_t>(i)], std::make_pair(i, 1));
    EXPECT_EQ(combo.itemText(0), "COM0");
    EXPECT_EQ(combo.itemText(60), "COM60");
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].testo.startsWith("(BAD HANDLE) "));
    EXPECT_EQ(m[0].titolo, "Error Getting Device List");
    EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Critica);
}

TEST(DevInfo, NumeroComEBluetoothDalNome) {
    struct Caso {
        const char* amichevole;
        const char* descrizione;
        int32_t com;
        bool bluetooth;
    } casi[] = {
        {"Standard Serial over Bluetooth link (COM12)", "", 12, true},
        {"USB Serial Port (COM3x)", "", 3, false},
        {"USB Serial Port (com3)", "", -1, false},
        {"", "Communications Port (COM5)", 5, false},
        {"Port (COM)", "", -1, false},
        {"No number", "(COM7)", -1, false},  // the friendly name wins when it is not empty
        {"BLUETOOTH (COM2) (COM9)", "", 2, true},
    };
    for (const auto& c : casi) {
        DevInfo_Storage d;
        d.SPDRP_FRIENDLYNAME = c.amichevole;
        d.SPDRP_DEVICEDESC = c.descrizione;
        EXPECT_EQ(d.GetIDCOM(), c.com) << c.amichevole;
        EXPECT_EQ(d.isBluetoothCOM(), c.bluetooth) << c.amichevole;
    }
    EXPECT_EQ(DevLister::StrTrimToNull(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(DevLister::StrTrimToNull("abc"), "abc");
    std::vector<std::string> classi;
    EXPECT_EQ(DevLister().GetGUIDByName("Modem", classi), "Incorrect class name");
    EXPECT_EQ(DevLister().GetGUIDByName("Ports", classi), "OK");
}

TEST(NumeriCom, RegolaNelleDueDirezioni) {
    const std::pair<const char*, int32_t> casi[] = {
        {"ttyS0", 1}, {"ttyS19", 20}, {"ttyS20", -1}, {"ttyUSB0", 21}, {"ttyUSB3", 24}, {"ttyACM0", 41},
        {"rfcomm0", 61}, {"rfcomm19", 80}, {"ttyUSB", -1}, {"ttyUSBx", -1}, {"tty0", -1}, {"ttyAMA0", -1},
    };
    for (const auto& [nome, numero] : casi) {
        EXPECT_EQ(NumeriCom::NumeroDaNome(nome), numero) << nome;
        if (numero > 0) {
            EXPECT_EQ(NumeriCom::NomeDaNumero(numero), nome);
        }
    }
    EXPECT_EQ(NumeriCom::NomeDaNumero(0), "");
    EXPECT_EQ(NumeriCom::NomeDaNumero(81), "");
}

TEST_F(Porte, PortaRicordata) {
    const std::pair<const char*, std::optional<int32_t>> casi[] = {
        {" 7 \r\n", 7}, {"12", 12}, {"0\r\n", 0}, {"", std::nullopt}, {"   \r\n", std::nullopt},
        {"COM7\r\n", std::nullopt}, {"7\r\nCOM9\r\n", 7},
    };
    for (const auto& [testo, atteso] : casi) {
        base.Scrivi("bin/PortCom.ini", testo);
        EXPECT_EQ(ModMain::LeggiPortaRicordata(), atteso) << testo;
    }
    std::filesystem::remove(ModMain::PercorsoPortCom);
    EXPECT_EQ(ModMain::LeggiPortaRicordata(), std::nullopt);
    EXPECT_TRUE(ModMain::ScriviPortaRicordata(23));
    EXPECT_EQ(ModMain::LeggiPortaRicordata(), 23);
}

} // namespace
