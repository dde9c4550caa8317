#pragma once
// The trend tab's figures: each visible outgo matter's sums over the twelve periods that the
// chart shows (the first four of them are the table's columns), the column totals, and the
// trend ranking of the last twelve periods.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/OutgoMatters.h"
#include "analysis/Trend.h"

namespace tallymo {

class CTallymoDoc;

inline constexpr int kTrendTableColumns = 4;
inline constexpr int kTrendChartPeriods = 12;
inline constexpr int kMaxTrendOffset = 8;  // the horizontal bar's range is 0 .. 8

struct MatterPeriodAmounts {
    OutgoMatter matter;
    std::vector<std::int32_t> amounts;  // [i] = period offset + i, kTrendChartPeriods values
};

struct TrendFigures {
    int offset = 0;                            // the first period shown (newest)
    std::vector<std::string> periodLabels;     // "%Y/%m" of periods offset .. offset + 11
    std::vector<MatterPeriodAmounts> matters;  // list order
    std::array<std::int32_t, kTrendTableColumns> columnTotals{};  // 32-bit sums
    std::vector<MatterTrend> trends;  // matters with a trend, list order
    TrendRanking ranking;
};

// `offset` is clamped to 0 .. kMaxTrendOffset. With `project`, period 0 (wherever it is shown,
// and in the series of every matter) is the projection of the running period.
TrendFigures ComputeTrendFigures(const CTallymoDoc& doc, int offset, bool project);

}  // namespace tallymo
