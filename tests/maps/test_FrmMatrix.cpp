// The full map editor on the simulated ECU: keys, buttons, the dialog, undo
// and the clipboard change the grid, post the page's write and the ECU holds
// the result; the live markers and the option controls.
#include "maps/FissaggioEditor.h"

#include "engine/MDIFrmMem10.h"
#include "link/ModBlckModifiche.h"

namespace {

class EditorCompleto : public FissaggioEditor {
protected:
    // Page k shown: its grid ready for edits.
    FrmMatrix& Mostra(int k) {
        FrmMatrix& f = *editor[k];
        const int32_t scheda = k == 1 ? SCHEDA_MAPPA_1 : k == 2 ? SCHEDA_MAPPA_2 : SCHEDA_MAPPA;
        ModMain::PaginaCorrente = scheda;
        f.CambiaTipoGriglia(scheda);
        f.CaricaAssiInMatrice(f.GrdInj, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
        f.show();
        return f;
    }
};

} // namespace

TEST_F(EditorCompleto, SuGiuEDialogoScrivonoOgniPagina) {
    struct Caso {
        int k;
        int32_t richiesta;
    };
    for (const Caso& c : {Caso{0, 11}, Caso{1, 63}, Caso{2, 62}}) {
        FrmMatrix& f = Mostra(c.k);
        const PaginaMappa prima = ModMain::PaginaMappaK(c.k);
        EXPECT_FALSE(f.CmdUndo->isEnabled()) << "nothing to undo before an edit";
        // Up on a 2 x 2 selection.
        Seleziona(f.GrdInj, 3, 4, 4, 5);
        f.CmdUp_Click();
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
        EXPECT_FALSE(f.CmdUp->isEnabled());
        EXPECT_EQ(f.GrdInj->TextMatrix(4, 5).toInt(), std::min(prima[3][4] + 1, 256));
        EseguiPendente();
        EXPECT_TRUE(f.CmdUp->isEnabled());
        EXPECT_TRUE(f.CmdUndo->isEnabled());
        PaginaMappa ecu = PaginaEcu(c.k);
        EXPECT_EQ(ecu[2][3], std::min(prima[2][3] + 1, 255)) << c.k;
        EXPECT_EQ(ecu[3][4], std::min(prima[3][4] + 1, 255)) << c.k;
        EXPECT_EQ(ecu[5][5], prima[5][5]);

        // Enter: the dialog sets 200 on one cell.
        Seleziona(f.GrdInj, 10, 10, 10, 10);
        InvioConDialogo(f.GrdInj, 3, QStringLiteral("200"));
        EXPECT_EQ(f.UltimaOperazione, 2);
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
        EseguiPendente();
        EXPECT_EQ(PaginaEcu(c.k)[9][9], 200);

        // Down, then undo: back to the page before Down, written again.
        const PaginaMappa primaDiGiu = ModMain::PaginaMappaK(c.k);
        f.CmdDw_Click();
        EseguiPendente();
        EXPECT_EQ(PaginaEcu(c.k)[9][9], 199);
        f.CmdUndo_Click();
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
        EXPECT_EQ(f.GrdInj->TextMatrix(10, 10), QStringLiteral("200"));
        EseguiPendente();
        EXPECT_EQ(PaginaEcu(c.k), primaDiGiu);
        // A second undo redoes.
        f.CmdUndo_Click();
        EseguiPendente();
        EXPECT_EQ(PaginaEcu(c.k)[9][9], 199);
    }
}

TEST_F(EditorCompleto, DialogoAnnullatoPoiUndoNonCambiaNulla) {
    FrmMatrix& f = Mostra(1);
    Seleziona(f.GrdInj, 2, 2, 2, 2);
    InvioConDialogo(f.GrdInj, 3, QStringLiteral("200"));
    EseguiPendente();
    ASSERT_EQ(PaginaEcu(1)[1][1], 200);

    // Enter, then Esc: a beep, nothing written, and the undo copy is the page as it is.
    Seleziona(f.GrdInj, 4, 4, 4, 4);
    Piattaforma::Copione::Azzera();
    InvioConDialogo(f.GrdInj, 0, {});
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    ASSERT_FALSE(Piattaforma::Copione::Eventi().empty());
    EXPECT_EQ(Piattaforma::Copione::Eventi().back().tipo, Piattaforma::Copione::Tipo::Suono);
    EXPECT_EQ(Piattaforma::Copione::Eventi().back().frequenzaHz, 600);
    EXPECT_EQ(ModMain::UndoPagina1, ModMain::MappaPagina1);

    // So Undo now brings nothing back: the edit before the cancel stays.
    const PaginaMappa prima = PaginaEcu(1);
    f.CmdUndo_Click();
    EseguiPendente();
    EXPECT_EQ(PaginaEcu(1), prima);
    EXPECT_EQ(f.GrdInj->TextMatrix(2, 2), QStringLiteral("200"));
}

TEST_F(EditorCompleto, RichiestaOccupataRifiutaOgniModifica) {
    FrmMatrix& f = Mostra(0);
    const PaginaMappa prima = ModMain::MappaPagina0;
    ModMain::RichiestaPendente = 22;
    Seleziona(f.GrdInj, 1, 1, 1, 1);
    f.CmdUp_Click();
    f.CmdDw_Click();
    Rilascia(f.GrdInj, Qt::Key_Return);
    Piattaforma::ImpostaAppunti(QStringLiteral("9\t9"));
    Rilascia(f.GrdInj, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ModMain::MappaPagina0, prima);
    EXPECT_EQ(f.GrdInj->TextMatrix(1, 1).toInt(), prima[0][0]);
    EXPECT_EQ(ModMain::UndoDisponibile0, 0);
    EXPECT_EQ(ModMain::RichiestaPendente, 22);
}

TEST_F(EditorCompleto, CopiaEIncollaArrivanoAllaCentralina) {
    FrmMatrix& f = Mostra(0);
    Seleziona(f.GrdInj, 1, 1, 1, 2);
    Rilascia(f.GrdInj, Qt::Key_C, Qt::ControlModifier);
    const QString copia = Piattaforma::LeggiAppunti();
    EXPECT_TRUE(copia.startsWith(QStringLiteral("\t") + f.GrdInj->TextMatrix(0, 1) + QStringLiteral("\t")));
    EXPECT_TRUE(copia.endsWith(f.GrdInj->TextMatrix(1, 2) + QStringLiteral("\t")));

    Piattaforma::ImpostaAppunti(QStringLiteral("7\t300\r\nabc\t2.5"));
    Seleziona(f.GrdInj, 5, 6, 5, 6);
    const PaginaMappa prima = ModMain::MappaPagina0;
    Rilascia(f.GrdInj, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_MAP0);
    EXPECT_EQ(ModMain::UndoDisponibile0, 1);
    EXPECT_EQ(ModMain::UndoPagina0, prima);
    EseguiPendente();
    const PaginaMappa ecu = PaginaEcu(0);
    EXPECT_EQ(ecu[4][5], 7);
    EXPECT_EQ(ecu[4][6], 255);
    EXPECT_EQ(ecu[5][5], prima[5][5]); // a word is skipped
    EXPECT_EQ(ecu[5][6], 2);
}

TEST_F(EditorCompleto, ScritturaRifiutataNonPerdeLaModifica) {
    // The ECU refuses map writes: the write reports its failure, the ECU keeps
    // its page, the edit stays in the grid and the page. Once the ECU accepts,
    // the next edit goes in without a word.
    FrmMatrix& f = Mostra(0);
    const PaginaMappa ecu = PaginaEcu(0);
    const int a = (ecu[4][5] + 5) % 200, b = (ecu[9][11] + 9) % 200;
    auto incolla = [&f](int riga, int colonna, int valore) {
        Piattaforma::ImpostaAppunti(QString::number(valore));
        Seleziona(f.GrdInj, riga, colonna, riga, colonna);
        Rilascia(f.GrdInj, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_MAP0);
    };
    incolla(5, 6, a);
    Manopola(11, 0xFB);
    Piattaforma::Copione::Azzera();
    EseguiPendente();
    EXPECT_EQ(Messaggi(), std::vector<std::string>{Voce(29)});
    EXPECT_EQ(PaginaEcu(0), ecu);
    EXPECT_EQ(ModMain::MappaPagina0[4][5], a);
    EXPECT_EQ(f.GrdInj->TextMatrix(5, 6), QString::number(a));

    Manopola(11, 0);
    incolla(10, 12, b);
    Piattaforma::Copione::Azzera();
    EseguiPendente();
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_EQ(PaginaEcu(0)[9][11], b);
}

TEST_F(EditorCompleto, MarcatoriSeguonoIlBlocco1DellaCentralina) {
    FrmMatrix& f = Mostra(0);
    ModMain::LivelloAut = -1;
    ASSERT_TRUE(LeggiBlocco(1));
    const int32_t riga = Valore(1, 51), colonna = Valore(1, 50);
    f.VisualizzaPuntoMatrice(riga, colonna);
    const int r = std::min(riga, 22), c = std::min(colonna, 23);
    const QRect cella = f.GrdInj->visualRect(f.GrdInj->model()->index(r + 1, c + 1));
    const QPoint atteso = f.GrdInj->viewport()->mapTo(&f, cella.topLeft()) + QPoint(0, f.ScartoMarcatore);
    EXPECT_EQ(f.TxtMat->pos(), atteso);
    EXPECT_TRUE(f.TxtMat->isVisible());
    EXPECT_EQ(f.TxtMat->Caption(), QString::number(ModMain::MappaPagina0[static_cast<size_t>(r)][static_cast<size_t>(c)]));
    EXPECT_FALSE(f.TxtMat2->isVisible()); // the simulated ECU reports no second bank
    EXPECT_EQ(f.TxtMat->BackColor(), Valore(2, 1) != 0 ? 0xFF00 : 0xFF);

    // Out of range: row 22, column 23; page 2 takes its row from the high byte of value 34.
    f.VisualizzaPuntoMatrice(30, 40);
    EXPECT_EQ(f.TxtMat->Caption(), QString::number(ModMain::MappaPagina0[22][23]));
    FrmMatrix& f2 = Mostra(2);
    TabellaBlocchi[1].Valori[34] = 0x0A05;
    f2.VisualizzaPuntoMatrice(3, 4);
    EXPECT_EQ(f2.TxtMat->Caption(), QString::number(ModMain::MappaPagina2[10][4]));
    EXPECT_FALSE(f2.TxtMat2->isVisible());
    // Page 1 with a second bank row beyond the map: on row 22.
    FrmMatrix& f1 = Mostra(1);
    TabellaBlocchi[1].Valori[34] = 40;
    f1.VisualizzaPuntoMatrice(3, 4);
    EXPECT_TRUE(f1.TxtMat2->isVisible());
    EXPECT_EQ(f1.TxtMat2->Caption(), QString::number(ModMain::MappaPagina1[22][4]));
}

TEST_F(EditorCompleto, ReplayDeiFotogrammi) {
    FrmMatrix& f = Mostra(0);
    // At the levels the program runs at, which hide the markers until the replay shows them.
    ModMain::LivelloAut = 0;
    f.AggiornaLivelliVisualizzazione();
    MDIFrm::BufferB10 = {};
    MDIFrm::BufferB10.R[0] = 30;
    MDIFrm::BufferB10.NB[0] = 2;
    MDIFrm::BufferB10.T[0] = 40;
    MDIFrm::BufferB10.T[10] = 3;
    MDIFrm::BufferB10.Intervallo = 5;
    MDIFrm::RiavviaB10 = true;
    f.GestisciB10();
    EXPECT_FALSE(MDIFrm::RiavviaB10);
    EXPECT_TRUE(f.TimerB10->isActive());
    f.TimerB10_Timer();
    f.TimerB10->stop();
    EXPECT_TRUE(f.PIC_Cursed[0]->isVisible());
    EXPECT_TRUE(f.PIC_Cursed[1]->isVisible());
    EXPECT_FALSE(f.PIC_Cursed[2]->isVisible());
    const QRect cella = f.GrdInj->visualRect(f.GrdInj->model()->index(23, 24));
    EXPECT_EQ(f.PIC_Cursed[0]->pos(), f.GrdInj->viewport()->mapTo(&f, cella.topLeft()));
    EXPECT_EQ(f.PIC_Cursed[1]->x(), f.PIC_Cursed[0]->x() + f.PIC_Cursed[0]->width());
    EXPECT_EQ(f.FotogrammaB10, 1);
    MDIFrm::RiavviaB10 = false;
}

TEST_F(EditorCompleto, OpzioniInAttesaDiventanoRichieste) {
    FrmMatrix& f = Mostra(0);
    f.RiempiCmbSwtch({"[SECONDAINJ]", "0|10|20|x", "[MOLTIPLICATORE]", "1|2", "one|two|four"});
    ModMain::LivelloSup = -1;
    ModMain::MatSoglie[15] = 0;
    f.AggiornaCursMappa();
    EXPECT_TRUE(f.cmbpercsec->isVisible());
    EXPECT_FALSE(f.ChkSIM->isChecked());
    EXPECT_FALSE(f.LAB_Tick->isVisible());

    // The view switch: the copy of the table with the bit, request 58.
    f.ChkSIM->setChecked(true);
    f.AggiornaCursMappa();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_SELECT_MAP0_EDITOR);
    EXPECT_EQ(ModMain::MatSoglieModificata[15] & 0x08, 0x08);
    ModMain::RichiestaPendente = 0;

