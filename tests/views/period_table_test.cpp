#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"
#include "views/PeriodTable.h"
#include "views/PrintColumnBands.h"

namespace tallymo {
namespace {

using test::Day;
using Texts = std::vector<std::string>;

// The texts of one row, in UTF-8; a trailing "!" marks a red cell.
Texts RowTexts(const PeriodTable& table, int row) {
    Texts texts;
    for (int c = 0; c < table.Columns(); ++c) {
        const TableCell& cell = table.At(row, c);
        texts.push_back(cell.text + (cell.red ? "!" : ""));
    }
    return texts;
}

// Income 給料 (0), 小遣い (1); outgo 食費 (2), 交通費 (3), 雑費 (4).
class PeriodTables : public ::testing::Test {
protected:
    PeriodTables() : doc(store) {
        test::ResetLedger(doc, {"給料", "小遣い"}, {"食費", "交通費", "雑費"});
    }
    void Book(TimeValue day, MatterIndex matter, std::int32_t amount) {
        doc.BookEntry(day, matter, amount, {}, false);
    }
    MemorySettingsStore store;
    CTallymoDoc doc;
};

// The ledger's window of days ends on the current date, with a carry-forward row before and
// the next day after; its length follows the view.
TEST_F(PeriodTables, WindowOfDaysEndsOnTheCurrentDate) {
    const struct {
        std::int32_t showType;
        TimeValue current;
        int fitRows, rows;
        TimeValue firstDay;
    } cases[] = {
        {0, Day(2005, 3, 15), 4, 31, Day(2005, 2, 16)},
        {1, Day(2005, 1, 10), 4, 10, Day(2005, 1, 4)},
        {7, Day(2005, 1, 10), 30, 10, Day(2005, 1, 4)},  // an unknown view is a week
        {2, Day(2005, 1, 10), 2, 4, Day(2005, 1, 10)},   // fit to height, too low
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.showType << " " << FormatTime(c.current, "%F"));
        doc.Settings().ShowType = c.showType;
        doc.SetCurrentDate(c.current);
        const PeriodTable table = BuildLedgerTable(doc, MakeLedgerTableShape(doc, c.fitRows));
        ASSERT_EQ(table.Rows(), c.rows);
        ASSERT_EQ(static_cast<int>(table.rowDates.size()), c.rows);
        EXPECT_EQ(table.rowDates[2], c.firstDay);
        EXPECT_EQ(table.rowDates.back(), NextDay(c.current));
        EXPECT_EQ(table.At(c.rows - 2, 0).text, DayCaption(c.current));
    }
}

TEST_F(PeriodTables, WeekTableCellsColoursAndColumns) {
    doc.Settings().ShowType = 1;
    doc.SetCurrentDate(Day(2005, 1, 10));  // window 4 .. 10 January, carry-forward day 3 January
    doc.GetMatter(3)->SetVisible(false);   // 交通費: no column, still in every balance
    Book(Day(2004, 12, 25), 0, 200000);
    Book(Day(2005, 1, 3), 2, 1500);  // on the carry-forward day: balance only, no total
    Book(Day(2005, 1, 4), 2, 500);
    Book(Day(2005, 1, 4), 2, 300);
    Book(Day(2005, 1, 6), 3, 1000);
    Book(Day(2005, 1, 10), 4, 1234567);
    Book(Day(2005, 1, 11), 1, 999);  // after the window: nowhere
    // A negative sum (only from a file) keeps its sign, in black, and raises the balance.
    ASSERT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 5), 2, -500, {}}));

    const LedgerTableShape shape = MakeLedgerTableShape(doc);
    EXPECT_EQ(shape.ColumnOfMatter(4), 4);
    EXPECT_EQ(shape.ColumnOfMatter(3), 0);  // hidden
    const PeriodTable t = BuildLedgerTable(doc, shape);
    EXPECT_EQ(t.columnMatters, (std::vector<MatterIndex>{PeriodTable::kNoMatter, 0, 1, 2, 4,
                                                         PeriodTable::kNoMatter}));
    const std::vector<Texts> expected = {
        {"記帳日", "給料", "小遣い", "食費", "雑費", "小　計"},
        {"繰　越", "", "", "", "", "198,500"},
        {"01/04(火)", "0", "0", "800", "0", "197,700"},
        {"01/05(水)", "0", "0", "-500", "0", "198,200"},
        {"01/06(木)", "0", "0", "0", "0", "197,200"},
        {"01/07(金)", "0", "0", "0", "0", "197,200"},
        {"01/08(土)", "0", "0", "0", "0", "197,200"},
        {"01/09(日)", "0", "0", "0", "0", "197,200"},
        {"01/10(月)", "0", "0", "0", "1,234,567", "-1,037,367!"},
        {"合　計", "0", "0", "300", "1,234,567", "-1,037,367!"},
    };
    ASSERT_EQ(t.Rows(), 10);
    for (int r = 0; r < t.Rows(); ++r) {
        EXPECT_EQ(RowTexts(t, r), expected[static_cast<std::size_t>(r)]) << r;
    }
    // Only the days' matter cells take an amount.
    EXPECT_EQ(t.At(8, 4).kind, CellKind::Amount);
    for (const auto& [r, c] : {std::pair{1, 1}, {9, 1}, {2, 5}}) {
        EXPECT_EQ(t.At(r, c).kind, CellKind::Fixed) << r << " " << c;
    }
}

