#include "controls/GrigliaDati.h"

#include <cmath>

#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QHeaderView>

#include "controls/PulsanteGraficoColori.h"
#include "engine/ModMainTasti.h"
#include "platform/Caratteri.h"

namespace {

constexpr int RuoloSfondo = Qt::UserRole + 1;     // colour set by the page, 0 when none
constexpr int RuoloTesto = Qt::UserRole + 2;
constexpr int RuoloAllineamento = Qt::UserRole + 3;
constexpr int TwipsPerPixel = 15;
constexpr int ColoreFisso = 15;                     // system colour: button face
constexpr int32_t ColoreNormale = 0xFFFFFF;

Qt::Alignment AllineamentoQt(int32_t codice, const QString& testo) {
    Qt::Alignment verticale = Qt::AlignVCenter;
    Qt::Alignment orizzontale = Qt::AlignLeft;
    if (codice >= 0 && codice <= 8) {
        const int o = codice / 3, v = codice % 3;
        orizzontale = o == 0 ? Qt::AlignLeft : (o == 1 ? Qt::AlignHCenter : Qt::AlignRight);
        verticale = v == 0 ? Qt::AlignTop : (v == 1 ? Qt::AlignVCenter : Qt::AlignBottom);
    } else {
        bool numero = false;
        testo.trimmed().toDouble(&numero);
        orizzontale = numero ? Qt::AlignRight : Qt::AlignLeft;
    }
    return orizzontale | verticale;
}

int Pixel(int32_t twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel)); }

} // namespace

GrigliaDati::GrigliaDati(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selection is the grid's own (Row, Col to RowSel, ColSel); the view
    // only shows it.
    setSelectionMode(QAbstractItemView::NoSelection);
    setFont(Piattaforma::CreaFont(QStringLiteral("MS Sans Serif"), 8.25));
    setRowCount(2);
    setColumnCount(2);
    PreparaCelle();
    MostraSelezione();
}

bool GrigliaDati::Valida(int32_t r, int32_t c) const { return r >= 0 && c >= 0 && r < rowCount() && c < columnCount(); }

QTableWidgetItem* GrigliaDati::Cella(int32_t r, int32_t c) const { return Valida(r, c) ? item(r, c) : nullptr; }

void GrigliaDati::PreparaCelle() {
    LarghezzaFissata_.resize(static_cast<size_t>(columnCount()), false);
    AltezzaFissata_.resize(static_cast<size_t>(rowCount()), false);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (QTableWidgetItem* it = item(r, c)) {
                // A cell already in the grid is up to date unless it changed
                // between fixed and movable (its flags tell which it shows).
                const bool fissa = CellaFissa(r, c);
                if (fissa == !(it->flags() & Qt::ItemIsSelectable)) continue;
                ApplicaAspetto(*it, fissa);
                continue;
            }
            // A new cell takes its looks before it joins the grid, so that
            // filling a large grid sends no change per cell.
            auto* it = new QTableWidgetItem;
            it->setData(RuoloSfondo, 0);
            it->setData(RuoloTesto, 0);
            it->setData(RuoloAllineamento, 9);
            ApplicaAspetto(*it, CellaFissa(r, c));
            setItem(r, c, it);
        }
    }
    AggiornaDimensioni();
}

bool GrigliaDati::CellaFissa(int32_t r, int32_t c) const { return r < FixedRows_ || c < FixedCols_; }

void GrigliaDati::AggiornaCella(int32_t r, int32_t c) {
    if (QTableWidgetItem* it = Cella(r, c)) ApplicaAspetto(*it, CellaFissa(r, c));
}

void GrigliaDati::ApplicaAspetto(QTableWidgetItem& it, bool fissa) {
    const int32_t sfondo = it.data(RuoloSfondo).toInt();
    const int32_t testo = it.data(RuoloTesto).toInt();
    // Only what differs is set: every change of a cell in the grid is a
    // model change that the view handles.
    const QBrush fondo(
        Pulsante::ColoreQt(sfondo != 0 ? sfondo : (fissa ? Pulsante::ColoreSistema(ColoreFisso) : ColoreNormale)));
    if (it.background() != fondo) it.setBackground(fondo);
    const QBrush primoPiano(Pulsante::ColoreQt(testo));
    if (it.foreground() != primoPiano) it.setForeground(primoPiano);
    const Qt::Alignment allineamento = AllineamentoQt(it.data(RuoloAllineamento).toInt(), it.text());
    const QVariant attuale = it.data(Qt::TextAlignmentRole);
    if (!attuale.isValid() || qvariant_cast<Qt::Alignment>(attuale) != allineamento) it.setTextAlignment(allineamento);
    const Qt::ItemFlags flag = fissa ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (it.flags() != flag) it.setFlags(flag);
}

