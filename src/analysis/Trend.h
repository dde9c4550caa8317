#pragma once
// Twelve-period series of outgo matters, their least-squares trend and the ranking of the most
// strongly falling and rising matters that the advice sheet names.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/OutgoMatters.h"
#include "doc/Matter.h"

namespace tallymo {

class CTallymoDoc;

inline constexpr int kSeriesPeriods = 12;
inline constexpr std::size_t kRankedMatters = 3;

// Turns period sums given newest first (index = period) into a series oldest first, dropping
// the zero periods before the first non-zero one. Zeros after it stay.
std::vector<std::int32_t> SeriesFromPeriodSums(std::span<const std::int32_t> newestFirst);

// The matter's sums over periods 11 .. 0 as above; period 0 projected when asked.
std::vector<std::int32_t> MonthlySeries(const CTallymoDoc& doc, MatterIndex matter, bool project);

// Least-squares slope in yen per period of the values at x = 0, 1, ... The sums run in 32-bit
// integers and wrap as such, so very large amounts give the figure the ledger has always shown.
// Nothing for fewer than two values: such a series has no trend.
std::optional<double> TrendSlope(std::span<const std::int32_t> series);

// The trend in whole yen per period: the slope truncated toward zero.
std::int32_t TrendYen(double slope);

struct MatterTrend {
    OutgoMatter matter;
    double slope = 0;
    std::int32_t yenPerPeriod = 0;  // TrendYen(slope)
};

struct TrendRanking {
    std::vector<MatterTrend> decreasing;  // smallest slope first, at most kRankedMatters
    std::vector<MatterTrend> increasing;  // largest slope first, at most kRankedMatters
};

// The trend of every matter whose series has one, in the order of `series` (list order).
std::vector<MatterTrend> TrendsOf(std::span<const OutgoMatter> matters,
                                  std::span<const std::vector<std::int32_t>> series);

// Ranks the matters (given in list order) by slope. Among equal slopes the falling list keeps
// list order and the rising list takes the later matter first. A matter whose whole-yen trend
// is 0 is in neither list.
TrendRanking RankTrends(std::span<const MatterTrend> trends);

}  // namespace tallymo
