#include "calc/Booking.h"

#include "calc/Evaluator.h"
#include "doc/TallymoDoc.h"

namespace tallymo {

std::string ExpressionBytes(std::string_view utf8) {
    std::string ascii;
    ascii.reserve(utf8.size());
    for (const char byte : utf8) {
        if (static_cast<unsigned char>(byte) < 0x80) ascii.push_back(byte);
    }
    return ascii;
}

AmountOutcome EvaluateAmount(const CTallymoDoc& doc, std::string_view utf8) {
    const CalcResult result = Evaluate(ExpressionBytes(utf8), doc.Settings().FractionMode);
    if (!result) return {false, 0, CalcFailureMessage(result.failure)};
    return {true, result.amount, {}};
}

AmountOutcome BookExpression(CTallymoDoc& doc, TimeValue date, MatterIndex matter,
                             std::string_view utf8, bool overwrite) {
    AmountOutcome outcome = EvaluateAmount(doc, utf8);
    if (!outcome) return outcome;
    const bool unchanged = overwrite && doc.DayAmount(date, matter) == outcome.amount &&
                           doc.CountEntries(matter, date, date) == (outcome.amount != 0 ? 1 : 0);
    if (unchanged) {
        doc.RefreshLedgerView();  // the field's text goes, the cell's figure comes back
    } else {
        doc.BookEntry(date, matter, outcome.amount, MemoText(), overwrite);
    }
    return outcome;
}

}  // namespace tallymo
