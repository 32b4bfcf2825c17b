#pragma once
// Fixture for calibration runs: the engine fixture (private base folder,
// companion in simulated mode, dictionary, recorder in place of the shell),
// an accelerated clock, a short settings file, the live blocks read once as
// the polling would have, and a window stand-in that records what the run
// shows and plays the operator through `AlPasso` and `AlMessaggio`.
#include <filesystem>
#include <fstream>
#include <functional>

#include <QtCore/QTimer>

#include "calibration/MDIFrmTaratura.h"
#include "calibration/ModTaratura.h"
#include "core/ModBlckConfigScale.h"
#include "engine/FissaggioMotore.h"
#include "core/ModRetta.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMappeDati.h"
#include "platform/Orologio.h"

class VistaRegistrata : public ModTaratura::VistaTaratura {
public:
    int16_t offset = 0;
    std::vector<std::string> messaggi, passi;
    bool okAbilitato = false, cancelAbilitato = false, startAbilitato = false, sldVisibile = false;
    int32_t indiceTipo = 0;
    std::function<void(const std::string&)> alPasso, alMessaggio;
    std::function<void()> alConfermaTipo;

    int16_t OffsetLinguaTune() override { return offset; }
    void LblCalStep(const std::string& t) override {
        passi.push_back(t);
        if (alPasso) alPasso(t);
    }
    void LblCalMsg(const std::string& t) override {
        if (messaggi.empty() || messaggi.back() != t) {
            messaggi.push_back(t);
        }
        // The operator confirms the injector type as soon as asked.
        if (okAbilitato) ModTaratura::OkTaratura = -1;
        if (alMessaggio) alMessaggio(t);
    }
    void CmdCalOkAbilitato(bool a) override {
        okAbilitato = a;
        // With `confermaSempre` the operator presses OK as soon as it is offered
        // (seen at the step's next wait, after it has cleared the flag).
        if (a && confermaSempre) QTimer::singleShot(0, [] { ModTaratura::OkTaratura = -1; });
    }
    bool confermaSempre = false;
    void CmdCalCancelAbilitato(bool a) override { cancelAbilitato = a; }
    void CmdCalStartAbilitato(bool a) override { startAbilitato = a; }
    void SLD_UgelliVisibile(bool v) override { sldVisibile = v; }
    int32_t CmbTipoInjIndice() override { return indiceTipo; }
    std::string CmdCalStartCaption() override { return "Start"; }
    std::string CmdCalOkCaption() override { return "OK"; }
    bool Mostrato(const std::string& t) const {
        for (const auto& m : messaggi)
            if (m.find(t) != std::string::npos) return true;
        return false;
    }
};

class FissaggioTaratura : public FissaggioMotore {
protected:
    static constexpr double Accelerazione = 20.0;

