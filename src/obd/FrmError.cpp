#include "obd/FrmError.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyledItemDelegate>
#include <cmath>

#include "controls/GrigliaDati.h"
#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModMainCaricatori.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "link/ModBlckModifiche.h"
#include "obd/LayoutPagina.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"

namespace {

namespace FE = ErroriConversioni;

// Design size of the page in pixels; every place below is at this size.
const QSize ProgettoErrori(1000, 425);
constexpr int RuoloPicture = Qt::UserRole + 40;
constexpr int32_t BiancoErr = 0xFFFFFF, GrigioErr = 0xB5B5B5, LillaErr = 0xC0A0A0; // &HBBGGRR
constexpr int32_t LarghezzeErr[9] = {110, 290, 210, 210, 0, 0, 0, 55, 55};
constexpr double RitardoLetturaErrUs = 2'000'000;
constexpr int16_t VoceNonCancellabili = 42, VoceIntervalloSpento = 19;

int32_t ValoreErr(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return 0;
    const auto& v = TabellaBlocchi[blocco].Valori;
    return k < v.size() ? v[k] : 0;
}

// Draws the cell's picture centred instead of at the left.
class DelegatoPictureErr : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& opzione, const QModelIndex& indice) const override {
        QStyleOptionViewItem o = opzione;
        initStyleOption(&o, indice);
        const QPixmap img = indice.data(Qt::DecorationRole).value<QPixmap>();
        o.features &= ~QStyleOptionViewItem::HasDecoration;
        o.icon = QIcon();
        QStyle* stile = o.widget ? o.widget->style() : QApplication::style();
        stile->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        if (img.isNull()) return;
        const QSize s = img.size().scaled(opzione.rect.size() - QSize(4, 4), Qt::KeepAspectRatio);
        const QRect r(opzione.rect.center() - QPoint(s.width() / 2, s.height() / 2), s);
        p->drawPixmap(r, img);
    }
};

// The pictures of the option columns: a lamp for "error on", a square for the second option.
QPixmap DisegnaPictureErr(bool lampada, bool acceso) {
    QPixmap px(32, 32);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    if (lampada) {
        p.setBrush(acceso ? QColor(0, 200, 0) : QColor(200, 200, 200));
        p.drawEllipse(QRectF(5, 5, 22, 22));
    } else {
        p.setBrush(acceso ? QColor(0, 90, 220) : QColor(230, 230, 230));
        p.drawRoundedRect(QRectF(6, 6, 20, 20), 3, 3);
        if (acceso) {
            p.setPen(QPen(Qt::white, 3));
            p.drawLine(QPointF(10, 16), QPointF(15, 21));
            p.drawLine(QPointF(15, 21), QPointF(22, 11));
        }
    }
    return px;
}

QLabel* NuovaPictureErr(QWidget* forma, const char* nome, bool lampada, bool acceso) {
    auto* l = new QLabel(forma);
    l->setObjectName(QString::fromLatin1(nome));
    l->setPixmap(DisegnaPictureErr(lampada, acceso));
    l->hide();
    return l;
}

PulsanteGrafico* NuovoPulsanteErr(QWidget* forma, const char* nome) {
    return ModZebPagina::NuovoPulsante(forma, QString::fromLatin1(nome),
                                       {.forma = 3, .senzaGradiente = true, .senzaFocus = true});
}

QLabel* NuovaEtichettaErr(QWidget* forma, const char* nome) {
    auto* l = new QLabel(forma);
    l->setObjectName(QString::fromLatin1(nome));
    l->setStyleSheet(QStringLiteral("color: #E0E0E0; background: transparent;"));
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

QLineEdit* NuovaCasellaErr(QWidget* forma, const char* nome) {
    auto* t = new QLineEdit(forma);
    t->setObjectName(QString::fromLatin1(nome));
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignCenter);
    t->setStyleSheet(QStringLiteral("color: white; background-color: black; border: 1px solid #606060;"));
    return t;
}

