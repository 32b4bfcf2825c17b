#include "maps/FrmChangeAxis.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

#include "controls/FontComboRinviato.h"
#include "core/Applicazione.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainRichieste.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "link/ModMappeDati.h"
#include "maps/AssiModifica.h"
#include "maps/ColoriMappa.h"
#include "maps/ModBlckAssi.h"
#include "platform/Dialoghi.h"

namespace FrmChangeAxis_ {

constexpr int Larghezza = 9000; // designed size, twips
constexpr int Altezza = 7500;
constexpr int ColonnaTinj = AssiModifica::ColonnaTinj;
constexpr int ColonnaRpm = AssiModifica::ColonnaRpm;
constexpr int RigaRiserva = 24; // column 0 has no point 23

int Px(double twips) { return static_cast<int>(twips / 15.0 + 0.5); }

QString TitoloPrincipale() {
    return ModMain::FinestraPrincipale ? ModMain::FinestraPrincipale->windowTitle() : QString();
}

} // namespace FrmChangeAxis_

using namespace FrmChangeAxis_;

FrmChangeAxis::FrmChangeAxis(QWidget* proprietario) : QDialog(proprietario) {
    setObjectName(QStringLiteral("FrmChangeAxis"));
    setModal(true);
    MSFGAssi = new GrigliaDati(this);
    MSFGAssi->setObjectName(QStringLiteral("MSFGAssi"));
    connect(MSFGAssi, &GrigliaDati::EnterCell, this, &FrmChangeAxis::MSFGAssi_EnterCell);
    connect(MSFGAssi, &GrigliaDati::LeaveCell, this, &FrmChangeAxis::MSFGAssi_LeaveCell);
    connect(MSFGAssi, &GrigliaDati::KeyPress, this, &FrmChangeAxis::MSFGAssi_KeyPress);
    connect(MSFGAssi, &GrigliaDati::KeyUp, this, &FrmChangeAxis::MSFGAssi_KeyUp);
    auto pulsante = [this](const char* nome, void (FrmChangeAxis::*azione)()) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, azione);
        return b;
    };
    CmdOk = pulsante("CmdOk", &FrmChangeAxis::CmdOk_Click);
    CmdDefault = pulsante("CmdDefault", &FrmChangeAxis::CmdDefault_Click);
    CmdAnnulla = pulsante("CmdAnnulla", &FrmChangeAxis::CmdAnnulla_Click);
    CmdAutoscaleX = pulsante("CmdAutoscaleX", &FrmChangeAxis::CmdAutoscaleX_Click);
    CmdAutoscaleY = pulsante("CmdAutoscaleY", &FrmChangeAxis::CmdAutoscaleY_Click);
    Lblrpm = new QLabel(this);
    Lblrpm->setObjectName(QStringLiteral("Lblrpm"));
    lbltnj = new QLabel(this);
    lbltnj->setObjectName(QStringLiteral("lbltnj"));
    for (int k = 0; k < 12; ++k) {
        auto* r = new QComboBox(this);
        ModMain::ImpostaMembro(r, QStringLiteral("CmbRPM"), k);
        connect(r, &QComboBox::currentIndexChanged, this, [this, k] { CmbRPM_Click(k); });
        CmbRPM.push_back(r);
        auto* t = new QComboBox(this);
        ModMain::ImpostaMembro(t, QStringLiteral("CmbTINJ"), k);
        connect(t, &QComboBox::currentIndexChanged, this, [this, k] { CmbTINJ_Click(k); });
        CmbTINJ.push_back(t);
    }
}

void FrmChangeAxis::Form_Load() {
    if (ModMain::FinestraPrincipale) setWindowIcon(ModMain::FinestraPrincipale->windowIcon());
    InCaricamento = false;
    AsseRpm = ModMain::AsseRpmLavoro;
    AsseTinj = ModMain::AsseTinjLavoro;
    VettRpm = ModBlck::VettoreRpm;
    VettTinj = ModBlck::VettoreTinj;
    PredisponiPuntatori();
    InizializzaGrafica();
    RiempiLeCombo();
    CaricaLingua();
    InizializzaDati();
    CaricaComboAssi();
}

