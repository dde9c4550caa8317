#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include "app/WindowPlacement.h"
#include "calc/widgets/CalcView.h"
#include "support/FrameFixture.h"
#include "views/widgets/BitmapMenuStyle.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

using test::Day;

class MainFrameTest : public ::testing::Test {
protected:
    CMainFrame& Frame() { return *f.frame; }
    QAction* Cmd(int id) { return Frame().Action(id); }
    QMenu* DropDown(int index) { return Frame().menuBar()->actions().at(index)->menu(); }
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

    test::FrameFixture f;
    CTallymoDoc& doc = f.docs.doc;
};

TEST_F(MainFrameTest, MenuBarItemsInOrder) {
    f.Create();
    QStringList bar;
    for (const QAction* action : Frame().menuBar()->actions()) bar << action->text();
    EXPECT_EQ(bar, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ｸﾞﾗﾌ(&G)...", "設定(&S)...",
                                "ﾍﾙﾌﾟ(&H)"}));
    EXPECT_EQ(Texts(*DropDown(0)),
              QStringList({"新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "上書き保存(&S)\tCtrl+S",
                           "名前を付けて保存(&A)...", "-", "印刷(&P)...\tCtrl+P", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)",
                           "ﾌﾟﾘﾝﾀの設定(&R)...", "-", "最近使ったﾌｧｲﾙ", "-", "Tallymoの終了(&X)"}));
    EXPECT_EQ(Texts(*DropDown(1)), QStringList({"元に戻す(&U)\tCtrl+Z", "やり直し(&R)\tCtrl+Y"}));
    EXPECT_EQ(Texts(*DropDown(2)),
              QStringList({"ﾂｰﾙ ﾊﾞｰ(&T)", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "操作ﾋﾞｭｰ(&O)", "計算機(&C)", "-",
                           "月表示(&M)", "週表示(&W)", "ｳｨﾝﾄﾞｳの高さ揃え表示(&V)"}));
    EXPECT_EQ(DropDown(3), nullptr);  // graph and settings are commands on the bar itself
    EXPECT_EQ(DropDown(4), nullptr);
    EXPECT_EQ(Texts(*DropDown(5)), QStringList({"目次(&C)...", "Tallymoについて(&A)..."}));

    // The drop-downs are drawn by the menu style; the bar keeps the desktop's look.
    EXPECT_NE(qobject_cast<CBitmapMenu*>(DropDown(0)->style()), nullptr);
    EXPECT_EQ(qobject_cast<CBitmapMenu*>(Frame().menuBar()->style()), nullptr);
    // The recent-file placeholder is greyed while the list is empty.
    const QAction* placeholder = DropDown(0)->actions().at(9);
    EXPECT_FALSE(placeholder->isEnabled());
    EXPECT_EQ(placeholder->data().toInt(), 57616);
}

