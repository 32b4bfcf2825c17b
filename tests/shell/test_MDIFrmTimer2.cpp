// The display tick: its dispatch by page, the connection icon's frames, the
// level marks, the exit freeze, errors kept inside the member that raised
// them, and the blocking of the main pages.
#include "FissaggioShell.h"

#include "injdir/FrmWizard.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <stdexcept>

namespace {

// Index of the IMG_BUFFER picture the icon shows, -1 when none matches.
int FotogrammaMostrato() {
    auto* p = MDIFrm::IstanzaFRM_ZEBConnected;
    const QImage mostrata = p->IMG->pixmap().toImage();
    for (int k = 0; k <= 6; ++k)
        if (p->IMG_BUFFER[k]->pixmap().toImage() == mostrata) return k;
    return -1;
}

const std::vector<std::string> Comuni = {"MDIFrm.AggiornaIconaConnessione", "FRM_ZEBDashBoard.VisulizzaBarraVariabili",
                                         "FrmCommutatore.VisualizzaStatoCommutatore"};

// A left click through the application, as the window system delivers it.
void Clicca(QWidget* w) {
    const QPointF c = QRectF(w->rect()).center();
    QMouseEvent giu(QEvent::MouseButtonPress, c, w->mapToGlobal(c), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent su(QEvent::MouseButtonRelease, c, w->mapToGlobal(c), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &giu);
    QApplication::sendEvent(w, &su);
}

} // namespace

using Timer2 = FissaggioShell;

TEST_F(Timer2, IFotogrammiSonoDistinti) {
    for (int a = 0; a <= 6; ++a)
        for (int b = a + 1; b <= 6; ++b)
            EXPECT_NE(MDIFrm::IstanzaFRM_ZEBConnected->IMG_BUFFER[a]->pixmap().toImage(),
                      MDIFrm::IstanzaFRM_ZEBConnected->IMG_BUFFER[b]->pixmap().toImage())
                << a << " " << b;
    // After load, before any tick: no link.
    EXPECT_EQ(FotogrammaMostrato(), 5);
}

TEST_F(Timer2, IconaCambiaUnaVoltaOgniSeiChiamate) {
    ModMain::StatoConnessione = STATO_RICERCA;
    std::vector<int> visti;
    for (int i = 0; i < 36; ++i) {
        f->AggiornaIconaConnessione();
        visti.push_back(FotogrammaMostrato());
    }
    // Five calls leave it; the sixth shows frame 0, then 1, 2, 3, 4, 0.
    const std::vector<int> attesi = {5, 5, 5, 5, 5, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2,
                                     2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 0};
    EXPECT_EQ(visti, attesi);
}

TEST_F(Timer2, IconaPerStatoEFotogrammaCheSopravvive) {
    auto seiChiamate = [&] {
        for (int i = 0; i < 6; ++i) f->AggiornaIconaConnessione();
        return FotogrammaMostrato();
    };
    ModMain::StatoConnessione = STATO_RICERCA;
    EXPECT_EQ(seiChiamate(), 0);
    EXPECT_EQ(seiChiamate(), 1);
    const std::pair<int32_t, int> casi[] = {{STATO_OFFLINE, 5},   {STATO_CONNESSO, 6}, {STATO_ESECUZIONE, 6},
                                            {STATO_FIRMWARE, 6},  {STATO_TARATURA, 6}, {STATO_USCITA, 6}};
    for (const auto& [stato, atteso] : casi) {
        ModMain::StatoConnessione = stato;
        EXPECT_EQ(seiChiamate(), atteso) << stato;
    }
    // A new search resumes where the last stopped.
    ModMain::StatoConnessione = STATO_RICERCA;
    EXPECT_EQ(seiChiamate(), 2);
}

TEST_F(Timer2, SegniDiLivelloAOgniChiamata) {
    auto* p = MDIFrm::IstanzaFRM_ZEBConnected;
    struct Caso {
        int16_t exp, sup, aut;
    };
    for (const Caso c : {Caso{-1, 0, 0}, Caso{-1, -1, 0}, Caso{-1, -1, -1}, Caso{0, 0, 0}}) {
        ModMain::LivelloExp = c.exp;
        ModMain::LivelloSup = c.sup;
        ModMain::LivelloAut = c.aut;
        f->AggiornaIconaConnessione(); // one call, also one that leaves the icon alone
        EXPECT_EQ(p->BUT_EXP[1]->isHidden(), c.exp == 0);
        EXPECT_EQ(p->BUT_EXP[0]->isHidden(), c.exp != 0);
        EXPECT_EQ(p->SHP_LEV[1]->isHidden(), c.sup == 0);
        EXPECT_EQ(p->SHP_LEV[2]->isHidden(), c.aut == 0);
    }
}

TEST_F(Timer2, ChiamatePerPagina) {
    const std::pair<int32_t, std::vector<std::string>> casi[] = {
        {0, {"FRM_ZEBMain.VisualizzazioneBarreTempoInj", "FRM_ZEBMain.AggiornaStatoEcu",
             "FRM_ZEBMain.AggiornaParametriObd", "FRM_ZEBMain.AggiornaCorrezioniVarie"}},
        {25, {"FRM_ZEBCommutazione.RealTimeMonitor"}},
        {11, {"FrmError.VisualizzaErrori", "FrmError.RichiediAggiornamentoErrori", "FrmError.AggiornaVisualizzazioni"}},
        {12, {"FrmMatrix0.AggiornaCursMappa", "FrmMatrix0.VisualizzaPuntoMatrice"}},
        {47, {"FrmMatrix1.AggiornaCursMappa", "FrmMatrix1.VisualizzaPuntoMatrice"}},
        {49, {"FrmMatrix2.AggiornaCursMappa", "FrmMatrix2.VisualizzaPuntoMatrice"}},
        {27, {"FRM_ZEBCarburazione0.AggiornaCursMappaSmall", "FRM_ZEBCarburazione0.VisualizzaPuntoMatrice"}},
        {48, {"FRM_ZEBCarburazione1.AggiornaCursMappaSmall", "FRM_ZEBCarburazione1.VisualizzaPuntoMatrice"}},
        {50, {"FRM_ZEBCarburazione2.AggiornaCursMappaSmall", "FRM_ZEBCarburazione2.VisualizzaPuntoMatrice"}},
        {7, {"FrmObd.AggiornaVisualizzazione", "FrmObd.AggiornaVisualizzazioni"}},
        {3, {"FrmInjSetPopUp.AggiornaTempiInj", "FrmInjSetPopUp.RichiediAggiornamentoBlocco3"}},
        {26, {"FRM_ZEBSensori.CaricaLivelliAttuale"}},
        {8, {"FrmCompensa.VisualizzaPuntoTabella", "FrmCompensa.IndiciEsperti"}},
        {17, {"FRM_ZEBLambda.AggiornaVisualizzazioniLambda"}},
        {44, {"FRM_ZEBGestione.AggiornaStatoEcu_FrmParam"}},
        {5, {"FrmAutoTuning.VisualizzaDatiTune"}},
        {46, {"FRM_ZEBinjDir.VisualizzaPunto"}},
        {51, {"FrmInjDirAcq1.GestioneRichieste"}},
        {52, {"FrmInjDirAcq2.AggiornaRealTime", "FrmInjDirAcq2.GestioneRichieste"}},
        {53, {"FrmInjDirAcq3.AggiornaRealTime", "FrmInjDirAcq3.GestioneRichieste"}},
        {54, {"FrmInjDirAcq4.AggiornaRealTime", "FrmInjDirAcq4.GestioneRichieste"}},
        {24, {"FRM_ZEBMenu.AggiornaIcone"}},
        {1, {}}, {13, {}}, {22, {}}, {45, {}}, {99, {}},
    };
    for (const auto& [pagina, proprie] : casi) {
        ModMain::PaginaCorrente = pagina;
        chiamate.clear();
        f->Timer2_Timer();
        auto attese = Comuni;
        attese.insert(attese.end(), proprie.begin(), proprie.end());
        EXPECT_EQ(chiamate, attese) << "page " << pagina;
        EXPECT_EQ(f->Timer2InCorso, 0);
    }
    // The OBD map window, on any page while it is open.
    ModMain::MappettaAperta = 1;
    ModMain::PaginaCorrente = 99;
    chiamate.clear();
    f->Timer2_Timer();
    auto attese = Comuni;
    attese.push_back("FrmMappetta.AggiornamentoMappetta");
    attese.push_back("FrmMappetta.AggiornaVariabiliMappettaSatellite");
    EXPECT_EQ(chiamate, attese);
    ModMain::MappettaAperta = 0;

    // The learning wizard, on any page while it runs: after the switch view and the page's members.
    FrmWizard mago;
    mago.Form_Load();
    FrmWizard::Attivo = &mago;
    ModMain::WizardAttivo = -1;
    ModMain::PaginaCorrente = SCHEDA_OBD;
    chiamate.clear();
    f->Timer2_Timer();
    ModMain::WizardAttivo = 0;
    FrmWizard::Attivo = nullptr;
    attese = Comuni;
    for (const char* c : {"FrmObd.AggiornaVisualizzazione", "FrmObd.AggiornaVisualizzazioni", "FrmWizard.TMR_Wizard_Proc"})
        attese.push_back(c);
    EXPECT_EQ(chiamate, attese);
}

TEST_F(Timer2, BloccoLiveCortoNonMostraIlPuntoENonBloccaIlTimer) {
    // Block 1 without values 50 and 51: the map cursor is not shown, the rest runs.
    TabellaBlocchi[1].Valori.assign(40, 0);
    for (const int32_t pagina : {12, 27, 46}) {
        ModMain::PaginaCorrente = pagina;
        chiamate.clear();
        f->Timer2_Timer();
        for (const auto& c : chiamate) {
            EXPECT_EQ(c.find("VisualizzaPunto"), std::string::npos) << pagina << " " << c;
        }
        EXPECT_EQ(f->Timer2InCorso, 0) << pagina;
    }
    ModMain::PaginaCorrente = 12;
    TabellaBlocchi.resize(1); // no block 1 at all
    chiamate.clear();
    f->Timer2_Timer();
    EXPECT_EQ(chiamate.back(), "FrmMatrix0.AggiornaCursMappa");
    EXPECT_EQ(f->Timer2InCorso, 0);
}

TEST_F(Timer2, UnErroreRestaNelMembroCheLoSolleva) {
    ModMain::PaginaCorrente = 11;
    MDIFrm::TracciaChiamata = [this](const std::string& c) {
        chiamate.push_back(c);
        if (c == "FrmCommutatore.VisualizzaStatoCommutatore" || c == "FrmError.VisualizzaErrori")
            throw std::out_of_range("value index");
    };
    f->Timer2_Timer();
    auto attese = Comuni;
    attese.insert(attese.end(), {"FrmError.VisualizzaErrori", "FrmError.RichiediAggiornamentoErrori",
                                 "FrmError.AggiornaVisualizzazioni"});
    EXPECT_EQ(chiamate, attese);
    EXPECT_EQ(f->Timer2InCorso, 0);
    // And the next tick runs normally.
    chiamate.clear();
    f->Timer2_Timer();
    EXPECT_EQ(chiamate.size(), attese.size());
}

TEST_F(Timer2, UscitaCongelaIlDisplayPerSempre) {
    ModMain::PaginaCorrente = 0;
    ModMain::UscitaRichiesta = 1;
    f->Timer2_Timer();
    EXPECT_TRUE(chiamate.empty());
    EXPECT_EQ(f->Timer2InCorso, 1);
    // Even with the flag gone and the timer enabled again, no tick does anything.
    ModMain::UscitaRichiesta = 0;
    f->Timer2->start();
    f->Timer2_Timer();
    EXPECT_TRUE(chiamate.empty());
    // The icon and the page blocking do nothing while exiting either.
    ModMain::UscitaRichiesta = 1;
    ModMain::StatoConnessione = STATO_CONNESSO;
    for (int i = 0; i < 12; ++i) f->AggiornaIconaConnessione();
    EXPECT_EQ(FotogrammaMostrato(), 5);
    f->AbilitaDisabilitaForm(false);
    EXPECT_FALSE(MDIFrm::InputFormaBloccato(MDIFrm::IstanzaFRM_ZEBMain));
}

TEST_F(Timer2, AbilitaDisabilitaFormBloccaLInputSenzaIngrigire) {
    f->show();
    f->SelezioneScheda(SCHEDA_MAPPA);
    QApplication::processEvents();
    f->AbilitaDisabilitaForm(false);
    const std::vector<QWidget*> bloccate = {
        MDIFrm::IstanzaFRM_ZEBMain, MDIFrm::IstanzaFRM_ZEBMenuTop, MDIFrm::IstanzaFRM_ZEBMenuTop2,
        MDIFrm::IstanzaFRM_ZEBMenuTop3, MDIFrm::IstanzaFRM_ZEBCommutazione, MDIFrm::IstanzaFrmCommutatore,
        MDIFrm::IstanzaFrmMatrix0, MDIFrm::IstanzaFRM_ZEBCarburazione1, MDIFrm::IstanzaFrmMatrix1,
        MDIFrm::IstanzaFrmMatrix2, MDIFrm::IstanzaFRM_ZEBCarburazione2, MDIFrm::IstanzaFRM_ZEBCarburazione0,
        MDIFrm::IstanzaFRM_ZEBGestione};
    for (QWidget* w : bloccate) EXPECT_TRUE(MDIFrm::InputFormaBloccato(w)) << w->objectName().toStdString();
    for (QWidget* w : {static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBMenu),
                       static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBConnected),
                       static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBDashBoard),
                       static_cast<QWidget*>(MDIFrm::IstanzaFrmInjSetPopUp), static_cast<QWidget*>(MDIFrm::IstanzaFrmObd)})
        EXPECT_FALSE(MDIFrm::InputFormaBloccato(w)) << w->objectName().toStdString();

    // A click on a button of a blocked page does nothing; the button keeps its look.
    PulsanteGrafico* b = MDIFrm::IstanzaFrmMatrix0->CmdUp;
    int clic = 0;
    QObject::connect(b, &PulsanteGrafico::Click, [&] { ++clic; });
    Clicca(b);
    EXPECT_EQ(clic, 0);
    EXPECT_TRUE(b->isEnabled());
    EXPECT_TRUE(MDIFrm::IstanzaFrmMatrix0->isEnabled());

    f->AbilitaDisabilitaForm(true);
    for (QWidget* w : bloccate) EXPECT_FALSE(MDIFrm::InputFormaBloccato(w));
    Clicca(b);
    EXPECT_EQ(clic, 1);
}
