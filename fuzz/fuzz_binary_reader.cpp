// Any bytes given to the binary reader: it either loads or refuses, never reads out of bounds
// and never allocates more than the input's size allows (libFuzzer's malloc limit checks that).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzDocument.h"
#include "doc/BinaryLedgerForm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tallymo;
    CTallymoDoc& doc = fuzz::FreshDocument();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LedgerContents ledger;
    if (ReadBinaryLedger(bytes, ledger) == BinaryReadResult::Loaded) {
        doc.ReplaceContents(std::move(ledger));
        fuzz::Query(doc);
    }
    return 0;
}
