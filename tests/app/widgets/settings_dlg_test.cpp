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

TEST_F(SettingsDlgTest, OpensWithTheLedgerAndF1HelpsWithTheFocus) {
    docs.doc.ModifyMatter(3, Sjis("交際費"), false);
    docs.doc.Settings().CloseDay = 27;
    Open();
    EXPECT_EQ(Get<QComboBox>(1029).currentText(), QStringLiteral("27日"));
    EXPECT_EQ(Outgo().item(2)->checkState(), Qt::Unchecked);
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
    EXPECT_EQ(list.count(), 7);  // "no" keeps it
    Click(1026);                 // 食費 deleted
    EXPECT_TRUE(questions.asked[0].noByDefault);
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

TEST_F(SettingsDlgTest, ANameTheLedgerFileCannotStoreIsRefused) {
    Open();
    CMatterNameDlg emoji(CMatterNameDlg::Mode::Add, Outgo());
    emoji.NameField().setText(QStringLiteral("趣味😀"));
    emoji.accept();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(Outgo().count(), 7);
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

}  // namespace
}  // namespace tallymo
