// Writes the 1,000,000-entry benchmark ledger that tallymo-cli and the program are timed on (40
// matters, twenty years of bookings up to 2024-12-31, close day 25), so that no large file is
// kept in the repository:
//   build/tallymo_bench_ledger /tmp/bench.tm2
// then, for example: /usr/bin/time -v build/tallymo-cli dump /tmp/bench.tm2 >/dev/null

#include <cstdio>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.tm2\n", argv[0]);
        return 2;
    }
    using namespace tallymo;
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    test::FillGeneratedLedger(doc, 1'000'000, 40, 20, test::Day(2024, 12, 31));
    doc.Settings().CloseDay = 25;
    doc.Settings().ShowQuickWizard = false;  // the window opens straight on the table
    if (!doc.SaveLedgerFile(argv[1])) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[1]);
        return 1;
    }
    std::printf("%zu entries written to %s\n", doc.Entries().size(), argv[1]);
    return 0;
}
