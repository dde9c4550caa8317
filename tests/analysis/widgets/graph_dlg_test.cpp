// The graph window over small ledgers. Its figures are the core's (tests/analysis); here: that
// the window shows them as the command line does, scrolls, keeps its cells display-only,
// survives a failure and stores the projection box.

#include "analysis/widgets/GraphDlg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QBarCategoryAxis>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QPieSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <QWheelEvent>
#include <map>
#include <set>
#include <stdexcept>

#include "analysis/AnalysisLedger.h"
#include "analysis/PeriodAmounts.h"
#include "analysis/widgets/MSChart.h"
#include "calc/widgets/CalcEdit.h"
#include "cli/CliRunner.h"
#include "support/FrameFixture.h"
#include "views/FrameCommands.h"

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

// Ten visible outgo matters, each booked this month and last month with its own amount.
struct TenMatters : AnalysisLedger {
    TenMatters()
        : AnalysisLedger(
              2005, 3, 15,
              {{"m1"}, {"m2"}, {"m3"}, {"m4"}, {"m5"}, {"m6"}, {"m7"}, {"m8"}, {"m9"}, {"m10"}}) {
        for (int m = 0; m < 10; ++m) {
            Book(2005, 3, 1 + m, m, 100 * (m + 1));
            Book(2005, 2, 1 + m, m, 50 * (m + 1));
        }
    }
};

