#include "analysis/PeriodAmounts.h"

#include "doc/TallymoDoc.h"

namespace tallymo {

PeriodBounds GetPeriodBounds(const CTallymoDoc& doc, int period) {
    return {doc.PeriodStart(period), doc.PeriodEnd(period)};
}

std::int32_t PeriodAmount(const CTallymoDoc& doc, MatterIndex matter, int period, bool project) {
    const PeriodBounds bounds = GetPeriodBounds(doc, period);
    return doc.PeriodSum(matter, bounds.first, bounds.last, project && period == 0);
}

std::string PeriodLabel(const CTallymoDoc& doc, int period) {
    return FormatTime(doc.PeriodEnd(period), "%Y/%m");
}

std::vector<std::vector<std::int32_t>> PeriodAmountsByMatter(const CTallymoDoc& doc,
                                                             std::span<const OutgoMatter> matters,
                                                             int first, int count, bool project) {
    std::vector<std::vector<std::int32_t>> amounts(matters.size(),
                                                   std::vector<std::int32_t>(count, 0));
    for (int i = 0; i < count; ++i) {
        const int period = first + i;
        const PeriodBounds bounds = GetPeriodBounds(doc, period);
        const bool projectThis = project && period == 0;
        for (std::size_t m = 0; m < matters.size(); ++m) {
            amounts[m][i] = doc.PeriodSum(matters[m].index, bounds.first, bounds.last, projectThis);
        }
    }
    return amounts;
}

}  // namespace tallymo
