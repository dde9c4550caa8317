#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>

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

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
    return texts;
}

QStringList Texts(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
    return texts;
}

// Runs `act` on the modal dialog that the next event-loop turn shows (the name dialog).
void OnNextModal(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

// Records questions with their form and answers them with `answer`.
class Questions {
public:
    Questions() {
        m_previous = SetQuestionPresenter([this](QWidget*, const Question& q) {
            asked.push_back(q);
            return answer;
        });
    }
    ~Questions() { SetQuestionPresenter(std::move(m_previous)); }
    std::vector<Question> asked;
    Answer answer = Answer::No;

private:
    QuestionPresenter m_previous;
};

// The settings dialog over a ledger with the built-in matters and an entry on 食費 and 雑費.
// The shell switches are stand-ins that count their calls.
class SettingsDlgTest : public ::testing::Test {
protected:
    SettingsDlgTest() {
        docs.doc.BookEntry(Day(2005, 3, 1), 1, 500, {}, false);
        docs.doc.BookEntry(Day(2005, 3, 2), 7, 700, {}, false);
        docs.doc.SetModifiedFlag(false);
    }
    CSettingsDlg& Open() {
        dialog = std::make_unique<CSettingsDlg>(docs.doc, docs.store, shell);
        return *dialog;
    }
    template <typename W>
    W& Get(int controlId) {
        auto* widget = qobject_cast<W*>(dialog->Control(controlId));
        EXPECT_NE(widget, nullptr) << controlId;
        return *widget;
    }
    QListWidget& Outgo() { return Get<QListWidget>(1023); }
    QListWidget& Income() { return Get<QListWidget>(1017); }

    test::DocFixture docs;
    test::MessageCapture messages;
    Questions questions;
    bool autorun = false;
    bool associated = false;
    bool shellWorks = true;
    std::vector<std::string> shellCalls;
    ShellSwitches shell{[this] { return autorun; },
                        [this](bool on) {
                            shellCalls.push_back(on ? "autorun on" : "autorun off");
                            return shellWorks;
                        },
                        [this] { return associated; },
                        [this](bool on) {
                            shellCalls.push_back(on ? "associate" : "dissociate");
                            return shellWorks;
                        }};
    std::unique_ptr<CSettingsDlg> dialog;
};

TEST_F(SettingsDlgTest, OpensWithTheLedgerAndTheStoredOptions) {
    docs.doc.ModifyMatter(3, Sjis("交際費"), false);
    docs.doc.Settings().CloseDay = 27;
    docs.store.WriteFlag(kAppSettingsSection, "ShowOnSetTime", true);
    docs.store.WriteInt(kAppSettingsSection, "RunStartHour", 22);
    docs.store.WriteInt(kAppSettingsSection, "RunEndHour", 2);
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("設定"));
    EXPECT_EQ(Texts(Income()), QStringList{"収入"});
    EXPECT_EQ(Texts(Outgo()),
              (QStringList{"食費", "交通費", "交際費", "光熱費", "通信費", "住居費", "雑費"}));
    EXPECT_EQ(Outgo().item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Outgo().item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(Get<QComboBox>(1029).currentText(), QStringLiteral("27日"));
    EXPECT_EQ(Get<QComboBox>(1030).currentText(), QStringLiteral(" 9"));
    EXPECT_EQ(Get<QComboBox>(1040).currentText(), QStringLiteral("四捨五入"));
    EXPECT_EQ(Get<QComboBox>(1033).currentText(), QStringLiteral("22:00"));
    EXPECT_EQ(Get<QComboBox>(1038).currentText(), QStringLiteral("02:59"));
    const QStringList start = Texts(Get<QComboBox>(1033));
    const QStringList end = Texts(Get<QComboBox>(1038));
    EXPECT_EQ(start.size(), 24);
    EXPECT_EQ(start.front() + start.back() + end.front() + end.back(),
              QStringLiteral("00:0023:0000:5923:59"));
    EXPECT_EQ(Texts(Get<QComboBox>(1030)).join(','), QStringLiteral(" 6, 7, 8, 9,10,11,12,13,"
                                                                    "14,15,16,17,18,19,20,21,"
                                                                    "22,23,24"));
    EXPECT_TRUE(Get<QCheckBox>(1032).isChecked());
    EXPECT_FALSE(Get<QCheckBox>(1015).isChecked());

    docs.doc.Settings().CloseDay = 0;
    Open();
    EXPECT_EQ(Get<QComboBox>(1029).currentText(), QStringLiteral("月末"));
    EXPECT_EQ(Get<QComboBox>(1029).count(), 28);
}

TEST_F(SettingsDlgTest, ButtonsAndOptionsFollowSelectionAndCheckBoxes) {
    Open();
    // change, delete, up, down of the outgo list for each selection.
    const auto states = [&] {
        std::string s;
        for (int id : {1025, 1026, 1027, 1028}) s += Get<QPushButton>(id).isEnabled() ? '1' : '0';
        return s;
    };
    EXPECT_EQ(states(), "0000");
    const std::pair<int, const char*> cases[] = {
        {0, "1101"}, {3, "1111"}, {6, "1110"}, {-1, "0000"}};
    for (const auto& [row, expected] : cases) {
        if (row < 0) {
            Outgo().clearSelection();
        } else {
            Outgo().setCurrentRow(row);
        }
        EXPECT_EQ(states(), expected) << row;
    }
    EXPECT_TRUE(Get<QPushButton>(1024).isEnabled());
    // Income, one item: never up or down.
    Income().setCurrentRow(0);
    EXPECT_TRUE(Get<QPushButton>(1043).isEnabled());
    EXPECT_FALSE(Get<QPushButton>(1021).isEnabled() || Get<QPushButton>(1022).isEnabled());

    auto& autorunBox = Get<QCheckBox>(1016);
    auto& once = Get<QCheckBox>(1031);
    auto& window = Get<QCheckBox>(1032);
    EXPECT_FALSE(once.isEnabled() || window.isEnabled() || Get<QComboBox>(1033).isEnabled());
    autorunBox.setChecked(true);
    once.setChecked(true);
    window.setChecked(true);
    EXPECT_TRUE(once.isEnabled() && Get<QComboBox>(1033).isEnabled() &&
                Get<QComboBox>(1038).isEnabled());
    window.setChecked(false);
    EXPECT_FALSE(Get<QComboBox>(1033).isEnabled() || Get<QComboBox>(1038).isEnabled());
    window.setChecked(true);
    autorunBox.setChecked(false);
    EXPECT_FALSE(once.isChecked() || window.isChecked() || once.isEnabled());
    EXPECT_FALSE(Get<QComboBox>(1038).isEnabled());

    // F1 opens the focused control's topic; the help button the dialog's.
    test::HelpCapture help;
    ASSERT_TRUE(test::ShowActive(*dialog));
    for (int id : {1029, 1030, 1040, 1041, 1024, 1017}) {
        ASSERT_TRUE(test::FocusOn(*dialog->Control(id)));
        QTest::keyClick(dialog->Control(id), Qt::Key_F1);
    }
    QTest::mouseClick(&Get<QPushButton>(9), Qt::LeftButton);
    EXPECT_EQ(help.topics, (std::vector<int>{460, 470, 480, 490, 410, 400, 400}));
}

TEST_F(SettingsDlgTest, UpAndDownMoveTextMatterAndCheckMarkTogether) {
    docs.doc.ModifyMatter(7, Sjis("雑費"), false);
    Open();
    Outgo().setCurrentRow(6);
    QTest::mouseClick(&Get<QPushButton>(1027), Qt::LeftButton);
    QTest::mouseClick(&Get<QPushButton>(1027), Qt::LeftButton);
    EXPECT_EQ(SelectedRow(Outgo()), 4);
    EXPECT_EQ(Outgo().item(4)->text(), QStringLiteral("雑費"));
    EXPECT_EQ(Outgo().item(4)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Outgo().item(6)->checkState(), Qt::Checked);
    QTest::mouseClick(&Get<QPushButton>(1028), Qt::LeftButton);
    EXPECT_EQ(Texts(Outgo())[5], QStringLiteral("雑費"));
    const EditedMatterList edited = dialog->EditedList(false);
    EXPECT_EQ(edited[5].matter, docs.doc.GetMatter(7)->Id());
    EXPECT_FALSE(edited[5].visible);
}

TEST_F(SettingsDlgTest, DeleteAsksWithNoAsDefaultAndTouchesTheLedgerOnlyOnOk) {
    Open();
    Outgo().setCurrentRow(0);
    QTest::mouseClick(&Get<QPushButton>(1026), Qt::LeftButton);  // answered No
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text,
              QStringLiteral("『食費』を削除してよろしいですか？\n『食費』で記帳されているデータは"
                             "すべて削除されます。"));
    EXPECT_TRUE(questions.asked[0].noByDefault);
    EXPECT_FALSE(questions.asked[0].withCancel);
    EXPECT_EQ(Outgo().count(), 7);

    questions.answer = Answer::Yes;
    QTest::mouseClick(&Get<QPushButton>(1026), Qt::LeftButton);
    EXPECT_EQ(Outgo().count(), 6);
    EXPECT_FALSE(Get<QPushButton>(1026).isEnabled());
    EXPECT_EQ(docs.doc.MatterCount(), 8);
    EXPECT_FALSE(docs.doc.IsModified());

    dialog->accept();
    EXPECT_EQ(docs.doc.MatterCount(), 7);
    ASSERT_EQ(docs.doc.Entries().size(), 1u);  // 食費's entry went with it
    EXPECT_EQ(docs.doc.DayAmount(Day(2005, 3, 2), 6), 700);
    EXPECT_TRUE(docs.doc.IsModified());
}

