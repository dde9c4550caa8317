// The frame's print and printer set-up commands, with the dialogs answered by
// the test: the page range the print dialog offers, the pages that come out (into PDF files,
// read back with pdfinfo), the paper kept from the set-up, and the failure message.

#include <gtest/gtest.h>

#include <QFile>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "support/FrameFixture.h"
#include "support/LedgerBuilder.h"
#include "views/FrameCommands.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/PrintCommands.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

using test::Day;

// "Pages:" and "Page size:" of pdfinfo; a failed test when pdfinfo fails.
QString PdfInfo(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0)
        << "pdfinfo (poppler-utils) failed on " << path.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path) {
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto match = pages.match(PdfInfo(path));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class PrintCommandsTest : public ::testing::Test {
protected:
    PrintCommandsTest() {
        std::vector<std::string> outgo;
        for (int i = 1; i <= 30; ++i) outgo.push_back("支出" + std::to_string(i));
        test::ResetLedger(f.docs.doc, {"給料"}, outgo);
        f.docs.doc.BookEntry(Day(2005, 3, 2), 3, 1500, {}, false);
        f.Create();
        EXPECT_TRUE(f.ShowActive());
        print = f.frame->GetPrintCommands();
        print->SetDialogRunner([this](QDialog& dialog) { return Answer(dialog); });
    }

    // Stands in for the user: notes the dialog, then does what the test asked of it.
    int Answer(QDialog& dialog) {
        if (auto* printDialog = qobject_cast<QPrintDialog*>(&dialog)) {
            offeredRanges.push_back({printDialog->minPage(), printDialog->maxPage()});
            QPrinter& printer = *printDialog->printer();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            printer.setPrintRange(range.first > 0 ? QPrinter::PageRange : QPrinter::AllPages);
            printer.setFromTo(std::max(range.first, 0), std::max(range.second, 0));
            return QDialog::Accepted;
        }
        if (auto* setup = qobject_cast<QPageSetupDialog*>(&dialog)) {
            setup->printer()->setPageOrientation(QPageLayout::Landscape);
            return QDialog::Accepted;
        }
        ADD_FAILURE() << "unexpected dialog";
        return QDialog::Rejected;
    }

    test::FrameFixture f;
    PrintCommands* print = nullptr;
    QString pdfPath = QString::fromStdString(f.folder + "/month.pdf");
    std::pair<int, int> range{0, 0};  // 0: all pages
    std::vector<std::pair<int, int>> offeredRanges;
};

// Ctrl+P reaches the command from every pane; the dialog offers the pages of the last drawing
// (one before anything was drawn); a range prints those pages only; the paper chosen in the
// set-up stays for the following prints.
TEST_F(PrintCommandsTest, FromEveryPaneWithTheRangeOfTheLastDrawing) {
    for (QWidget* pane : {static_cast<QWidget*>(&f.frame->GetBookingPane()->MatterList()),
                          static_cast<QWidget*>(&f.frame->GetLedgerView()->Grid())}) {
        ASSERT_TRUE(test::FocusOn(*pane));
        QTest::keyClick(pane, Qt::Key_P, Qt::ControlModifier);
    }
    ASSERT_EQ(offeredRanges.size(), 2u);
    const int pages = PdfPages(pdfPath);
    EXPECT_GT(pages, 1);  // 32 columns do not fit across A4
    EXPECT_EQ(offeredRanges[0], std::make_pair(1, 1));
    EXPECT_EQ(offeredRanges[1], std::make_pair(1, pages));

    range = {2, 2};
    f.frame->Action(kCmdFilePrint)->trigger();
    EXPECT_EQ(PdfPages(pdfPath), 1);

    range = {0, 0};
    f.frame->Action(kCmdFilePrintSetup)->trigger();
    f.frame->Action(kCmdFilePrint)->trigger();
    EXPECT_TRUE(PdfInfo(pdfPath).contains(QStringLiteral("842 x 595")));  // landscape
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST_F(PrintCommandsTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
    pdfPath = QString::fromStdString(f.folder + "/no/such/folder/month.pdf");
    f.frame->Action(kCmdFilePrint)->trigger();
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, "書き込みエラーが発生しました。");
    EXPECT_FALSE(QFile::exists(pdfPath));
}

}  // namespace
}  // namespace tallymo
