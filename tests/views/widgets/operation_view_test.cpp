#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "support/PanesFixture.h"

namespace tallymo {
namespace {

using test::Day;

// Built-in matters: 収入 | 食費 交通費 交際費 光熱費 通信費 住居費 雑費.
constexpr MatterIndex kFood = 1;
constexpr MatterIndex kFares = 2;
constexpr MatterIndex kSundry = 7;

class OperationViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(panes.ok); }

    void TypeAmount(const QString& text) {
        ASSERT_TRUE(test::FocusOn(panes.Amount()));
        panes.Amount().selectAll();
        QTest::keyClicks(&panes.Amount(), text);
    }
    void ClickBook() { QTest::mouseClick(&panes.pane->BookButton(), Qt::LeftButton); }

    test::PanesFixture panes;
    CTallymoDoc& doc = panes.doc;
    const TimeValue today = Day(2005, 3, 15);
};

TEST_F(OperationViewTest, StartsFromTheDocument) {
    COperationView& pane = *panes.pane;
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 15));
    ASSERT_EQ(pane.MatterList().count(), 8);
    EXPECT_EQ(pane.MatterList().item(0)->text(), "収入");
    EXPECT_EQ(pane.MatterList().item(7)->text(), "雑費");
    EXPECT_EQ(pane.SelectedPosition(), 0);
    EXPECT_EQ(panes.Amount().text(), "0");
    EXPECT_FALSE(pane.OverwriteBox().isChecked());
    EXPECT_EQ(pane.Calendar().minimumDate(), QDate(1970, 1, 1));
    EXPECT_EQ(pane.Calendar().maximumDate(), QDate(2038, 1, 18));
    EXPECT_TRUE(pane.BookButton().isDefault());
    EXPECT_EQ(pane.BookButton().text(), "記帳(&E)");
    EXPECT_EQ(pane.CancelButton().text(), "取り消し(&C)");
    EXPECT_EQ(pane.OverwriteBox().text(), "金額を上書きする");
}

TEST_F(OperationViewTest, FitsItsPaneOf190By310) {
    const QSize least = panes.pane->minimumSizeHint();
    EXPECT_LE(least.width(), 190);
    EXPECT_LE(least.height(), 310);
    EXPECT_EQ(panes.pane->sizeHint(), QSize(190, 310));
    EXPECT_LE(panes.calculator->minimumSizeHint().width(), 190);
}

TEST_F(OperationViewTest, EnterCommitsTheExpressionAndBooksIt) {
    panes.pane->SelectCell(today, 1);
    TypeAmount("1000*1.05");
    QTest::keyClick(&panes.Amount(), Qt::Key_Return);
    EXPECT_EQ(doc.DayAmount(today, kFood), 1050);
    EXPECT_EQ(panes.Amount().text(), "0");
    EXPECT_EQ(panes.pane->SelectedPosition(), 2);  // the next matter is ready
    EXPECT_TRUE(panes.Amount().hasFocus());
    EXPECT_EQ(panes.Amount().selectedText(), "0");
    EXPECT_TRUE(doc.IsModified());
    // The grid shows it on today's row in the 食費 column.
    EXPECT_EQ(panes.Grid().TextMatrix(panes.Shape().LastDayRow(), 2), "1,050");
}

TEST_F(OperationViewTest, AddModeAddsAnEntryAndOverwriteModeReplacesTheDay) {
    for (int i = 0; i < 2; ++i) {
        panes.pane->SelectCell(today, 1);
        TypeAmount("500");
        ClickBook();
    }
    EXPECT_EQ(doc.DayAmount(today, kFood), 1000);
    EXPECT_EQ(doc.CountEntries(kFood, today, today), 2);
    EXPECT_EQ(panes.Grid().TextMatrix(panes.Shape().LastDayRow(), 2), "1,000");

    QTest::mouseClick(&panes.pane->OverwriteBox(), Qt::LeftButton);
    panes.pane->SelectCell(today, 1);
    TypeAmount("300");
    ClickBook();
    EXPECT_EQ(doc.DayAmount(today, kFood), 300);
    EXPECT_EQ(doc.CountEntries(kFood, today, today), 1);
    EXPECT_TRUE(doc.Settings().EnterMode);  // the check box's state travels with the ledger

    panes.pane->SelectCell(today, 1);
    TypeAmount("0");
    ClickBook();
    EXPECT_EQ(doc.CountEntries(kFood, today, today), 0);
}

TEST_F(OperationViewTest, ShownAmountWithSeparatorsBooksItsFigure) {
    panes.pane->SelectCell(today, 2);
    panes.Amount().setText("1,980");
    panes.pane->Book();
    EXPECT_EQ(doc.DayAmount(today, kFares), 1980);
}

TEST_F(OperationViewTest, AnExpressionFromTheCalculatorKeysIsEvaluatedBeforeBooking) {
    panes.pane->SelectCell(today, 1);
    panes.pane->Clear();
    for (const char* key : {"1", "0", "0", "0", "+", "5", "0", "0"})
        panes.pane->AppendKey(key, false);
    ClickBook();
    EXPECT_EQ(doc.DayAmount(today, kFood), 1500);
}

TEST_F(OperationViewTest, ListSelectionMovesOnAndPastTheEnd) {
    panes.pane->SelectCell(today, 7);
    TypeAmount("10");
    ClickBook();
    EXPECT_EQ(doc.DayAmount(today, kSundry), 10);
    EXPECT_EQ(panes.pane->SelectedPosition(), -1);

    // With no selection the last matter books again, and the list starts over.
    TypeAmount("5");
    ClickBook();
    EXPECT_EQ(doc.DayAmount(today, kSundry), 15);
    EXPECT_EQ(panes.pane->SelectedPosition(), 0);
}

