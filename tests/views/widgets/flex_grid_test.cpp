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

    CMSFlexGrid grid;
};

// Widths in twips, the cursor cell's measures and the editing events are exercised through the
// ledger view (tallymo_view_test.cpp); these are the grid's own rules.
TEST_F(FlexGridTest, CellsOutsideAreEmptyAndTheCursorStaysInside) {
    EXPECT_EQ(grid.TextMatrix(8, 1), QString());  // outside: nothing, and no crash
    EXPECT_EQ(grid.RowHeight(8), 0);
    EXPECT_EQ(grid.CellRect(1, 5), QRect());

    grid.SetRow(3);
    grid.SetCol(2);
    grid.SetRowSel(6);
    grid.SetColSel(4);
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
    grid.SetRows(3);  // grown again, the cursor stays inside
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2);
}

}  // namespace
}  // namespace tallymo
