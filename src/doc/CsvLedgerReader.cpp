#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "doc/CsvLedgerForm.h"
#include "doc/LeadingInteger.h"
#include "doc/LedgerLimits.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"

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

    bool OnlyLineEndsRemain() const {
        return m_pos >= m_text.size() ||
               m_text.find_first_not_of("\r\n", m_pos) == std::string_view::npos;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// The fields of one line, one at a time (a line of a million commas costs no memory). Every ","
// splits, so an empty line is one empty field. A field that starts with '"' is quoted as a
// spreadsheet writes it: up to the closing '"', with "" standing for one '"' and commas kept;
// anything after the closing quote up to the next comma is kept as it is. CP932 trail bytes are
// never "," or '"'.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) : m_line(line) {}

    bool Next(std::string_view& field) {
        if (m_done) return false;
        if (m_pos < m_line.size() && m_line[m_pos] == '"') {
            m_quoted.clear();
            ++m_pos;
            for (;;) {
                const std::size_t quote = m_line.find('"', m_pos);
                if (quote == std::string_view::npos) {  // no closing quote: the rest of the line
                    m_quoted.append(m_line.substr(m_pos));
                    m_pos = m_line.size();
                    break;
                }
                m_quoted.append(m_line.substr(m_pos, quote - m_pos));
                m_pos = quote + 1;
                if (m_pos < m_line.size() && m_line[m_pos] == '"') {
                    m_quoted += '"';
                    ++m_pos;
                    continue;
                }
                break;
            }
            const std::size_t comma = m_line.find(',', m_pos);
            const std::size_t end = comma == std::string_view::npos ? m_line.size() : comma;
            m_quoted.append(m_line.substr(m_pos, end - m_pos));
            Advance(comma);
            field = m_quoted;
            return true;
        }
        const std::size_t comma = m_line.find(',', m_pos);
        field = m_line.substr(m_pos, comma == std::string_view::npos ? comma : comma - m_pos);
        Advance(comma);
        return true;
    }

private:
    void Advance(std::size_t comma) {
        if (comma == std::string_view::npos) {
            m_done = true;
        } else {
            m_pos = comma + 1;
        }
    }

    std::string_view m_line;
    std::size_t m_pos = 0;
    bool m_done = false;
    std::string m_quoted;
};

// Numbers are read as atoi reads them (leading blanks, a sign, the leading digits, 0 without
// any), except that a value beyond the 32-bit range is held at its end: wrapped, a large
// figure typed into a spreadsheet would come back with another sign.
std::int32_t AtoiNumber(std::string_view text) {
    return LeadingInteger(text);
}

// Line 1: the number of income matters, then one width field (in tens of twips) per matter,
// then a trailing field that is no matter. More matters than any ledger uses make it invalid.
void ReadWidthLine(std::string_view line, MatterList& income, MatterList& outgo) {
    FieldCursor fields(line);
    std::string_view field;
    fields.Next(field);
    const std::int32_t incomeCount = AtoiNumber(field);
    for (std::size_t k = 1; fields.Next(field); ++k) {
        const auto width =
            static_cast<std::uint16_t>(static_cast<std::int64_t>(AtoiNumber(field)) * 10);
        const bool isIncome = static_cast<std::int64_t>(k) <= incomeCount;
        MatterList& list = isIncome ? income : outgo;
        if (list.size() > kMaxMattersPerList) throw InvalidCsv{};  // outgo: one more, the 60
        list.emplace_back(Cp932Text(), width, true);
    }
    // The trailing field must have made an outgo matter; otherwise the line is no width line.
    if (outgo.empty() || income.size() > kMaxMattersPerList) throw InvalidCsv{};
    outgo.pop_back();
}

// Line 2: the year (unused), one name per matter, then the close day.
void ReadNameLine(std::string_view line, MatterList& income, MatterList& outgo,
                  LedgerSettings& settings) {
    const std::size_t matters = income.size() + outgo.size();
    FieldCursor fields(line);
    std::string_view field;
    fields.Next(field);
    for (std::size_t k = 1; fields.Next(field); ++k) {
        if (k <= matters) {
            const std::size_t index = k - 1;
            Matter& matter = index < income.size() ? income[index] : outgo[index - income.size()];
            matter.SetName(Cp932Text(field));
        } else {
            const auto closeDay = static_cast<std::uint16_t>(AtoiNumber(field));
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

void ReadDayLine(std::string_view line, LedgerContents& doc) {
    FieldCursor fields(line);
    std::string_view field;
    fields.Next(field);
    const TimeValue date = ReadDate(field);
    const auto matters = static_cast<std::size_t>(doc.MatterCount());
    // Fields beyond the matters (the balance) are ignored.
    for (std::size_t k = 1; k <= matters && fields.Next(field); ++k) {
        const std::int32_t amount = AtoiNumber(field);
        if (amount != 0) {
            doc.AppendLoadedEntry(LedgerEntry{date, static_cast<MatterIndex>(k - 1), amount, {}});
        }
    }
}

// Valid UTF-8 with at least one byte above ASCII: CP932 text practically never is.
bool LooksLikeUtf8(std::string_view text) {
    bool nonAscii = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        nonAscii = true;
        i += length;
    }
    return nonAscii;
}

}  // namespace

bool ReadCsvLedger(std::string_view text, LedgerContents& doc) {
    // A spreadsheet may have saved the file as UTF-8, with or without a byte-order mark: the
    // ledger's texts are CP932, so it is converted. With the mark, a name CP932 cannot hold
    // makes the file invalid. Without it the guess may be wrong: names of odd bytes (which the
    // binary form carries as they are) can happen to be valid UTF-8, so text that does not
    // convert is read as CP932, as it was written.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::string converted;
    const bool marked = text.starts_with(kByteOrderMark);
    if (marked) text.remove_prefix(kByteOrderMark.size());
    if (marked || LooksLikeUtf8(text)) {
        auto cp932 = Utf8ToCp932(text);
        if (cp932) {
            converted = std::move(*cp932).TakeBytes();
            text = converted;
        } else if (marked) {
            return false;
        }
    }

    LineScanner lines(text);
    std::string_view line;
    try {
        MatterList income;
        MatterList outgo;
        if (!lines.Next(line)) return false;
        ReadWidthLine(line, income, outgo);

        if (!lines.Next(line)) return false;
        ReadNameLine(line, income, outgo, doc.Settings());
        doc.SetMatterLists(std::move(income), std::move(outgo));

        while (lines.Next(line)) {
            // Blank lines at the end, as spreadsheets leave them, end the file; elsewhere a
            // blank line is no day line.
            if (line.empty() && lines.OnlyLineEndsRemain()) break;
            ReadDayLine(line, doc);
        }
    } catch (const InvalidCsv&) {
        return false;
    }
    return true;
}

}  // namespace tallymo