void SfondoCasellaErr(QLineEdit* t, bool blu) {
    t->setProperty("SfondoBlu", blu);
    t->setStyleSheet(blu ? QStringLiteral("color: white; background-color: #0000FF; border: 1px solid #606060;")
                         : QStringLiteral("color: white; background-color: black; border: 1px solid #606060;"));
}

} // namespace

FrmError::FrmError(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmError"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    resize(ProgettoErrori);

    SHP_Contorno = new QFrame(this);
    SHP_Contorno->setObjectName(QStringLiteral("SHP_Contorno"));
    SHP_Contorno->setAttribute(Qt::WA_TransparentForMouseEvents);
    LayoutPagina::Colloca(SHP_Contorno, QRect(2, 2, 996, 421));

    GrdErr = new GrigliaDati(this);
    GrdErr->setObjectName(QStringLiteral("GrdErr"));
    GrdErr->setItemDelegateForColumn(7, new DelegatoPictureErr(GrdErr));
    GrdErr->setItemDelegateForColumn(8, new DelegatoPictureErr(GrdErr));
    GrdErr->viewport()->installEventFilter(this);
    LayoutPagina::Colloca(GrdErr, QRect(10, 10, 690, 405));

    PctOn = NuovaPictureErr(this, "PctOn", true, true);
    PctOff = NuovaPictureErr(this, "PctOff", true, false);
    PctBackOn = NuovaPictureErr(this, "PctBackOn", false, true);
    PctBackOff = NuovaPictureErr(this, "PctBackOff", false, false);

    CmdErrInjCanc = NuovoPulsanteErr(this, "CmdErrInjCanc");
    LayoutPagina::Colloca(CmdErrInjCanc, QRect(712, 10, 278, 36), 10, true);

    LblTitolo = new QLineEdit(this);
    LblTitolo->setObjectName(QStringLiteral("LblTitolo"));
    LblTitolo->setReadOnly(true);
    LblTitolo->setFrame(false);
    LblTitolo->setAlignment(Qt::AlignCenter);
    LblTitolo->setStyleSheet(QStringLiteral("color: #FFD000; background: black; border: none;"));
    LayoutPagina::Colloca(LblTitolo, QRect(712, 62, 278, 26), 11, true);

    LblTGas = NuovaEtichettaErr(this, "LblTGas");
    LblTPetrol = NuovaEtichettaErr(this, "LblTPetrol");
    LblService = NuovaEtichettaErr(this, "LblService");
    LblToService = NuovaEtichettaErr(this, "LblToService");
    LayoutPagina::Colloca(LblTGas, QRect(712, 94, 278, 22), 8);
    LayoutPagina::Colloca(LblTPetrol, QRect(712, 174, 278, 22), 8);
    LayoutPagina::Colloca(LblService, QRect(712, 254, 278, 22), 8);
    LayoutPagina::Colloca(LblToService, QRect(712, 334, 278, 22), 8);

    TxtTGas = NuovaCasellaErr(this, "TxtTGas");
    TxtTPetrol = NuovaCasellaErr(this, "TxtTPetrol");
    TxtToService = NuovaCasellaErr(this, "TxtToService");
    TxtToService->installEventFilter(this);
    LayoutPagina::Colloca(TxtTGas, QRect(712, 118, 130, 30), 10);
    LayoutPagina::Colloca(TxtTPetrol, QRect(712, 198, 130, 30), 10);
    LayoutPagina::Colloca(TxtToService, QRect(712, 358, 130, 30), 10);

    CmdTGas = NuovoPulsanteErr(this, "CmdTGas");
    CmdTPetrol = NuovoPulsanteErr(this, "CmdTPetrol");
    CmdToService = NuovoPulsanteErr(this, "CmdToService");
    LayoutPagina::Colloca(CmdTGas, QRect(852, 116, 138, 34), 9, true);
    LayoutPagina::Colloca(CmdTPetrol, QRect(852, 196, 138, 34), 9, true);
    LayoutPagina::Colloca(CmdToService, QRect(852, 356, 138, 34), 9, true);
    ModMain::ImpostaTag(CmdTGas, QStringLiteral("SUP"));
    ModMain::ImpostaTag(CmdTPetrol, QStringLiteral("SUP"));

    CmbService = new QComboBox(this);
    CmbService->setObjectName(QStringLiteral("CmbService"));
    ModMain::ImpostaTag(CmbService, QStringLiteral("SUP"));
    LayoutPagina::Colloca(CmbService, QRect(712, 278, 278, 28), 9);
    CmbServiceLOW = new QComboBox(this);
    CmbServiceLOW->setObjectName(QStringLiteral("CmbServiceLOW"));
    LayoutPagina::Colloca(CmbServiceLOW, QRect(712, 278, 278, 28), 9);

    connect(CmdErrInjCanc, &PulsanteGrafico::Click, this, &FrmError::CmdErrInjCanc_Click);
    connect(CmdTGas, &PulsanteGrafico::Click, this, &FrmError::CmdTGas_Click);
    connect(CmdTPetrol, &PulsanteGrafico::Click, this, &FrmError::CmdTPetrol_Click);
    connect(CmdToService, &PulsanteGrafico::Click, this, &FrmError::CmdToService_Click);
    connect(CmbService, &QComboBox::activated, this, &FrmError::CmbService_Click);
    connect(CmbServiceLOW, &QComboBox::activated, this, &FrmError::CmbServiceLOW_Click);
}

