#pragma once
// Ledger files for the command-line tests, written with the core itself.

#include <string>
#include <vector>

#include "doc/TimeValue.h"

namespace tallymo::test {

struct Booking {
    TimeValue day;
    int matter;
    int amount;
};

struct LedgerSpec {
    std::vector<std::string> income;  // UTF-8 names
    std::vector<std::string> outgo;
    std::vector<int> hidden;  // matter indexes
    int showType = 0;
    bool showProjection = false;
    std::vector<Booking> bookings;
};

// Writes the ledger to `path` (.tm2 or .csv by the extension); a failed test when it cannot.
void WriteLedger(const std::string& path, const LedgerSpec& spec);

}  // namespace tallymo::test
