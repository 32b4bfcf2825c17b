// The calibration window offscreen: rest state, Start's guards, the sampling
// bars and the buttons' flags.
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include <QtWidgets/QCheckBox>

#include "calibration/FrmAutoTuning.h"
#include "calibration/MDIFrmTaratura.h"
#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainSchermo.h"
#include "engine/FissaggioMotore.h"
#include "platform/Caratteri.h"
#include "settings/FrmSeqInj.h"
#include "support/PagineProva.h"
#include "support/SupportoTest.h"

namespace {

class FinestraTaratura : public FissaggioMotore {
protected:
    void SetUp() override {
        FissaggioMotore::SetUp();
        parametri_ = ModTaratura::Parametri;
        f = std::make_unique<FrmAutoTuning>();
        f->resize(800, 480);
        f->Form_Load();
        ModTaratura::StopTaratura = ModTaratura::OkTaratura = 0;
    }
    void TearDown() override {
        f->Form_Unload();
        f.reset();
        ModTaratura::Parametri = parametri_;
        ModTaratura::StopTaratura = ModTaratura::OkTaratura = 0;
        FissaggioMotore::TearDown();
    }
    std::string Msg() const { return f->LblCalMsg_->text().toStdString(); }
    std::string VoceTune(int n) const { return Voce(static_cast<int16_t>(f->OffsetLinguaTune() + n)); }

    std::unique_ptr<FrmAutoTuning> f;

private:
    ModTaratura::ParametriTaratura parametri_;
};

TEST_F(FinestraTaratura, RiposoESelezioneDuranteUnaCorsa) {
    ASSERT_GT(f->OffsetLinguaTune(), 0);
    f->PresettaLaFinestra();
    EXPECT_TRUE(f->CmdCalStart->isEnabled());
    EXPECT_FALSE(f->CmdCalOk->isEnabled());
    EXPECT_FALSE(f->CmdCalCancel->isEnabled());
    EXPECT_EQ(Msg(), VoceTune(4) + " <" + VoceTune(40) + ">");
    EXPECT_EQ(f->LblCalStep_->text().toStdString(), Voce(44));

    // Re-selected while a run waits for its acknowledgement: nothing is reset.
    ModMain::StatoConnessione = STATO_TARATURA;
    f->CmdCalStartAbilitato(false);
    f->CmdCalCancelAbilitato(true);
    f->LblCalMsg(VoceTune(12));
    f->PresettaLaFinestra();
    EXPECT_FALSE(f->CmdCalStart->isEnabled());
    EXPECT_TRUE(f->CmdCalCancel->isEnabled());
    EXPECT_EQ(Msg(), VoceTune(12));
}

TEST_F(FinestraTaratura, AvvioSoloConCollegamentoLibero) {
    f->PresettaLaFinestra();
    for (const int32_t stato : {STATO_OFFLINE, STATO_RICERCA, STATO_FIRMWARE, STATO_TARATURA}) {
        ModMain::StatoConnessione = stato;
        f->CmdCalStart_Click();
        EXPECT_EQ(ModMain::AvvioTaratura, 0) << stato;
        EXPECT_TRUE(f->CmdCalStart->isEnabled()) << stato;
    }
    ModMain::StatoConnessione = STATO_CONNESSO;
    ModTaratura::Parametri.RpmMinimi = 900;
    ModTaratura::Parametri.TempTaratura = 70;
    // Commanded to gas, still on petrol: the switchover request goes first.
    TabellaBlocchi[2].Valori[0] = 3;
    TabellaBlocchi[2].Valori[1] = 0;
    f->CmdCalStart_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15);
    EXPECT_EQ(ModMain::AvvioTaratura, 1);
    EXPECT_EQ(ModTaratura::Parametri.RpmMinimi, 200);
    EXPECT_EQ(ModTaratura::Parametri.TempTaratura, 50);
    EXPECT_FALSE(f->CmdCalStart->isEnabled());
    EXPECT_TRUE(f->CmdCalCancel->isEnabled());
    EXPECT_TRUE(Messaggi().empty());

    f->CmdCalCancel_Click();
    f->CmdCalOk_Click();
    EXPECT_EQ(ModTaratura::StopTaratura, -1);
    EXPECT_EQ(ModTaratura::OkTaratura, -1);
}

