#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "doc/YenFormat.h"
#include "support/LedgerBuilder.h"
#include "views/PeriodTable.h"

namespace tallymo {
namespace {

using test::Day;

std::string U(const TableCell& cell) {
    return cell.text;
}

// Income 給料 (0), 小遣い (1); outgo 食費 (2), 交通費 (3), 雑費 (4).
class PeriodTables : public ::testing::Test {
protected:
    PeriodTables() : clock(MakeLocalTime(2005, 3, 15, 12, 0, 0)), doc(store, clock) {
        test::ResetLedger(doc, {"給料", "小遣い"}, {"食費", "交通費", "雑費"});
    }
    void Book(TimeValue day, MatterIndex matter, std::int32_t amount) {
        doc.BookEntry(day, matter, amount, {}, false);
    }
    void Hide(MatterIndex matter) { doc.GetMatter(matter)->SetVisible(false); }
    PeriodTable LedgerTable(int fitRows = 4) {
        return BuildLedgerTable(doc, MakeLedgerTableShape(doc, fitRows));
    }

    MemorySettingsStore store;
    FixedClock clock;
    CTallymoDoc doc;
};

TEST_F(PeriodTables, WindowOfDaysEndsOnTheCurrentDate) {
    const struct {
        const char* name;
        std::int32_t showType;
        TimeValue current;
        int fitRows;
        int rows;
        TimeValue firstDay;
    } cases[] = {
        {"month, mid-March", 0, Day(2005, 3, 15), 4, 31, Day(2005, 2, 16)},
        {"month, 31 March", 0, Day(2005, 3, 31), 4, 31, Day(2005, 3, 4)},
        {"month, 31 May", 0, Day(2005, 5, 31), 4, 33, Day(2005, 5, 2)},
        {"month, leap February", 0, Day(2008, 3, 15), 4, 32, Day(2008, 2, 16)},
        {"month, across the year", 0, Day(2005, 1, 10), 4, 34, Day(2004, 12, 11)},
        {"week", 1, Day(2005, 1, 10), 4, 10, Day(2005, 1, 4)},
        {"unknown mode is a week", 7, Day(2005, 1, 10), 30, 10, Day(2005, 1, 4)},
        {"fit to height", 2, Day(2005, 1, 10), 12, 12, Day(2005, 1, 2)},
        {"fit to height, too low", 2, Day(2005, 1, 10), 2, 4, Day(2005, 1, 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.Settings().ShowType = c.showType;
        doc.SetCurrentDate(c.current);
        const PeriodTable table = LedgerTable(c.fitRows);
        ASSERT_EQ(table.Rows(), c.rows);
        ASSERT_EQ(static_cast<int>(table.rowDates.size()), c.rows);
        EXPECT_EQ(table.rowDates[2], c.firstDay);
        EXPECT_EQ(table.rowDates[static_cast<std::size_t>(c.rows - 2)], c.current);
        EXPECT_EQ(table.rowDates[static_cast<std::size_t>(c.rows - 1)], NextDay(c.current));
        EXPECT_EQ(table.rowDates[1], PreviousDay(c.firstDay));
        for (int r = 1; r < c.rows; ++r) {
            EXPECT_EQ(table.rowDates[static_cast<std::size_t>(r)],
                      NextDay(table.rowDates[static_cast<std::size_t>(r - 1)]));
        }
        EXPECT_EQ(table.At(c.rows - 2, 0).text, DayCaption(c.current));
    }
}

TEST_F(PeriodTables, WeekTableCellsTextsColoursAndKinds) {
    doc.Settings().ShowType = 1;
    doc.SetCurrentDate(Day(2005, 1, 10));  // window 4 .. 10 January, carry-forward day 3 January
    Hide(3);                               // 交通費: no column, still in every balance
    Book(Day(2004, 12, 25), 0, 200000);
    Book(Day(2005, 1, 3), 2, 1500);  // on the carry-forward day: balance only, no total
    Book(Day(2005, 1, 4), 2, 500);
    Book(Day(2005, 1, 4), 2, 300);  // same day and matter, added: 800
    Book(Day(2005, 1, 6), 3, 1000);
    Book(Day(2005, 1, 10), 4, 1234567);
    Book(Day(2005, 1, 11), 1, 999);  // after the window: nowhere
    // A negative sum (only from a file) keeps its sign, in black, and raises the balance.
    ASSERT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 5), 2, -500, {}}));

    const PeriodTable t = LedgerTable();
    ASSERT_EQ(t.Rows(), 10);
    ASSERT_EQ(t.Columns(), 6);  // captions, 給料, 小遣い, 食費, 雑費, balance
    const std::vector<MatterIndex> matters = {PeriodTable::kNoMatter, 0, 1, 2, 4,
                                              PeriodTable::kNoMatter};
    EXPECT_EQ(t.columnMatters, matters);

