// The switchover page against the simulated ECU: loading, the staged edits and
// requests of each handler family, refusals, the temperature-sensor grid's
// held keys and deferred writes, the spark box, the bad-bit slider, resizing,
// and pictures at two sizes in both languages (with MONDARO_SCREENSHOT_DIR).
#include "switchover/FissaggioCommutazione.h"

#include <algorithm>
#include <set>

#include <QtCore/QDir>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QSlider>

#include "config/FrmSelezAlim.h"
#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "support/ClicProva.h"
#include "support/GrigliaProva.h"
#include "support/PagineProva.h"
#include "support/SupportoTest.h"

namespace {

using F = FissaggioCommutazione;

class CommutazioneForma : public FissaggioCommutazione {
protected:
    static void Vuota() {
        ModMain::RichiestaPendente = 0;
        for (auto* l : Liste()) *l = ModBlck::ListaVuota();
    }
    static void Uguale(const ListaModifiche& l, std::vector<std::array<int32_t, 3>> attese, const char* dove) {
        ASSERT_EQ(l.size(), attese.size()) << dove;
        for (size_t i = 0; i < l.size(); ++i) {
            EXPECT_EQ(l[i].Valore, attese[i][0]) << dove << " entry " << i;
            EXPECT_EQ(l[i].IndiceValore, attese[i][1]) << dove << " entry " << i;
            EXPECT_EQ(l[i].Maschera, attese[i][2]) << dove << " entry " << i;
        }
    }
    // Holds a key on the grid's current cell until `passi` steps have shown,
    // then lets it go (or sends `fine` instead of the release).
    void TieniTasto(int tasto, Qt::KeyboardModifiers m, int passi, QEvent::Type fine = QEvent::KeyRelease) {
        GrigliaDati* g = pagina_->GrdTemp;
        int visti = 0;
        QString ultimo = g->Text();
        auto c = QObject::connect(g->model(), &QAbstractItemModel::dataChanged, g, [&] {
            if (g->Text() == ultimo) return; // a colour, not a step
            ultimo = g->Text();
            if (++visti != passi) return;
            slotDuranteTenuta_ = ModMain::RichiestaPendente;
            if (fine == QEvent::KeyRelease) QCoreApplication::postEvent(g, new QKeyEvent(QEvent::KeyRelease, tasto, m));
            else QCoreApplication::postEvent(g, new QFocusEvent(fine));
        });
        QKeyEvent premi(QEvent::KeyPress, tasto, m);
        QApplication::sendEvent(g, &premi);
        QObject::disconnect(c);
        passiVisti_ = visti;
    }
    int passiVisti_ = 0;
    int32_t slotDuranteTenuta_ = -1;
};

TEST_F(CommutazioneForma, CaricaDallaCentralina) {
    auto& p = *pagina_;
    EXPECT_FALSE(p.InCaricamento);
    EXPECT_EQ(p.CmbNumCilindri->count(), 4);
    EXPECT_EQ(p.CmbNumCilindri->currentText(), QStringLiteral("4"));
    EXPECT_EQ(p.CmbSwtchRpm->currentText(), QStringLiteral("3000"));
    EXPECT_EQ(p.CmbNumBobine->currentText(), QStringLiteral("2"));
    EXPECT_EQ(p.CmbFiloRpm->currentIndex(), 1);
    EXPECT_FALSE(p.CmbNumBobine->isHidden());
    EXPECT_TRUE(p.CmbFattorex1x2->isHidden());
    EXPECT_EQ(p.TEXT_SPARK->text(), QStringLiteral("8568"));
    EXPECT_EQ(p.CmbTipoInj->currentIndex(), 0);
    EXPECT_EQ(p.CmbSwtchForce->currentIndex(), 0); // the simulated ECU starts with no forced switchover
    EXPECT_EQ(p.SldBadBit->value(), 15);
    EXPECT_EQ(p.LblBadBit_Val->text(), QStringLiteral("1.5"));
    EXPECT_EQ(p.GrdTemp->TextMatrix(0, 1), QStringLiteral("-10"));
    EXPECT_EQ(p.GrdTemp->TextMatrix(1, 2), QStringLiteral("52"));
    EXPECT_EQ(p.GrdTemp->TextMatrix(1, 8), QStringLiteral("1"));
    EXPECT_EQ(p.CmbSogliaTensRpm->count(), 35);
    EXPECT_EQ(p.CmbTempZero->currentText(), QStringLiteral("2"));
    // The loader's own selections post nothing.
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(Messaggi().empty());
    ecu_->ImpostaValore(3, 37, 0);
    LeggiCentralina();
    p.AggiornaSelezioni();
    EXPECT_EQ(p.CmbSwtchForce->currentIndex(), -1); // 0 ms matches no item
}

TEST_F(CommutazioneForma, ModificheERichieste) {
    auto& p = *pagina_;
    const struct Caso {
        const char* nome;
        std::function<void()> azione;
        ListaModifiche* lista;
        std::vector<std::array<int32_t, 3>> attese;
        int32_t codice;
    } casi[] = {
        {"rpm 0", [&] { p.CmbSwtchRpm->setCurrentIndex(Indice(p.CmbSwtchRpm, "0")); p.CmbSwtchRpm_Click(); },
         &ModBlck::ModificheBlocco3, {{65535, 3, 0}, {65535, 35, 0}}, 7},
        {"coils 1", [&] { p.CmbNumBobine->setCurrentIndex(Indice(p.CmbNumBobine, "1")); p.CmbNumBobine_Click(); },
         &ModBlck::ModificheBlocco3, {{1, 0, 0}, {1250, 3, 0}}, 7},
        {"x 2", [&] { p.CmbFattorex1x2->setCurrentIndex(1); p.CmbFattorex1x2_Click(); },
         &ModBlck::ModificheBlocco3, {{2, 42, 0}, {2500, 35, 0}}, 7},
        {"spark on", [&] { p.cmb_spark->setCurrentIndex(1); p.cmb_spark_Click(); },
         &ModBlck::ModificheBlocco3, {{1, 49, 8}, {8568, 44, 0}}, 7},
        {"forced off", [&] { p.CmbSwtchForce->setCurrentIndex(0); p.CmbSwtchForce_Click(); },
         &ModBlck::ModificheBlocco3, {{1638375, 37, 0}}, 7},
        {"forced 5", [&] { p.CmbSwtchForce->setCurrentIndex(Indice(p.CmbSwtchForce, "5")); p.CmbSwtchForce_Click(); },
         &ModBlck::ModificheBlocco3, {{5000, 37, 0}}, 7},
        {"warm-up off", [&] { p.CmbTempoAutoCalda->setCurrentIndex(0); p.CmbTempoAutoCalda_Click(); },
         &ModBlck::ModificheBlocco3, {{0, 43, 0}}, 7},
        {"direction", [&] { p.CmbswitchDir->setCurrentIndex(1); p.CmbswitchDir_Click(); },
         &ModBlck::ModificheBlocco3, {{1, 33, 2}}, 7},
        {"rpm wire off", [&] { p.CmbFiloRpm->setCurrentIndex(0); p.CmbFiloRpm_Click(); },
         &ModBlck::ModificheBlocco3, {{1, 33, 1}}, 7},
        {"bit 4 of block 2", [&] { p.Check3[4]->setChecked(false); p.Check3_Click(4); },
         &ModBlck::ModificheBlocco2, {{0, 2, 0x10}}, 27},
        {"bit 2 of value 49", [&] { p.Check4[2]->setChecked(true); p.Check4_Click(2); },
         &ModBlck::ModificheBlocco3, {{1, 49, 4}}, 7},
        {"sensitivity", [&] { p.CmbSogliaTensRpm->setCurrentIndex(19); p.CmbSogliaTensRpm_Click(); },
         &ModBlck::ModificheBlocco15, {{128, 87, 0}}, 54},
        {"cycles", [&] { p.CMB_cont_cicliRPM->setCurrentIndex(Indice(p.CMB_cont_cicliRPM, "3")); p.CMB_cont_cicliRPM_Click(); },
         &ModBlck::ModificheBlocco16, {{3, 24, 0}}, 59},
        {"start-stop", [&] { p.cmbstartstop->setCurrentIndex(1); p.cmbstartstop_Click(); },
         &ModBlck::ModificheBlocco15, {{1, 5, 0x80}}, 54},
    };
    for (const auto& c : casi) {
        Vuota();
        p.AggiornaSelezioni();
        c.azione();
        Uguale(*c.lista, c.attese, c.nome);
        EXPECT_EQ(ModMain::RichiestaPendente, c.codice) << c.nome;
    }
    // Busy slot or loading: nothing staged, nothing posted.
    for (int modo = 0; modo < 2; ++modo) {
        Vuota();
        ModMain::RichiestaPendente = modo == 0 ? 21 : 0;
        p.InCaricamento = modo == 1;
        p.CmbSwtchRpm->setCurrentIndex(1);
        p.CmbSwtchRpm_Click();
        p.Check2[3]->setChecked(true);
        p.Check2_Click(3);
        EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3)) << modo;
        EXPECT_EQ(ModMain::RichiestaPendente, modo == 0 ? 21 : 0);
        p.InCaricamento = false;
    }
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(CommutazioneForma, TipoIniettoreScriveLeRigheDellaDefinizione) {
    auto& p = *pagina_;
    // The second type of the shipped file, whose seven value lines all differ:
    // line k counts from the section header (line 0, the name is line 1).
    const auto& righe = ModMain::RigheConfigScale;
    const auto sezione = std::find(righe.begin(), righe.end(), std::string("[InjType_002]"));
    ASSERT_LE(sezione + 8, righe.end());
    auto riga = [&](int k) { return std::stoi(*(sezione + k)); };
    std::set<int32_t> diverse;
    for (int k = 2; k <= 8; ++k) diverse.insert(riga(k));
    ASSERT_EQ(diverse.size(), 7u);
    Vuota();
    p.CmbTipoInj->setCurrentIndex(Indice(p.CmbTipoInj, QString::fromStdString(*(sezione + 1))));
    p.CmbTipoInj_Click();
    Uguale(ModBlck::ModificheBlocco3, {{2, 4, 0}, {riga(2), 6, 0}, {riga(4), 7, 0}, {riga(3), 8, 0}, {riga(6), 36, 0}},
           "block 3");
    Uguale(ModBlck::ModificheBlocco15, {{riga(8), 0, 0}}, "block 15");
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3_BLK15);
}

