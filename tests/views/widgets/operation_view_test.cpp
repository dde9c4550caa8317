#include <gtest/gtest.h>

#include <QAbstractItemView>
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
    // Selects the list position, types the amount and clicks the booking button.
    void Book(int position, const QString& amount) {
        pane.SelectCell(today, position);
        TypeAmount(amount);
        QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
    }
    std::int32_t Today(MatterIndex matter) { return doc.DayAmount(today, matter); }

    test::PanesFixture panes;
    CTallymoDoc& doc = panes.doc;
    COperationView& pane = *panes.pane;
    const TimeValue today = Day(2005, 3, 15);
};

TEST_F(OperationViewTest, StartsFromTheDocumentAndFitsItsPane) {
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 15));
    ASSERT_EQ(pane.MatterList().count(), 8);
    EXPECT_EQ(pane.SelectedPosition(), 0);
    EXPECT_TRUE(pane.BookButton().isDefault());
    // Only days that a time value holds.
    EXPECT_EQ(pane.Calendar().minimumDate(), QDate(1970, 1, 1));
    EXPECT_EQ(pane.Calendar().maximumDate(), QDate(2038, 1, 18));
    // 190 x 310 at its least.
    EXPECT_EQ(pane.sizeHint(), QSize(190, 310));
    EXPECT_LE(pane.minimumSizeHint().height(), 310);
    EXPECT_LE(panes.calculator->minimumSizeHint().width(), 190);

    // The list and the check box ready the field and the hint.
    QListWidget& list = pane.MatterList();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                      list.visualItemRect(list.item(2)).center());
    EXPECT_EQ(pane.SelectedPosition(), 2);
    EXPECT_TRUE(panes.Amount().hasFocus());
    EXPECT_EQ(panes.Amount().selectedText(), panes.Amount().text());

    ASSERT_TRUE(test::FocusOn(list));
    EXPECT_EQ(panes.status, "記帳する事柄を選択します");
    QTest::mouseClick(&pane.OverwriteBox(), Qt::LeftButton);
    EXPECT_EQ(panes.status, "金額を上書きする場合にはチェックを入れます");
}

TEST_F(OperationViewTest, EnterCommitsTheExpressionAndBooksIt) {
    pane.SelectCell(today, 1);
    TypeAmount("1000*1.05");
    QTest::keyClick(&panes.Amount(), Qt::Key_Return);
    EXPECT_EQ(Today(kFood), 1050);
    EXPECT_EQ(pane.SelectedPosition(), 2);  // the next matter is ready
    EXPECT_EQ(panes.Amount().selectedText(), "0");
    EXPECT_EQ(panes.Grid().TextMatrix(panes.Shape().LastDayRow(), 2), "1,050");

    pane.SelectCell(today, 2);
    panes.Amount().setText("1,980");  // a shown amount books its figure
    pane.Book();
    EXPECT_EQ(Today(kFares), 1980);

    // A half-typed expression from the calculator keys is evaluated first.
    pane.SelectCell(today, 1);
    pane.Clear();
    for (const char* key : {"1", "0", "0", "0", "+", "5", "0", "0"}) pane.AppendKey(key, false);
    QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
    EXPECT_EQ(Today(kFood), 2550);

    // Alt+E and Alt+C press the buttons from inside the pane.
    pane.SelectCell(today, 1);
    TypeAmount("500");
    QTest::keyClick(&panes.Amount(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(Today(kFood), 3050);
    TypeAmount("77");
    QTest::keyClick(&panes.Amount(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(panes.Amount().text(), "0");
    EXPECT_EQ(Today(kFares), 1980);
}

TEST_F(OperationViewTest, AddModeAddsAnEntryAndOverwriteModeReplacesTheDay) {
    Book(1, "500");
    Book(1, "500");
    EXPECT_EQ(Today(kFood), 1000);
    EXPECT_EQ(doc.CountEntries(kFood, today, today), 2);

    QTest::mouseClick(&pane.OverwriteBox(), Qt::LeftButton);
    Book(1, "300");
    EXPECT_EQ(Today(kFood), 300);
    EXPECT_EQ(doc.CountEntries(kFood, today, today), 1);
    EXPECT_TRUE(doc.Settings().EnterMode);  // the check box's state travels with the ledger
    Book(1, "0");
    EXPECT_EQ(doc.CountEntries(kFood, today, today), 0);

    // A failed expression books nothing and stays for correction.
    doc.BookEntry(today, kFood, 10000, {}, false);
    for (const char* typed : {"+", "5/0"}) {
        SCOPED_TRACE(typed);
        panes.capture.messages.clear();
        pane.SelectCell(today, kFood);
        TypeAmount(typed);
        QTest::keyClick(&panes.Amount(), Qt::Key_Return);  // the field's commit fails first
        QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
        EXPECT_EQ(panes.capture.messages.size(), 2u);
        EXPECT_EQ(Today(kFood), 10000);
        EXPECT_EQ(pane.SelectedPosition(), kFood);  // not moved on to the next matter
        EXPECT_EQ(panes.Amount().selectedText(), typed);
        EXPECT_TRUE(panes.Amount().hasFocus());
    }
    EXPECT_EQ(doc.Entries().size(), 1u);
}

TEST_F(OperationViewTest, TypingInTheListOrCalendarGoesToTheAmountAndEnterBooks) {
    auto* days = pane.Calendar().findChild<QAbstractItemView*>();
    ASSERT_NE(days, nullptr);
    pane.SelectCell(today, kFood);
    // Keys go where the focus is, as a person's do.
    const auto type = [](const char* keys) {
        for (const char* k = keys; *k; ++k) QTest::keyClick(QApplication::focusWidget(), *k);
    };
    ASSERT_TRUE(test::FocusOn(pane.MatterList()));
    type("12*3");
    EXPECT_EQ(panes.Amount().text(), "12*3");
    EXPECT_TRUE(panes.Amount().hasFocus());
    EXPECT_EQ(pane.SelectedPosition(), kFood);  // the digits picked no matter

    ASSERT_TRUE(test::FocusOn(*days));
    type("+4");
    EXPECT_EQ(panes.Amount().text(), "36+4");  // leaving the field evaluated it
    ASSERT_TRUE(test::FocusOn(*days));
    QTest::keyClick(days, Qt::Key_Return);  // presses 記帳(&E)
    EXPECT_EQ(Today(kFood), 40);
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 15));
}

TEST_F(OperationViewTest, ListSelectionMovesOnAndPastTheEnd) {
    Book(7, "10");
    EXPECT_EQ(Today(kSundry), 10);
    EXPECT_EQ(pane.SelectedPosition(), -1);
    panes.ClickCalendarDay(QDate(2005, 3, 3));
    EXPECT_EQ(pane.SelectedPosition(), -1);  // picking a day does not move to the first matter
    TypeAmount("9");
    QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), kSundry), 9);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), 0), 0);
    panes.ClickCalendarDay(QDate(2005, 3, 15));
    Book(7, "10");
    // With no selection the last matter books again, and the list starts over.
    TypeAmount("5");
    QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
    EXPECT_EQ(Today(kSundry), 25);
    EXPECT_EQ(pane.SelectedPosition(), 0);

    // The last matter of the list, never a hidden one after it.
    doc.ModifyMatter(kSundry, doc.GetMatter(kSundry)->Name(), false);
    pane.Initialize();
    Book(-1, "40");
    EXPECT_EQ(Today(kSundry), 25);
    EXPECT_EQ(Today(6), 40);  // 住居費
}

TEST_F(OperationViewTest, CancelBringsCalendarAndGridBackToTodayTogether) {
    panes.ClickCalendarDay(QDate(2005, 3, 3));
    pane.SelectCell(Day(2005, 3, 3), 4);
    TypeAmount("77");
    QTest::mouseClick(&pane.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 15));  // today
    EXPECT_EQ(pane.SelectedPosition(), 0);
    EXPECT_FALSE(panes.Amount().isModified());
    // The grid ends on today too, with the cursor there: the next booking goes where it shows.
    EXPECT_EQ(doc.GetCurrentDate(), today);
    EXPECT_EQ(panes.view->RowDate(panes.Grid().Row()), today);
    EXPECT_EQ(panes.Grid().Col(), 1);
    Book(0, "5");
    EXPECT_EQ(Today(0), 5);
}

TEST_F(OperationViewTest, CalendarAndGridDriveEachOther) {
    pane.SelectCell(today, 2);
    panes.ClickCalendarDay(QDate(2005, 3, 3));
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 3, 3));
    const int last = panes.Shape().LastDayRow();
    EXPECT_EQ(panes.Grid().Row(), last);
    EXPECT_EQ(panes.Grid().Col(), 3);  // the third list position's column
    EXPECT_EQ(panes.status, "2005年03月03日の支出合計：0円");
    EXPECT_FALSE(doc.IsModified());

    panes.ClickCell(panes.RowOf(Day(2005, 2, 28)), 4);
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 2, 28));
    EXPECT_EQ(pane.SelectedPosition(), 3);
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 3, 3));  // the pane's update moves nothing back
    EXPECT_TRUE(panes.Grid().hasFocus());              // and does not take the focus from the grid
}

TEST_F(OperationViewTest, InitializeReadsTheDocumentAgain) {
    doc.ModifyMatter(kFood, doc.GetMatter(kFood)->Name(), false);
    doc.Settings().EnterMode = true;
    doc.SetCurrentDate(Day(2005, 1, 9));
    panes.Amount().setText("55");
    pane.Initialize();
    EXPECT_EQ(pane.MatterList().count(), 7);
    EXPECT_TRUE(pane.OverwriteBox().isChecked());
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 1, 9));
    EXPECT_EQ(panes.Amount().text(), "0");

    // Booking in a ledger without matters does nothing.
    doc.SetMatterLists({}, {});
    pane.Initialize();
    EXPECT_EQ(pane.SelectedPosition(), -1);
    Book(-1, "500");
    EXPECT_TRUE(doc.Entries().empty());
}

}  // namespace
}  // namespace tallymo