    const std::vector<std::vector<std::string>> expected = {
        {"記帳日", "給料", "小遣い", "食費", "雑費", "小　計"},
        {"繰　越", "", "", "", "", "198,500"},
        {"01/04(火)", "0", "0", "800", "0", "197,700"},
        {"01/05(水)", "0", "0", "-500", "0", "198,200"},
        {"01/06(木)", "0", "0", "0", "0", "197,200"},
        {"01/07(金)", "0", "0", "0", "0", "197,200"},
        {"01/08(土)", "0", "0", "0", "0", "197,200"},
        {"01/09(日)", "0", "0", "0", "0", "197,200"},
        {"01/10(月)", "0", "0", "0", "1,234,567", "-1,037,367"},
        {"合　計", "0", "0", "300", "1,234,567", "-1,037,367"},
    };
    for (int r = 0; r < t.Rows(); ++r) {
        for (int c = 0; c < t.Columns(); ++c) {
            SCOPED_TRACE(testing::Message() << "row " << r << ", column " << c);
            const TableCell& cell = t.At(r, c);
            EXPECT_EQ(U(cell), expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
            const bool amountCell = r >= 2 && r <= 8 && c >= 1 && c <= 4;
            EXPECT_EQ(cell.kind, amountCell ? CellKind::Amount : CellKind::Fixed);
            const bool negativeBalance = c == 5 && (r == 8 || r == 9);
            EXPECT_EQ(cell.red, negativeBalance);
            EXPECT_EQ(cell.Color(), negativeBalance ? 0x0000FFu : 0u);
        }
    }
}

TEST_F(PeriodTables, WithoutVisibleMattersOnlyCaptionsAndBalanceRemain) {
    for (MatterIndex m = 0; m < doc.MatterCount(); ++m) Hide(m);
    doc.Settings().ShowType = 1;
    doc.SetCurrentDate(Day(2005, 1, 10));
    Book(Day(2005, 1, 5), 4, 700);
    const LedgerTableShape shape = MakeLedgerTableShape(doc);
    EXPECT_EQ(shape.Columns(), 2);
    EXPECT_EQ(shape.BalanceColumn(), 1);
    EXPECT_FALSE(shape.IsMatterColumn(1));
    const PeriodTable t = BuildLedgerTable(doc, shape);
    ASSERT_EQ(t.Columns(), 2);
    EXPECT_EQ(U(t.At(0, 0)), "記帳日");
    EXPECT_EQ(U(t.At(0, 1)), "小　計");
    EXPECT_EQ(U(t.At(8, 1)), "-700");
    EXPECT_TRUE(t.At(8, 1).red);
    for (int r = 0; r < t.Rows(); ++r) EXPECT_EQ(t.At(r, 1).kind, CellKind::Fixed);
}

TEST_F(PeriodTables, ColumnsMapToVisibleMattersIncomeFirst) {
    Hide(1);
    Hide(3);
    const LedgerTableShape shape = MakeLedgerTableShape(doc);
    EXPECT_EQ(shape.columnMatters, (std::vector<MatterIndex>{0, 2, 4}));
    EXPECT_EQ(shape.Columns(), 5);
    const MatterIndex byColumn[] = {PeriodTable::kNoMatter, 0, 2, 4, PeriodTable::kNoMatter};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(shape.MatterOfColumn(c), byColumn[c]) << c;
    // The same mapping the booking pane uses for list positions.
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(shape.MatterOfColumn(c), doc.VisibleMatterIndex(c - 1));
    EXPECT_EQ(shape.ColumnOfMatter(4), 3);
    EXPECT_EQ(shape.ColumnOfMatter(3), 0);  // hidden
    EXPECT_EQ(shape.ColumnOfMatter(9), 0);  // no such matter
}

TEST_F(PeriodTables, ShapeStaysWhileTheCurrentDateMoves) {
    doc.SetCurrentDate(Day(2005, 3, 15));
    const LedgerTableShape shape = MakeLedgerTableShape(doc);
    ASSERT_EQ(shape.rows, 31);
    doc.SetCurrentDate(Day(2005, 4, 15));  // a fresh shape would have 34 rows
    EXPECT_EQ(MakeLedgerTableShape(doc).rows, 34);
    const PeriodTable t = BuildLedgerTable(doc, shape);
    EXPECT_EQ(t.Rows(), 31);
    EXPECT_EQ(t.rowDates[29], Day(2005, 4, 15));
    EXPECT_EQ(t.rowDates[2], Day(2005, 3, 19));
    EXPECT_EQ(shape.RowDate(doc.GetCurrentDate(), 2), Day(2005, 3, 19));
    EXPECT_EQ(shape.RowDate(doc.GetCurrentDate(), 0), Day(2005, 3, 17));
    EXPECT_EQ(shape.RowDate(doc.GetCurrentDate(), 30), Day(2005, 4, 16));
}

TEST(FitToHeight, RowsFromTheGridHeight) {
    struct Case {
        int height, dpi, twips, rows;
    };
    for (const Case& c : {Case{600, 96, 250, 34},  // rows of 16 pixels: 37 fit
                          Case{615, 96, 250, 35}, Case{100, 96, 250, 4}, Case{0, 96, 250, 4},
                          Case{-5, 96, 250, 4}, Case{10, 96, 15, 7},  // rows of 1 pixel
                          Case{600, 5, 250, 4},                       // a row of 0 pixels
                          Case{1000, 120, 300, 37}}) {
        EXPECT_EQ(FitToHeightRowCount(c.height, c.dpi, c.twips), c.rows)
            << c.height << " " << c.dpi << " " << c.twips;
    }
}

// ---- the printed month table ----------------------------------------------------------------

TEST_F(PeriodTables, PrintedTableCoversTheAccountingPeriod) {
    const struct {
        const char* name;
        std::uint16_t closeDay;
        TimeValue current;
        TimeValue first, last;
        const char* title;
    } cases[] = {
        {"close day 25, 10 May", 25, Day(2005, 5, 10), Day(2005, 4, 26), Day(2005, 5, 25),
         "2005年05月分 小遣い帳"},
        {"close day 25, on the close day", 25, Day(2005, 5, 25), Day(2005, 4, 26), Day(2005, 5, 25),
         "2005年05月分 小遣い帳"},
        {"close day 25, after it", 25, Day(2005, 5, 26), Day(2005, 5, 26), Day(2005, 6, 25),
         "2005年06月分 小遣い帳"},
        {"month end, leap February", 0, Day(2008, 2, 10), Day(2008, 2, 1), Day(2008, 2, 29),
         "2008年02月分 小遣い帳"},
        {"close day 10, December into January", 10, Day(2005, 12, 20), Day(2005, 12, 11),
         Day(2006, 1, 10), "2006年01月分 小遣い帳"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.Settings().CloseDay = c.closeDay;
        doc.SetCurrentDate(c.current);
        const PeriodTable t = BuildPrintedMonthTable(doc);
        const int days = CalendarDaysBetween(c.first, c.last) + 1;
        ASSERT_EQ(t.Rows(), days + 3);
        EXPECT_EQ(t.title, c.title);
        EXPECT_EQ(t.rowDates[1], PreviousDay(c.first));
        EXPECT_EQ(t.rowDates[2], c.first);
        EXPECT_EQ(t.rowDates[static_cast<std::size_t>(days + 1)], c.last);
        EXPECT_EQ(t.At(2, 0).text, DayCaption(c.first));
        EXPECT_EQ(t.At(days + 1, 0).text, DayCaption(c.last));
    }
}

TEST_F(PeriodTables, PrintedTableCellsAndRedRule) {
    doc.Settings().CloseDay = 25;
    doc.SetCurrentDate(Day(2005, 5, 10));  // 26 April .. 25 May
    doc.GetMatter(4)->SetName(*Utf8ToCp932("予備-1"));
    Hide(3);  // printed all the same
    Book(Day(2005, 4, 1), 0, 1000);
    Book(Day(2005, 4, 25), 3, 1000);  // carry-forward day: balance 0, printed black
    Book(Day(2005, 4, 26), 2, 1500);
    Book(Day(2005, 4, 26), 2, 250);
    Book(Day(2005, 5, 25), 4, 2000000000);
    Book(Day(2005, 5, 26), 2, 77);  // next period
    ASSERT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 5, 1), 1, -300, {}}));

    const PeriodTable t = BuildPrintedMonthTable(doc);
    ASSERT_EQ(t.Columns(), 7);
    ASSERT_EQ(t.Rows(), 33);
    const std::vector<MatterIndex> matters = {PeriodTable::kNoMatter, 0, 1, 2, 3, 4,
                                              PeriodTable::kNoMatter};
    EXPECT_EQ(t.columnMatters, matters);

    struct Expected {
        int row;
        std::vector<std::string> texts;
        std::vector<bool> red;
    };
    const std::string zero = "            0";
    const Expected rows[] = {
        {0, {"日付", "給料", "小遣い", "食費", "交通費", "予備-1", "小計"}, {0, 0, 0, 0, 0, 0, 0}},
        {1, {"繰越", "", "", "", "", "", zero}, {0, 0, 0, 0, 0, 0, 0}},
        {2,
         {"04/26(火)", zero, zero, "        1,750", zero, zero, "       -1,750"},
         {0, 0, 0, 0, 0, 0, 1}},
        {7,
         {"05/01(日)", zero, "         -300", zero, zero, zero, "       -2,050"},
         {0, 0, 1, 0, 0, 0, 1}},
        {31,
         {"05/25(水)", zero, zero, zero, zero, "2,000,000,000", "-2,000,002,050"},
         {0, 0, 0, 0, 0, 0, 1}},
        {32,
         {"合計", zero, "         -300", "        1,750", zero, "2,000,000,000", "-2,000,002,050"},
         {0, 0, 1, 0, 0, 0, 1}},
    };
    for (const Expected& e : rows) {
        for (int c = 0; c < t.Columns(); ++c) {
            SCOPED_TRACE(testing::Message() << "row " << e.row << ", column " << c);
            EXPECT_EQ(U(t.At(e.row, c)), e.texts[static_cast<std::size_t>(c)]);
            EXPECT_EQ(t.At(e.row, c).red, e.red[static_cast<std::size_t>(c)]);
            EXPECT_EQ(t.At(e.row, c).kind, CellKind::Fixed);
        }
    }
}

}  // namespace
}  // namespace tallymo
