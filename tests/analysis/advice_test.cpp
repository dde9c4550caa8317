#include "analysis/Advice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tallymo {
namespace {

const std::string kDefault =
    "アドバイスは特にありません。支出があるたびに小遣い帳をつけることが長続きする秘訣です。\r\n";
const std::string kOver =
    "\u3000支出合計予測額が前月分を超過しています。支出を控えるようにしましょう。\r\n";
const std::string kUnder =
    "\u3000支出合計予測額が前月分を下回っています。支出が抑えられていますので、"
    "このままの状態を保つようにしてください。\r\n";

TEST(ShareAdviceTest, ComparesTheProjectedTotalWithThePreviousPeriod) {
    struct Case {
        const char* what;
        std::int64_t totalCurProjected;
        std::int64_t totalPrev;
        const std::string& expected;
    } cases[] = {
        {"no outgo in the previous period", 5000, 0, kDefault},
        {"above the previous period", 1001, 1000, kOver},
        {"equal to the previous period", 1000, 1000, kUnder},
        {"nothing yet this period", 0, 1000, kUnder},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShareAdvice(c.totalCurProjected, c.totalPrev), c.expected) << c.what;
    }
}

MatterTrend Trend(const char* cp932Name, double slope, std::int32_t yen) {
    return {{0, Cp932Text(cp932Name)}, slope, yen};
}

// "食費" in CP932, as the ledger keeps names.
const char* const kFood = "\x90\x48\x94\xEF";

TEST(TrendAdviceTest, WordsTheRankedMatters) {
    struct Case {
        const char* what;
        TrendRanking ranking;
        std::string expected;
    } cases[] = {
        {"nothing ranked", {}, kDefault},
        {"the largest possible fall stays positive",
         {{Trend(kFood, -2147483648.0, INT32_MIN)}, {}},
         "特に減少傾向にある事柄は・・・\r\n"
         "・食費(一ヶ月ごとに約2,147,483,648円ずつ節約できています)\r\n"
         "です。よく節約できています。\r\n\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(TrendAdvice(c.ranking), c.expected) << c.what;
}

}  // namespace
}  // namespace tallymo
