#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "app/WindowPlacement.h"
#include "calc/widgets/CalcView.h"
#include "support/FrameFixture.h"
#include "views/FrameCommands.h"
#include "views/widgets/BitmapMenuStyle.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

using test::Day;

class MainFrameTest : public ::testing::Test {
protected:
    // Builds the window and makes it the active one.
    CMainFrame& Shown() {
        f.Create();
        EXPECT_TRUE(f.ShowActive());
        return Frame();
    }
    CMainFrame& Frame() { return *f.frame; }
    QAction* Cmd(int id) { return Frame().Action(id); }
    QMenu* DropDown(int index) { return Frame().menuBar()->actions().at(index)->menu(); }
    QToolBar* ToolBar() { return Frame().findChild<QToolBar*>("ToolBar"); }
    QWidget* Pane() { return Frame().GetBookingPane(); }
    // The texts of a drop-down in order; "-" for a separator.
    static QStringList Texts(const QMenu& menu) {
        QStringList texts;
        for (const QAction* action : menu.actions()) {
            if (action->isVisible())
                texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return texts;
    }
    std::optional<WindowPlacement> StoredPlacement() {
        const auto bytes = f.docs.store.ReadBinary("Settings", "WindowPlacement");
        return bytes ? DecodePlacement(*bytes) : std::nullopt;
    }
    void StorePlacement(std::uint32_t showState, PlacementRect normal) {
        WindowPlacement stored;
        stored.showState = showState;
        stored.normal = normal;
        f.docs.store.WriteBinary("Settings", "WindowPlacement", EncodePlacement(stored));
    }
    std::string Ledger(const char* name) { return f.WriteLedger(name, {{Day(2005, 3, 1), 1200}}); }
    bool Open(const std::string& path) {
        return Frame().OpenDocumentFile(QString::fromStdString(path));
    }

    test::FrameFixture f;
    CTallymoDoc& doc = f.docs.doc;
};

TEST_F(MainFrameTest, MenuBarAndToolBarInOrder) {
    f.Create();
    QStringList bar;
    for (const QAction* action : Frame().menuBar()->actions()) bar << action->text();
    EXPECT_EQ(bar, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ｸﾞﾗﾌ(&G)...", "設定(&S)...",
                                "ﾍﾙﾌﾟ(&H)"}));
    EXPECT_EQ(Texts(*DropDown(0)),
              QStringList({"新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "上書き保存(&S)\tCtrl+S",
                           "名前を付けて保存(&A)...", "-", "印刷(&P)...\tCtrl+P", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)",
                           "ﾌﾟﾘﾝﾀの設定(&R)...", "-", "最近使ったﾌｧｲﾙ", "-", "Tallymoの終了(&X)"}));
    EXPECT_EQ(DropDown(3), nullptr);  // graph and settings are commands on the bar itself
    EXPECT_EQ(DropDown(4), nullptr);

    // The drop-downs are drawn by the menu style; the bar keeps the desktop's look.
    EXPECT_NE(qobject_cast<CBitmapMenu*>(DropDown(0)->style()), nullptr);
    EXPECT_EQ(qobject_cast<CBitmapMenu*>(Frame().menuBar()->style()), nullptr);
    // The recent-file placeholder is greyed while the list is empty.
    EXPECT_FALSE(DropDown(0)->actions().at(9)->isEnabled());

    // The tool bar: its commands in order with their pictures.
    std::vector<int> ids;
    for (const QAction* action : ToolBar()->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << ids.back();
    }
    EXPECT_EQ(ids, (std::vector<int>{kCmdFileNew, kCmdFileOpen, kCmdFileSave, 0, kCmdFilePrint, 0,
                                     kCmdEditUndo, kCmdEditRedo, 0, kCmdAppAbout}));
}

TEST_F(MainFrameTest, StatusBarPanesPromptsAndIdleText) {
    Shown();
    QStringList indicators;
    for (const QLabel* label : Frame().statusBar()->findChildren<QLabel*>()) {
        if (label->objectName() != "StatusPane0") {
            indicators << label->text();
            EXPECT_FALSE(label->isEnabled());  // no lock state here: greyed
        }
    }
    EXPECT_EQ(indicators, QStringList({"ｶﾅ", "CAP", "NUM", "SCRL"}));

    // A highlighted command's prompt, then the idle text when the highlight ends.
    Cmd(kCmdFileOpen)->showStatusText(&Frame());
    EXPECT_EQ(Frame().StatusText(), "既存のﾌｧｲﾙを開きます");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&Frame(), &leave);
    EXPECT_EQ(Frame().StatusText(), "ﾚﾃﾞｨ");
    // The panes write into pane 0.
    Frame().GetLedgerView()->ShowOutgoTotal(Day(2005, 3, 15));
    EXPECT_TRUE(Frame().StatusText().endsWith("円")) << Frame().StatusText().toStdString();
}

