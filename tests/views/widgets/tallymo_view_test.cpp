#include <gtest/gtest.h>

#include <QFontMetrics>

#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUrl>
#include <QWheelEvent>

#include "support/PanesFixture.h"

namespace tallymo {
namespace {

using test::Day;

// Built-in matters: 収入 | 食費 交通費 交際費 光熱費 通信費 住居費 雑費; column = index + 1.
// The cell texts themselves are the period table's (tests/views/period_table_test.cpp).
constexpr MatterIndex kIncome = 0;
constexpr MatterIndex kFood = 1;
constexpr MatterIndex kFares = 2;
constexpr int kFoodColumn = 2;

class TallymoViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.BookEntry(Day(2005, 3, 1), kIncome, 1000, {}, false);
        doc.BookEntry(Day(2005, 3, 3), kFood, 500, {}, false);
        doc.BookEntry(Day(2005, 3, 4), kFood, 700, {}, false);
        doc.BookEntry(Day(2005, 3, 5), kFares, 300, {}, false);
        doc.BookEntry(Day(2005, 3, 10), kFood, 1200, {}, false);
        doc.BookEntry(Day(2005, 3, 10), kFares, 2000, {}, false);
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(panes.ok);
        panes.PutCursor(tenth, kFoodColumn);
        ASSERT_TRUE(test::FocusOn(grid));
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        panes.KeyOnGrid(key, modifiers);
    }
    int RowOf(int month, int day) { return panes.RowOf(Day(2005, month, day)); }
    std::int32_t FoodOn(int month, int day) { return doc.DayAmount(Day(2005, month, day), kFood); }

    test::PanesFixture panes;  // month view, today 2005-03-15
    CTallymoDoc& doc = panes.doc;
    CLedgerGrid& grid = panes.Grid();
    CTallymoView& view = *panes.view;
    const int tenth = panes.RowOf(Day(2005, 3, 10));
};

TEST_F(TallymoViewTest, GridShowsTheTableInItsFormats) {
    ASSERT_EQ(grid.Rows(), 31);  // 16 February .. 15 March, header, carry-forward, total
    ASSERT_EQ(grid.Cols(), 10);
    EXPECT_EQ(grid.CellForeColorAt(RowOf(3, 3), 9), kBlack);
    EXPECT_EQ(grid.TextMatrix(RowOf(3, 5), 9), "-500");
    EXPECT_EQ(grid.CellForeColorAt(RowOf(3, 5), 9), kRed);

    EXPECT_EQ(grid.ColWidth(0), 990);  // FontSize 90 x 11
    EXPECT_EQ(grid.ColWidth(2), doc.GetMatter(kFood)->CellWidth());
    EXPECT_EQ(grid.RowHeight(5), 250);
    EXPECT_EQ(grid.CellBackColorAt(grid.Rows() - 1, 3), grid.BackColorFixed());
    EXPECT_FALSE(doc.IsModified());  // setting widths up is no change by the user

    // The bold caption follows the cursor.
    EXPECT_TRUE(grid.CellFontBoldAt(tenth, 0));
    panes.ClickCell(RowOf(3, 4), 3);
    for (int r = 1; r < grid.Rows(); ++r) EXPECT_EQ(grid.CellFontBoldAt(r, 0), r == RowOf(3, 4));
}

TEST_F(TallymoViewTest, CursorPastTheFirstOrLastDayRowMovesTheWindow) {
    const int last = panes.Shape().LastDayRow();
    panes.PutCursor(2, kFoodColumn);
    Key(Qt::Key_Up);  // back by the window's length
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 2, 15));
    EXPECT_EQ(grid.Row(), last);
    EXPECT_EQ(grid.Rows(), 31);  // the shape stays until the next set-up
    EXPECT_FALSE(doc.IsModified());

    doc.SetCurrentDate(Day(2005, 3, 15));
    panes.PutCursor(last, kFoodColumn);
    Key(Qt::Key_Down);  // on by one day
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 3, 16));
    EXPECT_EQ(grid.TextMatrix(2, 0), "02/17(木)");
    EXPECT_EQ(panes.pane->Calendar().selectedDate(), QDate(2005, 3, 16));

    // Never past the last day a time value holds.
    doc.SetCurrentDate(Day(2038, 1, 18));
    panes.PutCursor(last, kFoodColumn);
    Key(Qt::Key_Down);
    EXPECT_EQ(doc.GetCurrentDate(), Day(2038, 1, 18));
    EXPECT_EQ(grid.TextMatrix(last, 0), "01/18(月)");
}

