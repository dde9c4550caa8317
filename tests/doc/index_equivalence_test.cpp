// The document answers its queries from an index; these runs check every answer against a
// plain walk over the entry sequence after random bookings, undos, redos and list changes.

#include <gtest/gtest.h>

#include <random>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/LiteralLedger.h"

namespace tallymo {
namespace {

using test::Day;

void ExpectSameAsWalk(const CTallymoDoc& doc, std::mt19937& random, const std::string& where) {
    const auto& entries = doc.Entries();
    std::uniform_int_distribution<int> dayOf(0, 40);
    const TimeValue base = Day(2005, 1, 1);
    for (int probe = 0; probe < 30; ++probe) {
        const TimeValue a = AddDays(base, dayOf(random));
        const TimeValue b = AddDays(base, dayOf(random));
        ASSERT_EQ(doc.BalanceThrough(a), literal::BalanceThrough(entries, doc.IncomeCount(), a))
            << where;
        for (MatterIndex m = 0; m < doc.MatterCount(); ++m) {
            ASSERT_EQ(doc.DayAmount(a, m), literal::DayAmount(entries, a, m)) << where;
            ASSERT_EQ(doc.CountEntries(m, a, b),
                      literal::CountEntries(entries, m, std::min(a, b), std::max(a, b)))
                << where;
            ASSERT_EQ(doc.PeriodSum(m, a, b, false),
                      literal::RangeSum(entries, m, std::min(a, b), std::max(a, b)))
                << where;
        }
    }
    ASSERT_EQ(doc.FirstDate(), literal::FirstDate(entries)) << where;
    ASSERT_EQ(doc.LastDate(), literal::LastDate(entries)) << where;
}

TEST(IndexEquivalence, RandomOperationsAgreeWithTheLiteralWalk) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    std::mt19937 random(20051);
    for (int run = 0; run < 6; ++run) {
        test::ResetLedger(doc, {"a", "b"}, {"c", "d", "e"});
        for (int step = 0; step < 400; ++step) {
            const int count = doc.MatterCount();
            const int action = std::uniform_int_distribution<int>(0, 99)(random);
            const TimeValue day =
                AddDays(Day(2005, 1, 1), std::uniform_int_distribution<int>(0, 40)(random));
            // Amounts near the 32-bit edges make sums wrap.
            const std::int32_t amount =
                (action % 7 == 0) ? INT32_MAX - std::uniform_int_distribution<int>(0, 3)(random)
                                  : std::uniform_int_distribution<int>(-500, 3000)(random);
            if (action < 45 && count > 0) {
                const int matter = std::uniform_int_distribution<int>(0, count - 1)(random);
                const std::vector<LedgerEntry> before = doc.Entries();
                doc.BookEntry(day, matter, action < 4 ? 0 : amount, {}, action < 12);
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
                doc.AppendLoadedEntry(LedgerEntry{
                    day, std::uniform_int_distribution<int>(0, count - 1)(random), 0, {}});
            } else if (action < 77) {
                const bool income = action % 2 == 0;
                const int length = doc.ListCount(income);
                doc.InsertMatter(std::uniform_int_distribution<int>(0, length)(random),
                                 Cp932Text("n"), income, true);
            } else if (action < 82 && count > 1) {
                doc.DeleteMatter(std::uniform_int_distribution<int>(0, count - 1)(random));
            } else if (action < 90 && count > 1) {
                const int a = std::uniform_int_distribution<int>(0, count - 1)(random);
                const int b = std::uniform_int_distribution<int>(0, count - 1)(random);
                if (doc.IsIncome(a) == doc.IsIncome(b)) doc.SwapMatters(a, b);
            } else if (action < 93) {
                doc.RemoveZeroEntries();
            } else {
                while (doc.CanUndo()) doc.Undo();  // all the way back, then forward again
                while (doc.CanRedo() && action % 2 == 0) doc.Redo();
            }
            for (const LedgerEntry& e : doc.Entries()) {
                ASSERT_GE(e.matter, 0);
                ASSERT_LT(e.matter, doc.MatterCount());
            }
            if (step % 20 == 0) {
                ExpectSameAsWalk(doc, random,
                                 "run " + std::to_string(run) + " step " + std::to_string(step));
            }
        }
        ExpectSameAsWalk(doc, random, "end of run " + std::to_string(run));
    }
}

// Files hold entries in booking order, so the index is built mostly from dates that only grow;
// an entry booked afterwards for an earlier day breaks that order for its matter.
TEST(IndexEquivalence, LoadedLedgersInDateOrderOrNearlySoAgreeWithTheLiteralWalk) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    std::mt19937 random(7);
    for (const int lateEntries : {0, 1, 40}) {
        test::FillGeneratedLedger(doc, 3000, 8, 1, Day(2005, 2, 10),
                                  static_cast<std::uint32_t>(lateEntries));
        for (int i = 0; i < lateEntries; ++i) {
            doc.AppendLoadedEntry(LedgerEntry{
                AddDays(Day(2005, 1, 1), std::uniform_int_distribution<int>(0, 40)(random)),
                std::uniform_int_distribution<int>(0, 7)(random),
                std::uniform_int_distribution<int>(-5, INT32_MAX)(random),
                {}});
        }
        const std::string where = std::to_string(lateEntries) + " late entries";
        ExpectSameAsWalk(doc, random, where);
        doc.BookEntry(Day(2005, 1, 3), 5, 77, {}, true);
        ExpectSameAsWalk(doc, random, where + ", then a booking");
    }
}

