#pragma once
// Small helpers to build ledgers in tests and benchmarks.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "doc/Matter.h"
#include "doc/TimeValue.h"

namespace tallymo {
class CTallymoDoc;

// Shows a ledger text in a failed expectation as the text it reads as.
void PrintTo(const Cp932Text& text, std::ostream* out);
}  // namespace tallymo

namespace tallymo::test {

// Local 00:00:00 of a calendar day.
TimeValue Day(int year, int month, int day);

// A UTF-8 text as the CP932 text the ledger keeps (throws when CP932 cannot hold it).
Cp932Text Sjis(const std::string& utf8);

// Replaces the document's lists and entries: `incomeNames` then `outgoNames` (UTF-8 names
// stored as CP932), all visible, width 900.
void ResetLedger(CTallymoDoc& doc, const std::vector<std::string>& incomeNames,
                 const std::vector<std::string>& outgoNames);

// A generated ledger: `entryCount` entries over `matterCount` matters (4 income, the rest
// outgo) spread over `years` years ending on `lastDay`, appended in date order the way a
// person books, with a few entries per cell. Deterministic for a given seed.
void FillGeneratedLedger(CTallymoDoc& doc, std::size_t entryCount, int matterCount, int years,
                         TimeValue lastDay, std::uint32_t seed = 12345);

}  // namespace tallymo::test