// The shell's part in a start: the menu bars' locks recorded, the injection-
// sequence page asked, a dropped start handed to the calibration.
class InterfacciaAvvio : public RegistratoreInterfaccia {
public:
    FrmSeqInj* sequenza = nullptr;
    std::string menu;
    void FRM_ZEBMenuTop_Abilita(bool a) override { menu += a ? "1+" : "1-"; }
    void FRM_ZEBMenuTop2_Abilita(bool a) override { menu += a ? "2+" : "2-"; }
    void FRM_ZEBMenuTop3_Abilita(bool a) override { menu += a ? "3+" : "3-"; }
    void FrmCommutatore_Abilita(bool a) override { menu += a ? "C+" : "C-"; }
    bool FrmSeqInj_SonoAnticipato() override { return sequenza->SonoAnticipato(); }
    void TaraturaNonAvviata() override { MDIFrm::TaraturaNonAvviata(); }
};

TEST_F(FinestraTaratura, AvvioScartatoDalTimerRendeLaFinestra) {
    ui.reset();
    auto servizi = std::make_unique<InterfacciaAvvio>();
    FrmSeqInj sequenza;
    servizi->sequenza = &sequenza;
    InterfacciaAvvio& s = *servizi;
    ui = std::move(servizi);
    f->PresettaLaFinestra();
    // The link is lost between Start and the link timer's next tick.
    for (const int32_t stato : {STATO_OFFLINE, STATO_RICERCA}) {
        ModMain::StatoConnessione = STATO_CONNESSO;
        s.menu.clear();
        f->CmdCalStart_Click();
        ASSERT_EQ(ModMain::AvvioTaratura, 1);
        ASSERT_FALSE(f->CmdCalStart->isEnabled());
        ModMain::StatoConnessione = stato;
        MDIFrm::Timer1_Timer();
        EXPECT_EQ(ModMain::AvvioTaratura, 0) << stato;
        EXPECT_NE(ModMain::StatoConnessione, STATO_TARATURA) << stato;
        EXPECT_TRUE(f->CmdCalStart->isEnabled()) << stato;
        EXPECT_FALSE(f->CmdCalCancel->isEnabled()) << stato;
        EXPECT_FALSE(f->CmdCalOk->isEnabled()) << stato;
        EXPECT_EQ(s.menu, "1-2-3-C-1+2+3+C+") << stato;
        EXPECT_EQ(Msg(), VoceTune(12) + "\r\n\r\n" + VoceTune(4) + " <" + VoceTune(40) + ">") << stato;
    }
}

TEST_F(FinestraTaratura, AvvioChiedeAllaPaginaDellaSequenza) {
    ui.reset();
    auto servizi = std::make_unique<InterfacciaAvvio>();
    FrmSeqInj sequenza;
    servizi->sequenza = &sequenza;
    ui = std::move(servizi);
    f->PresettaLaFinestra();
    // Four cylinders, channel 0 on output 1: the anticipated sequence. The
    // page's check box follows the answer.
    TabellaBlocchi[3].Valori[1] = 4;
    TabellaBlocchi[15].Valori[78] = 0;
    for (size_t k = 0; k < 4; ++k) TabellaBlocchi[15].Valori[6 + k] = static_cast<int32_t>((k + 1) % 4);
    sequenza.chkanticipato->setChecked(false);
    f->CmdCalStart_Click();
    EXPECT_TRUE(sequenza.chkanticipato->isChecked());
    EXPECT_EQ(ModMain::AvvioTaratura, 0);
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0], VoceTune(47));
}

TEST_F(FinestraTaratura, BarreDiCampionamento) {
    f->VisualizzaTempiCampionamentoBenzina(12345, true);
    EXPECT_EQ(f->ShpTaraTbenz->value(), 100);
    EXPECT_EQ(f->LblTaraTbenz->text().toStdString(), VoceTune(42) + " 12.345");
    f->VisualizzaTempiCampionamentoBenzina(150, false);
    EXPECT_EQ(f->ShpTaraTbenz->value(), 2);
    f->VisualizzaTempiCampionamentoGas(5000, true);
    EXPECT_EQ(f->ShpTaraTgas->value(), 50);
    // Outside the gas bar's range: the bar keeps its value, the label follows.
    f->VisualizzaTempiCampionamentoGas(12345, true);
    EXPECT_EQ(f->ShpTaraTgas->value(), 50);
    EXPECT_EQ(f->LblTaraTGas->text().toStdString(), VoceTune(43) + " 12.345");
    f->LampeggioInTaratura(false);
    EXPECT_FALSE(f->ShpLampa->isHidden());
    f->LampeggioInTaratura(true);
    EXPECT_TRUE(f->ShpLampa->isHidden());
}

} // namespace

