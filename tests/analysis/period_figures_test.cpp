// Figures read from a ledger: period bounds by close day, series, share and trend figures,
// and the trend slopes and rankings the advice words.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Advice.h"
#include "analysis/AnalysisLedger.h"
#include "analysis/PeriodAmounts.h"
#include "analysis/ShareFigures.h"
#include "analysis/Trend.h"
#include "doc/YenFormat.h"

namespace tallymo {
namespace {

using test::AnalysisLedger;
using Series = std::vector<std::int32_t>;

struct Day {
    int year, month, day;
};

// Each booked day falls into one period, named by the period's last day.
TEST(PeriodAmountTest, BoundaryDaysFallIntoTheirNamedPeriods) {
    struct Case {
        Day current;
        int closeDay;
        Day booked;
        int period;  // the period that holds the booked day
        const char* label;
    } cases[] = {
        {{2005, 1, 15}, 0, {2004, 1, 31}, 12, "2004/01"},
        {{2008, 3, 10}, 0, {2008, 2, 29}, 1, "2008/02"},  // leap February
        {{2005, 3, 26}, 25, {2005, 3, 25}, 1, "2005/03"},
        {{2005, 3, 26}, 25, {2005, 4, 25}, 0, "2005/04"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        AnalysisLedger ledger(c.current.year, c.current.month, c.current.day, {{"a"}}, c.closeDay);
        ledger.Book(c.booked.year, c.booked.month, c.booked.day, 0, 700);
        for (int period = 0; period <= 12; ++period) {
            EXPECT_EQ(PeriodAmount(ledger.doc, ledger.Outgo(0), period, false),
                      period == c.period ? 700 : 0)
                << period;
        }
        EXPECT_EQ(PeriodLabel(ledger.doc, c.period), c.label);
    }
}

// Only the running period is projected to its end; a closed one is what was booked.
TEST(PeriodAmountTest, OnlyTheRunningPeriodIsProjected) {
    AnalysisLedger ledger(2005, 1, 15, {{"a"}}, 0);
    for (const Day day : {Day{2004, 12, 2}, Day{2004, 12, 3}, Day{2005, 1, 2}, Day{2005, 1, 3}})
        ledger.Book(day.year, day.month, day.day, 0, 100);
    EXPECT_GT(PeriodAmount(ledger.doc, ledger.Outgo(0), 0, true), 200);
    EXPECT_EQ(PeriodAmount(ledger.doc, ledger.Outgo(0), 1, true), 200);
    const OutgoMatter matters[] = {{ledger.Outgo(0), {}}};
    const auto sums = PeriodAmountsByMatter(ledger.doc, matters, 0, 2, true);
    EXPECT_GT(sums[0][0], 200);
    EXPECT_EQ(sums[0][1], 200);
}

// The share column hides a negative part (a refund from a file), the ratio columns show it;
// nothing of a negative whole is zero, not minus zero.
TEST(ShareFiguresTest, PercentagesOfZeroAndNegativeTotals) {
    EXPECT_EQ(ShareText(PercentOf(-500, 1000)), "---.--");
    EXPECT_EQ(FormatPercent(PercentOf(-500, 1000)), "-50.00");
    EXPECT_EQ(ShareText(PercentOf(0, -1000)), "0.00");
}

// Early on the first day of a period the projection factor is in the tens of thousands, so
// ordinary bookings project past the 32-bit range; the totals and the advice stay exact.
TEST(ShareFiguresTest, ProjectedTotalsBeyondThe32BitRangeStayExact) {
    AnalysisLedger ledger(2005, 3, 1, {{"a"}, {"b"}});
    ledger.clock.Set(MakeLocalTime(2005, 3, 1, 0, 1, 0));
    for (int position = 0; position < 2; ++position) {
        ledger.Book(2005, 3, 1, position, 15000);
        ledger.Book(2005, 3, 1, position, 15000);
    }
    ledger.Book(2005, 2, 10, 0, 60000);
    const ShareFigures figures = ComputeShareFigures(ledger.doc, true);
    ASSERT_EQ(figures.matters.size(), 2u);
    EXPECT_EQ(figures.matters[0].curProjected, 1339199500);
    EXPECT_EQ(figures.totalCurProjected, 2678399000LL);
    EXPECT_EQ(FormatPercent(figures.totalRatio), "4463998.50");
    EXPECT_NE(BuildAdvice(ledger.doc, GraphTab::Share, true).find("超過しています"),
              std::string::npos);
}

// An empty series has no trend. The sums run in 32 bits, as they always have: the true slope
// 4294967295 wraps to -1.
TEST(TrendSlopeTest, LeastSquaresSlopeInYenPerPeriod) {
    EXPECT_FALSE(TrendSlope(Series{}).has_value());
    EXPECT_DOUBLE_EQ(TrendSlope(Series{500, 0, 700}).value(), 100.0);
    EXPECT_DOUBLE_EQ(TrendSlope(Series{INT32_MIN, INT32_MAX}).value(), -1.0);
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