TEST_F(MainFrameTest, AcceleratorsPromptsAndToolTips) {
    f.Create();
    const std::vector<std::pair<int, const char*>> shortcuts = {
        {57600, "Ctrl+N"}, {57601, "Ctrl+O"}, {57603, "Ctrl+S"},
        {57607, "Ctrl+P"}, {57643, "Ctrl+Z"}, {57644, "Ctrl+Y"}};
    for (const auto& [id, keys] : shortcuts) {
        EXPECT_EQ(Cmd(id)->shortcut(), QKeySequence(QString::fromUtf8(keys))) << id;
    }
    EXPECT_TRUE(Cmd(32784)->shortcut().isEmpty());

    struct Texts {
        int id;
        const char* prompt;
        const char* tip;
    };
    for (const Texts& t : std::vector<Texts>{
             {57600, "新規にﾌｧｲﾙを作成します", "新規ﾌｧｲﾙ"},
             {57601, "既存のﾌｧｲﾙを開きます", "開く"},
             {57603, "作業中のﾌｧｲﾙを上書きして保存します", "保存"},
             {32784, "作業中のﾌｧｲﾙを新しい名前で保存します", "名前をつけて保存"},
             {57607, "作業中のﾌｧｲﾙを印刷します", "印刷"},
             {57609, "印刷ｲﾒｰｼﾞを表示します", "印刷ﾌﾟﾚﾋﾞｭｰ"},
             {57606, "ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更します", "印刷設定"},
             {57665, "Tallymoを終了します", "終了"},
             {57643, "直前に行った動作を元に戻します", "元に戻す"},
             {57644, "直前に行った動作を繰り返します", "やり直し"},
             {59392, "ﾂｰﾙ ﾊﾞｰの 表示/非表示を切り替えます", "ﾂｰﾙ ﾊﾞｰの表示切り替え"},
             {59393, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示を切り替えます", "ｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
             {32773, "小遣い帳を月単位表示に切り替えます", "月表示"},
             {32774, "小遣い帳を週単位表示に切り替えます", "週表示"},
             {32779, "小遣い帳をｳｨﾝﾄﾞｳの高さに揃えて表示します", "ｳｨﾝﾄﾞｳの高さ揃え表示"},
             {32772, "記帳ﾃﾞｰﾀをｸﾞﾗﾌにして表示します", "ｸﾞﾗﾌ"},
             {32771, "Tallymoの設定をします", "設定"},
             {32776, "ﾍﾙﾌﾟを表示します", "目次"},
             {57664, "ﾊﾞｰｼﾞｮﾝ及び著作権を表示します", "ﾊﾞｰｼﾞｮﾝ情報"},
             {32777, "", ""},
             {32778, "", ""}}) {
        EXPECT_EQ(Cmd(t.id)->statusTip(), QString::fromUtf8(t.prompt)) << t.id;
        if (*t.tip) {
            EXPECT_EQ(Cmd(t.id)->toolTip(), QString::fromUtf8(t.tip)) << t.id;
        }
    }
}

TEST_F(MainFrameTest, ToolBarButtonsWithGaps) {
    f.Create();
    auto* bar = Frame().findChild<QToolBar*>("ToolBar");
    ASSERT_NE(bar, nullptr);
    std::vector<int> ids;
    for (const QAction* action : bar->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        }
    }
    EXPECT_EQ(ids, (std::vector<int>{57600, 57601, 57603, 0, 57607, 0, 57643, 57644, 0, 57664}));
}

TEST_F(MainFrameTest, StatusBarPanesPromptsAndIdleText) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    QStringList indicators;
    for (const QLabel* label : Frame().statusBar()->findChildren<QLabel*>()) {
        if (label->objectName() != "StatusPane0") {
            indicators << label->text();
            EXPECT_FALSE(label->isEnabled());  // no lock state here: greyed
        }
    }
    EXPECT_EQ(indicators, QStringList({"ｶﾅ", "CAP", "NUM", "SCRL"}));

    // A highlighted command's prompt, then the idle text when the highlight ends.
    Cmd(57601)->showStatusText(&Frame());
    EXPECT_EQ(Frame().StatusText(), "既存のﾌｧｲﾙを開きます");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&Frame(), &leave);
    EXPECT_EQ(Frame().StatusText(), "ﾚﾃﾞｨ");

    // The panes write into pane 0.
    Frame().GetLedgerView()->ShowOutgoTotal(Day(2005, 3, 15));
    EXPECT_TRUE(Frame().StatusText().endsWith("円")) << Frame().StatusText().toStdString();
    Frame().SetStatusText("テスト");
    EXPECT_EQ(Frame().StatusText(), "テスト");
}