void FrmError::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    SHP_Contorno->setStyleSheet(QStringLiteral("border: 2px solid rgb(0, 0, 64); background: transparent;"));
    puntiGriglia_ = 11;
    GrdErr->FontSize(puntiGriglia_);
    GrdErr->Cols(9);
    GrdErr->FixedRows(1);
    GrdErr->FixedCols(1);
    cancellaRichiesta_ = false;
    opzioneInSospeso_ = false;
    ultimaRisposta_.clear();
    prossimaLettura_ = 0;
    CaricaLingua();
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    caricata_ = true;
    Form_Resize();
}

void FrmError::Form_Unload() { caricata_ = false; }

void FrmError::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmError::CaricaLingua() {
    const int16_t sezioneServizio = ModMain::CercaSezione("[FrmService]");
    LblTitolo->setText(ModMain::VoceLingua(sezioneServizio + 1));
    LblTGas->setText(ModMain::VoceLingua(sezioneServizio + 2));
    LblTPetrol->setText(ModMain::VoceLingua(sezioneServizio + 3));
    LblService->setText(ModMain::VoceLingua(sezioneServizio + 4));
    LblToService->setText(ModMain::VoceLingua(sezioneServizio + 5));
    const QString suggerimento = ModMain::VoceLingua(sezioneServizio + 6);
    for (PulsanteGrafico* b : {CmdTGas, CmdTPetrol, CmdToService}) b->setToolTip(suggerimento);

    if (!ModMain::Dizionario) return;
    const auto voci = FE::VociErrori(*ModMain::Dizionario, ModMain::Dizionario->IdLingua());
    if (!voci) return;

    GrdErr->Redraw(false);
    GrdErr->Rows(2);
    voci_.clear();
    for (size_t k = 1; k <= voci->size(); ++k) {
        if (k >= 2) GrdErr->Rows(static_cast<int32_t>(k) + 1);
        voci_.push_back(FE::ScomponiVoceErrore((*voci)[k - 1]));
        const auto& v = voci_.back();
        const int32_t r = static_cast<int32_t>(k);
        GrdErr->TextMatrix(r, 1, ModMain::TestoLingua(v.Descrizione));
        GrdErr->TextMatrix(r, 4, ModMain::TestoLingua(v.Stato0));
        GrdErr->TextMatrix(r, 5, ModMain::TestoLingua(v.Stato1));
        GrdErr->TextMatrix(r, 6, ModMain::TestoLingua(v.Stato2));
    }
    if (voci->empty()) GrdErr->Rows(1);
    for (int32_t r = 1; r < GrdErr->Rows(); ++r) {
        for (const int32_t c : {1, 0, 7, 8}) GrdErr->CellBackColor(r, c, BiancoErr);
        GrdErr->CellBackColor(r, 2, GrigioErr);
        GrdErr->CellBackColor(r, 3, LillaErr);
        GrdErr->TextMatrix(r, 0, QString::fromStdString(FE::EtichettaErrore(r)));
        // A row without a description is hidden; its number stays its own.
        GrdErr->setRowHidden(r, GrdErr->TextMatrix(r, 1).isEmpty());
    }
    const int16_t s = ModMain::CercaSezione("[FrmErrEcu]");
    GrdErr->TextMatrix(0, 0, QStringLiteral("#"));
    GrdErr->TextMatrix(0, 1, ModMain::VoceLingua(s + 1));
    GrdErr->TextMatrix(0, 2, ModMain::VoceLingua(s + 2));
    GrdErr->TextMatrix(0, 3, ModMain::VoceLingua(s + 3));
    GrdErr->TextMatrix(0, 8, ModMain::VoceLingua(s + 7));
    GrdErr->TextMatrix(0, 7, ModMain::VoceLingua(s + 8));
    CmdErrInjCanc->Caption(ModMain::VoceLingua(s + 4));
    for (PulsanteGrafico* b : {CmdTGas, CmdTPetrol, CmdToService}) b->Caption(ModMain::VoceLingua(s + 9));
    LarghezzeColonne();
    GrdErr->Redraw(true);
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
    // The rebuilt rows have empty state columns: the next refresh draws them
    // whether or not block 4 has changed since.
    ridisegna_ = true;
}