TEST(FitToHeight, RowsFromTheGridHeight) {
    EXPECT_EQ(FitToHeightRowCount(600, 96, 250), 34);  // rows of 16 pixels: 37 fit
    EXPECT_EQ(FitToHeightRowCount(600, 5, 250), 4);    // a row of 0 pixels
}

// The printed month table covers the accounting period of the current date, every matter
// (hidden ones too), amounts padded to a fixed width, red only for negative figures.
TEST_F(PeriodTables, PrintedTableCoversTheAccountingPeriod) {
    doc.Settings().CloseDay = 25;
    doc.SetCurrentDate(Day(2005, 5, 10));  // 26 April .. 25 May
    doc.GetMatter(3)->SetVisible(false);   // printed all the same
    Book(Day(2005, 4, 1), 0, 1000);
    Book(Day(2005, 4, 25), 3, 1000);  // carry-forward day: balance 0, printed black
    Book(Day(2005, 4, 26), 2, 1750);
    Book(Day(2005, 5, 25), 4, 2000000000);
    Book(Day(2005, 5, 26), 2, 77);  // next period
    ASSERT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 5, 1), 1, -300, {}}));
    const PeriodTable t = BuildPrintedMonthTable(doc);
    const std::string zero = "            0";
    const std::pair<int, Texts> rows[] = {
        {0, {"日付", "給料", "小遣い", "食費", "交通費", "雑費", "小計"}},
        {1, {"繰越", "", "", "", "", "", zero}},
        {7, {"05/01(日)", zero, "         -300!", zero, zero, zero, "       -2,050!"}},
        {32,
         {"合計", zero, "         -300!", "        1,750", zero, "2,000,000,000",
          "-2,000,002,050!"}},
    };
    ASSERT_EQ(t.Rows(), 33);
    EXPECT_EQ(t.title, "2005年05月分 小遣い帳");
    for (const auto& [row, texts] : rows) EXPECT_EQ(RowTexts(t, row), texts) << row;
}

struct BandCase {
    std::vector<int> widths;
    int pageWidth;
    std::vector<int> ends;  // ColumnsUpTo(1), ColumnsUpTo(2), ...
};

// Each page takes as many whole columns as fit and at least one; a page never could have taken
// the next column.
TEST(PrintColumnBands, WholeColumnsPerPageAndAtLeastOne) {
    const BandCase cases[] = {
        {{9, 13, 13, 13}, 48, {4}},                // exactly the page width
        {{9, 13, 13, 13, 13, 13}, 30, {2, 4, 6}},  // later pages start at the left edge
        {{9, 13, 13}, 10, {1, 2, 3}},              // columns wider than the page: one each
    };
    for (const BandCase& c : cases) {
        const PrintColumnBands bands(c.widths, c.pageWidth);
        ASSERT_EQ(bands.PageCount(), static_cast<int>(c.ends.size())) << c.pageWidth;
        for (int p = 1; p <= bands.PageCount(); ++p) {
            EXPECT_EQ(bands.ColumnsUpTo(p), c.ends[p - 1]) << c.pageWidth << " page " << p;
        }
    }
}

}  // namespace
}  // namespace tallymo