// Thousands of distinct moments in no order, before and after 1970, some shared by several
// entries: the index sorts them in bulk and must still answer like the walk.
TEST(IndexEquivalence, ManyMomentsInNoOrderAgreeWithTheLiteralWalk) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    test::ResetLedger(doc, {"a"}, {"b", "c"});
    std::mt19937 random(99);
    std::uniform_int_distribution<std::int32_t> moment(INT32_MIN, INT32_MAX);
    std::vector<TimeValue> moments;
    for (int i = 0; i < 12000; ++i) {
        moments.push_back(i % 5 == 4 ? moments[random() % moments.size()] : moment(random));
        doc.AppendLoadedEntry(LedgerEntry{moments.back(),
                                          static_cast<MatterIndex>(random() % 3),
                                          std::uniform_int_distribution<int>(-9, 50000)(random),
                                          {}});
    }
    const auto& entries = doc.Entries();
    for (int probe = 0; probe < 200; ++probe) {
        const TimeValue a = moments[random() % moments.size()];
        const TimeValue b = moments[random() % moments.size()];
        const MatterIndex m = static_cast<MatterIndex>(random() % 3);
        ASSERT_EQ(doc.BalanceThrough(a), literal::BalanceThrough(entries, 1, a));
        ASSERT_EQ(doc.DayAmount(a, m), literal::DayAmount(entries, a, m));
        ASSERT_EQ(doc.CountEntries(m, a, b),
                  literal::CountEntries(entries, m, std::min(a, b), std::max(a, b)));
        ASSERT_EQ(doc.PeriodSum(m, a, b, false),
                  literal::RangeSum(entries, m, std::min(a, b), std::max(a, b)));
    }
    EXPECT_EQ(doc.FirstDate(), literal::FirstDate(entries));
    EXPECT_EQ(doc.LastDate(), literal::LastDate(entries));
}

TEST(IndexEquivalence, EntriesOffMidnightCountOnlyWhereTheWalkCountsThem) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    test::ResetLedger(doc, {"a"}, {"b"});
    const TimeValue noon = MakeLocalTime(2005, 1, 2, 12, 0, 0);
    doc.AppendLoadedEntry(LedgerEntry{noon, 1, 70, {}});
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 2), 1, 30, {}});
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 2), 1), 30);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 2)), -30);
    EXPECT_EQ(doc.BalanceThrough(noon), -100);
    EXPECT_EQ(doc.CountEntries(1, Day(2005, 1, 1), Day(2005, 1, 2)), 1);
    EXPECT_EQ(doc.LastDate(), noon);
}

}  // namespace
}  // namespace tallymo
