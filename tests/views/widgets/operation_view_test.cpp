#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "support/PanesFixture.h"

namespace tallymo {
namespace {

using test::Day;

// Built-in matters: 収入 | 食費 交通費 交際費 光熱費 通信費 住居費 雑費.
constexpr MatterIndex kFood = 1;
constexpr MatterIndex kSundry = 7;

class OperationViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(panes.ok); }

    void TypeAmount(const QString& text) {
        ASSERT_TRUE(test::FocusOn(panes.Amount()));
        panes.Amount().selectAll();
        QTest::keyClicks(&panes.Amount(), text);
    }
    // Selects the list position (-1: none), types the amount and clicks the booking button.
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

TEST_F(OperationViewTest, EnterBooksTheExpressionAndReadiesTheNextMatter) {
    QListWidget& list = pane.MatterList();
    QStringList shown;
    for (int i = 0; i < list.count(); ++i) shown << list.item(i)->text();
    EXPECT_EQ(shown, QString("収入 食費 交通費 交際費 光熱費 通信費 住居費 雑費").split(' '));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                      list.visualItemRect(list.item(1)).center());
    EXPECT_TRUE(panes.Amount().hasFocus());  // the list click readies the field
    QTest::keyClicks(&panes.Amount(), "1000*1.05");
    QTest::keyClick(&panes.Amount(), Qt::Key_Return);
    EXPECT_EQ(Today(kFood), 1050);
    EXPECT_EQ(pane.SelectedPosition(), 2);
    EXPECT_EQ(panes.Amount().selectedText(), "0");
    EXPECT_EQ(panes.Grid().TextMatrix(panes.Shape().LastDayRow(), 2), "1,050");

    // A half-typed expression from the calculator keys is evaluated first.
    pane.SelectCell(today, 1);
    pane.Clear();
    for (const char* key : {"1", "0", "+", "5"}) pane.AppendKey(key, false);
    QTest::keyClick(&panes.Amount(), Qt::Key_E, Qt::AltModifier);  // 記帳 by its mnemonic
    EXPECT_EQ(Today(kFood), 1065);
}

TEST_F(OperationViewTest, OverwriteBoxReplacesTheDayAndAFailureBooksNothing) {
    QTest::mouseClick(&pane.OverwriteBox(), Qt::LeftButton);
    Book(1, "500");
    Book(1, "300");
    EXPECT_EQ(Today(kFood), 300);
    EXPECT_TRUE(doc.Settings().EnterMode);  // the check box's state travels with the ledger

    // The field's commit fails first, then the button's: the cell and the selection stay.
    pane.SelectCell(today, kFood);
    TypeAmount("+");
    QTest::keyClick(&panes.Amount(), Qt::Key_Return);
    QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
    EXPECT_EQ(panes.capture.messages.size(), 2u);
    EXPECT_EQ(Today(kFood), 300);
    EXPECT_EQ(pane.SelectedPosition(), kFood);
    EXPECT_EQ(panes.Amount().selectedText(), "+");
    EXPECT_TRUE(panes.Amount().hasFocus());
}

TEST_F(OperationViewTest, TypingInTheListOrCalendarGoesToTheAmountAndEnterBooks) {
    auto* days = pane.Calendar().findChild<QAbstractItemView*>();
    pane.SelectCell(today, kFood);
    const auto type = [](const char* keys) {
        for (const char* k = keys; *k; ++k) QTest::keyClick(QApplication::focusWidget(), *k);
    };
    ASSERT_TRUE(test::FocusOn(pane.MatterList()));
    type("12*3");
    EXPECT_EQ(panes.Amount().text(), "12*3");
    EXPECT_EQ(pane.SelectedPosition(), kFood);  // the digits picked no matter
    ASSERT_TRUE(test::FocusOn(*days));
    type("+4");
    EXPECT_EQ(panes.Amount().text(), "36+4");  // leaving the field evaluated it
    ASSERT_TRUE(test::FocusOn(*days));
    QTest::keyClick(days, Qt::Key_Return);  // presses 記帳(&E)
    EXPECT_EQ(Today(kFood), 40);
}

// After the last matter nothing is selected: picking a day keeps it so, the next booking goes
// to the last matter again (never a hidden one after it) and the list starts over.
TEST_F(OperationViewTest, PastTheLastMatterTheLastBooksAgain) {
    doc.ModifyMatter(kSundry, doc.GetMatter(kSundry)->Name(), false);
    pane.Initialize();
    Book(6, "10");
    EXPECT_EQ(pane.SelectedPosition(), -1);
    pane.Calendar().setSelectedDate(QDate(2005, 3, 3));
    EXPECT_EQ(pane.SelectedPosition(), -1);
    TypeAmount("9");
    QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), 6), 9);  // 住居費
    EXPECT_EQ(pane.SelectedPosition(), 0);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), kSundry), 0);
}

TEST_F(OperationViewTest, CalendarGridAndCancelDriveEachOther) {
    pane.SelectCell(today, 2);
    pane.Calendar().setSelectedDate(QDate(2005, 3, 3));
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 3, 3));
    EXPECT_EQ(panes.Grid().Row(), panes.Shape().LastDayRow());
    EXPECT_EQ(panes.Grid().Col(), 3);  // the third list position's column

    panes.ClickCell(panes.RowOf(Day(2005, 2, 28)), 4);
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 2, 28));
    EXPECT_EQ(pane.SelectedPosition(), 3);
    EXPECT_EQ(doc.GetCurrentDate(), Day(2005, 3, 3));  // the pane's update moves nothing back
    EXPECT_TRUE(panes.Grid().hasFocus());              // and does not take the focus from the grid

    // Cancel brings calendar and grid back to today, so the next booking goes where it shows.
    TypeAmount("77");
    QTest::mouseClick(&pane.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 15));
    EXPECT_EQ(pane.SelectedPosition(), 0);
    EXPECT_EQ(doc.GetCurrentDate(), today);
    EXPECT_EQ(panes.view->RowDate(panes.Grid().Row()), today);
}

}  // namespace
}  // namespace tallymo
