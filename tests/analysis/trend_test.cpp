#include "analysis/Trend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tallymo {
namespace {

using Series = std::vector<std::int32_t>;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(TrendSlopeTest, LeastSquaresSlopeInYenPerPeriod) {
    struct Case {
        const char* what;
        Series series;
        std::optional<double> slope;
    } cases[] = {
        {"empty series has no trend", {}, std::nullopt},
        {"gap in the middle", {500, 0, 700}, 100.0},
        {"exactly one yen falling", {4, 0, 2, 0}, -1.0},
        // The sums run in 32 bits: the true slope 4294967295 wraps to -1.
        {"32-bit sums wrap", {kMin, kMax}, -1.0},
        {"large amounts that cancel in the wrap", {2000000000, 2000000000}, 0.0},
    };
    for (const Case& c : cases) {
        const std::optional<double> slope = TrendSlope(c.series);
        ASSERT_EQ(slope.has_value(), c.slope.has_value()) << c.what;
        if (slope) {
            EXPECT_DOUBLE_EQ(*slope, *c.slope) << c.what;
        }
    }
}

// Toward zero, and the largest fall stays in range.
TEST(TrendYenTest, TruncatesTowardZero) {
    EXPECT_EQ(TrendYen(-1234567.9), -1234567);
    EXPECT_EQ(TrendYen(-2147483648.0), kMin);
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
        {"both ways at once", {-300.5, 1.2, 0, -2}, "ad", "b"},
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
