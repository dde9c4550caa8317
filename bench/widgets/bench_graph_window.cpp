// The graph window over the 1,000,000-entry benchmark ledger (40 matters, 36 of them outgo,
// twenty years up to 2024-12-31, close day 25), timed inside the process on the offscreen
// platform from the user's action until the event queue is empty again (the window painted):
// opening it on the share tab, changing to the trend tab, and a click of the projection box.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QTabBar>
#include <memory>

#include "analysis/GraphContent.h"
#include "analysis/widgets/GraphDlg.h"
#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

struct GraphLedger {
    MemorySettingsStore store;
    FixedClock clock{MakeLocalTime(2024, 12, 31, 12, 0)};
    CTallymoDoc doc{store, clock};

    GraphLedger() {
        test::FillGeneratedLedger(doc, 1'000'000, 40, 20, test::Day(2024, 12, 31));
        doc.Settings().CloseDay = 25;
        doc.SetCurrentDate(test::Day(2024, 12, 31));
        // The ledger's index is built once, when the ledger is first read: not the window's cost.
        benchmark::DoNotOptimize(BuildGraphContent(doc, {}));
    }
};

CTallymoDoc& Ledger() {
    static auto* ledger = new GraphLedger;
    return ledger->doc;
}

// Until nothing is left to do: posted events and the repaint of the window.
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void BM_GraphWindowOpen(benchmark::State& state) {
    CTallymoDoc& doc = Ledger();
    for (auto _ : state) {
        auto graph = std::make_unique<CGraphDlg>(doc);
        graph->show();
        Settle();
        state.PauseTiming();
        graph.reset();
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GraphWindowOpen)->Unit(benchmark::kMillisecond);

void BM_GraphWindowTrendTab(benchmark::State& state) {
    CGraphDlg graph(Ledger());
    graph.show();
    Settle();
    for (auto _ : state) {
        graph.Tabs().setCurrentIndex(1);
        Settle();
        state.PauseTiming();
        graph.Tabs().setCurrentIndex(0);
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GraphWindowTrendTab)->Unit(benchmark::kMillisecond);

void BM_GraphWindowProjectionClick(benchmark::State& state) {
    CGraphDlg graph(Ledger());
    graph.show();
    Settle();
    for (auto _ : state) {
        graph.ProjectionBox().click();
        Settle();
    }
}
BENCHMARK(BM_GraphWindowProjectionClick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallymo
