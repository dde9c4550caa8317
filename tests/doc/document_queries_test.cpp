#include <gtest/gtest.h>

#include <functional>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo {
namespace {

using test::Day;

// A ledger with income 収入, 賞与 and outgo 食費, 交通費, 雑費 (indexes 0..4), the clock at
// noon of 15 January 2005. (tests/doc/index_equivalence_test.cpp checks every query against
// a plain walk; these cases pin the rules themselves.)
class DocumentQueries : public ::testing::Test {
protected:
    DocumentQueries() : clock(MakeLocalTime(2005, 1, 15, 12, 0, 0)), doc(store, clock) {
        test::ResetLedger(doc, {"収入", "賞与"}, {"食費", "交通費", "雑費"});
        doc.SetCurrentDate(Day(2005, 1, 15));
        doc.SetModifiedFlag(false);
    }
    void Book(TimeValue date, MatterIndex matter, std::int32_t amount, bool overwrite = false) {
        doc.BookEntry(date, matter, amount, {}, overwrite);
    }
    // The running period is March 2005, the clock at 11 March 00:00: ten days of 31 gone.
    std::int32_t MarchProjected(MatterIndex matter) {
        doc.SetCurrentDate(Day(2005, 3, 11));
        clock.Set(MakeLocalTime(2005, 3, 11, 0, 0, 0));
        return doc.PeriodSum(matter, Day(2005, 3, 1), Day(2005, 3, 31), true);
    }
    std::vector<std::int32_t> Amounts() const {
        std::vector<std::int32_t> amounts;
        for (const LedgerEntry& e : doc.Entries()) amounts.push_back(e.amount);
        return amounts;
    }

    MemorySettingsStore store;
    FixedClock clock;
    CTallymoDoc doc;
};

TEST_F(DocumentQueries, BookingAddsOverwritesAndClearsCells) {
    int refreshes = 0;
    doc.AddRefreshListener([&] { ++refreshes; });
    const TimeValue day = Day(2005, 1, 10);
    Book(day, 2, 500);
    Book(day, 2, 300);
    EXPECT_EQ(doc.DayAmount(day, 2), 800);
    EXPECT_TRUE(doc.IsModified());
    Book(day, 2, 1000, true);
    EXPECT_EQ(Amounts(), std::vector<std::int32_t>{1000});

    // Overwrite with 0 empties the cell and marks the ledger modified ...
    doc.SetModifiedFlag(false);
    Book(day, 2, 0, true);
    EXPECT_TRUE(doc.Entries().empty());
    EXPECT_TRUE(doc.IsModified());
    // ... but on an empty cell, and 0 without overwrite, change nothing except the refresh.
    doc.SetModifiedFlag(false);
    Book(day, 2, 0, true);
    Book(day, 3, 0, false);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(refreshes, 6);

    // A negative amount is booked like any other; a matter outside the lists books nothing.
    Book(day, 3, -200);
    Book(day, 5, 100);
    Book(day, -1, 100);
    EXPECT_EQ(Amounts(), std::vector<std::int32_t>{-200});
}

TEST_F(DocumentQueries, BalancesCountHiddenMattersAndWrapAt32Bits) {
    EXPECT_EQ(doc.FirstDate(), 0);  // an empty ledger has no dates
    EXPECT_EQ(doc.LastDate(), 0);
    Book(Day(2005, 1, 1), 0, 10000);
    Book(Day(2005, 1, 2), 2, 2000);
    Book(Day(2005, 1, 5), 4, 500);
    Book(Day(2005, 1, 6), 3, 9000);
    doc.ModifyMatter(4, doc.GetMatter(4)->Name(), false);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 5)), 7500);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 6)), -1500);
    EXPECT_EQ(doc.OutgoTotal(Day(2005, 1, 1), Day(2005, 1, 6)), 11500);

    Book(Day(2005, 2, 1), 0, INT32_MAX);
    Book(Day(2005, 2, 1), 0, 2);
    EXPECT_EQ(doc.DayAmount(Day(2005, 2, 1), 0), INT32_MIN + 1);
    Book(Day(2005, 2, 2), 2, INT32_MIN);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 2, 2)), -1499);  // 2,147,482,149 + 2^31, wrapped
}

