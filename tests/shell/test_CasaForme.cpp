// The home pages, the menu bars and the dashboard strip on a loaded main
// window: what they select, post, sound and show for given block values.
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>

#include "controls/PowerIndicatore.h"
#include "controls/SlideIndicatore.h"
#include "core/ModMainCaricatori.h"
#include "engine/MDIFrmMem10.h"
#include "link/ModBlckTrame.h"
#include "link/ModMappeDati.h"
#include "shell/CasaControlli.h"
#include "shell/CasaConversioni.h"
#include "shell/FissaggioShell.h"
#include "support/SupportoTest.h"

namespace {

// Entries "<prefix>1" .. "<prefix>n" after a marker line.
std::string Sezione(const std::string& marcatore, const std::string& prefisso, int n) {
    std::string s = marcatore + "\r\n";
    for (int i = 1; i <= n; ++i) s += prefisso + std::to_string(i) + "\r\n";
    return s;
}

class CasaForme : public FissaggioShell {
protected:
    void SetUp() override {
        FissaggioShell::SetUp();
        appoggio_ = ModMain::BloccoAppoggio;
        soglie_ = ModMain::MatSoglie;
        comando_ = ModMain::ComandoCustom;
        risposta_ = ModMain::RispostaCustom;
        trama_ = ModMain::FrameMenuCustom;
        mem10_ = ModMain::LogMem10Richiesto;
        dizionario_ = ModMain::Dizionario;
        // Every block the home pages read, with room for their highest values.
        TabellaBlocchi.resize(17);
        for (auto& b : TabellaBlocchi) b.Valori.resize(71, 0);
        auto& b5 = TabellaBlocchi[5];
        b5.Valori.assign(8, 0);
        b5.CodiciTipo.assign(8, "UW");
        b5.Scale.assign(8, 1);
        b5.Offset = {6, 8, 10, 12, 14, 16, 18, 20};
        ModMain::BloccoAppoggio.Valori.assign(60, 0);
        chiamate.clear();
    }
    void TearDown() override {
        ModMain::Dizionario = dizionario_;
        ModMain::BloccoAppoggio = appoggio_;
        ModMain::MatSoglie = soglie_;
        ModMain::ComandoCustom = comando_;
        ModMain::RispostaCustom = risposta_;
        ModMain::FrameMenuCustom = trama_;
        ModMain::LogMem10Richiesto = mem10_;
        FissaggioShell::TearDown();
    }
    // Loads a one-language dictionary made of `voci` after the title entry.
    void Dizionario(const std::string& voci) {
        base_.Scrivi("lng/diz.diz", "###\r\n#English&0\r\nTitle\r\n" + voci);
        base_.Scrivi("lng/diz.con", "0\r\n");
        lingue_.PathDizionario(base_.File("lng/diz.diz"));
        lingue_.PathAttualeLingua(base_.File("lng/diz.con"));
        ASSERT_TRUE(lingue_.LoadDizionario());
        ModMain::Dizionario = &lingue_;
    }
    static int32_t& V(size_t b, size_t n) { return TabellaBlocchi.at(b).Valori.at(n); }
    static std::vector<std::pair<int, int>> Suoni() {
        std::vector<std::pair<int, int>> s;
        for (const auto& e : Piattaforma::Copione::Eventi())
            if (e.tipo == Piattaforma::Copione::Tipo::Suono) s.emplace_back(e.frequenzaHz, e.durataMs);
        return s;
    }

    SupportoTest::CartellaBase base_{false};
    ClsLingue lingue_;

private:
    BloccoParametri appoggio_;
    TabellaSoglie soglie_{};
    std::string comando_, risposta_, trama_;
    bool mem10_ = false;
    ClsLingue* dizionario_ = nullptr;
};

} // namespace

