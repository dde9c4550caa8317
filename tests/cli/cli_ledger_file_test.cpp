// new, book, dump and convert from the command line: arguments, exit codes, the JSON dump
// prints and the failures it reports. What the files hold is the core's (tests/doc).

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <filesystem>

#include "cli/CliLedgers.h"
#include "cli/CliRunner.h"
#include "doc/QtSettingsStore.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

std::vector<std::string> Booking(const std::string& path, const char* date, const char* matter,
                                 const char* amount) {
    return {"book", path, "--date", date, "--matter", matter, "--amount", amount};
}

// new takes the defaults the desktop program's settings dialog stored; book evaluates
// expressions, adds or overwrites; dump prints the ledger as one JSON object per file form.
TEST(CliLedgerFile, NewBookDumpConvertCycle) {
    const std::string dir = MakeTempDir("cycle");
    const std::string config = dir + "/config";
    {
        QtSettingsStore store(QString::fromStdString(config + "/Harvelon/Tallymo Ver.2.ini"));
        store.WriteInt("DefaultSettings", "CloseDay", 25);
        store.WriteInt("DefaultSettings", "OutgoMatter", 1);
        store.WriteString("DefaultSettings\\OutgoMatter0", "Name", Sjis("本"));
        store.WriteInt("DefaultSettings\\OutgoMatter0", "CellWidth", 700);
        store.Sync();
    }
    const CliOptions withDefaults{{{"XDG_CONFIG_HOME", config}}, {}};
    const std::string tm2 = dir + "/帳簿.tm2";
    const std::string csv = dir + "/帳簿.csv";
    const auto quietSuccess = [&](const std::vector<std::string>& arguments) {
        const CliRun run = RunCli(arguments, withDefaults);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
    };
    quietSuccess({"new", tm2});
    quietSuccess(Booking(tm2, "2024-03-05", "1", "980*1.1"));  // 1078
    quietSuccess(Booking(tm2, "2024-03-05", "1", "500"));      // added
    quietSuccess(Booking(tm2, "2024-03-06", "0", "50,000"));
    quietSuccess(Args(Booking(tm2, "2024-03-06", "0", "200"), {"--overwrite"}));
    quietSuccess({"convert", tm2, csv});
    CliRun run;

    const QJsonObject settings{
        {"EnterMode", false}, {"CloseDay", 25},          {"FontSize", 90},         {"ShowType", 0},
        {"FractionMode", 1},  {"ShowQuickWizard", true}, {"ShowProjection", false}};
    const QJsonArray outgo{
        QJsonObject{{"name", QStringLiteral("本")}, {"cellWidth", 700}, {"visible", true}}};
    const auto entry = [](int day, int matter, int amount) {
        return QJsonObject{{"time", Day(2024, 3, day)},
                           {"date", QStringLiteral("2024-03-%1").arg(day, 2, 10, QLatin1Char('0'))},
                           {"matter", matter},
                           {"amount", amount},
                           {"memo", ""}};
    };
    for (const auto& [path, entries] :
         {std::pair{tm2, QJsonArray{entry(5, 1, 1078), entry(5, 1, 500), entry(6, 0, 200)}},
          std::pair{csv, QJsonArray{entry(5, 1, 1578), entry(6, 0, 200)}}}) {
        run = RunCli({"dump", path}, withDefaults);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const QJsonObject ledger = run.Json().object();
        EXPECT_EQ(ledger["settings"].toObject(), settings);
        EXPECT_EQ(ledger["income"].toArray().size(), 1);
        EXPECT_EQ(ledger["outgo"].toArray(), outgo);
        EXPECT_EQ(ledger["entries"].toArray(), entries);
    }
    // A conversion that loses entries before 2000 succeeds and says so on stderr.
    quietSuccess(Booking(tm2, "1999-12-31", "0", "1"));
    run = RunCli({"convert", tm2, dir + "/old.csv"}, withDefaults);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err.rfind("Tallymo Ver.1データファイル形式のため、", 0), 0u) << run.err;
}

