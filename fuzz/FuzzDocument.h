#pragma once
// One document per fuzzer process, reset before every input as loading resets it. Included
// once by each harness.

#include <cstdlib>
#include <ctime>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"

// The tests' time zone, and a fixed one: without TZ the C library rereads the zone file at
// every date conversion.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    return 0;
}

namespace tallymo::fuzz {

inline CTallymoDoc& FreshDocument() {
    static MemorySettingsStore store;
    static FixedClock clock(1122867296);
    static CTallymoDoc doc(store, clock);
    doc.DeleteContents();
    doc.Settings() = LedgerSettings{};
    return doc;
}

// Runs the queries the views run after a load, so that hostile dates, amounts and matter
// numbers reach the sums as well.
inline void Query(const CTallymoDoc& doc) {
    const TimeValue first = doc.FirstDate();
    const TimeValue last = doc.LastDate();
    for (MatterIndex m = 0; m < doc.MatterCount() && m < 8; ++m) {
        (void)doc.DayAmount(first, m);
        (void)doc.PeriodSum(m, first, last, false);
        (void)doc.CountEntries(m, first, last);
    }
    (void)doc.BalanceThrough(last);
    (void)doc.BalanceThrough(first);
}

}  // namespace tallymo::fuzz