void FrmError::LarghezzeColonne() {
    const int32_t u = static_cast<int32_t>(Conv::ArrotondaPari(GrdErr->width() * 15.0 / 1000.0));
    for (int32_t c = 0; c < 9 && c < GrdErr->Cols(); ++c) GrdErr->ColWidth(c, LarghezzeErr[c] * u);
    // The description takes the width the other columns leave, less the
    // vertical scroll bar the error list needs.
    if (GrdErr->Cols() < 9) return;
    int32_t libera = GrdErr->width() - 2 * GrdErr->frameWidth() - GrdErr->verticalScrollBar()->sizeHint().width();
    for (int32_t c = 0; c < 9; ++c)
        if (c != 1) libera -= GrdErr->columnWidth(c);
    GrdErr->ColWidth(1, ErroriConversioni::LarghezzaDescrizione(libera * 15, u));
}

void FrmError::VisualizzaErrori() {
    const std::string risposta = TabellaBlocchi.size() > 4 ? TabellaBlocchi[4].UltimaRisposta : std::string();
    if (risposta == ultimaRisposta_ && !ridisegna_) return;
    ridisegna_ = false;
    GrdErr->Redraw(false);
    ultimaRisposta_ = risposta;
    for (int32_t n = 1; n < GrdErr->Rows(); ++n) {
        const size_t i = static_cast<size_t>(n - 1);
        const FE::VoceErrore voce = i < voci_.size() ? voci_[i] : FE::VoceErrore{};
        GrdErr->TextMatrix(n, 2, ModMain::TestoLingua(FE::TestoStato(n, ValoreErr(4, i), voce)));
        GrdErr->TextMatrix(n, 3, ModMain::TestoLingua(FE::TestoStato(n, ValoreErr(4, 31 + static_cast<size_t>(n)), voce)));
    }
    GrdErr->Redraw(true);
}

void FrmError::ClearErrori() {
    for (int32_t n = 1; n < GrdErr->Rows(); ++n) {
        GrdErr->TextMatrix(n, 2, GrdErr->TextMatrix(n, 4));
        GrdErr->TextMatrix(n, 3, GrdErr->TextMatrix(n, 4));
    }
}

