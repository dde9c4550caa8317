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
    void CloseEditing();  // the editor's text into its cell, then hidden (committing it)
    // Stores what the editor holds now, even in a window that is not active (where no focus
    // change would commit it), then closes it.
    void FinishEditing();
    bool IsEditing() const;
    CCalcEdit& Editor() { return *m_editor; }

protected:
    bool OnKeyDown(QKeyEvent* event) override;
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
