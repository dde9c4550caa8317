// table and print-table from the command line: the shape of each view, the cell records, the
// printed table's title and padding, and the text form for people.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliLedgers.h"
#include "cli/CliRunner.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// Income 給料; outgo 食費, 本 (hidden), 雑費. Spending runs ahead of the pay in early March.
std::string MarchLedger(int showType) {
    const std::string path = MakeTempDir("table") + "/march.tm2";
    LedgerSpec spec;
    spec.income = {"給料"};
    spec.outgo = {"食費", "本", "雑費"};
    spec.hidden = {2};
    spec.showType = showType;
    spec.bookings = {{Day(2024, 2, 29), 3, 100},  // the carry-forward day
                     {Day(2024, 3, 2), 1, 1000},  // two bookings on one cell
                     {Day(2024, 3, 2), 1, 500},
                     {Day(2024, 3, 5), 0, 10000},  // the pay
                     {Day(2024, 3, 6), 2, 300}};   // hidden, yet in the balance
    WriteLedger(path, spec);
    return path;
}

QJsonObject Cell(const QJsonObject& table, int row, int column) {
    return table["cells"].toArray()[row].toArray()[column].toObject();
}

void ExpectCell(const QJsonObject& table, int row, int column, const QString& text, bool red,
                int kind) {
    const QJsonObject cell = Cell(table, row, column);
    EXPECT_EQ(cell["text"].toString(), text) << row << "," << column;
    EXPECT_EQ(cell["red"].toBool(!red), red) << row << "," << column;
    EXPECT_EQ(cell["kind"].toInt(-1), kind) << row << "," << column;
}

TEST(CliTable, WeekViewCells) {
    const std::string path = MarchLedger(1);  // the ledger's own view: week
    const CliRun run = RunCli({"table", path, "--current", "2024-03-07"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject table = run.Json().object();
    EXPECT_TRUE(table["title"].isNull());
    ASSERT_EQ(table["rows"].toInt(), 10);  // header, carry-forward, 7 days, total
    ASSERT_EQ(table["cols"].toInt(), 5);   // captions, 3 visible matters, balance
    ASSERT_EQ(table["cells"].toArray().size(), 10);
    for (const QJsonValue row : table["cells"].toArray()) EXPECT_EQ(row.toArray().size(), 5);

    ExpectCell(table, 0, 0, QStringLiteral("記帳日"), false, 0);
    ExpectCell(table, 0, 3, QStringLiteral("雑費"), false, 0);
    ExpectCell(table, 0, 4, QStringLiteral("小　計"), false, 0);
    ExpectCell(table, 1, 0, QStringLiteral("繰　越"), false, 0);
    ExpectCell(table, 1, 4, QStringLiteral("-100"), true, 0);
    ExpectCell(table, 2, 0, QStringLiteral("03/01(金)"), false, 0);
    ExpectCell(table, 3, 2, QStringLiteral("1,500"), false, 1);
    ExpectCell(table, 3, 4, QStringLiteral("-1,600"), true, 0);
    ExpectCell(table, 6, 1, QStringLiteral("10,000"), false, 1);
    ExpectCell(table, 7, 4, QStringLiteral("8,100"), false, 0);
    ExpectCell(table, 8, 0, QStringLiteral("03/07(木)"), false, 0);
    ExpectCell(table, 9, 0, QStringLiteral("合　計"), false, 0);
    ExpectCell(table, 9, 2, QStringLiteral("1,500"), false, 0);
    ExpectCell(table, 9, 3, QStringLiteral("0"), false, 0);
    ExpectCell(table, 9, 4, QStringLiteral("8,100"), false, 0);
}

TEST(CliTable, ViewsAndRowCounts) {
    const std::string path = MarchLedger(0);
    struct Case {
        std::vector<std::string> options;
        int rows;
        QString firstDay;
    };
    const Case cases[] = {
        {{}, 32, QStringLiteral("02/08(木)")},  // month: 29 days after 7 February
        {{"--view", "week"}, 10, QStringLiteral("03/01(金)")},
        {{"--view", "fit", "--rows", "6"}, 6, QStringLiteral("03/05(火)")},
        {{"--view", "fit", "--rows", "4"}, 4, QStringLiteral("03/07(木)")},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"table", path, "--current", "2024-03-07"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliRun run = RunCli(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const QJsonObject table = run.Json().object();
        EXPECT_EQ(table["rows"].toInt(), c.rows);
        EXPECT_EQ(Cell(table, 2, 0)["text"].toString(), c.firstDay);
    }

    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--view", "fit"},
                                               {"--view", "fit", "--rows", "3"},
                                               {"--view", "week", "--rows", "6"},
                                               {"--view", "year"},
                                               {"--format", "csv"}}) {
        std::vector<std::string> arguments = {"table", path, "--current", "2024-03-07"};
        arguments.insert(arguments.end(), wrong.begin(), wrong.end());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << wrong.back();
        EXPECT_EQ(run.out, "");
    }
    for (const char* current : {"2024-3-7", "2024-02-30", "2038-01-20"}) {
        EXPECT_EQ(RunCli({"table", path, "--current", current}).exitCode, 2) << current;
    }
    EXPECT_EQ(RunCli({"table", path}).exitCode, 2);
}

TEST(CliTable, TabSeparatedForPeople) {
    const std::string path = MarchLedger(1);
    const CliRun run = RunCli({"table", path, "--current", "2024-03-07", "--format", "tsv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "記帳日\t給料\t食費\t雑費\t小　計");
    EXPECT_NE(run.out.find("\n03/02(土)\t0\t1,500\t0\t-1,600\n"), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 10);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\t'), 10 * 4);
}

TEST(CliPrintTable, PeriodOfTheCloseDayWithPaddedFigures) {
    const std::string path = MarchLedger(1);
    CliRun run = RunCli({"print-table", path, "--current", "2024-03-07"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject table = run.Json().object();
    EXPECT_EQ(table["title"].toString(), QStringLiteral("2024年03月分 小遣い帳"));
    EXPECT_EQ(table["rows"].toInt(), 34);  // header, carry-forward, 31 days, total
    EXPECT_EQ(table["cols"].toInt(), 6);   // hidden matters are printed too
    ExpectCell(table, 0, 0, QStringLiteral("日付"), false, 0);
    ExpectCell(table, 0, 3, QStringLiteral("本"), false, 0);
    ExpectCell(table, 1, 0, QStringLiteral("繰越"), false, 0);
    ExpectCell(table, 1, 5, QStringLiteral("         -100"), true, 0);
    ExpectCell(table, 3, 2, QStringLiteral("        1,500"), false, 0);
    ExpectCell(table, 7, 3, QStringLiteral("          300"), false, 0);
    ExpectCell(table, 33, 0, QStringLiteral("合計"), false, 0);
    ExpectCell(table, 33, 5, QStringLiteral("        8,100"), false, 0);

    run = RunCli({"print-table", path, "--current", "2024-03-07", "--format", "tsv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("2024年03月分 小遣い帳\n日付\t給料\t食費\t本\t雑費\t小計\n", 0), 0u)
        << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 35);

    run = RunCli({"print-table", MakeTempDir("none") + "/missing.tm2", "--current", "2024-03-07"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "予期せぬエラーが発生しました。\n");
}

}  // namespace
}  // namespace tallymo::test