TEST_F(DocumentQueries, ListCountsAndVisibleIndexes) {
    EXPECT_EQ(doc.MatterCount(), 5);
    EXPECT_EQ(doc.ListCount(false, 2), 2);
    EXPECT_EQ(doc.ListCount(true, 5), 2);
    doc.ModifyMatter(0, doc.GetMatter(0)->Name(), false);
    EXPECT_EQ(doc.VisibleMatterCount(), 4);
    EXPECT_EQ(doc.VisibleListCount(true), 1);
    EXPECT_EQ(doc.VisibleMatterIndex(0), 1);
    EXPECT_EQ(doc.VisibleMatterIndex(9), 4);
    EXPECT_EQ(doc.GetMatter(5), nullptr);
    test::ResetLedger(doc, {}, {});
    EXPECT_EQ(doc.VisibleMatterIndex(0), -1);
}

TEST_F(DocumentQueries, PeriodEndsFollowTheCloseDay) {
    const struct {
        TimeValue current;
        std::uint16_t closeDay;
        int k;
        TimeValue start, end;  // start 0: not checked
    } cases[] = {
        {Day(2005, 1, 15), 0, 0, Day(2005, 1, 1), Day(2005, 1, 31)},
        {Day(2005, 1, 15), 0, 1, 0, Day(2004, 12, 31)},
        {Day(2005, 1, 15), 0, 25, 0, Day(2002, 12, 31)},
        {Day(2005, 3, 26), 25, 0, 0, Day(2005, 4, 25)},
        {Day(2005, 12, 26), 25, 0, 0, Day(2006, 1, 25)},
        {Day(2005, 5, 10), 25, 0, Day(2005, 4, 26), Day(2005, 5, 25)},
        {Day(2005, 5, 10), 25, 1, 0, Day(2005, 4, 25)},
        {Day(2005, 5, 26), 25, 0, Day(2005, 5, 26), Day(2005, 6, 25)},
        {Day(2008, 2, 29), 0, 0, 0, Day(2008, 2, 29)},
        {Day(2008, 3, 10), 0, 1, 0, Day(2008, 2, 29)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << FormatTime(c.current, "%F") << " close " << c.closeDay << " k " << c.k);
        doc.Settings().CloseDay = c.closeDay;
        doc.SetCurrentDate(c.current);
        EXPECT_EQ(doc.PeriodEnd(c.k), c.end);
        if (c.start) {
            EXPECT_EQ(doc.PeriodStart(c.k), c.start);
        }
    }
}

TEST_F(DocumentQueries, PreviousMonthAndDaysInView) {
    EXPECT_EQ(doc.PreviousMonth(Day(2005, 3, 31)), Day(2005, 3, 3));
    EXPECT_EQ(doc.PreviousMonth(0), Day(2004, 12, 15));  // 0: the current date
    EXPECT_EQ(doc.PreviousMonth(MakeLocalTime(2005, 1, 15, 8, 30, 0)),
              MakeLocalTime(2004, 12, 15, 8, 30, 0));
    const struct {
        std::int32_t showType;
        TimeValue current;
        int days;
    } cases[] = {{0, Day(2005, 3, 15), 28}, {0, Day(2005, 3, 31), 28}, {0, Day(2005, 5, 15), 30},
                 {1, Day(2005, 5, 15), 7},  {2, Day(2005, 5, 15), -1}, {9, Day(2005, 5, 15), 7}};
    for (const auto& c : cases) {
        doc.Settings().ShowType = c.showType;
        doc.SetCurrentDate(c.current);
        EXPECT_EQ(doc.DaysInView(), c.days) << c.showType << " " << FormatTime(c.current, "%F");
    }
}