TEST_F(TallymoViewTest, ArrowsTabAndWheelMoveTheCursorAndThePane) {
    Key(Qt::Key_Up);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid.Row(), tenth - 1);
    EXPECT_EQ(grid.Col(), kFoodColumn + 1);
    EXPECT_EQ(panes.pane->Calendar().selectedDate(), QDate(2005, 3, 9));
    EXPECT_EQ(panes.pane->SelectedPosition(), kFoodColumn);

    panes.PutCursor(tenth, 8);
    Key(Qt::Key_Tab);  // past the last matter column: the next row's first
    EXPECT_EQ(grid.Row(), tenth + 1);
    EXPECT_EQ(panes.pane->SelectedPosition(), 0);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);  // Shift+Tab goes back up a row, column kept
    EXPECT_EQ(grid.Row(), tenth);
    EXPECT_EQ(grid.Col(), 1);

    const auto wheel = [&](int delta) {
        const QPoint at = panes.CellCenter(tenth, 2);
        QWheelEvent event(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &event);
    };
    panes.PutCursor(tenth, kFoodColumn);
    wheel(-120);
    EXPECT_EQ(grid.Row(), tenth + 1);
    wheel(60);  // half a notch: not yet
    EXPECT_EQ(grid.Row(), tenth + 1);
    wheel(60);
    EXPECT_EQ(grid.Row(), tenth);
}

TEST_F(TallymoViewTest, RangeSelectionsShowTheirOutgoTotal) {
    QWidget* viewport = grid.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, panes.CellCenter(RowOf(3, 3), 2));
    QTest::mouseMove(viewport, panes.CellCenter(RowOf(3, 4), 2));
    QTest::mouseMove(viewport, panes.CellCenter(RowOf(3, 5), 2));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, panes.CellCenter(RowOf(3, 5), 2));
    EXPECT_EQ(panes.status, "2005年03月03日～2005年03月05日の支出合計：1,500円");

    panes.ClickCell(tenth, 2);
    EXPECT_EQ(panes.status, "2005年03月10日の支出合計：3,200円");
    panes.ClickCell(RowOf(3, 4), 2, Qt::ShiftModifier);
    EXPECT_EQ(panes.status, "2005年03月04日～2005年03月10日の支出合計：4,200円");

    // Hidden matters are noted when the total is not zero; reshaping stores no widths.
    std::vector<int> widths;
    for (MatterIndex m = 0; m < doc.MatterCount(); ++m)
        widths.push_back(doc.GetMatter(m)->CellWidth());
    doc.ModifyMatter(5, doc.GetMatter(5)->Name(), false);
    doc.ModifyMatter(6, doc.GetMatter(6)->Name(), false);
    view.SetUpGrid();
    for (MatterIndex m = 0; m < doc.MatterCount(); ++m)
        EXPECT_EQ(doc.GetMatter(m)->CellWidth(), widths[static_cast<std::size_t>(m)]) << m;
    panes.ClickCell(tenth, 2);
    EXPECT_EQ(panes.status,
              "2005年03月10日の支出合計：3,200円　※非表示設定されている事柄が2件あります");
    panes.ClickCell(RowOf(3, 9), 2);
    EXPECT_EQ(panes.status, "2005年03月09日の支出合計：0円");
}

