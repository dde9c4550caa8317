#include <gtest/gtest.h>

#include <QSignalSpy>

#include "calc/widgets/ColorRef.h"
#include "support/WidgetTestSupport.h"
#include "views/widgets/MSFlexGrid.h"

namespace tallymo {
namespace {

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.resize(500, 300);
        grid.SetCols(5);
        grid.SetRows(8);
        ASSERT_TRUE(test::ShowActive(grid));
    }
    QPoint Center(int row, int col) {
        return grid.CellRect(row, col).center() - grid.viewport()->pos();
    }

    CMSFlexGrid grid;
};

TEST_F(FlexGridTest, FixedRowAndColumnHoldTextsLikeAnyCell) {
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    const std::pair<int, int> cells[] = {{0, 0}, {0, 3}, {5, 0}, {5, 3}};
    for (const auto& [row, col] : cells) {
        const QString text = QStringLiteral("%1-%2").arg(row).arg(col);
        grid.SetTextMatrix(row, col, text);
        EXPECT_EQ(grid.TextMatrix(row, col), text);
        grid.SetCellFontBoldAt(row, col, true);
        EXPECT_TRUE(grid.CellFontBoldAt(row, col));
        grid.SetCellForeColorAt(row, col, kRed);
        EXPECT_EQ(grid.CellForeColorAt(row, col), kRed);
    }
    EXPECT_EQ(grid.TextMatrix(8, 1), QString());  // outside: nothing, and no crash
}

TEST_F(FlexGridTest, WidthsAndHeightsReadBackInTheTwipsSet) {
    for (const int twips : {900, 1000, 1234, 250}) {
        grid.SetColWidth(2, twips);
        EXPECT_EQ(grid.ColWidth(2), twips);
        grid.SetRowHeight(3, twips);
        EXPECT_EQ(grid.RowHeight(3), twips);
    }
    grid.SetColWidth(0, 990);
    EXPECT_EQ(grid.ColWidth(0), 990);
    grid.SetColWidth(2, 1440);
    EXPECT_EQ(grid.columnWidth(1), grid.PixelsPerInchX());
}

TEST_F(FlexGridTest, CursorAndTheSelectionsOtherEnd) {
    grid.SetRow(3);
    grid.SetCol(2);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.RowSel(), 3);
    grid.SetRowSel(6);
    grid.SetColSel(4);
    EXPECT_EQ(grid.RowSel(), 6);
    EXPECT_EQ(grid.ColSel(), 4);
    grid.SetRowSel(1);  // above the cursor
    EXPECT_EQ(grid.RowSel(), 1);
    grid.SetRow(5);  // setting the cursor collapses the selection
    EXPECT_EQ(grid.RowSel(), 5);
    EXPECT_EQ(grid.ColSel(), 2);
    grid.SetRow(0);  // never on the fixed row
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(FlexGridTest, CursorStaysInsideWhenTheGridShrinks) {
    grid.SetRow(7);
    grid.SetCol(4);
    grid.SetRows(4);
    grid.SetCols(3);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 2);
    grid.SetRows(0);
    EXPECT_EQ(grid.Rows(), 1);
}

TEST_F(FlexGridTest, CursorCellMeasuresInTwips) {
    grid.SetColWidth(0, 990);
    grid.SetColWidth(1, 900);
    grid.SetRowHeight(0, 300);
    grid.SetRowHeight(1, 300);
    grid.SetRow(2);
    grid.SetCol(2);
    const int px = grid.PixelsPerInchX();
    const QRect cell = grid.CellRect(2, 2);
    EXPECT_EQ(grid.CellLeft(), cell.left() * 1440 / px);
    EXPECT_EQ(grid.CellWidth(), cell.width() * 1440 / px);
    EXPECT_GT(grid.CellLeft(), grid.CellWidth());  // right of the fixed and first columns
    EXPECT_GT(grid.CellTop(), 0);
    EXPECT_GT(grid.CellHeight(), 0);
}

TEST_F(FlexGridTest, EventsFollowTheMouseAndTheCursor) {
    QSignalSpy clicks(&grid, &CMSFlexGrid::Click);
    QSignalSpy doubleClicks(&grid, &CMSFlexGrid::DblClick);
    QSignalSpy left(&grid, &CMSFlexGrid::LeaveCell);
    grid.SetRow(2);
    grid.SetCol(1);
    left.clear();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, Center(4, 3));
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(left.count(), 1);
    EXPECT_EQ(left.at(0).at(0).toInt(), 2);  // the cell the cursor left
    EXPECT_EQ(left.at(0).at(1).toInt(), 1);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.Col(), 3);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, Center(4, 3));
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST_F(FlexGridTest, RedrawOffStopsPainting) {
    EXPECT_TRUE(grid.Redraw());
    grid.SetRedraw(false);
    EXPECT_FALSE(grid.Redraw());
    EXPECT_FALSE(grid.updatesEnabled());
    grid.SetRedraw(true);
    EXPECT_TRUE(grid.updatesEnabled());
}

TEST_F(FlexGridTest, TypedLettersDoNotMoveTheCursor) {
    grid.SetTextMatrix(5, 1, "abc");
    grid.SetRow(2);
    grid.SetCol(1);
    QTest::keyClicks(&grid, "a");
    EXPECT_EQ(grid.Row(), 2);
}

}  // namespace
}  // namespace tallymo
