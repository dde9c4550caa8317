#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QResource>
#include <QSet>
#include <QTextBrowser>
#include <deque>

#include "ProgramVersion.h"
#include "app/HelpTopics.h"
#include "app/ShellIntegration.h"
#include "app/widgets/DesktopShell.h"
#include "support/WidgetTestSupport.h"
#include "ui/AboutBox.h"
#include "ui/Help.h"
#include "ui/HelpWindow.h"

namespace tallymo {
namespace {

const QString kHelpFile = QStringLiteral(TALLYMO_HELP_FILE);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The compiled help file, as the help window sees it.
class HelpFileTest : public testing::Test {
protected:
    static constexpr const char* kRoot = "/help-under-test";
    void SetUp() override { ASSERT_TRUE(QResource::registerResource(kHelpFile, kRoot)); }
    void TearDown() override { QResource::unregisterResource(kHelpFile, kRoot); }
    static QString Page(const QString& name) {
        return QStringLiteral(":") + QLatin1String(kRoot) + QStringLiteral("/_RESOURCE/") + name;
    }
};

TEST_F(HelpFileTest, EveryTopicHasAPageAndEveryPageIsReachableFromTheContents) {
    for (int topic : HelpTopics()) {
        EXPECT_TRUE(QFile::exists(Page(HelpPageName(topic).mid(10)))) << topic;
    }

    // Walk the links from the contents; every link leads to a page of the file.
    const QRegularExpression href(QStringLiteral("href=\"([^\"#:]+\\.html)\""));
    QSet<QString> reached{QStringLiteral("00100.html")};
    std::deque<QString> queue{QStringLiteral("00100.html")};
    while (!queue.empty()) {
        const QString name = queue.front();
        queue.pop_front();
        const QString text = QString::fromUtf8(ReadAll(Page(name)));
        for (const auto& match : href.globalMatch(text)) {
            const QString target = match.captured(1);
            EXPECT_TRUE(QFile::exists(Page(target)))
                << name.toStdString() << " links to " << target.toStdString();
            if (!reached.contains(target) && QFile::exists(Page(target))) {
                reached.insert(target);
                queue.push_back(target);
            }
        }
    }
    // Every page written for the help file is in it and reached from the contents.
    QDirIterator sources(QStringLiteral(TALLYMO_HELP_SOURCES), {QStringLiteral("*.html")});
    while (sources.hasNext()) {
        sources.next();
        EXPECT_TRUE(reached.contains(sources.fileName())) << sources.fileName().toStdString();
    }
}

TEST(HelpWindowTest, ShowsTopicsWithBackForwardAndContents) {
    HelpWindow window;
    ASSERT_TRUE(window.ShowTopic(kHelpFile, 7));
    EXPECT_EQ(window.Browser()->documentTitle(), QStringLiteral("計算機で入力する"));
    ASSERT_TRUE(window.ShowTopic(kHelpFile, 3010));
    auto* back = window.findChild<QPushButton*>();  // the first button: back
    ASSERT_TRUE(back && back->isEnabled());
    back->click();
    EXPECT_EQ(window.CurrentPage(), QStringLiteral("_RESOURCE/00007.html"));

    // A topic without a page shows the contents; a missing file shows nothing.
    ASSERT_TRUE(window.ShowTopic(kHelpFile, 12345));
    EXPECT_EQ(window.CurrentPage(), QStringLiteral("_RESOURCE/00100.html"));
    EXPECT_FALSE(window.ShowTopic(kHelpFile + QStringLiteral(".missing"), 100));
    ASSERT_TRUE(test::ShowActive(window));
    QTest::keyClick(window.Browser(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// Over a modal dialog the help window belongs to it (else the modality would block it); the
// test program has no help file beside it: the message names the path looked for.
TEST(HelpWindowTest, OverAModalDialogItsOwnAndAMissingFileNamed) {
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    EXPECT_EQ(HelpWindow::Shared()->parentWidget(), &dialog);
    dialog.close();

    test::MessageCapture messages;
    ShowHelpTopic(300);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(QString::fromStdString(messages.messages[0].text),
              QStringLiteral("ヘルプファイル『") + QCoreApplication::applicationDirPath() +
                  QStringLiteral("/tallymo_widget_tests.rcc』が見つかりません。"));
}

TEST(AboutBoxTest, ShowsVersionAndOpensTheLinkOrSaysWhyNot) {
    AboutBox box;
    QStringList texts;
    for (const QLabel* label : box.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("バージョン ") + QLatin1String(kVersionText)));

    auto* link = box.findChild<LinkLabel*>();
    ASSERT_NE(link, nullptr);

    test::MessageCapture messages;
    std::vector<QUrl> opened;
    bool browserThere = true;
    const UrlOpener previous = SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return browserThere;
    });
    ASSERT_TRUE(test::ShowActive(box));
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty());
    browserThere = false;
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Return);
    SetUrlOpener(previous);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(kMakerWebAddress));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "標準ブラウザが登録されていないため、起動できません。");
    box.close();
}

TEST(DesktopShellTest, SettingsDialogShowsTheAssociationAsItIs) {
    // The dialog reads the real desktop links of this program.
    test::DocFixture docs;
    const auto associatedBox = [&] {
        CSettingsDlg dialog(docs.doc, docs.store, DesktopShellSwitches());
        return static_cast<QCheckBox*>(dialog.Control(1050))->isChecked();
    };
    ASSERT_TRUE(SetFileAssociation(true).ok);
    EXPECT_TRUE(associatedBox());
    ASSERT_TRUE(SetFileAssociation(false).ok);
    EXPECT_FALSE(associatedBox());
    EXPECT_TRUE(QFile::exists(AssociationEntryPath()));
}

}  // namespace
}  // namespace tallymo