TEST_F(TallymoViewTest, FixedCellsSwallowKeysAndOpenNoEditor) {
    // Carry-forward row, total row, balance column.
    for (const auto& [row, col] : {std::pair{1, 2}, {grid.Rows() - 1, 2}, {tenth, 9}}) {
        SCOPED_TRACE(row * 100 + col);
        panes.PutCursor(row, col);
        const QString before = grid.TextMatrix(row, col);
        for (Qt::Key key : {Qt::Key_7, Qt::Key_Return, Qt::Key_End}) Key(key);
        EXPECT_FALSE(grid.IsEditing());
        EXPECT_EQ(grid.Col(), col);
        EXPECT_EQ(grid.TextMatrix(row, col), before);
        panes.DoubleClickCell(row, col);
        EXPECT_FALSE(grid.IsEditing());
    }
    panes.PutCursor(1, 2);
    Key(Qt::Key_Right);  // the arrows still move from there
    EXPECT_EQ(grid.Col(), 3);
}

TEST_F(TallymoViewTest, InPlaceEditingByTypingEnterAndDoubleClick) {
    doc.BookEntry(Day(2005, 3, 10), kFood, 300, {}, false);  // two entries that day
    Key(Qt::Key_7);                                          // a digit replaces the figure
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.Editor().text(), "7");
    Key(Qt::Key_Return);
    EXPECT_EQ(FoodOn(3, 10), 7);
    EXPECT_EQ(doc.CountEntries(kFood, Day(2005, 3, 10), Day(2005, 3, 10)), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(grid.hasFocus());

    panes.PutCursor(RowOf(3, 3), kFoodColumn);
    doc.BookEntry(Day(2005, 3, 3), kFood, 700, {}, false);  // 1,200 shown
    Key(Qt::Key_Plus);                                      // an operator continues from the figure
    EXPECT_EQ(grid.Editor().text(), "1200+");
    QTest::keyClicks(QApplication::focusWidget(), "10*2");
    Key(Qt::Key_Return);
    EXPECT_EQ(FoodOn(3, 3), 1220);
    EXPECT_EQ(grid.TextMatrix(RowOf(3, 3), kFoodColumn), "1,220");

    Key(Qt::Key_Return);  // Enter opens with the figure selected, without commas
    EXPECT_EQ(grid.Editor().selectedText(), "1220");
    Key(Qt::Key_Return);
    panes.DoubleClickCell(RowOf(3, 4), kFoodColumn);
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.Editor().text(), "700");
}

TEST_F(TallymoViewTest, LeavingScrollingOrAFailureClosesTheEditor) {
    Key(Qt::Key_5);
    panes.ClickCell(RowOf(3, 4), 3);
    EXPECT_EQ(FoodOn(3, 10), 5);
    EXPECT_EQ(grid.TextMatrix(tenth, kFoodColumn), "5");

    // Up from the editor on the first day row stores for its own day before the window moves.
    panes.PutCursor(2, kFoodColumn);
    Key(Qt::Key_9);
    Key(Qt::Key_Up);
    EXPECT_EQ(doc.DayAmount(Day(2005, 2, 16), kFood), 9);
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 2, 15));

    doc.SetCurrentDate(Day(2005, 3, 15));
    view.resize(view.width(), 200);  // too low for the month: the grid scrolls
    panes.PutCursor(tenth, kFoodColumn);
    Key(Qt::Key_4);
    ASSERT_TRUE(grid.IsEditing());
    grid.verticalScrollBar()->setValue(0);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(FoodOn(3, 10), 4);

    // "4+" fails: the message, the text kept for correction, the cell's amount kept; Tab
    // and Down stay on the cell, Esc gives up the edit.
    Key(Qt::Key_Plus);
    Key(Qt::Key_Return);
    ASSERT_EQ(panes.capture.messages.size(), 1u);
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.Editor().selectedText(), "4+");
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Down}) {
        Key(key);
        EXPECT_TRUE(grid.IsEditing());
        EXPECT_EQ(grid.Row(), tenth);
    }
    EXPECT_EQ(panes.capture.messages.size(), 3u);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(grid.hasFocus());
    // Clicking away from a failed text reports it once and leaves the amount.
    Key(Qt::Key_Minus);
    Key(Qt::Key_Return);
    panes.ClickCell(RowOf(3, 4), 3);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(panes.capture.messages.size(), 4u);
    EXPECT_EQ(grid.TextMatrix(tenth, kFoodColumn), "4");
}