TEST(CliLedgerFile, DumpIsExactlyWhatQJsonDocumentWrites) {
    const std::string path = MakeTempDir("dump") + "/memo.tm2";
    LedgerSpec spec;
    spec.income = {"給料 \"月\""};
    spec.outgo = {"食費\\外食"};
    spec.hidden = {1};
    spec.bookings = {{Day(2024, 5, 1), 1, -2147483647 - 1, "ランチ \"A\"\n2人"},
                     {Day(1970, 1, 1), 0, 1, "\t\\①"}};
    WriteLedger(path, spec);
    const CliRun run = RunCli({"dump", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonDocument document = run.Json();
    EXPECT_EQ(run.out, document.toJson(QJsonDocument::Compact).toStdString() + "\n");
    const QJsonObject ledger = document.object();
    EXPECT_EQ(ledger["income"][0]["name"].toString(), QStringLiteral("給料 \"月\""));
    EXPECT_FALSE(ledger["outgo"][0]["visible"].toBool(true));
    const QJsonArray entries = ledger["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);  // in booking order, not by date
    EXPECT_EQ(entries[0]["memo"].toString(), QStringLiteral("ランチ \"A\"\n2人"));
    EXPECT_EQ(entries[0]["amount"].toInteger(), -2147483647 - 1);
    EXPECT_EQ(entries[1]["date"].toString(), QStringLiteral("1970-01-01"));
    EXPECT_EQ(entries[1]["time"].toInteger(), -9 * 3600);
    EXPECT_EQ(entries[1]["memo"].toString(), QStringLiteral("\t\\①"));
}

// Usage errors exit with 2, failures with 1, each with its message on stderr and nothing on
// stdout; the ledger stays as it was, and a conversion writes nothing.
TEST(CliLedgerFile, FailuresLeaveTheFilesAsTheyWere) {
    const std::string dir = MakeTempDir("fail");
    const std::string path = dir + "/ledger.tm2";
    const std::string cut = dir + "/short.tm2";
    const std::string csv = dir + "/one-line.csv";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    ASSERT_EQ(RunCli(Booking(path, "2024-01-02", "3", "120")).exitCode, 0);
    WriteFileBytes(cut, "\x08tall");
    WriteFileBytes(csv, "1,90,60\r\n");
    const std::string before = ReadFileBytes(path);
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string err;  // a part of stderr
    } cases[] = {
        {Booking(path, "2024-01-02", "3", "12+*3"), 1, "無効な計算式です。\n"},
        {Booking(path, "2024-01-02", "8", "100"), 1, "no matter 8"},
        {Booking(path, "2024-01-02", "-1", "100"), 1, "no matter -1"},
        {Booking(path, "2024-02-30", "3", "100"), 2, "--date"},
        {Booking(path, "2024-01-02", "x", "100"), 2, "--matter"},
        {{"book", path, "--date", "2024-01-02", "--amount", "100"}, 2, "--matter is required"},
        {{"new", path}, 1, "already exists"},
        {{"dump", cut},
         1,
         "tallymo-cli: " + cut + ": the file is cut short\n予期せぬエラーが発生しました。\n"},
        {{"convert", cut, dir + "/out.tm2"}, 1, "予期せぬエラーが発生しました。\n"},
        {{"convert", csv, dir + "/out.tm2"}, 1, "CSVデータが正しくありません。\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        SCOPED_TRACE(c.err);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(ReadFileBytes(path), before);
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.tm2"));

    // Output that cannot be written is a failure too; --force replaces the ledger.
    CliRun run = RunCli({"dump", path}, {{}, "/dev/full"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "書き込みエラーが発生しました。\n");
    ASSERT_EQ(RunCli({"new", "--force", path}).exitCode, 0);
    EXPECT_NE(ReadFileBytes(path), before);
}

TEST(CliLedgerFile, HelpForTheProgramAndEveryCommand) {
    CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Usage: tallymo-cli COMMAND [ARGUMENTS...]\nThe Tallymo", 0), 0u);
    for (const char* command :
         {"eval", "new", "dump", "convert", "book", "table", "print-table", "graph"}) {
        EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
        const CliRun help = RunCli({command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_EQ(help.out.rfind(std::string("Usage: tallymo-cli ") + command + " ", 0), 0u);
    }
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"dump"}, {"dump", "a.tm2", "b.tm2"}, {"--bogus"}}) {
        run = RunCli(wrong);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(run.err.empty());
    }
}

}  // namespace
}  // namespace tallymo::test