TEST_F(CasaForme, BottoniDellaCasaSelezionanoLaLoroPagina) {
    auto* menu = MDIFrm::IstanzaFRM_ZEBMenu;
    const std::pair<int, int32_t> casi[] = {{0, 25}, {1, 0}, {2, 52}, {3, 11}, {5, 45}, {6, 13}};
    for (const auto& [indice, pagina] : casi) {
        ModMain::PaginaCorrente = SCHEDA_HOME;
        emit menu->BUT_Round[static_cast<size_t>(indice)]->Click();
        EXPECT_EQ(ModMain::PaginaCorrente, pagina) << indice;
    }
    // The first three act through their bar, whose first button becomes the selected one.
    EXPECT_TRUE(MDIFrm::IstanzaFRM_ZEBMenuTop->BUT_Menu[0]->Value());
    EXPECT_TRUE(MDIFrm::IstanzaFRM_ZEBMenuTop2->BUT_Menu[0]->Value());
    EXPECT_TRUE(MDIFrm::IstanzaFRM_ZEBMenuTop3->BUT_Menu[0]->Value());
    // Exit: what the close box does, the exit flag only.
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);
    menu->BUT_Round_Click(7);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    // All seven are shown, there is no element 4.
    for (int i : {0, 1, 2, 3, 5, 6, 7}) EXPECT_FALSE(menu->BUT_Round[static_cast<size_t>(i)]->isHidden()) << i;
    EXPECT_EQ(menu->BUT_Round[4], nullptr);
}

TEST_F(CasaForme, BarraTieneSelezionatoSoloIlBottoneClicatoELoFaLampeggiare) {
    auto* bar = MDIFrm::IstanzaFRM_ZEBMenuTop;
    ModMain::MatSoglie[15] = 8;
    bar->BUT_Menu_Click(2);
    EXPECT_EQ(ModMain::PaginaCorrente, 27);
    ModMain::MatSoglie[15] = 7;
    bar->BUT_Menu[2]->Value(false); // the click had toggled it off: it ends selected again
    bar->BUT_Menu_Click(2);
    EXPECT_EQ(ModMain::PaginaCorrente, 12);
    for (size_t i = 0; i < bar->BUT_Menu.size(); ++i) EXPECT_EQ(bar->BUT_Menu[i]->Value(), i == 2) << i;

    bar->ColoreLampeggio = 0;
    const int32_t attesi[] = {0xFF0000, 0xFFFF00, 0, 0xFF0000};
    for (int32_t colore : attesi) {
        bar->TMR_Timer();
        EXPECT_EQ(bar->BUT_Menu[2]->ForeColor(), colore);
        EXPECT_EQ(bar->BUT_Menu[0]->ForeColor(), 0);
    }

    // The first key release only arms the bar.
    ModMain::PaginaCorrente = SCHEDA_OBD;
    bar->PrimoTastoRicevuto = 0;
    QKeyEvent esc(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(bar, &esc);
    EXPECT_EQ(bar->PrimoTastoRicevuto, 1);
    EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_OBD);

    // The wizard bar's lamps follow the progress bits of block 16.
    auto* wiz = MDIFrm::IstanzaFRM_ZEBMenuTop3;
    V(16, 26) = 3;
    wiz->TMR_Timer();
    EXPECT_EQ(wiz->Shp_Semaforo_Top3[1]->ColoreRiempimento(), 0x00FF00);
    for (size_t k : {0u, 2u, 3u}) EXPECT_EQ(wiz->Shp_Semaforo_Top3[k]->ColoreRiempimento(), 0x0000FF) << k;
    V(16, 26) = 56;
    wiz->TMR_Timer();
    EXPECT_EQ(wiz->Shp_Semaforo_Top3[1]->ColoreRiempimento(), 0x0000FF);
    EXPECT_EQ(wiz->Shp_Semaforo_Top3[3]->ColoreRiempimento(), 0x00FF00);
}

