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
        {"no outgo at all", 0, 0, kDefault},
        {"above the previous period", 1001, 1000, kOver},
        {"equal to the previous period", 1000, 1000, kUnder},
        {"below the previous period", 999, 1000, kUnder},
        {"nothing yet this period", 0, 1000, kUnder},
        {"beyond the 32-bit range", 2678399000, 60000, kOver},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShareAdvice(c.totalCurProjected, c.totalPrev), c.expected) << c.what;
    }
}

MatterTrend Trend(const char* cp932Name, double slope, std::int32_t yen) {
    return {{0, Cp932Text(cp932Name)}, slope, yen};
}

// "食費" and "交通費" in CP932, as the ledger keeps names.
const char* const kFood = "\x90\x48\x94\xEF";
const char* const kFare = "\x8C\xF0\x92\xCA\x94\xEF";

TEST(TrendAdviceTest, WordsTheRankedMatters) {
    struct Case {
        const char* what;
        TrendRanking ranking;
        std::string expected;
    } cases[] = {
        {"nothing ranked", {}, kDefault},
        {"one falling matter",
         {{Trend(kFood, -1250.7, -1250)}, {}},
         "特に減少傾向にある事柄は・・・\r\n"
         "・食費(一ヶ月ごとに約1,250円ずつ節約できています)\r\n"
         "です。よく節約できています。\r\n\r\n"},
        {"the largest possible fall stays positive",
         {{Trend(kFood, -2147483648.0, INT32_MIN)}, {}},
         "特に減少傾向にある事柄は・・・\r\n"
         "・食費(一ヶ月ごとに約2,147,483,648円ずつ節約できています)\r\n"
         "です。よく節約できています。\r\n\r\n"},
        {"only rising matters",
         {{}, {Trend(kFare, 980.2, 980), Trend(kFood, 1.0, 1)}},
         "特に増加傾向にある事柄は・・・\r\n"
         "・交通費(一ヶ月ごとに約980円ずつ増えてしまっています)\r\n"
         "・食費(一ヶ月ごとに約1円ずつ増えてしまっています)\r\n"
         "です。節約できることがあれば、実践してみましょう。\r\n"},
        {"falling section first, then rising",
         {{Trend(kFare, -3000, -3000), Trend(kFood, -20, -20)}, {Trend("Book", 45000, 45000)}},
         "特に減少傾向にある事柄は・・・\r\n"
         "・交通費(一ヶ月ごとに約3,000円ずつ節約できています)\r\n"
         "・食費(一ヶ月ごとに約20円ずつ節約できています)\r\n"
         "です。よく節約できています。\r\n\r\n"
         "特に増加傾向にある事柄は・・・\r\n"
         "・Book(一ヶ月ごとに約45,000円ずつ増えてしまっています)\r\n"
         "です。節約できることがあれば、実践してみましょう。\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(TrendAdvice(c.ranking), c.expected) << c.what;
}

}  // namespace
}  // namespace tallymo