int GrigliaDati::AltezzaRigaFont() const { return QFontMetrics(font()).height() + 4; }
int GrigliaDati::LarghezzaColonnaFont() const { return QFontMetrics(font()).averageCharWidth() * 8 + 8; }

void GrigliaDati::AggiornaDimensioni() {
    const int h = AltezzaRigaFont();
    const int w = LarghezzaColonnaFont();
    for (int r = 0; r < rowCount(); ++r)
        if (!AltezzaFissata_[static_cast<size_t>(r)]) setRowHeight(r, h);
    for (int c = 0; c < columnCount(); ++c)
        if (!LarghezzaFissata_[static_cast<size_t>(c)]) setColumnWidth(c, w);
}

void GrigliaDati::Rows(int32_t n) {
    n = std::max(n, 0);
    setRowCount(n);
    AltezzaFissata_.resize(static_cast<size_t>(n), false);
    if (FixedRows_ > n) FixedRows_ = n;
    PreparaCelle();
    const int32_t ultima = std::max(n - 1, 0);
    RowSel_ = std::min(RowSel_, ultima);
    if (Row_ > ultima) SpostaCorrente(ultima, Col_);
    MostraSelezione();
}

void GrigliaDati::Cols(int32_t n) {
    n = std::max(n, 0);
    setColumnCount(n);
    LarghezzaFissata_.resize(static_cast<size_t>(n), false);
    if (FixedCols_ > n) FixedCols_ = n;
    PreparaCelle();
    const int32_t ultima = std::max(n - 1, 0);
    ColSel_ = std::min(ColSel_, ultima);
    if (Col_ > ultima) SpostaCorrente(Row_, ultima);
    MostraSelezione();
}

void GrigliaDati::FixedRows(int32_t n) {
    FixedRows_ = std::clamp(n, 0, static_cast<int32_t>(rowCount()));
    PreparaCelle();
}

void GrigliaDati::FixedCols(int32_t n) {
    FixedCols_ = std::clamp(n, 0, static_cast<int32_t>(columnCount()));
    PreparaCelle();
}

QString GrigliaDati::TextMatrix(int32_t r, int32_t c) const {
    const QTableWidgetItem* it = Cella(r, c);
    return it ? it->text() : QString();
}

void GrigliaDati::TextMatrix(int32_t r, int32_t c, const QString& testo) {
    QTableWidgetItem* it = Cella(r, c);
    if (!it) return;
    it->setText(testo);
    if (it->data(RuoloAllineamento).toInt() == 9) AggiornaCella(r, c);
}

int32_t GrigliaDati::CellBackColor(int32_t r, int32_t c) const {
    const QTableWidgetItem* it = Cella(r, c);
    return it ? it->data(RuoloSfondo).toInt() : 0;
}

void GrigliaDati::CellBackColor(int32_t r, int32_t c, int32_t colore) {
    if (QTableWidgetItem* it = Cella(r, c)) {
        it->setData(RuoloSfondo, colore);
        AggiornaCella(r, c);
    }
}

int32_t GrigliaDati::CellForeColor(int32_t r, int32_t c) const {
    const QTableWidgetItem* it = Cella(r, c);
    return it ? it->data(RuoloTesto).toInt() : 0;
}

void GrigliaDati::CellForeColor(int32_t r, int32_t c, int32_t colore) {
    if (QTableWidgetItem* it = Cella(r, c)) {
        it->setData(RuoloTesto, colore);
        AggiornaCella(r, c);
    }
}

int32_t GrigliaDati::CellAlignment(int32_t r, int32_t c) const {
    const QTableWidgetItem* it = Cella(r, c);
    return it ? it->data(RuoloAllineamento).toInt() : 9;
}

