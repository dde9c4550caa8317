#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/StartupPolicy.h"
#include "app/widgets/MatterNameDlg.h"
#include "app/widgets/SettingsDlg.h"
#include "support/FrameFixture.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

using test::Day;
using test::Sjis;

// Types `name` into the name dialog that the next event-loop turn shows and presses OK.
void AnswerNameDialog(const QString& name) {
    QTimer::singleShot(0, [name] {
        auto* dialog = qobject_cast<CMatterNameDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->NameField().setText(name);
        QTest::mouseClick(&dialog->OkButton(), Qt::LeftButton);
    });
}

// The dialog over a new ledger with the built-in matters and an entry on 食費 and on 雑費. The
// desktop links are stand-ins that record their calls.
class SettingsDlgTest : public ::testing::Test {
protected:
    SettingsDlgTest() {
        docs.doc.BookEntry(Day(2005, 3, 1), 1, 500, {}, false);
        docs.doc.BookEntry(Day(2005, 3, 2), 7, 700, {}, false);
        docs.doc.SetModifiedFlag(false);
    }
    void Open() { dialog = std::make_unique<CSettingsDlg>(docs.doc, docs.store, shell); }
    template <typename W = QWidget>
    W& Get(int controlId) {
        auto* widget = qobject_cast<W*>(dialog->Control(controlId));
        EXPECT_NE(widget, nullptr) << controlId;
        return *widget;
    }
    void Click(int controlId) { QTest::mouseClick(&Get<QPushButton>(controlId), Qt::LeftButton); }
    QListWidget& Outgo() { return Get<QListWidget>(1023); }

    test::DocFixture docs;
    test::MessageCapture messages;
    test::QuestionCapture questions;
    test::HelpCapture help;
    bool autorun = false;
    bool associated = false;
    bool shellWorks = true;
    std::vector<std::string> shellCalls;
    std::function<bool(bool)> Switch(const char* on, const char* off) {
        return [this, on, off](bool state) {
            shellCalls.push_back(state ? on : off);
            return shellWorks;
        };
    }
    ShellSwitches shell{[this] { return autorun; }, Switch("autorun on", "autorun off"),
                        [this] { return associated; }, Switch("associate", "dissociate")};
    std::unique_ptr<CSettingsDlg> dialog;
};

TEST_F(SettingsDlgTest, OpensWithTheLedgerButtonsFollowTheSelectionAndF1TheFocus) {
    docs.doc.ModifyMatter(3, Sjis("交際費"), false);
    docs.doc.Settings().CloseDay = 27;
    Open();
    EXPECT_EQ(Get<QComboBox>(1029).currentText(), QStringLiteral("27日"));
    EXPECT_EQ(Outgo().item(2)->checkState(), Qt::Unchecked);
    // change, delete, up, down for each selection (-1: none)
    const auto states = [&] {
        std::string s;
        for (int id : {1025, 1026, 1027, 1028}) s += Get(id).isEnabled() ? '1' : '0';
        return s;
    };
    for (const auto& [row, expected] : {std::pair{0, "1101"}, {6, "1110"}, {-1, "0000"}}) {
        row < 0 ? Outgo().clearSelection() : Outgo().setCurrentRow(row);
        EXPECT_EQ(states(), expected) << row;
    }
    // The start-up options follow the autorun box.
    auto& window = Get<QCheckBox>(1032);
    Get<QCheckBox>(1016).setChecked(true);
    window.setChecked(true);
    Get<QCheckBox>(1016).setChecked(false);  // takes the options with it
    EXPECT_FALSE(window.isChecked() || window.isEnabled());

    ASSERT_TRUE(test::ShowActive(*dialog));
    ASSERT_TRUE(test::FocusOn(Get(1029)));
    QTest::keyClick(&Get(1029), Qt::Key_F1);
    Click(9);
    EXPECT_EQ(help.topics, (std::vector<int>{460, 400}));
}

// Deleting asks with "no" as the default; the lists reach the ledger only on OK, each item with
// its matter, its entries and its check mark.
TEST_F(SettingsDlgTest, EditingTheListsReachesTheLedgerOnlyOnOk) {
    docs.doc.ModifyMatter(7, Sjis("雑費"), false);
    docs.doc.SetModifiedFlag(false);
    Open();
    QListWidget& list = Outgo();
    list.setCurrentRow(0);
    questions.answers = {Answer::No, Answer::Yes};
    Click(1026);
    Click(1026);  // 食費 deleted
    EXPECT_TRUE(questions.forms[0].noByDefault);
    EXPECT_EQ(list.count(), 6);
    list.setCurrentRow(5);
    Click(1027);  // 雑費 up
    list.setCurrentRow(0);
    AnswerNameDialog(QStringLiteral("趣味"));
    Click(1024);  // added above the first item, not at the end
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("趣味"));
    list.setCurrentRow(5);
    AnswerNameDialog(QStringLiteral("その他"));
    emit list.itemDoubleClicked(list.item(5));  // 雑費 renamed
    EXPECT_EQ(docs.doc.MatterCount(), 8);
    EXPECT_FALSE(docs.doc.IsModified());

    dialog->accept();
    EXPECT_EQ(Cp932ToUtf8(docs.doc.GetMatter(1)->Name()), "趣味");
    EXPECT_EQ(Cp932ToUtf8(docs.doc.GetMatter(6)->Name()), "その他");
    EXPECT_FALSE(docs.doc.IsMatterVisible(6));
    ASSERT_EQ(docs.doc.Entries().size(), 1u);  // 食費's entry went with it
    EXPECT_EQ(docs.doc.DayAmount(Day(2005, 3, 2), 6), 700);
    EXPECT_TRUE(docs.doc.IsModified());
}

