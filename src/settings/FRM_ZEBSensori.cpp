#include "settings/FRM_ZEBSensori.h"

#include "maps/ModMainMappe.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include "controls/PulsanteGrafico.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "maps/ModMainMappe.h"
#include "link/ModBlckModifiche.h"
#include "settings/SensoriRegole.h"

using namespace ModZebPagina;
namespace S = SensoriRegole;

namespace {

constexpr double SensoriLarghezza = 15000, SensoriAltezza = 6375;
constexpr double SensoriPunti = 8.25;
constexpr int32_t SensoriTesto = 0xFFFFFF;
constexpr int32_t SensoriTitolo = 0xFFFF80;

void SensoriPosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x * 15, y * 15, l * 15, a * 15); }

std::optional<int32_t> SensoriValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return std::nullopt;
    return TabellaBlocchi[blocco].Valori[k];
}

QComboBox* SensoriCombo(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setMaxVisibleItems(16);
    ImpostaFont(c, SensoriPunti);
    // A locked list must stay readable: dark grey text on the light face
    // instead of the style's pale grey.
    QPalette p = c->palette();
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x50, 0x50, 0x50));
    c->setPalette(p);
    return c;
}

QLabel* SensoriEtichetta(QWidget* padre, const char* nome, int32_t colore = SensoriTesto, bool grassetto = false) {
    return NuovaEtichetta(padre, QString::fromLatin1(nome), colore, SensoriPunti, grassetto);
}

PulsanteGrafico* SensoriPulsante(QWidget* padre, const QString& nome, int modo) {
    return NuovoPulsante(padre, nome, {.modo = modo, .punti = SensoriPunti});
}

QGroupBox* SensoriPannello(QWidget* padre, const char* nome) {
    auto* g = new QGroupBox(padre);
    g->setObjectName(QString::fromLatin1(nome));
    QPalette p = g->palette();
    p.setColor(QPalette::WindowText, Colore(SensoriTitolo));
    g->setPalette(p);
    ImpostaFont(g, SensoriPunti, true);
    return g;
}

std::vector<std::optional<double>> SensoriNumeri(const QComboBox* c) {
    std::vector<std::optional<double>> r;
    for (int i = 0; i < c->count(); ++i) r.push_back(NumeroVoce(c->itemText(i)));
    return r;
}

char SensoriSeparatore() {
    return ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
}

void SensoriColoreSfondo(QLabel* l, int32_t bgr) {
    const QColor c = Colore(bgr);
    if (l->autoFillBackground() && l->palette().color(QPalette::Window) == c) return;
    QPalette p = l->palette();
    p.setColor(QPalette::Window, c);
    l->setPalette(p);
    l->setAutoFillBackground(true);
}

} // namespace

