#include "views/PeriodTable.h"

#include <algorithm>
#include <cstdio>

#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "doc/YenFormat.h"

namespace tallymo {
namespace {

// A table always keeps one day row between the carry-forward and the total rows.
constexpr int kMinimumRows = 4;
// Width of a printed figure ("%13s").
constexpr std::size_t kPrintedFigureWidth = 13;

// The fixed texts of both tables.
constexpr const char* kLedgerDate = "記帳日";
constexpr const char* kLedgerCarry = "繰　越";
constexpr const char* kLedgerTotal = "合　計";
constexpr const char* kLedgerBalance = "小　計";
constexpr const char* kPrintedDate = "日付";
constexpr const char* kPrintedCarry = "繰越";
constexpr const char* kPrintedTotal = "合計";
constexpr const char* kPrintedBalance = "小計";
constexpr const char* kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};  // Sunday first

// A day's or a period's sum of one matter. Sums are never negative with amounts typed in the
// program; one that is (entries read from a file) shows its sign rather than the unsigned
// reading of its bits. For sums of zero or more this is the same text as FormatYen.
std::string SumText(std::int32_t sum) {
    return FormatSignedYen(sum);
}

void SetBalance(TableCell& cell, std::int32_t balance) {
    cell.text = FormatSignedYen(balance);
    cell.red = balance < 0;
}

std::string MatterName(const CTallymoDoc& doc, MatterIndex matter) {
    const Matter* found = doc.GetMatter(matter);
    return found ? Cp932ToUtf8(found->Name()) : std::string();
}

std::string PadFigure(std::string figure) {
    if (figure.size() < kPrintedFigureWidth)
        figure.insert(0, kPrintedFigureWidth - figure.size(), ' ');
    return figure;
}

}  // namespace

PeriodTable::PeriodTable(int rows, int columns)
    : m_rows(std::max(rows, 0)),
      m_columns(std::max(columns, 0)),
      m_cells(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns)) {}

