#pragma once
// The map editors against the simulated ECU: the companion connected, the
// blocks and maps read from it, one full editor and one coarse view per map
// page loaded as the main window loads them, and an interface that carries
// the executor's refreshes to these forms as the shell does.
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <memory>

#include "engine/FissaggioMotore.h"
#include "engine/MDIFrmRichieste.h"
#include "link/ModBlckMappe.h"
#include "maps/FRM_ZEBCarburazione.h"
#include "maps/FissaggioMappe.h"
#include "maps/FrmEnterValue.h"
#include "maps/FrmMatrix.h"
#include "maps/ModBlckAssi.h"
#include "platform/Orologio.h"

// The executor's calls on the map forms, carried out on the forms under test.
class InterfacciaMappe : public RegistratoreInterfaccia {
public:
    std::array<FrmMatrix*, 3> editor{};
    std::array<FRM_ZEBCarburazione*, 3> carburazione{};
    std::vector<int32_t> schede; // pages selected

    void SelezioneScheda(int32_t id) override { schede.push_back(id); }
    bool CalcolaVettoriAssi(std::array<uint8_t, 128>& r, std::array<uint8_t, 180>& t, std::array<uint8_t, 24>& ar,
                            std::array<uint8_t, 23>& at, bool v) override {
        return ModBlck::CalcolaVettoriAssi(r, t, ar, at, v);
    }
    void FrmMatrix_ColoraMatriceGradiente(int k) override { editor[k]->ColoraMatriceGradiente(editor[k]->GrdInj); }
    void FrmMatrix_CaricaMatriceInGriglia(int k) override {
        editor[k]->CaricaMatriceInGriglia(editor[k]->GrdInj, ModMain::PaginaMappaK(k), 1.0);
    }
    void FrmMatrix_AbilitaTasti(int k) override { editor[k]->AbilitaTasti(); }
    void FrmMatrix_CaricaAssiInMatrice(int k) override {
        editor[k]->CaricaAssiInMatrice(editor[k]->GrdInj, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
    }
    void FRM_ZEBCarburazione_ColoraMatriceGradiente2(int k) override {
        carburazione[k]->ColoraMatriceGradiente2(carburazione[k]->GrdSmall);
    }
    void FRM_ZEBCarburazione_CaricaMatriceInGriglia(int k) override {
        carburazione[k]->CaricaMatriceInGriglia(carburazione[k]->GrdSmall, ModMain::PaginaMappaK(k), 1.0);
    }
    void FRM_ZEBCarburazione_AbilitaTasti(int k) override { carburazione[k]->AbilitaTasti(); }
    void FRM_ZEBCarburazione_CaricaAssiInMatrice(int k) override {
        carburazione[k]->CaricaAssiInMatrice(carburazione[k]->GrdSmall, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
    }
};

class FissaggioEditor : public FissaggioMotore {
protected:
    void SetUp() override {
        stato_ = std::make_unique<StatoMappeSalvato>();
        FissaggioMotore::SetUp();
        Connetti();
        for (size_t n : {1u, 2u, 3u, 15u, 16u}) ASSERT_TRUE(LeggiBlocco(n)) << n;
        for (int k = 0; k < 3; ++k) ASSERT_TRUE(LeggiPaginaEcu(k, ModMain::PaginaMappaK(k)));
        for (int k = 0; k < 3; ++k) ModMain::AllineaUndoPagina(k);
        ASSERT_EQ(ModBlck::LeggiScriviVettori(ModBlck::VettoreRpm, ModBlck::VettoreTinj, 0), 0);
        ASSERT_TRUE(ModBlck::CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro,
                                                ModMain::AsseTinjLavoro, true));
        ui.reset();
        auto mappe = std::make_unique<InterfacciaMappe>();
        interfaccia = mappe.get();
        ui = std::move(mappe);
        for (int k = 0; k < 3; ++k) {
            editor[k] = std::make_unique<FrmMatrix>();
            editor[k]->resize(1000, 420);
            editor[k]->Form_Load();
            editor[k]->MTX = k;
            carburazione[k] = std::make_unique<FRM_ZEBCarburazione>();
            carburazione[k]->resize(1000, 420);
            carburazione[k]->Form_Load();
            carburazione[k]->MTX = k;
            interfaccia->editor[k] = editor[k].get();
            interfaccia->carburazione[k] = carburazione[k].get();
        }
        // The threshold table as the ECU holds it (the loads set two bytes of their own).
        PaginaMappa p{};
        ASSERT_EQ(ModBlck::LeggiMappaEcu(p, ModMain::MatSoglie), 0);
        ModMain::MappaTaratura = ModMain::MatSoglie;
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        for (auto& e : editor) e.reset();
        for (auto& c : carburazione) c.reset();
        FissaggioMotore::TearDown();
        stato_.reset();
    }

    // Page k as the simulated ECU holds it.
    static bool LeggiPaginaEcu(int k, PaginaMappa& p) {
        TabellaSoglie soglie{};
        if (k == 0) return ModBlck::LeggiMappaEcu(p, soglie) == 0;
        if (k == 1) return ModBlck::LeggiMappaAdat(p) == 0;
        return ModBlck::LeggiMappaMape(p) == 0;
    }
    PaginaMappa PaginaEcu(int k) {
        PaginaMappa p{};
        EXPECT_TRUE(LeggiPaginaEcu(k, p));
        return p;
    }

    // Runs the request waiting in the slot as the link timer would.
    void EseguiPendente() {
        ASSERT_NE(ModMain::RichiestaPendente, 0);
        ModMain::StatoConnessione = STATO_ESECUZIONE;
        MDIFrm::EseguiRichiesta();
        ModMain::StatoConnessione = STATO_CONNESSO;
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
    }

    // A key pressed and released on a grid: the release acts, and a release
    // whose press went to another window (the dialog it opened) would not.
    static void Rilascia(QWidget* w, int tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QKeyEvent giu(QEvent::KeyPress, tasto, mod);
        QApplication::sendEvent(w, &giu);
        QKeyEvent e(QEvent::KeyRelease, tasto, mod);
        QApplication::sendEvent(w, &e);
    }

    // Enter on a grid with the dialog answering `operazione` (1..3) and `testo`,
    // or cancelled with Esc when `operazione` is 0. The dialog's waits run on
    // the fast test clock.
    static void InvioConDialogo(QWidget* griglia, int operazione, const QString& testo) {
        QTimer::singleShot(0, [operazione, testo] {
            FrmEnterValue* d = ModMapEditor::IstanzaFrmEnterValue();
            if (operazione == 0) {
                QKeyEvent esc(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(d, &esc);
                return;
            }
            d->OptTipoOper[static_cast<size_t>(operazione - 1)]->setChecked(true);
            d->TxtValue->setText(testo);
            QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QApplication::sendEvent(d->TxtValue, &invio);
        });
        Piattaforma::ImpostaAcceleratoreOrologio(1000.0);
        Rilascia(griglia, Qt::Key_Return);
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
    }

    static void Seleziona(GrigliaDati* g, int r, int c, int rs, int cs) {
        g->Row(r);
        g->Col(c);
        g->RowSel(rs);
        g->ColSel(cs);
    }

    InterfacciaMappe* interfaccia = nullptr;
    std::array<std::unique_ptr<FrmMatrix>, 3> editor;
    std::array<std::unique_ptr<FRM_ZEBCarburazione>, 3> carburazione;

private:
    std::unique_ptr<StatoMappeSalvato> stato_;
};
