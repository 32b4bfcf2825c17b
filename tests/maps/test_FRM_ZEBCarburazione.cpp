// The coarse view on the simulated ECU: edits write back with the midpoint or
// the step rule, Up and Down start from the page, paste and errors, the map
// reset, the live bars and the smoothing switch.
#include "maps/FissaggioEditor.h"

#include <QtWidgets/QProgressBar>

#include "core/ModMainPercorsi.h"
#include "controls/PulsanteGrafico.h"
#include "link/ModBlckModifiche.h"
#include "support/ClicProva.h"
#include "support/SupportoTest.h"

namespace {

class VistaRidotta : public FissaggioEditor {
protected:
    FRM_ZEBCarburazione& Mostra(int k) {
        FRM_ZEBCarburazione& f = *carburazione[k];
        ModMain::PaginaCorrente = k == 1 ? SCHEDA_CARBURAZIONE_1 : k == 2 ? SCHEDA_CARBURAZIONE_2 : SCHEDA_CARBURAZIONE;
        f.CambiaTipoGriglia(ModMain::PaginaCorrente);
        f.ColoraMatriceGradiente2(f.GrdSmall);
        f.CaricaAssiInMatrice(f.GrdSmall, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
        f.show();
        return f;
    }
    static void Spiana(bool attivo) {
        int32_t& v = TabellaBlocchi[15].Valori[5];
        v = attivo ? (v | 0x40) : (v & ~0x40);
    }
};

} // namespace

TEST_F(VistaRidotta, IlSelettoreVistoNominaLaMappa) {
    for (int k : {2, 1, 0}) {
        FRM_ZEBCarburazione& f = Mostra(k);
        auto* visto = qobject_cast<QComboBox*>(f.childAt(f.CMB_SelPage_0->geometry().center()));
        ASSERT_NE(visto, nullptr) << k;
        EXPECT_EQ(visto->currentIndex(), k);
        EXPECT_FALSE(visto->currentText().isEmpty()) << k;
    }
}

TEST_F(VistaRidotta, ImpostaScriveConIPuntiMedi) {
    FRM_ZEBCarburazione& f = Mostra(0);
    Spiana(false);
    // Column 1 of the grid: rows 1 and 2 become 100 and 103.
    Seleziona(f.GrdSmall, 1, 1, 1, 1);
    InvioConDialogo(f.GrdSmall, 3, QStringLiteral("100"));
    EseguiPendente();
    Seleziona(f.GrdSmall, 2, 1, 2, 1);
    InvioConDialogo(f.GrdSmall, 3, QStringLiteral("103"));
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_MAP0);
    EseguiPendente();
    const PaginaMappa ecu = PaginaEcu(0);
    EXPECT_EQ(ecu[0][0], 100);
    EXPECT_EQ(ecu[1][0], 102);
    EXPECT_EQ(ecu[2][0], 103);
    for (int r = 0; r < 23; ++r) EXPECT_EQ(ecu[r][23], ecu[r][22]) << r;
    // Add 2.5 on a cell of 100: the page gets 102 and the grid shows it.
    Seleziona(f.GrdSmall, 1, 1, 1, 1);
    InvioConDialogo(f.GrdSmall, 1, QStringLiteral("2.5"));
    EXPECT_EQ(f.GrdSmall->TextMatrix(1, 1), QStringLiteral("102"));
    EseguiPendente();
    EXPECT_EQ(PaginaEcu(0)[0][0], 102);
}

TEST_F(VistaRidotta, DialogoAnnullatoPoiUndoNonCambiaNulla) {
    FRM_ZEBCarburazione& f = Mostra(0);
    Spiana(false);
    Seleziona(f.GrdSmall, 1, 1, 1, 1);
    InvioConDialogo(f.GrdSmall, 3, QStringLiteral("100"));
    EseguiPendente();
    ASSERT_EQ(PaginaEcu(0)[0][0], 100);
    // Enter, then Esc: nothing written, the undo copy equals the page, and Undo changes nothing.
    Seleziona(f.GrdSmall, 3, 3, 3, 3);
    InvioConDialogo(f.GrdSmall, 0, {});
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(ModMain::UndoPagina0, ModMain::MappaPagina0);
    const PaginaMappa prima = PaginaEcu(0);
    f.CmdUndo_Click();
    EseguiPendente();
    EXPECT_EQ(PaginaEcu(0), prima);
    EXPECT_EQ(f.GrdSmall->TextMatrix(1, 1), QStringLiteral("100"));
}