TEST_F(TallymoViewTest, ColumnsWidenForWideFiguresAndStoreOnlyTheUsersWidth) {
    const int before = grid.ColWidth(kFoodColumn);
    doc.BookEntry(Day(2005, 3, 10), kFood, 1068998800, {}, false);  // and 1,200
    const QString shown = grid.TextMatrix(tenth, kFoodColumn);
    ASSERT_EQ(shown, "1,069,000,000");
    QFont font = grid.Font();
    font.setPointSizeF(9);
    const int pixels = grid.columnWidth(kFoodColumn - 1);
    EXPECT_GT(pixels, QFontMetrics(font).horizontalAdvance(shown));
    EXPECT_GT(grid.ColWidth(kFoodColumn), before);
    EXPECT_EQ(doc.GetMatter(kFood)->CellWidth(), 900);  // the stored width stays the least
    doc.Undo();
    EXPECT_EQ(grid.ColWidth(kFoodColumn), before);
    // The balance column too.
    doc.BookEntry(Day(2005, 3, 10), 0, 2000000000, {}, false);
    const int last = panes.Shape().BalanceColumn();
    EXPECT_GT(grid.columnWidth(last - 1),
              QFontMetrics(font).horizontalAdvance(grid.TextMatrix(tenth, last)));
    EXPECT_EQ(doc.GetMatter(kFood)->CellWidth(), 900);

    // A width the user drags is stored in its matter and kept by a later set-up.
    const int dragged = grid.columnWidth(1) + 30;
    grid.horizontalHeader()->resizeSection(1, dragged);
    EXPECT_EQ(doc.GetMatter(kFood)->CellWidth(), dragged * 1440 / grid.PixelsPerInchX());
    EXPECT_EQ(doc.GetMatter(kFares)->CellWidth(), 900);
    view.SetUpGrid();  // a later set-up keeps the user's width
    EXPECT_EQ(grid.columnWidth(1), dragged);
}

TEST_F(TallymoViewTest, RefreshFollowsTheDocumentAndFitViewTheSize) {
    doc.BookEntry(Day(2005, 3, 15), kFares, 2500, {}, false);
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 2, 3), "2,500");
    doc.Undo();
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 2, 3), "0");
    // A matter hidden behind the view's back: the next refresh sets the grid up anew.
    doc.ModifyMatter(kFood, doc.GetMatter(kFood)->Name(), false);
    doc.RefreshLedgerView();
    EXPECT_EQ(grid.TextMatrix(0, 2), "交通費");

    view.ShowMatterColumn(4);  // the cursor to the last day of that column
    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(grid.Row(), panes.Shape().LastDayRow());
    EXPECT_EQ(panes.pane->SelectedPosition(), 4);

    // Fit view reshapes on every size change.
    doc.Settings().ShowType = 2;
    view.SetUpGrid();
    const auto expectedRows = [&] {
        const int client = grid.height() - 2 * grid.frameWidth();
        return FitToHeightRowCount(client, grid.PixelsPerInchY(), 250);
    };
    const int before = grid.Rows();
    EXPECT_EQ(before, expectedRows());
    view.resize(view.width(), view.height() - 100);
    EXPECT_EQ(grid.Rows(), expectedRows());
    EXPECT_LT(grid.Rows(), before);
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 2, 0), "03/15(火)");
}

TEST_F(TallymoViewTest, DroppedFilesHandTheFirstToTheFrame) {
    QSignalSpy dropped(&view, &CTallymoView::fileDropped);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/one.tm2"), QUrl::fromLocalFile("/tmp/two.tm2")});
    const QPointF at(20, 20);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.at(0).at(0).toString(), "/tmp/one.tm2");
}

}  // namespace
}  // namespace tallymo
