#include "shell/FRM_ZEBMain.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include "controls/ModZebBarre.h"
#include "controls/PowerIndicatore.h"
#include "controls/SlideIndicatore.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainTasti.h"
#include "link/ModMappeDati.h"
#include "shell/CasaControlli.h"
#include "shell/CasaConversioni.h"

namespace {

constexpr int32_t Bianco = 0xFFFFFF;
using Casa::Blu;
using Casa::BluScuro;

// Value n of block b; throws when either does not exist, which ends the
// refresh member (the display tick keeps the error inside the member).
int32_t V(size_t b, size_t n) { return TabellaBlocchi.at(b).Valori.at(n); }
// The enable flag of a compensation curve: the value one below the last index.
int32_t FlagCurva(size_t b) {
    const auto& v = TabellaBlocchi.at(b).Valori;
    if (v.size() < 2) throw std::out_of_range("curve without flag");
    return v[v.size() - 2];
}

Casa::FormaGrafica* Pannello(QWidget* f, double l, double t, double w, double h) {
    auto* s = new Casa::FormaGrafica(f, Casa::FormaGrafica::Tipo::Rettangolo, 2, true);
    s->ColoreBordo(BluScuro);
    s->ColoreRiempimento(Blu);
    Casa::Colloca(s, l, t, w, h);
    return s;
}

Casa::FormaGrafica* Separatore(QWidget* f, double l, double t, double w, double h) {
    auto* s = new Casa::FormaGrafica(f, Casa::FormaGrafica::Tipo::Rettangolo, 2, false);
    s->ColoreBordo(Bianco);
    Casa::Colloca(s, l, t, w, h);
    return s;
}

Casa::FormaGrafica* Lampada(QWidget* f, const char* nome, double l, double t) {
    auto* s = new Casa::FormaGrafica(f, Casa::FormaGrafica::Tipo::Rettangolo, 2, true);
    s->setObjectName(QString::fromLatin1(nome));
    s->ColoreBordo(Bianco);
    s->ColoreRiempimento(0xE0E0E0);
    Casa::Colloca(s, l, t, 255, 255);
    return s;
}

QLabel* Etichetta(QWidget* f, const QString& nome, const QString& testo, int32_t colore, const char* font, double punti,
                  bool grassetto, Qt::Alignment allineamento, double l, double t, double w, double h) {
    QLabel* e = Casa::NuovaEtichetta(f, nome, testo, colore, QString::fromLatin1(font), punti, grassetto, allineamento);
    Casa::Colloca(e, l, t, w, h);
    return e;
}

// A value label of the OBD panel: opaque black.
QLabel* Valore(QWidget* f, const char* nome, double punti, bool grassetto, double l, double t, double w, double h) {
    QLabel* e = Etichetta(f, QString::fromLatin1(nome), QStringLiteral("---"), Bianco, "Arial", punti, grassetto,
                          Qt::AlignHCenter, l, t, w, h);
    e->setAutoFillBackground(true);
    QPalette p = e->palette();
    p.setColor(QPalette::Window, Qt::black);
    e->setPalette(p);
    return e;
}

QProgressBar* Barra(QWidget* f, const QString& nome, int k, double l, double t) {
    auto* b = new QProgressBar(f);
    ModMain::ImpostaMembro(b, nome, k);
    b->setRange(0, 250);
    b->setValue(0);
    b->setTextVisible(false);
    Casa::Colloca(b, l, t, 1455, 315);
    return b;
}

void ImpostaTesto(QLabel* l, const std::string& testo) {
    const QString t = ModMain::TestoLingua(testo);
    if (l->text() != t) l->setText(t);
}

void ImpostaColore(Casa::FormaGrafica* s, int32_t colore) { s->ColoreRiempimento(colore); }

} // namespace

