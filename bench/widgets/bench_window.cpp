// The desktop program over the 1,000,000-entry ledger, timed inside the process on the offscreen
// platform: each figure runs from the user's action until the event queue is empty again (the
// window repainted, the program idle). Start-up: the application object opens the file and
// shows the main window. Then a booking in the pane, an amount typed into a cell, a page back,
// a view change and 40 wheel notches. Resident memory after loading, booking and saving is
// reported as counters (MiB), with the peak since the ledger was opened; other benchmarks run
// before it in the same process leave their share in the figure before the start.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "app/widgets/TallymoApp.h"
#include "calc/widgets/CalcEdit.h"
#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/MainFrame.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

TimeValue LastDay() {
    return test::Day(2024, 12, 31);
}

// The benchmarks' main makes the application; the program's own preparation runs once.
void EnsureApplication() {
    static const bool prepared = [] {
        PrepareApplication();
        return true;
    }();
    (void)prepared;
}

// Until nothing is left to do: posted events, timers due, the repaint of the window.
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// The benchmark ledger (the same as tools/bench-ledger writes), made once in a scratch folder.
const std::string& LedgerPath() {
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / "tallymo_window_bench";
        std::filesystem::create_directories(dir);
        const std::string file = (dir / "bench.tm2").string();
        MemorySettingsStore store;
        CTallymoDoc doc(store);
        test::FillGeneratedLedger(doc, 1'000'000, 40, 20, LastDay());
        doc.Settings().CloseDay = 25;
        doc.Settings().ShowQuickWizard = false;
        if (!doc.SaveLedgerFile(file)) std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return file;
    }();
    return path;
}

double StatusMiB(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    double kib = 0;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0) kib = std::atof(line + length);
    }
    std::fclose(status);
    return kib / 1024.0;
}

// Forgets the peak so far, so that the peak counter belongs to the window alone.
void ResetPeakMemory() {
    if (FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

// The program as started with the ledger on its command line.
struct Program {
    MemorySettingsStore store;
    FixedClock clock{LastDay()};
    std::unique_ptr<CTallymoApp> app;

    bool Start() {
        app = std::make_unique<CTallymoApp>(store, clock);
        const bool started = app->InitInstance({QString::fromStdString(LedgerPath())});
        Settle();
        return started && app->MainFrame();
    }
    CMainFrame& Frame() { return *app->MainFrame(); }
    CTallymoView& View() { return *Frame().GetLedgerView(); }
    CLedgerGrid& Grid() { return View().Grid(); }
    CTallymoDoc& Doc() { return app->Document(); }
};

// One running program for the benchmarks of single actions.
Program& Running() {
    static Program* program = [] {
        EnsureApplication();
        LedgerPath();
        auto* made = new Program;
        if (!made->Start()) std::fprintf(stderr, "the program did not start\n");
        return made;
    }();
    return *program;
}

void BM_WindowStartWithLedger(benchmark::State& state) {
    EnsureApplication();
    LedgerPath();
    for (auto _ : state) {
        Program program;
        if (!program.Start()) state.SkipWithError("the program did not start");
        state.PauseTiming();
        program.app.reset();
        Settle();
        state.ResumeTiming();
    }
}

void BM_WindowBookInPane(benchmark::State& state) {
    Program& program = Running();
    COperationView& pane = *program.Frame().GetBookingPane();
    int amount = 100;
    for (auto _ : state) {
        pane.AmountField().setText(QString::number(++amount));
        QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
        Settle();
    }
}

void BM_WindowEditInCell(benchmark::State& state) {
    Program& program = Running();
    CLedgerGrid& grid = program.Grid();
    int digit = 0;
    for (auto _ : state) {
        grid.SetRow(program.View().Shape().LastDayRow());
        grid.SetCol(1);
        QTest::keyClick(&grid, static_cast<char>('1' + digit++ % 9));
        grid.FinishEditing();
        Settle();
    }
}

void BM_WindowPageBack(benchmark::State& state) {
    Program& program = Running();
    for (auto _ : state) {
        program.View().MoveToRow(1);
        Settle();
        state.PauseTiming();
        program.Doc().SetCurrentDate(LastDay());
        Settle();
        state.ResumeTiming();
    }
}

void BM_WindowViewChange(benchmark::State& state) {
    Program& program = Running();
    bool week = false;
    for (auto _ : state) {
        week = !week;  // week, month, week, ...
        program.Frame().SetShowType(week ? ShowTypeKind::Week : ShowTypeKind::Month);
        Settle();
    }
    program.Frame().SetShowType(ShowTypeKind::Month);
    Settle();
}

void BM_Window40WheelNotches(benchmark::State& state) {
    Program& program = Running();
    QWidget* viewport = program.Grid().viewport();
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    for (auto _ : state) {
        for (int notch = 0; notch < 40; ++notch) {
            // Toward the user: one day later per notch once the cursor is on the last day.
            auto* wheel = new QWheelEvent(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120),
                                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::postEvent(viewport, wheel);
        }
        Settle();
        state.PauseTiming();
        program.Doc().SetCurrentDate(LastDay());
        Settle();
        state.ResumeTiming();
    }
}

// Resident memory of the running program after the ledger is loaded, after a booking and after
// saving it (the save keeps its backup copy), and the peak over all three.
void BM_WindowMemory(benchmark::State& state) {
    EnsureApplication();
    LedgerPath();
    for (auto _ : state) {
        Settle();
        ResetPeakMemory();
        state.counters["rss_before_MiB"] = StatusMiB("VmRSS:");
        Program program;
        if (!program.Start()) state.SkipWithError("the program did not start");
        state.counters["rss_loaded_MiB"] = StatusMiB("VmRSS:");
        COperationView& pane = *program.Frame().GetBookingPane();
        pane.AmountField().setText(QStringLiteral("1234"));
        QTest::mouseClick(&pane.BookButton(), Qt::LeftButton);
        Settle();
        state.counters["rss_booked_MiB"] = StatusMiB("VmRSS:");
        if (!program.Frame().SaveDocument()) state.SkipWithError("the save failed");
        Settle();
        state.counters["rss_saved_MiB"] = StatusMiB("VmRSS:");
        state.counters["peak_MiB"] = StatusMiB("VmHWM:");
        program.app.reset();
        Settle();
    }
}

// The memory figures first, while no other program object holds a ledger.
BENCHMARK(BM_WindowMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WindowStartWithLedger)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WindowBookInPane)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_WindowEditInCell)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_WindowPageBack)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_WindowViewChange)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Window40WheelNotches)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tallymo