TEST_F(CommutazioneForma, TemperaturaDiCommutazioneSpostaLaTabella) {
    auto& p = *pagina_;
    Vuota();
    p.CmbSwtchTemp->setCurrentIndex(Indice(p.CmbSwtchTemp, "40"));
    p.CmbSwtchTemp_Click();
    Uguale(ModBlck::ModificheBlocco3, {{4, 33, 4}, {40, 2, 0}}, "temperature");
    EXPECT_EQ(ModMain::RichiestaPendente, 16);
    // Point 2 was at 20 °C: every temperature rises by 20, the sensor values stay.
    EXPECT_EQ(TabellaBlocchi[6].Valori[0], 10);
    EXPECT_EQ(TabellaBlocchi[6].Valori[4], 40);
    EXPECT_EQ(TabellaBlocchi[6].Valori[5], 30000);
}

TEST_F(CommutazioneForma, CilindriERifiuti) {
    auto& p = *pagina_;
    Vuota();
    p.CmbNumCilindri->setCurrentIndex(Indice(p.CmbNumCilindri, "3"));
    p.CmbNumCilindri_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 13);
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Tipo, 2);
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Valore, 3);
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Modo, 3);
    EXPECT_EQ(ModBlck::TabellaCilindri[1], 3);
    EXPECT_EQ(ModBlck::TabellaCilindri[13], 0);
    EXPECT_EQ(ModBlck::TabellaCilindri[14], TabellaBlocchi[3].Valori[14]);

    // Engine running: the cylinder change and the rpm source are refused and put back.
    Imposta(1, 37, 1);
    Imposta(2, 0, 3);
    Vuota();
    p.CmbNumCilindri->setCurrentIndex(0);
    p.CmbNumCilindri_Click();
    p.CmbFiloRpm->setCurrentIndex(0);
    p.CmbFiloRpm_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(p.CmbNumCilindri->currentText(), QStringLiteral("4"));
    EXPECT_EQ(p.CmbFiloRpm->currentIndex(), 1);
    ASSERT_EQ(Messaggi().size(), 2u);
    EXPECT_EQ(Messaggi()[0], ModMain::TestoVoce(17));
    EXPECT_EQ(Messaggi()[1], ModMain::TestoVoce(16));
    // Injector type while running: No puts the list back.
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
    p.CmbTipoInj->setCurrentIndex(2);
    p.CmbTipoInj_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(p.CmbTipoInj->currentIndex(), 0);
}

TEST_F(CommutazioneForma, TipoAlimentazioneConFileDiFabbrica) {
    auto& p = *pagina_;
    // Yes, OK, then the fuel-type dialog: Load stages the chosen factory file for request 18.
    SupportoTest::CartellaBase base(false);
    base.Scrivi("lng/01 Factory LPG.xsi", "[FW]\r\n");
    const std::string basePrima = ModMain::PercorsoBase;
    ModMain::PercorsoBase = base.Percorso();
    for (const bool carica : {true, false}) {
        SCOPED_TRACE(carica);
        Vuota();
        ModMain::NomeConfigurazione = "prima";
        ModMain::EseguiFrmSelezAlim = [carica](FrmSelezAlim& d) {
            EXPECT_GT(d.CmbAlim->count(), 0);
            if (carica) d.Command1_Click();
            else d.CmdAnnulla_Click();
        };
        Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
        Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Ok);
        p.CmbTipoAlim_Click();
        ModMain::EseguiFrmSelezAlim = nullptr;
        if (carica) {
            EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_FILE);
            EXPECT_EQ(ModMain::PercorsoCaricamento, base.File("lng/01 Factory LPG.xsi"));
            EXPECT_TRUE(ModMain::NomeConfigurazione.empty());
        } else {
            EXPECT_EQ(ModMain::RichiestaPendente, 0);
            EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
            EXPECT_EQ(ModMain::NomeConfigurazione, "prima");
        }
    }
    ModMain::PercorsoCaricamento.clear();
    ModMain::PercorsoBase = basePrima;
}

TEST_F(CommutazioneForma, VociNonValideNonScrivonoNulla) {
    auto& p = *pagina_;
    // An injector name no definition carries: both lists stay as they were.
    Vuota();
    p.CmbTipoInj->addItem(QStringLiteral("Unknown"));
    p.CmbTipoInj->setCurrentIndex(p.CmbTipoInj->count() - 1);
    p.CmbTipoInj_Click();
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco15));
    EXPECT_EQ(p.CmbTipoInj->currentIndex(), 0);
    // Items that are no numbers, and an rpm list without a selection.
    struct {
        QComboBox* c;
        void (FRM_ZEBCommutazione::*gestore)();
    } liste[] = {{p.CmbSwtchIsteresi, &FRM_ZEBCommutazione::CmbSwtchIsteresi_Click},
                 {p.CmbSwtchForce, &FRM_ZEBCommutazione::CmbSwtchForce_Click},
                 {p.CmbTempoAutoCalda, &FRM_ZEBCommutazione::CmbTempoAutoCalda_Click},
                 {p.CmbSwtchTemp, &FRM_ZEBCommutazione::CmbSwtchTemp_Click},
                 {p.CmbSwtchRpm, &FRM_ZEBCommutazione::CmbSwtchRpm_Click}};
    const int32_t prima = TabellaBlocchi[6].Valori[0];
    for (auto& l : liste) {
        Vuota();
        const QString scelto = l.c->currentText();
        l.c->addItem(QStringLiteral("abc"));
        l.c->setCurrentIndex(l.c->count() - 1);
        (p.*l.gestore)();
        EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3)) << l.c->objectName().toStdString();
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
        EXPECT_EQ(l.c->currentText(), scelto) << l.c->objectName().toStdString();
    }
    EXPECT_EQ(TabellaBlocchi[6].Valori[0], prima);
    Vuota();
    p.CmbSwtchRpm->setCurrentIndex(-1);
    p.CmbNumBobine_Click();
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(CommutazioneForma, TestoSpark) {
    auto& p = *pagina_;
    Vuota();
    p.TEXT_SPARK_GotFocus();
    // A pasted text that is no number: Enter writes nothing and the box shows its value again.
    p.TEXT_SPARK->setText(QStringLiteral("12a"));
    p.TEXT_SPARK_KeyUp(13);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(p.TEXT_SPARK->text(), QStringLiteral("8568"));
    // A key leaving a non-number is undone.
    p.TestoSparkValido = "12";
    p.TEXT_SPARK->setText(QStringLiteral("12a"));
    p.TEXT_SPARK_KeyUp('A');
    EXPECT_EQ(p.TEXT_SPARK->text(), QStringLiteral("12"));
    // Leaving without Enter restores the value shown on entry.
    p.TEXT_SPARK_LostFocus();
    EXPECT_EQ(p.TEXT_SPARK->text(), QStringLiteral("8568"));
    p.TEXT_SPARK_GotFocus();
    p.TEXT_SPARK->setText(QStringLiteral("40000"));
    p.TEXT_SPARK_KeyUp(13);
    Uguale(ModBlck::ModificheBlocco3, {{32000, 44, 0}}, "spark");
    EXPECT_EQ(ModMain::RichiestaPendente, 7);
}