std::string DayCaption(TimeValue day) {
    const LocalFields f = ToLocal(day);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d/%02d(", f.month, f.day);
    return digits + std::string(kWeekdays[f.weekday % 7]) + ")";
}

// ---- the ledger table ---------------------------------------------------------------------

MatterIndex LedgerTableShape::MatterOfColumn(int column) const {
    if (!IsMatterColumn(column)) return PeriodTable::kNoMatter;
    return columnMatters[static_cast<std::size_t>(column - 1)];
}

int LedgerTableShape::ColumnOfMatter(MatterIndex matter) const {
    const auto found = std::find(columnMatters.begin(), columnMatters.end(), matter);
    return found == columnMatters.end() ? 0 : static_cast<int>(found - columnMatters.begin()) + 1;
}

TimeValue LedgerTableShape::RowDate(TimeValue currentDate, int row) const {
    return AddDays(currentDate, row - LastDayRow());
}

int FitToHeightRowCount(int clientHeightPixels, int pixelsPerInchY, int rowHeightTwips) {
    const long long rowPixels = static_cast<long long>(pixelsPerInchY) * rowHeightTwips / 1440;
    if (rowPixels <= 0 || clientHeightPixels <= 0) return kMinimumRows;
    const long long rows = clientHeightPixels / rowPixels - 3;
    return static_cast<int>(std::max<long long>(rows, kMinimumRows));
}

LedgerTableShape MakeLedgerTableShape(const CTallymoDoc& doc, int fitRows) {
    LedgerTableShape shape;
    const int days = doc.DaysInView();
    shape.rows = std::max(days < 0 ? fitRows : days + 3, kMinimumRows);
    const int matters = doc.MatterCount();
    for (MatterIndex m = 0; m < matters; ++m) {
        if (doc.IsMatterVisible(m)) shape.columnMatters.push_back(m);
    }
    return shape;
}

PeriodTable BuildLedgerTable(const CTallymoDoc& doc, const LedgerTableShape& shape) {
    const int rows = std::max(shape.rows, kMinimumRows);
    const int columns = shape.Columns();
    const int balance = columns - 1;
    const int lastDay = rows - 2;
    const int total = rows - 1;
    const TimeValue today = doc.GetCurrentDate();

    PeriodTable table(rows, columns);
    table.columnMatters.assign(static_cast<std::size_t>(columns), PeriodTable::kNoMatter);
    std::copy(shape.columnMatters.begin(), shape.columnMatters.end(),
              table.columnMatters.begin() + 1);
    table.rowDates.resize(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        table.rowDates[static_cast<std::size_t>(r)] = AddDays(today, r - lastDay);
    const auto rowDate = [&](int r) { return table.rowDates[static_cast<std::size_t>(r)]; };

    table.At(0, 0).text = kLedgerDate;
    for (int c = 1; c < balance; ++c)
        table.At(0, c).text = MatterName(doc, table.columnMatters[static_cast<std::size_t>(c)]);
    table.At(0, balance).text = kLedgerBalance;

    table.At(1, 0).text = kLedgerCarry;
    SetBalance(table.At(1, balance), doc.BalanceThrough(rowDate(1)));

    for (int r = 2; r <= lastDay; ++r) {
        const TimeValue day = rowDate(r);
        table.At(r, 0).text = DayCaption(day);
        for (int c = 1; c < balance; ++c) {
            TableCell& cell = table.At(r, c);
            cell.text =
                SumText(doc.DayAmount(day, table.columnMatters[static_cast<std::size_t>(c)]));
            cell.kind = CellKind::Amount;
        }
        SetBalance(table.At(r, balance), doc.BalanceThrough(day));
    }

    table.At(total, 0).text = kLedgerTotal;
    for (int c = 1; c < balance; ++c) {
        const MatterIndex matter = table.columnMatters[static_cast<std::size_t>(c)];
        table.At(total, c).text =
            SumText(doc.PeriodSum(matter, rowDate(2), rowDate(lastDay), false));
    }
    SetBalance(table.At(total, balance), doc.BalanceThrough(rowDate(lastDay)));
    return table;
}

// ---- the printed month table ----------------------------------------------------------------

std::string PrintedTableTitle(TimeValue periodEnd) {
    const LocalFields f = ToLocal(periodEnd);
    char year[16];
    char month[8];
    std::snprintf(year, sizeof year, "%d", f.year);
    std::snprintf(month, sizeof month, "%02d", f.month);
    return year + std::string("年") + month + "月分 小遣い帳";
}

PeriodTable BuildPrintedMonthTable(const CTallymoDoc& doc) {
    const TimeValue first = doc.PeriodStart(0);
    const TimeValue last = doc.PeriodEnd(0);
    const TimeValue carryDay = doc.PeriodEnd(1);
    const int days = std::max(CalendarDaysBetween(first, last) + 1, 0);
    const int matters = doc.MatterCount();
    const int rows = days + 3;
    const int columns = matters + 2;
    const int balance = columns - 1;
    const int total = rows - 1;

    PeriodTable table(rows, columns);
    table.title = PrintedTableTitle(last);
    table.columnMatters.assign(static_cast<std::size_t>(columns), PeriodTable::kNoMatter);
    for (MatterIndex m = 0; m < matters; ++m)
        table.columnMatters[static_cast<std::size_t>(m) + 1] = m;
    table.rowDates.assign(static_cast<std::size_t>(rows), 0);
    table.rowDates[1] = carryDay;
    TimeValue day = first;
    for (int r = 2; r < total; ++r, day = NextDay(day))
        table.rowDates[static_cast<std::size_t>(r)] = day;
    table.rowDates[static_cast<std::size_t>(total)] = last;

    table.At(0, 0).text = kPrintedDate;
    for (MatterIndex m = 0; m < matters; ++m) table.At(0, m + 1).text = MatterName(doc, m);
    table.At(0, balance).text = kPrintedBalance;

    table.At(1, 0).text = kPrintedCarry;
    table.At(1, balance).text = PadFigure(FormatSignedYen(doc.BalanceThrough(carryDay)));

    for (int r = 2; r < total; ++r) {
        const TimeValue d = table.rowDates[static_cast<std::size_t>(r)];
        table.At(r, 0).text = DayCaption(d);
        for (MatterIndex m = 0; m < matters; ++m)
            table.At(r, m + 1).text = PadFigure(SumText(doc.DayAmount(d, m)));
        table.At(r, balance).text = PadFigure(FormatSignedYen(doc.BalanceThrough(d)));
    }

    table.At(total, 0).text = kPrintedTotal;
    for (MatterIndex m = 0; m < matters; ++m)
        table.At(total, m + 1).text = PadFigure(SumText(doc.PeriodSum(m, first, last, false)));
    table.At(total, balance).text = PadFigure(FormatSignedYen(doc.BalanceThrough(last)));

    // The header keeps black even for a matter named with '-'; any other cell is printed red
    // when its text holds a '-'. No byte of a multi-byte UTF-8 character is '-'.
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            TableCell& cell = table.At(r, c);
            cell.red = cell.text.find('-') != std::string::npos;
        }
    return table;
}

}  // namespace tallymo