TEST_F(SettingsDlgTest, NameDialogAddsChangesAndRefuses) {
    Open();
    QListWidget& list = Outgo();
    list.setCurrentRow(2);
    struct Case {
        CMatterNameDlg::Mode mode;
        QString typed;
        bool okEnabled;
    };
    const Case cases[] = {
        {CMatterNameDlg::Mode::Add, "", false},
        {CMatterNameDlg::Mode::Add, "食費", false},
        {CMatterNameDlg::Mode::Add, "ＡＢＣ", true},
        {CMatterNameDlg::Mode::Change, "交際費", false},
    };
    for (const Case& c : cases) {
        CMatterNameDlg name(c.mode, list);
        if (c.mode == CMatterNameDlg::Mode::Change) {
            EXPECT_EQ(name.windowTitle(), QStringLiteral("事柄の変更"));
            EXPECT_EQ(name.NameField().selectedText(), QStringLiteral("交際費"));
        } else {
            EXPECT_EQ(name.windowTitle(), QStringLiteral("事柄の追加"));
            name.NameField().setText(c.typed);
        }
        EXPECT_EQ(name.OkButton().isEnabled(), c.okEnabled) << c.typed.toStdString();
    }
    // Letter case does not make a new name.
    list.addItem(QStringLiteral("Book"));
    CMatterNameDlg sameInOtherCase(CMatterNameDlg::Mode::Add, list);
    sameInOtherCase.NameField().setText(QStringLiteral("bOOK"));
    EXPECT_FALSE(sameInOtherCase.OkButton().isEnabled());
    delete list.takeItem(list.count() - 1);

    // Add with the third item selected: the new one becomes the third.
    list.setCurrentRow(2);
    OnNextModal([](QDialog& d) {
        auto& name = static_cast<CMatterNameDlg&>(d);
        name.NameField().setText(QStringLiteral("趣味"));
        QTest::mouseClick(&name.OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(&Get<QPushButton>(1024), Qt::LeftButton);
    EXPECT_EQ(Texts(list).mid(1, 3), (QStringList{"交通費", "趣味", "交際費"}));
    EXPECT_EQ(SelectedRow(list), 2);
    EXPECT_EQ(list.item(2)->checkState(), Qt::Checked);
    EXPECT_FALSE(list.item(2)->data(kMatterIdRole).isValid());

    // A double click changes: the item keeps its matter and its check mark.
    list.item(3)->setCheckState(Qt::Unchecked);
    list.setCurrentRow(3);
    OnNextModal([](QDialog& d) {
        auto& name = static_cast<CMatterNameDlg&>(d);
        name.NameField().setText(QStringLiteral("交際費😀"));
        QTest::mouseClick(&name.OkButton(), Qt::LeftButton);  // refused: not storable
        EXPECT_TRUE(name.isVisible());
        name.NameField().setText(QStringLiteral("付き合い"));
        QTest::mouseClick(&name.OkButton(), Qt::LeftButton);
    });
    emit list.itemDoubleClicked(list.item(3));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "事柄名に保存できない文字が含まれています。別の文字で入力してください。");
    EXPECT_EQ(list.item(3)->text(), QStringLiteral("付き合い"));
    EXPECT_EQ(list.item(3)->checkState(), Qt::Unchecked);
    EXPECT_EQ(dialog->EditedList(false)[3].matter, docs.doc.GetMatter(3)->Id());

    dialog->accept();
    EXPECT_EQ(Cp932ToUtf8(docs.doc.GetMatter(3)->Name()), "趣味");
    EXPECT_EQ(Cp932ToUtf8(docs.doc.GetMatter(4)->Name()), "付き合い");
    EXPECT_FALSE(docs.doc.IsMatterVisible(4));
}

TEST_F(SettingsDlgTest, OkWritesOptionsAndKeepsStoredValuesNoItemShows) {
    autorun = true;
    docs.store.WriteFlag(kAppSettingsSection, "ShowOnceByADay", true);
    docs.store.WriteFlag(kAppSettingsSection, "ShowOnSetTime", true);
    docs.store.WriteInt(kAppSettingsSection, "RunStartHour", 30);
    docs.doc.Settings().CloseDay = 40;
    docs.doc.Settings().FontSize = 95;
    Open();
    EXPECT_EQ(Get<QComboBox>(1029).currentIndex(), -1);
    EXPECT_EQ(Get<QComboBox>(1030).currentIndex(), -1);
    EXPECT_EQ(Get<QComboBox>(1033).currentIndex(), -1);
    Get<QCheckBox>(1016).setChecked(false);
    Get<QCheckBox>(1042).setChecked(true);
    Get<QComboBox>(1040).setCurrentIndex(2);
    Get<QCheckBox>(1041).setChecked(false);
    Get<QCheckBox>(1015).setChecked(true);
    dialog->accept();

    const StartupSettings startup = ReadStartupSettings(docs.store);
    EXPECT_FALSE(startup.showOnceByADay || startup.showOnSetTime);
    EXPECT_EQ(docs.store.ReadBinary(kAppSettingsSection, "ShowOnceByADay"), std::string(1, '\0'));
    EXPECT_TRUE(startup.openRecentFileAtRun);
    EXPECT_EQ(startup.runStartHour, 30);
    EXPECT_EQ(docs.doc.Settings().CloseDay, 40);
    EXPECT_EQ(docs.doc.Settings().FontSize, 95);
    EXPECT_EQ(docs.doc.Settings().FractionMode, 2);
    EXPECT_FALSE(docs.doc.Settings().ShowQuickWizard);
    EXPECT_TRUE(docs.doc.IsModified());
    EXPECT_EQ(shellCalls, std::vector<std::string>{"autorun off"});
    // The defaults for new ledgers took the settings and the lists.
    EXPECT_EQ(docs.store.ReadInt("DefaultSettings", "FractionMode"), 2);
    EXPECT_EQ(docs.store.ReadInt("DefaultSettings", "OutgoMatter"), 7);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsDlgTest, ShellLinksChangeOnlyWhenTheirBoxChangedAndFailuresAreReported) {
    associated = true;
    Open();
    dialog->accept();
    EXPECT_TRUE(shellCalls.empty());  // untouched boxes take nothing back

    shellWorks = false;
    Open();
    Get<QCheckBox>(1050).setChecked(false);
    Get<QCheckBox>(1016).setChecked(true);
    dialog->accept();
    EXPECT_EQ(shellCalls, (std::vector<std::string>{"dissociate", "autorun on"}));
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].text,
              "拡張子の関連付けに失敗しました。管理者権限であるかどうか確認してください。");

    shell = {};  // a desktop the program cannot link into: the boxes stay off
    Open();
    EXPECT_FALSE(Get<QCheckBox>(1016).isEnabled() || Get<QCheckBox>(1050).isEnabled());
}