TEST_F(OperationViewTest, NoSelectionNeverBooksIntoAHiddenMatter) {
    doc.ModifyMatter(kSundry, doc.GetMatter(kSundry)->Name(), false);
    panes.pane->Initialize();
    panes.pane->SelectCell(today, -1);
    TypeAmount("40");
    ClickBook();
    EXPECT_EQ(doc.DayAmount(today, kSundry), 0);
    EXPECT_EQ(doc.DayAmount(today, 6), 40);  // 住居費, the last matter in the list
}

TEST_F(OperationViewTest, BookingInALedgerWithoutMattersDoesNothing) {
    doc.SetMatterLists({}, {});
    panes.pane->Initialize();
    EXPECT_EQ(panes.pane->SelectedPosition(), -1);
    TypeAmount("500");
    ClickBook();
    EXPECT_TRUE(doc.Entries().empty());
}

TEST_F(OperationViewTest, CancelResetsThePaneButNotTheGrid) {
    panes.ClickCalendarDay(QDate(2005, 3, 3));
    ASSERT_EQ(doc.GetCurrentDate(), Day(2005, 3, 3));
    panes.pane->SelectCell(Day(2005, 3, 3), 4);
    TypeAmount("77+");
    QTest::mouseClick(&panes.pane->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(panes.pane->Calendar().selectedDate(), QDate(2005, 3, 15));  // today
    EXPECT_EQ(panes.pane->SelectedPosition(), 0);
    EXPECT_EQ(panes.Amount().text(), "0");
    EXPECT_FALSE(panes.Amount().isModified());
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 3, 3));
}

TEST_F(OperationViewTest, PickingADayMovesTheWindowAndTheGridCursor) {
    panes.pane->SelectCell(today, 2);
    panes.ClickCalendarDay(QDate(2005, 3, 3));
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 3, 3));
    const int last = panes.Shape().LastDayRow();
    EXPECT_EQ(panes.Grid().Row(), last);
    EXPECT_EQ(panes.Grid().Col(), 3);  // the third list position's column
    EXPECT_EQ(panes.Grid().TextMatrix(last, 0), "03/03(木)");
    EXPECT_TRUE(panes.Grid().CellFontBoldAt(last, 0));
    EXPECT_EQ(panes.status, "2005年03月03日の支出合計：0円");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(OperationViewTest, TheGridCursorDrivesThePane) {
    const int row = panes.RowOf(Day(2005, 3, 10));
    ASSERT_GT(row, 0);
    panes.ClickCell(row, 4);
    EXPECT_EQ(panes.pane->Calendar().selectedDate(), QDate(2005, 3, 10));
    EXPECT_EQ(panes.pane->SelectedPosition(), 3);
    EXPECT_EQ(doc.GetCurrentDate(), today);  // the pane's update moves nothing back
    EXPECT_TRUE(panes.Grid().hasFocus());    // and does not take the focus from the grid
}

TEST_F(OperationViewTest, PickingAMatterReadiesTheAmountField) {
    QListWidget& list = panes.pane->MatterList();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                      list.visualItemRect(list.item(2)).center());
    EXPECT_EQ(panes.pane->SelectedPosition(), 2);
    EXPECT_TRUE(panes.Amount().hasFocus());
    EXPECT_EQ(panes.Amount().selectedText(), panes.Amount().text());
}

TEST_F(OperationViewTest, StatusHintsForTheListAndTheCheckBox) {
    ASSERT_TRUE(test::FocusOn(panes.pane->MatterList()));
    EXPECT_EQ(panes.status, "記帳する事柄を選択します");
    QTest::mouseClick(&panes.pane->OverwriteBox(), Qt::LeftButton);
    EXPECT_EQ(panes.status, "金額を上書きする場合にはチェックを入れます");
}

TEST_F(OperationViewTest, AppendKeyFollowsTheEntryState) {
    COperationView& pane = *panes.pane;
    pane.Clear();
    pane.AppendKey("1", false);
    pane.AppendKey("2", false);
    pane.AppendKey("+", false);
    pane.AppendKey("3", false);
    EXPECT_EQ(panes.Amount().text(), "12+3");
    pane.AppendKey("=", true);
    EXPECT_EQ(panes.Amount().text(), "15");
    pane.AppendKey("*", false);
    EXPECT_EQ(panes.Amount().text(), "15");
    pane.AppendKey("4");
    EXPECT_EQ(panes.Amount().text(), "4");
    pane.AppendKey("=");  // the one-argument form evaluates on "="
    EXPECT_EQ(panes.Amount().text(), "4");
    EXPECT_FALSE(panes.Amount().isModified());
}

TEST_F(OperationViewTest, InitializeReadsTheDocumentAgain) {
    doc.ModifyMatter(kFood, doc.GetMatter(kFood)->Name(), false);
    doc.Settings().EnterMode = true;
    doc.SetCurrentDate(Day(2005, 1, 9));
    panes.Amount().setText("55");
    panes.pane->Initialize();
    EXPECT_EQ(panes.pane->MatterList().count(), 7);
    EXPECT_EQ(panes.pane->MatterList().item(1)->text(), "交通費");
    EXPECT_TRUE(panes.pane->OverwriteBox().isChecked());
    EXPECT_EQ(panes.pane->Calendar().selectedDate(), QDate(2005, 1, 9));
    EXPECT_EQ(panes.Amount().text(), "0");
}

}  // namespace
}  // namespace tallymo
