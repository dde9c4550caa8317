// table and print-table: the ledger table of the main window and the printed month table, as
// JSON for scripts or as tab-separated lines for people.

#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "doc/LocalPath.h"
#include "views/PeriodTable.h"

namespace tallymo::cli {
namespace {

// Every day a ledger can hold (1970 to 2038), plus the header, carry-forward and total rows.
constexpr int kMaxFitRows = 24855 + 3;
constexpr int kMinFitRows = 4;  // one day row

QCommandLineOption CurrentOption() {
    return QCommandLineOption(QStringLiteral("current"),
                              QStringLiteral("The ledger's current date."),
                              QStringLiteral("YYYY-MM-DD"));
}

QCommandLineOption FormatOption() {
    return QCommandLineOption(QStringLiteral("format"),
                              QStringLiteral("json (default) or tsv: one line a row, cells "
                                             "separated by tabs."),
                              QStringLiteral("json|tsv"), QStringLiteral("json"));
}

QJsonObject TableJson(const PeriodTable& table, bool withTitle) {
    QJsonArray rows;
    for (int r = 0; r < table.Rows(); ++r) {
        QJsonArray cells;
        for (int c = 0; c < table.Columns(); ++c) {
            const TableCell& cell = table.At(r, c);
            cells.append(QJsonObject{
                {QStringLiteral("text"), Utf8Text(cell.text)},
                {QStringLiteral("red"), cell.red},
                {QStringLiteral("kind"), static_cast<int>(cell.kind)},
            });
        }
        rows.append(cells);
    }
    return QJsonObject{
        {QStringLiteral("title"), withTitle ? QJsonValue(Utf8Text(table.title)) : QJsonValue()},
        {QStringLiteral("rows"), table.Rows()},
        {QStringLiteral("cols"), table.Columns()},
        {QStringLiteral("cells"), rows},
    };
}

// A tab or line end inside a cell (a matter name can hold anything) would break the shape.
QString TsvCell(const std::string& utf8) {
    QString text = Utf8Text(utf8);
    for (QChar& ch : text) {
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            ch = QLatin1Char(' ');
        }
    }
    return text;
}

void WriteTsv(const PeriodTable& table, bool withTitle) {
    QString text;
    if (withTitle) text += TsvCell(table.title) + QLatin1Char('\n');
    for (int r = 0; r < table.Rows(); ++r) {
        for (int c = 0; c < table.Columns(); ++c) {
            if (c > 0) text += QLatin1Char('\t');
            text += TsvCell(table.At(r, c).text);
        }
        text += QLatin1Char('\n');
    }
    WriteOut(text.toStdString());
}

void WriteTable(const PeriodTable& table, bool withTitle, bool tsv) {
    if (tsv) {
        WriteTsv(table, withTitle);
    } else {
        WriteJson(QJsonDocument(TableJson(table, withTitle)));
    }
}

// Reads FILE, --current and --format, which both commands share. Returns an exit code when
// the command must end; otherwise the ledger is loaded and its current date set.
std::optional<int> LoadAtCurrentDate(CommandParser& command, const QCommandLineOption& current,
                                     const QCommandLineOption& format, LedgerSession& session,
                                     bool& tsv) {
    TimeValue day = 0;
    std::optional<TimeValue> noClock;
    if (const auto exit = command.ReadClock(current, nullptr, day, noClock)) return *exit;
    const QString formatName = command.Value(format);
    if (formatName != QLatin1String("json") && formatName != QLatin1String("tsv")) {
        return command.UsageError(QStringLiteral("--format must be json or tsv"));
    }
    tsv = formatName == QLatin1String("tsv");

    CTallymoDoc& doc = session.Doc();
    if (!doc.LoadLedgerFile(ToLocalPath(command.Positionals().first()))) {
        return ExitFailure;
    }
    doc.SetCurrentDate(day);
    return std::nullopt;
}

}  // namespace

