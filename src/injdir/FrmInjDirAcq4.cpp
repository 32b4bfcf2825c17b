#include "injdir/FrmInjDirAcq4.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "controls/PulsanteGrafico.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "injdir/InjDirAcqTelaio.h"
#include "injdir/ModBlckRegressione.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckTrame.h"

using namespace InjDirAcqTelaio;
namespace A = InjDirAcqRegole;

FrmInjDirAcq4::FrmInjDirAcq4(QWidget* contenitore) : QWidget(contenitore), proporzioni_(Larghezza, Altezza) {
    setObjectName(QStringLiteral("FrmInjDirAcq4"));
    SHP_Contorno = Sfondo(this, "SHP_Contorno");
    CMD_AcquisisciGAZZ = NuovoPulsante(this, "CMD_AcquisisciGAZZ");
    Posto(CMD_AcquisisciGAZZ, 40, 30, 240, 36);
    Shp_Semaforo_5 = NuovoSemaforo(this, "Shp_Semaforo_5");
    Posto(Shp_Semaforo_5, 300, 32, 32, 32);
    LAB_GAZZ1 = NuovaEtichettaAcq(this, "LAB_GAZZ1", 0xFFFFFF, 11);
    Posto(LAB_GAZZ1, 40, 100, 200, 26);
    LAB_GAZZ2 = NuovaEtichettaAcq(this, "LAB_GAZZ2", 0xFFFF80, 14, true);
    Posto(LAB_GAZZ2, 250, 96, 120, 30);
    LAB_PressGazzIstruzioni = NuovaEtichettaAcq(this, "LAB_PressGazzIstruzioni", 0xFFFFFF, 10);
    Posto(LAB_PressGazzIstruzioni, 500, 30, 460, 200);
    SHP_Contain1 = new ModZebPagina::FormaPagina(this, QStringLiteral("SHP_Contain1"), 1, false);
    SHP_Contain1->ColoreBordo(0x806040);
    Posto(SHP_Contain1, 30, 240, 440, 100);
    ModMain::ImpostaTag(SHP_Contain1, QStringLiteral("AUT"));
    const char* didascalie[6] = {"Centra", "Pos", "Fine", "D_Min", "D_Max", "KFact"};
    for (int i = 0; i < 6; ++i) {
        auto* l = NuovaEtichettaAcq(this, "", 0xFFFFFF, 9);
        ModMain::ImpostaMembro(l, QStringLiteral("LabAux"), i);
        l->setText(QString::fromLatin1(didascalie[i]));
        l->setAlignment(Qt::AlignCenter);
        Posto(l, 40 + i * 70, 252, 64, 20);
        auto* t = new QLineEdit(this);
        ModMain::ImpostaMembro(t, QStringLiteral("TextAux"), i);
        t->setText(QStringLiteral("---"));
        t->setAlignment(Qt::AlignCenter);
        t->setReadOnly(i == 2);
        ModZebPagina::ImpostaFont(t, 9);
        Posto(t, 40 + i * 70, 276, 64, 24);
        for (QWidget* w : {static_cast<QWidget*>(l), static_cast<QWidget*>(t)}) ModMain::ImpostaTag(w, QStringLiteral("AUT"));
        LabAux[static_cast<size_t>(i)] = l;
        TextAux[static_cast<size_t>(i)] = t;
    }
    CMD_Downloader = NuovoPulsante(this, "CMD_Downloader");
    CMD_Downloader->Caption(QStringLiteral(">>>"));
    Posto(CMD_Downloader, 40 + 6 * 70 - 12, 306, 54, 26);
    ModMain::ImpostaTag(CMD_Downloader, QStringLiteral("AUT"));
    CMD_ResetGAZZ = NuovoPulsante(this, "CMD_ResetGAZZ");
    Posto(CMD_ResetGAZZ, 760, 360, 200, 36);
    connect(CMD_AcquisisciGAZZ, &PulsanteGrafico::Click, this, &FrmInjDirAcq4::CMD_AcquisisciGAZZ_Click);
    connect(CMD_Downloader, &PulsanteGrafico::Click, this, &FrmInjDirAcq4::CMD_Downloader_Click);
    connect(CMD_ResetGAZZ, &PulsanteGrafico::Click, this, &FrmInjDirAcq4::CMD_ResetGAZZ_Click);
}

void FrmInjDirAcq4::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    AzzeraCampioniPressione();
    ScritturaBitPendente = VistaDaAggiornare = false;
    ValoreBitPressione = 0;
    CaricaLingua();
    CaricaDatiWizard();
    caricata_ = true;
    Form_Resize();
}

