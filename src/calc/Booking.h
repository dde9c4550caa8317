#pragma once
// The one way a typed amount becomes a booking: the text a person typed (an amount or an
// expression, UTF-8) is evaluated with the ledger's rounding and, when it gives an amount,
// booked through the document. Every amount input uses it: the booking pane, the cells of the
// ledger grid, the command line.

#include <cstdint>
#include <string>
#include <string_view>

#include "doc/Matter.h"
#include "doc/TimeValue.h"
#include "doc/UserMessage.h"

namespace tallymo {

class CTallymoDoc;

struct AmountOutcome {
    bool ok = false;
    std::int32_t amount = 0;  // whole yen; meaningful only when ok
    UserMessage failure;      // text, help context and icon; meaningful only when !ok

    explicit operator bool() const { return ok; }
};

// The evaluator's bytes for a typed text. The evaluator reads single-byte characters only and
// ignores every other byte, and no byte of a double-byte character is a digit or an operator,
// so only the ASCII characters matter: any character set can be typed without failing.
std::string ExpressionBytes(std::string_view utf8);

// Evaluates the text with the ledger's FractionMode.
AmountOutcome EvaluateAmount(const CTallymoDoc& doc, std::string_view utf8);

// Evaluates the text and, on success, books the amount for the day and matter, adding to the
// day's entries or replacing them. A failure books nothing and leaves every entry as it was.
// An overwrite that would put back exactly the single entry the cell already holds changes
// nothing, so committing a field twice makes one undo step, not two.
AmountOutcome BookExpression(CTallymoDoc& doc, TimeValue date, MatterIndex matter,
                             std::string_view utf8, bool overwrite);

}  // namespace tallymo