TEST_F(CasaForme, ConsoleInviaSoloCoppieEsadecimali) {
    auto* menu = MDIFrm::IstanzaFRM_ZEBMenu;
    ModMain::ComandoCustom = "prima";
    for (const char* testo : {" - - - invio - - -", "4102032", "", "41 0 2"}) {
        Piattaforma::Copione::Azzera();
        menu->TXT_INVIO->setText(QString::fromLatin1(testo));
        menu->Command2_Click();
        EXPECT_EQ(Suoni(), (std::vector<std::pair<int, int>>{{700, 250}})) << testo;
        EXPECT_EQ(ModMain::RichiestaPendente, 0) << testo;
        EXPECT_EQ(ModMain::ComandoCustom, "prima") << testo;
    }
    Piattaforma::Copione::Azzera();
    ModMain::RispostaCustom = "vecchia";
    menu->TXT_INVIO->setText(QStringLiteral("41 02 03 21 61"));
    menu->Command2_Click();
    EXPECT_TRUE(Suoni().empty());
    EXPECT_EQ(ModMain::ComandoCustom, "4102032161");
    EXPECT_EQ(ModMain::RispostaCustom, "");
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_SEND_CUSTOM_FRAME);
    // A second click while the first waits: a beep, nothing changed.
    menu->TXT_INVIO->setText(QStringLiteral("4102"));
    menu->Command2_Click();
    EXPECT_EQ(Suoni().size(), 1u);
    EXPECT_EQ(ModMain::ComandoCustom, "4102032161");

    // The display tick copies the reply and lights the wizard lamp.
    ModMain::RispostaCustom = "4201032100";
    V(16, 26) = 59;
    menu->AggiornaIcone();
    EXPECT_EQ(menu->TXT_RICEZIONE->text(), QStringLiteral("4201032100"));
    EXPECT_EQ(menu->Shp_Semaforo_Main->ColoreRiempimento(), 0x00FF00);
    V(16, 26) = 57;
    menu->AggiornaIcone();
    EXPECT_EQ(menu->Shp_Semaforo_Main->ColoreRiempimento(), 0x00FFFF);

    // MEM10 switch: only a checked box asks for logging.
    menu->CHK_LoggaMEM10->setCheckState(Qt::Checked);
    menu->CHK_LoggaMEM10_Click();
    EXPECT_TRUE(ModMain::LogMem10Richiesto);
    menu->CHK_LoggaMEM10->setCheckState(Qt::PartiallyChecked);
    menu->CHK_LoggaMEM10_Click();
    EXPECT_FALSE(ModMain::LogMem10Richiesto);
}