TEST_F(DocumentQueries, ProjectionScalesTheRunningPeriod) {
    Book(Day(2005, 3, 2), 2, 600);
    Book(Day(2005, 3, 5), 2, 400);
    EXPECT_EQ(MarchProjected(2), 3099);  // 1,000 x (31 days - 1 s) / 10 days
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), false), 1000);
    // The wall clock's time of day counts, on the current date's day.
    clock.Set(MakeLocalTime(2006, 7, 1, 12, 0, 0));
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), true),
              static_cast<std::int32_t>(1000.0 * (2678399.0 / (10.5 * 86400))));
    // Nothing elapsed yet, or a current date before the span: the booked sum stands.
    clock.Set(Day(2005, 3, 1));
    doc.SetCurrentDate(Day(2005, 3, 1));
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), true), 1000);
    doc.SetCurrentDate(Day(2005, 2, 20));
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), true), 1000);

    // A fixed monthly amount (one entry now, one a month before) is not projected.
    Book(Day(2005, 2, 25), 3, 3000);
    Book(Day(2005, 3, 25), 3, 3000);
    EXPECT_EQ(MarchProjected(3), 3000);
    Book(Day(2005, 3, 26), 3, 1000);  // twice this month: projected
    EXPECT_GT(MarchProjected(3), 4000);
}

// Read as unsigned, a negative sum would project to a huge positive one.
TEST_F(DocumentQueries, ProjectionOfANegativeSumStaysNegative) {
    Book(Day(2005, 3, 2), 2, -100);
    Book(Day(2005, 3, 3), 2, -100);
    EXPECT_EQ(MarchProjected(2), -619);
    // A projection beyond the amount range holds at its end instead of wrapping.
    Book(Day(2005, 3, 4), 2, 1500000000);
    EXPECT_EQ(MarchProjected(2), INT32_MAX);
}

// The document marks itself modified for every change it makes, and only then; no window
// has to remember to do it.
TEST_F(DocumentQueries, EveryChangeMarksTheLedgerAndNoChangeDoesNot) {
    Book(Day(2005, 1, 3), 2, 100);
    const struct {
        const char* name;
        std::function<void()> change;
        bool marks;
    } cases[] = {
        {"projection unchanged", [&] { doc.SetShowProjection(false); }, false},
        {"projection", [&] { doc.SetShowProjection(true); }, true},
        {"week view", [&] { doc.SetShowType(ShowTypeKind::Week); }, true},
        {"width unchanged", [&] { doc.SetMatterCellWidth(2, 900); }, false},
        {"column width", [&] { doc.SetMatterCellWidth(2, 1500); }, true},
        {"no such matter", [&] { doc.SetMatterCellWidth(9, 1500); }, false},
        {"settings",
         [&] {
             LedgerSettings settings = doc.Settings();
             settings.CloseDay = 25;
             doc.SetSettings(settings);
         },
         true},
        {"undo", [&] { doc.Undo(); }, true},
        {"nothing to undo", [&] { doc.Undo(); }, false},
        {"redo", [&] { doc.Redo(); }, true},
        {"nothing to redo", [&] { doc.Redo(); }, false},
        {"clearing an empty cell", [&] { Book(Day(2005, 1, 9), 2, 0, true); }, false},
    };
    for (const auto& c : cases) {
        doc.SetModifiedFlag(false);
        c.change();
        EXPECT_EQ(doc.IsModified(), c.marks) << c.name;
    }
}

TEST_F(DocumentQueries, UndoTakesEntriesOffTheEndAndRedoPutsThemBack) {
    EXPECT_FALSE(doc.CanUndo());
    Book(Day(2005, 1, 1), 0, 100);
    Book(Day(2005, 1, 2), 1, 200);
    Book(Day(2005, 1, 3), 2, 300);
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(Amounts(), std::vector<std::int32_t>{100});
    EXPECT_TRUE(doc.CanRedo());
    doc.Redo();
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{100, 200}));

    doc.Undo();
    doc.Undo();
    EXPECT_FALSE(doc.CanUndo());
    for (int i = 0; i < 3; ++i) doc.Redo();
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{100, 200, 300}));

    // A booking between undo and redo stays in front; a zero entry from a file undoes like
    // any other; clearing forgets both histories.
    doc.Undo();
    Book(Day(2005, 1, 2), 1, 500);
    doc.Redo();
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{100, 200, 500, 300}));
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 1), 1, 0, {}});
    doc.Undo();
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{100, 200, 500, 300}));
    doc.DeleteContents();
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_FALSE(doc.CanUndo());
}

