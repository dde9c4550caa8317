// The month table's cell values (31 day rows x 40 matters, carry-forward, column totals and the
// running balance) on generated ledgers, answered by the document's index and by a literal walk
// over the entries; bookings followed by the table; matter-list changes; memory per ledger.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>

#include "app/MatterListEdit.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/LiteralLedger.h"

namespace tallymo {
namespace {

constexpr int kMatters = 40;
constexpr int kYears = 20;
constexpr int kRows = 31;

TimeValue LastDay() {
    return test::Day(2024, 12, 31);
}

struct Ledger {
    MemorySettingsStore store;
    std::unique_ptr<CTallymoDoc> doc;
};

// One generated ledger per size, kept for all benchmarks.
CTallymoDoc& LedgerOf(std::size_t entries) {
    static std::map<std::size_t, std::unique_ptr<Ledger>> ledgers;
    auto& slot = ledgers[entries];
    if (!slot) {
        slot = std::make_unique<Ledger>();
        slot->doc = std::make_unique<CTallymoDoc>(slot->store);
        test::FillGeneratedLedger(*slot->doc, entries, kMatters, kYears, LastDay());
        slot->doc->SetCurrentDate(LastDay());
        slot->doc->DayAmount(LastDay(), 0);  // build the index outside the timing
    }
    return *slot->doc;
}

// Every number the month table shows, summed into a checksum so nothing is optimised away.
std::int64_t MonthTableWithIndex(const CTallymoDoc& doc) {
    const TimeValue first = AddDays(doc.GetCurrentDate(), 1 - kRows);
    std::int64_t check = doc.BalanceThrough(PreviousDay(first));
    TimeValue day = first;
    for (int row = 0; row < kRows; ++row, day = NextDay(day)) {
        for (MatterIndex m = 0; m < kMatters; ++m) check += doc.DayAmount(day, m);
        check += doc.BalanceThrough(day);
    }
    for (MatterIndex m = 0; m < kMatters; ++m) {
        check += doc.PeriodSum(m, first, doc.GetCurrentDate(), false);
    }
    return check;
}

std::int64_t MonthTableByWalking(const CTallymoDoc& doc) {
    const auto& entries = doc.Entries();
    const int incomeCount = doc.IncomeCount();
    const TimeValue first = AddDays(doc.GetCurrentDate(), 1 - kRows);
    std::int64_t check = literal::BalanceThrough(entries, incomeCount, PreviousDay(first));
    TimeValue day = first;
    for (int row = 0; row < kRows; ++row, day = NextDay(day)) {
        for (MatterIndex m = 0; m < kMatters; ++m) check += literal::RangeSum(entries, m, day, day);
        check += literal::BalanceThrough(entries, incomeCount, day);
    }
    for (MatterIndex m = 0; m < kMatters; ++m) {
        check += literal::RangeSum(entries, m, first, doc.GetCurrentDate());
    }
    return check;
}

void BM_MonthTableIndexed(benchmark::State& state) {
    CTallymoDoc& doc = LedgerOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(MonthTableWithIndex(doc));
    state.counters["entries"] = static_cast<double>(doc.Entries().size());
}

void BM_MonthTableLiteralWalk(benchmark::State& state) {
    CTallymoDoc& doc = LedgerOf(static_cast<std::size_t>(state.range(0)));
    if (MonthTableByWalking(doc) != MonthTableWithIndex(doc)) {
        state.SkipWithError("the index and the walk disagree");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(MonthTableByWalking(doc));
}

// A booking on the current day (added, then overwritten) and the table rebuilt after it, as
// the grid does on every booking. The overwrite undoes the addition so the ledger stays put.
void BM_BookAddThenTable(benchmark::State& state) {
    CTallymoDoc& doc = LedgerOf(static_cast<std::size_t>(state.range(0)));
    int matter = 0;
    for (auto _ : state) {
        doc.BookEntry(LastDay(), matter, 1234, {}, false);
        benchmark::DoNotOptimize(MonthTableWithIndex(doc));
        state.PauseTiming();
        doc.Undo();
        matter = (matter + 1) % kMatters;
        state.ResumeTiming();
    }
}

void BM_BookOverwriteThenTable(benchmark::State& state) {
    CTallymoDoc& doc = LedgerOf(static_cast<std::size_t>(state.range(0)));
    const TimeValue day = AddDays(LastDay(), -3);
    int matter = 0;
    for (auto _ : state) {
        const std::int32_t before = doc.DayAmount(day, matter);
        doc.BookEntry(day, matter, before + 1, {}, true);
        benchmark::DoNotOptimize(MonthTableWithIndex(doc));
        matter = (matter + 1) % kMatters;
    }
}

void BM_InsertAndDeleteMatter(benchmark::State& state) {
    CTallymoDoc& doc = LedgerOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        doc.InsertMatter(0, Cp932Text("new"), true, true);
        doc.DeleteMatter(0);
    }
}

// The settings dialog confirmed with the outgo list turned upside down (the most exchanges a
// list of 36 matters needs), then turned back.
void BM_ApplyReversedOutgoList(benchmark::State& state) {
    CTallymoDoc& doc = LedgerOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        for (int twice = 0; twice < 2; ++twice) {
            EditedMatterList outgo = TakeMatterList(doc, false);
            std::reverse(outgo.begin(), outgo.end());
            ApplyMatterList(doc, false, outgo);
        }
    }
}

// The index built from the whole entry sequence, as after loading a file: the entries in date
// order (arg 0), or shuffled (arg 1), which a file of hand-sorted bookings could hold.
void BM_IndexRebuild_1M(benchmark::State& state) {
    const CTallymoDoc& doc = LedgerOf(1'000'000);
    std::vector<LedgerEntry> entries = doc.Entries();
    if (state.range(0) == 1) std::shuffle(entries.begin(), entries.end(), std::mt19937(5));
    LedgerIndex index;
    for (auto _ : state) {
        index.Rebuild(entries, doc.MatterCount(), doc.IncomeCount());
        benchmark::DoNotOptimize(index.LastDate());
    }
}

void BM_LedgerMemory(benchmark::State& state) {
    CTallymoDoc& doc = LedgerOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(doc.IndexMemoryBytes());
    const auto entryBytes = static_cast<double>(doc.EntryMemoryBytes());
    state.counters["entries_MB"] = entryBytes / 1e6;
    state.counters["index_MB"] = static_cast<double>(doc.IndexMemoryBytes()) / 1e6;
    state.counters["total_MB"] = (entryBytes + static_cast<double>(doc.IndexMemoryBytes())) / 1e6;
}

BENCHMARK(BM_MonthTableIndexed)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MonthTableLiteralWalk)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_BookAddThenTable)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BookOverwriteThenTable)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertAndDeleteMatter)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyReversedOutgoList)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexRebuild_1M)->ArgName("shuffled")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LedgerMemory)->Arg(1'000'000)->Iterations(1);

}  // namespace
}  // namespace tallymo