TEST_F(CasaForme, CampiDelRecordAccettanoRifiutanoEScrivono) {
    ASSERT_NO_FATAL_FAILURE(Dizionario(Sezione("[ABOUT]", "A", 11)));
    auto* menu = MDIFrm::IstanzaFRM_ZEBMenu;
    TabellaBlocchi[5].Valori = {12, 3, 25, 2018, 7, 1, 4, 2};
    menu->VisualizzaDatiCentralina("", "");
    EXPECT_EQ(menu->Text1[3]->text(), QStringLiteral("2018"));
    EXPECT_TRUE(menu->LblInfo->text().contains(QStringLiteral("A312, 3, A425/2018"))) << menu->LblInfo->text().toStdString();
    EXPECT_TRUE(menu->LblInfo->text().startsWith(QStringLiteral("A11\n")));
    EXPECT_TRUE(menu->LblAmmore->isHidden());
    // The panel sits in the bottom right corner, 10 pixels in.
    EXPECT_EQ(menu->LblInfo->geometry().right(), menu->width() - 11);

    QLineEdit* t = menu->Text1[0];
    menu->Text1_GotFocus(0);
    for (const char* rifiutato : {"12a", "70000", "-3", ""}) {
        t->setText(QString::fromLatin1(rifiutato));
        menu->Text1_KeyUp(0, 'A');
        EXPECT_EQ(t->text(), QStringLiteral("12")) << rifiutato;
    }
    EXPECT_EQ(t->palette().color(QPalette::Base), QColor(255, 255, 0)); // edited
    t->setText(QStringLiteral("345"));
    menu->Text1_KeyUp(0, '5');
    EXPECT_EQ(menu->TestoValido, "345");
    menu->Text1_KeyUp(0, 13);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_ECU_INFO);
    BloccoParametri atteso = TabellaBlocchi[5];
    atteso.Valori[0] = 345;
    std::string dati;
    ModBlck::CodificaBlocco(dati, atteso);
    EXPECT_EQ(ModMain::FrameMenuCustom, ModBlck::CostruisciTrama(0x41, 0x02, 0x2C, dati));
    EXPECT_EQ(ModMain::FrameMenuCustom.size(), 16u + 5u);
    EXPECT_EQ(TabellaBlocchi[5].Valori[0], 12); // the table waits for the read-back
    EXPECT_NE(t->palette().color(QPalette::Base), QColor(255, 255, 0));

    // A second confirmation while the first write waits is dropped, frame untouched.
    const std::string prima = ModMain::FrameMenuCustom;
    menu->Text1_GotFocus(1);
    menu->Text1[1]->setText(QStringLiteral("9"));
    menu->Text1_KeyUp(1, '9');
    menu->Text1_KeyUp(1, 13);
    EXPECT_EQ(ModMain::FrameMenuCustom, prima);

    // Leaving a field after an unconfirmed edit brings its first text back.
    menu->Text1_GotFocus(2);
    menu->Text1[2]->setText(QStringLiteral("26"));
    menu->Text1_KeyUp(2, '6');
    menu->Text1_LostFocus(2);
    EXPECT_EQ(menu->Text1[2]->text(), QStringLiteral("25"));

    // A value the record cannot hold (46 cylinders would come back as 8): the
    // beep, nothing posted, the field still edited.
    ModMain::RichiestaPendente = 0;
    ModMain::FrameMenuCustom.clear();
    Piattaforma::Copione::Azzera();
    TabellaBlocchi[5].Tipo = 5; // the ECU record's type, as SetCom.ini gives it
    QLineEdit* cilindri = menu->Text1[6];
    menu->Text1_GotFocus(6);
    cilindri->setText(QStringLiteral("46"));
    menu->Text1_KeyUp(6, '6');
    menu->Text1_KeyUp(6, 13);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ModMain::FrameMenuCustom.empty());
    ASSERT_EQ(Piattaforma::Copione::Eventi().size(), 1u);
    EXPECT_EQ(Piattaforma::Copione::Eventi()[0].tipo, Piattaforma::Copione::Tipo::Suono);
    EXPECT_EQ(cilindri->palette().color(QPalette::Base), QColor(255, 255, 0));
    cilindri->setText(QStringLiteral("6"));
    menu->Text1_KeyUp(6, '6');
    menu->Text1_KeyUp(6, 13);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_ECU_INFO);
}

