#include <gtest/gtest.h>

#include <QAction>
#include <cstdio>

#include "app/StartupPolicy.h"
#include "app/widgets/TallymoApp.h"
#include "support/FrameFixture.h"
#include "views/FrameCommands.h"

namespace tallymo {
namespace {

using test::Day;

// The start-up rules themselves are pure (tests/app/startup_policy_test.cpp); these tests
// start the program over a settings store and check what it does with the rules' answer.
class TallymoAppTest : public ::testing::Test {
protected:
    std::optional<TimeValue> RecordedStart() { return ReadStartupSettings(store).recentlyRunTime; }

    const TimeValue now = MakeLocalTime(2005, 3, 17, 9, 0);  // nine o'clock on a Thursday
    test::FrameFixture f{now};  // the captures, a folder and a ledger writer; no window
    MemorySettingsStore& store = f.docs.store;
    const FixedClock& clock = f.docs.clock;
};

TEST_F(TallymoAppTest, NormalStartShowsANewLedger) {
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(app.Document().GetCurrentDate(), Day(2005, 3, 17));
    EXPECT_EQ(f.wizards.shown, 1);  // a new ledger asks for the input wizard
    EXPECT_EQ(RecordedStart(), now);
}

// A ledger named on the command line is opened; one that is not there is reported by name and
// a new ledger shown.
TEST_F(TallymoAppTest, CommandLineLedgerIsOpenedOrReportedByName) {
    const std::string path = f.WriteLedger("家計簿.tm2", {{Day(2005, 3, 16), 1234}});
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
    EXPECT_EQ(app.Document().DayAmount(Day(2005, 3, 16), 1), 1234);
    EXPECT_EQ(app.RecentFiles().First(), path);

    const std::string missing = f.folder + "/none.tm2";
    CTallymoApp app2(store, clock);
    ASSERT_TRUE(app2.InitInstance({QString::fromStdString(missing)}));
    EXPECT_TRUE(app2.MainFrame()->isVisible());
    EXPECT_TRUE(app2.Document().PathName().empty());
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, MissingLedgerMessage(missing).text);
}

TEST_F(TallymoAppTest, BookSaveQuitAndFindTheLedgerAgain) {
    const std::string path = f.folder + "/pocket.tm2";
    {
        CTallymoApp app(store, clock);
        ASSERT_TRUE(app.InitInstance({}));
        CMainFrame& frame = *app.MainFrame();
        ASSERT_TRUE(test::ShowActive(frame));
        app.Document().BookEntry(Day(2005, 3, 17), 2, 320, {}, false);
        frame.Action(kCmdViewWeek)->trigger();
        frame.SetFileDialogRunner([&](QWidget*, CMainFrame::FileDialogKind, const QString&) {
            return std::optional<CMainFrame::FileChoice>({QString::fromStdString(path), 0});
        });
        QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(frame.close());
        EXPECT_TRUE(f.questions.asked.empty());  // saved: no question on closing
    }
    CTallymoApp again(store, clock);
    ASSERT_TRUE(again.InitInstance({}));
    // The File menu offers the ledger; choosing it brings the booking and the week view back.
    again.MainFrame()->Action(kCmdFileMru1)->trigger();
    EXPECT_EQ(again.Document().PathName(), path);
    EXPECT_EQ(again.Document().DayAmount(Day(2005, 3, 17), 2), 320);
    EXPECT_TRUE(again.MainFrame()->Action(kCmdViewWeek)->isChecked());
}

}  // namespace
}  // namespace tallymo
