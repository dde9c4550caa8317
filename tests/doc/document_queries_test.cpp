#include <gtest/gtest.h>

#include <functional>

#include "support/LedgerBuilder.h"
#include "support/LedgerFileFixture.h"

namespace tallymo {
namespace {

using test::Day;
using Amounts = std::vector<std::int32_t>;

// A ledger with income 収入, 賞与 and outgo 食費, 交通費, 雑費 (indexes 0..4), the clock at
// noon of 15 January 2005. (index_equivalence_test checks every query against a plain walk,
// the random sessions of matter_list_edit_test that entries follow their matters through every
// list change, period_figures_test the periods of each close day; these cases pin the rules
// themselves.)
class DocumentQueries : public test::LedgerFileTest {
protected:
    DocumentQueries() {
        clock.Set(MakeLocalTime(2005, 1, 15, 12, 0, 0));
        test::ResetLedger(doc, {"収入", "賞与"}, {"食費", "交通費", "雑費"});
        doc.SetCurrentDate(Day(2005, 1, 15));
    }
    void Book(TimeValue date, MatterIndex matter, std::int32_t amount, bool overwrite = false) {
        doc.BookEntry(date, matter, amount, {}, overwrite);
    }
    // March 2005 projected at 11 March, `time` o'clock: ten days of 31 gone.
    std::int32_t MarchProjected(MatterIndex matter, TimeValue now = Day(2005, 3, 11)) {
        doc.SetCurrentDate(Day(2005, 3, 11));
        clock.Set(now);
        return doc.PeriodSum(matter, Day(2005, 3, 1), Day(2005, 3, 31), true);
    }
    Amounts AmountsOf() const {
        Amounts amounts;
        for (const LedgerEntry& e : doc.Entries()) amounts.push_back(e.amount);
        return amounts;
    }
};

TEST_F(DocumentQueries, ProjectionScalesTheRunningPeriod) {
    Book(Day(2005, 3, 2), 2, 600);
    Book(Day(2005, 3, 5), 2, 400);
    // 10.5 days of 31 gone: the wall clock's time of day counts, on the current date's day.
    EXPECT_EQ(MarchProjected(2, MakeLocalTime(2006, 7, 1, 12, 0, 0)),
              static_cast<std::int32_t>(1000.0 * (2678399.0 / (10.5 * 86400))));
    // Nothing elapsed yet: the booked sum stands; one second in, the projection holds at the end
    // of the amount range.
    clock.Set(Day(2005, 3, 1));
    doc.SetCurrentDate(Day(2005, 3, 1));
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), true), 1000);
    clock.Set(MakeLocalTime(2005, 3, 1, 0, 0, 1));
    EXPECT_EQ(doc.PeriodSum(2, Day(2005, 3, 1), Day(2005, 3, 31), true), INT32_MAX);

    // A fixed monthly amount (one entry now, one a month before) is not projected.
    Book(Day(2005, 2, 25), 3, 3000);
    Book(Day(2005, 3, 25), 3, 3000);
    EXPECT_EQ(MarchProjected(3), 3000);
    // Read as unsigned, a negative sum would project to a huge positive one.
    Book(Day(2005, 3, 2), 4, -100);
    Book(Day(2005, 3, 3), 4, -100);
    EXPECT_EQ(MarchProjected(4), -619);
}

// The document marks itself modified for every change it makes, and only then.
TEST_F(DocumentQueries, EveryChangeMarksTheLedgerAndNoChangeDoesNot) {
    const struct {
        const char* name;
        std::function<void()> change;
        bool marks;
    } cases[] = {
        {"booking", [&] { Book(Day(2005, 1, 3), 2, 5); }, true},
        {"column width", [&] { doc.SetMatterCellWidth(1, 1234); }, true},
        {"the same column width", [&] { doc.SetMatterCellWidth(1, 1234); }, false},
        {"view kind", [&] { doc.SetShowType(ShowTypeKind::Fit); }, true},
        {"the same view kind", [&] { doc.SetShowType(ShowTypeKind::Fit); }, false},
        {"undo", [&] { doc.Undo(); }, true},
        {"nothing to undo", [&] { doc.Undo(); }, false},
        {"clearing an empty cell", [&] { Book(Day(2005, 1, 9), 2, 0, true); }, false},
    };
    for (const auto& c : cases) {
        doc.SetModifiedFlag(false);
        c.change();
        EXPECT_EQ(doc.IsModified(), c.marks) << c.name;
    }
    EXPECT_EQ(doc.GetMatter(1)->CellWidth(), 1234);
}

// One undo step is one booking as it was made: an overwrite gives back what it replaced, in
// its places, and redo overwrites again (also a cell booked between undo and redo); clearing
// forgets the histories. (Random undos and redos: index_equivalence_test.)
TEST_F(DocumentQueries, UndoOfAnOverwriteGivesBackWhatItReplaced) {
    const TimeValue day = Day(2005, 1, 10);
    Book(day, 2, 1200);
    Book(Day(2005, 1, 4), 2, 7);
    Book(day, 2, 300);
    Book(day, 2, 999, true);
    doc.Undo();
    EXPECT_EQ(AmountsOf(), (Amounts{1200, 7, 300}));  // in their places
    Book(day, 2, 50);
    doc.Redo();
    EXPECT_EQ(AmountsOf(), (Amounts{7, 999}));
    EXPECT_FALSE(doc.CanRedo());
    doc.Undo();
    EXPECT_EQ(AmountsOf(), (Amounts{1200, 7, 300, 50}));
    doc.DeleteContents();
    EXPECT_FALSE(doc.CanUndo() || doc.CanRedo());
}

// Under daylight-saving time a day is not always 86400 seconds (2024-03-10 has 23 hours,
// 2024-11-03 has 25); every step and walk over days must still visit each calendar day once,
// at its midnight.
TEST_F(DocumentQueries, DayWalksFollowTheCalendarUnderDaylightSaving) {
    test::ScopedTimeZone zone("America/New_York");
    for (int d = 8; d <= 12; ++d) Book(Day(2024, 3, d), 2, 100 * d);
    EXPECT_EQ(doc.OutgoTotal(Day(2024, 3, 8), Day(2024, 3, 12)), 5000);
    doc.SetCurrentDate(Day(2024, 3, 20));
    EXPECT_EQ(doc.DaysInView(), 29);  // 20 February to 20 March, a leap year
    doc.SetCurrentDate(Day(2024, 11, 5));
    EXPECT_EQ(doc.PeriodEnd(1), Day(2024, 10, 31));
    EXPECT_EQ(PreviousDay(Day(2024, 11, 4)), Day(2024, 11, 3));
    EXPECT_EQ(StartOfDay(MakeLocalTime(2024, 3, 10, 15, 0, 0)), Day(2024, 3, 10));
}

}  // namespace
}  // namespace tallymo
