#include "analysis/GraphContent.h"

#include "analysis/ShareFigures.h"
#include "analysis/TrendFigures.h"
#include "doc/TextCodec.h"
#include "doc/YenFormat.h"

namespace tallymo {

namespace {

constexpr const char* kMatterCaption = "事柄";
constexpr const char* kTotalCaption = "合計";
constexpr const char* kFullShare = "100.00";
constexpr const char* kRunningPeriodLabel = "今月分";
constexpr const char* kPreviousPeriodLabel = "前月分";

// Amount cells show the signed figure, so a negative sum from a file reads as what it is.
std::string AmountText(std::int64_t value) {
    return FormatSignedYen(value);
}

std::vector<std::string> MatterNames(const std::vector<OutgoMatter>& matters) {
    std::vector<std::string> names;
    names.reserve(matters.size());
    for (const OutgoMatter& matter : matters) names.push_back(Cp932ToUtf8(matter.name));
    return names;
}

void FillTexts(ChartData& chart) {
    chart.texts.clear();
    for (const auto& row : chart.values) {
        std::vector<std::string> texts;
        texts.reserve(row.size());
        for (std::int32_t value : row) texts.push_back(ChartPointText(value));
        chart.texts.push_back(std::move(texts));
    }
}

std::vector<OutgoMatter> MattersOf(const ShareFigures& figures) {
    std::vector<OutgoMatter> matters;
    for (const MatterShare& row : figures.matters) matters.push_back(row.matter);
    return matters;
}

std::vector<OutgoMatter> MattersOf(const TrendFigures& figures) {
    std::vector<OutgoMatter> matters;
    for (const MatterPeriodAmounts& row : figures.matters) matters.push_back(row.matter);
    return matters;
}

}  // namespace

std::string ChartPointText(std::int32_t value) {
    return std::to_string(value);
}

std::vector<GraphTableRow> BuildShareTable(const ShareFigures& figures) {
    std::vector<GraphTableRow> table;
    table.push_back({kMatterCaption, "支出", "割合", "前月", "前月比"});
    for (const MatterShare& row : figures.matters) {
        table.push_back({Cp932ToUtf8(row.matter.name), AmountText(row.cur), ShareText(row.share),
                         AmountText(row.prev), FormatPercent(row.ratio)});
    }
    table.push_back({kTotalCaption, AmountText(figures.totalCur), kFullShare,
                     AmountText(figures.totalPrev), FormatPercent(figures.totalRatio)});
    return table;
}

std::vector<GraphTableRow> BuildTrendTable(const TrendFigures& figures) {
    std::vector<GraphTableRow> table;
    GraphTableRow header{kMatterCaption};
    for (int c = 0; c < kTrendTableColumns; ++c) header[c + 1] = figures.periodLabels[c];
    table.push_back(std::move(header));
    for (const MatterPeriodAmounts& row : figures.matters) {
        GraphTableRow cells{Cp932ToUtf8(row.matter.name)};
        for (int c = 0; c < kTrendTableColumns; ++c) cells[c + 1] = AmountText(row.amounts[c]);
        table.push_back(std::move(cells));
    }
    GraphTableRow total{kTotalCaption};
    for (int c = 0; c < kTrendTableColumns; ++c) total[c + 1] = AmountText(figures.columnTotals[c]);
    table.push_back(std::move(total));
    return table;
}

ChartData BuildShareChart(const ShareFigures& figures) {
    ChartData chart;
    chart.type = ChartType::Pie;
    chart.rowLabels = {kRunningPeriodLabel, kPreviousPeriodLabel};
    chart.columns = MatterNames(MattersOf(figures));
    std::vector<std::int32_t> running, previous;
    for (const MatterShare& row : figures.matters) {
        running.push_back(row.cur);
        previous.push_back(row.prev);
    }
    chart.values = {std::move(running), std::move(previous)};
    FillTexts(chart);
    return chart;
}

ChartData BuildTrendChart(const TrendFigures& figures) {
    ChartData chart;
    chart.type = ChartType::Line;
    chart.rowLabels = figures.periodLabels;
    chart.columns = MatterNames(MattersOf(figures));
    chart.values.assign(figures.periodLabels.size(), {});
    for (std::size_t i = 0; i < chart.values.size(); ++i) {
        for (const MatterPeriodAmounts& row : figures.matters) {
            chart.values[i].push_back(row.amounts[i]);
        }
    }
    FillTexts(chart);
    return chart;
}

GraphContent BuildGraphContent(const CTallymoDoc& doc, const GraphView& view) {
    GraphContent content;
    if (view.tab == GraphTab::Share) {
        const ShareFigures figures = ComputeShareFigures(doc, view.project);
        content.matters = MattersOf(figures);
        content.table = BuildShareTable(figures);
        content.chart = BuildShareChart(figures);
        content.advice = ShareAdvice(figures.totalCurProjected, figures.totalPrev);
    } else {
        const TrendFigures figures = ComputeTrendFigures(doc, view.offset, view.project);
        content.matters = MattersOf(figures);
        content.table = BuildTrendTable(figures);
        content.chart = BuildTrendChart(figures);
        content.advice = TrendAdvice(figures.ranking);
    }
    return content;
}

}  // namespace tallymo
