#include "analysis/Trend.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/PeriodAmounts.h"
#include "doc/TallymoDoc.h"

namespace tallymo {

std::vector<std::int32_t> SeriesFromPeriodSums(std::span<const std::int32_t> newestFirst) {
    std::vector<std::int32_t> series;
    series.reserve(newestFirst.size());
    for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) {
        if (series.empty() && *it == 0) continue;
        series.push_back(*it);
    }
    return series;
}

std::vector<std::int32_t> MonthlySeries(const CTallymoDoc& doc, MatterIndex matter, bool project) {
    std::int32_t sums[kSeriesPeriods];
    for (int period = 0; period < kSeriesPeriods; ++period) {
        sums[period] = PeriodAmount(doc, matter, period, project);
    }
    return SeriesFromPeriodSums(sums);
}

std::optional<double> TrendSlope(std::span<const std::int32_t> series) {
    if (series.size() < 2) return std::nullopt;
    // Unsigned arithmetic gives the 32-bit wrap-around without undefined behaviour.
    const std::uint32_t n = static_cast<std::uint32_t>(series.size());
    std::uint32_t sx = 0, sy = 0, sxy = 0;
    std::int64_t sx2 = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t y = static_cast<std::uint32_t>(series[i]);
        sx += i;
        sy += y;
        sxy += i * y;
        sx2 += static_cast<std::int64_t>(i) * i;
    }
    const auto numerator = static_cast<std::int32_t>(n * sxy - sy * sx);
    const double sxSigned = static_cast<std::int32_t>(sx);
    const double denominator =
        static_cast<double>(n) * static_cast<double>(sx2) - sxSigned * sxSigned;
    return static_cast<double>(numerator) / denominator;
}

std::int32_t TrendYen(double slope) {
    if (std::isnan(slope)) return 0;
    const double whole = std::trunc(slope);
    if (whole <= std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (whole >= std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(whole);
}

std::vector<MatterTrend> TrendsOf(std::span<const OutgoMatter> matters,
                                  std::span<const std::vector<std::int32_t>> series) {
    std::vector<MatterTrend> trends;
    for (std::size_t m = 0; m < matters.size() && m < series.size(); ++m) {
        if (const auto slope = TrendSlope(series[m])) {
            trends.push_back({matters[m], *slope, TrendYen(*slope)});
        }
    }
    return trends;
}

TrendRanking RankTrends(std::span<const MatterTrend> trends) {
    // A stable sort keeps list order among equal slopes, as inserting into a multiset does.
    std::vector<const MatterTrend*> bySlope;
    bySlope.reserve(trends.size());
    for (const MatterTrend& trend : trends) bySlope.push_back(&trend);
    std::stable_sort(
        bySlope.begin(), bySlope.end(),
        [](const MatterTrend* a, const MatterTrend* b) { return a->slope < b->slope; });

    TrendRanking ranking;
    for (auto it = bySlope.begin();
         it != bySlope.end() && ranking.decreasing.size() < kRankedMatters; ++it) {
        if ((*it)->yenPerPeriod < 0) ranking.decreasing.push_back(**it);
    }
    for (auto it = bySlope.rbegin();
         it != bySlope.rend() && ranking.increasing.size() < kRankedMatters; ++it) {
        if ((*it)->yenPerPeriod > 0) ranking.increasing.push_back(**it);
    }
    return ranking;
}

}  // namespace tallymo
