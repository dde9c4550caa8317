#include "analysis/Advice.h"

#include "analysis/ShareFigures.h"
#include "analysis/TrendFigures.h"
#include "doc/TextCodec.h"
#include "doc/YenFormat.h"

namespace tallymo {

namespace {

constexpr const char* kNoAdvice =
    "アドバイスは特にありません。支出があるたびに小遣い帳をつけることが長続きする秘訣です。\r\n";
constexpr const char* kTotalOver =
    "　支出合計予測額が前月分を超過しています。支出を控えるようにしましょう。\r\n";
constexpr const char* kTotalUnder =
    "　支出合計予測額が前月分を下回っています。支出が抑えられていますので、"
    "このままの状態を保つようにしてください。\r\n";

constexpr const char* kDecreaseHeading = "特に減少傾向にある事柄は・・・\r\n";
constexpr const char* kDecreaseLine = "円ずつ節約できています)\r\n";
constexpr const char* kDecreaseClosing = "です。よく節約できています。\r\n\r\n";
constexpr const char* kIncreaseHeading = "特に増加傾向にある事柄は・・・\r\n";
constexpr const char* kIncreaseLine = "円ずつ増えてしまっています)\r\n";
constexpr const char* kIncreaseClosing = "です。節約できることがあれば、実践してみましょう。\r\n";

// The size of a trend in whole yen. Taken as unsigned so that the most negative trend
// (-2,147,483,648) prints as its size rather than overflowing back to a negative figure.
std::uint32_t TrendMagnitude(std::int32_t yen) {
    const auto bits = static_cast<std::uint32_t>(yen);
    return yen < 0 ? 0u - bits : bits;
}

void AppendSection(std::string& text, const std::vector<MatterTrend>& matters, const char* heading,
                   const char* lineEnd, const char* closing) {
    if (matters.empty()) return;
    text += heading;
    for (const MatterTrend& trend : matters) {
        text += "・";
        text += Cp932ToUtf8(trend.matter.name);
        text += "(一ヶ月ごとに約";
        text += FormatYen(TrendMagnitude(trend.yenPerPeriod));
        text += lineEnd;
    }
    text += closing;
}

std::string OrDefault(std::string text) {
    return text.empty() ? kNoAdvice : text;
}

}  // namespace

std::string ShareAdvice(std::int64_t totalCurProjected, std::int64_t totalPrev) {
    if (totalPrev == 0) return kNoAdvice;
    const double ratio = static_cast<double>(totalCurProjected) / static_cast<double>(totalPrev);
    return ratio > 1.0 ? kTotalOver : kTotalUnder;
}

std::string TrendAdvice(const TrendRanking& ranking) {
    std::string text;
    AppendSection(text, ranking.decreasing, kDecreaseHeading, kDecreaseLine, kDecreaseClosing);
    AppendSection(text, ranking.increasing, kIncreaseHeading, kIncreaseLine, kIncreaseClosing);
    return OrDefault(std::move(text));
}

std::string BuildAdvice(const CTallymoDoc& doc, GraphTab tab, bool project) {
    if (tab == GraphTab::Share) {
        const ShareFigures figures = ComputeShareFigures(doc, project);
        return ShareAdvice(figures.totalCurProjected, figures.totalPrev);
    }
    return TrendAdvice(ComputeTrendFigures(doc, 0, project).ranking);
}

}  // namespace tallymo