    // A percentage chosen while a request waits: staged once the slot is free.
    ModMain::RichiestaPendente = 22;
    f.cmbpercsec3->setCurrentIndex(2);
    f.AggiornaCursMappa();
    EXPECT_EQ(ModMain::RichiestaPendente, 22);
    ModMain::RichiestaPendente = 0;
    f.AggiornaCursMappa();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK16);
    ASSERT_EQ(ModBlck::ModificheBlocco16.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco16[0].Valore, 20);
    EXPECT_EQ(ModBlck::ModificheBlocco16[0].IndiceValore, 27);
    EseguiPendente();
    EXPECT_EQ(Valore(16, 27), 20);

    // Marks with nothing valid to stage: no selection, a text that is not a
    // number, an entry beyond the multiplier list. Nothing staged, mark cleared.
    for (auto prepara : std::vector<std::function<void()>>{
             [&] { f.cmbpercsec->setCurrentIndex(-1); }, [&] { f.cmbpercsec->setCurrentIndex(3); },
             [&] { f.cmbmultiplier->setCurrentIndex(2); }}) {
        prepara();
        ModBlck::ModificheBlocco15 = ModBlck::ListaVuota();
        ModBlck::ModificheBlocco16 = ModBlck::ListaVuota();
        f.AggiornaCursMappa();
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
        EXPECT_EQ(ModMain::LeggiTag(f.cmbpercsec), QStringLiteral("0"));
        EXPECT_EQ(ModMain::LeggiTag(f.cmbmultiplier), QStringLiteral("0"));
        EXPECT_EQ(ModBlck::ModificheBlocco16[0].IndiceValore, -1);
        EXPECT_EQ(ModBlck::ModificheBlocco15[0].IndiceValore, -1);
    }
    // Page 1: the options hidden, the note shown.
    FrmMatrix& f1 = Mostra(1);
    f1.AggiornaCursMappa();
    EXPECT_FALSE(f1.cmbpercsec->isVisible());
    EXPECT_TRUE(f1.LAB_Tick->isVisible());
}

