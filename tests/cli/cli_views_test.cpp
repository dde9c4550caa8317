// table, print-table and graph from the command line: options, JSON and text forms, failures.
// The cell texts and figures themselves are the core's (tests/views, tests/analysis).

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliLedgers.h"
#include "cli/CliRunner.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// Income 給料; outgo 食費, 本 (hidden), 雑費, m4 .. m9: nine visible outgo matters, more than
// the graph window's seven rows. February holds 食費 1,000; March so far 食費 900, 雑費 50.
std::string MarchLedger(int showType = 1, bool showProjection = false) {
    const std::string path = MakeTempDir("views") + "/march.tm2";
    LedgerSpec spec;
    spec.income = {"給料"};
    spec.outgo = {"食費", "本", "雑費", "m4", "m5", "m6", "m7", "m8", "m9"};
    spec.hidden = {2};
    spec.showType = showType;
    spec.showProjection = showProjection;
    spec.bookings = {{Day(2024, 2, 10), 1, 1000}, {Day(2024, 2, 29), 3, 100},
                     {Day(2024, 3, 2), 1, 400},   {Day(2024, 3, 2), 1, 500},
                     {Day(2024, 3, 5), 0, 10000}, {Day(2024, 3, 6), 2, 300},
                     {Day(2024, 3, 6), 3, 50}};
    WriteLedger(path, spec);
    return path;
}

QJsonObject Cell(const QJsonObject& table, int row, int column) {
    return table["cells"].toArray()[row].toArray()[column].toObject();
}

QStringList Texts(const QJsonValue& array) {
    QStringList texts;
    for (const QJsonValue value : array.toArray()) texts << value.toString();
    return texts;
}

TEST(CliTable, CellRecordsOfTheLedgersViewAndTheTextForm) {
    const std::string path = MarchLedger();
    CliRun run = RunCli({"table", path, "--current", "2024-03-07"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject table = run.Json().object();
    EXPECT_TRUE(table["title"].isNull());
    ASSERT_EQ(table["rows"].toInt(), 10);  // the ledger's own view: week
    ASSERT_EQ(table["cols"].toInt(), 11);  // captions, 9 visible matters, balance
    ASSERT_EQ(table["cells"].toArray().size(), 10);
    for (const QJsonValue row : table["cells"].toArray()) EXPECT_EQ(row.toArray().size(), 11);
    const auto expectCell = [&](int row, int col, const QString& text, bool red, int kind) {
        const QJsonObject cell = Cell(table, row, col);
        EXPECT_EQ(cell["text"].toString(), text) << row << "," << col;
        EXPECT_EQ(cell["red"].toBool(!red), red) << row << "," << col;
        EXPECT_EQ(cell["kind"].toInt(-1), kind) << row << "," << col;
    };
    expectCell(0, 0, QStringLiteral("記帳日"), false, 0);
    expectCell(3, 2, QStringLiteral("900"), false, 1);
    expectCell(3, 10, QStringLiteral("-2,000"), true, 0);

    run = RunCli({"table", path, "--current", "2024-03-07", "--format", "tsv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("記帳日\t給料\t食費\t雑費\t", 0), 0u) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 10);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\t'), 10 * 10);
}

TEST(CliTable, ViewsRowCountsAndUsageErrors) {
    const std::string path = MarchLedger(0);
    const std::vector<std::string> base = {"table", path, "--current", "2024-03-07"};
    const struct {
        std::vector<std::string> options;
        int rows;
        QString firstDay;
    } cases[] = {
        {{}, 32, QStringLiteral("02/08(木)")},  // month: 29 days after 7 February
        {{"--view", "week"}, 10, QStringLiteral("03/01(金)")},
        {{"--view", "fit", "--rows", "6"}, 6, QStringLiteral("03/05(火)")},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(Args(base, c.options));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.Json().object()["rows"].toInt(), c.rows);
        EXPECT_EQ(Cell(run.Json().object(), 2, 0)["text"].toString(), c.firstDay);
    }
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--view", "fit"},
                                               {"--view", "fit", "--rows", "3"},
                                               {"--view", "week", "--rows", "6"},
                                               {"--view", "year"},
                                               {"--format", "csv"},
                                               {"--current", "2024-02-30"},
                                               {"--current", "2038-01-20"}}) {
        const CliRun run = RunCli(Args(base, wrong));
        EXPECT_EQ(run.exitCode, 2) << wrong.back();
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(RunCli({"table", path}).exitCode, 2);
}

TEST(CliPrintTable, TitlePaddedCellsTextFormAndFailure) {
    const std::string path = MarchLedger();
    CliRun run = RunCli({"print-table", path, "--current", "2024-03-07"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject table = run.Json().object();
    EXPECT_EQ(table["title"].toString(), QStringLiteral("2024年03月分 小遣い帳"));
    EXPECT_EQ(table["rows"].toInt(), 34);  // header, carry-forward, 31 days, total
    EXPECT_EQ(table["cols"].toInt(), 12);  // hidden matters are printed too
    EXPECT_EQ(Cell(table, 3, 2)["text"].toString(), QStringLiteral("          900"));

    run = RunCli({"print-table", path, "--current", "2024-03-07", "--format", "tsv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("2024年03月分 小遣い帳\n日付\t給料\t食費\t本\t", 0), 0u) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 35);

    const std::string missing = MakeTempDir("none") + "/missing.tm2";
    run = RunCli({"print-table", missing, "--current", "2024-03-07"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tallymo-cli: " + missing +
                           ": No such file or directory\n予期せぬエラーが発生しました。\n");
}

TEST(CliGraph, ShareTabListsEveryVisibleOutgoMatter) {
    const CliRun run =
        RunCli({"graph", MarchLedger(), "--current", "2024-03-10", "--now", "2024-03-10 00:00:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject graph = run.Json().object();
    const QJsonArray table = graph["table"].toArray();
    ASSERT_EQ(table.size(), 1 + 8 + 1);
    EXPECT_EQ(Texts(table[0]), (QStringList{"事柄", "支出", "割合", "前月", "前月比"}));
    EXPECT_EQ(Texts(table[1]), (QStringList{"食費", "900", "94.74", "1,000", "90.00"}));
    EXPECT_EQ(Texts(table[9])[0], QStringLiteral("合計"));
    const QJsonObject chart = graph["chart"].toObject();
    EXPECT_EQ(chart["type"].toString(), QStringLiteral("pie"));
    EXPECT_EQ(Texts(chart["rowLabels"]), (QStringList{"今月分", "前月分"}));
    EXPECT_EQ(Texts(chart["columns"]).size(), 8);
    EXPECT_EQ(Texts(chart["data"].toArray()[0]).first(), QStringLiteral("900"));
    EXPECT_TRUE(graph["advice"].toString().endsWith(QStringLiteral("\r\n")));
}

TEST(CliGraph, ClockProjectionAndTrendOptions) {
    const std::string path = MarchLedger(1, true);
    const std::vector<std::string> base = {"graph", path, "--current", "2024-03-10"};
    const auto foodThisPeriod = [&](const std::vector<std::string>& extra) {
        const CliRun run = RunCli(Args(base, extra));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.Json().object()["table"].toArray()[1].toArray()[1].toString();
    };
    // The ledger projects: 900 over the nine days to 10 March 00:00 is 3,099 for the month.
    EXPECT_EQ(foodThisPeriod({"--now", "2024-03-10 00:00:00"}), QStringLiteral("3,099"));
    EXPECT_EQ(foodThisPeriod({"--now", "2024-03-10 12:00:00"}), QStringLiteral("2,936"));
    EXPECT_EQ(foodThisPeriod({"--now", "2024-03-10 12:00:00", "--projection", "off"}),
              QStringLiteral("900"));

    const CliRun run = RunCli(Args(base, {"--tab", "trend", "--offset", "1"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject graph = run.Json().object();
    EXPECT_EQ(Texts(graph["table"].toArray()[0]),
              (QStringList{"事柄", "2024/02", "2024/01", "2023/12", "2023/11"}));
    const QJsonObject chart = graph["chart"].toObject();
    EXPECT_EQ(chart["type"].toString(), QStringLiteral("line"));
    EXPECT_EQ(chart["data"].toArray().size(), 12);
    EXPECT_EQ(Texts(chart["rowLabels"]).last(), QStringLiteral("2023/03"));

    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--tab", "pie"},
                                               {"--offset", "9"},
                                               {"--offset", "-1"},
                                               {"--projection", "yes"},
                                               {"--now", "2024-03-10"},
                                               {"--now", "2024-03-10 24:00:00"}}) {
        const CliRun wrongRun = RunCli(Args(base, wrong));
        EXPECT_EQ(wrongRun.exitCode, 2) << wrong.back();
        EXPECT_EQ(wrongRun.out, "");
    }
    EXPECT_EQ(RunCli({"graph", path, "--now", "2024-03-10 00:00:00"}).exitCode, 2);
}

}  // namespace
}  // namespace tallymo::test
