#pragma once
// Accounting periods and the projection of a running period, as plain functions of dates.
// The document answers its period queries through these with its current date and closing
// day; nothing here reads a ledger.

#include <cstdint>

#include "doc/TimeValue.h"

namespace tallymo {

// The last day of the accounting period k periods before the one that holds `today` (k = 0:
// that period). closeDay 0 closes a period at the month's end, 1..27 on that day.
TimeValue PeriodEndOf(TimeValue today, int closeDay, int k);
// The first day of that period: the day after the end of the one before it.
TimeValue PeriodStartOf(TimeValue today, int closeDay, int k);
// The same day and time a calendar month earlier (normalised: 31 March gives 3 March).
TimeValue MonthBefore(TimeValue t);

// A period's booked sum scaled from the time elapsed in [lo, today at the time of day of
// `now`] to the whole span through the end of hi's day. Nothing elapsed: the sum stands. The
// result is truncated toward zero and held inside the 32-bit range.
std::int32_t ProjectedSum(std::int32_t sum, TimeValue lo, TimeValue hi, TimeValue today,
                          TimeValue now);

}  // namespace tallymo
