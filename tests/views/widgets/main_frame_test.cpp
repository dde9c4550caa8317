#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>

#include "calc/widgets/CalcEdit.h"
#include "support/FrameFixture.h"
#include "views/FrameCommands.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

using test::Day;

class MainFrameTest : public ::testing::Test {
protected:
    CMainFrame& Shown() {
        f.Create();
        EXPECT_TRUE(f.ShowActive());
        return Frame();
    }
    CMainFrame& Frame() { return *f.frame; }
    QAction* Cmd(int id) { return Frame().Action(id); }
    CLedgerGrid& Grid() { return Frame().GetLedgerView()->Grid(); }
    QWidget* Pane() { return Frame().GetBookingPane(); }
    bool Open(const std::string& path) {
        return Frame().OpenDocumentFile(QString::fromStdString(path));
    }
    void Keys(std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) QTest::keyClick(QApplication::focusWidget(), key);
    }

    test::FrameFixture f;
    CTallymoDoc& doc = f.docs.doc;
};

TEST_F(MainFrameTest, ViewChangesResizesAndANewLedgerKeepTheCursorsDay) {
    Shown();
    CTallymoView& view = *Frame().GetLedgerView();
    COperationView& pane = *Frame().GetBookingPane();
    Grid().SetCol(3);
    Grid().SetRow(view.Shape().LastDayRow() - 5);  // 10 March
    view.SyncPane();
    for (const int command : {kCmdViewWeek, kCmdViewFit, kCmdFileNew}) {
        SCOPED_TRACE(command);
        Cmd(command)->trigger();
        QApplication::processEvents();
        EXPECT_EQ(view.RowDate(Grid().Row()), Day(2005, 3, 10));
        EXPECT_EQ(Grid().Col(), 3);
        EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 10));
    }
}

TEST_F(MainFrameTest, UndoGivesBackAnAmountOverwrittenInACellAndRedoOverwritesAgain) {
    Shown();
    doc.BookEntry(Day(2005, 3, 15), 1, 1200, {}, false);
    doc.BookEntry(Day(2005, 3, 14), 2, 80, {}, false);  // an unrelated booking after it
    const int row = Frame().GetLedgerView()->Shape().LastDayRow();
    Grid().SetCol(2);  // 食費
    Grid().SetRow(row);
    Grid().setFocus();
    Keys({Qt::Key_9, Qt::Key_9, Qt::Key_Return, Qt::Key_Return});
    EXPECT_EQ(Grid().TextMatrix(row, 2), "99");

    CCalcEdit& amount = Frame().GetBookingPane()->AmountField();
    ASSERT_TRUE(test::FocusOn(amount));
    QTest::keyClick(&amount, Qt::Key_Z, Qt::ControlModifier);  // the frame's undo, not the field's
    EXPECT_EQ(Grid().TextMatrix(row, 2), "1,200");
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 14), 2), 80);
    QTest::keyClick(&Frame(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Grid().TextMatrix(row, 2), "99");
    for (int i = 0; i < 3; ++i) QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(doc.Entries().empty());
    EXPECT_FALSE(Cmd(kCmdEditUndo)->isEnabled());
}

// Replacing a modified ledger asks first (an amount still open in a cell is booked before the
// question, so it is asked about); a file that fails to load leaves the ledger and its name.
TEST_F(MainFrameTest, OpeningAsksAboutChangesAndAFailedOpenLeavesTheLedgerAndItsName) {
    const std::string good = f.WriteLedger("家計.tm2", {{Day(2005, 3, 1), 1200}});
    const std::string bad = f.folder + "/bad.tm2";
    test::WriteFileBytes(bad, "this is not a ledger");
    Shown();
    Grid().setFocus();
    Grid().SetCol(2);
    Grid().SetRow(Grid().Rows() - 2);  // 15 March
    QTest::keyClick(&Grid(), Qt::Key_7);
    f.questions.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(Open(good));
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 15), 1), 7);
    f.fileChoices = {{QString::fromStdString(good), 0}};
    Cmd(kCmdFileOpen)->trigger();  // "no": the changes go
    EXPECT_EQ(doc.PathName(), good);
    const QString title = Frame().windowTitle();

    EXPECT_FALSE(Open(bad));
    EXPECT_EQ(f.questions.asked.size(), 2u);    // unmodified: no question
    ASSERT_EQ(f.messages.messages.size(), 1u);  // the reader's own message
    EXPECT_EQ(doc.PathName(), good);
    EXPECT_EQ(doc.Entries().size(), 1u);
    EXPECT_EQ(Frame().windowTitle(), title);
}

TEST_F(MainFrameTest, AFailedSaveSaysSoAndKeepsNameAndFlag) {
    Shown();
    doc.BookEntry(Day(2005, 3, 15), 1, 700, {}, false);
    const QString nowhere = QString::fromStdString(f.folder + "/no/such/folder/x.tm2");
    // Closing asks; cancel, or a failed save on "yes", keeps the window open.
    f.questions.answers = {Answer::Cancel, Answer::Yes};
    f.fileChoices = {{nowhere, 0}};
    EXPECT_FALSE(Frame().close());
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(f.questions.asked.back().text, "無題 への変更を保存しますか?");
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, "書き込みエラーが発生しました。");
    EXPECT_TRUE(doc.PathName().empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(f.recent.Empty());
}

// A change another program made to the open file is not saved over without asking.
TEST_F(MainFrameTest, SavingOverAChangeMadeElsewhereAsksFirst) {
    const std::string path = f.WriteLedger("shared.tm2", {{Day(2005, 3, 1), 1200}});
    f.Create();
    ASSERT_TRUE(Open(path));
    doc.BookEntry(Day(2005, 3, 3), 2, 40, {}, false);
    f.WriteLedger("shared.tm2", {{Day(2005, 3, 2), 999}});
    const std::string theirs = test::ReadFileBytes(path);

    f.questions.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(Frame().SaveDocument());
    ASSERT_EQ(f.questions.asked.size(), 1u);
    EXPECT_EQ(f.questions.asked[0].text,
              "shared.tm2 は、開いた後にほかのプログラムで変更されています。上書きしますか?");
    EXPECT_TRUE(f.questions.asked[0].noByDefault);  // Enter keeps their change
    EXPECT_FALSE(f.questions.asked[0].withCancel);
    EXPECT_EQ(test::ReadFileBytes(path), theirs);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Frame().SaveDocument());
    EXPECT_NE(test::ReadFileBytes(path), theirs);
    doc.BookEntry(Day(2005, 3, 4), 2, 40, {}, false);
    EXPECT_TRUE(Frame().SaveDocument());  // its own save is no change from elsewhere
    EXPECT_EQ(f.questions.asked.size(), 2u);
}

}  // namespace
}  // namespace tallymo
