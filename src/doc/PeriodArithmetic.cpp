#include "doc/PeriodArithmetic.h"

#include <climits>

namespace tallymo {

TimeValue PeriodEndOf(TimeValue today, int closeDay, int k) {
    const LocalFields day = ToLocal(today);
    int year = day.year;
    int month = day.month - k;
    if (day.day > closeDay) ++month;
    if (month > 12) {
        year += (month - 1) / 12;
        month -= 12 * ((month - 1) / 12);
    } else if (month < 1) {
        year -= (12 - month) / 12;
        month += 12 * ((12 - month) / 12);
    }
    if (closeDay == 0) return PreviousDay(MakeLocalTime(year, month, 1));
    return MakeLocalTime(year, month, closeDay);
}

TimeValue PeriodStartOf(TimeValue today, int closeDay, int k) {
    return NextDay(PeriodEndOf(today, closeDay, k + 1));
}

TimeValue MonthBefore(TimeValue t) {
    const LocalFields f = ToLocal(t);
    return MakeLocalTime(f.year, f.month - 1, f.day, f.hour, f.minute, f.second);
}

std::int32_t ProjectedSum(std::int32_t sum, TimeValue lo, TimeValue hi, TimeValue today,
                          TimeValue now) {
    const LocalFields last = ToLocal(hi);
    const LocalFields day = ToLocal(today);
    const LocalFields clock = ToLocal(now);
    const long long hiEnd = MakeLocalTime(last.year, last.month, last.day, 23, 59, 59);
    const long long current =
        MakeLocalTime(day.year, day.month, day.day, clock.hour, clock.minute, clock.second);
    const long long elapsed = current - lo;
    // Without elapsed time there is nothing to project from: the booked sum stands.
    if (elapsed <= 0) return sum;
    const double factor = static_cast<double>(hiEnd - current) / static_cast<double>(elapsed) + 1.0;
    // A non-negative sum projects as it always has. A negative one (possible only with
    // entries from files) would, read as unsigned, become some four billion yen; it projects
    // as the signed figure instead, and a result beyond the 32-bit range is held at its end.
    const double projected = static_cast<double>(sum) * factor;
    if (projected >= 2147483647.0) return INT32_MAX;
    if (projected <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(projected);  // truncated toward zero
}

}  // namespace tallymo