TEST_F(VistaRidotta, SpianaCopiaIPunti) {
    FRM_ZEBCarburazione& f = Mostra(1);
    Spiana(true);
    Seleziona(f.GrdSmall, 3, 3, 3, 3);
    InvioConDialogo(f.GrdSmall, 3, QStringLiteral("77"));
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_MAP1);
    EseguiPendente();
    const PaginaMappa ecu = PaginaEcu(1);
    for (auto [r, c] : {std::pair{4, 4}, {4, 5}, {5, 4}, {5, 5}}) EXPECT_EQ(ecu[r][c], 77) << r << "," << c;
}

TEST_F(VistaRidotta, SuEGiuPartonoDallaPagina) {
    FRM_ZEBCarburazione& f = Mostra(0);
    Spiana(false);
    Seleziona(f.GrdSmall, 2, 2, 2, 2);
    // The page changes behind the grid (a map reset, say): Down must not write the stale grid back.
    ModMain::MappaPagina0[2][2] = 50;
    f.CmdDw_Click();
    EXPECT_EQ(ModMain::MappaPagina0[2][2], 49);
    EXPECT_EQ(ModMain::UndoPagina0[2][2], 50);
    EXPECT_FALSE(f.CmdUndo->isEnabled());
    EseguiPendente();
    EXPECT_TRUE(f.CmdUndo->isEnabled());
    EXPECT_EQ(PaginaEcu(0)[2][2], 49);
    ModMain::MappaPagina0[2][2] = 60;
    f.CmdUp_Click();
    EseguiPendente();
    EXPECT_EQ(PaginaEcu(0)[2][2], 61);
}

TEST_F(VistaRidotta, IncollaEdErroreDiLettura) {
    FRM_ZEBCarburazione& f = Mostra(0);
    Spiana(false);
    // A 3 x 2 block landing on (11, 12): only the cells inside the grid.
    Piattaforma::ImpostaAppunti(QStringLiteral("10\t11\r\n12\tx\r\n14\t15"));
    Seleziona(f.GrdSmall, 11, 12, 11, 12);
    ModMain::RichiestaPendente = 22;
    Rilascia(f.GrdSmall, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.GrdSmall->TextMatrix(11, 12).toInt(), ModMain::MappaPagina0[20][22]);
    ModMain::RichiestaPendente = 0;
    Rilascia(f.GrdSmall, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ModMain::UndoDisponibile0, 1);
    EseguiPendente();
    EXPECT_EQ(PaginaEcu(0)[20][22], 10);
    EXPECT_EQ(PaginaEcu(0)[22][22], 12);

    // A cell that is not a number: one message, the page unchanged.
    const PaginaMappa prima = ModMain::MappaPagina0;
    f.GrdSmall->TextMatrix(4, 4, QStringLiteral("abc"));
    EXPECT_FALSE(f.CaricaGrigliaInMatrice(f.GrdSmall, ModMain::MappaPagina0, 1.0));
    EXPECT_EQ(ModMain::MappaPagina0, prima);
    ASSERT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    EXPECT_EQ(Piattaforma::Copione::Messaggi()[0].testo, QStringLiteral("Error on CaricaGrigliaInMatrice Procedure"));
}

TEST_F(VistaRidotta, ResetDelleMappeDallaConfigurazioneScelta) {
    FRM_ZEBCarburazione& f = Mostra(0);
    ModMapEditor::ConfigurazioneSistemaScelta = [] { return std::string("Fabbrica"); };
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
    f.CmdResetMap_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0); // no such file: nothing happens
    base.Scrivi("lng/Fabbrica.xsi", "[MAP_0]\r\n");
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
    f.CmdResetMap_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
    f.CmdResetMap_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_MAPS);
    EXPECT_EQ(ModMain::PercorsoCaricamento, base.File("lng/Fabbrica.xsi"));
    ModMapEditor::ConfigurazioneSistemaScelta = nullptr;
    ModMain::RichiestaPendente = 0;
    ModMain::PercorsoCaricamento.clear();
}