FRM_ZEBMain::FRM_ZEBMain(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBMain"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    resize(800, 467); // design client area 12000 x 7005 twips

    SHP.assign(11, nullptr);
    SHP_Contorno = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Rettangolo, 3, false);
    SHP_Contorno->setObjectName(QStringLiteral("SHP_Contorno"));
    SHP_Contorno->ColoreBordo(BluScuro);
    Casa::Colloca(SHP_Contorno, 0, 0, 12000, 7005);
    SHP[5] = Pannello(this, 120, 120, 2595, 3915);
    SHP[1] = Pannello(this, 2760, 2580, 9135, 1455);
    SHP[0] = Pannello(this, 120, 4080, 7515, 2835);
    SHP[10] = Separatore(this, 180, 420, 2475, 15);
    SHP[2] = Separatore(this, 180, 1320, 2475, 15);
    SHP[8] = Separatore(this, 180, 2220, 2475, 15);
    SHP[9] = Separatore(this, 180, 3120, 2475, 15);
    SHP[4] = Separatore(this, 2940, 3000, 8775, 15);
    SHP[3] = Separatore(this, 180, 4500, 7395, 15);
    SHP[7] = Separatore(this, 7320, 3000, 15, 915);
    SHP[6] = Separatore(this, 3900, 4500, 15, 2295);
    for (int k = 0; k < 11; ++k) ModMain::ImpostaMembro(SHP[static_cast<size_t>(k)], QStringLiteral("SHP"), k);

    LAB_Cil_Title = Etichetta(this, QStringLiteral("LAB_Cil_Title"), QStringLiteral("*** Tempi di iniezione (ms)"),
                              Bianco, "MS Sans Serif", 8.25, true, Qt::AlignHCenter, 180, 180, 2460, 315);
    for (int k = 0; k < 4; ++k) {
        const double passo = 900.0 * k;
        QLabel* c = Etichetta(this, {}, QStringLiteral("#%1").arg(k + 1), Bianco, "MS Sans Serif", 8.25, true,
                              Qt::AlignHCenter, 180, 780 + passo, 420, 315);
        ModMain::ImpostaMembro(c, QStringLiteral("LAB_Cil"), k);
        LAB_Cil.push_back(c);
        PRG_Ben.push_back(Barra(this, QStringLiteral("PRG_Ben"), k, 600, 540 + passo));
        PRG_Gas.push_back(Barra(this, QStringLiteral("PRG_Gas"), k, 600, 900 + passo));
        QLabel* b = Etichetta(this, {}, QStringLiteral("0,00"), 0x00FF00, "MS Sans Serif", 8.25, true, Qt::AlignLeft,
                              2160, 600 + passo, 480, 315);
        ModMain::ImpostaMembro(b, QStringLiteral("LAB_Cil_Ben"), k);
        LAB_Cil_Ben.push_back(b);
        QLabel* g = Etichetta(this, {}, QStringLiteral("0,00"), 0xFFFF00, "MS Sans Serif", 8.25, true, Qt::AlignLeft,
                              2160, 900 + passo, 480, 315);
        ModMain::ImpostaMembro(g, QStringLiteral("LAB_Cil_Gas"), k);
        LAB_Cil_Gas.push_back(g);
    }

    PI_RPM = new PowerIndicatore(this);
    PI_RPM->setObjectName(QStringLiteral("PI_RPM"));
    Casa::Colloca(PI_RPM, 2760, 120, 5235, 2415);
    PI_TRID = new PowerIndicatore(this);
    PI_TRID->setObjectName(QStringLiteral("PI_TRID"));
    Casa::Colloca(PI_TRID, 8040, 120, 3855, 1155);
    PI_Press = new PowerIndicatore(this);
    PI_Press->setObjectName(QStringLiteral("PI_Press"));
    Casa::Colloca(PI_Press, 8040, 1380, 3855, 1155);

    LBL_OBDStatus = Etichetta(this, QStringLiteral("LBL_OBDStatus"), QStringLiteral("*Stato Sistema OBD"), Bianco,
                              "Arial", 11.25, true, Qt::AlignHCenter, 5400, 2640, 3495, 435);
    LBL_Main_B1 = Etichetta(this, QStringLiteral("LBL_Main_B1"), QStringLiteral("*Bancata #1"), Bianco, "Arial", 8.25,
                            false, Qt::AlignHCenter, 3150, 3120, 1935, 375);
    LBL_Main_B2 = Etichetta(this, QStringLiteral("LBL_Main_B2"), QStringLiteral("*Bancata #2"), Bianco, "Arial", 8.25,
                            false, Qt::AlignHCenter, 7710, 3120, 1935, 375);
    LBL_Fast_1 = Etichetta(this, QStringLiteral("LBL_Fast_1"), QStringLiteral("*Lento %"), Bianco, "Arial", 8.25, false,
                           Qt::AlignHCenter, 5490, 3120, 735, 375);
    LBL_Slow_1 = Etichetta(this, QStringLiteral("LBL_Slow_1"), QStringLiteral("*Veloce %"), Bianco, "Arial", 8.25, false,
                           Qt::AlignHCenter, 6390, 3120, 735, 375);
    LBL_Fast_2 = Etichetta(this, QStringLiteral("LBL_Fast_2"), QStringLiteral("*Lento %"), Bianco, "Arial", 8.25, false,
                           Qt::AlignHCenter, 10050, 3120, 735, 375);
    LBL_Slow_2 = Etichetta(this, QStringLiteral("LBL_Slow_2"), QStringLiteral("*Veloce %"), Bianco, "Arial", 8.25, false,
                           Qt::AlignHCenter, 10950, 3120, 735, 435);
    LBL_Main_B1_Val = Valore(this, "LBL_Main_B1_Val", 6.75, false, 2880, 3420, 2535, 495);
    LBL_Main_B2_Val = Valore(this, "LBL_Main_B2_Val", 6.75, false, 7440, 3420, 2535, 495);
    LBL_Fast_1_Val = Valore(this, "LBL_Fast_1_Val", 8.25, true, 5460, 3420, 855, 495);
    LBL_Slow_1_Val = Valore(this, "LBL_Slow_1_Val", 8.25, true, 6360, 3420, 855, 495);
    LBL_Fast_2_Val = Valore(this, "LBL_Fast_2_Val", 8.25, true, 10020, 3420, 855, 495);
    LBL_Slow_2_Val = Valore(this, "LBL_Slow_2_Val", 8.25, true, 10920, 3420, 855, 495);
    LBL_TitoloCorrezioni = Etichetta(this, QStringLiteral("LBL_TitoloCorrezioni"), QStringLiteral("*Correzioni Attive"),
                                     Bianco, "Arial", 11.25, true, Qt::AlignHCenter, 180, 4140, 7395, 435);

    const double alti[] = {4680, 5040, 5400, 5760, 6120, 6480};
    auto didascalia = [&](const char* nome, const char* testo, double l, double t) {
        return Etichetta(this, QString::fromLatin1(nome), QString::fromUtf8(testo), Bianco, "Arial", 8.25, false,
                         Qt::AlignLeft, l, t, 3015, 375);
    };
    SHP_TWater = Lampada(this, "SHP_TWater", 360, alti[0]);
    SHP_PGas = Lampada(this, "SHP_PGas", 360, alti[1]);
    SHP_TGas = Lampada(this, "SHP_TGas", 360, alti[2]);
    SHP_Extra = Lampada(this, "SHP_Extra", 360, alti[3]);
    SHP_SmagAcc = Lampada(this, "SHP_SmagAcc", 360, alti[4]);
    SHP_OBDAd = Lampada(this, "SHP_OBDAd", 360, alti[5]);
    LBL_CompensaAcqua = didascalia("LBL_CompensaAcqua", "*Compensazione temperatura acqua", 720, alti[0]);
    LBL_CompensaPress = didascalia("LBL_CompensaPress", "*Compensazione pressione gas", 720, alti[1]);
    LBL_CompensaGas = didascalia("LBL_CompensaGas", "*Compensazione temperatura gas", 720, alti[2]);
    LBL_FiltroExtra = didascalia("LBL_FiltroExtra", "*Filtro Extrainiettate", 720, alti[3]);
    LBL_CompAccDec = didascalia("LBL_CompAccDec", "*Smagrimento in accelerazione", 720, alti[4]);
    LBL_AdattitivoOBD = didascalia("LBL_AdattitivoOBD", "*Adattatività OBD", 720, alti[5]);
    SHP_MinBenz = Lampada(this, "SHP_MinBenz", 4080, alti[0]);
    SHP_MaxBenz = Lampada(this, "SHP_MaxBenz", 4080, alti[1]);
    SHP_Contributo = Lampada(this, "SHP_Contributo", 4080, alti[2]);
    SHP_CutOffContrib = Lampada(this, "SHP_CutOffContrib", 4080, alti[3]);
    SHP_AccMinimo = Lampada(this, "SHP_AccMinimo", 4080, alti[4]);
    LBL_MinimoBenz = didascalia("LBL_MinimoBenz", "*Rientro al minimo a benzina", 4440, alti[0]);
    LBL_MassimoBenz = didascalia("LBL_MassimoBenz", "*Passaggio a benzina in potenza", 4440, alti[1]);
    LBL_ContributoBenz = didascalia("LBL_ContributoBenz", "*Contributo benzina", 4440, alti[2]);
    LAB_CutOffContrib = didascalia("LAB_CutOffContrib", "* Contributo uscita cutoff", 4440, alti[3]);
    LAB_AccMinimo = didascalia("LAB_AccMinimo", "*Accelerazione al minimo", 4440, alti[4]);

    SLD_Lambda1 = new SlideIndicatore(this);
    SLD_Lambda1->setObjectName(QStringLiteral("SLD_Lambda1"));
    Casa::Colloca(SLD_Lambda1, 7680, 4080, 4275, 1455);
    SLD_Lambda2 = new SlideIndicatore(this);
    SLD_Lambda2->setObjectName(QStringLiteral("SLD_Lambda2"));
    Casa::Colloca(SLD_Lambda2, 7680, 5520, 4275, 1455);
}