TEST_F(CommutazioneForma, SliderScrittoDalTimerASlotLibero) {
    auto& p = *pagina_;
    Vuota();
    p.SldBadBit->setValue(10);
    EXPECT_EQ(p.LblBadBit_Val->text(), QStringLiteral("1"));
    p.SldBadBit_Rilascio();
    ModMain::RichiestaPendente = 21;
    p.RealTimeMonitor();
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    EXPECT_TRUE(p.SldBadBitInSospeso);
    ModMain::RichiestaPendente = 0;
    p.RealTimeMonitor();
    Uguale(ModBlck::ModificheBlocco3, {{10, 47, 0}}, "bad bit");
    EXPECT_EQ(ModMain::RichiestaPendente, 7);
    EXPECT_FALSE(p.SldBadBitInSospeso);
}

TEST_F(CommutazioneForma, TastoTenutoUnaScritturaELaCentralinaHaLaTabella) {
    auto& p = *pagina_;
    Vuota();
    p.GrdTemp->Row(1);
    p.GrdTemp->Col(3); // 30,000: shows 30
    TieniTasto(Qt::Key_Plus, Qt::NoModifier, 3);
    EXPECT_EQ(passiVisti_, 3);
    EXPECT_EQ(slotDuranteTenuta_, 0); // nothing posted while the key was held
    EXPECT_FALSE(p.TastoInRipetizione);
    EXPECT_EQ(p.GrdTemp->TextMatrix(1, 3), QStringLiteral("33"));
    EXPECT_EQ(ModMain::RichiestaPendente, 14);
    ASSERT_FALSE(ModBlck::FrameTabellaTemp.empty());
    ecu_->Rispondi(ModBlck::FrameTabellaTemp);
    EXPECT_EQ(ecu_->Valore(6, 5), 33000);
    // The points not touched keep their exact values (52,340, not 52,000).
    EXPECT_EQ(ecu_->Valore(6, 3), 52340);
    EXPECT_EQ(ecu_->Valore(6, 15), 1370); // the block's scale of 10
    EXPECT_EQ(ecu_->Valore(6, 0), -10);
}

TEST_F(CommutazioneForma, TastoTenutoFinisceSenzaFuocoEAttendeLoSlot) {
    auto& p = *pagina_;
    Vuota();
    ModMain::RichiestaPendente = 21;
    p.GrdTemp->Row(0);
    p.GrdTemp->Col(8); // 95 °C
    TieniTasto(Qt::Key_Plus, Qt::ShiftModifier, 2, QEvent::FocusOut);
    EXPECT_EQ(passiVisti_, 2);
    EXPECT_FALSE(p.TastoInRipetizione);
    EXPECT_EQ(p.GrdTemp->TextMatrix(0, 8), QStringLiteral("115"));
    // The slot was taken: the write waits for it instead of being lost.
    EXPECT_EQ(ModMain::RichiestaPendente, 21);
    EXPECT_FALSE(p.TabellaInSospeso.empty());
    ModMain::RichiestaPendente = 0;
    p.RealTimeMonitor();
    EXPECT_EQ(ModMain::RichiestaPendente, 14);
    EXPECT_TRUE(p.TabellaInSospeso.empty());
    ecu_->Rispondi(ModBlck::FrameTabellaTemp);
    EXPECT_EQ(ecu_->Valore(6, 14), 115);
}

TEST_F(CommutazioneForma, CellaCliccataGiallaConTestoNero) {
    pagina_->show();
    SupportoTest::Clic(pagina_->CmdSwtchRitardo);
    GrigliaDati* g = pagina_->GrdTemp;
    ASSERT_TRUE(g->isVisible());
    for (const int riga : {0, 1}) {
        SupportoTest::ClicCella(g, riga, 3);
        ASSERT_EQ(g->Row(), riga);
        EXPECT_TRUE(SupportoTest::CellaGialla(g, riga, 3));
    }
}