int RunTable(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("table"),
        QStringLiteral("FILE --current YYYY-MM-DD [--view month|week|fit] [--rows R] "
                       "[--format json|tsv]"),
        QStringLiteral("Prints the ledger table that ends on the current date: the header, the\n"
                       "carry-forward, one row per day, the total; one column per visible matter\n"
                       "and the running balance. Cells carry their text, red for a negative\n"
                       "balance, and kind 1 for the amount cells of the days."));
    const QCommandLineOption current = CurrentOption();
    const QCommandLineOption format = FormatOption();
    const QCommandLineOption view(
        QStringLiteral("view"),
        QStringLiteral("month, week, or fit (needs --rows); default: the ledger's own view."),
        QStringLiteral("month|week|fit"));
    const QCommandLineOption rows(
        QStringLiteral("rows"),
        QStringLiteral("The fit view's row count R, header and total rows included (at least 4)."),
        QStringLiteral("R"));
    for (const auto* option : {&current, &view, &rows, &format}) command.AddOption(*option);
    command.Parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("The ledger to read."));
    if (const auto exit = command.Parse(arguments, 1)) return *exit;

    std::optional<ShowTypeKind> viewKind;
    if (command.IsSet(view)) {
        const QString name = command.Value(view);
        if (name == QLatin1String("month")) {
            viewKind = ShowTypeKind::Month;
        } else if (name == QLatin1String("week")) {
            viewKind = ShowTypeKind::Week;
        } else if (name == QLatin1String("fit")) {
            viewKind = ShowTypeKind::Fit;
        } else {
            return command.UsageError(QStringLiteral("--view must be month, week or fit"));
        }
    }
    std::optional<int> rowCount;
    if (command.IsSet(rows)) {
        rowCount = ParseInt(command.Value(rows), kMinFitRows, kMaxFitRows);
        if (!rowCount) {
            return command.UsageError(QStringLiteral("--rows must be a whole number from %1 to %2")
                                          .arg(kMinFitRows)
                                          .arg(kMaxFitRows));
        }
    }

    LedgerSession session;
    bool tsv = false;
    if (const auto exit = LoadAtCurrentDate(command, current, format, session, tsv)) return *exit;
    CTallymoDoc& doc = session.Doc();
    if (viewKind) doc.Settings().ShowType = static_cast<std::int32_t>(*viewKind);

    // The view is known only now when it is the ledger's own.
    const bool fit = doc.Settings().ShowType == static_cast<std::int32_t>(ShowTypeKind::Fit);
    if (fit && !rowCount) {
        return command.UsageError(QStringLiteral("the fit view needs --rows"));
    }
    if (!fit && rowCount) {
        return command.UsageError(QStringLiteral("--rows applies to the fit view only"));
    }
    const LedgerTableShape shape = MakeLedgerTableShape(doc, rowCount.value_or(kMinFitRows));
    WriteTable(BuildLedgerTable(doc, shape), false, tsv);
    return ExitSuccess;
}

int RunPrintTable(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("print-table"),
        QStringLiteral("FILE --current YYYY-MM-DD [--format json|tsv]"),
        QStringLiteral("Prints the month table that the desktop program prints: the accounting\n"
                       "period that holds the current date (by the ledger's close day), every\n"
                       "matter including hidden ones, figures right-aligned in 13 characters."));
    const QCommandLineOption current = CurrentOption();
    const QCommandLineOption format = FormatOption();
    for (const auto* option : {&current, &format}) command.AddOption(*option);
    command.Parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("The ledger to read."));
    if (const auto exit = command.Parse(arguments, 1)) return *exit;

    LedgerSession session;
    bool tsv = false;
    if (const auto exit = LoadAtCurrentDate(command, current, format, session, tsv)) return *exit;
    WriteTable(BuildPrintedMonthTable(session.Doc()), true, tsv);
    return ExitSuccess;
}

}  // namespace tallymo::cli
