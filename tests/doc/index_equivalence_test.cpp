// The document answers its queries from an index; these runs check every answer against a
// plain walk over the entry sequence after random bookings, undos, redos and list changes.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/LiteralLedger.h"

namespace tallymo {
namespace {

using test::Day;

// Every query at 100 pairs of moments drawn by `moment`, as the walk answers it.
void ExpectSameAsWalk(const CTallymoDoc& doc, const std::function<TimeValue()>& moment,
                      const std::string& where) {
    SCOPED_TRACE(where);
    const auto& entries = doc.Entries();
    for (int probe = 0; probe < 100; ++probe) {
        const TimeValue a = moment();
        const TimeValue b = moment();
        const TimeValue lo = std::min(a, b), hi = std::max(a, b);
        ASSERT_EQ(doc.BalanceThrough(a), literal::BalanceThrough(entries, doc.IncomeCount(), a));
        for (MatterIndex m = 0; m < doc.MatterCount(); ++m) {
            ASSERT_EQ(doc.DayAmount(a, m), literal::RangeSum(entries, m, a, a));
            ASSERT_EQ(doc.CountEntries(m, a, b), literal::RangeSum(entries, m, lo, hi, true));
            ASSERT_EQ(doc.PeriodSum(m, a, b, false), literal::RangeSum(entries, m, lo, hi));
        }
    }
    ASSERT_EQ(std::pair(doc.FirstDate(), doc.LastDate()), literal::DateSpan(entries));
}

class IndexEquivalence : public ::testing::Test {
protected:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    TimeValue SomeDay() { return AddDays(Day(2005, 1, 1), Pick(0, 40)); }

    MemorySettingsStore store;
    CTallymoDoc doc{store};
    std::mt19937 random{20051};
    const std::function<TimeValue()> someDay = [this] { return SomeDay(); };
};

// Every third run starts from a loaded ledger: files hold entries in booking order, so the index
// is built mostly from dates that only grow; entries for earlier days (the last run) break that
// order.
TEST_F(IndexEquivalence, RandomOperationsAgreeWithTheLiteralWalk) {
    for (int run = 0; run < 6; ++run) {
        if (run % 3 == 2) {
            test::FillGeneratedLedger(doc, 3000, 5, 1, Day(2005, 2, 10), run);
            for (int i = 0; i < 40 * (run / 3); ++i)
                doc.AppendLoadedEntry(LedgerEntry{SomeDay(), Pick(0, 4), Pick(-5, INT32_MAX), {}});
        } else {
            test::ResetLedger(doc, {"a", "b"}, {"c", "d", "e"});
        }
        for (int step = 0; step < 400; ++step) {
            const int count = doc.MatterCount();
            const int action = Pick(0, 99);
            const TimeValue day = SomeDay();
            // Amounts near the 32-bit edges make sums wrap.
            const std::int32_t amount = action % 7 == 0 ? INT32_MAX - Pick(0, 3) : Pick(-500, 3000);
            if (action < 45 && count > 0) {
                const std::vector<LedgerEntry> before = doc.Entries();
                doc.BookEntry(day, Pick(0, count - 1), action < 4 ? 0 : amount, {}, action < 12);
                if (action < 12 && doc.Entries() != before && action % 3 == 0) {
                    // Undo gives back exactly what the overwrite replaced; redo does it again.
                    const std::vector<LedgerEntry> after = doc.Entries();
                    doc.Undo();
                    ASSERT_EQ(doc.Entries(), before);
                    doc.Redo();
                    ASSERT_EQ(doc.Entries(), after);
                }
            } else if (action < 55) {
                doc.Undo();
            } else if (action < 63) {
                doc.Redo();
            } else if (action < 70 && count > 0) {
                doc.AppendLoadedEntry(LedgerEntry{day, Pick(0, count - 1), 0, {}});
            } else if (action < 77) {
                const bool income = action % 2 == 0;
                doc.InsertMatter(Pick(0, doc.ListCount(income)), Cp932Text("n"), income, true);
            } else if (action < 82 && count > 1) {
                doc.DeleteMatter(Pick(0, count - 1));
            } else if (action < 90 && count > 1) {
                const int a = Pick(0, count - 1);
                const int b = Pick(0, count - 1);
                if (doc.IsIncome(a) == doc.IsIncome(b)) doc.SwapMatters(a, b);
            } else if (action < 93) {
                doc.RemoveZeroEntries();
            } else {
                while (doc.CanUndo()) doc.Undo();  // all the way back, then forward again
                while (doc.CanRedo() && action % 2 == 0) doc.Redo();
            }
            if (step % 20 == 0 || step == 399) {
                ExpectSameAsWalk(doc, someDay,
                                 "run " + std::to_string(run) + " step " + std::to_string(step));
            }
        }
    }
}

// Thousands of loaded moments in no order, before and after 1970, some shared, some off
// midnight, are sorted in bulk.
TEST_F(IndexEquivalence, ScatteredMomentsAgreeWithTheLiteralWalk) {
    test::ResetLedger(doc, {"a"}, {"b", "c"});
    std::vector<TimeValue> moments;
    for (int i = 0; i < 12000; ++i) {
        moments.push_back(i % 5 == 4 ? moments[random() % moments.size()]
                                     : Pick(INT32_MIN, INT32_MAX));
        doc.AppendLoadedEntry(LedgerEntry{moments.back(), Pick(0, 2), Pick(-9, 50000), {}});
    }
    ExpectSameAsWalk(
        doc, [&] { return moments[random() % moments.size()]; }, "moments");
}

}  // namespace
}  // namespace tallymo