TEST_F(MainFrameTest, PanesAtTheirSizesInFixedSplittersAndTheirToggles) {
    Shown();
    EXPECT_FALSE(Frame().StartsMaximized());
    // No stored placement: the whole month table (total row and balance column) as far as
    // the screen allows, never below 800 x 600.
    EXPECT_GE(Frame().width(), 800);
    EXPECT_GE(Frame().height(), 600);
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    CLedgerGrid& grid = Frame().GetLedgerView()->Grid();
    if (Frame().height() < room.height() - 40) {
        EXPECT_EQ(grid.verticalScrollBar()->maximum(), 0) << room.height();
    }
    if (Frame().width() < room.width() - 16) {
        EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0) << room.width();
    }
    EXPECT_EQ(Pane()->size(), QSize(190, 310));
    EXPECT_GT(Frame().GetLedgerView()->x(), Pane()->mapTo(&Frame(), QPoint(189, 0)).x());

    // A wider window gives the room to the ledger view only.
    Frame().resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(Pane()->size(), QSize(190, 310));

    // The splitter bars do not move under the mouse.
    auto* outer = qobject_cast<QSplitter*>(Frame().centralWidget());
    ASSERT_NE(outer, nullptr);
    QSplitterHandle* handle = outer->handle(1);
    const QPoint middle(handle->width() / 2, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, middle);
    QTest::mouseMove(handle, middle + QPoint(120, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, middle + QPoint(120, 0));
    EXPECT_EQ(Pane()->width(), 190);
    EXPECT_EQ(handle->cursor().shape(), Qt::ArrowCursor);

    // The pane toggles and the calculator command's state.
    QAction* left = Cmd(kCmdViewOperation);
    QAction* calculator = Cmd(kCmdViewCalculator);
    const int ledgerWidth = Frame().GetLedgerView()->width();

    // Hiding the left column disables and unchecks the calculator command.
    left->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(calculator->isEnabled());
    EXPECT_FALSE(calculator->isChecked());
    EXPECT_FALSE(Pane()->isVisible());
    EXPECT_GT(Frame().GetLedgerView()->width(), ledgerWidth + 150);
    left->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Pane()->size(), QSize(190, 310));
    EXPECT_TRUE(calculator->isChecked() && calculator->isEnabled());

    // Hiding the calculator gives the booking pane the column.
    calculator->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Frame().GetCalcView()->isVisible());
    EXPECT_FALSE(calculator->isChecked());
    EXPECT_TRUE(calculator->isEnabled());
    EXPECT_GE(Pane()->height(), Pane()->parentWidget()->contentsRect().height() - 1);
}

TEST_F(MainFrameTest, PaneAndBarStateKeptAcrossRuns) {
    Shown();
    for (int id : {kCmdViewCalculator, kCmdViewToolBar, kCmdViewStatusBar}) Cmd(id)->trigger();
    EXPECT_TRUE(Frame().close());
    f.Destroy();
    EXPECT_EQ(f.docs.store.ReadBinary("Settings", "ShowOperationView"), std::string(1, '\1'));
    EXPECT_EQ(f.docs.store.ReadBinary("Settings", "ShowCalcView"), std::string(1, '\0'));

    f.Create();
    EXPECT_TRUE(Frame().IsOperationViewShown());
    EXPECT_FALSE(Frame().IsCalcViewShown());
    EXPECT_TRUE(ToolBar()->isHidden());
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    for (int id : {kCmdViewCalculator, kCmdViewToolBar, kCmdViewStatusBar}) {
        EXPECT_FALSE(Cmd(id)->isChecked()) << id;
    }

    // A value of the wrong length reads as shown.
    f.Destroy();
    f.docs.store.WriteBinary("Settings", "ShowCalcView", std::string("\0\0", 2));
    f.docs.store.WriteBinary("Settings", "ShowOperationView", std::string(1, '\0'));
    f.Create();
    EXPECT_TRUE(Frame().IsCalcViewShown());
    EXPECT_FALSE(Frame().IsOperationViewShown());
    EXPECT_FALSE(Cmd(kCmdViewCalculator)->isEnabled());
}

