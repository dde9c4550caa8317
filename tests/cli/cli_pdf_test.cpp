// pdf from the command line, read back with poppler-utils as a reader of the file would. What
// the printed pages hold is the print layer's own test.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "cli/CliRunner.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
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

// A wide ledger runs over several pages: the title on the first, every column once; a failed
// run leaves the file it would replace and the ledger as they were.
TEST(CliPdf, PagesTitleColumnsAndFailures) {
    std::vector<std::string> outgo;
    for (int i = 1; i <= 40; ++i) outgo.push_back("支出" + std::to_string(i));
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    ResetLedger(doc, {"給料"}, outgo);
    const std::string dir = MakeTempDir("pdf");
    const std::string ledger = dir + "/ledger.tm2";
    ASSERT_TRUE(doc.SaveLedgerFile(ledger));
    const QString pdf = QString::fromStdString(dir + "/ledger.pdf");
    const CliRun run = RunCli({"pdf", ledger, pdf.toStdString(), "--current", "2024-03-10"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(Poppler(QStringLiteral("pdfinfo"), {pdf}));
    ASSERT_TRUE(pages.hasMatch());
    EXPECT_GT(pages.captured(1).toInt(), 1);
    const QString text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.startsWith(QStringLiteral("2024年03月分 小遣い帳")))
        << text.left(80).toStdString();
    EXPECT_EQ(text.count(QStringLiteral("小遣い帳")), 1);
    for (int i = 1; i <= 40; ++i) {
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("支出%1\\b").arg(i))), 1) << i;
    }

    const std::string ledgerBytes = ReadFileBytes(ledger);
    const std::string pdfBytes = ReadFileBytes(pdf.toStdString());
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"pdf", ledger, pdf.toStdString()},  // no --current: exit 2
             {"pdf", ledger, ledger, "--current", "2024-03-10"},
             {"pdf", dir + "/missing.tm2", pdf.toStdString(), "--current", "2024-03-10"},
             {"pdf", ledger, dir, "--current", "2024-03-10"}}) {  // a folder in the way
        const CliRun failed = RunCli(args);
        EXPECT_EQ(failed.exitCode, args.size() == 3 || args[2] == ledger ? 2 : 1) << args[2];
        EXPECT_FALSE(failed.err.empty());
    }
    EXPECT_EQ(ReadFileBytes(pdf.toStdString()), pdfBytes);
    EXPECT_EQ(ReadFileBytes(ledger), ledgerBytes);
}

}  // namespace
}  // namespace tallymo::test
