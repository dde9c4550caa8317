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

std::string Cp932(const std::string& utf8) {
    return Utf8ToCp932(utf8).value();
}

// A settings store of its own for the child, holding new-ledger defaults as the desktop
// program's settings dialog stores them.
std::string ConfigWithDefaults(const std::string& dir) {
    const std::string config = dir + "/config";
    QtSettingsStore store(QString::fromStdString(config + "/Harvelon/Tallymo Ver.2.ini"));
    store.WriteInt("DefaultSettings", "FontSize", 120);
    store.WriteInt("DefaultSettings", "CloseDay", 25);
    store.WriteInt("DefaultSettings", "OutgoMatter", 2);
    store.WriteString("DefaultSettings\\OutgoMatter0", "Name", Cp932("食費"));
    store.WriteString("DefaultSettings\\OutgoMatter1", "Name", Cp932("本"));
    store.WriteInt("DefaultSettings\\OutgoMatter1", "CellWidth", 700);
    store.Sync();
    return config;
}

struct Entry {
    std::string date;
    int matter;
    int amount;
};

void ExpectEntries(const QJsonArray& entries, const std::vector<Entry>& expected) {
    ASSERT_EQ(entries.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QJsonObject entry = entries[static_cast<qsizetype>(i)].toObject();
        const Entry& want = expected[i];
        const int year = std::stoi(want.date.substr(0, 4));
        const int month = std::stoi(want.date.substr(5, 2));
        const int day = std::stoi(want.date.substr(8, 2));
        EXPECT_EQ(entry["date"].toString().toStdString(), want.date) << i;
        EXPECT_EQ(entry["time"].toInteger(), Day(year, month, day)) << i;
        EXPECT_EQ(entry["matter"].toInt(), want.matter) << i;
        EXPECT_EQ(entry["amount"].toInt(), want.amount) << i;
        EXPECT_EQ(entry["memo"].toString(), QString()) << i;
    }
}

TEST(CliLedgerFile, NewBookDumpConvertCycle) {
    const std::string dir = MakeTempDir("cycle");
    const CliOptions withDefaults{{{"XDG_CONFIG_HOME", ConfigWithDefaults(dir)}}, {}};
    const std::string tm2 = dir + "/帳簿.tm2";
    const std::string csv = dir + "/帳簿.csv";

    CliRun run = RunCli({"new", tm2}, withDefaults);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");

    const std::vector<std::vector<std::string>> bookings = {
        {"--date", "2024-03-05", "--matter", "0", "--amount", "50,000"},
        {"--date", "2024-03-05", "--matter", "1", "--amount", "980*1.1"},  // 1078
        {"--date", "2024-03-05", "--matter", "1", "--amount", "500"},      // added
        {"--date", "2024-03-06", "--matter", "2", "--amount", "300"},
        {"--date", "2024-03-06", "--matter", "2", "--amount", "200", "--overwrite"},
    };
    for (const auto& booking : bookings) {
        std::vector<std::string> arguments = {"book", tm2};
        arguments.insert(arguments.end(), booking.begin(), booking.end());
        run = RunCli(arguments, withDefaults);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
    }

    run = RunCli({"dump", tm2}, withDefaults);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QJsonObject ledger = run.Json().object();
    const QJsonObject settings = ledger["settings"].toObject();
    EXPECT_EQ(settings["FontSize"].toInt(), 120);
    EXPECT_EQ(settings["CloseDay"].toInt(), 25);
    EXPECT_EQ(settings["FractionMode"].toInt(), 1);
    EXPECT_EQ(settings["ShowType"].toInt(), 0);
    EXPECT_EQ(settings["EnterMode"].toBool(true), false);
    EXPECT_EQ(settings["ShowQuickWizard"].toBool(false), true);
    EXPECT_EQ(settings["ShowProjection"].toBool(true), false);
    const QJsonArray income = ledger["income"].toArray();
    const QJsonArray outgo = ledger["outgo"].toArray();
    ASSERT_EQ(income.size(), 1);
    ASSERT_EQ(outgo.size(), 2);
    EXPECT_EQ(income[0].toObject()["name"].toString(), QStringLiteral("収入"));  // built-in
    EXPECT_EQ(income[0].toObject()["cellWidth"].toInt(), 1200);
    EXPECT_EQ(outgo[0].toObject()["name"].toString(), QStringLiteral("食費"));
    EXPECT_EQ(outgo[1].toObject()["name"].toString(), QStringLiteral("本"));
    EXPECT_EQ(outgo[1].toObject()["cellWidth"].toInt(), 700);
    EXPECT_TRUE(outgo[1].toObject()["visible"].toBool(false));
    ExpectEntries(ledger["entries"].toArray(), {{"2024-03-05", 0, 50000},
                                                {"2024-03-05", 1, 1078},
                                                {"2024-03-05", 1, 500},
                                                {"2024-03-06", 2, 200}});

    run = RunCli({"convert", tm2, csv}, withDefaults);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");

    // The text form keeps one sum per day and matter, the close day and the widths.
    run = RunCli({"dump", csv}, withDefaults);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ledger = run.Json().object();
    EXPECT_EQ(ledger["settings"].toObject()["CloseDay"].toInt(), 25);
    EXPECT_EQ(ledger["outgo"].toArray(), outgo);
    EXPECT_EQ(ledger["income"].toArray(), income);
    ExpectEntries(ledger["entries"].toArray(),
                  {{"2024-03-05", 0, 50000}, {"2024-03-05", 1, 1578}, {"2024-03-06", 2, 200}});
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
    EXPECT_EQ(ledger["income"].toArray()[0].toObject()["name"].toString(),
              QStringLiteral("給料 \"月\""));
    EXPECT_FALSE(ledger["outgo"].toArray()[1].toObject()["visible"].toBool(true));
    const QJsonArray entries = ledger["entries"].toArray();
    ASSERT_EQ(entries.size(), 4);  // in booking order, not by date
    EXPECT_EQ(entries[0].toObject()["memo"].toString(), QStringLiteral("ランチ \"A\"\n2人"));
    EXPECT_EQ(entries[1].toObject()["date"].toString(), QStringLiteral("1970-01-01"));
    EXPECT_EQ(entries[1].toObject()["time"].toInteger(), -9 * 3600);
    EXPECT_EQ(entries[1].toObject()["memo"].toString(), QStringLiteral("\t\\"));
    EXPECT_EQ(entries[2].toObject()["amount"].toInteger(), -2147483647 - 1);
    EXPECT_EQ(entries[2].toObject()["date"].toString(), QStringLiteral("2038-01-18"));
    EXPECT_EQ(entries[3].toObject()["amount"].toInteger(), 2147483647);
    EXPECT_EQ(entries[3].toObject()["memo"].toString(), QStringLiteral("①髙～"));
}