void FrmChangeAxis::PredisponiPuntatori() {}

void FrmChangeAxis::InizializzaGrafica() {
    const double b = (Larghezza - 675) / 5.0;
    const double altezzaOk = b / 3.0;
    MSFGAssi->setEnabled(false);
    MSFGAssi->Rows(25);
    MSFGAssi->Cols(2);
    MSFGAssi->FixedRows(1);
    MSFGAssi->FixedCols(0);
    const double sinistraGriglia = b + 450, larghezzaGriglia = 2 * b, altezzaGriglia = Altezza - 675;
    MSFGAssi->setGeometry(Px(sinistraGriglia), Px(225), Px(larghezzaGriglia), Px(altezzaGriglia));
    MSFGAssi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFGAssi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int c = 0; c < 2; ++c) MSFGAssi->ColWidth(c, static_cast<int32_t>((larghezzaGriglia - 15 - 2 * 15 * MSFGAssi->frameWidth()) / 2));
    for (int r = 0; r < 25; ++r) MSFGAssi->RowHeight(r, static_cast<int32_t>(altezzaGriglia / 26));
    for (int r = 0; r < 25; ++r)
        for (int c = 0; c < 2; ++c) MSFGAssi->CellAlignment(r, c, 4);
    for (auto [r, c] : {std::pair{1, ColonnaTinj}, {23, ColonnaTinj}, {1, ColonnaRpm}, {24, ColonnaRpm}})
        MSFGAssi->CellBackColor(r, c, 0x00FF00);
    MSFGAssi->CellBackColor(RigaRiserva, ColonnaTinj, ColoriMappa::ColoreFacciaSistema);

    CmdOk->setGeometry(Px(225), Px(225), Px(b), Px(altezzaOk));
    CmdDefault->setGeometry(Px(225), Px(225 + altezzaOk + 225), Px(b), Px(altezzaOk));
    CmdAnnulla->setGeometry(Px(225), Px(225 + 2 * (altezzaOk + 225)), Px(b), Px(altezzaOk));
    const double fondo = 225 + altezzaGriglia - 225;
    CmdAutoscaleX->setGeometry(Px(225), Px(fondo - 1.5 * altezzaOk), Px(b), Px(1.5 * altezzaOk));
    CmdAutoscaleY->setGeometry(Px(225), Px(fondo - 3 * altezzaOk - 225), Px(b), Px(1.5 * altezzaOk));

    const bool sup = ModMain::LivelloSup != 0;
    const double x = sup ? sinistraGriglia + larghezzaGriglia : sinistraGriglia;
    const int altezzaLista = FontComboRinviato::DimensioneSuggerita(CmbRPM[0]).height() * 15;
    Lblrpm->setGeometry(Px(x + 225), Px(225), Px(b - 225), Px(altezzaLista));
    lbltnj->setGeometry(Px(x + b + 225), Px(225), Px(b - 225), Px(altezzaLista));
    const int h = static_cast<int>(std::lround(altezzaOk)) / 2;
    for (int k = 0; k < 12; ++k) {
        const double alto = 225 + altezzaLista + 225 + k * (h + 225);
        CmbRPM[static_cast<size_t>(k)]->setGeometry(Px(x + 225), Px(alto), Px(b - 225), Px(altezzaLista));
        CmbTINJ[static_cast<size_t>(k)]->setGeometry(Px(x + b + 225), Px(alto), Px(b - 225), Px(altezzaLista));
    }
    const int larghezza = CmbTINJ[0]->x() + CmbTINJ[0]->width() + Px(450);
    const int fondoListe = CmbTINJ[11]->y() + CmbTINJ[11]->height() + Px(225);
    setFixedSize(larghezza, std::max(Px(Altezza), fondoListe));

    // Map 0 edited in the coarse view: the presets lead, the grid is for the second level.
    const bool ridotta = (ModMain::MatSoglie[15] & 0x08) != 0;
    const bool griglia = !ridotta || sup;
    const bool preset = ridotta || sup;
    for (QWidget* w : {static_cast<QWidget*>(MSFGAssi), static_cast<QWidget*>(CmdAutoscaleX),
                       static_cast<QWidget*>(CmdAutoscaleY)})
        w->setVisible(griglia);
    for (size_t k = 0; k < 12; ++k) {
        CmbRPM[k]->setVisible(preset);
        CmbTINJ[k]->setVisible(preset);
    }
    Lblrpm->setVisible(preset);
    lbltnj->setVisible(preset);
    MSFGAssi->setEnabled(true);
}

