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

TEST(SeriesFromPeriodSumsTest, DropsOnlyLeadingZeroPeriods) {
    struct Case {
        const char* what;
        Series newestFirst;
        Series expected;  // oldest first
    } cases[] = {
        {"zeros before the first amount go", {700, 0, 500, 0, 0}, {500, 0, 700}},
        {"zeros after the first amount stay", {0, 0, 5}, {5, 0, 0}},
        {"no amount at all", {0, 0, 0, 0}, {}},
        {"nothing given", {}, {}},
        {"a negative amount starts the series", {0, -3, 0}, {-3, 0}},
        {"twelve amounts keep their order",
         {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SeriesFromPeriodSums(c.newestFirst), c.expected) << c.what;
    }
}

TEST(TrendSlopeTest, LeastSquaresSlopeInYenPerPeriod) {
    struct Case {
        const char* what;
        Series series;
        std::optional<double> slope;
    } cases[] = {
        {"empty series has no trend", {}, std::nullopt},
        {"one value has no trend", {500}, std::nullopt},
        {"gap in the middle", {500, 0, 700}, 100.0},
        {"two values rising", {100, 200}, 100.0},
        {"two values falling", {200, 100}, -100.0},
        {"flat", {300, 300, 300}, 0.0},
        {"just under one yen rising", {0, 0, 0, 3}, 0.9},
        {"just under one yen falling", {3, 0, 0, 0}, -0.9},
        {"exactly one yen falling", {4, 0, 2, 0}, -1.0},
        {"twelve periods on a line",
         {1000, 1250, 1500, 1750, 2000, 2250, 2500, 2750, 3000, 3250, 3500, 3750},
         250.0},
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

TEST(TrendYenTest, TruncatesTowardZero) {
    struct Case {
        double slope;
        std::int32_t yen;
    } cases[] = {
        {100.0, 100}, {-1234567.9, -1234567}, {1250.7, 1250}, {-0.9, 0}, {0.9, 0}, {-1.0, -1},
        {0.6, 0},     {-2147483648.0, kMin},
    };
    for (const Case& c : cases) EXPECT_EQ(TrendYen(c.slope), c.yen) << c.slope;
}

MatterTrend Trend(const char* name, double slope) {
    return {{0, name}, slope, TrendYen(slope)};
}

std::vector<std::string> Names(const std::vector<MatterTrend>& trends) {
    std::vector<std::string> names;
    for (const MatterTrend& trend : trends) names.push_back(trend.matter.name);
    return names;
}

TEST(RankTrendsTest, ListsTheThreeStrongestEachWay) {
    using Names_ = std::vector<std::string>;
    struct Case {
        const char* what;
        std::vector<MatterTrend> trends;  // list order
        Names_ decreasing;
        Names_ increasing;
    } cases[] = {
        {"four falling: the three smallest slopes, smallest first",
         {Trend("a", -10), Trend("b", -40), Trend("c", -20), Trend("d", -30)},
         {"b", "d", "c"},
         {}},
        {"four rising: the three largest slopes, largest first",
         {Trend("a", 10), Trend("b", 40), Trend("c", 20), Trend("d", 30)},
         {},
         {"b", "d", "c"}},
        {"under one yen either way is neither; minus one is falling",
         {Trend("a", -0.9), Trend("b", 0.9), Trend("c", -1.0), Trend("d", 0.6)},
         {"c"},
         {}},
        {"equal slopes: falling keeps list order, rising takes the later first",
         {Trend("a", -5), Trend("b", 5), Trend("c", -5), Trend("d", 5)},
         {"a", "c"},
         {"d", "b"}},
        {"ties at the cut",
         {Trend("a", 7), Trend("b", 9), Trend("c", 7), Trend("d", 7)},
         {},
         {"b", "d", "c"}},
        {"both ways at once",
         {Trend("a", -300.5), Trend("b", 1.2), Trend("c", 0), Trend("d", -2)},
         {"a", "d"},
         {"b"}},
        {"no matters", {}, {}, {}},
    };
    for (const Case& c : cases) {
        const TrendRanking ranking = RankTrends(c.trends);
        EXPECT_EQ(Names(ranking.decreasing), c.decreasing) << c.what;
        EXPECT_EQ(Names(ranking.increasing), c.increasing) << c.what;
    }
}

TEST(TrendsOfTest, SkipsMattersWithoutATrend) {
    const std::vector<OutgoMatter> matters = {{3, "a"}, {4, "b"}, {5, "c"}};
    const std::vector<Series> series = {{500, 0, 700}, {800}, {}};
    const std::vector<MatterTrend> trends = TrendsOf(matters, series);
    ASSERT_EQ(trends.size(), 1u);
    EXPECT_EQ(trends[0].matter.index, 3);
    EXPECT_EQ(trends[0].yenPerPeriod, 100);
}

}  // namespace
}  // namespace tallymo
