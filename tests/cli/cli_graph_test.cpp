// graph from the command line: every visible outgo matter in the table, the chart data, the
// advice, and the clock and projection switches.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliLedgers.h"
#include "cli/CliRunner.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// Nine visible outgo matters (more than the window's seven rows) and one hidden one. February
// holds 食費 1,000; March so far 食費 400 + 500 and 雑費 50.
std::string GraphLedger(bool showProjection) {
    const std::string path = MakeTempDir("graph") + "/graph.tm2";
    LedgerSpec spec;
    spec.income = {"収入"};
    spec.outgo = {"食費", "隠し", "雑費", "m3", "m4", "m5", "m6", "m7", "m8", "m9"};
    spec.hidden = {2};
    spec.showProjection = showProjection;
    spec.bookings = {{Day(2024, 2, 10), 1, 1000},
                     {Day(2024, 3, 2), 1, 400},
                     {Day(2024, 3, 8), 1, 500},
                     {Day(2024, 3, 9), 3, 50},
                     {Day(2024, 3, 9), 2, 7000}};
    WriteLedger(path, spec);
    return path;
}

QStringList Texts(const QJsonValue& array) {
    QStringList texts;
    for (const QJsonValue value : array.toArray()) texts << value.toString();
    return texts;
}

const QStringList kVisibleOutgo = {
    QStringLiteral("食費"), QStringLiteral("雑費"), QStringLiteral("m3"),
    QStringLiteral("m4"),   QStringLiteral("m5"),   QStringLiteral("m6"),
    QStringLiteral("m7"),   QStringLiteral("m8"),   QStringLiteral("m9")};

TEST(CliGraph, ShareTabTableChartAndAdvice) {
    const std::string path = GraphLedger(false);
    const CliRun run =
        RunCli({"graph", path, "--current", "2024-03-10", "--now", "2024-03-10 00:00:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject graph = run.Json().object();

    const QJsonArray table = graph["table"].toArray();
    ASSERT_EQ(table.size(), 9 + 2);
    EXPECT_EQ(Texts(table[0]), (QStringList{"事柄", "支出", "割合", "前月", "前月比"}));
    EXPECT_EQ(Texts(table[1]), (QStringList{"食費", "900", "94.74", "1,000", "90.00"}));
    EXPECT_EQ(Texts(table[9]), (QStringList{"m9", "0", "0.00", "0", "0.00"}));
    EXPECT_EQ(Texts(table[10]), (QStringList{"合計", "950", "100.00", "1,000", "95.00"}));

    const QJsonObject chart = graph["chart"].toObject();
    EXPECT_EQ(chart["type"].toString(), QStringLiteral("pie"));
    EXPECT_EQ(Texts(chart["rowLabels"]), (QStringList{"今月分", "前月分"}));
    EXPECT_EQ(Texts(chart["columns"]), kVisibleOutgo);
    const QJsonArray data = chart["data"].toArray();
    ASSERT_EQ(data.size(), 2);
    EXPECT_EQ(Texts(data[0]), (QStringList{"900", "50", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(Texts(data[1]), (QStringList{"1000", "0", "0", "0", "0", "0", "0", "0", "0"}));

    // Projected, March's 950 over nine days runs well past February's 1,000.
    EXPECT_EQ(
        graph["advice"].toString(),
        QStringLiteral("　支出合計予測額が前月分を超過しています。支出を控えるようにしましょう。"
                       "\r\n"));
}

TEST(CliGraph, ProjectionFollowsTheLedgerUnlessOverriddenAndUsesTheGivenClock) {
    const std::string path = GraphLedger(true);
    const auto foodThisPeriod = [&](std::vector<std::string> extra) {
        std::vector<std::string> arguments = {"graph", path, "--current", "2024-03-10"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.Json().object()["table"].toArray()[1].toArray()[1].toString();
    };
    // 900 over the nine days to 10 March 00:00 is 900 x (31 days - 1 s) / 9 days = 3,099.
    EXPECT_EQ(foodThisPeriod({"--now", "2024-03-10 00:00:00"}), QStringLiteral("3,099"));
    // Half a day later the running period has more behind it: 900 x 2678399 / 820800.
    EXPECT_EQ(foodThisPeriod({"--now", "2024-03-10 12:00:00"}), QStringLiteral("2,936"));
    EXPECT_EQ(foodThisPeriod({"--now", "2024-03-10 12:00:00", "--projection", "off"}),
              QStringLiteral("900"));
}

TEST(CliGraph, TrendTabWithOffset) {
    const std::string path = GraphLedger(false);
    const CliRun run = RunCli({"graph", path, "--current", "2024-03-10", "--tab", "trend",
                               "--offset", "1", "--now", "2024-03-10 00:00:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject graph = run.Json().object();
    const QJsonArray table = graph["table"].toArray();
    ASSERT_EQ(table.size(), 11);
    EXPECT_EQ(Texts(table[0]), (QStringList{"事柄", "2024/02", "2024/01", "2023/12", "2023/11"}));
    EXPECT_EQ(Texts(table[1]), (QStringList{"食費", "1,000", "0", "0", "0"}));

    const QJsonObject chart = graph["chart"].toObject();
    EXPECT_EQ(chart["type"].toString(), QStringLiteral("line"));
    const QStringList labels = Texts(chart["rowLabels"]);
    ASSERT_EQ(labels.size(), 12);
    EXPECT_EQ(labels.first(), QStringLiteral("2024/02"));
    EXPECT_EQ(labels.last(), QStringLiteral("2023/03"));
    EXPECT_EQ(Texts(chart["columns"]), kVisibleOutgo);
    const QJsonArray data = chart["data"].toArray();
    ASSERT_EQ(data.size(), 12);
    EXPECT_EQ(Texts(data[0]).first(), QStringLiteral("1000"));
    // The ranking looks at the last twelve periods whatever the offset: 食費 went from 1,000
    // to 900 (not projected), 雑費 has a single period and no trend.
    EXPECT_EQ(graph["advice"].toString(),
              QStringLiteral("特に減少傾向にある事柄は・・・\r\n"
                             "・食費(一ヶ月ごとに約100円ずつ節約できています)\r\n"
                             "です。よく節約できています。\r\n\r\n"));
}

TEST(CliGraph, WrongOptionsAreUsageErrors) {
    const std::string path = GraphLedger(false);
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"--current", "2024-03-10", "--tab", "pie"},
             {"--current", "2024-03-10", "--offset", "9"},
             {"--current", "2024-03-10", "--offset", "-1"},
             {"--current", "2024-03-10", "--projection", "yes"},
             {"--current", "2024-03-10", "--now", "2024-03-10"},
             {"--current", "2024-03-10", "--now", "2024-03-10 24:00:00"},
             {"--now", "2024-03-10 00:00:00"}}) {
        std::vector<std::string> arguments = {"graph", path};
        arguments.insert(arguments.end(), wrong.begin(), wrong.end());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << wrong[1] << " " << wrong.back();
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace tallymo::test