TEST_F(EditorCompleto, SelettoreDiPaginaSegueIBitDiVista) {
    FrmMatrix& f = Mostra(0);
    ModMain::MatSoglie[15] = 0x02;
    f.CMB_SelPage[0]->setCurrentIndex(1);
    f.CMB_SelPage[0]->setCurrentIndex(2);
    EXPECT_EQ(interfaccia->schede, (std::vector<int32_t>{48, 49}));
    // On page 49 only the first selector moves.
    interfaccia->schede.clear();
    f.CMB_SelPage[1]->setCurrentIndex(0);
    interfaccia->schede.clear();
    f.CambiaTipoGriglia(SCHEDA_MAPPA_2);
    EXPECT_EQ(f.CMB_SelPage[0]->currentIndex(), 2);
    EXPECT_EQ(f.CMB_SelPage[1]->currentIndex(), 0);
    EXPECT_TRUE(interfaccia->schede.empty());
    // The selector the user sees (the upper of the two) names the map shown.
    const auto visto = [&f] { return qobject_cast<QComboBox*>(f.childAt(f.CMB_SelPage[0]->geometry().center())); };
    ASSERT_NE(visto(), nullptr);
    EXPECT_EQ(visto()->currentIndex(), 2);
    f.CambiaTipoGriglia(SCHEDA_MAPPA_1);
    EXPECT_EQ(visto()->currentIndex(), 1);
    EXPECT_EQ(visto()->count(), 2);
}

