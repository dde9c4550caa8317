#pragma once
// The advice sheet: a short Japanese comment on the user's spending, worded from the figures of
// the graph window's selected tab. Lines end in CR LF. The text is UTF-8 (matter names are
// converted from the ledger's CP932), ready for the advice box or the command line.

#include <cstdint>
#include <string>

#include "analysis/Trend.h"

namespace tallymo {

class CTallymoDoc;

enum class GraphTab : int { Share = 0, Trend = 1 };

// Share tab: compares the projected total of the running period with the previous period's
// total; the default advice when the previous period has no outgo.
std::string ShareAdvice(std::int64_t totalCurProjected, std::int64_t totalPrev);

// Trend tab: names the falling matters, then the rising ones; the default advice when neither
// list holds a matter.
std::string TrendAdvice(const TrendRanking& ranking);

// The advice for the tab, computed from the ledger. `project` is the window's projection check
// box: it changes the trend tab's series; the share tab always compares the projected total.
std::string BuildAdvice(const CTallymoDoc& doc, GraphTab tab, bool project);

}  // namespace tallymo