    void SetUp() override {
        FissaggioMotore::SetUp();
        tipi_ = ModBlck::TipiIniettori;
        parametri_ = ModTaratura::Parametri;
        tempoBlocco_ = ModBlck::TempoBlocco;
        passoTipo_ = ModBlck::PassoDecodificaTipo;
        mappa_ = ModMain::MappaPagina0;
        undo_ = ModMain::UndoPagina0;
        curva_ = ModRetta::CurvaCorrezione;
        retta_ = ModRetta::RettaCorrezione;
        // Live periods decode into rpm, as after the program's start.
        ModBlck::InstallaPassiTipo();
        Piattaforma::ImpostaAcceleratoreOrologio(Accelerazione);
        ModBlck::AttesaPipe = static_cast<int32_t>(1'000'000 * Accelerazione);
        DefinizioneIniettore t;
        t.Nome = "Test 2 ohm";
        t.Id = 1;
        t.Valore1 = 2000;
        t.Valore2 = 40;
        t.Valore3 = 20;
        t.Valore5 = 20000;
        t.Valore6 = 160;
        t.Valore7 = 15;
        ModBlck::TipiIniettori = {t};
        ModTaratura::RegistraVista(&vista);
        vista.offset = *CercaSezione("[Frm_AutoTuning]");
        AzzeraTaratura();
        ScriviParametri(ParametriBrevi());
        Connetti();
        // The engine idles at 800 rpm with a warm reducer.
        Manopola(40, 800);
        Manopola(42, 1);
        for (size_t n : {3u, 1u, 2u}) {
            ASSERT_TRUE(LeggiBlocco(n));
            if (n == 3) ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(Valore(3, 1), Valore(3, 0));
        }
        ModMain::StatoConnessione = STATO_TARATURA;
    }
    void TearDown() override {
        ModTaratura::RegistraVista(nullptr);
        ModTaratura::LogTaratura.close();
        AzzeraTaratura();
        ModTaratura::Parametri = parametri_;
        ModBlck::TipiIniettori = tipi_;
        ModBlck::TempoBlocco = tempoBlocco_;
        ModBlck::PassoDecodificaTipo = passoTipo_;
        ModMain::MappaPagina0 = mappa_;
        ModMain::UndoPagina0 = undo_;
        ModRetta::CurvaCorrezione = curva_;
        ModRetta::RettaCorrezione = retta_;
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        FissaggioMotore::TearDown();
    }
    static void AzzeraTaratura() {
        using namespace ModTaratura;
        PassoTaratura = 0;
        StopTaratura = OkTaratura = 0;
        CopiaBlocco2Taratura = CopiaBlocco3Taratura = CopiaBlocco9Taratura = BloccoParametri{};
        TipoIniettoreTaratura = -1;
        ContatoreRpmTaratura = 0;
        TBenzMin = TBenzMax = TGasCil = 0;
    }
    static std::vector<std::string> ParametriBrevi() {
        return {"TEMP taratura=20", "Rpm minimi=400", "Attesa minimo ms=300", "Num Campioni minimo=3",
                "Freq Campioni minimo ms=20", "Rpm Massimo=2500", "DeltaVisualizzazioneRPMMax=200",
                "Attesa massimo ms=300", "Num Campioni massimo=2", "Freq Campioni massimo ms=20",
                "Prima attesa ms=100", "Attesa corr inj ms=100", "Num Campioni corr inj=2",
                "Freq Campioni corr inj ms=20", "Cicli in tolleranza inj=1", "Max cicli non in tolleranza inj=10",
                "Tolleranza in correzione inj %=2", "Step di Correzione inj %=50", "Massima correzione inj us=500",
                "Rpm ritorno minimo=1200", "Attesa ritorno minimo ms=100", "Attesa corr minimo ms=100",
                "Num Campioni corr minimo=2", "Freq Campioni corr minimo ms=20", "Cicli in tolleranza minimo=1",
                "Max cicli non in tolleranza minimo=10", "Tolleranza in correzine minimo %=2",
                "Step di Correzione minimo %=50", "Massima correzione minimo us=500"};
    }
    void ScriviParametri(const std::vector<std::string>& righe) {
        std::ofstream f(base.File("lng/ParaTun.txt"), std::ios::binary | std::ios::trunc);
        for (const auto& r : righe) f << r << "\r\n";
    }
    static std::optional<int16_t> CercaSezione(const std::string& s) {
        for (int16_t i = 0; i <= ModMain::Dizionario->UboundVoci(); ++i)
            if (ModMain::Dizionario->VoceDizionario(0, i) == s) return i;
        return std::nullopt;
    }
    std::string VoceTune(int n) const { return Voce(static_cast<int16_t>(vista.offset + n)); }
    static std::string Leggi(const std::string& p) {
        std::ifstream i(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(i)), {});
    }

    VistaRegistrata vista;

private:
    std::vector<DefinizioneIniettore> tipi_;
    ModTaratura::ParametriTaratura parametri_;
    float tempoBlocco_ = 1.0f;
    ModBlck::PassoTipoBlocco passoTipo_;
    PaginaMappa mappa_{}, undo_{};
    CurvaRetta curva_{};
    RecordRettaCorrezione retta_;
};