// At the page sizes of a 1024 x 640 and a 1400 x 900 window: the "(ms)"
// caption lies whole under the full editor's grid, the rows take the nearest
// pixel, the grid font takes the column width's size step (smaller only
// where a value would not fit the column), the unit note stands centred
// beside the third legend square, the left column grows with the page, and
// the coarse grid ends at its last cell (no empty strip right of it or below it).
TEST_F(EditorCompleto, DisposizioneAlleDueMisure) {
    FrmMatrix& f = *editor[0];
    FRM_ZEBCarburazione& c = *carburazione[0];
    struct Misura {
        QSize pagina;
        int riga;    // (page height - 22) x 15 - 45 - 345, / 24, to the nearest pixel
        int colonna; // pixels
        int passo;   // points for that width: over 570 twips 14, over 450 12, over 405 10, else 8
    };
    int altezzaAnnulla = 0;
    for (const Misura& m : {Misura{QSize(1001, 425), 16, 31, 12}, Misura{QSize(1377, 685), 26, 43, 14}}) {
        const QSize s = m.pagina;
        f.resize(s);
        f.Form_Resize();
        EXPECT_GE(f.Lblms->y(), f.GrdInj->y() + f.GrdInj->height()) << s.width();
        EXPECT_LE(f.Lblms->y() + f.Lblms->height(), f.height()) << s.width();
        EXPECT_EQ(f.GrdInj->rowHeight(1), m.riga) << s.width();
        // The column width gives the size step; the grid takes the largest
        // size from that step down, by 2 points, at which "25.5" fits a column.
        const int colonna = f.GrdInj->columnWidth(1);
        EXPECT_EQ(colonna, m.colonna) << s.width();
        const auto entra = [&f, colonna](int punti) {
            QFont q = f.GrdInj->font();
            q.setPointSize(punti);
            return QFontMetrics(q).horizontalAdvance(QStringLiteral("25.5")) + 8 <= colonna;
        };
        const int punti = f.GrdInj->font().pointSize();
        EXPECT_LE(punti, m.passo) << s.width();
        EXPECT_EQ((m.passo - punti) % 2, 0) << s.width();
        EXPECT_GE(punti, 8) << s.width();
        EXPECT_TRUE(punti == 8 || entra(punti)) << s.width() << " " << punti;
        EXPECT_TRUE(punti == m.passo || !entra(punti + 2)) << s.width() << " " << punti;
        EXPECT_NEAR(f.LAB_Tick->geometry().center().y(), f.SHP[2]->geometry().center().y(), 1) << s.width();
        EXPECT_GT(f.CmdUndo->height(), altezzaAnnulla) << s.width();
        altezzaAnnulla = f.CmdUndo->height();
        c.resize(s);
        c.Form_Resize();
        const GrigliaDati* g = c.GrdSmall;
        int larghezza = 2 * g->frameWidth(), altezza = 2 * g->frameWidth();
        for (int k = 0; k < g->Cols(); ++k) larghezza += g->columnWidth(k);
        for (int k = 0; k < g->Rows(); ++k) altezza += g->rowHeight(k);
        EXPECT_EQ(g->width(), larghezza) << s.width();
        EXPECT_EQ(g->height(), altezza) << s.width();
    }
}
