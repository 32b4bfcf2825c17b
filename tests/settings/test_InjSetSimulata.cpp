// The injector popup against the simulated ECU through the real companion:
// block 3 re-read about every two seconds while the slot is free and the link
// is up, each read reloading the rows.
#include "engine/FissaggioMotore.h"

#include <QtWidgets/QScrollBar>

#include "core/ModGlobFunct.h"
#include "platform/Orologio.h"
#include "settings/FrmInjSetPopUp.h"

namespace {

class InjSetServizi : public ServiziInterfaccia {
public:
    explicit InjSetServizi(FrmInjSetPopUp& f) : f_(f) { MDIFrm::RegistraInterfaccia(this); }
    ~InjSetServizi() override { MDIFrm::RegistraInterfaccia(nullptr); }
    void FrmInjSetPopUp_AggiornaSelezioni(bool tutte) override {
        ++letture;
        f_.AggiornaSelezioni(tutte);
    }
    int letture = 0;

private:
    FrmInjSetPopUp& f_;
};

class InjSetSimulata : public FissaggioMotore {
protected:
    void TearDown() override {
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        FissaggioMotore::TearDown();
    }
};

TEST_F(InjSetSimulata, RiletturaOgniDueSecondi) {
    Connetti();
    FrmInjSetPopUp f;
    f.Form_Load();
    InjSetServizi servizi(f);
    ModMain::PaginaCorrente = SCHEDA_INIETTORI;
    // The ECU holds an offset of 7 for injector 2 that the program has not read yet.
    Manopola(24, 3 << 24 | 23 << 16 | 7);

    f.RichiediAggiornamentoBlocco3(); // the first tick posts at once
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_BLK3);
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(servizi.letture, 1);
    EXPECT_EQ(f.HScrTime[1]->value(), 7);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    f.RichiediAggiornamentoBlocco3(); // within two seconds: nothing
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    // Two seconds later on the clock (run faster for the test).
    Piattaforma::ImpostaAcceleratoreOrologio(10'000);
    while (ModGlobFunct::LeggiMicrosecondi() <= f.ProssimaLetturaBlocco3) Piattaforma::PausaBreve(1'000);
    ModMain::StatoConnessione = STATO_OFFLINE; // offline: never
    f.RichiediAggiornamentoBlocco3();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    ModMain::StatoConnessione = STATO_CONNESSO;
    ModMain::RichiestaPendente = REQ_WRITE_BLK3; // slot taken: waits
    f.RichiediAggiornamentoBlocco3();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    ModMain::RichiestaPendente = 0;
    f.RichiediAggiornamentoBlocco3();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_BLK3);
}

} // namespace