TEST_F(VistaRidotta, BarreDelPuntoDiLavoro) {
    FRM_ZEBCarburazione& f = Mostra(0);
    auto live = [](bool acceso, bool gas, int32_t campione) {
        TabellaBlocchi[1].Valori[37] = acceso ? 1 : 0;
        TabellaBlocchi[2].Valori[1] = gas ? 3 : 0;
        TabellaBlocchi[1].Valori[7] = 0;
        TabellaBlocchi[1].Valori[15] = campione;
    };
    f.Medie = {1100, 1000};
    live(true, true, 1100);
    f.VisualizzaPuntoMatrice(5, 30);
    EXPECT_EQ(f.PROG_GAS->value(), 141);
    EXPECT_EQ(f.PROG_BEN->value(), 128);
    EXPECT_EQ(f.LAB_PLUSMINUS->text(), QStringLiteral("+13"));
    EXPECT_EQ(f.TxtMat->Caption(), QString::number(ModMain::MappaPagina0[5][22]));
    EXPECT_EQ(f.TxtMat->BackColor(), 0xFF00);
    f.Medie = {1100, 1000};
    live(true, false, 1000);
    f.VisualizzaPuntoMatrice(5, 3);
    EXPECT_EQ(f.Medie.MediaTempoGas, 1025);
    EXPECT_EQ(f.PROG_BEN->value(), 131);
    EXPECT_EQ(f.PROG_GAS->value(), 128);
    EXPECT_EQ(f.LAB_PLUSMINUS->text(), QStringLiteral("+3"));
    EXPECT_EQ(f.TxtMat->BackColor(), 0xFF);
    live(false, false, 1000);
    f.VisualizzaPuntoMatrice(5, 3);
    EXPECT_EQ(f.PROG_BEN->value(), 128);
    EXPECT_EQ(f.LAB_PLUSMINUS->text(), QStringLiteral("+3"));
    EXPECT_EQ(f.Medie.MediaTempoGas, -1);
}

TEST_F(VistaRidotta, InterruttoreSpianaEVista) {
    FRM_ZEBCarburazione& f = Mostra(0);
    Spiana(false);
    ModMain::MatSoglie[15] = 0x08;
    f.AggiornaCursMappaSmall();
    EXPECT_TRUE(f.ChkSIM->Value());
    EXPECT_FALSE(f.ChkSpiana->isChecked());
    f.ChkSpiana->setChecked(true);
    f.AggiornaCursMappaSmall();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15);
    ASSERT_EQ(ModBlck::ModificheBlocco15.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].Valore, 1);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].IndiceValore, 5);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].Maschera, 0x40);
    EseguiPendente();
    EXPECT_EQ(Valore(15, 5) & 0x40, 0x40);
    // The view bit cleared elsewhere: the switch follows on the next tick.
    ModMain::MatSoglie[15] = 0;
    f.AggiornaCursMappaSmall();
    EXPECT_FALSE(f.ChkSIM->Value());
}

TEST_F(VistaRidotta, GradienteEColorePiatto) {
    FRM_ZEBCarburazione& f = Mostra(0);
    for (int i = 1; i < 13; ++i)
        for (int j = 1; j < 13; ++j) f.GrdSmall->TextMatrix(i, j, QString::number(i < 7 ? 20 : 200));
    f.GrdSmall->Row(3);
    f.GrdSmall->Col(4);
    f.GrdSmall->RowSel(5);
    f.ColoraMatriceGradiente2(f.GrdSmall);
    EXPECT_EQ(f.GrdSmall->CellBackColor(1, 1), 0xEBEBEB);
    EXPECT_EQ(f.GrdSmall->CellBackColor(12, 12), 0xEB0000);
    EXPECT_EQ(f.GrdSmall->Row(), 3);
    EXPECT_EQ(f.GrdSmall->RowSel(), 5);
    f.ChkGradiente->setChecked(false);
    f.ColoraMatriceGradiente2(f.GrdSmall);
    EXPECT_EQ(f.GrdSmall->CellBackColor(1, 1), 0xFAA0A0);
}

TEST_F(VistaRidotta, PiuMostraITastiSpentiEPoiRiaccesi) {
    // "+" clicked: +, - and Undo are switched off while the write is pending and
    // on again after it, and each looks it at once, with no pointer over them.
    FRM_ZEBCarburazione& f = Mostra(0);
    Spiana(false);
    Seleziona(f.GrdSmall, 2, 2, 2, 2);
    f.AbilitaTasti();
    const QImage piu = f.CmdUp->grab().toImage(), meno = f.CmdDw->grab().toImage();
    SupportoTest::Clic(f.CmdUp);
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_MAP0);
    for (PulsanteGrafico* b : {f.CmdUp, f.CmdDw, f.CmdUndo}) EXPECT_FALSE(b->isEnabled());
    EXPECT_NE(f.CmdUp->grab().toImage(), piu);
    EXPECT_NE(f.CmdDw->grab().toImage(), meno);
    const QImage annullaSpento = f.CmdUndo->grab().toImage();
    SupportoTest::Fotografa(&f, "vista-ridotta-piu-in-scrittura.png");
    EseguiPendente();
    for (PulsanteGrafico* b : {f.CmdUp, f.CmdDw, f.CmdUndo}) EXPECT_TRUE(b->isEnabled());
    EXPECT_EQ(f.CmdUp->grab().toImage(), piu);
    EXPECT_EQ(f.CmdDw->grab().toImage(), meno);
    EXPECT_NE(f.CmdUndo->grab().toImage(), annullaSpento);
    SupportoTest::Fotografa(&f, "vista-ridotta-piu-scritto.png");
}
