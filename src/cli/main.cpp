// tallymo-cli: the ledger without a window, for scripts, backups and conversions.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <new>

#include "ProgramVersion.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallymo::cli {
namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& arguments);
};

// In the order the program's help lists them.
const Command kCommands[] = {
    {"eval", "Evaluate an amount expression", RunEval},
    {"new", "Save a new ledger with the user's defaults", RunNew},
    {"dump", "Print a ledger as JSON", RunDump},
    {"convert", "Convert a ledger between .tm2 and .csv", RunConvert},
    {"book", "Book an amount into a ledger", RunBook},
    {"table", "Print the ledger table for a current date", RunTable},
    {"print-table", "Print the printed month table for a current date", RunPrintTable},
    {"graph", "Print the graph window's figures and advice", RunGraph},
#ifdef TALLYMO_CLI_PDF
    {"pdf", "Write the printed month table as a PDF file", RunPdf},
#endif
};

QString ProgramDescription() {
    QString text = QStringLiteral(
        "The Tallymo pocket-money ledger without a window.\n"
        "Exit codes: 0 success, 1 a reported failure (message on stderr), 2 a usage error.\n\n"
        "Commands:\n");
    for (const Command& command : kCommands) {
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromLatin1(command.name), -13)
                    .arg(QString::fromLatin1(command.summary));
    }
    text += QStringLiteral("\nRun 'tallymo-cli COMMAND --help' for a command's options.");
    return text;
}

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(ProgramDescription());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command to run."),
                                 QStringLiteral("COMMAND [ARGUMENTS...]"));
    // Everything from the command name on belongs to the command's own parser.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);

    const auto usageError = [](const QString& reason) {
        WriteErrLine(QStringLiteral("tallymo-cli: %1").arg(reason).toStdString());
        WriteErrLine("Run 'tallymo-cli --help' for the commands.");
        return ExitUsage;
    };
    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("version"))) {
        WriteOutLine(QStringLiteral("tallymo-cli %1")
                         .arg(QCoreApplication::applicationVersion())
                         .toStdString());
        return ExitSuccess;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        QString text = parser.helpText();
        text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
        WriteOut(("Usage: tallymo-cli COMMAND [ARGUMENTS...]\n" + text).toStdString());
        return ExitSuccess;
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty()) return usageError(QStringLiteral("no command given"));
    for (const Command& command : kCommands) {
        if (rest.first() == QLatin1String(command.name)) {
            return command.run(QStringList{arguments.first()} + rest);
        }
    }
    return usageError(QStringLiteral("unknown command '%1'").arg(rest.first()));
}

}  // namespace

}  // namespace tallymo::cli

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
#ifdef TALLYMO_CLI_PDF
    app = tallymo::cli::MakePdfApplication(argc, argv);
#endif
    if (!app) app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tallymo-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tallymo::kVersionText));
    int code = tallymo::cli::ExitFailure;
    try {
        code = tallymo::cli::Run(QCoreApplication::arguments());
    } catch (const std::bad_alloc&) {
        // Whatever ran out of memory, the user gets the program's message, not an abort.
        tallymo::cli::WriteErrLine("予期せぬエラーが発生しました。");
    }
    // Output that did not reach its file (a full disk under a redirection) is a failure, not a
    // success with a short file.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        tallymo::cli::WriteErrLine("書き込みエラーが発生しました。");
        code = tallymo::cli::ExitFailure;
    }
    return code;
}