TEST_F(MainFrameTest, ViewModesCheckMarkModifiedMarkAndClosingQuestion) {
    Shown();
    EXPECT_TRUE(Cmd(kCmdViewMonth)->isChecked());
    const int monthRows = Frame().GetLedgerView()->Shape().LastDayRow();
    Cmd(kCmdViewWeek)->trigger();
    EXPECT_EQ(doc.GetShowType(), ShowTypeKind::Week);
    EXPECT_TRUE(Cmd(kCmdViewWeek)->isChecked());
    EXPECT_FALSE(Cmd(kCmdViewMonth)->isChecked());
    EXPECT_LT(Frame().GetLedgerView()->Shape().LastDayRow(), monthRows);
    Cmd(kCmdViewFit)->trigger();
    Cmd(kCmdViewFit)->trigger();  // choosing the checked mode again keeps it checked
    EXPECT_EQ(doc.GetShowType(), ShowTypeKind::Fit);
    EXPECT_TRUE(Cmd(kCmdViewFit)->isChecked());

    // So closing asks about saving; "yes" saves under a name chosen then.
    const std::string path = f.folder + "/closing.tm2";
    f.questions.answers = {Answer::Cancel, Answer::Yes};
    f.fileChoices = {{QString::fromStdString(path), 0}};
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(f.questions.asked, std::vector<QString>{"無題 への変更を保存しますか?"});
    EXPECT_TRUE(Frame().close());
    ASSERT_EQ(f.dialogs.size(), 1u);
    EXPECT_EQ(f.dialogs[0].kind, CMainFrame::FileDialogKind::SaveAs);
    EXPECT_EQ(f.dialogs[0].preset, "無題.tm2");
    EXPECT_FALSE(test::ReadFileBytes(path).empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(MainFrameTest, ViewChangesResizesAndANewLedgerKeepTheCursorsDay) {
    Shown();
    CTallymoView& view = *Frame().GetLedgerView();
    CLedgerGrid& grid = view.Grid();
    COperationView& pane = *Frame().GetBookingPane();
    const auto putCursor = [&](int day, int col) {
        for (int r = view.Shape().FirstDayRow(); r <= view.Shape().LastDayRow(); ++r) {
            if (view.RowDate(r) == Day(2005, 3, day)) {
                grid.SetCol(col);
                grid.SetRow(r);
            }
        }
        view.SyncPane();
    };
    const auto cursorDay = [&] { return view.RowDate(grid.Row()); };
    putCursor(10, 3);
    const std::function<void()> changes[] = {
        [&] { Cmd(kCmdViewWeek)->trigger(); },
        [&] { Frame().resize(Frame().width() + 40, Frame().height() - 30); },
        [&] { Cmd(kCmdViewMonth)->trigger(); },
        [&] { Cmd(kCmdViewFit)->trigger(); },
        [&] { Frame().resize(Frame().width() - 40, Frame().height() + 30); },
        [&] { Cmd(kCmdViewMonth)->trigger(); },
        [&] { Cmd(kCmdFileNew)->trigger(); },
    };
    f.questions.answers = {Answer::No};
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        changes[i]();
        QApplication::processEvents();
        EXPECT_EQ(cursorDay(), Day(2005, 3, 10));
        EXPECT_EQ(grid.Col(), 3);
        EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 10));
    }
    // A day the new window of days no longer shows: the current date's row.
    putCursor(3, 2);
    Cmd(kCmdViewWeek)->trigger();
    EXPECT_EQ(cursorDay(), Day(2005, 3, 15));
    EXPECT_EQ(grid.Row(), view.Shape().LastDayRow());
    EXPECT_EQ(pane.Calendar().selectedDate(), QDate(2005, 3, 15));
}

