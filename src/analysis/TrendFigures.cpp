#include "analysis/TrendFigures.h"

#include <algorithm>
#include <span>

#include "analysis/PeriodAmounts.h"
#include "doc/TallymoDoc.h"

namespace tallymo {

TrendFigures ComputeTrendFigures(const CTallymoDoc& doc, int offset, bool project) {
    TrendFigures figures;
    figures.offset = std::clamp(offset, 0, kMaxTrendOffset);
    const int shownFirst = figures.offset;

    // One pass over periods 0 .. offset + 11 serves both the series (0 .. 11) and the chart.
    const std::vector<OutgoMatter> matters = VisibleOutgoMatters(doc);
    const int periodCount = std::max(kSeriesPeriods, shownFirst + kTrendChartPeriods);
    const auto amounts = PeriodAmountsByMatter(doc, matters, 0, periodCount, project);

    for (int i = 0; i < kTrendChartPeriods; ++i) {
        figures.periodLabels.push_back(PeriodLabel(doc, shownFirst + i));
    }

    std::vector<std::vector<std::int32_t>> series;
    series.reserve(matters.size());
    for (std::size_t m = 0; m < matters.size(); ++m) {
        const std::vector<std::int32_t>& sums = amounts[m];
        series.push_back(
            SeriesFromPeriodSums(std::span<const std::int32_t>(sums).first(kSeriesPeriods)));
        MatterPeriodAmounts row{
            matters[m],
            {sums.begin() + shownFirst, sums.begin() + shownFirst + kTrendChartPeriods}};
        for (int c = 0; c < kTrendTableColumns; ++c) {
            figures.columnTotals[c] =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(figures.columnTotals[c]) +
                                          static_cast<std::uint32_t>(row.amounts[c]));
        }
        figures.matters.push_back(std::move(row));
    }

    figures.trends = TrendsOf(matters, series);
    figures.ranking = RankTrends(figures.trends);
    return figures;
}

}  // namespace tallymo
