// pdf: the printed month table drawn into a PDF file, page for page as the desktop program
// prints it. It needs fonts but no display: the application runs on the offscreen platform.

#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <cstring>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "doc/LocalPath.h"
#include "views/PeriodTable.h"
#include "views/printing/PrintedMonthPdf.h"

namespace tallymo::cli {

std::unique_ptr<QCoreApplication> MakePdfApplication(int& argc, char** argv) {
    // The command name is the first argument that is not an option.
    int i = 1;
    while (i < argc && argv[i][0] == '-') ++i;
    if (i >= argc || std::strcmp(argv[i], "pdf") != 0) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunPdf(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("pdf"),
        QStringLiteral("FILE OUT.pdf --current YYYY-MM-DD [--now \"YYYY-MM-DD HH:MM:SS\"]"),
        QStringLiteral("Writes the month table that the desktop program prints into a PDF file,\n"
                       "every page, on A4 paper: the accounting period that holds the current\n"
                       "date. OUT.pdf is replaced whole or not at all."));
    const QCommandLineOption current(QStringLiteral("current"),
                                     QStringLiteral("The ledger's current date."),
                                     QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption now(
        QStringLiteral("now"),
        QStringLiteral("The wall clock while the ledger is read (default: the real clock)."),
        QStringLiteral("YYYY-MM-DD HH:MM:SS"));
    command.AddOption(current);
    command.AddOption(now);
    command.Parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("The ledger to read."));
    command.Parser().addPositionalArgument(QStringLiteral("OUT.pdf"),
                                           QStringLiteral("The PDF file to write."));
    if (const auto exit = command.Parse(arguments, 2)) return *exit;

    TimeValue currentDay = 0;
    std::optional<TimeValue> fixedNow;
    if (const auto exit = command.ReadClock(current, &now, currentDay, fixedNow)) return *exit;

    const QString ledger = command.Positionals().at(0);
    const QString out = command.Positionals().at(1);
    // Writing over the ledger itself would lose it.
    if (QFileInfo(out).absoluteFilePath() == QFileInfo(ledger).absoluteFilePath()) {
        return command.UsageError(QStringLiteral("OUT.pdf must not be the ledger itself"));
    }

    LedgerSession session(fixedNow);
    CTallymoDoc& doc = session.Doc();
    if (!doc.LoadLedgerFile(ToLocalPath(ledger))) return ExitFailure;
    doc.SetCurrentDate(currentDay);
    if (!SavePrintedMonthPdf(BuildPrintedMonthTable(doc), DefaultPrintPageLayout(), out)) {
        return Fail("書き込みエラーが発生しました。");
    }
    return ExitSuccess;
}

}  // namespace tallymo::cli