// Undo and redo change the ledger away from the file: the modified mark follows.
TEST_F(MainFrameTest, UndoGivesBackAnAmountOverwrittenInACellAndRedoOverwritesAgain) {
    Shown();
    EXPECT_FALSE(Cmd(kCmdEditUndo)->isEnabled());
    EXPECT_FALSE(Cmd(kCmdEditRedo)->isEnabled());
    const TimeValue today = Day(2005, 3, 15);
    doc.BookEntry(today, 1, 1200, {}, false);
    doc.BookEntry(Day(2005, 3, 14), 2, 80, {}, false);  // an unrelated booking after it
    CLedgerGrid& grid = Frame().GetLedgerView()->Grid();
    const int row = Frame().GetLedgerView()->Shape().LastDayRow();
    ASSERT_EQ(grid.TextMatrix(row, 2), "1,200");

    // A failed edit changes nothing and leaves nothing to undo.
    grid.SetCol(2);  // 食費
    grid.SetRow(row);
    grid.setFocus();
    for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Return, Qt::Key_Escape}) {
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    EXPECT_EQ(f.messages.messages.size(), 1u);
    for (Qt::Key key : {Qt::Key_9, Qt::Key_9, Qt::Key_9, Qt::Key_Return, Qt::Key_Return}) {
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    EXPECT_EQ(grid.TextMatrix(row, 2), "999");

    QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid.TextMatrix(row, 2), "1,200");
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 14), 2), 80);
    EXPECT_TRUE(Cmd(kCmdEditRedo)->isEnabled());
    QTest::keyClick(&Frame(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(grid.TextMatrix(row, 2), "999");
    EXPECT_FALSE(Cmd(kCmdEditRedo)->isEnabled());
    for (int i = 0; i < 3; ++i) QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(doc.Entries().empty());
    EXPECT_FALSE(Cmd(kCmdEditUndo)->isEnabled());
}

// A file that fails to load must not leave an empty ledger under the old name.
TEST_F(MainFrameTest, OpenReplacesTheDocumentAndAFailedOneLeavesTheLedgerAndItsName) {
    const std::string good =
        f.WriteLedger("家計.tm2", {{Day(2005, 3, 1), 1200}, {Day(2005, 3, 2), 300}});
    const std::string bad = f.folder + "/bad.tm2";
    test::WriteFileBytes(bad, "this is not a ledger");
    Shown();
    Frame().GetBookingPane()->MatterList().setCurrentRow(3);  // for the new ledger to replace
    f.fileChoices = {{QString::fromStdString(good), 0}};
    Cmd(kCmdFileOpen)->trigger();
    ASSERT_EQ(f.dialogs.size(), 1u);
    EXPECT_EQ(f.dialogs[0].kind, CMainFrame::FileDialogKind::Open);
    EXPECT_EQ(doc.PathName(), good);
    EXPECT_EQ(Frame().GetBookingPane()->SelectedPosition(), 0);  // pane re-read
    EXPECT_EQ(f.docs.store.ReadString("Recent File List", "File1"), Utf8ToCp932(good));
    doc.BookEntry(Day(2005, 3, 3), 2, 40, {}, false);
    doc.SetModifiedFlag(false);
    const QString title = Frame().windowTitle();

    EXPECT_FALSE(Open(bad));
    ASSERT_EQ(f.messages.messages.size(), 1u);  // the reader's own message
    EXPECT_EQ(f.messages.parents[0], &Frame());
    EXPECT_EQ(doc.PathName(), good);
    EXPECT_EQ(doc.Entries().size(), 3u);
    EXPECT_EQ(Frame().windowTitle(), title);
    EXPECT_EQ(f.recent.Entries(), std::vector<std::string>{good});
}

// An amount still open in a cell is booked before the question, so it is asked about.
TEST_F(MainFrameTest, ReplacingAModifiedLedgerAsksFirst) {
    const std::string path = Ledger("other.tm2");
    Shown();
    CLedgerGrid& grid = Frame().GetLedgerView()->Grid();
    grid.setFocus();
    grid.SetCol(2);
    grid.SetRow(grid.Rows() - 2);  // the last day row: 15 March
    QTest::keyClick(&grid, Qt::Key_7);
    ASSERT_TRUE(grid.IsEditing());
    f.questions.answers = {Answer::Cancel, Answer::Cancel, Answer::No};
    EXPECT_FALSE(Open(path));
    EXPECT_EQ(f.questions.asked.size(), 1u);
    Cmd(kCmdFileNew)->trigger();
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 15), 1), 7);
    EXPECT_TRUE(doc.PathName().empty());

    EXPECT_TRUE(Open(path));
    EXPECT_EQ(doc.PathName(), path);
    Cmd(kCmdFileNew)->trigger();  // unmodified: no question
    EXPECT_EQ(f.questions.asked.size(), 3u);
    EXPECT_TRUE(doc.Entries().empty());
}

