// The finished tables, texts and colours included, as the grid and the printer receive them:
// the month ledger table and the printed month table over 40 matters on a large ledger.

#include <benchmark/benchmark.h>

#include <memory>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "views/PeriodTable.h"

namespace tallymo {
namespace {

constexpr int kMatters = 40;
constexpr int kYears = 20;
constexpr std::size_t kEntries = 1'000'000;

struct TableLedger {
    MemorySettingsStore store;
    CTallymoDoc doc{store};
    TableLedger() {
        const TimeValue last = test::Day(2024, 12, 31);
        test::FillGeneratedLedger(doc, kEntries, kMatters, kYears, last);
        doc.Settings().ShowType = 0;
        doc.Settings().CloseDay = 25;
        doc.SetCurrentDate(AddDays(last, -15));
        doc.DayAmount(last, 0);  // build the index outside the timing
    }
};

TableLedger& Ledger() {
    static TableLedger ledger;
    return ledger;
}

void BM_LedgerMonthTable(benchmark::State& state) {
    const CTallymoDoc& doc = Ledger().doc;
    const LedgerTableShape shape = MakeLedgerTableShape(doc);
    for (auto _ : state) benchmark::DoNotOptimize(BuildLedgerTable(doc, shape));
    state.counters["cells"] = static_cast<double>(shape.rows * shape.Columns());
}

void BM_PrintedMonthTable(benchmark::State& state) {
    const CTallymoDoc& doc = Ledger().doc;
    for (auto _ : state) benchmark::DoNotOptimize(BuildPrintedMonthTable(doc));
}

BENCHMARK(BM_LedgerMonthTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrintedMonthTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tallymo
