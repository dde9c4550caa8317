// Benchmarks run with the same local time zone as the tests, so generated dates agree.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

#ifdef TALLYMO_BENCH_WINDOW
#include <QApplication>
#endif

int main(int argc, char** argv) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
#ifdef TALLYMO_BENCH_WINDOW
    // The window benchmarks need the widget application; the others run beside it. Made first,
    // so that no benchmark makes a plainer one before it. It lives as long as the process, like
    // the windows some benchmarks keep open.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int appArgc = 1;
    new QApplication(appArgc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