void FrmInjDirAcq4::Form_Unload() { caricata_ = false; }
void FrmInjDirAcq4::Form_Resize() { proporzioni_.Applica(this); }
void FrmInjDirAcq4::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}
void FrmInjDirAcq4::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }
void FrmInjDirAcq4::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmInjDirAcq4::CaricaLingua() {
    PosizioneSezione = Sezione(PosizioneSezione);
    const int32_t T = PosizioneSezione;
    LAB_GAZZ2->clear();
    LAB_PressGazzIstruzioni->clear();
    CMD_AcquisisciGAZZ->Caption(Testo(T, 10));
    LAB_GAZZ1->setText(Testo(T, 42));
    CMD_ResetGAZZ->Caption(Testo(T, 13));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmInjDirAcq4::CaricaDatiWizard() {
    const auto imp = A::LeggiImpostazioniPressioneGas(ModMain::RigheConfigScale);
    ParametriPressioneGpl = imp.gpl;
    ParametriPressioneCng = imp.cng;
    PressioneMassimaCentro = imp.massimoCentro;
}

A::ParametriPressioneGas& FrmInjDirAcq4::RecordCorrente() {
    return (Valore(3, 33).value_or(0) & 0x20) ? ParametriPressioneCng : ParametriPressioneGpl;
}

QString FrmInjDirAcq4::TestoCentro(int32_t pos) const {
    // Point `pos` of the gas-pressure axis in bar with two decimals, as the
    // compensation page's grid shows it; read from block 9 itself, because
    // that grid is only refreshed while its own page is shown.
    const auto v = Valore(9, static_cast<size_t>(pos) * 2 * static_cast<size_t>(std::max(ModMain::PassiCompensazione[2], 1)));
    if (!v) return QString::fromStdString(MDIFrm::Interfaccia().FrmCompensa_TestoAssePressioneGas(pos + 1));
    int32_t decimali = 2, cifre = 1;
    return QString::fromStdString(ModGlobFunct::FormattaNumero(*v / 1000.0, decimali, cifre));
}

void FrmInjDirAcq4::AzzeraCampioniPressione() {
    CampioniPressione.fill(-1);
    IndiceCampione = 0;
    CMD_AcquisisciGAZZ->Enabled(false);
}

void FrmInjDirAcq4::CampionaPressioneGas() {
    const int32_t p = Valore(1, 33).value_or(0);
    IndiceCampione = IndiceCampione + 1 > 20 ? 0 : IndiceCampione + 1;
    const bool gas = Valore(2, 0).value_or(0) == 3 && Valore(2, 1).value_or(0) == 3;
    CampioniPressione[static_cast<size_t>(IndiceCampione)] = gas ? p : -1;
    const auto media = A::MediaFinestra(CampioniPressione);
    if (!media) {
        if (CMD_AcquisisciGAZZ->isEnabled()) CMD_AcquisisciGAZZ->Enabled(false);
        LAB_GAZZ2->setText(QStringLiteral("---"));
        return;
    }
    const bool ammessa = *media >= PressioneMinimaCentro && *media <= PressioneMassimaCentro;
    if (CMD_AcquisisciGAZZ->isEnabled() != ammessa) CMD_AcquisisciGAZZ->Enabled(ammessa);
    int32_t decimali = 2, cifre = 1;
    LAB_GAZZ2->setText(QString::fromStdString(ModGlobFunct::FormattaNumero(*media / 1000.0, decimali, cifre)));
}

void FrmInjDirAcq4::AggiornaRealTime() { CampionaPressioneGas(); }

void FrmInjDirAcq4::AggiornaVisualizzazione() {
    const int32_t T = PosizioneSezione;
    const auto spazio = QStringLiteral(" ");
    if (StatoWizard() & A::BitPressGas) {
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_5, 2);
        LAB_PressGazzIstruzioni->setText(Testo(T, 40) + spazio + Testo(T, 10));
    } else {
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_5, 0);
        LAB_PressGazzIstruzioni->setText(Testo(T, 39) + spazio + Testo(T, 10));
    }
    A::ParametriPressioneGas r = RecordCorrente();
    if (A::PosValida(r.Pos))
        if (const auto v = ModZebPagina::NumeroVoce(TestoCentro(r.Pos)))
            if (const auto c = Conv::CLng(*v * 1000.0)) r.Centra = *c;
    r.Fine = Valore(3, 39).value_or(r.Fine);
    const int32_t campi[6] = {r.Centra, r.Pos, r.Fine, r.D_Min, r.D_Max, r.KFact};
    for (size_t i = 0; i < 6; ++i) TextAux[i]->setText(QString::number(campi[i]));
    PressioneMinimaCentro = r.D_Min + r.Fine;
    AzzeraCampioniPressione();
}

