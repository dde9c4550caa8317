// book: one amount booked into a ledger file, as the booking pane books it.

#include "calc/Booking.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "doc/LedgerLock.h"
#include "doc/LocalPath.h"

namespace tallymo::cli {

int RunBook(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("book"),
        QStringLiteral("FILE --date YYYY-MM-DD --matter INDEX --amount EXPR [--overwrite]"),
        QStringLiteral("Evaluates EXPR with the ledger's rounding mode, books the amount on the\n"
                       "day for the matter (added to the day's amount, or replacing it with\n"
                       "--overwrite) and saves FILE. Matter indexes count the income matters\n"
                       "first, then the outgo matters, from 0 (see dump). On any failure FILE\n"
                       "stays as it was."));
    const QCommandLineOption date(QStringLiteral("date"), QStringLiteral("The day to book on."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption matter(QStringLiteral("matter"), QStringLiteral("The matter's index."),
                                    QStringLiteral("INDEX"));
    const QCommandLineOption amount(QStringLiteral("amount"),
                                    QStringLiteral("The amount or an expression such as 980*1.1."),
                                    QStringLiteral("EXPR"));
    const QCommandLineOption overwrite(
        QStringLiteral("overwrite"),
        QStringLiteral("Replace the day's amount of the matter instead of adding to it."));
    for (const auto* option : {&date, &matter, &amount, &overwrite}) command.AddOption(*option);
    command.Parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("The ledger to book into."));
    if (const auto exit = command.Parse(arguments, 1)) return *exit;

    for (const auto* required : {&date, &matter, &amount}) {
        if (!command.IsSet(*required)) {
            return command.UsageError(
                QStringLiteral("--%1 is required").arg(required->names().first()));
        }
    }
    const auto day = ParseDay(command.Value(date));
    if (!day) return command.UsageError(QStringLiteral("--date needs a day as YYYY-MM-DD"));
    const auto index = ParseInt(command.Value(matter), INT32_MIN, INT32_MAX);
    if (!index) return command.UsageError(QStringLiteral("--matter needs a whole number"));

    const std::string path = ToLocalPath(command.Positionals().first());
    // Held from reading the ledger to the end of its save: a booking made meanwhile by another
    // writer would otherwise be saved over.
    LedgerWriteLock lock(path);
    if (!TakeLock(lock)) return ExitFailure;
    LedgerSession session;
    CTallymoDoc& doc = session.Doc();
    if (!doc.LoadLedgerFile(path)) return ExitFailure;
    if (doc.MatterCount() == 0) return Fail("tallymo-cli book: this ledger has no matters.");
    if (*index < 0 || *index >= doc.MatterCount()) {
        return Fail(QStringLiteral("tallymo-cli book: this ledger has no matter %1; its matters "
                                   "are numbered 0 to %2.")
                        .arg(*index)
                        .arg(doc.MatterCount() - 1)
                        .toStdString());
    }
    const QByteArray text = command.Value(amount).toUtf8();
    const AmountOutcome outcome =
        BookExpression(doc, *day, *index, text.toStdString(), command.IsSet(overwrite));
    if (!outcome) {
        ReportMessage(outcome.failure);
        return ExitFailure;
    }
    return doc.SaveLedgerFile(path) ? ExitSuccess : ExitFailure;
}

}  // namespace tallymo::cli
