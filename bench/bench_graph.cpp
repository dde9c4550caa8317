// The graph window's figures on a large ledger: 40 outgo matters, 1,000,000 entries over twenty
// periods, twelve periods per chart. Each run computes everything one refresh shows.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "analysis/Advice.h"
#include "analysis/GraphContent.h"
#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TimeValue.h"

namespace tallymo {
namespace {

constexpr int kOutgoMatters = 40;
constexpr int kIncomeMatters = 3;
constexpr int kEntries = 1'000'000;
constexpr int kDaysBack = 620;  // a little over twenty periods

struct LargeLedger {
    MemorySettingsStore store;
    FixedClock clock{MakeLocalTime(2005, 3, 11, 18, 30)};
    CTallymoDoc doc{store, clock};

    LargeLedger() {
        MatterList income, outgo;
        for (int i = 0; i < kIncomeMatters; ++i) {
            income.emplace_back(Cp932Text("in" + std::to_string(i)), kNewMatterCellWidth, true);
        }
        for (int i = 0; i < kOutgoMatters; ++i) {
            outgo.emplace_back(Cp932Text("out" + std::to_string(i)), kNewMatterCellWidth, true);
        }
        doc.SetMatterLists(std::move(income), std::move(outgo));
        doc.Settings().CloseDay = 25;
        const TimeValue today = MakeLocalTime(2005, 3, 11);
        doc.SetCurrentDate(today);

        TimeValue days[kDaysBack];
        for (int d = 0; d < kDaysBack; ++d) days[d] = AddDays(today, -d);
        std::uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
        doc.ReserveEntries(kEntries);
        for (int i = 0; i < kEntries; ++i) {
            const TimeValue date = days[(next() >> 8) % kDaysBack];
            const MatterIndex matter =
                static_cast<MatterIndex>((next() >> 8) % (kIncomeMatters + kOutgoMatters));
            const std::int32_t amount = 100 + static_cast<std::int32_t>((next() >> 8) % 5000);
            doc.AppendLoadedEntry({date, matter, amount, {}});
        }
        doc.PeriodSum(kIncomeMatters, today, today, false);  // builds the index before timing
    }
};

LargeLedger& Ledger() {
    static auto* ledger = new LargeLedger;
    return *ledger;
}

void BM_GraphTrendTab(benchmark::State& state) {
    const CTallymoDoc& doc = Ledger().doc;
    const GraphView view{GraphTab::Trend, state.range(0) != 0, static_cast<int>(state.range(1))};
    for (auto _ : state) {
        GraphContent content = BuildGraphContent(doc, view);
        benchmark::DoNotOptimize(content);
    }
}
BENCHMARK(BM_GraphTrendTab)
    ->ArgNames({"project", "offset"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 8})
    ->Unit(benchmark::kMillisecond);

void BM_GraphShareTab(benchmark::State& state) {
    const CTallymoDoc& doc = Ledger().doc;
    const GraphView view{GraphTab::Share, state.range(0) != 0, 0};
    for (auto _ : state) {
        GraphContent content = BuildGraphContent(doc, view);
        benchmark::DoNotOptimize(content);
    }
}
BENCHMARK(BM_GraphShareTab)->ArgName("project")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallymo
