#include "views/widgets/PrintCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <climits>

#include "doc/LocalPath.h"
#include "doc/TallymoDoc.h"
#include "ui/MessageBox.h"
#include "views/PeriodTable.h"
#include "views/printing/PrintedMonthPages.h"
#include "views/printing/PrintedMonthPdf.h"

namespace tallymo {
namespace {

const UserMessage kDrawingFailed{"例外処理が発生しました。", 9990, MessageIcon::None};
const UserMessage kWriteError{"書き込みエラーが発生しました。", 9990, MessageIcon::None};

// The ledger's name with ".pdf", beside it; in the home folder for a ledger never saved.
QString DefaultPdfPath(const CTallymoDoc& doc) {
    if (doc.PathName().empty()) return QDir::home().filePath(QStringLiteral("無題.pdf"));
    const QFileInfo ledger(FromLocalPath(doc.PathName()));
    return ledger.dir().filePath(ledger.completeBaseName() + QStringLiteral(".pdf"));
}

}  // namespace

PrintCommands::PrintCommands(CTallymoDoc& doc, QWidget* window)
    : QObject(window),
      m_doc(doc),
      m_window(window),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_runDialog([](QDialog& dialog) { return dialog.exec(); }) {
    m_printer->setPageLayout(DefaultPrintPageLayout());
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::Print() {
    // Without a printer the print would go nowhere: the dialog offers a PDF file instead.
    if (QPrinterInfo::availablePrinters().isEmpty() &&
        m_printer->outputFormat() != QPrinter::PdfFormat) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    }
    if (m_printer->outputFormat() == QPrinter::PdfFormat && m_printer->outputFileName().isEmpty()) {
        m_printer->setOutputFileName(DefaultPdfPath(m_doc));
    }
    QPrintDialog dialog(m_printer.get(), m_window);
    dialog.setMinMax(1, m_pageCount);
    if (m_runDialog(dialog) != QDialog::Accepted) return;

    int first = 1;
    int last = INT_MAX;
    if (m_printer->printRange() == QPrinter::PageRange) {
        first = m_printer->fromPage();
        last = m_printer->toPage();
    }
    PrintPages(first, last);
}

bool PrintCommands::PrintPages(int firstPage, int lastPage) {
    const PeriodTable table = BuildPrintedMonthTable(m_doc);
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        // A PDF file is written whole or not at all, like a ledger.
        if (!SavePrintedMonthPdf(table, m_printer->pageLayout(), m_printer->outputFileName(),
                                 firstPage, lastPage, &m_pageCount)) {
            ShowMessageBox(m_window, kWriteError);
            return false;
        }
        return true;
    }
    if (!DrawPrintedMonthPages(*m_printer, table, firstPage, lastPage, &m_pageCount)) {
        ReportDrawingFailure();
        return false;
    }
    return true;
}

void PrintCommands::PrintPreview() {
    QPrintPreviewDialog dialog(m_printer.get(), m_window);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        if (!DrawPrintedMonthPages(*printer, BuildPrintedMonthTable(m_doc), 1, INT_MAX,
                                   &m_pageCount)) {
            ReportDrawingFailure();
        }
    });
    m_runDialog(dialog);
}

void PrintCommands::PrintSetup() {
    QPageSetupDialog dialog(m_printer.get(), m_window);
    m_runDialog(dialog);
}

void PrintCommands::ReportDrawingFailure() {
    ShowMessageBox(m_window, kDrawingFailed);
}

}  // namespace tallymo