TEST_F(MainFrameTest, SaveAsWritesNamesAndRemembersAndAFailedSaveKeepsTheNameAndTheFlag) {
    Shown();
    doc.BookEntry(Day(2005, 3, 15), 1, 700, {}, false);
    const QString nowhere = QString::fromStdString(f.folder + "/no/such/folder/x.tm2");
    f.fileChoices = {{nowhere, 0}};
    EXPECT_FALSE(Frame().SaveDocumentAs());
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, "書き込みエラーが発生しました。");
    EXPECT_TRUE(doc.PathName().empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(f.recent.Empty());
    // Closing still asks, and a failed save on "yes" keeps the window open.
    f.questions.answers = {Answer::Yes};
    f.fileChoices = {{nowhere, 0}};
    EXPECT_FALSE(Frame().close());

    // Ctrl+S on an unnamed ledger asks for a name; the chosen filter gives the extension.
    f.fileChoices = {{QString::fromStdString(f.folder + "/money"), 1}};
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    const std::string csv = f.folder + "/money.csv";
    EXPECT_EQ(doc.PathName(), csv);
    EXPECT_FALSE(test::ReadFileBytes(csv).empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Frame().windowTitle(), "money.csv - Tallymo Ver.2");
    EXPECT_EQ(f.recent.First(), csv);

    // Save as presets the current name; cancelling changes nothing.
    Cmd(kCmdFileSaveAs)->trigger();
    EXPECT_EQ(f.dialogs.back().preset, QString::fromStdString(csv));
    EXPECT_EQ(doc.PathName(), csv);
}

// A change another program made to the open file is not saved over without asking.
TEST_F(MainFrameTest, SavingOverAChangeMadeElsewhereAsksFirst) {
    const std::string path = Ledger("shared.tm2");
    f.Create();
    ASSERT_TRUE(Open(path));
    doc.BookEntry(Day(2005, 3, 3), 2, 40, {}, false);
    f.WriteLedger("shared.tm2", {{Day(2005, 3, 2), 999}});
    const std::string theirs = test::ReadFileBytes(path);

    f.questions.answers = {Answer::No};
    EXPECT_FALSE(Frame().SaveDocument());
    ASSERT_EQ(f.questions.asked.size(), 1u);
    EXPECT_EQ(f.questions.asked[0],
              "shared.tm2 は、開いた後にほかのプログラムで変更されています。上書きしますか?");
    EXPECT_EQ(test::ReadFileBytes(path), theirs);
    EXPECT_TRUE(doc.IsModified());

    f.questions.answers = {Answer::Yes};
    EXPECT_TRUE(Frame().SaveDocument());
    EXPECT_NE(test::ReadFileBytes(path), theirs);
    doc.BookEntry(Day(2005, 3, 4), 2, 40, {}, false);
    EXPECT_TRUE(Frame().SaveDocument());  // its own save is no change from elsewhere
    EXPECT_EQ(f.questions.asked.size(), 2u);
}