bool FrmInjDirAcq4::RicalcolaPressioneTotale() {
    auto intero = [this](size_t i) -> std::optional<int32_t> {
        const auto v = ModZebPagina::NumeroVoce(TextAux[i]->text());
        return v ? Conv::CLng(*v) : std::nullopt;
    };
    const auto centra = intero(0), pos = intero(1), dMin = intero(3), dMax = intero(4), k = intero(5);
    // A Pos outside 1..13 names no grid column and divides by zero: refused.
    if (!centra || !pos || !dMin || !dMax || !k || !A::PosValida(*pos) || TabellaBlocchi.size() <= 9) {
        ModZebPagina::Bip();
        return false;
    }
    A::ParametriPressioneGas r{*pos, *dMin, *dMax, *k, Valore(3, 39).value_or(0), *centra};
    ParametriCurvaPressione curva;
    curva.IndiceCentro = r.Pos;
    curva.OffsetInizio = r.D_Min;
    curva.OffsetFine = r.D_Max;
    curva.Ampiezza = r.KFact;
    curva.PressioneBase = r.Fine;
    curva.PressioneCentro = r.Centra;
    BloccoParametri blocco9 = TabellaBlocchi[9];
    if (!ModBlck::CalcolaRegressione(curva, blocco9, false)) {
        ModZebPagina::Bip();
        return false;
    }
    RecordCorrente() = r;
    TabellaBlocchi[9] = blocco9;
    std::string dati;
    ModBlck::CodificaBlocco(dati, TabellaBlocchi[9]);
    ModBlck::FrameComPGasX = ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_WRITE_BLK9, dati);
    return true;
}

void FrmInjDirAcq4::GestioneRichieste() {
    if (ModMain::RichiestaPendente != 0) return;
    const int32_t T = PosizioneSezione;
    bool scriviTabella = false;
    if (VistaDaAggiornare) {
        VistaDaAggiornare = false;
        AggiornaVisualizzazione();
        if (!ScritturaBitPendente && ValoreBitPressione != 0) {
            MDIFrm::Interfaccia().FrmCompensa_AggiornaTabelledaVettori();
            const QString centro = TestoCentro(RecordCorrente().Pos);
            LAB_PressGazzIstruzioni->setText(Testo(T, 41) + QStringLiteral(" ") + centro + QStringLiteral(" bar.\r\n") +
                                             Testo(T, 40) + QStringLiteral(" ") + Testo(T, 10));
            ValoreBitPressione = 0;
        }
    } else if (TagAcquisisci) {
        TagAcquisisci = false;
        if (const auto v = ModZebPagina::NumeroVoce(LAB_GAZZ2->text())) {
            if (const auto c = Conv::CLng(*v * 1000.0)) TextAux[0]->setText(QString::number(*c));
            scriviTabella = RicalcolaPressioneTotale();
        }
    } else if (TagDownloader) {
        TagDownloader = false;
        scriviTabella = RicalcolaPressioneTotale();
    } else if (TagReset) {
        TagReset = false;
        ModZebPagina::Posta(REQ_LOAD_GAS_PRESS_TABLE);
        ScritturaBitPendente = true;
        ValoreBitPressione = 0;
    } else if (ScritturaBitPendente) {
        ScritturaBitPendente = false;
        if (ModMain::UltimaRichiestaRiuscita) {
            ModBlck::ModificheBlocco16 = {ModificaPendente{ValoreBitPressione, 26, A::BitPressGas}};
            ModZebPagina::Posta(REQ_WRITE_BLK16);
        } else {
            // The table write failed: no progress bit, no centring message.
            ValoreBitPressione = 0;
            AggiornaVisualizzazione();
        }
    }
    if (scriviTabella) {
        ModBlck::TabellaCompensazioneSel = 2;
        ModZebPagina::Posta(REQ_WRITE_COMP_TABLES);
        ScritturaBitPendente = true;
        ValoreBitPressione = A::BitPressGas;
    }
    if (ModMain::RichiestaPendente != 0 && !ScritturaBitPendente) VistaDaAggiornare = true;
}
