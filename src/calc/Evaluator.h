#pragma once
// Amount expressions: a plain number or an arithmetic expression of decimal numbers, + - * /
// and parentheses, evaluated in double precision and rounded to whole yen by the ledger's
// fraction mode. Pure: no window, no state between calls.

#include <cstdint>
#include <string_view>

#include "doc/UserMessage.h"

namespace tallymo {

// Why an expression gave no amount. The numbers are the ones the program has always used.
enum CalcFailure : std::uint8_t {
    CalcInvalid = 0,    // malformed expression
    CalcNoNumber = 1,   // no value at all, or a division by zero
    CalcOverLimit = 2,  // the value does not fit an amount
};

// The ledger's FractionMode values. A value outside these truncates like FractionTruncate.
enum FractionModeValue : std::uint16_t {
    FractionRoundUp = 0,    // toward plus infinity
    FractionRoundHalf = 1,  // half away from zero
    FractionTruncate = 2,   // toward zero
};

struct CalcResult {
    bool ok = false;
    std::int32_t amount = 0;            // whole yen, never negative; 0 on failure
    CalcFailure failure = CalcInvalid;  // meaningful only when !ok

    explicit operator bool() const { return ok; }
    static CalcResult Amount(std::int32_t yen) { return {true, yen, CalcInvalid}; }
    static CalcResult Failed(CalcFailure why) { return {false, 0, why}; }
};

// Evaluates `text` (CP932 bytes; every byte that is not a digit, '.', '+', '-', '*', '/', '('
// or ')' is ignored, both bytes of a double-byte character included) and rounds the value by
// `fractionMode`. The amount is the magnitude of the rounded value: "100-300" gives 200.
CalcResult Evaluate(std::string_view text, std::uint16_t fractionMode);

// The message box for a failure: exact text, help context, exclamation icon.
UserMessage CalcFailureMessage(CalcFailure failure);

}  // namespace tallymo