namespace {

// The prompt's text lies whole inside the prompt in the font it is drawn in,
// and that font stays readable.
::testing::AssertionResult PromptIntero(const QLabel* l) {
    const QFont font = ModZebPagina::FontMostrato(l);
    const int flag = static_cast<int>(l->alignment()) | Qt::TextWordWrap;
    if (!Piattaforma::TestoEntra(font, l->text(), l->contentsRect().size(), flag))
        return ::testing::AssertionFailure() << "\"" << l->text().toStdString() << "\" does not fit "
                                             << l->width() << "x" << l->height() << " at " << font.pointSizeF() << " pt";
    if (font.pointSizeF() < 7)
        return ::testing::AssertionFailure() << "\"" << l->text().toStdString() << "\" shrunk to "
                                             << font.pointSizeF() << " pt";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(FinestraTaratura, OgniMessaggioEntraIntero) {
    // Every text the prompt shows, with each choice of its optional lines,
    // in both languages and at both window sizes.
    f->show();
    for (const auto& l : PagineProva::Lingue) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(l.lingua));
        f->CaricaLingua();
        const std::string ok = " <" + f->CmdCalOkCaption() + ">", avvio = " <" + f->CmdCalStartCaption() + ">";
        const std::string a = "\r\n\r\n", giri = "12345", secondi = "88";
        std::vector<std::string> testi = {
            VoceTune(3), VoceTune(18), Voce(16), VoceTune(6) + " (< 70)", VoceTune(9) + ok,
            VoceTune(8) + a + VoceTune(20), VoceTune(19) + a + VoceTune(8) + " " + secondi,
            VoceTune(22) + " " + giri, VoceTune(23) + " " + giri + a + VoceTune(24) + " " + giri + " " + VoceTune(51),
            VoceTune(23) + " " + giri + a + VoceTune(8) + " " + secondi, VoceTune(25),
            VoceTune(26) + a + VoceTune(24) + " " + giri + " " + VoceTune(51), VoceTune(26) + a + VoceTune(27) + " 8",
            VoceTune(26) + a + VoceTune(8) + " " + secondi, VoceTune(28), VoceTune(28) + "\r\n" + giri + " < " + giri,
            VoceTune(28) + a + VoceTune(8) + secondi, VoceTune(19) + a + VoceTune(20),
            VoceTune(19) + a + VoceTune(8) + secondi, VoceTune(4) + avvio, VoceTune(12) + a + VoceTune(4) + avvio,
            VoceTune(7)};
        // The idle tare's confirmation: with the injector-limit line, the
        // limited-correction line or neither.
        for (const std::string& prima : {std::string(), "(-123.4375) " + VoceTune(30) + a, "(-123.4375) " + VoceTune(31) + a})
            testi.push_back(prima + VoceTune(32) + a + VoceTune(45) + ok);
        // The last confirmation, with each set of functions switched on again.
        for (int insieme = 1; insieme < 8; ++insieme) {
            std::string t = VoceTune(33);
            for (int k = 0; k < 3; ++k)
                if (insieme & (1 << k)) t += "\r\n" + VoceTune(34 + k);
            testi.push_back(t + "\r\n" + VoceTune(37) + " " + f->CmdCalOkCaption());
        }
        // Every outcome, acknowledged with Cancel.
        for (const int32_t codice : std::initializer_list<int32_t>{ModTaratura::ESITO_STOP, ModTaratura::ESITO_GIRI_BASSI, ModTaratura::ESITO_MOTORE_FERMO,
                                     ModTaratura::ESITO_TRASFERIMENTO, ModTaratura::ESITO_TOLLERANZA,
                                     ModTaratura::ESITO_CARBURANTE, ModTaratura::ESITO_PRESSIONE_GAS,
                                     ModTaratura::ESITO_PARAMETRI})
            testi.push_back(ModTaratura::TestoEsito(codice) + a + VoceTune(17));
        for (const auto& d : PagineProva::Dimensioni) {
            f->resize(d.larghezza, d.altezza);
            for (const std::string& t : testi) {
                f->LblCalMsg(t);
                EXPECT_TRUE(PromptIntero(f->LblCalMsg_)) << l.sigla << " at " << d.larghezza << "x" << d.altezza;
            }
            f->LblCalMsg(testi[testi.size() - 16]); // the confirmation after a limited correction
            SupportoTest::Fotografa(f.get(), "taratura_conferma_" + std::string(l.sigla) + "_" +
                                                 std::to_string(d.larghezza) + ".png");
        }
    }
    ModMain::Dizionario->IdLingua(0);
}