void FrmChangeAxis::RiempiLeCombo() {
    InCaricamento = true;
    QStringList rpm, tinj;
    for (const auto& v : AssiModifica::VociRpm()) rpm << QString::fromStdString(v);
    for (const auto& v : AssiModifica::VociTinj()) tinj << QString::fromStdString(v);
    for (size_t k = 0; k < 12; ++k) {
        CmbRPM[k]->clear();
        CmbRPM[k]->addItems(rpm);
        CmbTINJ[k]->clear();
        CmbTINJ[k]->addItems(tinj);
    }
    InCaricamento = false;
}

void FrmChangeAxis::CaricaLingua() {
    const int16_t k = ModMain::CercaSezione("[Frm_Assi]");
    PrimaVoce = ModMain::Dizionario && k <= ModMain::Dizionario->UboundVoci() ? static_cast<int16_t>(k + 1) : 0;
    auto voce = [this](int n) { return ModMain::VoceLingua(static_cast<int16_t>(PrimaVoce + n)); };
    MSFGAssi->TextMatrix(0, ColonnaTinj, voce(0));
    lbltnj->setText(voce(0));
    MSFGAssi->TextMatrix(0, ColonnaRpm, voce(1));
    Lblrpm->setText(voce(1));
    setWindowTitle(voce(2));
    CmdOk->setText(voce(3));
    CmdDefault->setText(voce(4));
    CmdAnnulla->setText(voce(5));
    CmdAutoscaleY->setText(voce(7));
    CmdAutoscaleX->setText(voce(8));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmChangeAxis::InizializzaDati() {
    TestiGriglia t = ColoriMappa::LeggiTesti(MSFGAssi);
    AssiModifica::InizializzaDati(t, AsseRpm, AsseTinj);
    ColoriMappa::ScriviTesti(MSFGAssi, t);
}

void FrmChangeAxis::CaricaComboAssi() {
    InCaricamento = true;
    for (size_t k = 0; k < 12; ++k) {
        CmbRPM[k]->setCurrentIndex(AssiModifica::TrovaValoreRPM(AsseRpm[AssiModifica::PuntiRpm[k]]));
        CmbTINJ[k]->setCurrentIndex(AssiModifica::TrovaValoreTNJ(AsseTinj[AssiModifica::PuntiTinj[k]]));
    }
    InCaricamento = false;
}

void FrmChangeAxis::CaricaGrigliaInAssi() {
    AssiModifica::CaricaGrigliaInAssi(ColoriMappa::LeggiTesti(MSFGAssi), AsseRpm, AsseTinj);
}

void FrmChangeAxis::SpianaAssi() {
    TestiGriglia t = ColoriMappa::LeggiTesti(MSFGAssi);
    AssiModifica::SpianaAssi(t, AsseRpm, AsseTinj);
    ColoriMappa::ScriviTesti(MSFGAssi, t);
}

void FrmChangeAxis::NormalizzaCella(int32_t r, int32_t c) {
    if (r <= 0 || (r == RigaRiserva && c == ColonnaTinj)) return;
    std::string testo = MSFGAssi->TextMatrix(r, c).toStdString();
    const float v = AssiModifica::ControllaValore(testo, c);
    MSFGAssi->TextMatrix(r, c, QString::fromStdString(AssiModifica::TestoValore(v, c)));
}

namespace FrmChangeAxis_ {

template <typename F>
void SceltaPreset(FrmChangeAxis& f, const std::vector<QComboBox*>& liste, int k, F scrivi) {
    if (f.InCaricamento) return;
    std::array<int32_t, 12> posizioni{};
    for (size_t i = 0; i < 12; ++i) posizioni[i] = liste[i]->currentIndex();
    if (!AssiModifica::SceltaValida(posizioni, k)) {
        Piattaforma::MostraMessaggio(ModMain::VoceLingua(static_cast<int16_t>(f.PrimaVoce + 12)),
                                     QString::fromLatin1(Applicazione::TitoloApplicazione));
        f.CaricaComboAssi();
        return;
    }
    scrivi(posizioni[static_cast<size_t>(k)]);
}

} // namespace FrmChangeAxis_

void FrmChangeAxis::CmbRPM_Click(int Index) {
    SceltaPreset(*this, CmbRPM, Index, [this, Index](int32_t pos) {
        // The cell being typed into counts as it would on leaving it.
        NormalizzaCella(MSFGAssi->Row(), MSFGAssi->Col());
        MSFGAssi->TextMatrix(AssiModifica::PuntiRpm[static_cast<size_t>(Index)] + 1, ColonnaRpm,
                             QString::number(AssiModifica::ValoreVoceRpm(pos)));
        CaricaGrigliaInAssi();
        SpianaAssi();
    });
}

void FrmChangeAxis::CmbTINJ_Click(int Index) {
    SceltaPreset(*this, CmbTINJ, Index, [this, Index](int32_t pos) {
        NormalizzaCella(MSFGAssi->Row(), MSFGAssi->Col());
        MSFGAssi->TextMatrix(AssiModifica::PuntiTinj[static_cast<size_t>(Index)] + 1, ColonnaTinj,
                             QString::fromStdString(MappeOperazioni::TestoNumero(AssiModifica::ValoreVoceTinj(pos) / 1000.0)));
        CaricaGrigliaInAssi();
        SpianaAssi();
    });
}

bool FrmChangeAxis::ControllaAssi() {
    const std::vector<std::string> righe = AssiModifica::ControllaAssi(ColoriMappa::LeggiTesti(MSFGAssi));
    if (righe.empty()) return true;
    QString testo = ModMain::VoceLingua(static_cast<int16_t>(PrimaVoce + 12)) + QStringLiteral("\r\n\r\n");
    for (const auto& r : righe) testo += QString::fromStdString(r) + QStringLiteral("\r\n");
    Piattaforma::MostraMessaggio(testo, QString::fromLatin1(Applicazione::TitoloApplicazione));
    return false;
}

void FrmChangeAxis::CmdOk_Click() {
    NormalizzaCella(MSFGAssi->Row(), MSFGAssi->Col());
    if (!ControllaAssi()) return;
    CaricaGrigliaInAssi();
    if (AsseRpm[23] == 126) AsseRpm[23] = 125;
    ModBlck::CalcolaVettoriAssi(VettRpm, VettTinj, AsseRpm, AsseTinj, false);
    ModMain::AsseRpmLavoro = AsseRpm;
    ModMain::AsseTinjLavoro = AsseTinj;
    ModBlck::VettoreRpm = VettRpm;
    ModBlck::VettoreTinj = VettTinj;
    ModMain::RichiediOperazione(REQ_WRITE_MAP_AXES, true);
    accept();
}

void FrmChangeAxis::CmdDefault_Click() {
    if (Piattaforma::MostraMessaggio(ModMain::VoceLingua(static_cast<int16_t>(PrimaVoce + 11)), TitoloPrincipale(),
                                     Piattaforma::IconaMessaggio::Domanda,
                                     Piattaforma::PulsantiMessaggio::SiNo) != Piattaforma::RispostaMessaggio::Si)
        return;
    ModMain::CaricaVettoriRpmTinj(VettRpm, VettTinj, ModMain::PercorsoConfigDefault);
    ModBlck::CalcolaVettoriAssi(VettRpm, VettTinj, AsseRpm, AsseTinj, true);
    InizializzaDati();
    CmdOk_Click();
}

void FrmChangeAxis::CmdAnnulla_Click() { reject(); }

void FrmChangeAxis::AdattaScala(int32_t conta, int32_t colonna) {
    const QString domanda = ModMain::VoceLingua(static_cast<int16_t>(PrimaVoce + 9)) + MSFGAssi->TextMatrix(0, colonna) +
                            ModMain::VoceLingua(static_cast<int16_t>(PrimaVoce + 10));
    if (Piattaforma::MostraMessaggio(domanda, TitoloPrincipale(), Piattaforma::IconaMessaggio::Domanda,
                                     Piattaforma::PulsantiMessaggio::SiNo) != Piattaforma::RispostaMessaggio::Si)
        return;
    TestiGriglia t = ColoriMappa::LeggiTesti(MSFGAssi);
    AssiModifica::AdattaScala(t, conta, colonna);
    ColoriMappa::ScriviTesti(MSFGAssi, t);
}

void FrmChangeAxis::CmdAutoscaleX_Click() {
    AdattaScala(24, ColonnaRpm);
    ControllaAssi();
}

void FrmChangeAxis::CmdAutoscaleY_Click() {
    AdattaScala(23, ColonnaTinj);
    ControllaAssi();
}

void FrmChangeAxis::MSFGAssi_EnterCell() {
    if (MSFGAssi->isEnabled() && MSFGAssi->Row() == RigaRiserva && MSFGAssi->Col() == ColonnaTinj)
        MSFGAssi->Row(RigaRiserva - 1);
}

void FrmChangeAxis::MSFGAssi_KeyPress(int16_t KeyAscii) {
    const int32_t r = MSFGAssi->Row(), c = MSFGAssi->Col();
    QString t = MSFGAssi->TextMatrix(r, c);
    if (KeyAscii >= '0' && KeyAscii <= '9') {
        MSFGAssi->TextMatrix(r, c, t + QChar(KeyAscii));
    } else if (KeyAscii == ',' || KeyAscii == '.') {
        // One decimal point, in the injection-time column only.
        if (c == ColonnaTinj && !t.contains(',') && !t.contains('.')) MSFGAssi->TextMatrix(r, c, t + QChar(KeyAscii));
    } else if (KeyAscii == 8) {
        MSFGAssi->TextMatrix(r, c, t.size() < 2 ? QStringLiteral("0") : t.left(t.size() - 1));
    } else if (KeyAscii == 13) {
        NormalizzaCella(r, c);
        if (r + 1 < MSFGAssi->Rows()) {
            staLasciando_ = true; // already normalised
            MSFGAssi->Row(r + 1);
            staLasciando_ = false;
        }
    }
}

void FrmChangeAxis::MSFGAssi_KeyUp(int16_t KeyCode, int16_t) {
    if (KeyCode == 46) MSFGAssi->Text(QString());
}

void FrmChangeAxis::MSFGAssi_LeaveCell() {
    if (staLasciando_) return;
    NormalizzaCella(MSFGAssi->Row(), MSFGAssi->Col());
}

void FrmChangeAxis::keyReleaseEvent(QKeyEvent* e) { QDialog::keyReleaseEvent(e); }

namespace ModMapEditor {

void ApriEditorAssi() {
    FrmChangeAxis d(ModMain::FinestraPrincipale.data());
    d.Form_Load();
    if (EseguiEditorAssi)
        EseguiEditorAssi(d);
    else
        d.exec();
}

} // namespace ModMapEditor
