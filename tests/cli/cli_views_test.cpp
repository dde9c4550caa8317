// table, graph and pdf from the command line: options, the JSON form, the PDF file read back
// with poppler-utils, exit codes. The cell texts and
// figures themselves are the core's (tests/views, tests/analysis).

#include <gtest/gtest.h>

#include <QJsonObject>
#include <QProcess>

#include "cli/CliRunner.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// One run per command, then the options each command refuses (exit 2, no output).
TEST(CliViews, EachCommandPrintsItsTableAndRefusesBadOptions) {
    // March so far: 食費 900 in two bookings (so projected), 雑費 50.
    const std::string path = MakeTempDir("views") + "/march.tm2";
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    ResetLedger(doc, {"給料"}, {"食費", "本", "雑費"});
    doc.Settings().ShowType = 1;  // weeks
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

    // The ledger projects: 900 over the nine days to 10 March is 3,099.
    const std::vector<std::string> graph = {"graph",      path,    "--current",
                                            "2024-03-10", "--now", "2024-03-10 00:00:00"};
    run = RunCli(graph);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.Json().object()["table"][1][1].toString(), QStringLiteral("3,099"));

    run = RunCli({"table", path, "--current", "2038-01-20"});  // past the 32-bit time range
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
}

// The month of the current date goes to the PDF file (its pages are the print layer's); a
// failed run leaves the file it would replace and the ledger as they were.
TEST(CliPdf, WritesTheMonthOrLeavesTheFilesAsTheyWere) {
    const std::string dir = MakeTempDir("pdf");
    const std::string ledger = dir + "/ledger.tm2";
    const std::string pdf = dir + "/ledger.pdf";
    ASSERT_EQ(RunCli({"new", ledger}).exitCode, 0);
    const CliRun run = RunCli({"pdf", ledger, pdf, "--current", "2024-03-10"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QString::fromStdString(pdf), QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0)
        << "pdftotext failed (poppler-utils: scripts/install-deps)";
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.startsWith(QStringLiteral("2024年03月分 小遣い帳")))
        << text.left(80).toStdString();

    const std::string ledgerBytes = ReadFileBytes(ledger);
    const std::string pdfBytes = ReadFileBytes(pdf);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"pdf", ledger, ledger, "--current", "2024-03-10"},  // exit 2
             {"pdf", ledger, dir, "--current", "2024-03-10"}}) {  // a folder in the way
        const CliRun failed = RunCli(args);
        EXPECT_EQ(failed.exitCode, args[2] == ledger ? 2 : 1) << args[2];
        EXPECT_FALSE(failed.err.empty());
    }
    EXPECT_EQ(ReadFileBytes(pdf), pdfBytes);
    EXPECT_EQ(ReadFileBytes(ledger), ledgerBytes);
}

}  // namespace
}  // namespace tallymo::test
