#include "doc/TimeValue.h"

#include <climits>
#include <ctime>

namespace tallymo {
namespace {

constexpr long long kMinTime = INT32_MIN;
constexpr long long kMaxTime = INT32_MAX;

// mktime with the fields as given; tm_isdst = -1 leaves the daylight-saving decision to the
// conversion. Returns the raw 64-bit result, or nothing when the C library refuses.
bool RawMakeTime(int year, int month, int day, int hour, int minute, int second, long long& out) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    fields.tm_wday = -1;  // left untouched when mktime fails
    const std::time_t made = std::mktime(&fields);
    // -1 is also a valid moment (1969-12-31 23:59:59 UTC): failure shows in tm_wday.
    if (made == static_cast<std::time_t>(-1) && fields.tm_wday < 0) return false;
    out = static_cast<long long>(made);
    return true;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

LocalFields ToLocal(TimeValue t) {
    const std::time_t raw = t;
    std::tm fields{};
    localtime_r(&raw, &fields);
    LocalFields out;
    out.year = fields.tm_year + 1900;
    out.month = fields.tm_mon + 1;
    out.day = fields.tm_mday;
    out.hour = fields.tm_hour;
    out.minute = fields.tm_min;
    out.second = fields.tm_sec;
    out.weekday = fields.tm_wday;
    return out;
}

TimeValue MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    long long made = 0;
    if (!RawMakeTime(year, month, day, hour, minute, second, made)) {
        return year < 1970 ? INT32_MIN : INT32_MAX;
    }
    if (made < kMinTime) return INT32_MIN;
    if (made > kMaxTime) return INT32_MAX;
    return static_cast<TimeValue>(made);
}

bool FitsTimeValue(int year, int month, int day, int hour, int minute, int second) {
    long long made = 0;
    return RawMakeTime(year, month, day, hour, minute, second, made) && made >= kMinTime &&
           made <= kMaxTime;
}

TimeValue StartOfDay(TimeValue t) {
    const LocalFields f = ToLocal(t);
    return MakeLocalTime(f.year, f.month, f.day);
}

TimeValue AddDays(TimeValue t, int days) {
    const LocalFields f = ToLocal(t);
    return MakeLocalTime(f.year, f.month, f.day + days);
}

TimeValue NextDay(TimeValue t) {
    return AddDays(t, 1);
}
TimeValue PreviousDay(TimeValue t) {
    return AddDays(t, -1);
}

int CalendarDaysBetween(TimeValue from, TimeValue to) {
    const LocalFields a = ToLocal(from);
    const LocalFields b = ToLocal(to);
    return static_cast<int>(DaysFromCivil(b.year, b.month, b.day) -
                            DaysFromCivil(a.year, a.month, a.day));
}

std::string FormatTime(TimeValue t, const char* pattern) {
    const std::time_t raw = t;
    std::tm fields{};
    localtime_r(&raw, &fields);
    char buffer[256];
    const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &fields);
    return std::string(buffer, length);
}

}  // namespace tallymo
