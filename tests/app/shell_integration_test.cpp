#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <set>

#include "app/DesktopFiles.h"
#include "app/HelpTopics.h"
#include "app/SettingsChoices.h"
#include "app/ShellIntegration.h"
#include "support/TestEnvironment.h"

namespace tallymo {
namespace {

const QString kProgram = QStringLiteral("/opt/my tools/tallymo");

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Each test gets its own empty config and data folders.
class ShellIntegrationTest : public testing::Test {
protected:
    void SetUp() override {
        m_config = QString::fromStdString(test::MakeTempDir("config"));
        m_data = QString::fromStdString(test::MakeTempDir("data"));
        setenv("XDG_CONFIG_HOME", m_config.toLocal8Bit().constData(), 1);
        setenv("XDG_DATA_HOME", m_data.toLocal8Bit().constData(), 1);
    }
    QString m_config;
    QString m_data;
};

TEST(DesktopFilesTest, ExecArgumentsSurviveQuotingAndEntryEscapes) {
    const struct {
        const char* argument;
        const char* written;
    } cases[] = {
        {R"(/a "b"/c)", R"("/a \\"b\\"/c")"},
        {"/a/$HOME/`x`", R"("/a/\\$HOME/\\`x\\`")"},
        {R"(C:\Tools\tm)", R"("C:\\\\Tools\\\\tm")"},
        {"/100%/tm", R"("/100%%/tm")"},
    };
    for (const auto& c : cases) {
        const QString argument = QString::fromUtf8(c.argument);
        const QString quoted = QuoteExecArgument(argument);
        EXPECT_EQ(quoted, QString::fromUtf8(c.written)) << c.argument;
        EXPECT_EQ(SplitExecLine(quoted + QStringLiteral(" %f")),
                  (QStringList{argument, QStringLiteral("%f")}))
            << c.argument;
    }
    EXPECT_TRUE(QuoteExecArgument(QStringLiteral("/a\nb")).isEmpty());
}

// Autorun starts the program in startup mode; the file association, once off, keeps the
// desktop entry.
TEST_F(ShellIntegrationTest, AutorunAndAssociationOnThenOff) {
    const QString autorun = m_config + QStringLiteral("/autostart/tallymo2.desktop");
    EXPECT_EQ(AutorunEntryPath(), autorun);

    EXPECT_TRUE(SetAutorun(false, kProgram).ok);  // without an entry: no failure

    ASSERT_TRUE(SetAutorun(true, kProgram).ok);
    EXPECT_TRUE(IsAutorunOn());
    EXPECT_EQ(DesktopEntryValue(ReadAll(autorun), QStringLiteral("Exec")),
              QStringLiteral("\"/opt/my tools/tallymo\" /startup"));

    ASSERT_TRUE(SetAutorun(false, kProgram).ok);
    EXPECT_FALSE(IsAutorunOn());
    EXPECT_FALSE(QFileInfo::exists(autorun));

    // Lines of other types and programs stay as they were.
    const QByteArray others =
        "[Default Applications]\ntext/plain=vi.desktop;\n"
        "[Added Associations]\napplication/x-tallymo2=other.desktop;\n";
    Write(MimeAppsListPath(), others);
    ASSERT_TRUE(SetFileAssociation(true, kProgram).ok);
    EXPECT_TRUE(IsFileAssociated(kProgram));
    EXPECT_FALSE(IsFileAssociated(QStringLiteral("/usr/bin/other")));  // not merely some program

    const QString entry = ReadAll(AssociationEntryPath());
    EXPECT_EQ(DesktopEntryValue(entry, QStringLiteral("Exec")),
              QStringLiteral("\"/opt/my tools/tallymo\" %f"));
    EXPECT_EQ(DesktopEntryValue(entry, QStringLiteral("MimeType")),
              QStringLiteral("application/x-tallymo2;"));
    // The package shipped with the program declares the same type.
    EXPECT_EQ(ReadAll(MimePackagePath()), ReadAll(QStringLiteral(TALLYMO_SOURCE_DIR) +
                                                  QStringLiteral("/res/linux/tallymo.xml")));

    ASSERT_TRUE(SetFileAssociation(false, kProgram).ok);
    EXPECT_FALSE(IsFileAssociated(kProgram));
    EXPECT_FALSE(QFileInfo::exists(MimePackagePath()));
    EXPECT_EQ(ReadAll(AssociationEntryPath()), entry);
    EXPECT_EQ(ReadAll(MimeAppsListPath()).toUtf8(), others);
}

TEST_F(ShellIntegrationTest, AssociationThatCannotBeWrittenSaysSo) {
    // The data folder is a file: nothing can be made in it.
    QDir(m_data).removeRecursively();
    Write(m_data, "not a folder");
    const ShellOutcome outcome = SetFileAssociation(true, kProgram);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message.text,
              "拡張子の関連付けに失敗しました。管理者権限であるかどうか確認してください。");
    EXPECT_FALSE(IsFileAssociated(kProgram));
}

TEST(HelpTopicsTest, PagesAndHelpFilesAreNamedFromTheProgram) {
    EXPECT_EQ(HelpFileBeside(QStringLiteral("/a/b.c/tm.exe")), QStringLiteral("/a/b.c/tm.rcc"));
    // Beside the program first, then <prefix>/share/tallymo/ for a program in <prefix>/bin/.
    const QString prefix = QString::fromStdString(test::MakeTempDir("prefix"));
    const QString program = prefix + QStringLiteral("/bin/tallymo");
    const QString beside = prefix + QStringLiteral("/bin/tallymo.rcc");
    const QString shared = prefix + QStringLiteral("/share/tallymo/tallymo.rcc");
    EXPECT_EQ(LocateHelpFile(program), beside);
    Write(shared, "x");
    EXPECT_EQ(LocateHelpFile(program), shared);
    Write(beside, "x");
    EXPECT_EQ(LocateHelpFile(program), beside);
}

// A help request for a topic without a page would open an empty help window: the settings
// dialog's control map and the amount and key topics are in the exported list that the help
// file is checked against.
TEST(HelpTopicsTest, EveryTopicOfTheControlMapAndKeysIsListed) {
    const std::span<const int> topics = HelpTopics();
    const std::set<int> listed(topics.begin(), topics.end());
    for (int id = 0; id < 20000; ++id) EXPECT_TRUE(listed.count(SettingsHelpTopic(id))) << id;
    for (int key = 1; key <= 20; ++key) EXPECT_TRUE(listed.count(key)) << key;  // amount and keys
}

}  // namespace
}  // namespace tallymo
