#pragma once
// The ledger queries as plain walks over the entry sequence, exactly as they were first
// written: the reference that the document's indexed answers must equal, and the baseline the
// benchmarks compare against.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "doc/Matter.h"

namespace tallymo::literal {

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

// The sum of a matter's amounts over a span of dates (a day's amount: one date), or with `count`
// the number of entries.
inline std::int32_t RangeSum(const std::vector<LedgerEntry>& entries, MatterIndex matter,
                             TimeValue lo, TimeValue hi, bool count = false) {
    std::uint32_t sum = 0;
    for (const LedgerEntry& e : entries) {
        if (e.matter == matter && e.date >= lo && e.date <= hi) {
            sum += count ? 1u : static_cast<std::uint32_t>(e.amount);
        }
    }
    return static_cast<std::int32_t>(sum);
}

// The first and the last date booked ({0, 0} for no entries).
inline std::pair<TimeValue, TimeValue> DateSpan(const std::vector<LedgerEntry>& entries) {
    if (entries.empty()) return {0, 0};
    std::pair<TimeValue, TimeValue> span{entries.front().date, entries.front().date};
    for (const LedgerEntry& e : entries)
        span = {std::min(span.first, e.date), std::max(span.second, e.date)};
    return span;
}

}  // namespace tallymo::literal
