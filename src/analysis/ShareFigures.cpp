#include "analysis/ShareFigures.h"

#include "analysis/PeriodAmounts.h"
#include "doc/TallymoDoc.h"
#include "doc/YenFormat.h"

namespace tallymo {

float PercentOf(std::int64_t part, std::int64_t whole) {
    if (whole == 0) return 0.0f;
    const float percent = static_cast<float>(part) / static_cast<float>(whole) * 100.0f;
    return percent + 0.0f;  // 0 of a negative whole is 0.00, not -0.00
}

std::string ShareText(float share) {
    return share < 0.0f ? "---.--" : FormatPercent(share);
}

ShareFigures ComputeShareFigures(const CTallymoDoc& doc, bool project) {
    ShareFigures figures;
    const PeriodBounds running = GetPeriodBounds(doc, 0);
    const PeriodBounds previous = GetPeriodBounds(doc, 1);
    for (OutgoMatter& matter : VisibleOutgoMatters(doc)) {
        MatterShare row;
        row.curProjected = doc.PeriodSum(matter.index, running.first, running.last, true);
        row.cur = project ? row.curProjected
                          : doc.PeriodSum(matter.index, running.first, running.last, false);
        row.prev = doc.PeriodSum(matter.index, previous.first, previous.last, false);
        row.matter = std::move(matter);
        figures.totalCur += row.cur;
        figures.totalCurProjected += row.curProjected;
        figures.totalPrev += row.prev;
        figures.matters.push_back(std::move(row));
    }
    for (MatterShare& row : figures.matters) {
        row.share = PercentOf(row.cur, figures.totalCur);
        row.ratio = PercentOf(row.cur, row.prev);
    }
    figures.totalRatio = PercentOf(figures.totalCur, figures.totalPrev);
    return figures;
}

}  // namespace tallymo
