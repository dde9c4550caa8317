// A file as the user opens it (the first byte chooses the form), then everything the window
// and the command line build from it: the ledger table in each view mode, the printed month
// table and the graph window's content on both tabs. So the table and graph code meets
// hostile dates, amounts and matter lists too, within the fuzzer's memory limit.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "FuzzDocument.h"
#include "analysis/GraphContent.h"
#include "doc/BinaryLedgerForm.h"
#include "doc/CsvLedgerForm.h"
#include "views/PeriodTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tallymo;
    if (size == 0) return 0;
    const bool csv = (data[0] & 1) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    LedgerContents ledger;
    const bool loaded = csv ? ReadCsvLedger(bytes, ledger)
                            : ReadBinaryLedger(bytes, ledger) == BinaryReadResult::Loaded;
    if (!loaded) return 0;

    CTallymoDoc& doc = fuzz::FreshDocument();
    const std::int32_t showType = doc.Settings().ShowType;
    doc.ReplaceContents(std::move(ledger));
    doc.SetCurrentDate(doc.Entries().empty() ? doc.GetClock().Now() : doc.LastDate());
    for (const std::int32_t mode : {showType, 0, 1, 2}) {
        doc.Settings().ShowType = mode;
        (void)BuildLedgerTable(doc, MakeLedgerTableShape(doc, 4));
    }
    (void)BuildPrintedMonthTable(doc);
    (void)BuildGraphContent(doc, GraphView{GraphTab::Share, false, 0});
    (void)BuildGraphContent(doc, GraphView{GraphTab::Trend, true, 8});
    return 0;
}
