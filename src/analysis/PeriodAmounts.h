#pragma once
// Outgo sums per accounting period, read through the document's indexed queries. Period 0 is
// the one that holds the current date, period 1 the one before it, and so on. Only the running
// period is ever projected to its end.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/OutgoMatters.h"
#include "doc/Matter.h"
#include "doc/TimeValue.h"

namespace tallymo {

class CTallymoDoc;

struct PeriodBounds {
    TimeValue first = 0;  // first day, 00:00:00
    TimeValue last = 0;   // last day, 00:00:00
};

PeriodBounds GetPeriodBounds(const CTallymoDoc& doc, int period);

// The sum of the matter's entries in the period; projected only when asked and period is 0.
std::int32_t PeriodAmount(const CTallymoDoc& doc, MatterIndex matter, int period, bool project);

// The period's label: its last day as "%Y/%m".
std::string PeriodLabel(const CTallymoDoc& doc, int period);

// Sums of each matter over the periods first .. first + count - 1: result[m][i] is matter m
// over period first + i. The bounds of each period are worked out once for all matters.
std::vector<std::vector<std::int32_t>> PeriodAmountsByMatter(const CTallymoDoc& doc,
                                                             std::span<const OutgoMatter> matters,
                                                             int first, int count, bool project);

}  // namespace tallymo
