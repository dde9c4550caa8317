#include <cstdio>

#include "doc/CsvLedgerForm.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

constexpr int kFirstYear = 2000;
constexpr std::string_view kFullWidthComma = "\x81\x43";  // "，" in CP932
constexpr std::uint16_t kMonthEndAsCloseDay = 28;

void AppendNumber(std::string& out, long long value) {
    char buffer[24];
    const int length = std::snprintf(buffer, sizeof buffer, "%lld", value);
    out.append(buffer, static_cast<std::size_t>(length));
}

// The form has no quoting. CP932 trail bytes never take the values of ",", CR or LF, so a byte
// scan cannot split a double-byte character.
void AppendName(std::string& out, const Cp932Text& text) {
    const std::string& name = text.Bytes();
    // A name that starts with '"' would be read as a quoted field: it is written as one.
    const bool quoted = !name.empty() && name.front() == '"';
    if (quoted) out += '"';
    for (const char c : name) {
        if (quoted && c == '"') {
            out += "\"\"";
        } else if (c == ',') {
            out += kFullWidthComma;
        } else if (c == '\r' || c == '\n') {
            out += ' ';
        } else {
            out += c;
        }
    }
    if (quoted) out += '"';
}

void AppendDate(std::string& out, const LocalFields& day) {
    char buffer[32];
    const int length =
        std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", day.year, day.month, day.day);
    out.append(buffer, static_cast<std::size_t>(length));
}

// The last day line: 31 December of `year`, or the last whole day of the 32-bit time range
// when that lies beyond it.
TimeValue LastDayOfYear(int year) {
    if (FitsTimeValue(year, 12, 31)) return MakeLocalTime(year, 12, 31);
    return StartOfDay(INT32_MAX);
}

}  // namespace

CsvLedgerText WriteCsvLedger(const CTallymoDoc& doc) {
    CsvLedgerText result;
    std::string& out = result.bytes;
    const int matters = doc.MatterCount();

    AppendNumber(out, doc.IncomeCount());
    for (MatterIndex i = 0; i < matters; ++i) {
        out += ',';
        AppendNumber(out, doc.GetMatter(i)->CellWidth() / 10);
    }
    out += ",60\r\n";

    const int lastYear = doc.Entries().empty() ? kFirstYear : ToLocal(doc.LastDate()).year;
    AppendNumber(out, lastYear);
    for (MatterIndex i = 0; i < matters; ++i) {
        out += ',';
        AppendName(out, doc.GetMatter(i)->Name());
    }
    out += ',';
    const std::uint16_t closeDay = doc.Settings().CloseDay;
    AppendNumber(out, closeDay == 0 ? kMonthEndAsCloseDay : closeDay);
    out += "\r\n";

    const TimeValue firstDay = MakeLocalTime(kFirstYear, 1, 1);
    if (lastYear >= kFirstYear) {
        const TimeValue lastDay = LastDayOfYear(lastYear);
        const std::size_t lineBytes = 12 + static_cast<std::size_t>(matters + 1) * 4;
        out.reserve(out.size() + lineBytes * static_cast<std::size_t>(
                                                 CalendarDaysBetween(firstDay, lastDay) + 1));
        // Calendar-day steps: a day on which the clock changes is neither skipped nor doubled.
        for (TimeValue day = firstDay;; day = NextDay(day)) {
            AppendDate(out, ToLocal(day));
            for (MatterIndex i = 0; i < matters; ++i) {
                out += ',';
                AppendNumber(out, doc.DayAmount(day, i));
            }
            out += ',';
            AppendNumber(out, doc.BalanceThrough(day));
            out += "\r\n";
            if (day >= lastDay) break;
        }
    }

    // Checked on the entries rather than on FirstDate() != 0: an entry dated at time value 0
    // is lost all the same.
    result.droppedEarlyEntries = !doc.Entries().empty() && doc.FirstDate() < firstDay;
    return result;
}

}  // namespace tallymo