void GrigliaDati::CellAlignment(int32_t r, int32_t c, int32_t codice) {
    if (QTableWidgetItem* it = Cella(r, c)) {
        it->setData(RuoloAllineamento, codice);
        AggiornaCella(r, c);
    }
}

void GrigliaDati::SpostaCorrente(int32_t r, int32_t c) {
    const bool cambia = r != Row_ || c != Col_;
    if (cambia) emit LeaveCell();
    Row_ = r;
    Col_ = c;
    if (cambia) emit EnterCell();
}

void GrigliaDati::MostraSelezione() {
    QItemSelectionModel* sm = selectionModel();
    if (!sm) return;
    if (!Valida(Row_, Col_)) {
        sm->clearSelection();
        return;
    }
    const QModelIndex corrente = model()->index(Row_, Col_);
    sm->setCurrentIndex(corrente, QItemSelectionModel::NoUpdate);
    if (ColoriPagina_ && !hasFocus()) {
        sm->clearSelection();
        return;
    }
    if (Valida(RowSel_, ColSel_)) {
        const QItemSelection rettangolo(model()->index(std::min(Row_, RowSel_), std::min(Col_, ColSel_)),
                                        model()->index(std::max(Row_, RowSel_), std::max(Col_, ColSel_)));
        sm->select(rettangolo, QItemSelectionModel::ClearAndSelect);
    } else {
        sm->select(corrente, QItemSelectionModel::ClearAndSelect);
    }
}

void GrigliaDati::ColoriSelezione(int32_t sfondo, int32_t testo) {
    QPalette p = palette();
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Highlight, Pulsante::ColoreQt(sfondo));
        p.setColor(g, QPalette::HighlightedText, Pulsante::ColoreQt(testo));
    }
    setPalette(p);
    ColoriPagina_ = true;
    MostraSelezione();
}

void GrigliaDati::Row(int32_t r) {
    if (r < 0 || r >= rowCount()) return;
    SpostaCorrente(r, Col_);
    RowSel_ = Row_;
    ColSel_ = Col_;
    MostraSelezione();
}

void GrigliaDati::Col(int32_t c) {
    if (c < 0 || c >= columnCount()) return;
    SpostaCorrente(Row_, c);
    RowSel_ = Row_;
    ColSel_ = Col_;
    MostraSelezione();
}

void GrigliaDati::RowSel(int32_t r) {
    if (r < 0 || r >= rowCount()) return;
    RowSel_ = r;
    MostraSelezione();
}

void GrigliaDati::ColSel(int32_t c) {
    if (c < 0 || c >= columnCount()) return;
    ColSel_ = c;
    MostraSelezione();
}

int32_t GrigliaDati::ColWidth(int32_t c) const {
    return c >= 0 && c < columnCount() ? columnWidth(c) * TwipsPerPixel : 0;
}

void GrigliaDati::ColWidth(int32_t c, int32_t twips) {
    if (c < 0 || c >= columnCount()) return;
    LarghezzaFissata_[static_cast<size_t>(c)] = true;
    setColumnWidth(c, std::max(Pixel(twips), 0));
}

int32_t GrigliaDati::RowHeight(int32_t r) const { return r >= 0 && r < rowCount() ? rowHeight(r) * TwipsPerPixel : 0; }

void GrigliaDati::RowHeight(int32_t r, int32_t twips) {
    if (r < 0 || r >= rowCount()) return;
    AltezzaFissata_[static_cast<size_t>(r)] = true;
    setRowHeight(r, std::max(Pixel(twips), 0));
}

void GrigliaDati::Redraw(bool attivo) {
    Redraw_ = attivo;
    setUpdatesEnabled(attivo);
    if (attivo) viewport()->update();
}

void GrigliaDati::FontSize(double punti) {
    QFont f = font();
    f.setPointSizeF(punti);
    setFont(f);
}

void GrigliaDati::changeEvent(QEvent* e) {
    QTableWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) AggiornaDimensioni();
}

void GrigliaDati::focusInEvent(QFocusEvent* e) {
    QTableWidget::focusInEvent(e);
    if (ColoriPagina_) MostraSelezione();
}

