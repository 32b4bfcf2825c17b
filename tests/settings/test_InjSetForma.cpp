// The injector popup offscreen: rows by injector count with the bank marker,
// the bank bits, the staged offset lists of linked rows, the mode changes,
// the dropped edits, the live time texts, the service view and the height.
#include "settings/FissaggioImpostazioni.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckComandi.h"
#include "settings/FrmInjSetPopUp.h"
#include "support/TastiProva.h"

#include <algorithm>
#include <array>

namespace {

class InjSet : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        cambio_ = ModBlck::CambioConfigIniettori;
        tasto_ = ModMain::TastoXPremuto;
        ModBlck::CambioConfigIniettori = {};
        f = std::make_unique<FrmInjSetPopUp>();
        f->Form_Load();
        Cilindri(4);
    }
    void TearDown() override {
        f.reset();
        ModBlck::CambioConfigIniettori = cambio_;
        ModMain::TastoXPremuto = tasto_;
        FissaggioImpostazioni::TearDown();
    }
    // n cylinders, every injector in state 3 (active).
    void Cilindri(int32_t n) {
        Imposta(3, 1, n);
        for (size_t i = 0; i < 8; ++i) Imposta(3, 16 - i, 3);
        f->AggiornaSelezioni(true);
    }
    static void Lista(const ListaModifiche& attesa) {
        const auto& l = ModBlck::ModificheBlocco3;
        ASSERT_EQ(l.size(), attesa.size());
        for (size_t i = 0; i < l.size(); ++i) {
            EXPECT_EQ(l[i].Valore, attesa[i].Valore) << i;
            EXPECT_EQ(l[i].IndiceValore, attesa[i].IndiceValore) << i;
        }
    }

    std::unique_ptr<FrmInjSetPopUp> f;

private:
    ModBlck::RecordCambioIniettori cambio_;
    int32_t tasto_ = 0;
};

TEST_F(InjSet, RigheEIndicatoreDelSecondoBanco) {
    struct Caso {
        int32_t n;
        bool marcatore;
        int primaRiga;
    };
    for (const Caso& c : {Caso{4, false, 0}, Caso{6, true, 3}, Caso{7, true, 4}, Caso{8, true, 4}}) {
        Cilindri(c.n);
        for (size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(f->LblInj[i]->isHidden(), static_cast<int32_t>(i) >= c.n) << c.n << " row " << i;
            EXPECT_EQ(f->HScrTime[i]->isHidden(), static_cast<int32_t>(i) >= c.n);
            EXPECT_TRUE(f->CmbSelecT[i]->isHidden()); // mode column only at display level 2
        }
        EXPECT_EQ(f->ImgFlag->isHidden(), !c.marcatore) << c.n;
        if (c.marcatore) {
            EXPECT_EQ(f->ImgFlag->y(), f->LblInj[static_cast<size_t>(c.primaRiga)]->y() - 4); // 60 twips above
        }
        // Height: the bottom of the last row shown plus 750 twips.
        const QLabel* ultima = f->LblInj[static_cast<size_t>(c.n - 1)];
        EXPECT_NEAR(f->height(), ultima->y() + ultima->height() + 50, 1) << c.n;
    }
    // Without the mode column the form ends after the offset block, with the
    // right margin it has beside the mode column.
    const int margine = f->width() - (f->CmdDefaultTime[0]->x() + f->CmdDefaultTime[0]->width());
    ModMain::LivelloSup = 1;
    Cilindri(4);
    EXPECT_FALSE(f->CmbSelecT[0]->isHidden());
    EXPECT_TRUE(f->CmbSelecT[4]->isHidden());
    EXPECT_NEAR(f->width() - (f->CmbSelecT[0]->x() + f->CmbSelecT[0]->width()), margine, 2);
    EXPECT_GT(f->width(), f->CmbSelecT[0]->x() + f->CmbSelecT[0]->width());
}

TEST_F(InjSet, CollegamentiEOffset) {
    ModMain::MatSoglie[14] = 0xFA; // bits 1, 3 and rows past the count
    Cilindri(4);
    EXPECT_EQ(ModMain::MatSoglie[14], 0x0A); // only the rows fitted
    EXPECT_TRUE(f->ChkBank[1]->isChecked());
    EXPECT_FALSE(f->ChkBank[2]->isChecked());
    EXPECT_EQ(f->LblTimeCor[1]->palette().color(QPalette::Window), ModZebPagina::Colore(0xC0C000));
    EXPECT_EQ(f->LblTimeCor[1]->palette().color(QPalette::WindowText), ModZebPagina::Colore(0xFFFFFF));
    // An unlinked row: the system button face and button text.
    EXPECT_EQ(f->LblTimeCor[0]->palette().color(QPalette::Window),
              ModZebPagina::Colore(static_cast<int32_t>(0x8000000FU)));
    EXPECT_EQ(f->LblTimeCor[0]->palette().color(QPalette::WindowText),
              ModZebPagina::Colore(static_cast<int32_t>(0x80000012U)));

    f->HScrTime[1]->setValue(12);
    Lista({{12, 23, 0}, {12, 21, 0}});
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);

    ModMain::RichiestaPendente = 0;
    f->HScrTime[0]->setValue(-5); // row 0 is not linked
    Lista({{-5, 24, 0}});

    ModMain::RichiestaPendente = 0;
    ModMain::MatSoglie[14] = 0;
    Cilindri(4);
    f->CmdDefaultTime_Click(0);
    Lista({{0, 24, 0}});
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);

    ModMain::RichiestaPendente = 0;
    f->ChkBank[2]->setChecked(true);
    f->ChkBank_Click(2);
    EXPECT_EQ(ModMain::MatSoglie[14], 0x04);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BANK_OPTIONS);
}

TEST_F(InjSet, OffsetScartatoTornaAlValoreSalvato) {
    Imposta(3, 23, 4);
    f->AggiornaSelezioni(true);
    ASSERT_EQ(f->HScrTime[1]->value(), 4);
    ModMain::RichiestaPendente = REQ_READ_BLK3;
    f->HScrTime[1]->setValue(20); // dropped: the slot is taken
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    ModMain::RichiestaPendente = 0;
    f->AggiornaSelezioni(false); // the block still holds 4
    EXPECT_EQ(f->HScrTime[1]->value(), 4);
    // A value the bar cannot hold: the bar stays, the number shows it.
    Imposta(3, 23, 45);
    f->AggiornaSelezioni(false);
    f->AggiornaTempiInj();
    EXPECT_EQ(f->HScrTime[1]->value(), 4);
    EXPECT_EQ(f->LblTimeCor[1]->text(), "45");
}

TEST_F(InjSet, CambioModalita) {
    struct Caso {
        int riga, voce;
        int32_t stato;
        uint8_t tipo;
        int16_t modo;
        int32_t richiesta;
    };
    const Caso casi[] = {{5, 0, 3, 1, 3, REQ_SET_INJECTORS}, {5, 1, 3, 1, 0, REQ_SET_INJECTORS},
                         {5, 1, 0, 0, -1, 0}};
    for (const auto& c : casi) {
        ModBlck::CambioConfigIniettori = {};
        ModMain::RichiestaPendente = 0;
        Imposta(3, 16 - static_cast<size_t>(c.riga), c.stato);
        f->CmbSelecT[static_cast<size_t>(c.riga)]->setCurrentIndex(c.voce);
        f->CmbSelecT_Click(c.riga);
        EXPECT_EQ(ModBlck::CambioConfigIniettori.Tipo, c.tipo) << c.voce << " " << c.stato;
        if (c.tipo) {
            EXPECT_EQ(ModBlck::CambioConfigIniettori.Valore, c.riga);
            EXPECT_EQ(ModBlck::CambioConfigIniettori.Modo, c.modo);
        }
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
        EXPECT_FALSE(f->InAggiornamento);
    }
    // While a request occupies the slot (the change itself may be running) the choice is ignored.
    Imposta(3, 14, 3);
    f->AggiornaSelezioni(true);
    ModBlck::CambioConfigIniettori = {1, 2, 3};
    ModMain::RichiestaPendente = REQ_SET_INJECTORS;
    f->CmbSelecT[2]->setCurrentIndex(1);
    f->CmbSelecT_Click(2);
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Modo, 3);
    EXPECT_EQ(f->CmbSelecT[2]->currentIndex(), 0);
    // State 4 keeps the item shown.
    Imposta(3, 14, 4);
    ModMain::RichiestaPendente = 0;
    f->AggiornaSelezioni(false);
    EXPECT_EQ(f->CmbSelecT[2]->currentIndex(), 0);
    Imposta(3, 14, 0);
    f->AggiornaSelezioni(false);
    EXPECT_EQ(f->CmbSelecT[2]->currentIndex(), 1);
}

TEST_F(InjSet, TempiDalVivo) {
    Imposta(1, 7, 3456);   // gas, row 0
    Imposta(1, 15, 999);   // petrol, row 0
    Imposta(1, 6, 5000);   // gas, row 1
    Imposta(3, 15, 0);     // row 1 off
    f->AggiornaTempiInj();
    EXPECT_EQ(f->LblTimeGas[0]->text(), "3.45");
    EXPECT_EQ(f->LblTimeBenz[0]->text(), "0.99");
    EXPECT_EQ(f->LblTimeGas[1]->text(), "0");
    EXPECT_EQ(f->LblTimeBenz[1]->text(), "0");
    EXPECT_EQ(f->LblStatoInj[1]->text(), "0");
}

TEST_F(InjSet, VistaDiServizioETesti) {
    Imposta(3, 6, 1200);
    f->AggiornaSelezioni(true);
    EXPECT_EQ(f->TxtMinTimePPG->text(), "1200");
    Imposta(3, 6, 1300);
    f->AggiornaSelezioni(false);
    EXPECT_EQ(f->TxtMinTimePPG->text(), "1200");

    ModMain::TastoXPremuto = 0;
    f->Form_KeyUp('X', 7);
    EXPECT_FALSE(f->FrmPilotaggioInj->isHidden());
    EXPECT_FALSE(f->LblStatoInj[3]->isHidden());
    EXPECT_EQ(ModMain::TastoXPremuto, 1);
    f->Form_KeyUp('Y', 7);
    EXPECT_TRUE(f->FrmPilotaggioInj->isHidden());
    EXPECT_EQ(ModMain::TastoXPremuto, 0);
    f->Form_KeyUp('X', 7);
    f->Form_KeyUp('X', 7);
    EXPECT_TRUE(f->FrmPilotaggioInj->isHidden());

    // The gas header is entry 2 and the petrol header entry 3, over the third and second columns.
    EXPECT_EQ(f->LblTimeG->text().toStdString(), Voce("[Frm_InjSet]", 2));
    EXPECT_EQ(f->LblTimeB->text().toStdString(), Voce("[Frm_InjSet]", 3));
    EXPECT_LT(f->LblTimeB->x(), f->LblTimeG->x());
    EXPECT_EQ(f->CmbSelecT[0]->itemText(0).toStdString(), Voce("[Frm_InjSet]", 6));
}

TEST_F(InjSet, VistaDiServizioInOgniOrdineDeiTasti) {
    // Ctrl, Shift and Alt pressed in every order, then X, and the four let go
    // in every order, with the focus on a drawn button of the popup. As X11
    // reports them: an event carries the modifiers held before it (a release
    // still holds its own key), and the Alt key reads as Meta while Shift is
    // held. Only X let go with all three held shows the view; the release of
    // a modifier is never another key.
    ASSERT_TRUE(SupportoTest::Attiva(f.get()));
    QWidget* fuoco = SupportoTest::ConFuoco(f->CmdDefaultTime[0]);
    ASSERT_EQ(fuoco, f->CmdDefaultTime[0]);
    enum Tasto { Ctrl, Shift, Alt, X };
    const char* const nomi[] = {"Ctrl", "Shift", "Alt", "X"};
    const Qt::KeyboardModifier bit[] = {Qt::ControlModifier, Qt::ShiftModifier, Qt::AltModifier, Qt::NoModifier};
    std::array<int, 3> premuti{Ctrl, Shift, Alt};
    do {
        std::array<int, 4> rilasciati{Ctrl, Shift, Alt, X};
        do {
            ModMain::TastoXPremuto = 0;
            f->MostraParametriInj(false);
            Qt::KeyboardModifiers tenuti;
            std::string ordine;
            auto invia = [&](QEvent::Type tipo, int k) {
                const int qt = k == Ctrl    ? Qt::Key_Control
                               : k == Shift ? Qt::Key_Shift
                               : k == X     ? Qt::Key_X
                               : (tenuti & Qt::ShiftModifier) ? Qt::Key_Meta
                                                              : Qt::Key_Alt;
                SupportoTest::InviaTasto(fuoco, tipo, qt, tenuti);
                if (tipo == QEvent::KeyPress) tenuti |= bit[k];
                else tenuti &= ~Qt::KeyboardModifiers(bit[k]);
                ordine += std::string(tipo == QEvent::KeyPress ? " +" : " -") + nomi[k];
            };
            for (int k : premuti) invia(QEvent::KeyPress, k);
            invia(QEvent::KeyPress, X);
            for (int k : rilasciati) invia(QEvent::KeyRelease, k);
            EXPECT_EQ(!f->FrmPilotaggioInj->isHidden(), rilasciati[0] == X) << ordine;
        } while (std::next_permutation(rilasciati.begin(), rilasciati.end()));
    } while (std::next_permutation(premuti.begin(), premuti.end()));
}

// Records the page switches and the enabling of the surrounding forms.
class InjSetRegistro : public ServiziInterfaccia {
public:
    InjSetRegistro() { MDIFrm::RegistraInterfaccia(this); }
    ~InjSetRegistro() override { MDIFrm::RegistraInterfaccia(nullptr); }
    void SelezioneScheda(int32_t id) override { chiamate.push_back("SelezioneScheda(" + std::to_string(id) + ")"); }
    void AbilitaDisabilitaForm(bool s) override { chiamate.push_back(s ? "Abilita" : "Disabilita"); }
    std::vector<std::string> chiamate;
};

TEST_F(InjSet, AttivazioneEChiusura) {
    InjSetRegistro registro;
    f->show();
    int cancella = 0;
    f->Form_QueryUnload(cancella, 0);
    EXPECT_EQ(cancella, 1);
    EXPECT_TRUE(f->isHidden());
    EXPECT_EQ(registro.chiamate, (std::vector<std::string>{"Disabilita", "Abilita", "SelezioneScheda(25)"}));
    registro.chiamate.clear();
    f->show();
    f->hide(); // another page took over
    EXPECT_EQ(registro.chiamate, (std::vector<std::string>{"Disabilita", "Abilita"}));
}

} // namespace
