#pragma once
// The three panes of the main window over one document, wired the way the frame wires them,
// in an active top-level window: the booking pane and the calculator on the left, the ledger
// view on the right, and the status text they send. Header-only, for the widget tests.

#include <QHBoxLayout>
#include <QTest>
#include <QVBoxLayout>

#include "calc/widgets/CalcEdit.h"
#include "calc/widgets/CalcView.h"
#include "support/WidgetTestSupport.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/TallymoView.h"

namespace tallymo::test {

class PanesFixture {
public:
    PanesFixture() : doc(fixture.doc) {
        pane = new COperationView(doc);
        calculator = new CCalcView(*pane);
        view = new CTallymoView(doc);
        QObject::connect(view, &CTallymoView::cursorCellChanged, pane, &COperationView::SelectCell);
        QObject::connect(pane, &COperationView::dayPicked, view, &CTallymoView::ShowMatterColumn);
        const auto keepStatus = [this](const QString& text) { status = text; };
        QObject::connect(view, &CTallymoView::statusTextChanged, keepStatus);
        QObject::connect(pane, &COperationView::statusTextChanged, keepStatus);
        pane->setFixedSize(190, 310);
        auto* left = new QVBoxLayout;
        left->addWidget(pane);
        left->addWidget(calculator);
        auto* layout = new QHBoxLayout(&window);
        layout->addLayout(left);
        layout->addWidget(view, 1);
        window.resize(900, 600);
        ok = ShowActive(window);
        view->SetUpGrid();
    }

    CLedgerGrid& Grid() { return view->Grid(); }
    CCalcEdit& Amount() { return pane->AmountField(); }
    const LedgerTableShape& Shape() { return view->Shape(); }
    // The grid row that shows a day of the window (0 when the day is not shown).
    int RowOf(TimeValue day) {
        for (int r = Shape().FirstDayRow(); r <= Shape().LastDayRow(); ++r)
            if (view->RowDate(r) == day) return r;
        return 0;
    }
    void PutCursor(int row, int col) {
        Grid().SetCol(col);
        Grid().SetRow(row);
    }
    QPoint CellCenter(int row, int col) {
        return Grid().CellRect(row, col).center() - Grid().viewport()->pos();
    }
    void ClickCell(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, modifiers, CellCenter(row, col));
    }
    void DoubleClickCell(int row, int col) {
        QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(row, col));
    }

    DocFixture fixture;
    CTallymoDoc& doc;
    MessageCapture capture;
    QString status;  // before the window: closing the window may still write to it
    QWidget window;
    COperationView* pane = nullptr;
    CCalcView* calculator = nullptr;
    CTallymoView* view = nullptr;
    bool ok = false;
};

}  // namespace tallymo::test
