// The graph window's texts built from a ledger: table rows, chart rows and series, advice.

#include "analysis/GraphContent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/Advice.h"
#include "analysis/AnalysisLedger.h"

namespace tallymo {
namespace {

using test::AnalysisLedger;
using Rows = std::vector<GraphTableRow>;
using Texts = std::vector<std::vector<std::string>>;

// 11 March 2005 at 00:00; 食費 1,000 this month (projected 3,099) and 4,000 in February,
// 交通費 booked monthly (3,000 now, 1,000 before), a hidden matter and 書籍 without entries.
class GraphContentTest : public testing::Test {
protected:
    GraphContentTest() {
        ledger.Book(2005, 3, 2, 0, 1000);
        ledger.Book(2005, 2, 10, 0, 4000);
        ledger.Book(2005, 3, 3, 1, 777);
        ledger.Book(2005, 3, 4, 2, 3000);
        ledger.Book(2005, 2, 4, 2, 1000);
    }
    AnalysisLedger ledger{2005, 3, 11, {{"食費"}, {"隠し", false}, {"交通費"}, {"書籍"}}, 0, 0};
};

TEST_F(GraphContentTest, ShareTabWithAndWithoutProjection) {
    const GraphContent off = BuildGraphContent(ledger.doc, {GraphTab::Share, false, 0});
    EXPECT_EQ(off.table, (Rows{
                             {"事柄", "支出", "割合", "前月", "前月比"},
                             {"食費", "1,000", "25.00", "4,000", "25.00"},
                             {"交通費", "3,000", "75.00", "1,000", "300.00"},
                             {"書籍", "0", "0.00", "0", "0.00"},
                             {"合計", "4,000", "100.00", "5,000", "80.00"},
                         }));
    EXPECT_EQ(off.chart.texts, (Texts{{"1000", "3000", "0"}, {"4000", "1000", "0"}}));
    // The projected total 6,099 is above February's 5,000 even with the box off.
    EXPECT_EQ(off.advice,
              "\u3000支出合計予測額が前月分を超過しています。支出を控えるようにしましょう。\r\n");

    const GraphContent on = BuildGraphContent(ledger.doc, {GraphTab::Share, true, 0});
    EXPECT_EQ(on.table[1], (GraphTableRow{"食費", "3,099", "50.81", "4,000", "77.47"}));
    EXPECT_EQ(on.table[4], (GraphTableRow{"合計", "6,099", "100.00", "5,000", "121.98"}));
    EXPECT_EQ(on.advice, off.advice);
}

TEST_F(GraphContentTest, TrendTabTableAndChart) {
    const GraphContent content = BuildGraphContent(ledger.doc, {GraphTab::Trend, true, 0});
    EXPECT_EQ(content.table[0],
              (GraphTableRow{"事柄", "2005/03", "2005/02", "2005/01", "2004/12"}));
    EXPECT_EQ(content.table[4], (GraphTableRow{"合計", "6,099", "5,000", "0", "0"}));
    EXPECT_EQ(content.chart.rowLabels[11], "2004/04");
    // 食費 4,000 -> 3,099 falls by 901; 交通費 1,000 -> 3,000 rises by 2,000.
    EXPECT_EQ(content.advice,
              "特に減少傾向にある事柄は・・・\r\n"
              "・食費(一ヶ月ごとに約901円ずつ節約できています)\r\n"
              "です。よく節約できています。\r\n\r\n"
              "特に増加傾向にある事柄は・・・\r\n"
              "・交通費(一ヶ月ごとに約2,000円ずつ増えてしまっています)\r\n"
              "です。節約できることがあれば、実践してみましょう。\r\n");

    // Scrolled past the end (shown at the last offset, 8): the advice is still that of the
    // latest periods.
    const GraphContent end = BuildGraphContent(ledger.doc, {GraphTab::Trend, true, 9});
    EXPECT_EQ(end.chart.rowLabels[11], "2003/08");
    EXPECT_EQ(end.advice, content.advice);
}

// Nothing to compare or nothing ranked: the default text; the largest possible fall stays
// positive.
TEST(AdviceTest, DefaultTextsAndTheLargestFall) {
    const std::string none =
        "アドバイスは特にありません。支出があるたびに小遣い帳をつけることが長続きする秘訣です。\r"
        "\n";
    EXPECT_EQ(ShareAdvice(5000, 0), none);
    EXPECT_EQ(TrendAdvice({}), none);
    EXPECT_EQ(ShareAdvice(1000, 1000),
              "\u3000支出合計予測額が前月分を下回っています。支出が抑えられていますので、"
              "このままの状態を保つようにしてください。\r\n");
    const MatterTrend food{{0, Cp932Text("\x90\x48\x94\xEF")}, -2147483648.0, INT32_MIN};
    EXPECT_EQ(TrendAdvice({{food}, {}}),
              "特に減少傾向にある事柄は・・・\r\n"
              "・食費(一ヶ月ごとに約2,147,483,648円ずつ節約できています)\r\n"
              "です。よく節約できています。\r\n\r\n");
}

}  // namespace
}  // namespace tallymo
