#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QScrollBar>

#include "support/PanesFixture.h"
#include "views/widgets/OfferedDates.h"

namespace tallymo {
namespace {

using test::Day;

// Built-in matters: 収入 | 食費 交通費 交際費 光熱費 通信費 住居費 雑費; column = index + 1.
// The cell texts themselves are the period table's (tests/views/period_table_test.cpp).
constexpr MatterIndex kFood = 1;
constexpr MatterIndex kFares = 2;
constexpr int kFoodColumn = 2;

class TallymoViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.BookEntry(Day(2005, 3, 1), 0, 1000, {}, false);
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

    void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    int RowOf(int month, int day) { return panes.RowOf(Day(2005, month, day)); }
    std::int32_t FoodOn(int month, int day) { return doc.DayAmount(Day(2005, month, day), kFood); }
    test::PanesFixture panes;  // month view, today 2005-03-15
    CTallymoDoc& doc = panes.doc;
    CLedgerGrid& grid = panes.Grid();
    CTallymoView& view = *panes.view;
    const int tenth = panes.RowOf(Day(2005, 3, 10));
};

// One row or column a key, the pane following; past the first or last day row the window of
// days moves, never past the last day a time value holds.
TEST_F(TallymoViewTest, KeysMoveTheCursorAndPastTheEndsTheWindow) {
    const int last = panes.Shape().LastDayRow();
    const struct {
        TimeValue current;
        int row, col;
        Qt::Key key;
        int toRow, toCol;
        TimeValue toCurrent;
    } cases[] = {
        {Day(2005, 3, 15), tenth, 2, Qt::Key_Up, tenth - 1, 2, Day(2005, 3, 15)},
        {Day(2005, 3, 15), tenth, 8, Qt::Key_Tab, tenth + 1, 1, Day(2005, 3, 15)},
        {Day(2005, 3, 15), tenth, 2, Qt::Key_Right, tenth, 3, Day(2005, 3, 15)},
        {Day(2005, 3, 15), 2, 2, Qt::Key_Up, last, 2, Day(2005, 2, 15)},
        {Day(2005, 3, 15), last, 2, Qt::Key_Down, last, 2, Day(2005, 3, 16)},
        {Day(2038, 1, 18), last, 2, Qt::Key_Down, last, 2, Day(2038, 1, 18)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " from " << c.row << "," << c.col);
        doc.SetCurrentDate(c.current);
        panes.PutCursor(c.row, c.col);
        Key(c.key);
        EXPECT_EQ(grid.Row(), c.toRow);
        EXPECT_EQ(grid.Col(), c.toCol);
        EXPECT_EQ(doc.GetCurrentDate(), c.toCurrent);
        EXPECT_EQ(panes.pane->Calendar().selectedDate(), ToQDate(view.RowDate(c.toRow)));
        EXPECT_EQ(panes.pane->SelectedPosition(), c.toCol - 1);
    }
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TallymoViewTest, RangeSelectionsShowTheirOutgoTotal) {
    panes.ClickCell(tenth, 2);
    panes.ClickCell(RowOf(3, 4), 2, Qt::ShiftModifier);
    EXPECT_EQ(panes.status, "2005年03月04日～2005年03月10日の支出合計：4,200円");
}

TEST_F(TallymoViewTest, FixedCellsSwallowKeysAndOpenNoEditor) {
    // Carry-forward row, total row, balance column.
    for (const auto& [row, col] : {std::pair{1, 2}, {grid.Rows() - 1, 2}, {tenth, 9}}) {
        SCOPED_TRACE(row * 100 + col);
        panes.PutCursor(row, col);
        const QString before = grid.TextMatrix(row, col);
        for (Qt::Key key : {Qt::Key_7, Qt::Key_Return}) Key(key);
        panes.DoubleClickCell(row, col);
        EXPECT_FALSE(grid.IsEditing());
        EXPECT_EQ(grid.TextMatrix(row, col), before);
    }
}

TEST_F(TallymoViewTest, InPlaceEditingByTypingEnterAndDoubleClick) {
    doc.BookEntry(Day(2005, 3, 10), kFood, 300, {}, false);  // two entries that day
    Key(Qt::Key_7);                                          // a digit replaces the figure
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.Editor().text(), "7");
    Key(Qt::Key_Return);
    EXPECT_EQ(doc.CountEntries(kFood, Day(2005, 3, 10), Day(2005, 3, 10)), 1);  // overwritten
    EXPECT_TRUE(grid.hasFocus());

    panes.PutCursor(RowOf(3, 3), kFoodColumn);
    doc.BookEntry(Day(2005, 3, 3), kFood, 700, {}, false);  // 1,200 shown
    Key(Qt::Key_Plus);                                      // an operator continues from the figure
    EXPECT_EQ(grid.Editor().text(), "1200+");
    QTest::keyClicks(QApplication::focusWidget(), "10*2");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.TextMatrix(RowOf(3, 3), kFoodColumn), "1,220");
    panes.DoubleClickCell(RowOf(3, 3), kFoodColumn);  // opens with the figure, without commas
    EXPECT_EQ(grid.Editor().text(), "1220");
}

TEST_F(TallymoViewTest, LeavingScrollingOrAFailureClosesTheEditor) {
    Key(Qt::Key_0);  // 0 opens the editor like any other digit
    panes.ClickCell(RowOf(3, 4), 3);
    EXPECT_EQ(FoodOn(3, 10), 0);

    // Up from the editor on the first day row stores for its own day before the window moves.
    panes.PutCursor(2, kFoodColumn);
    Key(Qt::Key_9);
    Key(Qt::Key_Up);
    EXPECT_EQ(doc.DayAmount(Day(2005, 2, 16), kFood), 9);

    doc.SetCurrentDate(Day(2005, 3, 15));
    view.resize(view.width(), 200);  // too low for the month: the grid scrolls
    panes.PutCursor(tenth, kFoodColumn);
    Key(Qt::Key_4);
    grid.verticalScrollBar()->setValue(0);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(FoodOn(3, 10), 4);

    // "4+" fails: the message, the text kept for correction, the cell's amount kept; Tab
    // and Down stay on the cell.
    Key(Qt::Key_Plus);
    Key(Qt::Key_Return);
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.Editor().selectedText(), "4+");
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Down}) {
        Key(key);
        EXPECT_TRUE(grid.IsEditing());
        EXPECT_EQ(grid.Row(), tenth);
    }
    // Clicking away from the failed text says nothing twice, closes the editor, keeps the amount.
    panes.ClickCell(RowOf(3, 4), 3);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(panes.capture.messages.size(), 3u);
    EXPECT_EQ(grid.TextMatrix(tenth, kFoodColumn), "4");
}

}  // namespace
}  // namespace tallymo
