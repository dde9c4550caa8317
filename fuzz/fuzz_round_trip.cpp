// Whatever the binary reader loads, the writer saves and the reader loads back to the same
// ledger (entries of amount 0 aside, which saving drops), and saving that again gives the same
// bytes. Small ledgers are also written as Ver.1 text, which must read back as valid.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "FuzzDocument.h"
#include "doc/BinaryLedgerForm.h"
#include "doc/CsvLedgerForm.h"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "round trip broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tallymo;
    static MemorySettingsStore store;
    static FixedClock clock(1122867296);
    static CTallymoDoc reread(store, clock);

    CTallymoDoc& doc = fuzz::FreshDocument();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LedgerContents ledger;
    if (ReadBinaryLedger(bytes, ledger) != BinaryReadResult::Loaded) return 0;
    doc.ReplaceContents(std::move(ledger));

    const std::string saved = WriteBinaryLedger(doc, 77);
    LedgerContents again;
    Require(ReadBinaryLedger(saved, again) == BinaryReadResult::Loaded, "reload refused");
    reread.ReplaceContents(std::move(again));
    Require(reread.IncomeList() == doc.IncomeList(), "income list");
    Require(reread.OutgoList() == doc.OutgoList(), "outgo list");
    Require(reread.Settings() == doc.Settings(), "settings");
    doc.RemoveZeroEntries();
    Require(reread.Entries() == doc.Entries(), "entries");
    Require(WriteBinaryLedger(reread, 77) == saved, "second save");

    // The text form writes a line per day from 2000 to the last entry's year: keep it small.
    const TimeValue last = doc.LastDate();
    if (doc.MatterCount() <= 4 && (doc.Entries().empty() || ToLocal(last).year <= 2001)) {
        const CsvLedgerText text = WriteCsvLedger(doc);
        LedgerContents fromText;
        Require(ReadCsvLedger(text.bytes, fromText), "written text refused");
        Require(fromText.MatterCount() == doc.MatterCount(), "text matter count");
    }
    return 0;
}
