// table, print-table and graph from the command line: options, the JSON and text forms, exit
// codes. The cell texts and figures themselves are the core's (tests/views, tests/analysis).

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliRunner.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// One run per command and form, then the options each command refuses (exit 2, no output).
TEST(CliViews, EachCommandPrintsItsTableAndRefusesBadOptions) {
    // March so far: 食費 900 in two bookings (so projected), 雑費 50.
    const std::string path = MakeTempDir("views") + "/march.tm2";
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    ResetLedger(doc, {"給料"}, {"食費", "本", "雑費", "m\n4"});  // a line end: a blank in text
    doc.Settings().ShowType = 1;                                 // weeks
    doc.Settings().ShowProjection = true;
    for (const int amount : {400, 500}) doc.BookEntry(Day(2024, 3, 2), 1, amount, {}, false);
    doc.BookEntry(Day(2024, 3, 6), 3, 50, {}, false);
    ASSERT_TRUE(doc.SaveLedgerFile(path));

    const std::vector<std::string> table = {"table", path, "--current", "2024-03-07"};
    CliRun run = RunCli(table);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QJsonObject json = run.Json().object();
    EXPECT_EQ(json["rows"].toInt(), 10);  // the ledger's own view: week
    EXPECT_EQ(json["cells"][3][2].toObject(),
              (QJsonObject{{"text", "900"}, {"red", false}, {"kind", 1}}));
    EXPECT_TRUE(json["cells"][3][6]["red"].toBool());

    run = RunCli(Args(table, {"--view", "fit", "--rows", "6", "--format", "tsv"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("記帳日\t給料\t食費\t本\t雑費\tm 4\t", 0), 0u) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 6);

    run = RunCli({"print-table", path, "--current", "2024-03-07", "--format", "tsv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("2024年03月分 小遣い帳\n日付\t給料\t食費\t本\t", 0), 0u) << run.out;

    // The ledger projects unless told not to: 900 over the nine days to 10 March is 3,099.
    const std::vector<std::string> graph = {"graph",      path,    "--current",
                                            "2024-03-10", "--now", "2024-03-10 00:00:00"};
    for (const auto& [options, food] :
         {std::pair{std::vector<std::string>{}, "3,099"},
          std::pair{std::vector<std::string>{"--projection", "off"}, "900"}}) {
        run = RunCli(Args(graph, options));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        json = run.Json().object();
        EXPECT_EQ(json["table"][1][1].toString(), QString::fromUtf8(food));
    }
    run = RunCli(Args(graph, {"--tab", "trend", "--offset", "1"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    json = run.Json().object();
    EXPECT_EQ(json["table"][0][1].toString(), QStringLiteral("2024/02"));
    EXPECT_EQ(json["chart"].toObject()["type"].toString(), QStringLiteral("line"));
    EXPECT_TRUE(json["advice"].toString().endsWith(QStringLiteral("\r\n")));

    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             Args(table, {"--view", "fit"}),
             Args(table, {"--format", "csv"}),
             {"table", path, "--current", "2038-01-20"},  // past the 32-bit time range
             Args(graph, {"--offset", "9"}),
             Args(graph, {"--projection", "yes"}),
             {"graph", path, "--current", "2024-03-10", "--now", "2024-03-10 24:00:00"}}) {
        run = RunCli(wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong.back();
        EXPECT_EQ(run.out, "");
    }

    const std::string missing = MakeTempDir("none") + "/missing.tm2";
    run = RunCli({"print-table", missing, "--current", "2024-03-07"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tallymo-cli: " + missing +
                           ": No such file or directory\n予期せぬエラーが発生しました。\n");
}

}  // namespace
}  // namespace tallymo::test