void FRM_ZEBMain::Form_Load() {
    ModMain::CaricaListeLivelli(this, ListeLivelli_);
    CaricaLingua();
    FattoreFont = 1.0f;
    LarghezzaPrecedente = Casa::LarghezzaTwips(this);
    AltezzaPrecedente = Casa::AltezzaTwips(this);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    SHP_Contorno->ColoreBordo(BluScuro);
    for (QProgressBar* b : PRG_Ben) {
        ModZeb::ImpostaColoreBarra(b, 0x00FF00);
        ModZeb::ImpostaColoreSfondoBarra(b, Blu);
    }
    for (QProgressBar* b : PRG_Gas) {
        ModZeb::ImpostaColoreBarra(b, 0xFFFF00);
        ModZeb::ImpostaColoreSfondoBarra(b, Blu);
    }
    ImpostaIndicatori();
    caricata_ = true;
}

void FRM_ZEBMain::Form_Unload() { caricata_ = false; }

void FRM_ZEBMain::ImpostaIndicatori() {
    for (SlideIndicatore* s : {SLD_Lambda1, SLD_Lambda2}) {
        s->SL_ShpRound(false);
        s->SL_BACK_Color(BluScuro);
        s->SL_BARRA_Color(Blu);
        s->SL_BORDER_Color(BluScuro);
        s->SL_OTHERFont_Bold(false);
        s->SL_OTHERFont_Colore(Bianco);
        s->SL_OTHERFont_Nome(QStringLiteral("Tahoma"));
        s->SL_TITLEFont_Bold(true);
        s->SL_TITLEFont_Colore(Bianco);
        s->SL_TITLEFont_Nome(QStringLiteral("Tahoma"));
        s->SL_STRLef("0");
        s->SL_STRRig("5");
        s->SL_STRTit(s == SLD_Lambda1 ? "*Sensore Lambda #1" : "*Sensore Lambda #2");
        s->SL_STRVal(" --- ");
        s->SL_LambTy(false);
        s->SL_ShpBkVis(false);
        s->SL_ValMax(5);
        s->SL_ValMin(0);
        s->SL_ValOre(2.5f);
    }
    const int16_t charset = ModMain::CharsetCorrente();
    SLD_Lambda1->SI_AggiornaCharset(charset, QStringLiteral("Tahoma"));
    SLD_Lambda2->SI_AggiornaCharset(charset, QStringLiteral("Tahoma"));

    struct Gauge {
        PowerIndicatore* p;
        const char* titolo;
        const char* valore;
        double massimo, ore;
    };
    for (const Gauge& g : {Gauge{PI_RPM, "*RPM", "3500", 6000, 3500}, Gauge{PI_TRID, "*TEMP.Acqua ", "", 120, 0},
                           Gauge{PI_Press, "*Gas Press.", "0", 4200, 0}}) {
        PowerIndicatore* p = g.p;
        p->SL_BORDER_Color(BluScuro);
        p->SL_BACK_Color(Blu);
        p->SL_COLORE_1_H(0x00FF00);
        p->SL_COLORE_2_H(0x00FFFF);
        p->SL_COLORE_3_H(0x0000FF);
        p->SL_COLORE_1_L(0x007700);
        p->SL_COLORE_2_L(0x007777);
        p->SL_COLORE_3_L(0x000077);
        p->SL_COLORE_1_X(10);
        p->SL_COLORE_2_X(15);
        p->SL_STRTit(g.titolo);
        p->SL_STRVal(g.valore);
        p->SL_ValMin(0);
        p->SL_ValMax(g.massimo);
        p->SL_ValOre(static_cast<float>(g.ore));
        p->SL_OTHERFont_Bold(false);
        p->SL_OTHERFont_Colore(Bianco);
        p->SL_OTHERFont_Nome(QStringLiteral("WW Digital"));
        p->SL_TITLEFont_Bold(true);
        p->SL_TITLEFont_Colore(Bianco);
        p->SL_TITLEFont_Nome(QStringLiteral("Tahoma"));
    }
    PI_Press->PI_AggiornaCharset(charset, QStringLiteral("Tahoma"));
    PI_RPM->PI_AggiornaCharset(charset, QStringLiteral("Tahoma"));
    PI_TRID->PI_AggiornaCharset(charset, QStringLiteral("Tahoma"));
}

