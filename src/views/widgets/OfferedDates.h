#pragma once
// The days a calendar or the ledger grid offers: those a 32-bit time value holds at 00:00:00
// local time, 1970-01-01 to 2038-01-18.

#include <QDate>

#include "doc/TimeValue.h"

namespace tallymo {

inline QDate FirstOfferedDate() {
    return QDate(1970, 1, 1);
}
inline QDate LastOfferedDate() {
    return QDate(2038, 1, 18);
}

inline TimeValue ToDayValue(const QDate& date) {
    return MakeLocalTime(date.year(), date.month(), date.day());
}

inline QDate ToQDate(TimeValue day) {
    const LocalFields fields = ToLocal(day);
    return QDate(fields.year, fields.month, fields.day);
}

inline bool IsOfferedDay(TimeValue day) {
    return day == StartOfDay(day) && ToQDate(day) >= FirstOfferedDate() &&
           ToQDate(day) <= LastOfferedDate();
}

}  // namespace tallymo
