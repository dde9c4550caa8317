#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo {
namespace {

using test::Day;

// A ledger with income 収入, 賞与 and outgo 食費, 交通費, 雑費 (indexes 0..4), the clock at
// noon of 15 January 2005.
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
    EXPECT_EQ(doc.DayAmount(day, 2), 1000);
    EXPECT_EQ(doc.Entries().size(), 1u);
    EXPECT_EQ(refreshes, 3);

    // Overwrite with 0 empties the cell and marks the ledger modified ...
    doc.SetModifiedFlag(false);
    Book(day, 2, 0, true);
    EXPECT_EQ(doc.DayAmount(day, 2), 0);
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
    EXPECT_EQ(doc.DayAmount(day, 3), -200);
    Book(day, 5, 100);
    Book(day, -1, 100);
    EXPECT_EQ(doc.Entries().size(), 1u);
}

TEST_F(DocumentQueries, OverwriteRemovesOnlyThatCellWhereverItsEntriesStand) {
    const TimeValue a = Day(2005, 1, 3), b = Day(2005, 1, 4);
    Book(a, 2, 1);
    Book(b, 2, 2);
    Book(a, 3, 3);
    Book(a, 2, 4);
    Book(b, 2, 5);
    Book(a, 2, 9, true);
    ASSERT_EQ(doc.Entries().size(), 4u);
    EXPECT_EQ(doc.Entries()[0].amount, 2);
    EXPECT_EQ(doc.Entries()[1].amount, 3);
    EXPECT_EQ(doc.Entries()[2].amount, 5);
    EXPECT_EQ(doc.Entries()[3].amount, 9);
    EXPECT_EQ(doc.DayAmount(b, 2), 7);
}

TEST_F(DocumentQueries, BalancesCountIncomeUpAndOutgoDownHiddenMattersIncluded) {
    Book(Day(2005, 1, 1), 0, 10000);
    Book(Day(2005, 1, 2), 2, 2000);
    Book(Day(2005, 1, 5), 4, 500);
    Book(Day(2005, 1, 6), 3, 9000);
    doc.ModifyMatter(4, doc.GetMatter(4)->Name(), false);
    EXPECT_EQ(doc.BalanceThrough(Day(2004, 12, 31)), 0);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 5)), 7500);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 6)), -1500);
    EXPECT_EQ(doc.OutgoTotal(Day(2005, 1, 5)), 500);
    EXPECT_EQ(doc.OutgoTotal(Day(2005, 1, 1), Day(2005, 1, 6)), 11500);
    EXPECT_EQ(doc.FirstDate(), Day(2005, 1, 1));
    EXPECT_EQ(doc.LastDate(), Day(2005, 1, 6));
}

TEST_F(DocumentQueries, SumsWrapAroundAt32Bits) {
    Book(Day(2005, 1, 1), 0, INT32_MAX);
    Book(Day(2005, 1, 1), 0, 2);
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 1), 0), INT32_MIN + 1);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 1)), INT32_MIN + 1);
    Book(Day(2005, 1, 2), 2, INT32_MIN);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 2)), 1);
}

TEST_F(DocumentQueries, ListCountsAndVisibleIndexes) {
    EXPECT_EQ(doc.MatterCount(), 5);
    EXPECT_EQ(doc.ListCount(false, 2), 2);
    EXPECT_EQ(doc.ListCount(false, 0), 3);
    EXPECT_EQ(doc.ListCount(true, 5), 2);
    doc.ModifyMatter(0, doc.GetMatter(0)->Name(), false);
    EXPECT_EQ(doc.VisibleMatterCount(), 4);
    EXPECT_EQ(doc.VisibleListCount(true), 1);
    EXPECT_EQ(doc.VisibleMatterIndex(0), 1);
    EXPECT_EQ(doc.VisibleMatterIndex(3), 4);
    EXPECT_EQ(doc.VisibleMatterIndex(9), 4);
    EXPECT_EQ(doc.GetMatter(5), nullptr);
    EXPECT_FALSE(doc.IsMatterVisible(5));
    test::ResetLedger(doc, {}, {});
    EXPECT_EQ(doc.VisibleMatterIndex(0), -1);
}