TEST_F(SettingsDlgTest, CancelLeavesLedgerAndSettingsAsTheyWere) {
    docs.doc.Undo();  // 雑費's entry waits for redo
    const auto entries = docs.doc.Entries();
    const auto redo = docs.doc.RedoHistory();
    const MatterList income = docs.doc.IncomeList();
    const MatterList outgo = docs.doc.OutgoList();
    const LedgerSettings settings = docs.doc.Settings();
    Open();
    questions.answer = Answer::Yes;
    Outgo().setCurrentRow(0);
    QTest::mouseClick(&Get<QPushButton>(1026), Qt::LeftButton);
    Outgo().setCurrentRow(5);
    QTest::mouseClick(&Get<QPushButton>(1027), Qt::LeftButton);
    Outgo().item(0)->setCheckState(Qt::Unchecked);
    Get<QComboBox>(1029).setCurrentIndex(5);
    Get<QComboBox>(1030).setCurrentIndex(0);
    Get<QCheckBox>(1041).setChecked(false);
    Get<QCheckBox>(1042).setChecked(true);
    Get<QCheckBox>(1016).setChecked(true);
    Get<QCheckBox>(1050).setChecked(true);
    Get<QCheckBox>(1015).setChecked(true);
    dialog->reject();

    EXPECT_EQ(docs.doc.Entries(), entries);
    EXPECT_EQ(docs.doc.RedoHistory(), redo);
    EXPECT_EQ(docs.doc.IncomeList(), income);
    EXPECT_EQ(docs.doc.OutgoList(), outgo);
    EXPECT_EQ(docs.doc.Settings(), settings);
    EXPECT_FALSE(docs.doc.IsModified());
    EXPECT_FALSE(docs.store.ReadBinary(kAppSettingsSection, "OpenRecentlyFileAtRun"));
    EXPECT_FALSE(docs.store.ReadInt("DefaultSettings", "OutgoMatter"));
    EXPECT_TRUE(shellCalls.empty());
}

