#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "calc/Evaluator.h"

namespace tallymo {
namespace {

// A failure as its code made negative: an amount never is.
constexpr std::int64_t Fails(CalcFailure failure) {
    return -1 - static_cast<std::int64_t>(failure);
}

struct Case {
    std::string text;                           // CP932 bytes
    std::int64_t roundUp, roundHalf, truncate;  // by FractionMode
};

Case Same(std::string text, std::int64_t outcome) {
    return {std::move(text), outcome, outcome, outcome};
}

TEST(Evaluator, GivesTheAmountOrFailureForEachRoundingMode) {
    const std::string nines(400, '9');  // overflows a double: infinity
    const Case cases[] = {
        Same("\x82\x50\x82\x51\x82\x52", Fails(CalcNoNumber)),  // full-width 123
        Same("5/0", Fails(CalcNoNumber)),
        Same("\x81\x8f\x31,980 = ", 1980),  // yen sign, blank, '='
        Same("12\x83\x41\x33", 123),        // a double-byte character inside a number
        Same("\x81\x35", 5),                // a stray lead byte does not swallow the digit after it
        Same("100/8*2-5", 20),
        Same("3*-2", 6),  // a one-digit signed operand
        Same("2(3)", Fails(CalcInvalid)),
        // Operands side by side are invalid; parentheses left open or closed too often are not.
        Same("5)3", Fails(CalcInvalid)),
        Same("5)+3", 8),
        {"-2.5", 2, 3, 2},
        {"10/3", 4, 3, 3},
        {"1.15*100", 115, 115, 114},
        // The signed 32-bit range of an amount, before and after rounding.
        Same("2,147,483,647", 2147483647),
        Same("2147483648", Fails(CalcOverLimit)),
        Same("-2147483648", Fails(CalcOverLimit)),
        {"2147483647.5", Fails(CalcOverLimit), Fails(CalcOverLimit), 2147483647},
        Same(nines + "-" + nines, Fails(CalcOverLimit)),  // infinity minus infinity
        Same("0." + std::string(400, '0') + "1+7", 7)};
    for (const Case& c : cases) {
        for (const auto& [mode, expected] : {std::pair{FractionRoundUp, c.roundUp},
                                             {FractionRoundHalf, c.roundHalf},
                                             {FractionTruncate, c.truncate}}) {
            const CalcResult result = Evaluate(c.text, mode);
            EXPECT_EQ(result.ok ? result.amount : Fails(result.failure), expected)
                << '"' << c.text << "\", FractionMode " << mode;
            EXPECT_TRUE(result.ok || result.amount == 0);
        }
    }
    // An unknown mode truncates.
    EXPECT_EQ(Evaluate("-7.9", 65535).amount, 7);
}

}  // namespace
}  // namespace tallymo
