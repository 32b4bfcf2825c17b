#pragma once
// The cell grid of the pages: a table with fixed header rows and columns at the
// top and left, text, colours and alignment per cell, a current cell (Row, Col)
// and the far corner of a rectangular selection (RowSel, ColSel), column widths
// and row heights in twips, and a redraw switch for bulk changes. Rows and
// columns without an explicit size follow the font.
//
// Keys and mouse as every grid page expects them: arrows, Home/End (row start
// and end; with Ctrl the first and last data cell) and PageUp/PageDown move the
// current cell within the data, Shift extends the selection instead, holding
// a key repeats it; a left-button drag selects a rectangle. Each press also
// raises KeyDown (and KeyPress for a character), each release KeyUp once (not
// for the repeats), each left click Click, with the codes of KeyCode/Shift.
#include <cstdint>
#include <vector>

#include <QtWidgets/QTableWidget>

class GrigliaDati : public QTableWidget {
    Q_OBJECT
public:
    explicit GrigliaDati(QWidget* parent = nullptr);

    int32_t Rows() const { return rowCount(); }
    void Rows(int32_t n);
    int32_t Cols() const { return columnCount(); }
    void Cols(int32_t n);
    int32_t FixedRows() const { return FixedRows_; }
    void FixedRows(int32_t n);
    int32_t FixedCols() const { return FixedCols_; }
    void FixedCols(int32_t n);

    QString TextMatrix(int32_t r, int32_t c) const;
    void TextMatrix(int32_t r, int32_t c, const QString& testo);
    QString Text() const { return TextMatrix(Row_, Col_); } // the current cell
    void Text(const QString& testo) { TextMatrix(Row_, Col_, testo); }

    // Cell colours (&HBBGGRR or system colours); 0 means the grid's own colour,
    // and reads back as 0 until a colour is set.
    int32_t CellBackColor(int32_t r, int32_t c) const;
    void CellBackColor(int32_t r, int32_t c, int32_t colore);
    int32_t CellForeColor(int32_t r, int32_t c) const;
    void CellForeColor(int32_t r, int32_t c, int32_t colore);
    // The same on the current cell.
    int32_t CellBackColor() const { return CellBackColor(Row_, Col_); }
    void CellBackColor(int32_t colore) { CellBackColor(Row_, Col_, colore); }
    int32_t CellForeColor() const { return CellForeColor(Row_, Col_); }
    void CellForeColor(int32_t colore) { CellForeColor(Row_, Col_, colore); }
    // Alignment codes: 0-2 left (top, centre, bottom), 3-5 centre, 6-8 right,
    // 9 general (text left, numbers right).
    int32_t CellAlignment(int32_t r, int32_t c) const;
    void CellAlignment(int32_t r, int32_t c, int32_t codice);
    int32_t CellAlignment() const { return CellAlignment(Row_, Col_); }
    void CellAlignment(int32_t codice) { CellAlignment(Row_, Col_, codice); }

    // Setting Row or Col makes the current cell the whole selection.
    int32_t Row() const { return Row_; }
    void Row(int32_t r);
    int32_t Col() const { return Col_; }
    void Col(int32_t c);
    int32_t RowSel() const { return RowSel_; }
    void RowSel(int32_t r);
    int32_t ColSel() const { return ColSel_; }
    void ColSel(int32_t c);

    // Sizes in twips; a size set here no longer follows the font.
    int32_t ColWidth(int32_t c) const;
    void ColWidth(int32_t c, int32_t twips);
    int32_t RowHeight(int32_t r) const;
    void RowHeight(int32_t r, int32_t twips);

    // The colours the selection is painted in (&HBBGGRR), for a page whose own
    // highlight colours the selected cells: the selection then shows in those
    // colours, and only while the grid has the focus, as the page's highlight
    // does. Otherwise it shows in the system highlight colours.
    void ColoriSelezione(int32_t sfondo, int32_t testo);

    bool Redraw() const { return Redraw_; }
    void Redraw(bool attivo);

    double FontSize() const { return font().pointSizeF(); }
    void FontSize(double punti);

    // Key code of a Qt key event as the pages read it (ModMain::CodiceTasto:
    // Enter 13, Esc 27, Delete 46, arrows 37-40, letters upper case, digits,
    // the plus and minus keys 187/189 and 107/109 on every layout ...), 0 for
    // others.
    static int16_t CodiceTasto(const QKeyEvent* e);

signals:
    // Before and after the current cell changes, by code or by the user.
    void LeaveCell();
    void EnterCell();
    void Click();
    void KeyDown(int16_t keyCode, int16_t shift);
    void KeyPress(int16_t keyAscii);
    void KeyUp(int16_t keyCode, int16_t shift);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QTableWidgetItem* Cella(int32_t r, int32_t c) const;
    void PreparaCelle();
    void AggiornaCella(int32_t r, int32_t c);
    bool CellaFissa(int32_t r, int32_t c) const;
    static void ApplicaAspetto(QTableWidgetItem& it, bool fissa);
    void AggiornaDimensioni();
    void SpostaCorrente(int32_t r, int32_t c);
    void MostraSelezione();
    bool Valida(int32_t r, int32_t c) const;
    int AltezzaRigaFont() const;  // pixels
    int LarghezzaColonnaFont() const;

    int32_t FixedRows_ = 1;
    int32_t FixedCols_ = 1;
    int32_t Row_ = 1, Col_ = 1, RowSel_ = 1, ColSel_ = 1;
    bool Redraw_ = true;
    bool ColoriPagina_ = false; // selection in the page's colours, while focused
    bool Trascinamento_ = false;
    bool Premuto_ = false; // a left press inside the grid waits for its release
    std::vector<bool> LarghezzaFissata_; // per column: width set by ColWidth
    std::vector<bool> AltezzaFissata_;   // per row: height set by RowHeight
};