// The real file dialogs, driven while they are open.
TEST_F(MainFrameTest, RealDialogsOfferTheFiltersAddTheExtensionAndAskBeforeCreating) {
    const std::string path = Ledger("dialog.tm2");
    Shown();
    Frame().SetFileDialogRunner({});
    const auto answer = [&](const QString& file, std::function<void(QFileDialog&)> check) {
        QTimer::singleShot(0, [file, check] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            check(*dialog);
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    answer(QString::fromStdString(path), [](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(),
                  QStringList({"Tallymo Ver.2ﾃﾞｰﾀﾌｧｲﾙ (*.tm2) (*.tm2)",
                               "Tallymoﾃﾞｰﾀﾌｧｲﾙ (*.csv) (*.csv)", "すべてのﾌｧｲﾙ (*.*) (*)"}));
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
    });
    Cmd(kCmdFileOpen)->trigger();
    EXPECT_EQ(doc.PathName(), path);

    const QString typed = QString::fromStdString(f.folder + "/typed");
    const auto saveAs = [](bool pickCsv) {
        return [pickCsv](QFileDialog& dialog) {
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
            if (pickCsv) dialog.selectNameFilter(dialog.nameFilters().at(1));
        };
    };
    f.questions.answers = {Answer::No, Answer::Yes};  // do not create it; then do
    answer(typed, saveAs(false));
    EXPECT_FALSE(Frame().SaveDocumentAs());
    ASSERT_EQ(f.questions.asked.size(), 1u);
    EXPECT_EQ(f.questions.asked[0], "typed.tm2 は存在しません。\nファイルを作成しますか?");
    EXPECT_EQ(doc.PathName(), path);
    answer(typed, saveAs(true));
    EXPECT_TRUE(Frame().SaveDocumentAs());
    EXPECT_EQ(doc.PathName(), f.folder + "/typed.csv");
    // An existing file is replaced without a question.
    answer(typed, saveAs(true));
    EXPECT_TRUE(Frame().SaveDocumentAs());
    EXPECT_EQ(f.questions.asked.size(), 2u);
}

TEST_F(MainFrameTest, RecentFilesInTheMenuAndADeadOneRemoved) {
    std::vector<std::string> paths;
    for (const char* name : {"r0.tm2", "r1.tm2", "r2.tm2", "r3.tm2", "r4.tm2"}) {
        paths.push_back(f.WriteLedger(name, {}));
    }
    f.Create();
    for (const std::string& p : paths) ASSERT_TRUE(Open(p));
    const auto actions = [&] { return Frame().RecentFileActions(); };
    ASSERT_EQ(actions().size(), 4);

    // The third entry's file is gone: choosing it reports the failure and drops the entry.
    std::remove(paths[2].c_str());
    actions()[2]->trigger();
    EXPECT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.recent.Entries(), (std::vector<std::string>{paths[4], paths[3], paths[1]}));
    EXPECT_EQ(actions().size(), 3);
    EXPECT_EQ(doc.PathName(), paths[4]);
    // Choosing an entry opens it and moves it first.
    actions()[2]->trigger();
    EXPECT_EQ(doc.PathName(), paths[1]);
    EXPECT_EQ(f.recent.First(), paths[1]);
}

// Closed maximised or minimised, the window stores that state over its restored rectangle;
// a minimised one opens restored next time.
TEST_F(MainFrameTest, PlacementStoredAndRestored) {
    struct Case {
        std::uint32_t stored;
        Qt::WindowState atClose;
        std::uint32_t kept;
    };
    for (const Case& c :
         {Case{kShowMaximized, Qt::WindowMaximized, 3u}, Case{1, Qt::WindowMinimized, 9u}}) {
        SCOPED_TRACE(c.kept);
        StorePlacement(c.stored, {40, 50, 40 + 640, 50 + 450});
        f.Create();
        EXPECT_EQ(Frame().StartsMaximized(), c.atClose == Qt::WindowMaximized);
        Frame().ShowAtStart();
        EXPECT_EQ(Frame().normalGeometry(), QRect(40, 50, 640, 450));
        Frame().setWindowState(c.atClose);
        EXPECT_TRUE(Frame().close());
        EXPECT_EQ(f.docs.store.ReadBinary("Settings", "WindowPlacement")->size(), 44u);
        ASSERT_TRUE(StoredPlacement().has_value());
        EXPECT_EQ(StoredPlacement()->showState, c.kept);
        EXPECT_EQ(StoredPlacement()->normal, (PlacementRect{40, 50, 680, 500}));
        f.Destroy();
    }
    f.Create();
    EXPECT_FALSE(Frame().StartsMaximized());
    EXPECT_EQ(Frame().geometry(), QRect(40, 50, 640, 450));
}

TEST_F(MainFrameTest, HelpRequestsAndLaterCommands) {
    Shown();
    Cmd(kCmdHelpContents)->trigger();
    QWidget& list = Frame().GetBookingPane()->MatterList();
    ASSERT_TRUE(test::FocusOn(list));
    const QVariant previous = list.property("controlId");
    for (int id : {1046, 9, 0, -5}) {
        list.setProperty("controlId", id);
        QTest::keyClick(&list, Qt::Key_F1);
    }
    list.setProperty("controlId", previous);
    EXPECT_EQ(f.help.topics, (std::vector<int>{100, 1046, 100, 100, 100}));
}

}  // namespace
}  // namespace tallymo