void FrmError::Immagine(int32_t riga, int32_t colonna, const QLabel* fonte) {
    QTableWidgetItem* it = GrdErr->item(riga, colonna);
    if (!it) return;
    it->setData(Qt::DecorationRole, fonte ? fonte->pixmap() : QPixmap());
    it->setData(RuoloPicture, fonte ? fonte->objectName() : QString());
}

QString FrmError::PictureCella(int32_t riga, int32_t colonna) const {
    const QTableWidgetItem* it = GrdErr->item(riga, colonna);
    return it ? it->data(RuoloPicture).toString() : QString();
}

void FrmError::AggiornaAbilitazioni() {
    GrdErr->Redraw(false);
    for (int32_t i = 1; i < GrdErr->Rows(); ++i) {
        const int32_t w = ValoreErr(15, static_cast<size_t>(14 + i));
        const bool nascosta = GrdErr->isRowHidden(i);
        Immagine(i, 8, nascosta ? nullptr : (w & 0x01) ? PctOn : PctOff);
        Immagine(i, 7, nascosta ? nullptr : (w & 0x02) ? PctBackOn : PctBackOff);
    }
    GrdErr->Redraw(true);
}

void FrmError::CmdErrInjCanc_Click() { cancellaRichiesta_ = true; }

void FrmError::GrdErr_Click(int32_t r, int32_t c) {
    if ((c != 7 && c != 8) || r <= 0 || r >= GrdErr->Rows() || GrdErr->isRowHidden(r)) {
        opzioneInSospeso_ = false;
        valoreOpzione_ = 0;
        indiceOpzione_ = 0;
        return;
    }
    opzioneInSospeso_ = true;
    indiceOpzione_ = 14 + r;
    valoreOpzione_ = FE::CommutaOpzione(ValoreErr(15, static_cast<size_t>(indiceOpzione_)), c);
}

void FrmError::RichiediAggiornamentoErrori() {
    const double adesso = ModGlobFunct::LeggiMicrosecondi();
    if (adesso > prossimaLettura_ && ModMain::RichiestaPendente == 0) {
        ModMain::RichiediOperazione(REQ_READ_ERRORS, false);
        prossimaLettura_ = adesso + RitardoLetturaErrUs;
    }
    if (!cancellaRichiesta_) {
        if (opzioneInSospeso_ && ModMain::RichiestaPendente == 0) {
            ModBlck::ModificheBlocco15 = {ModificaPendente{valoreOpzione_, indiceOpzione_, 0}};
            ModMain::RichiediOperazione(REQ_WRITE_BLK15, true);
            opzioneInSospeso_ = false;
        }
    } else if (ModMain::RichiestaPendente == 0) {
        cancellaRichiesta_ = false;
        if (ValoreErr(1, 37) & 0x01) {
            ModMain::RichiediOperazione(REQ_CLEAR_ECU_ERRORS, true);
        } else {
            Piattaforma::MostraMessaggio(ModMain::VoceLingua(VoceNonCancellabili),
                                         QString::fromLatin1(Applicazione::TitoloApplicazione),
                                         Piattaforma::IconaMessaggio::Critica, Piattaforma::PulsantiMessaggio::Ok);
        }
    }
}

// ---- Service counters ----

void FrmError::AggiornaVisualizzazioni(bool tutto) {
    const std::string gas = FE::TestoOre(ValoreErr(2, 3), ValoreErr(2, 10));
    if (gas != ultimoGas_) {
        TxtTGas->setText(QString::fromStdString(gas));
        ultimoGas_ = gas;
    }
    const std::string benzina = FE::TestoOre(ValoreErr(2, 4), ValoreErr(2, 11));
    if (benzina != ultimoBenzina_) {
        TxtTPetrol->setText(QString::fromStdString(benzina));
        ultimoBenzina_ = benzina;
    }
    const auto servizio = FE::CalcolaTempoServizio(ValoreErr(2, 9), ValoreErr(2, 7), ValoreErr(2, 10));
    TxtToService->setText(QString::fromStdString(servizio.Testo));
    // Overdue: black and blue in turn on every refresh; otherwise black (a box
    // caught blue when the reminder is switched off does not stay blue).
    SfondoCasellaErr(TxtToService, servizio.Scaduto && !TxtToService->property("SfondoBlu").toBool());
    if (tutto) {
        SelezionaIntervalli();
        LblTitolo->setFocus();
    }
}

