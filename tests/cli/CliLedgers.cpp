#include "cli/CliLedgers.h"

#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"

namespace tallymo::test {

void WriteLedger(const std::string& path, const LedgerSpec& spec) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    ResetLedger(doc, spec.income, spec.outgo);
    for (const int index : spec.hidden) doc.GetMatter(index)->SetVisible(false);
    doc.Settings().ShowType = spec.showType;
    doc.Settings().ShowProjection = spec.showProjection;
    for (const Booking& b : spec.bookings) doc.BookEntry(b.day, b.matter, b.amount, {}, false);
    ASSERT_TRUE(doc.SaveLedgerFile(path)) << path;
}

}  // namespace tallymo::test
