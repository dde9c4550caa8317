#pragma once
// Everything the graph window shows for one state of its controls, as plain texts: the table
// (header, one row per visible outgo matter, total row), the chart's rows and series, and the
// advice. The window and the command line only lay these out. Texts are UTF-8.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Advice.h"
#include "analysis/OutgoMatters.h"

namespace tallymo {

class CTallymoDoc;
struct ShareFigures;
struct TrendFigures;

struct GraphView {
    GraphTab tab = GraphTab::Share;
    bool project = false;  // "今月分を見込みで表示する"
    int offset = 0;        // horizontal bar of the trend tab, 0 .. 8
};

inline constexpr int kGraphTableColumns = 5;
using GraphTableRow = std::array<std::string, kGraphTableColumns>;

enum class ChartType { Pie, Line };

struct ChartData {
    ChartType type = ChartType::Pie;
    std::vector<std::string> rowLabels;  // one per chart row
    std::vector<std::string> columns;    // matter names: series c is visible outgo matter c
    std::vector<std::vector<std::int32_t>> values;  // [row][column]
    std::vector<std::vector<std::string>> texts;    // the same as decimal texts, no separators
};

struct GraphContent {
    std::vector<OutgoMatter> matters;  // table row p + 1 and chart column p show matters[p]
    std::vector<GraphTableRow> table;  // header, every matter (the window scrolls), total
    ChartData chart;
    std::string advice;
};

// A chart point as text: the decimal figure without separators. A negative sum (only a file
// can hold one) keeps its sign instead of reading as a figure near 4.3 billion.
std::string ChartPointText(std::int32_t value);

std::vector<GraphTableRow> BuildShareTable(const ShareFigures& figures);
std::vector<GraphTableRow> BuildTrendTable(const TrendFigures& figures);
ChartData BuildShareChart(const ShareFigures& figures);
ChartData BuildTrendChart(const TrendFigures& figures);

GraphContent BuildGraphContent(const CTallymoDoc& doc, const GraphView& view);

}  // namespace tallymo