TEST(CliLedgerFile, FailedBookingLeavesTheFileAsItWas) {
    const std::string dir = MakeTempDir("book");
    const std::string path = dir + "/ledger.tm2";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    ASSERT_EQ(
        RunCli({"book", path, "--date", "2024-01-02", "--matter", "3", "--amount", "120"}).exitCode,
        0);
    const std::string before = ReadFileBytes(path);

    struct Case {
        std::vector<std::string> options;
        int exitCode;
        std::string err;  // the whole of stderr, or a part of it when partial
        bool partial;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"book", path};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliRun run = RunCli(arguments);
        const std::string label = c.options[1] + " " + c.options[3];
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        EXPECT_EQ(run.out, "") << label;
        if (c.partial) {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err, c.err) << label;
        }
        EXPECT_EQ(ReadFileBytes(path), before) << label;
    }
}

TEST(CliLedgerFile, LoadFailuresReportTheDesktopMessage) {
    const std::string dir = MakeTempDir("load");
    WriteFileBytes(dir + "/other.tm2", std::string("\x08TALLYMOO\x74\x86\x1E\x00", 13));
    WriteFileBytes(dir + "/old.tm2", std::string("\x08tallymoo\x7F\x84\x1E\x00", 13));  // 1999999
    WriteFileBytes(dir + "/short.tm2", std::string("\x08tall", 5));
    WriteFileBytes(dir + "/one-line.csv", "1,90,60\r\n");

    struct Case {
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {"other.tm2", "この形式のファイルには対応していません。\n"},
        {"old.tm2", "ファイルのバージョンに対応していません。\n"},
        {"short.tm2", "予期せぬエラーが発生しました。\n"},
        {"one-line.csv", "CSVデータが正しくありません。\n"},
    };
    for (const Case& c : cases) {
        const std::string path = dir + "/" + c.file;
        CliRun run = RunCli({"dump", path});
        EXPECT_EQ(run.exitCode, 1) << c.file;
        EXPECT_EQ(run.out, "") << c.file;
        EXPECT_EQ(run.err, c.message) << c.file;

        const std::string converted = dir + "/converted.tm2";
        run = RunCli({"convert", path, converted});
        EXPECT_EQ(run.exitCode, 1) << c.file;
        EXPECT_EQ(run.err, c.message) << c.file;
        EXPECT_FALSE(std::filesystem::exists(converted)) << c.file;
    }
}

TEST(CliLedgerFile, Ver1MessageOnSuccessfulConversionGoesToStderr) {
    const std::string dir = MakeTempDir("ver1");
    const std::string tm2 = dir + "/old.tm2";
    ASSERT_EQ(RunCli({"new", tm2}).exitCode, 0);
    ASSERT_EQ(
        RunCli({"book", tm2, "--date", "1999-12-31", "--matter", "0", "--amount", "5000"}).exitCode,
        0);
    ASSERT_EQ(
        RunCli({"book", tm2, "--date", "2000-01-02", "--matter", "1", "--amount", "300"}).exitCode,
        0);
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
    const std::string dir = MakeTempDir("new");
    const std::string path = dir + "/ledger.tm2";
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
}

TEST(CliLedgerFile, OutputThatCannotBeWrittenIsAFailure) {
    const std::string dir = MakeTempDir("full");
    const std::string path = dir + "/ledger.tm2";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    const CliRun run = RunCli({"dump", path}, {{}, "/dev/full"});
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
