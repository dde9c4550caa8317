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

class TallymoAppTest : public ::testing::Test {
protected:
    // Nine o'clock on a Thursday.
    TimeValue Now() const { return MakeLocalTime(2005, 3, 17, 9, 0); }

    std::string WriteLedger(const std::string& name, std::int32_t foodAmount) {
        MemorySettingsStore other;
        FixedClock clock(Now());
        CTallymoDoc doc(other, clock);
        doc.BookEntry(Day(2005, 3, 16), 1, foodAmount, "", false);
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(doc.SaveLedgerFile(path));
        return path;
    }
    std::optional<TimeValue> RecordedStart() { return ReadStartupSettings(store).recentlyRunTime; }

    MemorySettingsStore store;
    FixedClock clock{MakeLocalTime(2005, 3, 17, 9, 0)};
    test::MessageCapture messages;
    test::QuestionCapture questions;
    std::string folder = test::MakeTempDir("app");
};

TEST_F(TallymoAppTest, NormalStartShowsANewLedgerAndRecordsTheTime) {
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(app.MainFrame()->windowTitle(), "無題 - Tallymo Ver.2");
    EXPECT_TRUE(app.Document().PathName().empty());
    EXPECT_EQ(app.Document().GetCurrentDate(), Day(2005, 3, 17));
    EXPECT_EQ(RecordedStart(), Now());
    EXPECT_EQ(store.ReadBinary("Settings", "RecentlyRunTime")->size(), 4u);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TallymoAppTest, StartupModeEndsQuietlyWithinADay) {
    store.WriteFlag("Settings", "ShowOnceByADay", true);
    const TimeValue last = Now() - (23 * 3600 + 59 * 60);
    WriteRecentlyRunTime(store, last);
    CTallymoApp app(store, clock);
    EXPECT_FALSE(app.InitInstance({"/startup"}));
    EXPECT_EQ(app.MainFrame(), nullptr);
    EXPECT_EQ(RecordedStart(), last);  // nothing written
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(store.Contains("Settings", "ShowOperationView"));
}

TEST_F(TallymoAppTest, StartupModeShowsAfterADayAndRenewsTheTime) {
    store.WriteFlag("Settings", "ShowOnceByADay", true);
    WriteRecentlyRunTime(store, Now() - 86400);
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({"/startup"}));
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(RecordedStart(), Now());
}

TEST_F(TallymoAppTest, StartupModeOutsideTheHourWindowEnds) {
    store.WriteFlag("Settings", "ShowOnSetTime", true);
    store.WriteInt("Settings", "RunStartHour", 22);
    store.WriteInt("Settings", "RunEndHour", 2);
    CTallymoApp app(store, clock);
    EXPECT_FALSE(app.InitInstance({"/startup"}));
    EXPECT_FALSE(RecordedStart().has_value());

    // The same limits do not apply to a start with the switch in capitals.
    CTallymoApp again(store, clock);
    EXPECT_TRUE(again.InitInstance({"/STARTUP"}));
    EXPECT_EQ(RecordedStart(), Now());
}

TEST_F(TallymoAppTest, CommandLineLedgerIsOpened) {
    const std::string path = WriteLedger("家計簿.tm2", 1234);
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
    EXPECT_EQ(app.Document().PathName(), path);
    EXPECT_EQ(app.Document().DayAmount(Day(2005, 3, 16), 1), 1234);
    EXPECT_EQ(app.MainFrame()->windowTitle(), "家計簿.tm2 - Tallymo Ver.2");
    EXPECT_EQ(app.RecentFiles().First(), path);
}

TEST_F(TallymoAppTest, UnreadableCommandLineLedgerEndsTheProgram) {
    const std::string path = folder + "/broken.tm2";
    test::WriteFileBytes(path, std::string(3, '\x08'));
    CTallymoApp app(store, clock);
    EXPECT_FALSE(app.InitInstance({QString::fromStdString(path)}));
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST_F(TallymoAppTest, MissingCommandLineFileGivesANewLedger) {
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(folder + "/none.tm2")}));
    EXPECT_TRUE(app.Document().PathName().empty());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TallymoAppTest, LastLedgerReopenedWhenAsked) {
    const std::string path = WriteLedger("last.tm2", 900);
    store.WriteString("Recent File List", "File1", *Utf8ToCp932(path));
    store.WriteFlag("Settings", "OpenRecentlyFileAtRun", true);
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(app.Document().PathName(), path);
    EXPECT_EQ(app.Document().DayAmount(Day(2005, 3, 16), 1), 900);
}

TEST_F(TallymoAppTest, DeadLastLedgerLeavesTheListAndANewLedgerIsShown) {
    const std::string alive = WriteLedger("alive.tm2", 900);
    const std::string dead = folder + "/deleted.tm2";
    store.WriteString("Recent File List", "File1", *Utf8ToCp932(dead));
    store.WriteString("Recent File List", "File2", *Utf8ToCp932(alive));
    store.WriteFlag("Settings", "OpenRecentlyFileAtRun", true);
    CTallymoApp app(store, clock);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_TRUE(app.Document().PathName().empty());
    EXPECT_TRUE(app.Document().Entries().empty());
    EXPECT_EQ(messages.messages.size(), 1u);  // the failed open says so
    EXPECT_EQ(app.RecentFiles().Entries(), std::vector<std::string>{alive});
    EXPECT_EQ(store.ReadString("Recent File List", "File1"), Utf8ToCp932(alive));
    EXPECT_EQ(store.ReadString("Recent File List", "File2"), "");
}

TEST_F(TallymoAppTest, BookSaveQuitAndFindTheLedgerAgain) {
    const std::string path = folder + "/pocket.tm2";
    {
        CTallymoApp app(store, clock);
        ASSERT_TRUE(app.InitInstance({}));
        CMainFrame& frame = *app.MainFrame();
        ASSERT_TRUE(test::ShowActive(frame));
        app.Document().BookEntry(Day(2005, 3, 17), 2, 320, "", false);
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
    QAction* recent = again.MainFrame()->Action(kCmdFileMru1);
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    EXPECT_EQ(again.Document().PathName(), path);
    EXPECT_EQ(again.Document().DayAmount(Day(2005, 3, 17), 2), 320);
    EXPECT_EQ(again.Document().Settings().ShowType, 1);
    EXPECT_TRUE(again.MainFrame()->Action(kCmdViewWeek)->isChecked());
}

}  // namespace
}  // namespace tallymo