FRM_ZEBSensori::FRM_ZEBSensori(QWidget* contenitore)
    : QWidget(contenitore), proporzioni_(SensoriLarghezza, SensoriAltezza) {
    setObjectName(QStringLiteral("FRM_ZEBSensori"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    resize(static_cast<int>(SensoriLarghezza / 15), static_cast<int>(SensoriAltezza / 15));
    CostruisciControlli();
}

void FRM_ZEBSensori::CostruisciControlli() {
    SHP_Contorno = new FormaPagina(this, QStringLiteral("SHP_Contorno"), 1, false);
    SensoriPosto(SHP_Contorno, 0, 0, 1000, 425);
    for (int i = 0; i < 2; ++i) {
        SHP[static_cast<size_t>(i)] = new FormaPagina(this, {}, 1, false);
        ModMain::ImpostaMembro(SHP[static_cast<size_t>(i)], QStringLiteral("SHP"), i);
        SHP[static_cast<size_t>(i)]->ColoreBordo(0x806040);
    }
    SensoriPosto(SHP[0], 346, 8, 646, 410);
    SensoriPosto(SHP[1], 8, 8, 330, 410);

    // Left column: caption above each list, section button beside it.
    LblTipoLev = new QLineEdit(this);
    LblTipoLev->setObjectName(QStringLiteral("LblTipoLev"));
    LblTipoLev->setReadOnly(true);
    LblTipoLev->setFrame(false);
    {
        QPalette t = LblTipoLev->palette();
        t.setColor(QPalette::Base, Qt::black);
        t.setColor(QPalette::Text, Qt::white);
        LblTipoLev->setPalette(t);
    }
    ImpostaFont(LblTipoLev, SensoriPunti);
    LBLTipoSensTempLOW = SensoriEtichetta(this, "LBLTipoSensTempLOW");
    LBLTipoSensTemp = SensoriEtichetta(this, "LBLTipoSensTemp");
    LblTipoSensMap = SensoriEtichetta(this, "LblTipoSensMap");
    LblTurbo = SensoriEtichetta(this, "LblTurbo");
    CmbTipoLev = SensoriCombo(this, "CmbTipoLev");
    CmbTipoSensTempLOW = SensoriCombo(this, "CmbTipoSensTempLOW");
    CmbTipoSensTemp = SensoriCombo(this, "CmbTipoSensTemp");
    CmbTipoSensMap = SensoriCombo(this, "CmbTipoSensMap");
    CmbTurbo = SensoriCombo(this, "CmbTurbo");
    QWidget* didascalie[5] = {LblTipoLev, LBLTipoSensTempLOW, LBLTipoSensTemp, LblTipoSensMap, LblTurbo};
    QComboBox* liste[5] = {CmbTipoLev, CmbTipoSensTempLOW, CmbTipoSensTemp, CmbTipoSensMap, CmbTurbo};
    const int riga[5] = {0, 1, 1, 2, 3};
    for (int i = 0; i < 5; ++i) {
        SensoriPosto(didascalie[i], 18, 18 + riga[i] * 100, 300, 22);
        SensoriPosto(liste[i], 18, 44 + riga[i] * 100, 240, 22);
    }
    for (int i = 0; i < 3; ++i) {
        auto* b = SensoriPulsante(this, {}, 1);
        ModMain::ImpostaMembro(b, QStringLiteral("CMD_SENSORI"), i);
        b->Caption(QStringLiteral(">>>"));
        SensoriPosto(b, 268, 42 + i * 100, 58, 26);
        CMD_SENSORI[static_cast<size_t>(i)] = b;
        connect(b, &PulsanteGrafico::Click, this, [this, i] { CMD_SENSORI_Click(i); });
    }

    // Detail panels, one place.
    LblTitolo = SensoriEtichetta(this, "LblTitolo", SensoriTitolo, true);
    SensoriPosto(LblTitolo, 358, 14, 620, 24);
    FrmLevel = SensoriPannello(this, "FrmLevel");
    FrmTemp = SensoriPannello(this, "FrmTemp");
    FrmPress = SensoriPannello(this, "FrmPress");
    for (QGroupBox* g : {FrmLevel, FrmTemp, FrmPress}) SensoriPosto(g, 356, 44, 626, 368);

    const char* bande[4] = {"3/4 - 4/4", "2/4 - 3/4", "1/4 - 2/4", "R - 1/4"};
    for (int k = 0; k < 4; ++k) {
        const auto i = static_cast<size_t>(k);
        LblLevel[i] = SensoriEtichetta(FrmLevel, "");
        ModMain::ImpostaMembro(LblLevel[i], QStringLiteral("LblLevel"), k);
        LblLevel[i]->setText(QString::fromLatin1(bande[k]));
        SensoriPosto(LblLevel[i], 12, 34 + k * 40, 86, 24);
        HScrLevel[i] = new QScrollBar(Qt::Horizontal, FrmLevel);
        ModMain::ImpostaMembro(HScrLevel[i], QStringLiteral("HScrLevel"), k);
        HScrLevel[i]->setRange(0, 1023);
        HScrLevel[i]->setSingleStep(1);
        HScrLevel[i]->setPageStep(20);
        HScrLevel[i]->setTracking(false); // one change when the thumb is let go
        Colloca(HScrLevel[i], 102 * 15, (36 + k * 40) * 15, 330 * 15, 20 * 15);
        LblLevelVal[i] = SensoriEtichetta(FrmLevel, "", 0);
        ModMain::ImpostaMembro(LblLevelVal[i], QStringLiteral("LblLevelVal"), k);
        LblLevelVal[i]->setAlignment(Qt::AlignCenter);
        SensoriColoreSfondo(LblLevelVal[i], LampadaSpenta);
        SensoriPosto(LblLevelVal[i], 442, 34 + k * 40, 120, 24);
        connect(HScrLevel[i], &QScrollBar::valueChanged, this, [this, k](int) { HScrLevel_Change(k); });
    }
    ShpRiserva = new FormaPagina(FrmLevel, QStringLiteral("ShpRiserva"), 1, true);
    ShpRiserva->ColoreBordo(0x000080);
    ShpRiserva->ColoreRiempimento(RiservaSpenta);
    SensoriPosto(ShpRiserva, 574, 154, 34, 24);
    LblValFisLevelNoFil = SensoriEtichetta(FrmLevel, "LblValFisLevelNoFil");
    LblSensValNoFiltrato = SensoriEtichetta(FrmLevel, "LblSensValNoFiltrato", SensoriTitolo, true);
    LblValFisLevel = SensoriEtichetta(FrmLevel, "LblValFisLevel");
    LblSensValFiltrato = SensoriEtichetta(FrmLevel, "LblSensValFiltrato", SensoriTitolo, true);
    SensoriPosto(LblValFisLevelNoFil, 12, 206, 200, 22);
    SensoriPosto(LblSensValNoFiltrato, 216, 206, 120, 22);
    SensoriPosto(LblValFisLevel, 12, 234, 200, 22);
    SensoriPosto(LblSensValFiltrato, 216, 234, 120, 22);
    CmdMassimo = SensoriPulsante(FrmLevel, QStringLiteral("CmdMassimo"), 0);
    CmdMinimo = SensoriPulsante(FrmLevel, QStringLiteral("CmdMinimo"), 0);
    CmdLevDef = SensoriPulsante(FrmLevel, QStringLiteral("CmdLevDef"), 0);
    SensoriPosto(CmdMassimo, 12, 290, 190, 36);
    SensoriPosto(CmdMinimo, 214, 290, 190, 36);
    SensoriPosto(CmdLevDef, 416, 290, 190, 36);

    LblMinTempGas = SensoriEtichetta(FrmTemp, "LblMinTempGas");
    LblDeltaMinTempGas = SensoriEtichetta(FrmTemp, "LblDeltaMinTempGas");
    CmbMinTempGas = SensoriCombo(FrmTemp, "CmbMinTempGas");
    CmbDeltaMinTempGas = SensoriCombo(FrmTemp, "CmbDeltaMinTempGas");
    LblFineGas = SensoriEtichetta(FrmPress, "LblFineGas");
    LblSwtchBar = SensoriEtichetta(FrmPress, "LblSwtchBar");
    LblSwtchDelayPress = SensoriEtichetta(FrmPress, "LblSwtchDelayPress");
    CmbFineGas = SensoriCombo(FrmPress, "CmbFineGas");
    CmbSwtchBar = SensoriCombo(FrmPress, "CmbSwtchBar");
    CmbSwtchDelayPress = SensoriCombo(FrmPress, "CmbSwtchDelayPress");
    {
        QLabel* lt[2] = {LblMinTempGas, LblDeltaMinTempGas};
        QComboBox* ct[2] = {CmbMinTempGas, CmbDeltaMinTempGas};
        for (int r = 0; r < 2; ++r) {
            SensoriPosto(lt[r], 12, 34 + r * 40, 340, 24);
            SensoriPosto(ct[r], 360, 35 + r * 40, 160, 22);
        }
        QLabel* lp[3] = {LblFineGas, LblSwtchBar, LblSwtchDelayPress};
        QComboBox* cp[3] = {CmbFineGas, CmbSwtchBar, CmbSwtchDelayPress};
        for (int r = 0; r < 3; ++r) {
            SensoriPosto(lp[r], 12, 34 + r * 40, 340, 24);
            SensoriPosto(cp[r], 360, 35 + r * 40, 160, 22);
        }
    }
    for (QWidget* w : {static_cast<QWidget*>(FrmLevel), static_cast<QWidget*>(FrmTemp),
                       static_cast<QWidget*>(FrmPress), static_cast<QWidget*>(LblTitolo),
                       static_cast<QWidget*>(SHP[0])})
        w->hide();
    SHP_Contorno->lower();
    for (auto* s : SHP) s->lower();

    // The full temperature list at display level 2; the reduced one otherwise.
    ModMain::ImpostaTag(CmbTipoSensTemp, QStringLiteral("SUP"));
    ModMain::ImpostaTag(LBLTipoSensTemp, QStringLiteral("SUP"));

    auto combo = [this](QComboBox* c, void (FRM_ZEBSensori::*gestore)()) {
        connect(c, &QComboBox::activated, this, [this, gestore](int) { (this->*gestore)(); });
    };
    combo(CmbTurbo, &FRM_ZEBSensori::CmbTurbo_Click);
    combo(CmbFineGas, &FRM_ZEBSensori::CmbFineGas_Click);
    combo(CmbSwtchBar, &FRM_ZEBSensori::CmbSwtchBar_Click);
    combo(CmbSwtchDelayPress, &FRM_ZEBSensori::CmbSwtchDelayPress_Click);
    combo(CmbTipoSensTemp, &FRM_ZEBSensori::CmbTipoSensTemp_Click);
    combo(CmbTipoSensTempLOW, &FRM_ZEBSensori::CmbTipoSensTempLOW_Click);
    combo(CmbTipoSensMap, &FRM_ZEBSensori::CmbTipoSensMap_Click);
    combo(CmbMinTempGas, &FRM_ZEBSensori::CmbMinTempGas_Click);
    combo(CmbDeltaMinTempGas, &FRM_ZEBSensori::CmbDeltaMinTempGas_Click);
    combo(CmbTipoLev, &FRM_ZEBSensori::CmbTipoLev_Click);
    connect(CmdMassimo, &PulsanteGrafico::Click, this, &FRM_ZEBSensori::CmdMassimo_Click);
    connect(CmdMinimo, &PulsanteGrafico::Click, this, &FRM_ZEBSensori::CmdMinimo_Click);
    connect(CmdLevDef, &PulsanteGrafico::Click, this, &FRM_ZEBSensori::CmdLevDef_Click);
}

// ---- Frame

void FRM_ZEBSensori::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    FattoreScala = 1.0f;
    SHP_Contorno->ColoreBordo(0x400000);
    CaricaLingua();
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    for (auto* b : CMD_SENSORI) b->Value(false);
    caricata_ = true;
    Form_Resize();
}

void FRM_ZEBSensori::Form_Unload() { caricata_ = false; }

void FRM_ZEBSensori::Form_Resize() {
    if (proporzioni_.Applica(this)) FattoreScala = proporzioni_.FattoreScala();
}

void FRM_ZEBSensori::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBSensori::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FRM_ZEBSensori::AggiornaLivelliVisualizzazione() {
    ModMain::AggiornaLivelliForma(this, liste_);
    // The two temperature lists share one place: the reduced one only when the full one is hidden.
    CmbTipoSensTempLOW->setVisible(CmbTipoSensTemp->isHidden());
    LBLTipoSensTempLOW->setVisible(LBLTipoSensTemp->isHidden());
}

void FRM_ZEBSensori::CaricaLingua() {
    const auto livello = CercaMarcatore("[FrmLevel]");
    const auto config = CercaMarcatore("[Frm_Config]");
    FrmLevel->setTitle(VoceSchermo(livello, 2));
    LblValFisLevelNoFil->setText(VoceSchermo(livello, 3));
    LblValFisLevel->setText(VoceSchermo(livello, 4));
    CmdLevDef->Caption(VoceSchermo(livello, 5));
    TestoTastoMassimo = Voce(livello, 6);
    TestoTastoMinimo = Voce(livello, 7);
    LblTurbo->setText(VoceSchermo(config, 23));
    LblFineGas->setText(VoceSchermo(config, 25));
    LblSwtchBar->setText(VoceSchermo(config, 26));
    LblSwtchDelayPress->setText(VoceSchermo(config, 27));
    LblTipoSensMap->setText(VoceSchermo(config, 32));
    LBLTipoSensTemp->setText(VoceSchermo(config, 33));
    LblTipoLev->setText(VoceSchermo(config, 35));
    LblMinTempGas->setText(VoceSchermo(config, 52));
    LblDeltaMinTempGas->setText(VoceSchermo(config, 53));
    TitoloLivello = Voce(config, 54);
    TitoloTemperatura = Voce(config, 55);
    TitoloPressione = Voce(config, 56);
    LBLTipoSensTempLOW->setText(VoceSchermo(config, 57));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

// ---- Lists and loading

void FRM_ZEBSensori::RiempiCmbSwtch(const std::vector<std::string>& righe) {
    auto errore = [] { ModGlobFunct::MostraErrore("Error 002", "Config error", false); };
    const int16_t charset = ModMain::CharsetCorrente();
    for (size_t d = 0; d < righe.size(); ++d) {
        const std::string& r = righe[d];
        QComboBox* c = nullptr;
        int32_t divisore = 0;
        if (r == "[Pressione di fine gas bar]") c = CmbSwtchBar, divisore = 1000;
        else if (r == "[Tempo di fine gas ms]") c = CmbSwtchDelayPress, divisore = 1000;
        else if (r == "[Tipo sensore pressione]") c = CmbTipoSensMap;
        else if (r == "[CmbMinTempGas]") c = CmbMinTempGas;
        else if (r == "[CmbDeltaMinTempGas]") c = CmbDeltaMinTempGas;
        if (!c) continue;
        const auto lista = RigaDopo(righe, d, 1);
        if (!lista) {
            errore();
            continue;
        }
        ModGlobFunct::RiempiComboDaLista(*lista, c, divisore, charset);
        if (c == CmbMinTempGas) CmbMinTempGas->insertItem(0, ModMain::TestoLingua(ModMain::TestoVoce(19)));
    }
    const std::string onOff = ModMain::TestoVoce(19) + "|" + ModMain::TestoVoce(18);
    RiempiCombo(CmbTurbo, onOff);
    RiempiCombo(CmbFineGas, onOff);
    // Level types: item k is definition k.
    if (!ModMain::RiempiComboTipoLivello(CmbTipoLev)) errore();
    CmbTipoSensTemp->clear();
    for (const auto& d : ModBlck::SensoriTemperatura) CmbTipoSensTemp->addItem(ModMain::TestoLingua(d.Nome));
    CmbTipoSensTempLOW->clear();
    CmbTipoSensTempLOW->addItem(QStringLiteral("10K"));
    CmbTipoSensTempLOW->addItem(QStringLiteral("4K7"));
}

int32_t FRM_ZEBSensori::TipoLivello() const {
    const auto codice = SensoriValore(3, 25);
    if (!codice) return -1;
    const int32_t k = ModBlck::CercaIndiceSensore(static_cast<int16_t>(*codice));
    return k >= 0 && static_cast<size_t>(k) < ModBlck::SensoriLivello.size() ? k : -1;
}

void FRM_ZEBSensori::AggiornaSelezioni() {
    GuardiaCaricamento guardia(AggiornamentoInCorso);
    if (const int32_t k = TipoLivello(); k >= 0 && k < CmbTipoLev->count()) CmbTipoLev->setCurrentIndex(k);
    const auto v33 = SensoriValore(3, 33);
    if (v33) {
        CmbTurbo->setCurrentIndex((*v33 & 0x40) ? 1 : 0);
        CmbFineGas->setCurrentIndex((*v33 & 0x80) ? 1 : 0);
        // The rpm unit follows what the ECU holds, also after a turbo write that failed.
        ModMain::UnitaRpm = (*v33 & 0x40) ? 128 : 64;
    }
    if (const auto v = SensoriValore(3, 39)) CmbSwtchBar->setCurrentIndex(S::IndiceSwtchBar(SensoriNumeri(CmbSwtchBar), *v));
    if (const auto v = SensoriValore(3, 40))
        CmbSwtchDelayPress->setCurrentIndex(S::IndiceSwtchDelay(SensoriNumeri(CmbSwtchDelayPress), *v));
    if (const auto v = SensoriValore(3, 45)) {
        std::vector<int32_t> numeri, codici;
        for (const auto& d : ModBlck::SensoriTemperatura) {
            numeri.push_back(d.Id);
            codici.push_back(d.Valore);
        }
        const int i = S::IndiceTempSens(numeri, codici, *v);
        CmbTipoSensTemp->setCurrentIndex(i < CmbTipoSensTemp->count() ? i : -1);
        if (const auto r = S::IndiceTempSensRidotto(CmbTipoSensTemp->currentIndex())) CmbTipoSensTempLOW->setCurrentIndex(*r);
    }
    if (const auto v = SensoriValore(3, 46)) CmbTipoSensMap->setCurrentIndex(*v >= 0 && *v < CmbTipoSensMap->count() ? *v : -1);
    const auto v5 = SensoriValore(15, 5), v3 = SensoriValore(15, 3);
    if (v5 && v3) CmbMinTempGas->setCurrentIndex(S::IndiceMinTemp(SensoriNumeri(CmbMinTempGas), *v5, *v3));
    if (const auto v = SensoriValore(15, 4)) CmbDeltaMinTempGas->setCurrentIndex(S::IndiceUguale(SensoriNumeri(CmbDeltaMinTempGas), *v));
    LblTipoLev->setFocus();
}

// ---- Edits

bool FRM_ZEBSensori::Guardie() const { return !AggiornamentoInCorso && SlotLibero(); }

void FRM_ZEBSensori::PostaBlocco3(ListaModifiche lista) {
    ModBlck::ModificheBlocco3 = std::move(lista);
    Posta(REQ_WRITE_BLK3);
}

void FRM_ZEBSensori::CmbTurbo_Click() {
    if (!Guardie() || CmbTurbo->currentIndex() < 0) return;
    PostaBlocco3({{CmbTurbo->currentIndex() != 0 ? 1 : 0, 33, 0x40}});
}

void FRM_ZEBSensori::CmbFineGas_Click() {
    if (!Guardie() || CmbFineGas->currentIndex() < 0) return;
    PostaBlocco3({{CmbFineGas->currentIndex() != 0 ? 1 : 0, 33, 0x80}});
}

void FRM_ZEBSensori::CmbSwtchBar_Click() {
    if (!Guardie() || CmbSwtchBar->currentIndex() < 0) return;
    if (const auto v = S::Millesimi(NumeroVoce(CmbSwtchBar->currentText()))) PostaBlocco3({{*v, 39, 0}});
}

void FRM_ZEBSensori::CmbSwtchDelayPress_Click() {
    if (!Guardie() || CmbSwtchDelayPress->currentIndex() < 0) return;
    if (const auto v = S::Millesimi(NumeroVoce(CmbSwtchDelayPress->currentText()))) PostaBlocco3({{*v, 40, 0}});
}

void FRM_ZEBSensori::CmbTipoSensTemp_Click() {
    const int i = CmbTipoSensTemp->currentIndex();
    if (!Guardie() || i < 0 || static_cast<size_t>(i) >= ModBlck::SensoriTemperatura.size()) return;
    PostaBlocco3({{ModBlck::SensoriTemperatura[static_cast<size_t>(i)].Valore, 45, 0}});
}

void FRM_ZEBSensori::CmbTipoSensTempLOW_Click() {
    const int i = CmbTipoSensTempLOW->currentIndex();
    if (!Guardie() || i < 0 || static_cast<size_t>(i) >= ModBlck::SensoriTemperatura.size()) return;
    PostaBlocco3({{ModBlck::SensoriTemperatura[static_cast<size_t>(i)].Valore, 45, 0}});
}

void FRM_ZEBSensori::CmbTipoSensMap_Click() {
    if (!Guardie() || CmbTipoSensMap->currentIndex() < 0) return;
    PostaBlocco3({{CmbTipoSensMap->currentIndex(), 46, 0}});
}

void FRM_ZEBSensori::CmbMinTempGas_Click() {
    if (!Guardie()) return;
    auto lista = S::ModificaMinTemp(SensoriNumeri(CmbMinTempGas), CmbMinTempGas->currentIndex());
    if (!lista) return;
    ModBlck::ModificheBlocco15 = std::move(*lista);
    Posta(REQ_WRITE_BLK15);
}

void FRM_ZEBSensori::CmbDeltaMinTempGas_Click() {
    if (!Guardie() || CmbDeltaMinTempGas->currentIndex() < 0) return;
    const auto v = S::Tronca(NumeroVoce(CmbDeltaMinTempGas->currentText()));
    if (!v) return;
    ModificaSingola(ModBlck::ModificheBlocco15, *v, 4, 0);
    Posta(REQ_WRITE_BLK15);
}

void FRM_ZEBSensori::CMD_SENSORI_Click(int Index) {
    for (int i = 0; i < 3; ++i) {
        PulsanteGrafico* b = CMD_SENSORI[static_cast<size_t>(i)];
        if (i == Index) {
            b->Caption(b->Value() ? QStringLiteral("<<<") : QStringLiteral(">>>"));
        } else {
            b->Caption(QStringLiteral(">>>"));
            b->Value(false);
        }
    }
    int aperto = -1;
    for (int i = 0; i < 3 && aperto < 0; ++i)
        if (CMD_SENSORI[static_cast<size_t>(i)]->Value()) aperto = i;
    QGroupBox* pannelli[3] = {FrmLevel, FrmTemp, FrmPress};
    const std::string* titoli[3] = {&TitoloLivello, &TitoloTemperatura, &TitoloPressione};
    for (int i = 0; i < 3; ++i) pannelli[i]->setVisible(i == aperto);
    SHP[0]->setVisible(aperto >= 0);
    LblTitolo->setVisible(aperto >= 0);
    if (aperto >= 0) LblTitolo->setText(ModMain::TestoLingua(*titoli[aperto]));
}

// ---- Level sensor

void FRM_ZEBSensori::MostraSogliaRiga(int riga, int32_t valore) {
    LblLevelVal[static_cast<size_t>(riga)]->setText(
        QString::fromStdString(S::Volt(valore, 2, SensoriSeparatore()) + " (v)"));
}

void FRM_ZEBSensori::CaricaSoglieLivello() {
    SoglieInAggiornamento = true;
    const int32_t k = TipoLivello();
    if (k < 0) return; // stays raised: nothing can be moved until a known type is stored
    const bool discendente = (ModBlck::SensoriLivello[static_cast<size_t>(k)].UltimoValore & 0x20) != 0;
    CmdMassimo->Caption(ModMain::TestoLingua(discendente ? TestoTastoMinimo : TestoTastoMassimo));
    CmdMinimo->Caption(ModMain::TestoLingua(discendente ? TestoTastoMassimo : TestoTastoMinimo));
    for (int i = 0; i < 4; ++i) {
        const auto v = SensoriValore(3, 28 + static_cast<size_t>(i));
        if (!v) continue;
        const int riga = discendente ? i : 3 - i;
        if (*v >= 0 && *v <= 1023) HScrLevel[static_cast<size_t>(riga)]->setValue(*v);
        MostraSogliaRiga(riga, *v);
    }
    SoglieInAggiornamento = false;
}

void FRM_ZEBSensori::HScrLevel_Change(int Index) {
    if (SoglieInAggiornamento || Index < 0 || Index > 3) return;
    GuardiaCaricamento guardia(SoglieInAggiornamento);
    const int32_t k = TipoLivello();
    // A busy slot or an unknown type: nothing staged, the bars show the stored thresholds again.
    if (!SlotLibero() || k < 0) {
        SoglieInAggiornamento = false;
        CaricaSoglieLivello();
        SoglieInAggiornamento = true;
        return;
    }
    QScrollBar* barra = HScrLevel[static_cast<size_t>(Index)];
    barra->setEnabled(false);
    const bool discendente = (ModBlck::SensoriLivello[static_cast<size_t>(k)].UltimoValore & 0x20) != 0;
    std::array<int32_t, 4> barre{};
    for (size_t j = 0; j < 4; ++j) barre[j] = HScrLevel[j]->value();
    const int32_t v = S::LimitaSoglia(barre, Index, discendente);
    if (v != barra->value()) barra->setValue(v);
    ModificaSingola(ModBlck::ModificheBlocco3, v, S::IndiceRiga(Index, discendente), 0);
    MostraSogliaRiga(Index, v);
    barra->setEnabled(true);
    barra->setFocus();
    Posta(REQ_WRITE_BLK3);
}

void FRM_ZEBSensori::CmdLevDef_Click() {
    if (SoglieInAggiornamento || !SlotLibero()) return;
    const int32_t k = TipoLivello();
    if (k < 0) return;
    const auto& d = ModBlck::SensoriLivello[static_cast<size_t>(k)];
    ListaModifiche l;
    for (int32_t i = 0; i < 6; ++i) l.push_back({d.Livelli[i], 27 + i, 0});
    PostaBlocco3(std::move(l));
}

void FRM_ZEBSensori::CmdMassimo_Click() {
    if (SoglieInAggiornamento || !SlotLibero()) return;
    std::array<int32_t, 6> valori{};
    for (size_t i = 0; i < 6; ++i) valori[i] = SensoriValore(3, 27 + i).value_or(0);
    PostaBlocco3(S::CalibraMassimo(valori, SensoriValore(1, 41).value_or(0)));
}

void FRM_ZEBSensori::CmdMinimo_Click() {
    if (SoglieInAggiornamento || !SlotLibero()) return;
    std::array<int32_t, 6> valori{};
    for (size_t i = 0; i < 6; ++i) valori[i] = SensoriValore(3, 27 + i).value_or(0);
    PostaBlocco3(S::CalibraMinimo(valori, SensoriValore(1, 41).value_or(0)));
}

void FRM_ZEBSensori::CmbTipoLev_Click() {
    const int i = CmbTipoLev->currentIndex();
    if (!Guardie() || i < 0 || static_cast<size_t>(i) >= ModBlck::SensoriLivello.size()) return;
    const auto& d = ModBlck::SensoriLivello[static_cast<size_t>(i)];
    ListaModifiche l{{d.Codice, 25, 0}, {d.UltimoValore, 26, 0}};
    for (int32_t k = 0; k < 6; ++k) l.push_back({d.Livelli[k], 27 + k, 0});
    PostaBlocco3(std::move(l));
}

void FRM_ZEBSensori::CaricaLivelliAttuale() {
    const char sep = SensoriSeparatore();
    const auto flag = SensoriValore(1, 37), filtrato = SensoriValore(1, 40), lettura = SensoriValore(1, 41);
    if (flag && filtrato)
        LblSensValFiltrato->setText((*flag & 1) ? QString::fromStdString(S::Volt(*filtrato, 3, sep)) : QStringLiteral("- - -"));
    if (lettura) LblSensValNoFiltrato->setText(QString::fromStdString(S::Volt(*lettura, 3, sep)));
    const auto opzioni = SensoriValore(3, 26);
    std::array<int32_t, 4> soglie{};
    for (size_t i = 0; i < 4; ++i) {
        const auto v = SensoriValore(3, 28 + i);
        if (!v) return;
        soglie[i] = *v;
    }
    if (!lettura || !opzioni) return;
    const auto l = S::LampadeLivello(soglie, *lettura, (*opzioni & 0x20) != 0);
    for (size_t r = 0; r < 4; ++r) SensoriColoreSfondo(LblLevelVal[r], l.righe[r] ? LampadaAccesa : LampadaSpenta);
    ShpRiserva->ColoreRiempimento(l.riserva ? RiservaAccesa : RiservaSpenta);
}