TEST_F(DocumentQueries, PeriodEndsFollowTheCloseDay) {
    const struct {
        TimeValue current;
        std::uint16_t closeDay;
        int k;
        TimeValue end;
    } cases[] = {
        {Day(2005, 1, 15), 0, 0, Day(2005, 1, 31)},
        {Day(2005, 1, 15), 0, 1, Day(2004, 12, 31)},
        {Day(2005, 1, 15), 0, 12, Day(2004, 1, 31)},
        {Day(2005, 1, 15), 0, 25, Day(2002, 12, 31)},
        {Day(2005, 3, 25), 25, 0, Day(2005, 3, 25)},
        {Day(2005, 3, 26), 25, 0, Day(2005, 4, 25)},
        {Day(2005, 12, 26), 25, 0, Day(2006, 1, 25)},
        {Day(2005, 5, 10), 25, 1, Day(2005, 4, 25)},
        {Day(2008, 2, 29), 0, 0, Day(2008, 2, 29)},
        {Day(2008, 3, 10), 0, 1, Day(2008, 2, 29)},
    };
    for (const auto& c : cases) {
        doc.Settings().CloseDay = c.closeDay;
        doc.SetCurrentDate(c.current);
        EXPECT_EQ(doc.PeriodEnd(c.k), c.end)
            << FormatTime(c.current, "%F") << " close " << c.closeDay << " k " << c.k;
    }
    doc.Settings().CloseDay = 25;
    doc.SetCurrentDate(Day(2005, 5, 10));
    EXPECT_EQ(doc.PeriodStart(0), Day(2005, 4, 26));
    doc.SetCurrentDate(Day(2005, 5, 26));
    EXPECT_EQ(doc.PeriodStart(0), Day(2005, 5, 26));
    EXPECT_EQ(doc.PeriodEnd(0), Day(2005, 6, 25));
}

TEST_F(DocumentQueries, PreviousMonthAndDaysInView) {
    EXPECT_EQ(doc.PreviousMonth(Day(2005, 3, 31)), Day(2005, 3, 3));
    EXPECT_EQ(doc.PreviousMonth(Day(2008, 3, 31)), Day(2008, 3, 2));
    EXPECT_EQ(doc.PreviousMonth(0), Day(2004, 12, 15));
    EXPECT_EQ(doc.PreviousMonth(MakeLocalTime(2005, 1, 15, 8, 30, 0)),
              MakeLocalTime(2004, 12, 15, 8, 30, 0));
    doc.SetCurrentDate(Day(2005, 3, 15));
    doc.Settings().ShowType = 0;
    EXPECT_EQ(doc.DaysInView(), 28);
    doc.SetCurrentDate(Day(2005, 3, 31));
    EXPECT_EQ(doc.DaysInView(), 28);
    doc.SetCurrentDate(Day(2005, 5, 15));
    EXPECT_EQ(doc.DaysInView(), 30);
    doc.Settings().ShowType = 1;
    EXPECT_EQ(doc.DaysInView(), 7);
    doc.Settings().ShowType = 2;
    EXPECT_EQ(doc.DaysInView(), -1);
    doc.Settings().ShowType = 9;
    EXPECT_EQ(doc.DaysInView(), 7);
}

TEST_F(DocumentQueries, CountsAndSumsInSpansEitherWayRound) {
    Book(Day(2005, 1, 1), 2, 100);
    Book(Day(2005, 1, 10), 2, 200);
    Book(Day(2005, 1, 31), 2, 300);
    Book(Day(2005, 2, 1), 2, 400);
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 3);
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 31), Day(2005, 1, 1)), 3);
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 1, 31), Day(2005, 1, 2), false), 500);
    EXPECT_EQ(doc.CountEntries(3, Day(2005, 1, 1), Day(2005, 12, 31)), 0);
}

