// The printed month table of 40 matters over a 31-day period on pages: laid out and drawn at a
// printer's 600 dots per inch on A4, one page into an image as a printer driver receives it,
// and every page into a PDF document as tallymo-cli pdf and the print-to-file write it, on A4
// and on one sheet that holds every column.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <memory>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "views/PeriodTable.h"
#include "views/printing/PrintedMonthPages.h"
#include "views/printing/PrintedMonthPdf.h"

namespace tallymo {
namespace {

constexpr int kMatters = 40;

// Fonts need an application object; the benchmarks run without a display.
void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "tallymo_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
}

// March 2024 (31 days) with an amount in every cell.
PeriodTable MonthTable() {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    test::FillGeneratedLedger(doc, 20'000, kMatters, 1, test::Day(2024, 3, 31));
    doc.Settings().CloseDay = 0;
    doc.SetCurrentDate(test::Day(2024, 3, 15));
    return BuildPrintedMonthTable(doc);
}

void BM_PrintedPageAt600Dpi(benchmark::State& state) {
    EnsureGuiApplication();
    const PeriodTable table = MonthTable();
    // A4 less 6 mm margins at 600 dots per inch.
    const QSize page(4818, 6874);
    QImage image(page, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        const PrintedMonthPages pages(table, page.width(), page.height(), 600, 600);
        QPainter painter(&image);
        pages.DrawPage(painter, 1);
        state.counters["columns"] = pages.ColumnsUpTo(1);
    }
}

// Argument 0: A4 portrait (the table in bands over several pages); 1: a sheet wide enough for
// every column of the 40 matters on one page.
void BM_PrintedPdfEveryPage(benchmark::State& state) {
    EnsureGuiApplication();
    const PeriodTable table = MonthTable();
    const QPageLayout layout =
        state.range(0) == 0
            ? DefaultPrintPageLayout()
            : QPageLayout(QPageSize(QSizeF(30, 8), QPageSize::Inch), QPageLayout::Portrait,
                          QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter);
    int pageCount = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintedMonthPdf(table, layout, 1, 1 << 30, &pageCount));
    }
    state.counters["pages"] = pageCount;
}

BENCHMARK(BM_PrintedPageAt600Dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintedPdfEveryPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallymo
