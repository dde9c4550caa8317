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

// Whatever ends the editing of a field (another day, either way of scrolling, 記帳), the typed
// amount is booked for the day and matter the field showed. A bad expression books nothing,
// is reported, and holds the dialog where it was with the text kept for correction.
TEST(WizardDlgTest, TypedAmountsAreBookedByEveryWayOfLeavingThem) {
    const std::function<void(CWizardDlg&)> actions[] = {
        [](CWizardDlg& d) { d.Calendar()->setSelectedDate(QDate(2005, 3, 4)); },
        [](CWizardDlg& d) {
            d.ScrollBar(false)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        },
        [](CWizardDlg& d) {
            QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&d, &wheel);
        },
        [](CWizardDlg& d) {
            QTest::keyClick(&d, Qt::Key_W, Qt::AltModifier);  // 記帳 by its mnemonic
            QTest::qWait(300);                                // the button's animated click
        },
    };
    for (std::size_t a = 0; a < std::size(actions); ++a) {
        for (const bool good : {true, false}) {
            SCOPED_TRACE(testing::Message() << a << (good ? " good" : " bad"));
            test::DocFixture docs(Day(2005, 3, 3));
            test::MessageCapture messages;
            CTallymoDoc& doc = docs.doc;
            doc.BookEntry(Day(2005, 3, 3), kFood, 400, {}, false);
            doc.BookEntry(Day(2005, 3, 3), kFood, 600, {}, false);
            CWizardDlg dialog(doc, {});
            ASSERT_TRUE(test::ShowActive(dialog));
            CCalcEdit& food = *dialog.Rows(false)[0].amount;
            EXPECT_EQ(food.text(), "1,000");  // two entries, one amount
            ASSERT_TRUE(test::FocusOn(food));
            food.selectAll();
            QTest::keyClicks(&food, good ? "250*2" : "5**");

            actions[a](dialog);
            EXPECT_EQ(doc.DayAmount(Day(2005, 3, 3), kFood), good ? 500 : 1000);
            EXPECT_EQ(messages.messages.size(), good ? 0u : 1u);
            const bool held = dialog.ShownDay() == Day(2005, 3, 3) &&
                              dialog.ScrollBar(false)->value() == 0 && dialog.isVisible();
            EXPECT_EQ(held, !good);
            EXPECT_EQ(food.text(), good ? food.text() : "5**");
        }
    }
}

// --- the main window's start-up wizard ---------------------------------------------------------

class StartupWizardTest : public ::testing::Test {
protected:
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

// Cancel throws the wizard's bookings away: the ledger comes back from its file, or a new one
// starts when the file is gone; unsaved work from before goes with them only when the user
// says so. "Quit after booking" closes the window only once the ledger is saved.
TEST_F(StartupWizardTest, CancelReloadsTheLedgerAndQuitClosesOnlyWithTheLedgerSaved) {
    const struct {
        const char* name;
        bool quit, bookedBefore, fileGone, saveFails, named;
    } cases[] = {
        {"cancel, unsaved booking before", false, true, false, false, true},
        {"cancel, file unreadable by then", false, false, true, false, false},
        {"quit, saved", true, false, false, false, true},
        {"quit, save fails", true, false, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.frame.reset();  // messages meanwhile go to a box without a window
        doc.OnNewDocument();
        f.Create();
        ASSERT_TRUE(f.ShowActive());
        CMainFrame& frame = *f.frame;
        const std::string path = f.WriteLedger("start.tm2", {{Day(2005, 3, 1), 1200}});
        ASSERT_TRUE(frame.OpenDocumentFile(QString::fromStdString(path)));
        if (c.bookedBefore) doc.BookEntry(Day(2005, 3, 2), kFood, 300, {}, false);
        if (c.saveFails) doc.SetPathName(f.folder + "/gone/start.tm2");
        f.questions.answers = {Answer::No, Answer::Yes};
        bool stayedOpen = false;
        f.wizards.onWizard = [&](CWizardDlg& dialog) {
            EXPECT_TRUE(frame.isMinimized());
            Type(dialog, 700);
            EXPECT_EQ(Food(today), 700);  // booked at once
            if (c.fileGone) std::remove(path.c_str());
            dialog.QuitAfterBooking()->setChecked(c.quit);
            dialog.DontShowAgain()->setChecked(true);
            EXPECT_TRUE(!c.bookedBefore || !Press(dialog, c.quit));
            if (Press(dialog, c.quit)) return;
            stayedOpen = true;  // the wizard stays with its amounts; without the box it ends
            dialog.QuitAfterBooking()->setChecked(false);
            EXPECT_TRUE(Press(dialog, true));
        };
        frame.RunStartupWizard();
        EXPECT_FALSE(frame.isMinimized());
        EXPECT_EQ(Food(today), c.quit ? 700 : 0);
        EXPECT_EQ(Food(Day(2005, 3, 1)), c.named ? 1200 : 0);
        EXPECT_EQ(doc.PathName().empty(), !c.named);
        EXPECT_EQ(doc.IsModified(), c.saveFails);
        EXPECT_EQ(stayedOpen, c.saveFails);
        EXPECT_EQ(f.messages.messages.size(), c.fileGone || c.saveFails ? 1u : 0u);
        QTest::qWait(50);
        EXPECT_EQ(frame.isVisible(), !c.quit || c.saveFails);
        if (c.quit && !c.saveFails) {
            MemorySettingsStore store;
            CTallymoDoc reread(store, f.docs.clock);
            ASSERT_TRUE(reread.LoadLedgerFile(path));
            EXPECT_EQ(reread.DayAmount(today, kFood), 700);
            EXPECT_FALSE(reread.Settings().ShowQuickWizard);  // and no wizard next time
        }
        f.messages.messages.clear();
        f.wizards.onWizard = {};
        doc.SetModifiedFlag(false);  // no question when the fixture closes the window
    }
}

}  // namespace
}  // namespace tallymo
