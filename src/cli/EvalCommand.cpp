// eval: an amount expression evaluated as every amount field of the program evaluates it.

#include "calc/Booking.h"
#include "calc/Evaluator.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallymo::cli {
namespace {

const char* FailureName(CalcFailure failure) {
    switch (failure) {
        case CalcNoNumber:
            return "CalcNoNumber";
        case CalcOverLimit:
            return "CalcOverLimit";
        case CalcInvalid:
        default:
            return "CalcInvalid";
    }
}

}  // namespace

int RunEval(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("eval"), QStringLiteral("[--fraction 0|1|2] EXPR"),
        QStringLiteral("Evaluates an amount expression (numbers, + - * / and parentheses) and\n"
                       "prints the amount in whole yen. On failure it prints the failure's name\n"
                       "(CalcInvalid, CalcNoNumber or CalcOverLimit) and its message on stderr.\n"
                       "An expression that starts with '-' follows '--': eval -- -2.5"));
    const QCommandLineOption fraction(
        QStringLiteral("fraction"),
        QStringLiteral("Rounding: 0 round up, 1 round half away from zero, 2 truncate."),
        QStringLiteral("mode"), QStringLiteral("1"));
    command.AddOption(fraction);
    command.Parser().addPositionalArgument(QStringLiteral("EXPR"),
                                           QStringLiteral("The amount expression."));
    if (const auto exit = command.Parse(arguments, 1)) return *exit;

    const auto mode = ParseInt(command.Value(fraction), 0, 2);
    if (!mode) return command.UsageError(QStringLiteral("--fraction must be 0, 1 or 2"));

    const CalcResult result =
        Evaluate(tallymo::ExpressionBytes(command.Positionals().first().toUtf8().toStdString()),
                 static_cast<std::uint16_t>(*mode));
    if (!result) {
        WriteOutLine(FailureName(result.failure));
        ReportMessage(CalcFailureMessage(result.failure));
        return ExitFailure;
    }
    WriteOutLine(std::to_string(result.amount));
    return ExitSuccess;
}

}  // namespace tallymo::cli