void FRM_ZEBMain::Form_Resize() {
    Casa::RidimensionaForma(this, LarghezzaPrecedente, AltezzaPrecedente, FattoreFont);
}

void FRM_ZEBMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBMain::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FRM_ZEBMain::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, ListeLivelli_); }

void FRM_ZEBMain::CaricaLingua() {
    const ClsLingue* d = ModMain::Dizionario;
    // A marker that is missing leaves its texts empty rather than reading
    // whatever entries happen to sit at the fallback position.
    const auto mapObd = Casa::CercaSezione(d, 0, "[Frm_MapObd]");
    InizioSezioneMapObd = mapObd ? *mapObd + 1 : -1;
    const auto generale = Casa::CercaSezione(d, 0, "[Frm_Generale]");
    InizioSezioneGenerale = generale ? *generale + 1 : -1;
    auto g = [&](int32_t n) { return Casa::VoceSezione(d, generale, n); };
    auto testo = [](QLabel* l, const std::string& t) { l->setText(ModMain::TestoLingua(t)); };

    testo(LBL_TitoloCorrezioni, g(31));
    testo(LBL_OBDStatus, g(32));
    SLD_Lambda1->SL_STRTit(g(33) + " #1");
    SLD_Lambda2->SL_STRTit(g(33) + " #2");
    PI_RPM->SL_STRTit(g(38));
    PI_TRID->SL_STRTit(g(34));
    PI_Press->SL_STRTit(g(36));
    testo(LBL_AdattitivoOBD, g(40));
    testo(LAB_Cil_Title, g(41));

    const auto compensa = Casa::CercaSezione(d, 0, "[FrmCompensaTbl]");
    testo(LBL_CompensaGas, Casa::VoceSezione(d, compensa, 1));
    testo(LBL_CompensaAcqua, Casa::VoceSezione(d, compensa, 2));
    testo(LBL_CompensaPress, Casa::VoceSezione(d, compensa, 3));
    testo(LBL_CompAccDec, Casa::VoceSezione(d, compensa, 4));

    const auto param = Casa::CercaSezione(d, 0, "[Frm_Param]");
    const std::string benzina = " (" + Casa::VoceSezione(d, param, 4) + ")";
    testo(LBL_MassimoBenz, Casa::VoceSezione(d, param, 1) + benzina);
    testo(LBL_MinimoBenz, Casa::VoceSezione(d, param, 2) + benzina);
    testo(LBL_ContributoBenz, Casa::VoceSezione(d, param, 5));

    const auto injDir = Casa::CercaSezione(d, 0, "[Start_InjDir]");
    testo(LAB_CutOffContrib, Casa::VoceSezione(d, injDir, 6));
    testo(LAB_AccMinimo, Casa::VoceSezione(d, injDir, 12));
    testo(LBL_FiltroExtra, Casa::VoceSezione(d, Casa::CercaSezione(d, 0, "[Frm_Matrix]"), 10));

    const auto cruscotto = Casa::CercaSezione(d, 0, "[Start_ZEB_DASHBOARD]");
    testo(LBL_Main_B1, Casa::VoceSezione(d, cruscotto, 14));
    testo(LBL_Main_B2, Casa::VoceSezione(d, cruscotto, 15));
    testo(LBL_Fast_1, Casa::VoceSezione(d, cruscotto, 16));
    testo(LBL_Fast_2, Casa::VoceSezione(d, cruscotto, 16));
    testo(LBL_Slow_1, Casa::VoceSezione(d, cruscotto, 17));
    testo(LBL_Slow_2, Casa::VoceSezione(d, cruscotto, 17));

    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FRM_ZEBMain::VisualizzazioneBarreTempoInj() {
    int32_t n = 0;
    try {
        n = V(3, 1);
    } catch (const std::exception&) {
        return; // no cylinder count: no row is updated
    }
    auto riga = [](QLabel* l, QProgressBar* b, int32_t t) {
        ImpostaTesto(l, Casa::TestoTempoIniezione(t));
        if (const auto pos = Casa::BarraTempoIniezione(t, b->maximum())) {
            if (b->value() != *pos) b->setValue(*pos);
        }
    };
    // Each row on its own: a value the block lacks skips that statement only.
    for (int32_t k = 0; k < n && k < 4; ++k) {
        const auto i = static_cast<size_t>(k);
        try {
            const int32_t gas = V(2, 1) != 0 ? V(1, static_cast<size_t>(7 - k)) : 0;
            riga(LAB_Cil_Gas[i], PRG_Gas[i], gas);
        } catch (const std::exception&) {
        }
        try {
            riga(LAB_Cil_Ben[i], PRG_Ben[i], V(1, static_cast<size_t>(15 - k)));
        } catch (const std::exception&) {
        }
    }
}

void FRM_ZEBMain::AggiornaStatoEcu() {
    PI_RPM->SL_ValOre(static_cast<float>(V(1, 32)));
    PI_RPM->SL_STRVal(Casa::TestoGiri(V(1, 32)));
    PI_TRID->SL_ValOre(static_cast<float>(V(1, 42)));
    PI_TRID->SL_STRVal(Casa::TestoTemperaturaRiduttore(V(1, 42)));
    PI_Press->SL_ValOre(static_cast<float>(V(1, 33)));
    PI_Press->SL_STRVal(Casa::TestoPressioneGas(V(1, 33)));

    const auto& live = ModMain::BloccoAppoggio.Valori;
    auto lambda = [&](SlideIndicatore* s, bool inUso, size_t k) {
        if (!inUso) {
            if (!s->isHidden()) s->setVisible(false);
            return;
        }
        if (s->isHidden()) s->setVisible(true);
        const int32_t mv = live.at(k);
        s->SL_STRVal(Casa::TestoLambda(mv));
        const int32_t idx = ModBlck::CercaIndiceLambda(static_cast<int16_t>(V(3, 38)));
        s->SL_ValOre(Casa::PosizioneLambda(mv, idx == Casa::IndiceSondaSpecchiata, s->SL_ValMax()));
    };
    lambda(SLD_Lambda1, V(11, 69) != 0, 35);
    lambda(SLD_Lambda2, (V(11, 70) & 0xF) != 0, 36);
}

void FRM_ZEBMain::AggiornaScalaSonda() {
    int32_t idx = -1, a = 0, b = 0;
    try {
        idx = ModBlck::CercaIndiceLambda(static_cast<int16_t>(V(3, 38)));
        if (idx >= 0 && static_cast<size_t>(idx) < ModBlck::SondeLambda.size()) {
            a = ModBlck::SondeLambda[static_cast<size_t>(idx)].Valore1;
            b = ModBlck::SondeLambda[static_cast<size_t>(idx)].Valore2;
        }
    } catch (const std::exception&) {
    }
    const Casa::ScalaSonda s = Casa::CalcolaScalaSonda(idx, a, b);
    for (SlideIndicatore* l : {SLD_Lambda1, SLD_Lambda2}) {
        l->SL_STRLef(s.Sinistra);
        l->SL_STRRig(s.Destra);
    }
    for (SlideIndicatore* l : {SLD_Lambda1, SLD_Lambda2}) {
        l->SL_ValMax(s.Massimo);
        l->SL_ValMin(s.Minimo);
        l->SL_ValOre(static_cast<float>(s.Centro));
    }
}

void FRM_ZEBMain::AggiornaParametriObd() {
    QLabel* const valori[] = {LBL_Main_B1_Val, LBL_Main_B2_Val, LBL_Fast_1_Val,
                              LBL_Slow_1_Val,  LBL_Fast_2_Val,  LBL_Slow_2_Val};
    if ((V(2, 2) & 4) == 0 || V(12, 0) < 1) {
        for (QLabel* l : valori) ImpostaTesto(l, Casa::NessunDato);
        return;
    }
    auto stato = [&](QLabel* l, size_t parola) {
        if (V(12, 18) < 0) {
            ImpostaTesto(l, Casa::NessunDato);
            l->setToolTip({});
            return;
        }
        const int32_t e = Casa::VoceStatoObd(V(12, parola));
        const std::optional<int32_t> base =
            InizioSezioneMapObd >= 0 ? std::optional<int32_t>(InizioSezioneMapObd - 1) : std::nullopt;
        ImpostaTesto(l, Casa::VoceSezione(ModMain::Dizionario, base, e));
        l->setToolTip(l->text());
    };
    stato(LBL_Main_B1_Val, 26);
    stato(LBL_Main_B2_Val, 27);
    auto trim = [&](QLabel* l, size_t abilita, int32_t grezzo) {
        if (V(12, abilita) > 0) {
            ImpostaTesto(l, Casa::TestoTrim(grezzo));
        } else {
            ImpostaTesto(l, Casa::NessunDato);
            l->setToolTip({});
        }
    };
    trim(LBL_Fast_1_Val, 19, V(12, 30) & 0xFF);
    trim(LBL_Slow_1_Val, 20, V(12, 34));
    trim(LBL_Fast_2_Val, 21, V(12, 38));
    trim(LBL_Slow_2_Val, 22, V(12, 42));
}

void FRM_ZEBMain::AggiornaCorrezioniVarie() {
    Casa::IngressiCorrezioni x;
    x.FlagBlocco8 = FlagCurva(8);
    x.FlagBlocco7 = FlagCurva(7);
    x.FlagBlocco9 = FlagCurva(9);
    x.FlagBlocco13 = FlagCurva(13);
    x.Blocco1Valore44 = V(1, 44);
    x.Blocco3Valore47 = V(3, 47);
    x.Soglie15 = ModMain::MatSoglie[15];
    x.Blocco1Valore37 = V(1, 37);
    x.Blocco2Valore2 = V(2, 2);
    x.Blocco12Valore0 = V(12, 0);
    x.Blocco16Valore1 = V(16, 1);
    const Casa::ColoriCorrezioni c = Casa::CalcolaCorrezioni(x);
    ImpostaColore(SHP_TGas, c.TGas);
    ImpostaColore(SHP_TWater, c.TWater);
    ImpostaColore(SHP_PGas, c.PGas);
    ImpostaColore(SHP_SmagAcc, c.SmagAcc);
    ImpostaColore(SHP_Extra, c.Extra);
    ImpostaColore(SHP_MinBenz, c.MinBenz);
    ImpostaColore(SHP_MaxBenz, c.MaxBenz);
    ImpostaColore(SHP_Contributo, c.Contributo);
    ImpostaColore(SHP_OBDAd, c.OBDAd);
    ImpostaColore(SHP_CutOffContrib, c.CutOffContrib);
    ImpostaColore(SHP_AccMinimo, c.AccMinimo);
}
