#pragma once
// The ledger queries as plain walks over the entry sequence, exactly as they were first
// written: the reference that the document's indexed answers must equal, and the baseline the
// benchmarks compare against.

#include <cstdint>
#include <vector>

#include "doc/Matter.h"

namespace tallymo::literal {

inline std::int32_t DayAmount(const std::vector<LedgerEntry>& entries, TimeValue date,
                              MatterIndex matter) {
    std::uint32_t sum = 0;
    for (const LedgerEntry& e : entries) {
        if (e.date == date && e.matter == matter) sum += static_cast<std::uint32_t>(e.amount);
    }
    return static_cast<std::int32_t>(sum);
}

inline std::int32_t BalanceThrough(const std::vector<LedgerEntry>& entries, int incomeCount,
                                   TimeValue date) {
    std::uint32_t sum = 0;
    for (const LedgerEntry& e : entries) {
        if (e.date > date) continue;
        if (e.matter < incomeCount) {
            sum += static_cast<std::uint32_t>(e.amount);
        } else {
            sum -= static_cast<std::uint32_t>(e.amount);
        }
    }
    return static_cast<std::int32_t>(sum);
}

inline std::int32_t CountEntries(const std::vector<LedgerEntry>& entries, MatterIndex matter,
                                 TimeValue lo, TimeValue hi) {
    std::int32_t count = 0;
    for (const LedgerEntry& e : entries) {
        if (e.matter == matter && e.date >= lo && e.date <= hi) ++count;
    }
    return count;
}

inline std::int32_t RangeSum(const std::vector<LedgerEntry>& entries, MatterIndex matter,
                             TimeValue lo, TimeValue hi) {
    std::uint32_t sum = 0;
    for (const LedgerEntry& e : entries) {
        if (e.matter == matter && e.date >= lo && e.date <= hi) {
            sum += static_cast<std::uint32_t>(e.amount);
        }
    }
    return static_cast<std::int32_t>(sum);
}

inline TimeValue FirstDate(const std::vector<LedgerEntry>& entries) {
    if (entries.empty()) return 0;
    TimeValue first = entries.front().date;
    for (const LedgerEntry& e : entries) first = e.date < first ? e.date : first;
    return first;
}

inline TimeValue LastDate(const std::vector<LedgerEntry>& entries) {
    if (entries.empty()) return 0;
    TimeValue last = entries.front().date;
    for (const LedgerEntry& e : entries) last = e.date > last ? e.date : last;
    return last;
}

}  // namespace tallymo::literal
