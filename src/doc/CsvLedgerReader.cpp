#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "doc/CsvLedgerForm.h"
#include "doc/LeadingInteger.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

constexpr std::uint16_t kLastCloseDay = 27;  // anything above reads as month end (0)
constexpr int kEarliestYear = 1970;

struct InvalidCsv {};

// Lines as the Ver.1 program read them: LF ends a line; CR ends it and takes the byte after it
// (normally the LF) with it; a last line without an ending still counts.
class LineScanner {
public:
    explicit LineScanner(std::string_view text) : m_text(text) {}

    bool Next(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '\n' && m_text[m_pos] != '\r') ++m_pos;
        line = m_text.substr(start, m_pos - start);
        if (m_pos < m_text.size()) m_pos += m_text[m_pos] == '\r' ? 2 : 1;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Every "," splits: an empty line is one empty field. CP932 trail bytes are never ",".
void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) break;
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(line.substr(start));
}

// Numbers are read as atoi reads them (leading blanks, a sign, the leading digits, 0 without
// any), except that a value beyond the 32-bit range is held at its end: wrapped, a large
// figure typed into a spreadsheet would come back with another sign.
std::int32_t AtoiNumber(std::string_view text) { return LeadingInteger(text); }

// Line 1: the number of income matters, then one width field (in tens of twips) per matter,
// then a trailing field that is no matter.
void ReadWidthLine(const std::vector<std::string_view>& fields, MatterList& income,
                   MatterList& outgo) {
    const std::int32_t incomeCount = AtoiNumber(fields[0]);
    for (std::size_t k = 1; k < fields.size(); ++k) {
        const auto width =
            static_cast<std::uint16_t>(static_cast<std::int64_t>(AtoiNumber(fields[k])) * 10);
        const bool isIncome = static_cast<std::int64_t>(k) <= incomeCount;
        (isIncome ? income : outgo).emplace_back(std::string(), width, true);
    }
    // The trailing field must have made an outgo matter; otherwise the line is no width line.
    if (outgo.empty()) throw InvalidCsv{};
    outgo.pop_back();
}

// Line 2: the year (unused), one name per matter, then the close day.
void ReadNameLine(const std::vector<std::string_view>& fields, MatterList& income,
                  MatterList& outgo, LedgerSettings& settings) {
    const std::size_t matters = income.size() + outgo.size();
    for (std::size_t k = 1; k < fields.size(); ++k) {
        if (k <= matters) {
            const std::size_t index = k - 1;
            Matter& matter = index < income.size() ? income[index] : outgo[index - income.size()];
            matter.SetName(std::string(fields[k]));
        } else {
            const auto closeDay = static_cast<std::uint16_t>(AtoiNumber(fields[k]));
            settings.CloseDay = closeDay > kLastCloseDay ? 0 : closeDay;
        }
    }
}

// "yyyy/mm/dd" with blanks and double quotes removed; every part must be above 0. Out-of-range
// parts roll over (2000/02/30 is 1 March). The day must lie within the ledger's calendar: from
// 1 January 1970 to the last day whose 00:00:00 a 32-bit time value holds, which is also the
// last day the writer can write.
TimeValue ReadDate(std::string_view field) {
    std::string text;
    for (const char c : field) {
        if (c != '"' && c != ' ') text += c;
    }
    const std::size_t first = text.find('/');
    if (first == std::string::npos) throw InvalidCsv{};
    const std::size_t second = text.find('/', first + 1);
    if (second == std::string::npos) throw InvalidCsv{};
    const std::string_view view(text);
    const std::int32_t year = AtoiNumber(view.substr(0, first));
    const std::int32_t month = AtoiNumber(view.substr(first + 1, second - first - 1));
    const std::int32_t day = AtoiNumber(view.substr(second + 1));
    if (year <= 0 || month <= 0 || day <= 0) throw InvalidCsv{};
    if (!FitsTimeValue(year, month, day)) throw InvalidCsv{};
    const TimeValue date = MakeLocalTime(year, month, day);
    if (ToLocal(date).year < kEarliestYear) throw InvalidCsv{};
    return date;
}

void ReadDayLine(const std::vector<std::string_view>& fields, CTallymoDoc& doc) {
    const TimeValue date = ReadDate(fields[0]);
    const std::size_t matters = static_cast<std::size_t>(doc.MatterCount());
    const std::size_t last = std::min(fields.size() - 1, matters);  // the balance is ignored
    for (std::size_t k = 1; k <= last; ++k) {
        const std::int32_t amount = AtoiNumber(fields[k]);
        if (amount != 0) {
            doc.AppendLoadedEntry(LedgerEntry{date, static_cast<MatterIndex>(k - 1), amount, {}});
        }
    }
}

}  // namespace

bool ReadCsvLedger(std::string_view text, CTallymoDoc& doc) {
    LineScanner lines(text);
    std::string_view line;
    std::vector<std::string_view> fields;
    try {
        MatterList income;
        MatterList outgo;
        if (!lines.Next(line)) return false;
        SplitFields(line, fields);
        ReadWidthLine(fields, income, outgo);

        if (!lines.Next(line)) return false;
        SplitFields(line, fields);
        ReadNameLine(fields, income, outgo, doc.Settings());
        doc.SetMatterLists(std::move(income), std::move(outgo));

        while (lines.Next(line)) {
            SplitFields(line, fields);
            ReadDayLine(fields, doc);
        }
    } catch (const InvalidCsv&) {
        return false;
    }
    return true;
}

}  // namespace tallymo
