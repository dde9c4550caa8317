// Not a test: writes the 1,000,000-entry benchmark ledger that tallymo-cli is timed on (40
// matters, twenty years of bookings up to 2024-12-31), so that no large file is kept in the
// repository. Run it explicitly:
//   TALLYMO_BENCH_LEDGER=/tmp/bench.tm2 tallymo_cli_tests
//       --gtest_also_run_disabled_tests --gtest_filter='*WriteBenchmarkLedger*'
// then, for example: hyperfine 'tallymo-cli dump /tmp/bench.tm2 >/dev/null'

#include <gtest/gtest.h>

#include <cstdlib>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"

namespace tallymo::test {
namespace {

TEST(CliBenchmarkLedger, DISABLED_WriteBenchmarkLedger) {
    const char* path = std::getenv("TALLYMO_BENCH_LEDGER");
    ASSERT_NE(path, nullptr) << "set TALLYMO_BENCH_LEDGER to the file to write";
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    FillGeneratedLedger(doc, 1'000'000, 40, 20, Day(2024, 12, 31));
    doc.Settings().CloseDay = 25;
    ASSERT_TRUE(doc.SaveLedgerFile(path));
    EXPECT_EQ(doc.Entries().size(), 1'000'000u);
}

}  // namespace
}  // namespace tallymo::test
