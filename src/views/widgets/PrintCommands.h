#pragma once
// The print, print preview and printer set-up commands of the main window, whichever pane is
// active. One printer object lives as long as the window, so the paper and printer chosen in
// the set-up stay chosen for the run. Every command prints the month table of the accounting
// period that holds the ledger's current date (see PrintedMonthPages).

#include <QObject>
#include <functional>
#include <memory>

class QDialog;
class QPrinter;
class QWidget;

namespace tallymo {

class CTallymoDoc;

class PrintCommands final : public QObject {
    Q_OBJECT
public:
    PrintCommands(CTallymoDoc& doc, QWidget* window);
    ~PrintCommands() override;

    // The print dialog, then the pages it asks for. Its page range is 1 to 1 until a drawing
    // has counted the pages, then 1 to that count. With no printer installed the dialog
    // offers a PDF file beside the ledger instead.
    void Print();
    // Every page in the preview window.
    void PrintPreview();
    // The paper, orientation and margins (and printer) for the rest of the run.
    void PrintSetup();

    QPrinter& Printer() { return *m_printer; }
    // The page count of the last drawing (1 before the first).
    int KnownPageCount() const { return m_pageCount; }

    // Runs a modal dialog and answers its result; tests replace it to answer without showing.
    using DialogRunner = std::function<int(QDialog& dialog)>;
    void SetDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

private:
    bool PrintPages(int firstPage, int lastPage);
    void ReportDrawingFailure();

    CTallymoDoc& m_doc;
    QWidget* m_window;
    std::unique_ptr<QPrinter> m_printer;
    int m_pageCount = 1;
    DialogRunner m_runDialog;
};

}  // namespace tallymo
