#include <gtest/gtest.h>

#include <string>

#include "calc/Evaluator.h"

namespace tallymo {
namespace {

// One expected outcome: an amount, or a failure code.
struct Outcome {
    bool ok;
    std::int32_t amount;
    CalcFailure failure;
};
constexpr Outcome Yen(std::int32_t amount) {
    return {true, amount, CalcInvalid};
}
constexpr Outcome Fails(CalcFailure failure) {
    return {false, 0, failure};
}

struct EvaluatorCase {
    std::string text;   // CP932 bytes
    Outcome roundUp;    // FractionMode 0
    Outcome roundHalf;  // FractionMode 1
    Outcome truncate;   // FractionMode 2
};

EvaluatorCase Same(std::string text, Outcome all) {
    return {std::move(text), all, all, all};
}
EvaluatorCase Each(std::string text, Outcome roundUp, Outcome roundHalf, Outcome truncate) {
    return {std::move(text), roundUp, roundHalf, truncate};
}

void PrintTo(const EvaluatorCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class EvaluatorTable : public testing::TestWithParam<EvaluatorCase> {};

void ExpectOutcome(const std::string& text, std::uint16_t mode, const Outcome& expected) {
    const CalcResult result = Evaluate(text, mode);
    SCOPED_TRACE(testing::Message() << "text \"" << text << "\", FractionMode " << mode);
    ASSERT_EQ(result.ok, expected.ok)
        << "amount " << result.amount << ", failure " << static_cast<int>(result.failure);
    if (expected.ok) {
        EXPECT_EQ(result.amount, expected.amount);
    } else {
        EXPECT_EQ(static_cast<int>(result.failure), static_cast<int>(expected.failure));
        EXPECT_EQ(result.amount, 0);
    }
}

TEST_P(EvaluatorTable, GivesTheAmountOrFailureForEachRoundingMode) {
    const EvaluatorCase& c = GetParam();
    ExpectOutcome(c.text, FractionRoundUp, c.roundUp);
    ExpectOutcome(c.text, FractionRoundHalf, c.roundHalf);
    ExpectOutcome(c.text, FractionTruncate, c.truncate);
}

// Texts as the user types them.
INSTANTIATE_TEST_SUITE_P(
    TypedTexts, EvaluatorTable,
    testing::Values(
        Same("", Fails(CalcNoNumber)), Same(",", Fails(CalcNoNumber)),
        Same("()", Fails(CalcNoNumber)), Same("1,980", Yen(1980)),
        Same("2,147,483,647", Yen(2147483647)),
        Same("\x82\x50\x82\x51\x82\x52", Fails(CalcNoNumber)),  // full-width 123
        Same("\x81\x8f"
             "1,980 = ",
             Yen(1980)),  // yen sign, blank, '='
        Same("12\x83\x41"
             "3",
             Yen(123)),  // a double-byte character inside a number
        Same("\x81"
             "5",
             Yen(5)),  // a stray lead byte does not swallow the digit after it
        Same("100-300", Yen(200)), Same("3*-2", Yen(6)), Same("+5", Yen(5)),
        Same("(100+200)*1.05", Yen(315)), Same("1000+100*1.05", Yen(1105)), Same("10-2-3", Yen(5)),
        Same("2+3*4-5", Yen(9)), Same("100/8*2-5", Yen(20)), Same("2(3)", Fails(CalcInvalid)),
        Same("-(3)", Fails(CalcInvalid)), Same("5+", Fails(CalcInvalid)),
        Same("--5", Fails(CalcInvalid)), Same("1..5", Fails(CalcInvalid)), Same("5--3", Yen(8)),
        Each("1.2.3", Yen(2), Yen(1), Yen(1)), Each(".5", Yen(1), Yen(1), Yen(0)),
        Each("-.5", Yen(0), Yen(1), Yen(0)), Same("5/0", Fails(CalcNoNumber)),
        Same("5/(3-3)", Fails(CalcNoNumber)), Same("4294967297", Fails(CalcOverLimit)),
        Same("99999*99999", Fails(CalcOverLimit)), Each("7*1.05", Yen(8), Yen(7), Yen(7)),
        Each("1.15*100", Yen(115), Yen(115), Yen(114)), Each("-2.5", Yen(2), Yen(3), Yen(2)),
        Each("2.5", Yen(3), Yen(3), Yen(2)), Each("10/3", Yen(4), Yen(3), Yen(3)),
        Each("98*1.05=", Yen(103), Yen(103), Yen(102)), Same("(5", Yen(5)), Same("5)", Yen(5)),
        Same("5)+3", Yen(8))));

// Operands side by side, parentheses left open, and the signed 32-bit range of an amount.
INSTANTIATE_TEST_SUITE_P(
    OpenPointsDecided, EvaluatorTable,
    testing::Values(Same("(2)(3)", Fails(CalcInvalid)), Same("(2)3", Fails(CalcInvalid)),
                    Same("5)3", Fails(CalcInvalid)), Same("1+(2", Yen(3)), Same("2*(3+4", Yen(14)),
                    Same("((1+2)*(3", Yen(9)), Same("-2147483647", Yen(2147483647)),
                    Same("2147483648", Fails(CalcOverLimit)),
                    Same("-2147483648", Fails(CalcOverLimit)),
                    Same("-99999*99999", Fails(CalcOverLimit)),
                    Each("2147483647.5", Fails(CalcOverLimit), Fails(CalcOverLimit),
                         Yen(2147483647)),
                    Each("2147483646.4", Yen(2147483647), Yen(2147483646), Yen(2147483646)),
                    // 400 digits overflow a double: infinity, and infinity minus infinity.
                    Same(std::string(400, '9'), Fails(CalcOverLimit)),
                    Same(std::string(400, '9') + "-" + std::string(400, '9'), Fails(CalcOverLimit)),
                    Same("0." + std::string(400, '0') + "1+7", Yen(7))));

TEST(EvaluatorFractionMode, UnknownModeTruncates) {
    EXPECT_EQ(Evaluate("7.9", 3).amount, 7);
    EXPECT_EQ(Evaluate("-7.9", 65535).amount, 7);
}

}  // namespace
}  // namespace tallymo
