#pragma once
// The share tab's figures: each visible outgo matter's amount in the running and the previous
// period, its share of the running total and its ratio to the previous period.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/OutgoMatters.h"

namespace tallymo {

class CTallymoDoc;

// part / whole × 100 in single precision; 0 when whole is 0. Both are read as signed amounts,
// so a negative amount (only a file can hold one) gives a negative figure rather than the
// percentage of its bits read as an unsigned number.
float PercentOf(std::int64_t part, std::int64_t whole);

// A share as shown: "---.--" below 0, otherwise FormatPercent.
std::string ShareText(float share);

struct MatterShare {
    OutgoMatter matter;
    std::int32_t cur = 0;           // period 0, projected when the window asks for it
    std::int32_t curProjected = 0;  // period 0, always projected (for the advice)
    std::int32_t prev = 0;          // period 1, never projected
    float share = 0;                // PercentOf(cur, total of cur)
    float ratio = 0;                // PercentOf(cur, prev)
};

struct ShareFigures {
    std::vector<MatterShare> matters;  // visible outgo matters in list order
    // Sums over the matters, kept exact: a projected running period can pass the 32-bit range
    // with ordinary bookings (early on its first day the factor is in the tens of thousands),
    // and a wrapped total would read as negative and turn the comparison round.
    std::int64_t totalCur = 0;
    std::int64_t totalCurProjected = 0;
    std::int64_t totalPrev = 0;
    float totalRatio = 0;  // PercentOf(totalCur, totalPrev)
};

ShareFigures ComputeShareFigures(const CTallymoDoc& doc, bool project);

}  // namespace tallymo
