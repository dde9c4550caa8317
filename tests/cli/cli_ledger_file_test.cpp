// new, book, dump and convert from the command line: the files they write, the JSON they
// print, and the failures they report without touching the user's files.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <filesystem>

#include "cli/CliLedgers.h"
#include "cli/CliRunner.h"
#include "doc/QtSettingsStore.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// A settings store of its own for the child, holding new-ledger defaults as the desktop
// program's settings dialog stores them.
std::string ConfigWithDefaults(const std::string& dir) {
    const std::string config = dir + "/config";
    QtSettingsStore store(QString::fromStdString(config + "/Harvelon/Tallymo Ver.2.ini"));
    store.WriteInt("DefaultSettings", "FontSize", 120);
    store.WriteInt("DefaultSettings", "CloseDay", 25);
    store.WriteInt("DefaultSettings", "OutgoMatter", 2);
    store.WriteString("DefaultSettings\\OutgoMatter0", "Name", Sjis("食費"));
    store.WriteString("DefaultSettings\\OutgoMatter1", "Name", Sjis("本"));
    store.WriteInt("DefaultSettings\\OutgoMatter1", "CellWidth", 700);
    store.Sync();
    return config;
}

struct Entry {
    int month, day, matter, amount;
};

// Entries of March 2024 as dump prints them.
QJsonArray MarchEntries(const std::vector<Entry>& entries) {
    QJsonArray array;
    for (const Entry& e : entries) {
        array.append(QJsonObject{{"time", Day(2024, e.month, e.day)},
                                 {"date", QStringLiteral("2024-%1-%2")
                                              .arg(e.month, 2, 10, QLatin1Char('0'))
                                              .arg(e.day, 2, 10, QLatin1Char('0'))},
                                 {"matter", e.matter},
                                 {"amount", e.amount},
                                 {"memo", ""}});
    }
    return array;
}

QJsonObject Matter(const char* name, int cellWidth) {
    return {{"name", QString::fromUtf8(name)}, {"cellWidth", cellWidth}, {"visible", true}};
}

TEST(CliLedgerFile, NewBookDumpConvertCycle) {
    const std::string dir = MakeTempDir("cycle");
    const CliOptions withDefaults{{{"XDG_CONFIG_HOME", ConfigWithDefaults(dir)}}, {}};
    const std::string tm2 = dir + "/帳簿.tm2";
    const std::string csv = dir + "/帳簿.csv";
    const auto expectQuietSuccess = [&](const std::vector<std::string>& arguments) {
        const CliRun run = RunCli(arguments, withDefaults);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
    };

    expectQuietSuccess({"new", tm2});
    for (const std::vector<std::string>& booking : std::vector<std::vector<std::string>>{
             {"--date", "2024-03-05", "--matter", "0", "--amount", "50,000"},
             {"--date", "2024-03-05", "--matter", "1", "--amount", "980*1.1"},  // 1078
             {"--date", "2024-03-05", "--matter", "1", "--amount", "500"},      // added
             {"--date", "2024-03-06", "--matter", "2", "--amount", "300"},
             {"--date", "2024-03-06", "--matter", "2", "--amount", "200", "--overwrite"}}) {
        expectQuietSuccess(Args({"book", tm2}, booking));
    }

    CliRun run = RunCli({"dump", tm2}, withDefaults);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject expectedSettings{
        {"EnterMode", false}, {"CloseDay", 25},          {"FontSize", 120},        {"ShowType", 0},
        {"FractionMode", 1},  {"ShowQuickWizard", true}, {"ShowProjection", false}};
    const QJsonArray income{Matter("収入", 1200)};  // built in, FontSize x 10 wide
    const QJsonArray outgo{Matter("食費", 1200), Matter("本", 700)};
    QJsonObject ledger = run.Json().object();
    EXPECT_EQ(ledger["settings"].toObject(), expectedSettings);
    EXPECT_EQ(ledger["income"].toArray(), income);
    EXPECT_EQ(ledger["outgo"].toArray(), outgo);
    EXPECT_EQ(ledger["entries"].toArray(),
              MarchEntries({{3, 5, 0, 50000}, {3, 5, 1, 1078}, {3, 5, 1, 500}, {3, 6, 2, 200}}));

    expectQuietSuccess({"convert", tm2, csv});
    // The text form keeps one sum per day and matter, the close day and the widths.
    run = RunCli({"dump", csv}, withDefaults);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ledger = run.Json().object();
    EXPECT_EQ(ledger["settings"].toObject()["CloseDay"].toInt(), 25);
    EXPECT_EQ(ledger["income"].toArray(), income);
    EXPECT_EQ(ledger["outgo"].toArray(), outgo);
    EXPECT_EQ(ledger["entries"].toArray(),
              MarchEntries({{3, 5, 0, 50000}, {3, 5, 1, 1578}, {3, 6, 2, 200}}));
}

