#pragma once
// The outgo matters that the analysis looks at: the visible ones, in list order. A hidden
// matter has no table row, no chart series and no trend.

#include <vector>

#include "doc/Matter.h"

namespace tallymo {

class CTallymoDoc;

struct OutgoMatter {
    MatterIndex index = 0;  // global matter index
    Cp932Text name;         // as in the ledger
};

// Position p in the result is the matter's position among the visible outgo matters
// (the chart's series p + 1, the table's matter row p).
std::vector<OutgoMatter> VisibleOutgoMatters(const CTallymoDoc& doc);

}  // namespace tallymo
