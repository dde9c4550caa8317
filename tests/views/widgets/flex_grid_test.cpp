#include <gtest/gtest.h>

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

// Widths in twips, the cursor cell's measures and the editing events are exercised through the
// ledger view (tallymo_view_test.cpp); these are the grid's own rules.
TEST_F(FlexGridTest, WidthsAndHeightsReadBackAsSetAndAnInchIs1440Twips) {
    grid.SetColWidth(2, 1234);
    EXPECT_EQ(grid.ColWidth(2), 1234);
    grid.SetColWidth(2, 1440);
    EXPECT_EQ(grid.columnWidth(1), grid.PixelsPerInchX());
    grid.SetRowHeight(2, 1440);
    EXPECT_EQ(grid.RowHeight(2), 1440);
    EXPECT_EQ(grid.rowHeight(1), grid.PixelsPerInchY());
    EXPECT_EQ(grid.TextMatrix(8, 1), QString());  // outside: nothing, and no crash
    EXPECT_EQ(grid.RowHeight(8), 0);
    EXPECT_EQ(grid.CellRect(1, 5), QRect());
}

TEST_F(FlexGridTest, CursorSelectionAndShrinking) {
    grid.SetRow(3);
    grid.SetCol(2);
    grid.SetRowSel(6);
    grid.SetColSel(4);
    EXPECT_EQ(grid.RowSel(), 6);
    EXPECT_EQ(grid.ColSel(), 4);
    grid.SetRow(5);  // setting the cursor collapses the selection
    EXPECT_EQ(grid.RowSel(), 5);
    EXPECT_EQ(grid.ColSel(), 2);
    grid.SetRowSel(0);  // nor the selection
    EXPECT_EQ(grid.RowSel(), 1);
    grid.SetRow(0);  // never on the fixed row
    EXPECT_EQ(grid.Row(), 1);

    grid.SetRow(7);
    grid.SetCol(4);
    grid.SetRows(4);
    grid.SetCols(3);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 2);
    grid.SetRows(0);
    EXPECT_EQ(grid.Rows(), 1);
    grid.SetRows(3);  // grown again, the cursor stays inside
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2);
}

TEST_F(FlexGridTest, LettersDoNotMoveTheCursor) {
    grid.SetTextMatrix(5, 1, "abc");
    grid.SetRow(2);
    grid.SetCol(1);
    QTest::keyClicks(&grid, "a");  // no jump to a cell starting with the letter
    EXPECT_EQ(grid.Row(), 2);
}

// A general-alignment grid: figures (digits, commas, a minus) stand right, everything else and
// the fixed row and column stay left.
TEST_F(FlexGridTest, FiguresStandRightAndWordsLeft) {
    const struct {
        int row, col;
        const char* text;
        Qt::Alignment horizontal;
    } cases[] = {
        {1, 1, "1,234", Qt::AlignRight},
        {2, 1, "-500", Qt::AlignRight},
        {1, 2, "", Qt::AlignLeft},
        {2, 2, "12a", Qt::AlignLeft},
    };
    for (const auto& c : cases) {
        grid.SetTextMatrix(c.row, c.col, QString::fromUtf8(c.text));
        EXPECT_EQ(Qt::Alignment(grid.item(c.row - 1, c.col - 1)->textAlignment()),
                  Qt::AlignVCenter | c.horizontal)
            << c.text;
    }
    grid.SetTextMatrix(0, 1, "123");  // the fixed row and column stay left
    grid.SetTextMatrix(1, 0, "123");
    for (const QTableWidgetItem* fixed : {grid.horizontalHeaderItem(0), grid.verticalHeaderItem(0)})
        EXPECT_EQ(Qt::Alignment(fixed->textAlignment()), Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace
}  // namespace tallymo
