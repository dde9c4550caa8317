#pragma once
// The ledger view's grid: the flex grid with the table of cell kinds and an in-place amount
// editor. On an amount cell a double click, Enter, a typed digit or period (replacing the
// figure) or an operator (continuing from the figure) opens the editor over the cell; its
// commit stores the amount for that day and matter, replacing what the day had.

#include <cstdint>
#include <vector>

#include "views/PeriodTable.h"
#include "views/widgets/MSFlexGrid.h"

namespace tallymo {

class CCalcEdit;
class CTallymoDoc;

class CLedgerGrid : public CMSFlexGrid {
    Q_OBJECT
public:
    explicit CLedgerGrid(QWidget* parent = nullptr);

    // The document the editor stores into and the shape that gives each row its day and each
    // column its matter. Set at every grid set-up.
    void SetDocument(CTallymoDoc* doc, const LedgerTableShape& shape);

    CellKind Kind(int row, int col) const;
    void SetKind(int row, int col, CellKind kind);

    void BeginEditing();  // over the cursor cell, when it is an amount cell
    // Commits the editor and, when its amount was stored, puts its text into the cell; then
    // hides it. A text that does not evaluate is reported and stores nothing: the cell keeps
    // its amount. Works in a window that is not active too, where no focus change commits.
    void CloseEditing();
    void FinishEditing() { CloseEditing(); }
    // Commits an open editor and leaves it open; false when the text failed (reported).
    bool CommitEditing();
    // Esc: the edit is dropped and the cell keeps what it showed.
    void AbandonEditing();
    bool IsEditing() const;
    CCalcEdit& Editor() { return *m_editor; }

protected:
    bool OnKeyDown(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnShapeChanged() override;

private:
    bool CursorOnAmountCell() const;

    CCalcEdit* m_editor;
    CTallymoDoc* m_doc = nullptr;
    LedgerTableShape m_shape;
    std::vector<std::vector<CellKind>> m_kinds;  // [row][col]
    int m_editRow = 0;
    int m_editCol = 0;
};

}  // namespace tallymo
