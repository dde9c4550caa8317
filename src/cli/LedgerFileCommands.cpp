// new and convert: ledger files written from the user's defaults or from another file. The
// form of every file (.csv text or .tm2 binary) follows its extension, as in the desktop
// program.

#include <QFileInfo>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "doc/LedgerLock.h"
#include "doc/LocalPath.h"

namespace tallymo::cli {

int RunNew(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("new"), QStringLiteral("[--force] FILE"),
        QStringLiteral(
            "Saves a new ledger to FILE, with the matters and settings that the user\n"
            "stored as defaults for new files (the built-in ones when none are stored).\n"
            "An existing FILE is kept unless --force is given."));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace FILE when it exists."));
    command.AddOption(force);
    command.Parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("The ledger to write (.tm2 or .csv)."));
    if (const auto exit = command.Parse(arguments, 1)) return *exit;

    const QString path = command.Positionals().first();
    // A ledger is kept for years: a slip of the file name must not wipe one out.
    if (!command.IsSet(force) && QFileInfo::exists(path)) {
        return Fail(QStringLiteral("tallymo-cli new: %1 already exists; use --force to replace it.")
                        .arg(path)
                        .toStdString());
    }
    const std::string local = ToLocalPath(path);
    LedgerWriteLock lock(local);
    if (!TakeLock(lock)) return ExitFailure;
    LedgerSession session;
    return session.Doc().SaveLedgerFile(local) ? ExitSuccess : ExitFailure;
}

int RunConvert(const QStringList& arguments) {
    CommandParser command(QStringLiteral("convert"), QStringLiteral("IN OUT"),
                          QStringLiteral("Loads the ledger IN and saves it as OUT. Each form is "
                                         "chosen by the file's\nextension: .csv is the Ver.1 text "
                                         "form, anything else the binary form."));
    command.Parser().addPositionalArgument(QStringLiteral("IN"),
                                           QStringLiteral("The ledger to read."));
    command.Parser().addPositionalArgument(QStringLiteral("OUT"),
                                           QStringLiteral("The ledger to write."));
    if (const auto exit = command.Parse(arguments, 2)) return *exit;

    const QStringList files = command.Positionals();
    LedgerSession session;
    if (!session.Doc().LoadLedgerFile(ToLocalPath(files[0]))) return ExitFailure;
    const std::string out = ToLocalPath(files[1]);
    LedgerWriteLock lock(out);
    if (!TakeLock(lock)) return ExitFailure;
    return session.Doc().SaveLedgerFile(out) ? ExitSuccess : ExitFailure;
}

}  // namespace tallymo::cli
