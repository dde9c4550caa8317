#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <cstdio>
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
    // visible income matters added to 収入, outgo matters hidden from the end of the list; the
    // rows, scroll bar and maximum of each side; the outgo names after one line down
    const struct {
        int extraIncome, hiddenOutgo, incomeRows;
        bool incomeBar;
        int outgoRows, outgoMaximum;
        QStringList outgoAfterOneLine;
    } cases[] = {
        {2, 0, 3, false, 5, 2, {"交通費", "交際費", "光熱費", "通信費", "住居費"}},
        {4, 2, 5, true, 5, 0, {"食費", "交通費", "交際費", "光熱費", "通信費"}},
        {0, 7, 1, false, 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extraIncome * 10 + c.hiddenOutgo);
        test::DocFixture docs;
        CTallymoDoc& doc = docs.doc;
        for (int i = 0; i < c.extraIncome; ++i)
            doc.InsertMatter(1, test::Sjis("臨時" + std::to_string(i)), true, true);
        for (int i = 0; i < c.hiddenOutgo; ++i) {
            const MatterIndex last = doc.MatterCount() - 1 - i;
            doc.ModifyMatter(last, doc.GetMatter(last)->Name(), false);
        }
        CWizardDlg dialog(doc, {});
        ASSERT_EQ(static_cast<int>(dialog.Rows(true).size()), c.incomeRows);
        ASSERT_EQ(static_cast<int>(dialog.Rows(false).size()), c.outgoRows);
        EXPECT_EQ(dialog.ScrollBar(true)->isVisibleTo(&dialog), c.incomeBar);
        EXPECT_EQ(dialog.ScrollBar(false)->isVisibleTo(&dialog), c.outgoRows == 5);
        EXPECT_EQ(dialog.ScrollBar(false)->maximum(), c.outgoMaximum);
        EXPECT_TRUE(c.outgoRows == 0 || dialog.Rows(false)[0].name->IsDisplayOnly());
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
         [](CWizardDlg& d) { return d.ScrollBar(false)->value() != 1; }},
        {"wheel toward the user",
         [](CWizardDlg& d) {
             QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(&d, &wheel);
         },
         [](CWizardDlg& d) { return d.ScrollBar(false)->value() != 1; }},  // one line a notch
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
            doc.BookEntry(Day(2005, 3, 3), kFood, 400, {}, false);
            doc.BookEntry(Day(2005, 3, 3), kFood, 600, {}, false);
            doc.BookEntry(Day(2005, 3, 4), kFood, 80, {}, false);
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
            EXPECT_EQ(food.text(), good ? food.text() : "5**");
        }
    }
}

TEST(WizardDlgTest, CommittingUnchangedMergesTheDayAndAnotherDayShowsItsAmounts) {
    test::DocFixture docs(Day(2005, 3, 3));
    CTallymoDoc& doc = docs.doc;
    doc.BookEntry(Day(2005, 3, 3), kFood, 400, {}, false);
    doc.BookEntry(Day(2005, 3, 3), kFood, 600, {}, false);
    doc.BookEntry(Day(2005, 3, 4), 0, 25000, {}, false);
    CWizardDlg dialog(doc, {});
    EXPECT_TRUE(dialog.CommitAll());
    EXPECT_EQ(doc.CountEntries(kFood, Day(2005, 3, 3), Day(2005, 3, 3)), 1);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), kFood), 1000);
    dialog.Calendar()->setSelectedDate(QDate(2005, 3, 4));
    EXPECT_EQ(dialog.Rows(true)[0].amount->text(), "25,000");
    EXPECT_EQ(dialog.Rows(false)[0].amount->BoundDate(), Day(2005, 3, 4));
    EXPECT_TRUE(dialog.CommitAll());  // a shown 0 books nothing
    EXPECT_EQ(doc.CountEntries(kFood, Day(2005, 3, 4), Day(2005, 3, 4)), 0);
}

// --- the main window's start-up wizard ---------------------------------------------------------

class StartupWizardTest : public ::testing::Test {
protected:
    CMainFrame& Shown() {
        f.Create();
        EXPECT_TRUE(f.ShowActive());
        return *f.frame;
    }
    // Books `amount` for 食費 on the wizard's day, as typing it would.
    static void Type(CWizardDlg& dialog, std::int32_t amount) {
        dialog.Rows(false)[0].amount->setText(QString::number(amount));
        EXPECT_TRUE(dialog.CommitAll());
    }
    // Presses a button of the wizard; true when that ended it.
    static bool Press(CWizardDlg& dialog, bool book) {
        QSignalSpy finished(&dialog, &QDialog::finished);
        book ? dialog.accept() : dialog.reject();
        return finished.count() == 1;
    }
    std::int32_t Food(TimeValue day) { return doc.DayAmount(day, kFood); }

    test::FrameFixture f;
    CTallymoDoc& doc = f.docs.doc;
    const TimeValue today = Day(2005, 3, 15);
};

TEST_F(StartupWizardTest, CancelThrowsTheBookingsAwayByReloadingOrStartingANewLedger) {
    // with a file, booked in the ledger window before the wizard (not saved), the file gone by
    // the cancel; afterwards 食費 on 1 March (from the file)
    const struct {
        const char* name;
        bool withFile, bookedBefore, fileGoneMeanwhile;
        std::int32_t firstOfMarch;
    } cases[] = {
        {"file, unsaved booking before", true, true, false, 1200},
        {"file unreadable by then", true, false, true, 0},
        {"no file", false, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.Destroy();
        doc.OnNewDocument();
        CMainFrame& frame = Shown();
        const std::string path =
            f.WriteLedger(std::string(c.name) + ".tm2", {{Day(2005, 3, 1), 1200}});
        ASSERT_TRUE(!c.withFile || frame.OpenDocumentFile(QString::fromStdString(path)));
        if (c.bookedBefore) doc.BookEntry(Day(2005, 3, 2), kFood, 300, {}, false);
        f.questions.answers = {Answer::No, Answer::Yes};
        f.wizards.onWizard = [&](CWizardDlg& dialog) {
            EXPECT_TRUE(frame.isMinimized());
            Type(dialog, 700);
            EXPECT_EQ(Food(today), 700);  // booked at once
            if (c.fileGoneMeanwhile) std::remove(path.c_str());
            // Unsaved work from before goes with the wizard's only when the user says so.
            EXPECT_TRUE(!c.bookedBefore || !Press(dialog, false));
            EXPECT_TRUE(Press(dialog, false));
        };
        frame.RunStartupWizard();
        EXPECT_FALSE(frame.isMinimized());
        EXPECT_EQ(Food(today) + Food(Day(2005, 3, 2)), 0);
        EXPECT_EQ(Food(Day(2005, 3, 1)), c.firstOfMarch);
        EXPECT_EQ(doc.PathName().empty(), c.firstOfMarch == 0);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(f.messages.messages.size(), c.fileGoneMeanwhile ? 1u : 0u);
        f.messages.messages.clear();
    }
}

TEST_F(StartupWizardTest, QuitAfterBookingClosesOnlyWithTheLedgerSaved) {
    // with a file, the file's folder gone, a name chosen for a ledger without a file
    const struct {
        const char* name;
        bool withFile, saveFails, nameChosen, closes;
    } cases[] = {
        {"named, then saved", false, false, true, true},
        {"name dialog cancelled", false, false, false, false},
        {"save fails", true, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.Destroy();
        doc.OnNewDocument();
        CMainFrame& frame = Shown();
        const std::string path = f.WriteLedger("quit.tm2", {});
        ASSERT_TRUE(!c.withFile || frame.OpenDocumentFile(QString::fromStdString(path)));
        if (c.saveFails) doc.SetPathName(f.folder + "/gone/quit.tm2");
        if (c.nameChosen) f.fileChoices.push_back({QString::fromStdString(path), 0});
        bool stayedOpen = false;
        f.wizards.onWizard = [&](CWizardDlg& dialog) {
            Type(dialog, 900);
            dialog.DontShowAgain()->setChecked(true);
            dialog.QuitAfterBooking()->setChecked(true);
            if (Press(dialog, true)) return;
            // The wizard stays with its amounts; without the box it ends and the window stays.
            stayedOpen = true;
            dialog.QuitAfterBooking()->setChecked(false);
            EXPECT_TRUE(Press(dialog, true));
        };
        frame.RunStartupWizard();
        EXPECT_EQ(stayedOpen, !c.closes);
        EXPECT_EQ(f.messages.messages.size(), c.saveFails ? 1u : 0u);
        QTest::qWait(50);
        EXPECT_EQ(frame.isVisible(), !c.closes);
        if (c.closes) {
            // On disk: the amount, and no wizard next time.
            MemorySettingsStore store;
            CTallymoDoc reread(store, f.docs.clock);
            ASSERT_TRUE(reread.LoadLedgerFile(path));
            EXPECT_EQ(reread.DayAmount(today, kFood), 900);
            EXPECT_FALSE(reread.Settings().ShowQuickWizard);
        } else {
            EXPECT_TRUE(doc.IsModified());
        }
        f.messages.messages.clear();
        f.wizards.onWizard = {};
        doc.SetModifiedFlag(false);  // no question when the fixture closes the window
    }
}

TEST_F(StartupWizardTest, ShownOnlyWhenTheLedgerAsksAndHelpIsTopic620) {
    CMainFrame& frame = Shown();
    doc.Settings().ShowQuickWizard = false;
    frame.RunStartupWizard();
    EXPECT_EQ(f.wizards.shown, 0);
    doc.Settings().ShowQuickWizard = true;
    f.wizards.onWizard = [&](CWizardDlg& dialog) {
        ASSERT_TRUE(test::ShowActive(dialog));
        QTest::mouseClick(dialog.Control(9), Qt::LeftButton);  // the help button
        QTest::keyClick(dialog.Rows(false)[2].amount, Qt::Key_F1);
        dialog.accept();
    };
    frame.RunStartupWizard();
    EXPECT_EQ(f.wizards.shown, 1);
    EXPECT_EQ(f.help.topics, std::vector<int>({620, 620}));
}

}  // namespace
}  // namespace tallymo
