// The commands from the command line: arguments, exit codes, the JSON dump prints and the
// failures they report. What the files hold is the core's (tests/doc), how amounts are read the
// evaluator's (tests/calc).

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <filesystem>

#include "cli/CliRunner.h"
#include "doc/QtSettingsStore.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// new takes the defaults the desktop program's settings dialog stored; book evaluates
// expressions, adds or overwrites; dump prints the ledger as one compact JSON object per form.
TEST(CliLedgerFile, NewBookDumpConvertCycle) {
    const std::string dir = MakeTempDir("cycle");
    const std::string config = dir + "/config";
    {
        QtSettingsStore store(QString::fromStdString(config + "/Harvelon/Tallymo Ver.2.ini"));
        store.WriteInt("DefaultSettings", "CloseDay", 25);
        store.WriteInt("DefaultSettings", "OutgoMatter", 1);
        store.WriteString("DefaultSettings\\OutgoMatter0", "Name", Sjis("本"));
        store.Sync();
    }
    const CliOptions withDefaults{{{"XDG_CONFIG_HOME", config}}, {}};
    const std::string tm2 = dir + "/帳簿.tm2";
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"new", tm2},
                                               Booking(tm2, "2024-03-05", "1", "980*1.1"),
                                               Booking(tm2, "2024-03-06", "0", "50,000"),
                                               {"book", tm2, "--date", "2024-03-06", "--matter",
                                                "0", "--amount", "200", "--overwrite"}}) {
        const CliRun run = RunCli(command, withDefaults);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
    }
    CliRun run = RunCli({"dump", tm2}, withDefaults);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonDocument document = run.Json();
    EXPECT_EQ(run.out, document.toJson(QJsonDocument::Compact).toStdString() + "\n");
    const QJsonObject ledger = document.object();
    EXPECT_EQ(ledger["settings"]["CloseDay"].toInt(), 25);
    EXPECT_EQ(ledger["outgo"][0]["name"].toString(), QStringLiteral("本"));
    EXPECT_EQ(ledger["entries"].toArray().size(), 2);
    EXPECT_EQ(ledger["entries"][0].toObject(), (QJsonObject{{"time", Day(2024, 3, 5)},
                                                            {"date", "2024-03-05"},
                                                            {"matter", 1},
                                                            {"amount", 1078},
                                                            {"memo", ""}}));
    EXPECT_EQ(ledger["entries"][1]["amount"].toInt(), 200);

    // A conversion to the text form that loses entries before 2000 succeeds and says so.
    ASSERT_EQ(RunCli(Booking(tm2, "1999-12-31", "0", "1")).exitCode, 0);
    run = RunCli({"convert", tm2, dir + "/old.csv"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err.rfind("Tallymo Ver.1データファイル形式のため、", 0), 0u) << run.err;
}

// Help and results exit with 0, usage errors with 2, failures with 1, each with its message on
// stderr and nothing on stdout but eval's failure name; the ledger stays as it was, and a
// conversion writes nothing.
TEST(CliLedgerFile, ResultsFailuresAndUsageErrors) {
    const std::string dir = MakeTempDir("fail");
    const std::string path = dir + "/ledger.tm2";
    const std::string cut = dir + "/short.tm2";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    ASSERT_EQ(RunCli(Booking(path, "2024-01-02", "3", "120")).exitCode, 0);
    WriteFileBytes(cut, "\x08tall");
    const std::string before = ReadFileBytes(path);
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out, err;  // err: a part of stderr
    } cases[] = {
        {{"--help"}, 0, "Usage: tallymo-cli COMMAND [ARGUMENTS...]\nThe Tallymo", ""},
        {{"eval", "--fraction", "2", "1.15*100"}, 0, "114\n", ""},
        {{"eval", "2(3)"}, 1, "CalcInvalid\n", "無効な計算式です。\n"},
        {Booking(path, "2024-01-02", "3", "12+*3"), 1, "", "無効な計算式です。\n"},
        {Booking(path, "2024-02-30", "3", "100"), 2, "", "--date"},
        {{"new", path}, 1, "", "already exists"},
        {{"convert", cut, dir + "/out.tm2"},
         1,
         "",
         "tallymo-cli: " + cut + ": the file is cut short\n予期せぬエラーが発生しました。\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        SCOPED_TRACE(c.err);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out);  // the start of help, else all
        EXPECT_EQ(run.out.size() > c.out.size(), c.out.starts_with("Usage"));
        EXPECT_EQ(run.err.empty(), c.err.empty());
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(ReadFileBytes(path), before);
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.tm2"));

    // Output that cannot be written is a failure too; --force replaces the ledger.
    const CliRun run = RunCli({"dump", path}, {{}, "/dev/full"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "書き込みエラーが発生しました。\n");
    ASSERT_EQ(RunCli({"new", "--force", path}).exitCode, 0);
    EXPECT_NE(ReadFileBytes(path), before);
}

}  // namespace
}  // namespace tallymo::test
