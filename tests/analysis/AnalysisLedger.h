#pragma once
// A small ledger for the analysis tests: one income matter and named outgo matters, a fixed
// clock, and bookings by calendar day.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TimeValue.h"
#include "support/LedgerBuilder.h"

namespace tallymo::test {

struct OutgoSpec {
    const char* name;  // UTF-8
    bool visible = true;
};

class AnalysisLedger {
public:
    // The current date and the clock both stand at the given day, `hour` o'clock.
    AnalysisLedger(int year, int month, int day, std::initializer_list<OutgoSpec> outgo,
                   int closeDay = 0, int hour = 12)
        : clock(MakeLocalTime(year, month, day, hour)), doc(store, clock) {
        MatterList outgoList;
        for (const OutgoSpec& spec : outgo) {
            outgoList.emplace_back(Sjis(spec.name), kNewMatterCellWidth, spec.visible);
        }
        doc.SetMatterLists({Matter(Sjis("給料"), kNewMatterCellWidth, true)}, std::move(outgoList));
        doc.Settings().CloseDay = static_cast<std::uint16_t>(closeDay);
        doc.SetCurrentDate(MakeLocalTime(year, month, day));
    }

    MatterIndex Outgo(int position) const { return doc.IncomeCount() + position; }

    // Books `amount` on the day for outgo matter `position` (0-based in the outgo list).
    void Book(int year, int month, int day, int position, std::int32_t amount) {
        ASSERT_TRUE(
            doc.AppendLoadedEntry({MakeLocalTime(year, month, day), Outgo(position), amount, {}}));
    }

    MemorySettingsStore store;
    FixedClock clock;
    CTallymoDoc doc;
};

}  // namespace tallymo::test
