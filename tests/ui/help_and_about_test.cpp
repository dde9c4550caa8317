#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QResource>

#include "app/HelpTopics.h"
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

TEST_F(HelpFileTest, EveryTopicHasAPageAndNoLinkIsBroken) {
    for (int topic : HelpTopics()) {
        EXPECT_TRUE(QFile::exists(Page(HelpPageName(topic).mid(10)))) << topic;
    }

    // Every link leads to a page of the file.
    const QRegularExpression href(QStringLiteral("href=\"([^\"#:]+\\.html)\""));
    QDirIterator pages(Page(QString()), {QStringLiteral("*.html")});
    while (pages.hasNext()) {
        const QString name = pages.next();
        for (const auto& match : href.globalMatch(QString::fromUtf8(ReadAll(name)))) {
            EXPECT_TRUE(QFile::exists(Page(match.captured(1))))
                << name.toStdString() << " links to " << match.captured(1).toStdString();
        }
    }
}

// A topic without a page shows the contents. Over a modal dialog the help window belongs to it
// (else the modality would block it); the test program has no help file beside it: the message
// names the path looked for.
TEST(HelpWindowTest, UnknownTopicsModalDialogsAndAMissingFile) {
    HelpWindow window;
    ASSERT_TRUE(window.ShowTopic(kHelpFile, 12345));
    EXPECT_EQ(window.CurrentPage(), QStringLiteral("_RESOURCE/00100.html"));
    EXPECT_FALSE(window.ShowTopic(kHelpFile + QStringLiteral(".missing"), 100));

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

// The link opens the browser; without one, the message says why nothing opened.
TEST(AboutBoxTest, TheLinkOpensTheBrowserOrSaysWhyNot) {
    AboutBox box;
    test::MessageCapture messages;
    std::vector<QUrl> opened;
    const UrlOpener previous = SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return opened.size() == 1;  // the browser is gone the second time
    });
    ASSERT_TRUE(test::ShowActive(box));
    for (int i = 0; i < 2; ++i) QTest::mouseClick(box.findChild<LinkLabel*>(), Qt::LeftButton);
    SetUrlOpener(previous);
    EXPECT_EQ(opened, std::vector<QUrl>(2, QUrl(kMakerWebAddress)));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "標準ブラウザが登録されていないため、起動できません。");
}

}  // namespace
}  // namespace tallymo
