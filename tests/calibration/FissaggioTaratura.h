#pragma once
// Fixture for calibration runs: the engine fixture (private base folder,
// companion in simulated mode, dictionary, recorder in place of the shell),
// an accelerated clock, a short settings file, the live blocks read once as
// the polling would have, and a window stand-in that records what the run
// shows and plays the operator through `AlPasso` and `AlMessaggio`.
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include <QtCore/QTimer>

#include "calibration/MDIFrmTaratura.h"
#include "calibration/ModTaratura.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "engine/FissaggioMotore.h"
#include "core/ModRetta.h"
#include "core/ModMainCaricatori.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckVettori.h"
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
        configurazioni_ = ModMain::ConfigurazioniPredefinite;
        vettori_ = {ModBlck::VettoreRpm, ModBlck::VettoreTinj};
        assi_ = {ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro};
        ModMain::ConfigurazioniPredefinite.clear();
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
        ModMain::ConfigurazioniPredefinite = configurazioni_;
        std::tie(ModBlck::VettoreRpm, ModBlck::VettoreTinj) = vettori_;
        std::tie(ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro) = assi_;
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        FissaggioMotore::TearDown();
    }
    static void AzzeraTaratura() {
        using namespace ModTaratura;
        PassoTaratura = 0;
        StopTaratura = OkTaratura = 0;
        CopiaBlocco2Taratura = CopiaBlocco3Taratura = CopiaBlocco9Taratura = CopiaBlocco15Taratura = BloccoParametri{};
        MappaTarataScritta = false;
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

    // What a run may write into the ECU: blocks 2, 3, 9 and 15, map page 0
    // with the threshold table, and the two index vectors.
    struct StatoEcu {
        std::vector<int32_t> blocco2, blocco3, blocco9, blocco15;
        PaginaMappa mappa{};
        TabellaSoglie soglie{};
        ModBlck::VettoreGiri rpm{};
        ModBlck::VettoreTempi tinj{};
    };
    StatoEcu LeggiStatoEcu() {
        StatoEcu s;
        const std::pair<size_t, std::vector<int32_t>*> blocchi[] = {
            {2, &s.blocco2}, {3, &s.blocco3}, {9, &s.blocco9}, {15, &s.blocco15}};
        for (const auto& [n, valori] : blocchi) {
            EXPECT_TRUE(LeggiBlocco(n)) << n;
            *valori = TabellaBlocchi[n].Valori;
        }
        EXPECT_EQ(ModBlck::LeggiMappaEcu(s.mappa, s.soglie), 0);
        EXPECT_EQ(ModBlck::LeggiScriviVettori(s.rpm, s.tinj, 0), 0);
        return s;
    }
    // Block 2 values 0 and 1 (the fuel state) left out: a run ends on petrol.
    static void ConfrontaStatoEcu(const StatoEcu& prima, const StatoEcu& dopo) {
        auto senzaCarburante = [](std::vector<int32_t> v) {
            for (size_t k = 0; k < 2 && k < v.size(); ++k) v[k] = 0;
            return v;
        };
        EXPECT_EQ(senzaCarburante(dopo.blocco2), senzaCarburante(prima.blocco2));
        EXPECT_EQ(dopo.blocco3, prima.blocco3);
        EXPECT_EQ(dopo.blocco9, prima.blocco9);
        EXPECT_EQ(dopo.blocco15, prima.blocco15);
        EXPECT_TRUE(dopo.mappa == prima.mappa) << "map page 0";
        EXPECT_EQ(dopo.soglie, prima.soglie);
        EXPECT_EQ(dopo.rpm, prima.rpm);
        EXPECT_EQ(dopo.tinj, prima.tinj);
    }

    // The index vectors of the factory file below: rpm entry i holds column
    // i / 5 and injection-time entry i row i / 7, each held at its last one,
    // so axis point k lies at step 5k and 7k. The simulated ECU starts with
    // other vectors.
    static ModBlck::VettoreGiri VettoreRpmFabbrica() {
        ModBlck::VettoreGiri v{};
        for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(std::min<size_t>(i / 5, 23));
        return v;
    }
    static ModBlck::VettoreTempi VettoreTinjFabbrica() {
        ModBlck::VettoreTempi v{};
        for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(std::min<size_t>(i / 7, 22));
        return v;
    }
    // The factory file of the ECU's system configuration (block 15 value 47):
    // a shipped one whose four vector lines carry the vectors given (those
    // above unless told) between the same frame heads, each with its XOR
    // worked out again; `senza` names a section left out.
    void FileFabbricaConVettori(const std::string& senza = {}, const ModBlck::VettoreGiri& rpm = VettoreRpmFabbrica(),
                                const ModBlck::VettoreTempi& tinj = VettoreTinjFabbrica()) {
        std::ifstream i(base.File("lng/01 Redadi Inj LPG 4 Cyl.xsi"), std::ios::binary);
        ASSERT_TRUE(i.is_open());
        const std::map<std::string, std::string> dati = {
            {"[VET_RPM_0]", std::string(rpm.begin(), rpm.begin() + 64)},
            {"[VET_RPM_1]", std::string(rpm.begin() + 64, rpm.end())},
            {"[VET_TINJ_0]", std::string(tinj.begin(), tinj.begin() + 90)},
            {"[VET_TINJ_1]", std::string(tinj.begin() + 90, tinj.end())}};
        std::string uscita, riga, sezione;
        while (std::getline(i, riga)) {
            if (!riga.empty() && riga.back() == '\r') riga.pop_back();
            if (riga == senza) {
                std::getline(i, riga);
                continue;
            }
            if (dati.count(sezione) && riga.size() > 12) {
                static const char cifre[] = "0123456789ABCDEF";
                auto hex = [](const std::string& b) {
                    std::string h;
                    for (const unsigned char c : b) h += {cifre[c >> 4], cifre[c & 15]};
                    return h;
                };
                std::string trama = ModGlobFunct::ConvertiHexInTesto(riga.substr(0, 10)) + dati.at(sezione);
                uint8_t x = 0;
                for (const unsigned char c : trama) x ^= c;
                riga = hex(trama + static_cast<char>(x));
            }
            sezione = riga;
            uscita += riga + "\r\n";
        }
        const std::string percorso = base.File("lng/99 Prova.xsi");
        std::ofstream(percorso, std::ios::binary) << uscita;
        ModMain::ConfigurazioniPredefinite = {{Valore(15, 47), percorso, "99 Prova"}};
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
    std::vector<ConfigurazionePredefinita> configurazioni_;
    std::pair<ModBlck::VettoreGiri, ModBlck::VettoreTempi> vettori_;
    std::pair<std::array<uint8_t, ColonnePaginaMappa>, std::array<uint8_t, RighePaginaMappa>> assi_;
};