TEST_F(DocumentQueries, ProjectionScalesTheRunningPeriod) {
    const TimeValue lo = Day(2005, 3, 1), hi = Day(2005, 3, 31);
    Book(Day(2005, 3, 2), 2, 600);
    Book(Day(2005, 3, 5), 2, 400);
    doc.SetCurrentDate(Day(2005, 3, 11));
    clock.Set(MakeLocalTime(2005, 3, 11, 0, 0, 0));
    EXPECT_EQ(doc.PeriodSum(2, lo, hi, true), 3099);
    EXPECT_EQ(doc.PeriodSum(2, lo, hi, false), 1000);
    // The wall clock's time of day counts, on the current date's day.
    clock.Set(MakeLocalTime(2006, 7, 1, 12, 0, 0));
    EXPECT_EQ(doc.PeriodSum(2, lo, hi, true),
              static_cast<std::int32_t>(1000.0 * (2678399.0 / (10.5 * 86400))));
    // Nothing elapsed yet, or a current date before the span: the booked sum stands.
    clock.Set(MakeLocalTime(2005, 3, 1, 0, 0, 0));
    doc.SetCurrentDate(Day(2005, 3, 1));
    EXPECT_EQ(doc.PeriodSum(2, lo, hi, true), 1000);
    doc.SetCurrentDate(Day(2005, 2, 20));
    EXPECT_EQ(doc.PeriodSum(2, lo, hi, true), 1000);
}

TEST_F(DocumentQueries, FixedMonthlyAmountsAreNotProjected) {
    Book(Day(2005, 2, 25), 3, 3000);
    Book(Day(2005, 3, 25), 3, 3000);
    doc.SetCurrentDate(Day(2005, 3, 11));
    clock.Set(MakeLocalTime(2005, 3, 11, 0, 0, 0));
    EXPECT_EQ(doc.PeriodSum(3, Day(2005, 3, 1), Day(2005, 3, 31), true), 3000);
    // Twice this month: projected.
    Book(Day(2005, 3, 26), 3, 1000);
    EXPECT_GT(doc.PeriodSum(3, Day(2005, 3, 1), Day(2005, 3, 31), true), 4000);
}

TEST_F(DocumentQueries, ProjectionOfANegativeSumStaysNegative) {
    Book(Day(2005, 3, 2), 2, -100);
    Book(Day(2005, 3, 3), 2, -100);
    doc.SetCurrentDate(Day(2005, 3, 11));
    clock.Set(MakeLocalTime(2005, 3, 11, 0, 0, 0));
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), true), -619);
    // A projection beyond the amount range holds at its end instead of wrapping.
    Book(Day(2005, 3, 4), 2, 1500000000);
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), true), INT32_MAX);
}

TEST_F(DocumentQueries, EmptyLedgerHasNoDates) {
    EXPECT_EQ(doc.FirstDate(), 0);
    EXPECT_EQ(doc.LastDate(), 0);
    EXPECT_EQ(doc.BalanceThrough(Day(2030, 1, 1)), 0);
}

TEST_F(DocumentQueries, ShowProjectionMarksOnlyAChange) {
    doc.SetShowProjection(false);
    EXPECT_FALSE(doc.IsModified());
    doc.SetShowProjection(true);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.Settings().ShowProjection);
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
    EXPECT_EQ(doc.OutgoTotal(Day(2024, 11, 2), Day(2024, 11, 5)), 140);

    doc.SetCurrentDate(Day(2024, 3, 20));
    EXPECT_EQ(doc.DaysInView(), 29);  // 20 February to 20 March, a leap year
    doc.SetCurrentDate(Day(2024, 11, 10));
    EXPECT_EQ(doc.DaysInView(), 31);
    doc.Settings().CloseDay = 0;
    doc.SetCurrentDate(Day(2024, 4, 5));
    EXPECT_EQ(doc.PeriodStart(0), Day(2024, 4, 1));
    EXPECT_EQ(doc.PeriodStart(1), Day(2024, 3, 1));
    EXPECT_EQ(doc.PeriodEnd(1), Day(2024, 3, 31));
    doc.SetCurrentDate(Day(2024, 11, 5));
    EXPECT_EQ(doc.PeriodStart(0), Day(2024, 11, 1));
    EXPECT_EQ(doc.PeriodEnd(1), Day(2024, 10, 31));
    EXPECT_EQ(ToLocal(doc.PeriodEnd(0)).hour, 0);
}

}  // namespace
}  // namespace tallymo