TEST_F(MainFrameTest, PanesAtTheirSizes) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    EXPECT_EQ(Frame().size(), QSize(800, 600));  // no stored placement
    EXPECT_EQ(Frame().GetBookingPane()->width(), 190);
    EXPECT_EQ(Frame().GetBookingPane()->height(), 310);
    EXPECT_EQ(Frame().GetCalcView()->width(), 190);
    EXPECT_TRUE(Frame().GetCalcView()->isVisible());
    EXPECT_GT(Frame().GetLedgerView()->width(), 500);
    EXPECT_GT(Frame().GetLedgerView()->x(),
              Frame().GetBookingPane()->mapTo(&Frame(), QPoint(189, 0)).x());
    EXPECT_TRUE(Cmd(32777)->isChecked());
    EXPECT_TRUE(Cmd(32778)->isChecked());
    EXPECT_TRUE(Cmd(32778)->isEnabled());

    // A wider window gives the room to the ledger view only.
    Frame().resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(Frame().GetBookingPane()->width(), 190);
    EXPECT_EQ(Frame().GetBookingPane()->height(), 310);

    // The splitter bars do not move under the mouse.
    auto* outer = qobject_cast<QSplitter*>(Frame().centralWidget());
    ASSERT_NE(outer, nullptr);
    QSplitterHandle* handle = outer->handle(1);
    const QPoint middle(handle->width() / 2, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, middle);
    QTest::mouseMove(handle, middle + QPoint(120, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, middle + QPoint(120, 0));
    EXPECT_EQ(Frame().GetBookingPane()->width(), 190);
    EXPECT_EQ(handle->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainFrameTest, HidingTheLeftColumnDisablesTheCalculatorCommand) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    const int ledgerWidth = Frame().GetLedgerView()->width();
    Cmd(32777)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Frame().IsOperationViewShown());
    EXPECT_FALSE(Cmd(32777)->isChecked());
    EXPECT_FALSE(Cmd(32778)->isEnabled());
    EXPECT_FALSE(Cmd(32778)->isChecked());
    EXPECT_FALSE(Frame().GetBookingPane()->isVisible());
    EXPECT_GT(Frame().GetLedgerView()->width(), ledgerWidth + 150);

    Cmd(32777)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(Frame().GetBookingPane()->isVisible());
    EXPECT_EQ(Frame().GetBookingPane()->width(), 190);
    EXPECT_TRUE(Cmd(32778)->isEnabled());
    EXPECT_TRUE(Cmd(32778)->isChecked());
}

TEST_F(MainFrameTest, HidingTheCalculatorGivesTheBookingPaneTheColumn) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    Cmd(32778)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Frame().GetCalcView()->isVisible());
    EXPECT_FALSE(Cmd(32778)->isChecked());
    EXPECT_TRUE(Cmd(32778)->isEnabled());
    EXPECT_GT(Frame().GetBookingPane()->height(), 310);
    EXPECT_GE(Frame().GetBookingPane()->height(),
              Frame().GetBookingPane()->parentWidget()->contentsRect().height() - 1);
    Cmd(32778)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Frame().GetBookingPane()->height(), 310);
    EXPECT_TRUE(Frame().GetCalcView()->isVisible());
}

TEST_F(MainFrameTest, PaneFlagsKeptAcrossRuns) {
    f.Create();
    Cmd(32778)->trigger();
    f.Destroy();
    EXPECT_EQ(f.docs.store.ReadBinary("Settings", "ShowOperationView"), std::string(1, '\1'));
    EXPECT_EQ(f.docs.store.ReadBinary("Settings", "ShowCalcView"), std::string(1, '\0'));

    f.Create();
    EXPECT_TRUE(Frame().IsOperationViewShown());
    EXPECT_FALSE(Frame().IsCalcViewShown());
    EXPECT_FALSE(Cmd(32778)->isChecked());

    // A value of the wrong length reads as shown.
    f.Destroy();
    f.docs.store.WriteBinary("Settings", "ShowCalcView", std::string("\0\0", 2));
    f.docs.store.WriteBinary("Settings", "ShowOperationView", std::string(1, '\0'));
    f.Create();
    EXPECT_TRUE(Frame().IsCalcViewShown());
    EXPECT_FALSE(Frame().IsOperationViewShown());
    EXPECT_FALSE(Cmd(32778)->isEnabled());
}

TEST_F(MainFrameTest, ViewModesCheckMarkAndRebuild) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    EXPECT_TRUE(Cmd(32773)->isChecked());
    EXPECT_FALSE(doc.IsModified());
    const int monthRows = Frame().GetLedgerView()->Shape().LastDayRow();

    Cmd(32774)->trigger();  // week
    EXPECT_EQ(doc.Settings().ShowType, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Cmd(32774)->isChecked());
    EXPECT_FALSE(Cmd(32773)->isChecked());
    EXPECT_FALSE(Cmd(32779)->isChecked());
    EXPECT_LT(Frame().GetLedgerView()->Shape().LastDayRow(), monthRows);

    Cmd(32779)->trigger();  // fitted to the window
    EXPECT_EQ(doc.Settings().ShowType, 2);
    EXPECT_TRUE(Cmd(32779)->isChecked());
    EXPECT_FALSE(Cmd(32774)->isChecked());
    // Choosing the checked mode again keeps it checked.
    Cmd(32779)->trigger();
    EXPECT_TRUE(Cmd(32779)->isChecked());
}

TEST_F(MainFrameTest, WeekViewMakesClosingAskAboutSaving) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    Cmd(32774)->trigger();
    f.questions.answers = {Answer::Cancel};
    EXPECT_FALSE(Frame().close());
    ASSERT_EQ(f.questions.asked.size(), 1u);
    EXPECT_EQ(f.questions.asked[0], "無題 への変更を保存しますか?");
    EXPECT_TRUE(Frame().isVisible());

    f.questions.answers = {Answer::No};
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(f.questions.asked.size(), 2u);
}

TEST_F(MainFrameTest, AnsweringYesSavesBeforeClosing) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    doc.BookEntry(Day(2005, 3, 15), 1, 800, "", false);
    const std::string path = f.folder + "/closing.tm2";
    f.questions.answers = {Answer::Yes};
    f.fileChoices = {{QString::fromStdString(path), 0}};
    EXPECT_TRUE(Frame().close());
    ASSERT_EQ(f.dialogs.size(), 1u);
    EXPECT_EQ(f.dialogs[0].kind, CMainFrame::FileDialogKind::SaveAs);
    EXPECT_EQ(f.dialogs[0].preset, "無題.tm2");
    EXPECT_FALSE(test::ReadFileBytes(path).empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(MainFrameTest, UndoAndRedoFollowTheEntries) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    EXPECT_FALSE(Cmd(57643)->isEnabled());
    EXPECT_FALSE(Cmd(57644)->isEnabled());
    doc.BookEntry(Day(2005, 3, 15), 1, 500, "", false);
    EXPECT_TRUE(Cmd(57643)->isEnabled());
    EXPECT_FALSE(Cmd(57644)->isEnabled());

    doc.SetModifiedFlag(false);  // as after a save
    QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.Entries().size(), 0u);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 15), 1), 0);
    EXPECT_FALSE(Cmd(57643)->isEnabled());
    EXPECT_TRUE(Cmd(57644)->isEnabled());
    EXPECT_TRUE(doc.IsModified());  // the ledger now differs from the file

    doc.SetModifiedFlag(false);
    QTest::keyClick(&Frame(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 15), 1), 500);
    EXPECT_TRUE(Cmd(57643)->isEnabled());
    EXPECT_FALSE(Cmd(57644)->isEnabled());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(MainFrameTest, OpenReplacesTheDocumentAndRebuildsThePanes) {
    const std::string path =
        f.WriteLedger("家計.tm2", {{Day(2005, 3, 1), 1200}, {Day(2005, 3, 2), 300}});
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    // Something in the booking pane that the new ledger must replace.
    Frame().GetBookingPane()->MatterList().setCurrentRow(3);
    f.fileChoices = {{QString::fromStdString(path), 0}};
    Cmd(57601)->trigger();
    ASSERT_EQ(f.dialogs.size(), 1u);
    EXPECT_EQ(f.dialogs[0].kind, CMainFrame::FileDialogKind::Open);
    EXPECT_TRUE(f.messages.messages.empty());
    EXPECT_EQ(doc.PathName(), path);
    EXPECT_EQ(doc.Entries().size(), 2u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Frame().windowTitle(), "家計.tm2 - Tallymo Ver.2");
    EXPECT_EQ(Frame().GetBookingPane()->SelectedPosition(), 0);  // pane re-read
    EXPECT_EQ(f.recent.First(), path);
    EXPECT_EQ(f.docs.store.ReadString("Recent File List", "File1"), Utf8ToCp932(path));
    ASSERT_EQ(Frame().RecentFileActions().size(), 1);
    EXPECT_EQ(Frame().RecentFileActions()[0]->text(), QString::fromStdString(f.recent.MenuText(0)));
    EXPECT_TRUE(Frame().RecentFileActions()[0]->isEnabled());
}

