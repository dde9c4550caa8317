#pragma once
// The Ver.1 text form (.csv): CP932 lines ending in CR LF, a line of column widths, a line of
// matter names with the close day, and one line per calendar day from 1 January 2000 with every
// matter's amount of the day and the running balance. It holds no memo, no hidden flag and no
// setting but the close day.

#include <string>
#include <string_view>

namespace tallymo {

class CTallymoDoc;
struct LedgerContents;

struct CsvLedgerText {
    std::string bytes;
    // The ledger has entries before 2000, which the form cannot hold (the balance of the
    // first day line still includes them).
    bool droppedEarlyEntries = false;
};

// The document as Ver.1 text. A "," in a matter name becomes "，" and a CR or LF a blank, so
// that the name keeps its column.
CsvLedgerText WriteCsvLedger(const CTallymoDoc& doc);

// Fills a ledger from Ver.1 text; false when the text is not a valid Ver.1 file (the ledger is
// then of no use).
bool ReadCsvLedger(std::string_view text, LedgerContents& doc);

}  // namespace tallymo
