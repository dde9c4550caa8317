#pragma once
// The grid of the ledger view: a table with one fixed row and one fixed column, addressed the
// way the ledger code thinks of it (rows and columns counted from the fixed ones, widths and
// heights in twips, colours as 0x00BBGGRR, a cursor cell and the selection's other end), and
// firing Click, DblClick, LeaveCell and Scroll.
//
// Row 0 is drawn by the horizontal header, column 0 by the vertical header and cell (0, 0) by
// the corner, so the fixed cells stay in place while the body scrolls. The cursor never sits
// on a fixed cell.

#include <QFont>
#include <QTableWidget>
#include <cstdint>
#include <vector>

class QAbstractButton;

namespace tallymo {

class CMSFlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit CMSFlexGrid(QWidget* parent = nullptr);

    // --- shape ------------------------------------------------------------------------------
    int Rows() const { return rowCount() + 1; }
    int Cols() const { return columnCount() + 1; }
    void SetRows(int rows);  // at least 1; the cursor stays inside
    void SetCols(int cols);

    // --- cursor and selection ---------------------------------------------------------------
    int Row() const;
    int Col() const;
    void SetRow(int row);  // also collapses the selection onto the cursor
    void SetCol(int col);
    int RowSel() const;  // the selection's other end
    int ColSel() const;
    void SetRowSel(int row);
    void SetColSel(int col);

    // --- texts and formats: of the cursor cell, or of any cell --------------------------------
    QString Text() const { return TextMatrix(Row(), Col()); }
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    void SetCellForeColorAt(int row, int col, std::uint32_t color);
    void SetCellBackColorAt(int row, int col, std::uint32_t color);
    void SetCellFontSizeAt(int row, int col, float points);
    void SetCellFontBoldAt(int row, int col, bool bold);
    std::uint32_t CellForeColorAt(int row, int col) const;
    std::uint32_t CellBackColorAt(int row, int col) const;
    bool CellFontBoldAt(int row, int col) const;
    float CellFontSizeAt(int row, int col) const;
    std::uint32_t BackColorFixed() const;
    QFont Font() const { return font(); }

    // --- painting and user rights ------------------------------------------------------------
    bool Redraw() const { return m_redraw; }
    void SetRedraw(bool redraw);
    void SetAllowBigSelection(bool allow);
    void SetAllowUserResizing(int mode);  // 0 none, 1 columns, 2 rows, 3 both

    // --- measures in twips ------------------------------------------------------------------
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    // The cell's rectangle in the grid's own pixel coordinates.
    QRect CellRect(int row, int col) const;
    int PixelsPerInchX() const { return logicalDpiX(); }
    int PixelsPerInchY() const { return logicalDpiY(); }

    // Runs a key through the grid's own handling (OnKeyDown, then navigation), for a view that
    // wants to act after the grid moved its cursor.
    void ProcessKey(QKeyEvent* event) { keyPressEvent(event); }

signals:
    void Click();
    void DblClick();
    void LeaveCell(int row, int col);  // the cell the cursor left
    void Scroll();
    void CursorMoved(int row, int col);  // after any change of the cursor cell
    // The user dragged a column boundary (col counted like the grid's columns).
    void ColumnResizedByUser(int col);

protected:
    // A subclass handles a key before the grid's own navigation; true keeps it from the grid.
    virtual bool OnKeyDown(QKeyEvent* event);
    // Runs after the row or column count changed.
    virtual void OnShapeChanged() {}

    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidgetItem* Item(int row, int col) const;  // nullptr for the corner and outside
    void FillItems();
    void ClampCursor();
    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;
    int PixelsToTwipsX(int pixels) const;
    int PixelsToTwipsY(int pixels) const;
    void PaintCorner(QAbstractButton* corner);

    bool m_redraw = true;
    bool m_settingWidth = false;
    QString m_cornerText;
    QFont m_cornerFont;
    std::uint32_t m_cornerFore = 0;
    // The twips last set per column, so that reading a width back gives the same figure as
    // long as the user has not resized the column.
    std::vector<int> m_colTwips;
    std::vector<int> m_rowTwips;
    int m_lastRow = 1;
    int m_lastCol = 1;
};

}  // namespace tallymo