void GrigliaDati::focusOutEvent(QFocusEvent* e) {
    QTableWidget::focusOutEvent(e);
    if (ColoriPagina_) MostraSelezione();
}

void GrigliaDati::mousePressEvent(QMouseEvent* e) {
    QWidget::setFocus(Qt::MouseFocusReason);
    const QModelIndex i = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton) Premuto_ = true;
    if (e->button() != Qt::LeftButton || !i.isValid()) {
        QTableWidget::mousePressEvent(e);
        return;
    }
    // A click in the header rows or columns does not move the current cell.
    if (i.row() < FixedRows_ || i.column() < FixedCols_) return;
    if (e->modifiers() & Qt::ShiftModifier) {
        RowSel_ = i.row();
        ColSel_ = i.column();
    } else {
        SpostaCorrente(i.row(), i.column());
        RowSel_ = Row_;
        ColSel_ = Col_;
    }
    Trascinamento_ = true;
    MostraSelezione();
}

void GrigliaDati::mouseMoveEvent(QMouseEvent* e) {
    if (!Trascinamento_) return;
    const QModelIndex i = indexAt(e->position().toPoint());
    if (!i.isValid()) return;
    RowSel_ = std::max(i.row(), FixedRows_);
    ColSel_ = std::max(i.column(), FixedCols_);
    MostraSelezione();
}

void GrigliaDati::mouseReleaseEvent(QMouseEvent* e) {
    Trascinamento_ = false;
    const bool clic = Premuto_ && e->button() == Qt::LeftButton;
    Premuto_ = false;
    QWidget::mouseReleaseEvent(e);
    if (clic) emit Click();
}

int16_t GrigliaDati::CodiceTasto(const QKeyEvent* e) { return ModMain::CodiceTasto(*e); }

void GrigliaDati::keyPressEvent(QKeyEvent* e) {
    emit KeyDown(CodiceTasto(e), ModMain::StatoMaiuscole(*e));
    int dr = 0, dc = 0;
    const int righeDati = std::max(rowCount() - FixedRows_, 1);
    const int pagina = std::max(viewport()->height() / std::max(rowHeight(std::min(FixedRows_, rowCount() - 1)), 1) - 1, 1);
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_Up: dr = -1; break;
    case Qt::Key_Down: dr = 1; break;
    case Qt::Key_Left: dc = -1; break;
    case Qt::Key_Right: dc = 1; break;
    case Qt::Key_PageUp: dr = -std::min(pagina, righeDati); break;
    case Qt::Key_PageDown: dr = std::min(pagina, righeDati); break;
    case Qt::Key_Home:
        dc = -columnCount();
        if (ctrl) dr = -rowCount();
        break;
    case Qt::Key_End:
        dc = columnCount();
        if (ctrl) dr = rowCount();
        break;
    default: {
        const QString t = e->text();
        if (!t.isEmpty() && t.at(0).unicode() < 256) emit KeyPress(static_cast<int16_t>(t.at(0).unicode()));
        // Not a movement key: the form sees it too.
        QWidget::keyPressEvent(e);
        return;
    }
    }
    if (rowCount() == 0 || columnCount() == 0) return;
    const int32_t primaR = std::min(FixedRows_, rowCount() - 1);
    const int32_t primaC = std::min(FixedCols_, columnCount() - 1);
    if (e->modifiers() & Qt::ShiftModifier) {
        RowSel_ = std::clamp(RowSel_ + dr, primaR, rowCount() - 1);
        ColSel_ = std::clamp(ColSel_ + dc, primaC, columnCount() - 1);
    } else {
        SpostaCorrente(std::clamp(Row_ + dr, primaR, rowCount() - 1), std::clamp(Col_ + dc, primaC, columnCount() - 1));
        RowSel_ = Row_;
        ColSel_ = Col_;
    }
    MostraSelezione();
    scrollTo(model()->index(RowSel_, ColSel_));
}

void GrigliaDati::keyReleaseEvent(QKeyEvent* e) {
    // A held key repeats its press; its release counts once, when let go.
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    emit KeyUp(CodiceTasto(e), ModMain::StatoMaiuscole(*e));
    QWidget::keyReleaseEvent(e);
}
