#pragma once
// The binary ledger form (.tm2): the writer produces the current layout; the reader accepts
// every layout from version 2000000 on. Both work on bytes in memory, so the file handling
// (LedgerFile.cpp), the fuzzers and the benchmarks share them.

#include <cstdint>
#include <string>
#include <string_view>

#include "doc/ByteSink.h"

namespace tallymo {

class CTallymoDoc;
struct LedgerContents;

inline constexpr std::string_view kLedgerMagic = "tallymoo";
inline constexpr std::int32_t kOldestLedgerVersion = 2000000;

enum class BinaryReadResult {
    Loaded,
    NotLedgerFile,       // the magic is not "tallymoo"
    UnsupportedVersion,  // written before the oldest layout
    Truncated,           // the bytes end before the layout does
    TooManyMatters,      // a matter list longer than any ledger's (kMaxMattersPerList)
};

// Fills a ledger from a .tm2 file: settings as they are read, then both matter lists, then the
// entries (those of a matter index the lists lack are dropped). On a failure the ledger is
// partly filled and of no use. Counts and lengths are checked against the
// remaining bytes before anything is allocated for them. Bytes after the last entry are
// ignored.
BinaryReadResult ReadBinaryLedger(std::string_view bytes, LedgerContents& doc);

// The document in the current layout, stamped with the document's program version and
// `reserved` (the time of the save). Entries of amount 0 are left out: the caller removes them
// from the document once the file is safely written.
std::string WriteBinaryLedger(const CTallymoDoc& doc, std::uint32_t reserved);

// The same bytes handed to `sink` in pieces of some hundred kilobytes, so that a large ledger
// is never held whole in memory beside the document. False when the sink refused a piece.
bool WriteBinaryLedger(const CTallymoDoc& doc, std::uint32_t reserved, const ByteSink& sink);

}  // namespace tallymo