// The window and the command line show one set of figures, on both tabs, scrolled and
// projected; the hidden matter has no row, series or mark, and each mark has its series' colour.
TEST(GraphDlgTest, TableEqualsTheCommandLineGraphAndMarksMatchTheSeries) {
    ThreeMatters ledger;
    const std::string path = test::MakeTempDir("graph") + "/ledger.tm2";
    ASSERT_TRUE(ledger.doc.SaveLedgerFile(path));
    CGraphDlg graph(ledger.doc);
    graph.show();
    std::map<int, std::uint32_t> colors;  // of each row: the same on both tabs, three apart
    for (const auto& [tab, offset, project] : {std::tuple{0, 0, false}, std::tuple{0, 0, true},
                                               std::tuple{1, 0, true}, std::tuple{1, 5, false}}) {
        graph.Tabs().setCurrentIndex(tab);
        graph.HorizontalBar().setValue(offset);
        if (graph.ProjectionBox().isChecked() != project) graph.ProjectionBox().click();
        const test::CliRun run =
            test::RunCli({"graph", path, "--current", "2005-03-15", "--now", "2005-03-15 12:00:00",
                          "--tab", tab == 0 ? "share" : "trend", "--offset", std::to_string(offset),
                          "--projection", project ? "on" : "off"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const QJsonArray table = run.Json().object()["table"].toArray();
        ASSERT_EQ(table.size(), graph.RowCount());
        for (int row = 0; row < graph.RowCount(); ++row) {
            QStringList expected;
            for (const QJsonValue cell : table[row].toArray()) expected << cell.toString();
            EXPECT_EQ(RowTexts(graph, row), expected) << tab << offset << project << row;
        }
        EXPECT_EQ(
            graph.AdviceBox().toPlainText(),
            QString::fromStdString(BuildAdvice(ledger.doc, static_cast<GraphTab>(tab), project))
                .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        EXPECT_EQ(graph.HorizontalBar().isVisible(), tab == 1);
        EXPECT_EQ(graph.Chart().ChartType(), tab == 0 ? CMSChart::kPie2d : CMSChart::kLine2d);
        for (int row = 1; row <= 3; ++row) {
            const std::uint32_t color =
                ToColorRef(graph.ColorMark(row).palette().color(QPalette::Window));
            EXPECT_EQ(color, graph.Chart().SeriesColor(row)) << tab << row;
            EXPECT_EQ(colors.emplace(row, color).first->second, color) << tab << row;
        }
    }
    EXPECT_EQ(std::set<std::uint32_t>({colors[1], colors[2], colors[3]}).size(), 3u);
    // The trend chart: twelve periods, each with its label on the axis.
    const auto* across =
        qobject_cast<QBarCategoryAxis*>(graph.Chart().chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(across, nullptr);
    EXPECT_EQ(across->count(), 12);
    EXPECT_EQ(graph.Chart().ColumnCount(), 3);
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
    // A negative figure breaks no pie: that matter simply has no slice.
    const auto* pie = static_cast<QPieSeries*>(graph.Chart().chart()->series().first());
    EXPECT_EQ(pie->slices().at(2)->value(), 0.0);
    for (const auto& [row, column] : {std::pair{1, 2}, std::pair{3, 2}, std::pair{1, 1}}) {
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

// The wheel scrolls the matter rows only while a cell has the focus; past either end of the bar
// it moves the focus to the neighbouring matter row instead.
TEST(GraphDlgTest, WheelScrollsRowsThenMovesTheFocus) {
    TenMatters ledger;
    CGraphDlg graph(ledger.doc);
    ASSERT_TRUE(test::ShowActive(graph));
    const auto wheel = [&](QWidget& target, int delta) {
        QWheelEvent event(QPointF(5, 5), target.mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&target, &event);
    };
    ASSERT_TRUE(test::FocusOn(graph.ProjectionBox()));
    wheel(graph.Cell(3, 1), -120);  // no cell has the focus
    EXPECT_EQ(graph.VerticalBar().value(), 0);

    ASSERT_TRUE(test::FocusOn(graph.Cell(6, 1)));
    const auto focusedRow = [&] {
        for (int row = 0; row < graph.RowCount(); ++row)
            if (graph.Cell(row, 1).hasFocus()) return row;
        return -1;
    };
    // delta, bar value, focused row after it
    const int steps[][3] = {{-120, 1, 6}, {-120, 2, 6}, {-120, 3, 6}, {-120, 3, 7}, {-120, 3, 7},
                            {120, 2, 7},  {120, 1, 7},  {120, 0, 7},  {120, 0, 6}};
    for (const auto& [delta, bar, row] : steps) {
        wheel(*QApplication::focusWidget(), delta);
        EXPECT_EQ(graph.VerticalBar().value(), bar);
        EXPECT_EQ(focusedRow(), row);
        EXPECT_EQ(graph.Cell(1, 0).text(), QStringLiteral("m%1").arg(bar + 1));
    }
    EXPECT_EQ(RowTexts(graph, 8), (QStringList{"合計", "5,500", "100.00", "2,750", "200.00"}));
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
    const QString advice = graph.AdviceBox().toPlainText();
    fail = true;
    graph.ProjectionBox().click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].helpContext, 9990);
    EXPECT_EQ(RowTexts(graph, 1), shown);
    EXPECT_EQ(graph.AdviceBox().toPlainText(), advice);
    fail = false;
    graph.Tabs().setCurrentIndex(1);
    EXPECT_EQ(graph.Chart().ChartType(), CMSChart::kLine2d);
}

// OK stores the box (marking the ledger modified only on a change); closing otherwise keeps
// the setting. The main window's command opens the window modally; help is topic 300.
TEST(GraphDlgTest, OkStoresTheProjectionSettingAndTheFrameOpensTheWindow) {
    for (const auto& [start, click, ok, stored, modified] :
         {std::tuple{true, false, true, true, false}, std::tuple{true, true, true, false, true},
          std::tuple{false, true, false, false, false}}) {
        ThreeMatters ledger;
        ledger.doc.Settings().ShowProjection = start;
        CGraphDlg graph(ledger.doc);
        EXPECT_EQ(graph.ProjectionBox().isChecked(), start);
        if (click) graph.ProjectionBox().click();
        ok ? graph.accept() : graph.reject();
        EXPECT_EQ(ledger.doc.Settings().ShowProjection, stored);
        EXPECT_EQ(ledger.doc.IsModified(), modified);
    }

    test::FrameFixture f;
    CMainFrame& frame = f.Create();
    ASSERT_TRUE(f.ShowActive());
    QTimer::singleShot(0, [&] {
        auto* graph = qobject_cast<CGraphDlg*>(QApplication::activeModalWidget());
        if (!graph) return QApplication::activeModalWidget()->close();
        for (QPushButton* button : graph->findChildren<QPushButton*>())
            if (button->property("controlId").toInt() == 9) button->click();  // help
        graph->ProjectionBox().click();
        graph->accept();
        return true;
    });
    frame.Action(kCmdGraph)->trigger();
    EXPECT_TRUE(f.docs.doc.Settings().ShowProjection);
    EXPECT_EQ(f.help.topics, std::vector<int>{300});
}

}  // namespace
}  // namespace tallymo
