// pdf from the command line, read back with poppler-utils as a reader of the file would.

#include <gtest/gtest.h>

#include <QProcess>

#include "cli/CliRunner.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

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
