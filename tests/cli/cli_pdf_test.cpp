// pdf from the command line, read back with poppler-utils as a reader of the file would. What
// the printed pages hold is the print layer's own test.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "cli/CliLedgers.h"
#include "cli/CliRunner.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// A poppler tool's stdout; a failed test when the tool is missing or fails.
QString Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    const bool ran = process.waitForFinished(30000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    EXPECT_TRUE(ran) << tool.toStdString() << " failed (poppler-utils: scripts/install-deps)";
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::string Ledger(int outgoCount) {
    LedgerSpec spec;
    spec.income = {"給料"};
    for (int i = 1; i <= outgoCount; ++i) spec.outgo.push_back("支出" + std::to_string(i));
    spec.hidden = {1};  // printed all the same
    spec.bookings = {{Day(2024, 3, 5), outgoCount, 700}};
    const std::string path = MakeTempDir("pdf") + "/ledger.tm2";
    WriteLedger(path, spec);
    return path;
}

// A wide ledger runs over several pages: the title on the first, every column once.
TEST(CliPdf, PagesTitleAndColumns) {
    for (const int outgo : {3, 40}) {
        SCOPED_TRACE(outgo);
        const std::string ledger = Ledger(outgo);
        const QString pdf = QString::fromStdString(ledger + ".pdf");
        const CliRun run = RunCli({"pdf", ledger, pdf.toStdString(), "--current", "2024-03-10"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                               .match(Poppler(QStringLiteral("pdfinfo"), {pdf}));
        ASSERT_TRUE(pages.hasMatch());
        EXPECT_EQ(pages.captured(1).toInt() > 1, outgo > 3);
        const QString text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_TRUE(text.startsWith(QStringLiteral("2024年03月分 小遣い帳")))
            << text.left(80).toStdString();
        EXPECT_EQ(text.count(QStringLiteral("小遣い帳")), 1);
        EXPECT_EQ(text.count(QStringLiteral("小計")), 1);
        for (int i = 1; i <= outgo; ++i) {
            EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("支出%1\\b").arg(i))), 1) << i;
        }
    }
}

TEST(CliPdf, FailuresLeaveNoHalfFile) {
    const std::string ledger = Ledger(3);
    const std::string ledgerBytes = ReadFileBytes(ledger);
    const std::string dir = MakeTempDir("pdfout");
    const std::string old = dir + "/old.pdf";
    WriteFileBytes(old, "old bytes");
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"pdf", ledger, old}, 2},                                           // no --current
        {{"pdf", ledger, ledger, "--current", "2024-03-10"}, 2},             // over the ledger
        {{"pdf", dir + "/missing.tm2", old, "--current", "2024-03-10"}, 1},  // no ledger
        {{"pdf", ledger, dir, "--current", "2024-03-10"}, 1},                // a folder in the way
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[2] << run.err;
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(ReadFileBytes(old), "old bytes");
    EXPECT_EQ(ReadFileBytes(ledger), ledgerBytes);
}

}  // namespace
}  // namespace tallymo::test