TEST_F(CasaForme, PaginaDegliIndicatoriTestiConESenzaMarcatori) {
    auto* f = MDIFrm::IstanzaFRM_ZEBMain;
    // Entries with absolute indices 30 to 40 are unrelated texts: they must never show.
    ASSERT_NO_FATAL_FAILURE(Dizionario(Sezione("[Other]", "U", 60) + Sezione("[Frm_Generale]", "G", 41) +
                                       Sezione("[Frm_MapObd]", "M", 7) + Sezione("[Start_ZEB_DASHBOARD]", "D", 21)));
    f->CaricaLingua();
    EXPECT_EQ(f->LBL_TitoloCorrezioni->text(), QStringLiteral("G31"));
    EXPECT_EQ(f->SLD_Lambda1->SL_STRTit(), "G33 #1");
    EXPECT_EQ(f->SLD_Lambda2->SL_STRTit(), "G33 #2");
    EXPECT_EQ(f->PI_RPM->SL_STRTit(), "G38");
    EXPECT_EQ(f->LBL_Fast_2->text(), QStringLiteral("D16"));
    V(2, 2) = 4;
    V(12, 0) = 1;
    V(12, 26) = 2;
    V(12, 27) = 3;
    V(12, 19) = 1;
    V(12, 30) = 0x100 + 64; // only the low byte counts
    f->AggiornaParametriObd();
    EXPECT_EQ(f->LBL_Main_B1_Val->text(), QStringLiteral("M3"));
    EXPECT_EQ(f->LBL_Main_B1_Val->toolTip(), QStringLiteral("M3"));
    EXPECT_EQ(f->LBL_Main_B2_Val->text(), QStringLiteral("M2"));
    EXPECT_EQ(f->LBL_Fast_1_Val->text(), QStringLiteral("-50"));
    EXPECT_EQ(f->LBL_Slow_1_Val->text(), QStringLiteral(" - - "));

    ASSERT_NO_FATAL_FAILURE(Dizionario(Sezione("[Other]", "U", 60)));
    f->CaricaLingua();
    EXPECT_EQ(f->InizioSezioneGenerale, -1);
    EXPECT_EQ(f->LBL_TitoloCorrezioni->text(), QString());
    EXPECT_EQ(f->PI_TRID->SL_STRTit(), "");
    EXPECT_EQ(f->SLD_Lambda1->SL_STRTit(), " #1");
    f->AggiornaParametriObd();
    EXPECT_EQ(f->LBL_Main_B1_Val->text(), QString());

    V(2, 2) = 0; // OBD not in use
    f->AggiornaParametriObd();
    EXPECT_EQ(f->LBL_Main_B2_Val->text(), QStringLiteral(" - - "));
    EXPECT_EQ(f->LBL_Fast_1_Val->text(), QStringLiteral(" - - "));
}

TEST_F(CasaForme, PaginaDegliIndicatoriValoriLive) {
    auto* f = MDIFrm::IstanzaFRM_ZEBMain;
    V(3, 1) = 6;
    V(2, 1) = 3;
    for (int k = 0; k < 8; ++k) {
        V(1, static_cast<size_t>(7 - k)) = 1250 + k;
        V(1, static_cast<size_t>(15 - k)) = 30000 + k;
    }
    f->VisualizzazioneBarreTempoInj();
    EXPECT_EQ(f->LAB_Cil_Gas[0]->text(), QStringLiteral("01.25"));
    EXPECT_EQ(f->PRG_Gas[0]->value(), 12);
    EXPECT_EQ(f->LAB_Cil_Gas[3]->text(), QStringLiteral("01.25"));
    EXPECT_EQ(f->LAB_Cil_Ben[3]->text(), QStringLiteral("30.00"));
    EXPECT_EQ(f->PRG_Ben[3]->value(), 250);
    V(2, 1) = 0; // on petrol: gas reads 0, petrol still moves
    V(1, 15) = 2000;
    f->VisualizzazioneBarreTempoInj();
    EXPECT_EQ(f->LAB_Cil_Gas[1]->text(), QStringLiteral("00.00"));
    EXPECT_EQ(f->PRG_Gas[1]->value(), 0);
    EXPECT_EQ(f->LAB_Cil_Ben[0]->text(), QStringLiteral("02.00"));

    V(1, 32) = 850;
    V(1, 42) = 7;
    V(1, 33) = 1000;
    V(11, 69) = 1;
    V(11, 70) = 0x10;
    ModMain::BloccoAppoggio.Valori[35] = 450;
    f->AggiornaStatoEcu();
    EXPECT_EQ(f->PI_RPM->SL_STRVal(), "  850");
    EXPECT_EQ(f->PI_TRID->SL_STRVal(), "  7");
    EXPECT_EQ(f->PI_Press->SL_STRVal(), "  1.00");
    EXPECT_EQ(f->SLD_Lambda1->SL_STRVal(), "0.450 V");
    EXPECT_TRUE(f->SLD_Lambda2->isHidden());
    V(11, 69) = 0;
    f->AggiornaStatoEcu();
    EXPECT_TRUE(f->SLD_Lambda1->isHidden());
    EXPECT_EQ(f->SLD_Lambda1->SL_STRVal(), "0.450 V"); // kept for when it comes back

    // Correction lamps: the curve flag is the value one below the last index.
    TabellaBlocchi[13].Valori.assign(10, 0);
    TabellaBlocchi[13].Valori[8] = 1;
    V(1, 44) = 0;
    f->AggiornaCorrezioniVarie();
    EXPECT_EQ(f->SHP_SmagAcc->ColoreRiempimento(), 0xA7A767);
    EXPECT_EQ(f->SHP_TGas->ColoreRiempimento(), 0x4F4F4F);
    V(1, 44) = 2;
    f->AggiornaCorrezioniVarie();
    EXPECT_EQ(f->SHP_SmagAcc->ColoreRiempimento(), 0xFFFF80);
}