TEST_F(SettingsDlgTest, NameDialogOkRuleAndUnstorableNames) {
    Open();
    QListWidget& list = Outgo();
    list.addItem(QStringLiteral("Book"));
    list.setCurrentRow(2);
    using Mode = CMatterNameDlg::Mode;
    // name typed (change mode: as the dialog opens), OK enabled
    for (const auto& [mode, typed, ok] : {std::tuple{Mode::Add, "bOOK", false},
                                          {Mode::Add, "Books", true},
                                          {Mode::Change, nullptr, false}}) {
        CMatterNameDlg name(mode, list);
        if (typed) name.NameField().setText(QString::fromUtf8(typed));
        EXPECT_EQ(name.OkButton().isEnabled(), ok) << (typed ? typed : "change");
    }
    CMatterNameDlg emoji(Mode::Add, list);
    emoji.NameField().setText(QStringLiteral("趣味😀"));
    emoji.accept();  // the ledger file could not store it
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(list.count(), 8);
    EXPECT_EQ(emoji.result(), QDialog::Rejected);
}

// OK writes the options, keeps a stored value no item shows, switches only the desktop links
// whose box changed and reports a link that failed.
TEST_F(SettingsDlgTest, OkWritesOptionsAndSwitchesOnlyChangedLinks) {
    associated = true;
    docs.store.WriteInt(kAppSettingsSection, "RunStartHour", 30);
    docs.doc.Settings().CloseDay = 40;
    Open();
    dialog->accept();
    EXPECT_TRUE(shellCalls.empty());
    EXPECT_EQ(ReadStartupSettings(docs.store).runStartHour, 30);
    EXPECT_EQ(docs.doc.Settings().CloseDay, 40);

    shellWorks = false;
    Open();
    Get<QCheckBox>(1050).setChecked(false);
    Get<QComboBox>(1040).setCurrentIndex(2);
    Get<QCheckBox>(1042).setChecked(true);
    Get<QCheckBox>(1015).setChecked(true);
    dialog->accept();
    EXPECT_EQ(shellCalls, std::vector<std::string>{"dissociate"});
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(ReadStartupSettings(docs.store).openRecentFileAtRun);
    EXPECT_EQ(docs.doc.Settings().FractionMode, 2);
    EXPECT_EQ(docs.store.ReadInt("DefaultSettings", "FractionMode"), 2);  // for new ledgers
    Open();
    Get<QComboBox>(1040).setCurrentIndex(0);  // the first item is a choice like any other
    dialog->accept();
    EXPECT_EQ(docs.doc.Settings().FractionMode, 0);

    shell = {};  // links the program cannot switch here: their boxes are off
    Open();
    EXPECT_FALSE(Get(1016).isEnabled() || Get(1050).isEnabled());
}

// The main window's settings command: after OK the grid shows the new columns and the cursor
// stays on its day and matter.
TEST(SettingsCommand, GridFollowsTheListsAndTheCursorKeepsItsDay) {
    test::FrameFixture fixture;
    CMainFrame& frame = fixture.Create();
    ASSERT_TRUE(fixture.ShowActive());
    CTallymoView& view = *frame.GetLedgerView();
    view.Grid().SetRow(view.Shape().LastDayRow() - 3);
    view.Grid().SetCol(3);  // 交通費
    const TimeValue day = view.RowDate(view.Grid().Row());
    fixture.questions.answers = {Answer::Yes};
    QTimer::singleShot(0, [] {
        auto* settings = qobject_cast<CSettingsDlg*>(QApplication::activeModalWidget());
        static_cast<QListWidget*>(settings->Control(1023))->setCurrentRow(0);
        QTest::mouseClick(static_cast<QPushButton*>(settings->Control(1026)), Qt::LeftButton);
        settings->accept();
    });
    frame.Action(32771)->trigger();
    EXPECT_EQ(view.RowDate(view.Grid().Row()), day);
    EXPECT_EQ(view.Grid().Col(), 2);
}

}  // namespace
}  // namespace tallymo