TEST_F(MainFrameTest, FailedOpenLeavesTheLedgerAndItsName) {
    const std::string good = f.WriteLedger("good.tm2", {{Day(2005, 3, 1), 1200}});
    const std::string bad = f.folder + "/bad.tm2";
    test::WriteFileBytes(bad, "this is not a ledger");
    f.Create();
    ASSERT_TRUE(Frame().OpenDocumentFile(QString::fromStdString(good)));
    doc.BookEntry(Day(2005, 3, 3), 2, 40, "", false);
    doc.SetModifiedFlag(false);
    const QString title = Frame().windowTitle();

    EXPECT_FALSE(Frame().OpenDocumentFile(QString::fromStdString(bad)));
    ASSERT_EQ(f.messages.messages.size(), 1u);  // the reader's own message
    EXPECT_EQ(f.messages.parents[0], &Frame());
    EXPECT_EQ(doc.PathName(), good);
    EXPECT_EQ(doc.Entries().size(), 2u);  // still the ledger on screen, not an empty one
    EXPECT_EQ(Frame().windowTitle(), title);
    EXPECT_EQ(f.recent.Entries(), std::vector<std::string>{good});
}

TEST_F(MainFrameTest, ReplacingAModifiedLedgerAsksFirst) {
    const std::string path = f.WriteLedger("other.tm2", {{Day(2005, 3, 1), 1200}});
    f.Create();
    doc.BookEntry(Day(2005, 3, 15), 1, 500, "", false);
    f.questions.answers = {Answer::Cancel};
    EXPECT_FALSE(Frame().OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(f.questions.asked.size(), 1u);
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 15), 1), 500);
    EXPECT_TRUE(doc.PathName().empty());

    f.questions.answers = {Answer::Cancel};
    Cmd(57600)->trigger();  // new
    EXPECT_EQ(doc.DayAmount(Day(2005, 3, 15), 1), 500);

    f.questions.answers = {Answer::No};
    EXPECT_TRUE(Frame().OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(doc.PathName(), path);

    Cmd(57600)->trigger();  // unmodified: no question
    EXPECT_EQ(f.questions.asked.size(), 3u);
    EXPECT_TRUE(doc.PathName().empty());
    EXPECT_TRUE(doc.Entries().empty());
    EXPECT_EQ(Frame().windowTitle(), "無題 - Tallymo Ver.2");
}

TEST_F(MainFrameTest, SaveAsWritesNamesAndRemembers) {
    f.Create();
    doc.BookEntry(Day(2005, 3, 15), 1, 700, "", false);
    // Ctrl+S on an unnamed ledger asks for a name; the chosen filter gives the extension.
    f.fileChoices = {{QString::fromStdString(f.folder + "/money"), 1}};
    ASSERT_TRUE(f.ShowActive());
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    const std::string csv = f.folder + "/money.csv";
    EXPECT_EQ(doc.PathName(), csv);
    EXPECT_FALSE(test::ReadFileBytes(csv).empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Frame().windowTitle(), "money.csv - Tallymo Ver.2");
    EXPECT_EQ(f.recent.First(), csv);

    // Save as presets the current name; cancelling changes nothing.
    Cmd(32784)->trigger();
    ASSERT_EQ(f.dialogs.size(), 2u);
    EXPECT_EQ(f.dialogs[1].preset, QString::fromStdString(csv));
    EXPECT_EQ(doc.PathName(), csv);
}

TEST_F(MainFrameTest, FailedSaveKeepsTheNameAndTheFlag) {
    f.Create();
    doc.BookEntry(Day(2005, 3, 15), 1, 700, "", false);
    f.fileChoices = {{QString::fromStdString(f.folder + "/no/such/folder/x.tm2"), 0}};
    EXPECT_FALSE(Frame().SaveDocumentAs());
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, "書き込みエラーが発生しました。");
    EXPECT_TRUE(doc.PathName().empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(f.recent.Empty());
    // Closing still asks, and a failed save on "yes" keeps the window open.
    f.questions.answers = {Answer::Yes};
    f.fileChoices = {{QString::fromStdString(f.folder + "/no/such/folder/x.tm2"), 0}};
    EXPECT_FALSE(Frame().close());
}