// The settings command of the main window: after OK the grid shows the new columns and the
// cursor stays on its day and matter.
TEST(SettingsCommand, GridFollowsTheListsAndTheCursorKeepsItsDay) {
    test::FrameFixture fixture;
    CMainFrame& frame = fixture.Create();
    ASSERT_TRUE(fixture.ShowActive());
    CTallymoDoc& doc = fixture.docs.doc;
    CTallymoView& view = *frame.GetLedgerView();
    QAction* command = frame.Action(32771);
    frame.UpdateCommandStates();
    ASSERT_TRUE(command->isEnabled());
    view.Grid().SetRow(view.Shape().LastDayRow() - 3);
    view.Grid().SetCol(3);  // 交通費
    const TimeValue day = view.RowDate(view.Grid().Row());

    fixture.questions.answers = {Answer::Yes};
    QTimer::singleShot(0, [] {
        auto* settings = qobject_cast<CSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(settings, nullptr);
        static_cast<QListWidget*>(settings->Control(1023))->setCurrentRow(0);
        QTest::mouseClick(static_cast<QPushButton*>(settings->Control(1026)), Qt::LeftButton);
        settings->accept();
    });
    command->trigger();

    EXPECT_EQ(doc.MatterCount(), 7);
    EXPECT_EQ(view.Shape().Columns(), 9);
    EXPECT_EQ(view.Grid().TextMatrix(0, 2), QStringLiteral("交通費"));
    EXPECT_EQ(view.RowDate(view.Grid().Row()), day);
    EXPECT_EQ(view.Grid().Col(), 2);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace tallymo
