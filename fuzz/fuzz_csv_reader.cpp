// Any text given to the Ver.1 reader: it either loads or refuses as invalid.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzDocument.h"
#include "doc/CsvLedgerForm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tallymo;
    CTallymoDoc& doc = fuzz::FreshDocument();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LedgerContents ledger;
    if (ReadCsvLedger(text, ledger)) {
        doc.ReplaceContents(std::move(ledger));
        fuzz::Query(doc);
    }
    return 0;
}
