#include "cli/CliLedgers.h"

#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"

namespace tallymo::test {

void WriteLedger(const std::string& path, const LedgerSpec& spec) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    ResetLedger(doc, spec.income, spec.outgo);
    for (const int index : spec.hidden) doc.GetMatter(index)->SetVisible(false);
    doc.Settings().ShowType = spec.showType;
    doc.Settings().CloseDay = static_cast<std::uint16_t>(spec.closeDay);
    doc.Settings().ShowProjection = spec.showProjection;
    for (const Booking& booking : spec.bookings) {
        doc.BookEntry(booking.day, booking.matter, booking.amount,
                      Utf8ToCp932(booking.memo).value(), false);
    }
    ASSERT_TRUE(doc.SaveLedgerFile(path)) << path;
}

}  // namespace tallymo::test
