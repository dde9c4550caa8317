#include "calc/Evaluator.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tallymo {
namespace {

// The largest value the evaluator accepts before rounding.
constexpr double kValueLimit = 4294967296.0;
// An amount is a signed 32-bit number of yen; a larger rounded magnitude would wrap.
constexpr double kAmountLimit = 2147483647.0;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Infix to postfix. The text is read as if wrapped in parentheses; number tokens keep their
// sign ("-2"), operator tokens are one character long.
class PostfixScanner {
public:
    std::optional<CalcFailure> Scan(std::string_view text) {
        if (!Take('(')) return CalcInvalid;
        // Byte by byte: both bytes of a CP932 double-byte character lie outside the characters
        // that matter (a trail byte is 0x40 or above), so they are ignored like any other.
        // Taking bytes singly also keeps a digit that follows a stray lead byte.
        for (const char c : text) {
            if (!Take(c)) return CalcInvalid;
        }
        if (!Take(')')) return CalcInvalid;
        // Parentheses the user left open ("1+(2") are closed here, so that no operator is lost.
        while (!m_operators.empty()) {
            if (m_operators.back() != '(') m_output.emplace_back(1, m_operators.back());
            m_operators.pop_back();
        }
        return std::nullopt;
    }

    const std::vector<std::string>& Output() const { return m_output; }

private:
    // Returns false when the character makes the expression malformed.
    bool Take(char c) {
        switch (c) {
            case '(':
                if (!m_number.empty()) return false;  // "2(3)" or a sign before "(": "-(3)"
                m_operators.push_back('(');
                break;
            case ')':
                Flush();
                while (!m_operators.empty()) {
                    const char top = m_operators.back();
                    m_operators.pop_back();
                    if (top == '(') break;
                    m_output.emplace_back(1, top);
                }
                break;
            case '*':
            case '/':
                Flush();
                if (!m_operators.empty() &&
                    (m_operators.back() == '*' || m_operators.back() == '/')) {
                    m_output.emplace_back(1, m_operators.back());
                    m_operators.pop_back();
                }
                m_operators.push_back(c);
                break;
            case '+':
            case '-':
                if (!m_number.empty() || m_previous == ')') {
                    Flush();
                    while (!m_operators.empty() && m_operators.back() != '(') {
                        m_output.emplace_back(1, m_operators.back());
                        m_operators.pop_back();
                    }
                    m_operators.push_back(c);
                } else {
                    m_number.push_back(c);  // a sign
                }
                break;
            case '.':
                if (m_number.empty() || m_number == "+" || m_number == "-") {
                    m_number.push_back('0');
                } else if (m_number.back() == '.') {
                    return false;  // "1..5"
                }
                m_number.push_back('.');
                break;
            default:
                if (!IsDigit(c)) return true;  // ignored, and not remembered as taken
                m_number.push_back(c);
                break;
        }
        m_previous = c;
        return true;
    }

    void Flush() {
        if (m_number.empty()) return;
        m_output.push_back(std::move(m_number));
        m_number.clear();
    }

    std::vector<char> m_operators;
    std::vector<std::string> m_output;
    std::string m_number;
    char m_previous = '\0';
};

bool IsNumberToken(const std::string& token) {
    return IsDigit(token[0]) || ((token[0] == '+' || token[0] == '-') && token.size() > 1);
}

// The value of a number token, read like atof reads it (the longest valid prefix, so "1.2.3" is
// 1.2) but independent of the process locale's decimal point.
double NumberValue(const std::string& token) {
    const bool negative = token[0] == '-';
    const char* first = token.data() + ((token[0] == '+' || token[0] == '-') ? 1 : 0);
    const char* last = token.data() + token.size();
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Too many digits for a double: overflow when the integer part is not zero, else
        // underflow. atof gives infinity and zero.
        bool integerPartNonZero = false;
        for (const char* p = first; p != last && *p != '.'; ++p) integerPartNonZero |= *p != '0';
        value = integerPartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    (void)end;
    return negative ? -value : value;
}

struct EvaluatedValue {
    std::optional<CalcFailure> failure;
    double value = 0.0;
};

EvaluatedValue EvaluatePostfix(const std::vector<std::string>& postfix) {
    std::vector<double> values;
    for (const std::string& token : postfix) {
        if (IsNumberToken(token)) {
            values.push_back(NumberValue(token));
            continue;
        }
        if (values.size() < 2) return {CalcInvalid};
        const double right = values.back();
        values.pop_back();
        const double left = values.back();
        values.pop_back();
        switch (token[0]) {
            case '+':
                values.push_back(left + right);
                break;
            case '-':
                values.push_back(left - right);
                break;
            case '*':
                values.push_back(left * right);
                break;
            default:
                if (right == 0.0) return {CalcNoNumber};
                values.push_back(left / right);
                break;
        }
    }
    if (values.empty()) return {CalcNoNumber};
    // Two operands with no operator between them, as in "(2)(3)": taking one of them and
    // dropping the other would be a plainly wrong amount.
    if (values.size() > 1) return {CalcInvalid};
    return {std::nullopt, values.back()};
}

double Round(double value, std::uint16_t fractionMode) {
    switch (fractionMode) {
        case FractionRoundUp:
            return std::ceil(value);
        case FractionRoundHalf:
            return std::trunc(value >= 0.0 ? value + 0.5 : value - 0.5);
        default:
            return std::trunc(value);
    }
}

}  // namespace

CalcResult Evaluate(std::string_view text, std::uint16_t fractionMode) {
    PostfixScanner scanner;
    if (const auto failure = scanner.Scan(text)) return CalcResult::Failed(*failure);
    const EvaluatedValue evaluated = EvaluatePostfix(scanner.Output());
    if (evaluated.failure) return CalcResult::Failed(*evaluated.failure);

    // NaN arises only from overflowing operands (infinity minus infinity): over the limit too.
    const double value = evaluated.value;
    if (std::isnan(value) || value > kValueLimit) return CalcResult::Failed(CalcOverLimit);
    const double magnitude = std::fabs(Round(value, fractionMode));
    if (!(magnitude <= kAmountLimit)) return CalcResult::Failed(CalcOverLimit);
    return CalcResult::Amount(static_cast<std::int32_t>(magnitude));
}

UserMessage CalcFailureMessage(CalcFailure failure) {
    switch (failure) {
        case CalcNoNumber:
            return {"セルに数字が入力されていません。", 2110, MessageIcon::Exclamation};
        case CalcOverLimit:
            return {"計算上限を超えているため、計算できません。", 2120, MessageIcon::Exclamation};
        case CalcInvalid:
        default:
            return {"無効な計算式です。", 2130, MessageIcon::Exclamation};
    }
}

}  // namespace tallymo
