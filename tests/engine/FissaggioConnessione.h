#pragma once
// Fixture for the connect procedure and the OBD start against the real
// companion: the simulated ECU's case written into the private VirUzo.ini, an
// empty device folder (only the USB entry and the simulated port are listed),
// the clock sped up for the fixed pauses, the reference frames set as at
// start-up, and everything the connect writes restored.
#include <filesystem>

#include "engine/FissaggioMotore.h"
#include "engine/MDIFrmInitObd.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainImmagineFirmware.h"
#include "link/DevLister.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainPorte.h"
#include "support/GiornaleCompagno.h"
#include "immaginifw/ImmagineFirmwareScrittura.h"

using PacchettoInviato = PacchettoRicevuto;

class FissaggioConnessione : public FissaggioMotore {
protected:
    static constexpr double Accelerazione = 50.0;

    void SetUp() override {
        FissaggioMotore::SetUp();
        radice_ = DevLister::RadiceSysfs;
        DevLister::RadiceSysfs = base.File("sys");
        std::filesystem::create_directories(DevLister::RadiceSysfs);
        pagine_ = {ModMain::MappaPagina0, ModMain::MappaPagina1, ModMain::MappaPagina2};
        undo_ = {ModMain::UndoPagina0, ModMain::UndoPagina1, ModMain::UndoPagina2};
        undoDisponibile_ = {ModMain::UndoDisponibile0, ModMain::UndoDisponibile1, ModMain::UndoDisponibile2};
        soglie_ = ModMain::MatSoglie;
        Piattaforma::ImpostaAcceleratoreOrologio(Accelerazione);
        // Pipe time-out of 400 ms real time whatever the acceleration.
        ModBlck::AttesaPipe = static_cast<int32_t>(400'000 * Accelerazione);
        ModMain::StatoConnessione = STATO_RICERCA;
        ModMain::PrimoAvvio = 1;
        ModMain::FirmaHardware = {
            ModGlobFunct::ConvertiHexInTesto(std::string(
                "4201422100FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFEFE00000000"
                "20000000FFFFFFFFFFFFFFFFFFFFFFFFFFFF00")),
            ModGlobFunct::ConvertiHexInTesto(std::string("420104211472"))};
        ModMain::VarianteHardware = 0;
        ModMain::FileFirmwareScelto = ModMain::PercorsoFirmwareNuovoHw;
        ModMain::FirmwareFile.clear();
        ModMain::FirmwareDaAggiornare = false;
        ModMain::UnitaRpm = 0;
        ModMain::PaginaCorrente = SCHEDA_HOME;
    }
    void TearDown() override {
        ModPipe::TerminaProcessoCom();
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        DevLister::RadiceSysfs = radice_;
        ModMain::MappaPagina0 = pagine_[0];
        ModMain::MappaPagina1 = pagine_[1];
        ModMain::MappaPagina2 = pagine_[2];
        ModMain::UndoPagina0 = undo_[0];
        ModMain::UndoPagina1 = undo_[1];
        ModMain::UndoPagina2 = undo_[2];
        ModMain::UndoDisponibile0 = undoDisponibile_[0];
        ModMain::UndoDisponibile1 = undoDisponibile_[1];
        ModMain::UndoDisponibile2 = undoDisponibile_[2];
        ModMain::MatSoglie = soglie_;
        ModMain::ListaPorte.assign(1, RecordPorta{});
        ModEvoObd::AnnullaInitObd = false;
        ModMain::VarianteHardware = 0;
        ModMain::FirmwareDaAggiornare = false;
        ModMain::FirmwareFile.clear();
        ModMain::SettoriFlash = {};
        ModMain::LunghezzaImmagine = 0;
        ModMain::DatiFirmware.clear();
        ModMain::IndirizzoInfoFirmware = ModMain::IndirizzoInfoFirmwareDefault;
        ModMain::ImmagineFirmwareLetta = false;
        FissaggioMotore::TearDown();
    }

    // Starts the companion with the simulated ECU on COM `com` playing `caso`
    // (VirUzo.ini lines), and waits until it answers: on a loaded machine its
    // start may outlast the program's pipe wait of the first request.
    void AvviaCaso(const std::string& caso, int32_t com = 0) {
        base.Scrivi("bin/VirUzo.ini", "Modo=simulata\r\nComSimulata=" + std::to_string(com) + "\r\n" + caso);
        Avvia();
        ASSERT_EQ(Invia(0xE1, ""), 0) << "the companion did not start";
    }
    // A built-in serial port present on this machine (COM k + 1).
    void PortaSeriale(int k) {
        const std::string d = DevLister::RadiceSysfs + "/ttyS" + std::to_string(k);
        std::filesystem::create_directories(d);
        SupportoTest::ScriviFile(d + "/dev", "4:64\n");
        SupportoTest::ScriviFile(d + "/type", "4\n");
    }
    // The STOP button pressed when the search shows its n-th port message
    // (n - 1 ports have been tried by then), whatever the machine's speed.
    void PremiStopAlMessaggio(size_t n) {
        ui->alMessaggioRicerca = [this, n](const std::string&) {
            if (ui->messaggiRicerca.size() == n) ModMain::LineaPersa = 1;
        };
    }
    // Request packets the companion received since the last call.
    std::vector<PacchettoInviato> Giornale() {
        EXPECT_EQ(Invia(0xE1, ""), 0);
        return DividiGiornale(ModPipe::DatiRispostaPipe);
    }
    // COM numbers of the PIPE_OPEN_PORT requests among these packets.
    static std::vector<int32_t> Aperture(const std::vector<PacchettoInviato>& g) {
        std::vector<int32_t> r;
        for (const auto& p : g)
            if (p.codice == PIPE_OPEN_PORT && !p.dati.empty()) r.push_back(static_cast<uint8_t>(p.dati[0]));
        return r;
    }
    // Writes the new-hardware image of the base folder with this release
    // (version, revision, BCD day, month and year); the rest as shipped.
    void ScriviImmagine(int v, int r, int g = 0x14, int m = 0x05, int a = 0x2024) {
        auto d = ImmagineFirmwareScrittura::ImmagineNuovoHw();
        d.versione = static_cast<uint8_t>(v);
        d.revisione = static_cast<uint8_t>(r);
        d.giorno = static_cast<uint8_t>(g);
        d.mese = static_cast<uint8_t>(m);
        d.anno = static_cast<uint16_t>(a);
        base.Scrivi("bin/fw/QDLPower_NewHw.frh", ImmagineFirmwareScrittura::File(ImmagineFirmwareScrittura::Righe(d)));
    }

private:
    std::string radice_;
    std::array<PaginaMappa, 3> pagine_{};
    std::array<PaginaMappa, 3> undo_{};
    std::array<uint8_t, 3> undoDisponibile_{};
    TabellaSoglie soglie_{};
};
