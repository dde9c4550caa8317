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

// The projected total against the previous period's; nothing to say without a previous total.
TEST(ShareAdviceTest, ComparesTheProjectedTotalWithThePreviousPeriod) {
    EXPECT_EQ(ShareAdvice(5000, 0), kDefault);
    EXPECT_EQ(ShareAdvice(1001, 1000), kOver);
    EXPECT_EQ(ShareAdvice(1000, 1000), kUnder);
}

// Nothing ranked gives the default; the largest possible fall stays positive.
TEST(TrendAdviceTest, WordsTheRankedMatters) {
    EXPECT_EQ(TrendAdvice({}), kDefault);
    const MatterTrend food{{0, Cp932Text("\x90\x48\x94\xEF")}, -2147483648.0, INT32_MIN};
    EXPECT_EQ(TrendAdvice({{food}, {}}),
              "特に減少傾向にある事柄は・・・\r\n"
              "・食費(一ヶ月ごとに約2,147,483,648円ずつ節約できています)\r\n"
              "です。よく節約できています。\r\n\r\n");
}

}  // namespace
}  // namespace tallymo