// The real file dialogs, driven while they are open.
TEST_F(MainFrameTest, OpenDialogOffersTheLedgerFilters) {
    const std::string path = f.WriteLedger("dialog.tm2", {{Day(2005, 3, 1), 10}});
    f.Create();
    Frame().SetFileDialogRunner({});
    ASSERT_TRUE(f.ShowActive());
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        mode = dialog->fileMode();
        EXPECT_TRUE(dialog->testOption(QFileDialog::HideNameFilterDetails));
        dialog->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Cmd(57601)->trigger();
    EXPECT_EQ(filters, QStringList({"Tallymo Ver.2ﾃﾞｰﾀﾌｧｲﾙ (*.tm2) (*.tm2)",
                                    "Tallymoﾃﾞｰﾀﾌｧｲﾙ (*.csv) (*.csv)", "すべてのﾌｧｲﾙ (*.*) (*)"}));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_EQ(doc.PathName(), path);
}

TEST_F(MainFrameTest, SaveAsDialogAddsTheExtensionAndAsksBeforeCreating) {
    f.Create();
    Frame().SetFileDialogRunner({});
    ASSERT_TRUE(f.ShowActive());
    const QString typed = QString::fromStdString(f.folder + "/typed");
    const auto answer = [&](bool pickCsv) {
        QTimer::singleShot(0, [&, pickCsv] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            if (pickCsv) dialog->selectNameFilter(dialog->nameFilters().at(1));
            dialog->selectFile(typed);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    f.questions.answers = {Answer::No};  // do not create it
    answer(false);
    EXPECT_FALSE(Frame().SaveDocumentAs());
    ASSERT_EQ(f.questions.asked.size(), 1u);
    EXPECT_EQ(f.questions.asked[0], "typed.tm2 は存在しません。\nファイルを作成しますか?");
    EXPECT_TRUE(doc.PathName().empty());

    f.questions.answers = {Answer::Yes};
    answer(true);
    EXPECT_TRUE(Frame().SaveDocumentAs());
    EXPECT_EQ(doc.PathName(), f.folder + "/typed.csv");

    // An existing file is replaced without a question.
    answer(true);
    EXPECT_TRUE(Frame().SaveDocumentAs());
    EXPECT_EQ(f.questions.asked.size(), 2u);
}

TEST_F(MainFrameTest, RecentFilesInTheMenuAndADeadOneRemoved) {
    std::vector<std::string> paths;
    for (const char* name : {"r0.tm2", "r1.tm2", "r2.tm2", "r3.tm2", "r4.tm2"}) {
        paths.push_back(f.WriteLedger(name, {}));
    }
    f.Create();
    for (const std::string& p : paths) {
        ASSERT_TRUE(Frame().OpenDocumentFile(QString::fromStdString(p)));
    }
    ASSERT_EQ(Frame().RecentFileActions().size(), 4);
    EXPECT_EQ(Frame().RecentFileActions()[0]->text(), QString::fromStdString(f.recent.MenuText(0)));
    EXPECT_TRUE(Frame().RecentFileActions()[0]->text().startsWith("&1 "));
    EXPECT_EQ(Frame().RecentFileActions()[3]->data().toInt(), 57619);
    EXPECT_EQ(Frame().RecentFileActions()[2]->statusTip(), "指定のﾌｧｲﾙを開きます");
    EXPECT_FALSE(Texts(*DropDown(0)).contains("最近使ったﾌｧｲﾙ"));

    // The third entry's file is gone: choosing it reports the failure and drops the entry.
    std::remove(paths[2].c_str());
    Frame().RecentFileActions()[2]->trigger();
    EXPECT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.recent.Entries(), (std::vector<std::string>{paths[4], paths[3], paths[1]}));
    EXPECT_EQ(Frame().RecentFileActions().size(), 3);
    EXPECT_EQ(doc.PathName(), paths[4]);

    // Choosing an entry opens it and moves it first.
    Frame().RecentFileActions()[2]->trigger();
    EXPECT_EQ(doc.PathName(), paths[1]);
    EXPECT_EQ(f.recent.First(), paths[1]);
}

TEST_F(MainFrameTest, NoPlacementOpensAtEightHundredBySixHundred) {
    f.Create();
    f.frame->ShowAtStart();
    EXPECT_FALSE(Frame().StartsMaximized());
    EXPECT_EQ(Frame().size(), QSize(800, 600));
}

TEST_F(MainFrameTest, MaximisedPlacementRestoresToTheStoredRectangle) {
    WindowPlacement stored;
    stored.showState = kShowMaximized;
    stored.normal = {40, 50, 40 + 640, 50 + 450};
    f.docs.store.WriteBinary("Settings", "WindowPlacement", EncodePlacement(stored));
    f.Create();
    EXPECT_TRUE(Frame().StartsMaximized());
    Frame().ShowAtStart();
    EXPECT_TRUE(Frame().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(Frame().normalGeometry(), QRect(40, 50, 640, 450));

    // Closed maximised: stored maximised over the same restored rectangle.
    EXPECT_TRUE(Frame().close());
    const auto placement = StoredPlacement();
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(placement->showState, 3u);
    EXPECT_EQ(placement->normal, (PlacementRect{40, 50, 680, 500}));
}

TEST_F(MainFrameTest, ClosingMinimisedStoresTheRestoreState) {
    WindowPlacement stored;
    stored.normal = {30, 20, 30 + 700, 20 + 500};
    f.docs.store.WriteBinary("Settings", "WindowPlacement", EncodePlacement(stored));
    f.Create();
    Frame().ShowAtStart();
    EXPECT_EQ(Frame().geometry(), QRect(30, 20, 700, 500));
    Frame().setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(Frame().close());
    const auto placement = StoredPlacement();
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(f.docs.store.ReadBinary("Settings", "WindowPlacement")->size(), 44u);
    EXPECT_EQ(placement->showState, 9u);
    EXPECT_EQ(placement->normal, (PlacementRect{30, 20, 730, 520}));

    // The next window opens restored, not minimised.
    f.Destroy();
    f.Create();
    EXPECT_FALSE(Frame().StartsMaximized());
    EXPECT_EQ(Frame().geometry(), QRect(30, 20, 700, 500));
}

TEST_F(MainFrameTest, BarStateKeptAcrossRuns) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    EXPECT_TRUE(Cmd(59392)->isChecked());
    EXPECT_TRUE(Cmd(59393)->isChecked());
    Cmd(59392)->trigger();
    Cmd(59393)->trigger();
    EXPECT_TRUE(Frame().findChild<QToolBar*>("ToolBar")->isHidden());
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    EXPECT_FALSE(Cmd(59392)->isChecked());
    EXPECT_TRUE(Frame().close());
    f.Destroy();

    f.Create();
    EXPECT_TRUE(Frame().findChild<QToolBar*>("ToolBar")->isHidden());
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    EXPECT_FALSE(Cmd(59392)->isChecked());
    EXPECT_FALSE(Cmd(59393)->isChecked());
}

TEST_F(MainFrameTest, HelpRequestsOpenTheirTopics) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    Cmd(32776)->trigger();
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

TEST_F(MainFrameTest, LaterCommandsStayGreyed) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    for (int id : {57607, 57609, 57606, 32772, 32771, 57664}) {
        Frame().UpdateCommandStates();
        EXPECT_FALSE(Cmd(id)->isEnabled()) << id;
    }
    QTest::keyClick(&Frame(), Qt::Key_P, Qt::ControlModifier);  // nothing happens
    EXPECT_TRUE(f.messages.messages.empty());
    for (int id : {57600, 57601, 57603, 32784, 57665, 32776})
        EXPECT_TRUE(Cmd(id)->isEnabled()) << id;
}

TEST_F(MainFrameTest, ViewMenuRenderingShowsTheCheckedMode) {
    f.Create();
    ASSERT_TRUE(f.ShowActive());
    QMenu* view = DropDown(2);
    view->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    const QImage image = view->grab().toImage();
    const QRect month = view->actionGeometry(Cmd(32773));
    const QRect week = view->actionGeometry(Cmd(32774));
    EXPECT_EQ(QColor(image.pixel(month.topLeft() + QPoint(2, 2))), QColor(64, 64, 64));
    EXPECT_EQ(QColor(image.pixel(month.topLeft() + QPoint(3 + 7, 2 + 7))), QColor(64, 64, 64));
    EXPECT_EQ(QColor(image.pixel(week.topLeft() + QPoint(2, 2))),
              QColor(view->palette().color(QPalette::Active, QPalette::Button).rgb()));
    EXPECT_EQ(QColor(image.pixel(week.topLeft() + QPoint(30, 1))), QColor(241, 240, 239));
    view->hide();
}

}  // namespace
}  // namespace tallymo
