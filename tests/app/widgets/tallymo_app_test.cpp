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
    // Nine o'clock on a Thursday.
    TimeValue Now() const { return MakeLocalTime(2005, 3, 17, 9, 0); }

    std::string WriteLedger(const std::string& name, std::int32_t foodAmount) {
        MemorySettingsStore other;
        FixedClock otherClock(Now());
        CTallymoDoc doc(other, otherClock);
        doc.BookEntry(Day(2005, 3, 16), 1, foodAmount, {}, false);
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(doc.SaveLedgerFile(path));
        return path;
    }
    std::optional<TimeValue> RecordedStart() { return ReadStartupSettings(store).recentlyRunTime; }

    MemorySettingsStore store;
    FixedClock clock{MakeLocalTime(2005, 3, 17, 9, 0)};
    test::MessageCapture messages;
    test::QuestionCapture questions;
    test::WizardCapture wizards;
    std::string folder = test::MakeTempDir("app");
};

TEST_F(TallymoAppTest, NormalStartShowsANewLedgerAndRecordsTheTime) {
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(app.MainFrame()->windowTitle(), "無題 - Tallymo Ver.2");
    EXPECT_EQ(app.Document().GetCurrentDate(), Day(2005, 3, 17));
    EXPECT_EQ(wizards.shown, 1);  // a new ledger asks for the input wizard
    EXPECT_EQ(RecordedStart(), Now());
    EXPECT_EQ(store.ReadBinary("Settings", "RecentlyRunTime")->size(), 4u);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TallymoAppTest, StartupModeEndsQuietlyOrShowsAndRenewsTheTime) {
    store.WriteFlag("Settings", "ShowOnceByADay", true);
    const TimeValue last = Now() - (23 * 3600 + 59 * 60);
    WriteRecentlyRunTime(store, last);
    CTallymoApp quiet(store, clock);
    EXPECT_FALSE(quiet.InitInstance({"/startup"}));
    EXPECT_EQ(quiet.MainFrame(), nullptr);
    EXPECT_EQ(RecordedStart(), last);  // nothing written
    EXPECT_FALSE(store.Contains("Settings", "ShowOperationView"));

    WriteRecentlyRunTime(store, Now() - 86400);
    CTallymoApp shown(store, clock);
    ASSERT_TRUE(shown.InitInstance({"/startup"}));
    EXPECT_TRUE(shown.MainFrame()->isVisible());
    EXPECT_EQ(RecordedStart(), Now());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TallymoAppTest, CommandLineLedgerIsOpenedOrReplacedByANewOne) {
    const std::string path = WriteLedger("家計簿.tm2", 1234);
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
    EXPECT_EQ(app.Document().DayAmount(Day(2005, 3, 16), 1), 1234);
    EXPECT_EQ(app.MainFrame()->windowTitle(), "家計簿.tm2 - Tallymo Ver.2");
    EXPECT_EQ(app.RecentFiles().First(), path);

    // A file that is not there, or one that cannot be read: the message naming it, then a
    // new ledger.
    const std::string missingPath = folder + "/none.tm2";
    const std::string broken = folder + "/broken.tm2";
    test::WriteFileBytes(broken, std::string(3, '\x08'));
    for (const std::string& bad : {missingPath, broken}) {
        SCOPED_TRACE(bad);
        messages.messages.clear();
        CTallymoApp app2(store, clock);
        ASSERT_TRUE(app2.InitInstance({QString::fromStdString(bad)}));
        ASSERT_NE(app2.MainFrame(), nullptr);
        EXPECT_TRUE(app2.MainFrame()->isVisible());
        EXPECT_TRUE(app2.Document().PathName().empty());
        EXPECT_EQ(app2.MainFrame()->windowTitle(), "無題 - Tallymo Ver.2");
        ASSERT_EQ(messages.messages.size(), 1u);
        if (bad == missingPath) {
            EXPECT_EQ(messages.messages[0].text, MissingLedgerMessage(missingPath).text);
            EXPECT_NE(messages.messages[0].text.find(missingPath), std::string::npos);
        }
    }
}

TEST_F(TallymoAppTest, LastLedgerReopenedOrADeadOneDropped) {
    const std::string alive = WriteLedger("alive.tm2", 900);
    store.WriteString("Recent File List", "File1", *Utf8ToCp932(alive));
    store.WriteFlag("Settings", "OpenRecentlyFileAtRun", true);
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(app.Document().PathName(), alive);
    EXPECT_EQ(app.Document().DayAmount(Day(2005, 3, 16), 1), 900);

    const std::string dead = folder + "/deleted.tm2";
    store.WriteString("Recent File List", "File1", *Utf8ToCp932(dead));
    store.WriteString("Recent File List", "File2", *Utf8ToCp932(alive));
    CTallymoApp again(store, clock);
    ASSERT_TRUE(again.InitInstance({}));
    EXPECT_TRUE(again.MainFrame()->isVisible());
    EXPECT_TRUE(again.Document().PathName().empty());
    EXPECT_EQ(messages.messages.size(), 1u);  // the failed open says so
    EXPECT_EQ(again.RecentFiles().Entries(), std::vector<std::string>{alive});
    EXPECT_EQ(store.ReadString("Recent File List", "File1"), Utf8ToCp932(alive));
    EXPECT_EQ(store.ReadString("Recent File List", "File2"), Cp932Text(""));
}

TEST_F(TallymoAppTest, BookSaveQuitAndFindTheLedgerAgain) {
    const std::string path = folder + "/pocket.tm2";
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
        EXPECT_TRUE(questions.asked.empty());  // saved: no question on closing
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