// One undo step is one booking as it was made: an overwrite gives back what it replaced, in
// its places, and redo overwrites again.
TEST_F(DocumentQueries, UndoOfAnOverwriteGivesBackWhatItReplaced) {
    const TimeValue day = Day(2005, 1, 10);
    const TimeValue other = Day(2005, 1, 4);
    const struct {
        const char* name;
        std::int32_t amount;  // the overwrite's
        std::vector<std::int32_t> after;
    } cases[] = {
        {"replace", 999, {7, 2, 3, 999}},
        {"clear", 0, {7, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.DeleteContents();
        test::ResetLedger(doc, {"収入", "賞与"}, {"食費", "交通費", "雑費"});
        Book(day, 2, 1200);
        Book(other, 2, 7);
        Book(day, 2, 300);
        Book(other, 3, 2);
        Book(other, 4, 3);
        const std::vector<std::int32_t> before = Amounts();
        Book(day, 2, c.amount, true);
        EXPECT_EQ(Amounts(), c.after);
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(doc.CanUndo());
        doc.Undo();
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(Amounts(), before);  // in their places: later undo steps stay right
        EXPECT_EQ(doc.DayAmount(day, 2), 1500);
        doc.Redo();
        EXPECT_EQ(Amounts(), c.after);
        EXPECT_FALSE(doc.CanRedo());
    }

    // A booking of the cell between undo and redo: redo replaces it too.
    doc.Undo();
    Book(day, 2, 50);
    doc.Redo();
    EXPECT_EQ(doc.DayAmount(day, 2), 0);
    doc.Undo();
    EXPECT_EQ(doc.DayAmount(day, 2), 1550);

    // Matter-list changes between: the replaced entries follow their matter, and a deleted
    // matter's entries never come back.
    Book(day, 2, 10, true);
    Book(day, 3, 20, true);
    doc.InsertMatter(0, test::Sjis("新"), false, true);  // every outgo index moves up by one
    doc.DeleteMatter(4);                                 // 交通費, with its entries
    doc.Undo();  // the 20 is gone with its matter: the 10 comes off next
    EXPECT_EQ(doc.DayAmount(day, 3), 1550);
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{1200, 7, 300, 3, 50}));
    for (const LedgerEntry& e : doc.Entries()) EXPECT_NE(e.amount, 20);
}

// Under daylight-saving time a day is not always 86400 seconds; every walk over days must
// still visit each calendar day once, at its midnight.
TEST(DocumentDaylightSaving, DayWalksFollowTheCalendar) {
    test::ScopedTimeZone zone("America/New_York");
    MemorySettingsStore store;
    FixedClock clock(MakeLocalTime(2024, 3, 20, 12, 0, 0));
    CTallymoDoc doc(store, clock);
    test::ResetLedger(doc, {"収入"}, {"食費"});
    for (int d = 8; d <= 12; ++d) doc.BookEntry(Day(2024, 3, d), 1, 100 * d, {}, false);
    for (int d = 2; d <= 5; ++d) doc.BookEntry(Day(2024, 11, d), 1, 10 * d, {}, false);
    EXPECT_EQ(doc.OutgoTotal(Day(2024, 3, 8), Day(2024, 3, 12)), 5000);

    doc.SetCurrentDate(Day(2024, 3, 20));
    EXPECT_EQ(doc.DaysInView(), 29);  // 20 February to 20 March, a leap year
    doc.SetCurrentDate(Day(2024, 11, 10));
    EXPECT_EQ(doc.DaysInView(), 31);
    doc.Settings().CloseDay = 0;
    doc.SetCurrentDate(Day(2024, 4, 5));
    EXPECT_EQ(doc.PeriodStart(0), Day(2024, 4, 1));
    EXPECT_EQ(doc.PeriodEnd(1), Day(2024, 3, 31));
    doc.SetCurrentDate(Day(2024, 11, 5));
    EXPECT_EQ(doc.PeriodStart(0), Day(2024, 11, 1));
    EXPECT_EQ(doc.PeriodEnd(1), Day(2024, 10, 31));
    EXPECT_EQ(ToLocal(doc.PeriodEnd(0)).hour, 0);
}

}  // namespace
}  // namespace tallymo
