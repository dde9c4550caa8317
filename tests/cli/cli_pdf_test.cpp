// pdf from the command line, read back with poppler-utils as a reader of the file would: the
// pages, the texts on each and where the table starts. (The red figures are drawn by the same
// printed pages that printed_month_pages_test renders.)

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <vector>

#include "cli/CliLedgers.h"
#include "cli/CliRunner.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

// A poppler tool's stdout; a failed test when the tool is missing or fails.
QByteArray Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    const bool ran = process.waitForFinished(30000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    EXPECT_TRUE(ran) << tool.toStdString() << " failed (poppler-utils: scripts/install-deps): "
                     << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

int PageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto match = pages.match(QString::fromUtf8(Poppler(QStringLiteral("pdfinfo"), {pdf})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

struct Word {
    double xMax;
    double yMin;
    QString text;
};

// Every word of the page with its box, in reading order (pdftotext -bbox).
std::vector<Word> PageWords(const QString& pdf, int page) {
    const QString p = QString::number(page);
    const QString html = QString::fromUtf8(
        Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), p,
                                              QStringLiteral("-l"), p, pdf, QStringLiteral("-")}));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)"));
    std::vector<Word> words;
    for (const auto& m : word.globalMatch(html)) {
        words.push_back({m.captured(2).toDouble(), m.captured(1).toDouble(), m.captured(3)});
    }
    return words;
}

std::string Ledger(int outgoCount, const std::vector<Booking>& bookings) {
    LedgerSpec spec;
    spec.income = {"給料"};
    for (int i = 1; i <= outgoCount; ++i) spec.outgo.push_back("支出" + std::to_string(i));
    spec.hidden = {1};  // printed all the same
    spec.bookings = bookings;
    const std::string path = MakeTempDir("pdf") + "/ledger.tm2";
    WriteLedger(path, spec);
    return path;
}

TEST(CliPdf, PagesTitleAndBands) {
    struct Case {
        int outgo;
        std::vector<Booking> bookings;
        bool severalPages;
    };
    const Case cases[] = {
        {3, {{Day(2024, 3, 2), 0, 5000}, {Day(2024, 3, 5), 1, 1200}}, false},
        {40, {{Day(2024, 3, 5), 40, 700}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outgo);
        const std::string ledger = Ledger(c.outgo, c.bookings);
        const QString pdf = QString::fromStdString(ledger + ".pdf");
        const CliRun run = RunCli({"pdf", ledger, pdf.toStdString(), "--current", "2024-03-10"});
        ASSERT_EQ(run.exitCode, 0) << run.err;

        const int pages = PageCount(pdf);
        EXPECT_EQ(pages > 1, c.severalPages) << pages;

        // The table starts at the same height on every page, below the title of page 1 only,
        // and no text reaches the right margin (A4: 595 points, 6 mm margins).
        double tableTop = -1;
        std::vector<QStringList> texts;  // the words of each page
        for (int p = 1; p <= pages; ++p) {
            const std::vector<Word> words = PageWords(pdf, p);
            ASSERT_GT(words.size(), 2u) << "page " << p;
            QStringList& text = texts.emplace_back();
            for (const Word& word : words) {
                EXPECT_LE(word.xMax, 595 - 17) << word.text.toStdString();
                text << word.text;
            }
            const Word& header = p == 1 ? words[2] : words[0];
            if (p == 1) {
                ASSERT_EQ(header.text, QStringLiteral("日付"));
                EXPECT_EQ(text.mid(0, 2).join(' '), QStringLiteral("2024年03月分 小遣い帳"));
                EXPECT_GT(header.yMin, words[0].yMin);
                tableTop = header.yMin;
            } else {
                EXPECT_NEAR(header.yMin, tableTop, 0.5) << "page " << p;
                EXPECT_FALSE(text.contains(QStringLiteral("小遣い帳")));
            }
        }
        for (const char* word : {"繰越", "03/01(金)", "03/31(日)", "合計", "支出1"}) {
            EXPECT_TRUE(texts[0].contains(QString::fromUtf8(word))) << word;
        }
        // Every matter's column is printed, hidden ones included, and the balance once, last.
        QStringList every;
        for (const QStringList& text : texts) every += text;
        for (int i = 1; i <= c.outgo; ++i)
            EXPECT_EQ(every.count(QStringLiteral("支出%1").arg(i)), 1);
        EXPECT_EQ(every.count(QStringLiteral("小計")), 1);
        EXPECT_TRUE(texts.back().contains(QStringLiteral("小計")));
    }
}

TEST(CliPdf, FailuresLeaveNoHalfFile) {
    const std::string ledger = Ledger(3, {});
    const std::string ledgerBytes = ReadFileBytes(ledger);
    const std::string dir = MakeTempDir("pdfout");
    const std::string old = dir + "/old.pdf";
    WriteFileBytes(old, "old bytes");

    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"pdf", ledger, old}, 2},                                           // no --current
        {{"pdf", ledger, old, "--current", "2024-02-30"}, 2},                // no such day
        {{"pdf", ledger, ledger, "--current", "2024-03-10"}, 2},             // over the ledger
        {{"pdf", dir + "/missing.tm2", old, "--current", "2024-03-10"}, 1},  // no ledger
        {{"pdf", ledger, dir + "/no/such/dir.pdf", "--current", "2024-03-10"}, 1},
        {{"pdf", ledger, dir, "--current", "2024-03-10"}, 1},  // a folder in the way
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[2] << run.err;
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(ReadFileBytes(old), "old bytes");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/no/such/dir.pdf")));
    EXPECT_EQ(ReadFileBytes(ledger), ledgerBytes);
}

}  // namespace
}  // namespace tallymo::test
