#pragma once
// The ledger as a table of days against matters, as plain data: the on-screen ledger table (a
// window of days ending on the current date) and the printed month table (the accounting period
// that holds the current date). The grid, the printer and the command line render these cells;
// none of them works the figures out again.
//
// Every text is UTF-8, ready to be shown: the matter names, which the ledger keeps as CP932,
// are converted when the table is built.

#include <cstdint>
#include <string>
#include <vector>

#include "doc/Matter.h"
#include "doc/TimeValue.h"
#include "views/CellColor.h"

namespace tallymo {

class CTallymoDoc;

enum class CellKind : std::uint8_t {
    Fixed = 0,   // caption, balance, total or header: not editable
    Amount = 1,  // a day's amount of one matter: edited in place
};

struct TableCell {
    std::string text;
    bool red = false;
    CellKind kind = CellKind::Fixed;

    std::uint32_t Color() const { return red ? kRed : kBlack; }
};

// A rectangular array of cells, row-major, with the day and the matter each row and column
// stands for.
class PeriodTable {
public:
    PeriodTable() = default;
    PeriodTable(int rows, int columns);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    const TableCell& At(int row, int column) const { return m_cells[Offset(row, column)]; }
    TableCell& At(int row, int column) { return m_cells[Offset(row, column)]; }

    // The day of each row (see the builders for the rows that are not days).
    std::vector<TimeValue> rowDates;
    // The matter of each column; kNoMatter for the caption and balance columns.
    std::vector<MatterIndex> columnMatters;
    // Title of a printed table; empty for the ledger table.
    std::string title;

    static constexpr MatterIndex kNoMatter = -1;

private:
    std::size_t Offset(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(column);
    }
    int m_rows = 0;
    int m_columns = 0;
    std::vector<TableCell> m_cells;
};

// "%m/%d(曜)" of a day, weekday names Sunday first: 日 月 火 水 木 金 土.
std::string DayCaption(TimeValue day);

// ---- the ledger table ---------------------------------------------------------------------
//
// Rows: 0 header, 1 carry-forward, 2 .. R-2 one row per day ending on the current date, R-1
// total. Columns: 0 captions, 1 .. V the visible matters (income first, each list in its own
// order), V+1 = K-1 the running balance.

// The shape fixed when the grid is set up: kept while the current date moves, so that the rows
// do not change under the cursor until the next set-up.
struct LedgerTableShape {
    int rows = 4;                            // R: never fewer than one day row
    std::vector<MatterIndex> columnMatters;  // column j (1..V) shows columnMatters[j - 1]

    int Columns() const { return static_cast<int>(columnMatters.size()) + 2; }  // K
    int FirstDayRow() const { return 2; }
    int LastDayRow() const { return rows - 2; }
    int TotalRow() const { return rows - 1; }
    int BalanceColumn() const { return Columns() - 1; }
    bool IsDayRow(int row) const { return row >= 2 && row <= rows - 2; }
    bool IsMatterColumn(int column) const { return column >= 1 && column <= Columns() - 2; }
    // kNoMatter outside the matter columns.
    MatterIndex MatterOfColumn(int column) const;
    // 0 when the matter has no column (hidden, or not a matter).
    int ColumnOfMatter(MatterIndex matter) const;
    // The day row r stands for: the current date on row R-2, one calendar day earlier per row
    // above it. Row 1 is the carry-forward day, row R-1 the day after the current date.
    TimeValue RowDate(TimeValue currentDate, int row) const;
};

// Rows of the fit-to-height view: as many grid rows of `rowHeightTwips` as fit into
// `clientHeightPixels` at `pixelsPerInchY`, less three, and never fewer than four.
int FitToHeightRowCount(int clientHeightPixels, int pixelsPerInchY, int rowHeightTwips);

// The shape for the document's view mode and visible matters. `fitRows` is used by the
// fit-to-height view only (see FitToHeightRowCount).
LedgerTableShape MakeLedgerTableShape(const CTallymoDoc& doc, int fitRows = 4);

// Every cell of the ledger table for the document's current date, in the given shape.
// rowDates holds RowDate of every row; columnMatters the matter of every column.
PeriodTable BuildLedgerTable(const CTallymoDoc& doc, const LedgerTableShape& shape);

// ---- the printed month table ----------------------------------------------------------------
//
// The accounting period that holds the current date, by the close day. Rows: 0 header,
// 1 carry-forward, one per day of the period, then the total. Columns: 0 captions, one per
// matter of the whole list (hidden ones included, in index order), then the balance. Figures
// are right-aligned in 13 characters. rowDates: 0 for the header, the day before the period
// for the carry-forward, each day, and the period's last day for the total.
PeriodTable BuildPrintedMonthTable(const CTallymoDoc& doc);

// "%Y年%m月分 小遣い帳" of the period's last day.
std::string PrintedTableTitle(TimeValue periodEnd);

}  // namespace tallymo