void FrmError::SelezionaIntervallo(QComboBox* lista, int32_t intervallo) {
    std::vector<std::string> voci;
    for (int i = 0; i < lista->count(); ++i) voci.push_back(lista->itemText(i).toStdString());
    // An interval the list does not offer shows no item rather than a wrong one.
    const auto p = FE::PosizioneIntervallo(voci, intervallo);
    lista->setCurrentIndex(p ? *p : -1);
}

void FrmError::SelezionaIntervalli() {
    muto_ = true;
    SelezionaIntervallo(CmbService, ValoreErr(2, 9));
    SelezionaIntervallo(CmbServiceLOW, ValoreErr(2, 9));
    muto_ = false;
}

void FrmError::ScriviBlocco2(int32_t valore, int32_t indice) {
    ModBlck::ModificheBlocco2 = {ModificaPendente{valore, indice, 0}};
    ModMain::RichiediOperazione(REQ_WRITE_BLK2, true);
}

void FrmError::SceltaIntervallo(QComboBox* lista) {
    if (muto_) return;
    const auto valore = ModMain::RichiestaPendente == 0
                            ? FE::ValoreIntervallo(lista->currentIndex(), lista->currentText().toStdString())
                            : std::nullopt;
    // A choice that cannot be written does not stay shown as if it had been.
    if (!valore) {
        SelezionaIntervalli();
        return;
    }
    ScriviBlocco2(*valore, 9);
}

void FrmError::CmbService_Click() { SceltaIntervallo(CmbService); }
void FrmError::CmbServiceLOW_Click() { SceltaIntervallo(CmbServiceLOW); }

void FrmError::CmdTGas_Click() {
    if (ModMain::RichiestaPendente == 0) ScriviBlocco2(65535, 3);
}
void FrmError::CmdTPetrol_Click() {
    if (ModMain::RichiestaPendente == 0) ScriviBlocco2(65535, 4);
}
void FrmError::CmdToService_Click() {
    if (ModMain::RichiestaPendente == 0) ScriviBlocco2(ValoreErr(2, 9) + 32768, 9);
}

void FrmError::RiempiCmbSwtch(const std::vector<std::string>& righe) {
    const std::string spento = ModMain::TestoVoce(VoceIntervalloSpento);
    for (size_t i = 0; i < righe.size(); ++i) {
        QComboBox* lista = righe[i] == "[CmbService]" ? CmbService : righe[i] == "[CmbServiceLOW]" ? CmbServiceLOW : nullptr;
        if (!lista) continue;
        const std::string seguente = i + 1 < righe.size() ? righe[i + 1] : std::string();
        muto_ = true;
        ModGlobFunct::RiempiComboDaLista(spento + "|" + seguente, lista, 0, ModMain::CharsetCorrente());
        muto_ = false;
    }
}

// ---- Frame ----

void FrmError::Form_Resize() {
    LayoutPagina::Disponi(this, ProgettoErrori);
    const double wr = LayoutPagina::FattoreLarghezza(this, ProgettoErrori);
    GrdErr->FontSize(std::max(11.0, Conv::ArrotondaPari(puntiGriglia_ * wr)));
    LarghezzeColonne();
}

void FrmError::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FrmError::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

bool FrmError::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == GrdErr->viewport() && evento->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(evento);
        if (m->button() == Qt::LeftButton) {
            const QModelIndex i = GrdErr->indexAt(m->position().toPoint());
            if (i.isValid()) GrdErr_Click(i.row(), i.column());
        }
    } else if (oggetto == TxtToService && evento->type() == QEvent::FocusIn) {
        CmdToService->setFocus();
    }
    return QWidget::eventFilter(oggetto, evento);
}