TEST_F(CasaForme, CruscottoStatoToniEColori) {
    ASSERT_NO_FATAL_FAILURE(Dizionario(Sezione("[Start_ZEB_DASHBOARD]", "d", 21)));
    auto* d = MDIFrm::IstanzaFRM_ZEBDashBoard;
    d->CaricaLingua();
    EXPECT_EQ(d->LABDIDA->text(), QStringLiteral("d16 - d17"));
    EXPECT_EQ(d->LABSXH[6]->text(), QStringLiteral("Lam.#1 (V)")); // kept from the design
    Piattaforma::Copione::Azzera();
    V(1, 37) = 1;
    V(2, 1) = 3;
    d->VisulizzaBarraVariabili();
    EXPECT_EQ(d->LABDXH[4]->text(), QStringLiteral("D3"));
    d->VisulizzaBarraVariabili();
    EXPECT_EQ(Suoni(), (std::vector<std::pair<int, int>>{{1000, 150}}));
    V(2, 1) = 0;
    d->VisulizzaBarraVariabili();
    EXPECT_EQ(d->LABDXH[4]->text(), QStringLiteral("D2"));
    EXPECT_EQ(Suoni(), (std::vector<std::pair<int, int>>{{1000, 150}, {500, 150}}));
    EXPECT_EQ(d->LABDXH[5]->palette().color(QPalette::WindowText), QColor(103, 167, 167));

    ModMain::LivelloSup = -1;
    MDIFrm::UltimoValoreMem10 = -1;
    d->VisulizzaBarraVariabili();
    EXPECT_EQ(d->LABSXH[0]->text(), QStringLiteral("[-1] d6"));
    ModMain::LivelloSup = 0;
    d->VisulizzaBarraVariabili();
    EXPECT_EQ(d->LABSXH[0]->text(), QStringLiteral("d6"));

    V(1, 37) = 0;
    d->VisulizzaBarraVariabili();
    EXPECT_EQ(d->LABDXH[4]->text(), QStringLiteral("D19"));
    EXPECT_EQ(d->LABDXL[4]->text(), QStringLiteral(" - - "));
    EXPECT_EQ(Suoni().size(), 2u);
}

TEST_F(CasaForme, RidimensionamentoProporzionale) {
    FRM_ZEBDashBoard d;
    d.Form_Load();
    QLabel* l = d.LABDXL[4]; // 12 pt, in cell 1
    const QRect prima = l->geometry();
    d.resize(d.width() / 2, d.height());
    d.Form_Resize();
    EXPECT_NEAR(l->x(), prima.x() / 2.0, 1);
    EXPECT_NEAR(l->width(), prima.width() / 2.0, 1);
    EXPECT_EQ(l->height(), prima.height());
    EXPECT_DOUBLE_EQ(Casa::PuntiFont(l), 6);
    EXPECT_DOUBLE_EQ(Casa::PuntiFont(d.LABSXH[0]), 4); // 8.25 x 0.5 = 4.125
    // The same size again still rounds every font to whole points.
    d.Form_Resize();
    EXPECT_DOUBLE_EQ(Casa::PuntiFont(l), 6);
}