TEST_F(CommutazioneForma, RidimensionaDalDisegno) {
    auto& p = *pagina_;
    const QRect prima = p.CmbSwtchRpm->geometry();
    p.resize(0, 0);
    p.Form_Resize();
    p.resize(1377, 685);
    p.resize(1001, 425);
    EXPECT_EQ(p.CmbSwtchRpm->geometry(), prima);
}

TEST_F(CommutazioneForma, LivelliChiudonoLeRighe) {
    auto& p = *pagina_;
    ModMain::LivelloExp = ModMain::LivelloSup = 1;
    p.AggiornaLivelliVisualizzazione();
    const int filo = p.CmbFiloRpm->y(), isteresi = p.CmbSwtchIsteresi->y();
    const int anticipo = p.LblStatoAnticipoVal->y();
    ModMain::LivelloExp = ModMain::LivelloSup = 0;
    p.AggiornaLivelliVisualizzazione();
    // The row under the hidden rpm-wire row takes its place, in both panels.
    EXPECT_TRUE(p.CmbFiloRpm->isHidden());
    EXPECT_EQ(p.CmbNumBobine->isHidden() ? p.CmbFattorex1x2->y() : p.CmbNumBobine->y(), filo);
    EXPECT_EQ(p.CmbSwitchSovrap->y(), isteresi);
    EXPECT_LT(p.LblStatoAnticipoVal->y(), anticipo);
    ModMain::LivelloExp = ModMain::LivelloSup = 1;
    p.AggiornaLivelliVisualizzazione();
    EXPECT_EQ(p.CmbFiloRpm->y(), filo);
    EXPECT_EQ(p.LblStatoAnticipoVal->y(), anticipo);
}

TEST_F(CommutazioneForma, PannelloOpzioniConTasti) {
    auto& p = *pagina_;
    ModMain::LivelloAut = 1;
    const auto mod = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    QKeyEvent x(QEvent::KeyRelease, Qt::Key_X, mod);
    QApplication::sendEvent(&p, &x);
    EXPECT_FALSE(p.Frame1->isHidden());
    QApplication::sendEvent(&p, &x);
    EXPECT_TRUE(p.Frame1->isHidden());
    ModMain::LivelloAut = 0;
    QApplication::sendEvent(&p, &x);
    EXPECT_TRUE(p.Frame1->isHidden());
    EXPECT_EQ(FRM_ZEBCommutazione::TastoXPremuto, 0);
}

TEST_F(CommutazioneForma, Immagini) {
    ModMain::LivelloExp = ModMain::LivelloSup = 1;
    QWidget area;
    PagineProva::Sfondo(area);
    pagina_->setParent(&area);
    FrmSeqInj::SeqOffsetLingua = ModMain::CercaSezione("[FrmSeqInj]");
    const char* cartella = std::getenv("MONDARO_SCREENSHOT_DIR");
    const auto& lingue = PagineProva::Lingue;
    const auto& dimensioni = PagineProva::Dimensioni;
    for (const auto& l : lingue) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(l.lingua));
        pagina_->CaricaLingua();
        pagina_->RiempiCmbSwtch(ModMain::RigheConfigScale);
        for (const auto& d : dimensioni) {
            area.resize(d.larghezza, d.altezza);
            pagina_->setGeometry(0, 0, d.larghezza, d.altezza);
            area.show();
            pagina_->show();
            pagina_->AggiornaSelezioni();
            pagina_->AggiornaLivelliVisualizzazione();
            pagina_->CmdSwtchRitardo_Click();
            EXPECT_FALSE(pagina_->lblSwtchRpm->text().isEmpty());
            EXPECT_FALSE(pagina_->FrmRitardoCommutazione->isHidden());
            // Every caption fits its label.
            PagineProva::EtichetteEntrano(
                pagina_.get(), [](const QLabel* e) { return !e->wordWrap(); },
                std::string(l.sigla) + " " + std::to_string(d.larghezza));
            if (cartella)
                area.grab().save(QDir(QString::fromLocal8Bit(cartella))
                                     .filePath(QStringLiteral("commutazione_%1_%2.png").arg(l.sigla).arg(d.larghezza)));
        }
    }
    pagina_->setParent(nullptr);
    EXPECT_TRUE(Messaggi().empty());
}

} // namespace
