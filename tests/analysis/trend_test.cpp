#include "analysis/Trend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tallymo {
namespace {

using Series = std::vector<std::int32_t>;

// An empty series has no trend. The sums run in 32 bits, as they always have: the true slope
// 4294967295 wraps to -1, and large amounts cancel in the wrap.
TEST(TrendSlopeTest, LeastSquaresSlopeInYenPerPeriod) {
    EXPECT_FALSE(TrendSlope(Series{}).has_value());
    EXPECT_DOUBLE_EQ(TrendSlope(Series{500, 0, 700}).value(), 100.0);
    EXPECT_DOUBLE_EQ(TrendSlope(Series{4, 0, 2, 0}).value(), -1.0);
    EXPECT_DOUBLE_EQ(TrendSlope(Series{INT32_MIN, INT32_MAX}).value(), -1.0);
    EXPECT_DOUBLE_EQ(TrendSlope(Series{2000000000, 2000000000}).value(), 0.0);
    // Yen per period: toward zero, and the largest fall stays in range.
    EXPECT_EQ(TrendYen(-1234567.9), -1234567);
    EXPECT_EQ(TrendYen(-2147483648.0), INT32_MIN);
}

// The names of ranked matters, one letter each, as one text.
std::string Letters(const std::vector<MatterTrend>& trends) {
    std::string letters;
    for (const MatterTrend& trend : trends) letters += trend.matter.name.Bytes();
    return letters;
}

TEST(RankTrendsTest, ListsTheThreeStrongestEachWay) {
    // Matters a, b, c, d in list order with these slopes.
    struct Case {
        const char* what;
        std::vector<double> slopes;
        std::string decreasing, increasing;
    } cases[] = {
        {"four falling: smallest slope first", {-10, -40, -20, -30}, "bdc", ""},
        {"under a yen is neither way; minus one falls", {-0.9, 0.9, -1.0, 0.6}, "c", ""},
        {"equal slopes: falling in list order, rising the later first", {-5, 5, -5, 5}, "ac", "db"},
        {"ties at the cut", {7, 9, 7, 7}, "", "bdc"},
    };
    for (const Case& c : cases) {
        std::vector<MatterTrend> trends;
        for (std::size_t i = 0; i < c.slopes.size(); ++i) {
            MatterTrend& trend = trends.emplace_back();
            trend.matter.name = Cp932Text(std::string(1, static_cast<char>('a' + i)));
            trend.slope = c.slopes[i];
            trend.yenPerPeriod = TrendYen(c.slopes[i]);
        }
        const TrendRanking ranking = RankTrends(trends);
        EXPECT_EQ(Letters(ranking.decreasing), c.decreasing) << c.what;
        EXPECT_EQ(Letters(ranking.increasing), c.increasing) << c.what;
    }
}

}  // namespace
}  // namespace tallymo
