#pragma once
// Dates and times of the ledger: signed 32-bit seconds since 1970-01-01 UTC, read in local
// time through the C library (TZ honoured). A stored day is the value of its local 00:00:00.

#include <cstdint>
#include <string>

namespace tallymo {

using TimeValue = std::int32_t;

struct LocalFields {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;  // 0 = Sunday
};

LocalFields ToLocal(TimeValue t);

// Builds a value from calendar fields, normalising out-of-range fields as mktime does
// (day 31 of month 2 becomes early March, month 0 becomes December of the year before).
// A result outside the 32-bit range is clamped to the nearest end of the range.
TimeValue MakeLocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Whether the calendar fields name a moment inside the 32-bit range.
bool FitsTimeValue(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Local 00:00:00 of the day that holds t.
TimeValue StartOfDay(TimeValue t);
// Local 00:00:00 of the calendar day after (before) the one that holds t. Steps by calendar
// day rather than 86400 seconds, so days on which the clock changes are neither skipped nor
// visited twice.
TimeValue NextDay(TimeValue t);
TimeValue PreviousDay(TimeValue t);
// Local 00:00:00 of the day `days` calendar days after the one that holds t (negative: before).
TimeValue AddDays(TimeValue t, int days);
// Number of calendar days from the day of `from` to the day of `to` (negative when earlier).
int CalendarDaysBetween(TimeValue from, TimeValue to);

// strftime of the local time of t.
std::string FormatTime(TimeValue t, const char* pattern);

}  // namespace tallymo