TEST(CliLedgerFile, DumpIsExactlyWhatQJsonDocumentWrites) {
    const std::string path = MakeTempDir("dump") + "/memo.tm2";
    LedgerSpec spec;
    spec.income = {"給料 \"月\""};
    spec.outgo = {"食費\\外食", "雑費"};
    spec.hidden = {2};
    spec.bookings = {{Day(2024, 5, 1), 1, 980, "ランチ \"A\"\n2人"},
                     {Day(1970, 1, 1), 0, 1, "\t\\"},
                     {Day(2038, 1, 18), 2, -2147483647 - 1, ""},
                     {Day(2024, 4, 30), 0, 2147483647, "①髙～"}};
    WriteLedger(path, spec);

    const CliRun run = RunCli({"dump", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonDocument document = run.Json();
    EXPECT_EQ(run.out, document.toJson(QJsonDocument::Compact).toStdString() + "\n");
    const QJsonObject ledger = document.object();
    EXPECT_EQ(ledger["income"][0]["name"].toString(), QStringLiteral("給料 \"月\""));
    EXPECT_FALSE(ledger["outgo"][1]["visible"].toBool(true));
    const QJsonArray entries = ledger["entries"].toArray();
    ASSERT_EQ(entries.size(), 4);  // in booking order, not by date
    EXPECT_EQ(entries[0]["memo"].toString(), QStringLiteral("ランチ \"A\"\n2人"));
    EXPECT_EQ(entries[1]["date"].toString(), QStringLiteral("1970-01-01"));
    EXPECT_EQ(entries[1]["time"].toInteger(), -9 * 3600);
    EXPECT_EQ(entries[1]["memo"].toString(), QStringLiteral("\t\\"));
    EXPECT_EQ(entries[2]["amount"].toInteger(), -2147483647 - 1);
    EXPECT_EQ(entries[2]["date"].toString(), QStringLiteral("2038-01-18"));
    EXPECT_EQ(entries[3]["memo"].toString(), QStringLiteral("①髙～"));
}

TEST(CliLedgerFile, FailedBookingLeavesTheFileAsItWas) {
    const std::string path = MakeTempDir("book") + "/ledger.tm2";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    ASSERT_EQ(
        RunCli({"book", path, "--date", "2024-01-02", "--matter", "3", "--amount", "120"}).exitCode,
        0);
    const std::string before = ReadFileBytes(path);

    const struct {
        std::vector<std::string> options;
        int exitCode;
        std::string err;  // the whole of stderr, or a part of it when partial
        bool partial;
    } cases[] = {
        {{"--date", "2024-01-02", "--matter", "3", "--amount", "12+*3"},
         1,
         "無効な計算式です。\n",
         false},
        {{"--date", "2024-01-02", "--matter", "3", "--amount", ""},
         1,
         "セルに数字が入力されていません。\n",
         false},
        {{"--date", "2024-01-02", "--matter", "8", "--amount", "100"}, 1, "no matter 8", true},
        {{"--date", "2024-01-02", "--matter", "-1", "--amount", "100"}, 1, "no matter -1", true},
        {{"--date", "2024-02-30", "--matter", "3", "--amount", "100"}, 2, "--date", true},
        {{"--date", "2024-01-02", "--matter", "x", "--amount", "100"}, 2, "--matter", true},
        {{"--date", "2024-01-02", "--amount", "100"}, 2, "--matter is required", true},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(Args({"book", path}, c.options));
        SCOPED_TRACE(c.options[1] + " " + c.options[3]);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        if (c.partial) {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err, c.err);
        }
        EXPECT_EQ(ReadFileBytes(path), before);
    }
}

TEST(CliLedgerFile, LoadFailuresReportTheDesktopMessage) {
    const std::string dir = MakeTempDir("load");
    const std::pair<std::string, std::string> files[] = {
        {"other.tm2", std::string("\x08TALLYMOO\x74\x86\x1E\x00", 13)},
        {"old.tm2", std::string("\x08tallymoo\x7F\x84\x1E\x00", 13)},  // version 1999999
        {"short.tm2", "\x08tall"},
        {"one-line.csv", "1,90,60\r\n"}};
    const char* const messages[] = {
        "この形式のファイルには対応していません。\n", "ファイルのバージョンに対応していません。\n",
        "予期せぬエラーが発生しました。\n", "CSVデータが正しくありません。\n"};
    for (int i = 0; i < 4; ++i) {
        const std::string path = dir + "/" + files[i].first;
        WriteFileBytes(path, files[i].second);
        SCOPED_TRACE(files[i].first);
        // A file cut short also names the file and the reason.
        const std::string expected =
            (i == 2 ? "tallymo-cli: " + path + ": the file is cut short\n" : "") + messages[i];
        CliRun run = RunCli({"dump", path});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, expected);

        run = RunCli({"convert", path, dir + "/converted.tm2"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, expected);
        EXPECT_FALSE(std::filesystem::exists(dir + "/converted.tm2"));
    }
}

TEST(CliLedgerFile, Ver1MessageOnSuccessfulConversionGoesToStderr) {
    const std::string dir = MakeTempDir("ver1");
    const std::string tm2 = dir + "/old.tm2";
    ASSERT_EQ(RunCli({"new", tm2}).exitCode, 0);
    for (const auto& [date, matter, amount] :
         {std::tuple{"1999-12-31", "0", "5000"}, std::tuple{"2000-01-02", "1", "300"}}) {
        ASSERT_EQ(
            RunCli({"book", tm2, "--date", date, "--matter", matter, "--amount", amount}).exitCode,
            0);
    }
    const CliRun run = RunCli({"convert", tm2, dir + "/old.csv"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.err,
        "Tallymo Ver.1データファイル形式のため、2000/1/1以前のデータは保存されませんでした。"
        "すべてのデータを保存する場合には、Tallymo Ver.2以降のデータ形式を選択してください。\n");
    // The 1999 entry is gone, but the first day line carries its balance.
    EXPECT_NE(ReadFileBytes(dir + "/old.csv").find("2000/01/01,0,0,0,0,0,0,0,0,5000\r\n"),
              std::string::npos);
}

TEST(CliLedgerFile, NewKeepsAnExistingFileUnlessForced) {
    const std::string path = MakeTempDir("new") + "/ledger.tm2";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    ASSERT_EQ(
        RunCli({"book", path, "--date", "2024-01-02", "--matter", "1", "--amount", "1"}).exitCode,
        0);
    const std::string booked = ReadFileBytes(path);

    CliRun run = RunCli({"new", path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("already exists"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(path), booked);

    run = RunCli({"new", "--force", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(RunCli({"dump", path}).Json().object()["entries"].toArray().isEmpty());

    // Output that cannot be written is a failure too.
    run = RunCli({"dump", path}, {{}, "/dev/full"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "書き込みエラーが発生しました。\n");
}

TEST(CliLedgerFile, HelpForTheProgramAndEveryCommand) {
    CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* command :
         {"eval", "new", "dump", "convert", "book", "table", "print-table", "graph"}) {
        EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
        const CliRun help = RunCli({command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_EQ(help.out.rfind(std::string("Usage: tallymo-cli ") + command + " ", 0), 0u)
            << help.out;
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
