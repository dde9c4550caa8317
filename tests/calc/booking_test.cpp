#include <gtest/gtest.h>

#include "calc/Booking.h"
#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TimeValue.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;

// The one rule every amount input books through: a typed text becomes an amount with the
// ledger's rounding, a failure books nothing, an overwrite replaces the day's entries and an
// undo gives back what the booking took.
TEST(Booking, TypedTextBooksOrLeavesTheDayAsItWas) {
    const struct {
        const char* text;
        bool overwrite;
        std::uint16_t fractionMode;
        int helpContext;  // 0: books
        std::int32_t dayAfter;
        std::int32_t entriesAfter;
    } cases[] = {
        {"1000*1.05", false, 0, 0, 1550, 2},
        {"0", true, 0, 0, 0, 0},
        {"100*1.005", true, 2, 0, 100, 1},
        {"500", true, 0, 0, 500, 1},  // the same single entry again: nothing changes
        {"12+", true, 0, 2130, 500, 1},
        {"", true, 0, 2110, 500, 1},
        {"99999999999", false, 0, 2120, 500, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MemorySettingsStore store;
        FixedClock clock(MakeLocalTime(2005, 1, 15, 12, 0, 0));
        CTallymoDoc doc(store, clock);
        test::ResetLedger(doc, {"収入"}, {"食費"});
        doc.Settings().FractionMode = c.fractionMode;
        const TimeValue day = Day(2005, 1, 10);
        doc.BookEntry(day, 1, 500, {}, false);
        doc.SetModifiedFlag(false);
        const std::vector<LedgerEntry> before = doc.Entries();

        const AmountOutcome outcome = BookExpression(doc, day, 1, c.text, c.overwrite);
        EXPECT_EQ(outcome.ok, c.helpContext == 0);
        EXPECT_EQ(outcome.failure.helpContext, c.helpContext);
        EXPECT_EQ(doc.DayAmount(day, 1), c.dayAfter);
        EXPECT_EQ(doc.CountEntries(1, day, day), c.entriesAfter);
        if (c.helpContext != 0 || c.dayAfter == 500) {
            EXPECT_EQ(doc.Entries(), before);
            EXPECT_FALSE(doc.IsModified());
            continue;
        }
        EXPECT_EQ(outcome.amount, c.overwrite ? c.dayAfter : c.dayAfter - 500);
        doc.Undo();
        EXPECT_EQ(doc.DayAmount(day, 1), 500);
        EXPECT_EQ(doc.CountEntries(1, day, day), 1);
    }
}

}  // namespace
}  // namespace tallymo
