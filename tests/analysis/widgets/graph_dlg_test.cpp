// The graph window over small ledgers. Its figures are the core's (tests/analysis); here: that
// the window shows them, scrolls, keeps its cells display-only, survives a failure and stores
// the projection box.

#include "analysis/widgets/GraphDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QScrollBar>
#include <QTabBar>
#include <stdexcept>

#include "analysis/AnalysisLedger.h"
#include "analysis/GraphContent.h"
#include "analysis/widgets/MSChart.h"
#include "calc/widgets/CalcEdit.h"
#include "support/WidgetTestSupport.h"

namespace tallymo {
namespace {

using test::AnalysisLedger;

QStringList RowTexts(const CGraphDlg& graph, int row) {
    QStringList texts;
    for (int column = 0; column < kGraphTableColumns; ++column)
        texts << graph.Cell(row, column).text();
    return texts;
}

// 15 March 2005: three visible outgo matters booked this month and the year before, and a
// hidden one that has bookings too.
struct ThreeMatters : AnalysisLedger {
    ThreeMatters()
        : AnalysisLedger(2005, 3, 15, {{"食費"}, {"隠し", false}, {"交通費"}, {"書籍"}}) {
        for (int month = 1; month <= 12; ++month) {
            Book(2004, month, 5, 0, 1000 + 100 * month);
            Book(2004, month, 6, 2, 500);
            Book(2004, month, 7, 1, 9999);
        }
        Book(2005, 3, 2, 0, 1000);
        Book(2005, 3, 3, 2, 700);
        Book(2005, 3, 4, 3, 250);
        Book(2005, 3, 5, 1, 5000);
    }
};

// The window shows the core's figures on both tabs, scrolled and projected; the hidden matter
// has no row, and each colour mark has its series' colour, the same on both tabs.
TEST(GraphDlgTest, TableShowsTheCoresFiguresAndMarksMatchTheSeries) {
    ThreeMatters ledger;
    CGraphDlg graph(ledger.doc);
    graph.show();
    std::uint32_t colors[4] = {};  // of each row on the first tab
    for (const auto& [tab, offset, project] : {std::tuple{0, 0, true}, std::tuple{1, 5, false}}) {
        graph.Tabs().setCurrentIndex(tab);
        graph.HorizontalBar().setValue(offset);
        if (graph.ProjectionBox().isChecked() != project) graph.ProjectionBox().click();
        const GraphContent content =
            BuildGraphContent(ledger.doc, {static_cast<GraphTab>(tab), project, offset});
        ASSERT_EQ(static_cast<int>(content.table.size()), graph.RowCount());
        for (int row = 0; row < graph.RowCount(); ++row) {
            QStringList expected;
            for (const std::string& cell : content.table[row])
                expected << QString::fromStdString(cell);
            EXPECT_EQ(RowTexts(graph, row), expected) << tab << row;
        }
        EXPECT_EQ(graph.Chart().ChartType(), tab == 0 ? CMSChart::kPie2d : CMSChart::kLine2d);
        for (int row = 1; row <= 3; ++row) {
            const auto color = ToColorRef(graph.ColorMark(row).palette().color(QPalette::Window));
            EXPECT_EQ(color, graph.Chart().SeriesColor(row));
            // As the window draws it: the mark paints its own background.
            const QWidget& mark = graph.ColorMark(row);
            const QImage shown =
                graph.grab(QRect(mark.mapTo(&graph, QPoint()), mark.size())).toImage();
            EXPECT_EQ(ToColorRef(shown.pixelColor(shown.rect().center())), color);
            if (tab == 0) colors[row] = color;
            EXPECT_EQ(colors[row], color) << row;
        }
    }
    EXPECT_TRUE(colors[1] != colors[2] && colors[2] != colors[3] && colors[1] != colors[3]);
}

// The cells show figures only: nothing typed changes them, and leaving a cell never evaluates
// its text ("45.50" is no amount to round, "---.--" no expression to refuse).
TEST(GraphDlgTest, CellsAreDisplayOnlyAndKeepTheirTexts) {
    AnalysisLedger ledger(2005, 3, 15, {{"食費"}, {"交通費"}, {"払戻"}});
    ledger.Book(2005, 3, 2, 0, 910);
    ledger.Book(2005, 3, 2, 1, 1590);
    ledger.Book(2005, 3, 3, 2, -500);  // a negative amount, as a file can hold
    test::MessageCapture messages;
    CGraphDlg graph(ledger.doc);
    ASSERT_TRUE(test::ShowActive(graph));
    EXPECT_TRUE(graph.Cell(3, 1).ShowsNegativeInRed());
    for (const auto& [row, column] : {std::pair{1, 2}, std::pair{3, 2}}) {
        CCalcEdit& cell = graph.Cell(row, column);
        const QString shown = cell.text();
        ASSERT_TRUE(test::FocusOn(cell));
        QTest::keyClicks(&cell, "12+3");
        QTest::keyClick(&cell, Qt::Key_Return);
        ASSERT_TRUE(test::FocusOn(graph.ProjectionBox()));
        EXPECT_EQ(cell.text(), shown);
    }
    EXPECT_EQ(graph.Cell(1, 2).text(), "45.50");
    EXPECT_EQ(graph.Cell(3, 2).text(), "---.--");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(ledger.doc.IsModified());
}

TEST(GraphDlgTest, FailureWhileFillingKeepsWhatWasShown) {
    ThreeMatters ledger;
    test::MessageCapture messages;
    bool fail = false;
    CGraphDlg graph(ledger.doc, nullptr, [&fail](const CTallymoDoc& doc, const GraphView& view) {
        if (fail) throw std::runtime_error("matter not found");
        return BuildGraphContent(doc, view);
    });
    const QStringList shown = RowTexts(graph, 1);
    fail = true;
    graph.ProjectionBox().click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].helpContext, 9990);
    EXPECT_EQ(RowTexts(graph, 1), shown);
}

}  // namespace
}  // namespace tallymo
