#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <functional>

#include "calc/widgets/CalcEdit.h"
#include "support/FrameFixture.h"
#include "views/widgets/WizardDlg.h"

namespace tallymo {
namespace {

using test::Day;

// Built-in matters: 収入 | 食費 交通費 交際費 光熱費 通信費 住居費 雑費.
constexpr MatterIndex kFood = 1;

QStringList Names(const CWizardDlg& dialog, bool income) {
    QStringList names;
    for (const CWizardDlg::Row& row : dialog.Rows(income)) names << row.name->text();
    return names;
}

TEST(WizardDlgTest, RowsAndScrollBarsFollowTheVisibleMatters) {
    struct Case {
        int extraIncome;  // visible income matters added to 収入
        int hiddenOutgo;  // outgo matters hidden from the end of the list
        int incomeRows;
        bool incomeBar;
        int outgoRows;
        int outgoMaximum;
        QStringList outgoAfterOneLine;
    };
    const Case cases[] = {
        {2, 0, 3, false, 5, 2, {"交通費", "交際費", "光熱費", "通信費", "住居費"}},
        {4, 2, 5, true, 5, 0, {"食費", "交通費", "交際費", "光熱費", "通信費"}},
        {0, 7, 1, false, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extraIncome * 10 + c.hiddenOutgo);
        test::DocFixture docs;
        CTallymoDoc& doc = docs.doc;
        for (int i = 0; i < c.extraIncome; ++i)
            doc.InsertMatter(1, test::Sjis("臨時") + std::to_string(i), true, true);
        for (int i = 0; i < c.hiddenOutgo; ++i) {
            const MatterIndex last = doc.MatterCount() - 1 - i;
            doc.ModifyMatter(last, doc.GetMatter(last)->Name(), false);
        }
        CWizardDlg dialog(doc, {});
        EXPECT_EQ(dialog.windowTitle(), "入力ウィザード");
        ASSERT_EQ(static_cast<int>(dialog.Rows(true).size()), c.incomeRows);
        ASSERT_EQ(static_cast<int>(dialog.Rows(false).size()), c.outgoRows);
        EXPECT_EQ(dialog.Rows(true)[0].name->text(), "収入");
        EXPECT_EQ(dialog.ScrollBar(true)->isVisibleTo(&dialog), c.incomeBar);
        EXPECT_EQ(dialog.ScrollBar(false)->isVisibleTo(&dialog), c.outgoRows == 5);
        EXPECT_EQ(dialog.ScrollBar(false)->minimum(), 0);
        EXPECT_EQ(dialog.ScrollBar(false)->maximum(), c.outgoMaximum);
        // Ids: income rows first, then the outgo rows; names grey and out of the tab order.
        if (c.outgoRows > 0) {
            EXPECT_EQ(dialog.Rows(false)[0].amount->property("controlId").toInt(),
                      10000 + c.incomeRows);
            EXPECT_TRUE(dialog.Rows(false)[0].name->IsDisplayOnly());
            EXPECT_EQ(dialog.Rows(false)[0].name->focusPolicy(), Qt::NoFocus);
        }
        dialog.ScrollBar(false)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(Names(dialog, false), c.outgoAfterOneLine);
    }
}

// Whatever ends the editing of a field (another day, either way of scrolling, 記帳), the typed
// amount is booked for the day and matter the field showed. A bad expression books nothing,
// is reported, and holds the dialog where it was with the text kept for correction.
TEST(WizardDlgTest, TypedAmountsAreBookedByEveryWayOfLeavingThem) {
    struct Action {
        const char* name;
        std::function<void(CWizardDlg&)> run;
        std::function<bool(CWizardDlg&)> held;  // the action did not take place
    };
    const Action actions[] = {
        {"another day", [](CWizardDlg& d) { d.Calendar()->setSelectedDate(QDate(2005, 3, 4)); },
         [](CWizardDlg& d) { return d.Calendar()->selectedDate() == QDate(2005, 3, 3); }},
        {"scroll bar click",
         [](CWizardDlg& d) {
             d.ScrollBar(false)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
         },
         [](CWizardDlg& d) { return d.ScrollBar(false)->value() == 0; }},
        {"page down",
         [](CWizardDlg& d) {
             d.ScrollBar(false)->triggerAction(QAbstractSlider::SliderPageStepAdd);
         },
         [](CWizardDlg& d) { return d.ScrollBar(false)->value() == 0; }},
        {"wheel toward the user",
         [](CWizardDlg& d) {
             QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(&d, &wheel);
         },
         [](CWizardDlg& d) { return d.ScrollBar(false)->value() == 0; }},
        {"記帳 by its mnemonic",
         [](CWizardDlg& d) {
             QTest::keyClick(&d, Qt::Key_W, Qt::AltModifier);
             QTest::qWait(300);  // the button's animated click
         },
         [](CWizardDlg& d) { return d.isVisible(); }},
    };
    for (const Action& action : actions) {
        for (const bool good : {true, false}) {
            SCOPED_TRACE(std::string(action.name) + (good ? " / good" : " / bad"));
            test::DocFixture docs(Day(2005, 3, 3));
            test::MessageCapture messages;
            CTallymoDoc& doc = docs.doc;
            doc.BookEntry(Day(2005, 3, 3), kFood, 400, "", false);
            doc.BookEntry(Day(2005, 3, 3), kFood, 600, "", false);
            doc.BookEntry(Day(2005, 3, 4), kFood, 80, "", false);
            CWizardDlg dialog(doc, {});
            ASSERT_TRUE(test::ShowActive(dialog));
            CCalcEdit& food = *dialog.Rows(false)[0].amount;
            EXPECT_EQ(food.text(), "1,000");  // two entries, one amount
            ASSERT_TRUE(test::FocusOn(food));
            food.selectAll();
            QTest::keyClicks(&food, good ? "250*2" : "5**");

            action.run(dialog);

            EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), kFood), good ? 500 : 1000);
            EXPECT_EQ(doc.CountEntries(kFood, Day(2005, 3, 3), Day(2005, 3, 3)), good ? 1 : 2);
            EXPECT_EQ(doc.DayAmount(Day(2005, 3, 4), kFood), 80);
            EXPECT_EQ(messages.messages.size(), good ? 0u : 1u);
            EXPECT_EQ(action.held(dialog), !good);
            if (!good) {
                EXPECT_EQ(food.text(), "5**");
            }
        }
    }
}

TEST(WizardDlgTest, CommittingUnchangedMergesTheDayAndAnotherDayShowsItsAmounts) {
    test::DocFixture docs(Day(2005, 3, 3));
    CTallymoDoc& doc = docs.doc;
    doc.BookEntry(Day(2005, 3, 3), kFood, 400, "", false);
    doc.BookEntry(Day(2005, 3, 3), kFood, 600, "", false);
    doc.BookEntry(Day(2005, 3, 4), 0, 25000, "", false);
    CWizardDlg dialog(doc, {});
    EXPECT_TRUE(dialog.CommitAll());
    EXPECT_EQ(doc.CountEntries(kFood, Day(2005, 3, 3), Day(2005, 3, 3)), 1);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), kFood), 1000);
    dialog.Calendar()->setSelectedDate(QDate(2005, 3, 4));
    EXPECT_EQ(dialog.ShownDay(), Day(2005, 3, 4));
    EXPECT_EQ(dialog.Rows(true)[0].amount->text(), "25,000");
    EXPECT_EQ(dialog.Rows(false)[0].amount->text(), "0");
    EXPECT_EQ(dialog.Rows(false)[0].amount->BoundDate(), Day(2005, 3, 4));
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 4), kFood), 0);  // a shown 0 books nothing
    EXPECT_EQ(doc.CountEntries(kFood, Day(2005, 3, 4), Day(2005, 3, 4)), 0);
}

}  // namespace
}  // namespace tallymo
