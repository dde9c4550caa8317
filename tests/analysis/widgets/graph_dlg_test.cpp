// The graph window over small ledgers: table shape and scrolling, the two tabs, the projection
// box, hidden matters, colour marks, the display-only cells, the wheel, failures, OK and help.

#include "analysis/widgets/GraphDlg.h"

#include <gtest/gtest.h>

#include <QAction>
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
    for (int column = 0; column < kGraphTableColumns; ++column) {
        texts << graph.Cell(row, column).text();
    }
    return texts;
}

QPushButton* Button(const CGraphDlg& graph, int id) {
    for (QPushButton* button : graph.findChildren<QPushButton*>()) {
        if (button->property("controlId").toInt() == id) return button;
    }
    return nullptr;
}

// 15 March 2005, noon: three visible outgo matters booked this month and the months before,
// and a hidden one that has bookings too.
struct ThreeMatters : AnalysisLedger {
    ThreeMatters()
        : AnalysisLedger(2005, 3, 15, {{"食費"}, {"隠し", false}, {"交通費"}, {"書籍"}}) {
        for (int month = 1; month <= 12; ++month) {
            Book(2004, month, 5, 0, 1000 + 100 * month);
            Book(2004, month, 6, 2, 500);
            Book(2004, month, 7, 1, 9999);
        }
        Book(2005, 1, 5, 0, 3000);
        Book(2005, 2, 5, 0, 4000);
        Book(2005, 2, 6, 2, 1500);
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

TEST(GraphDlgTest, TableRowsScrollBarAndPiesFollowTheVisibleMatters) {
    struct Case {
        int matters, rows;
        bool bar;
        int barMax;
    };
    ThreeMatters three;
    TenMatters ten;
    for (const auto& [doc, c] : {std::pair<CTallymoDoc*, Case>{&three.doc, {3, 5, false, 0}},
                                 std::pair<CTallymoDoc*, Case>{&ten.doc, {10, 9, true, 3}}}) {
        CGraphDlg graph(*doc);
        graph.show();
        SCOPED_TRACE(c.matters);
        EXPECT_EQ(graph.RowCount(), c.rows);
        EXPECT_EQ(graph.VerticalBar().isVisible(), c.bar);
        EXPECT_EQ(graph.VerticalBar().maximum(), c.barMax);
        EXPECT_FALSE(graph.HorizontalBar().isVisible());
        EXPECT_EQ(graph.Chart().ChartType(), CMSChart::kPie2d);
        EXPECT_EQ(graph.Chart().RowLabel(2), QStringLiteral("前月分"));
        const QList<QAbstractSeries*> pies = graph.Chart().chart()->series();
        ASSERT_EQ(pies.size(), 2);
        for (QAbstractSeries* pie : pies) {
            EXPECT_EQ(static_cast<QPieSeries*>(pie)->count(), c.matters);
        }
    }

    // At the end of the bar the last seven matters are shown; the totals stay those of all ten.
    CGraphDlg graph(ten.doc);
    graph.VerticalBar().setValue(3);
    EXPECT_EQ(RowTexts(graph, 1), (QStringList{"m4", "400", "7.27", "200", "200.00"}));
    EXPECT_EQ(graph.Cell(7, 0).text(), QStringLiteral("m10"));
    EXPECT_EQ(RowTexts(graph, 8), (QStringList{"合計", "5,500", "100.00", "2,750", "200.00"}));
    EXPECT_EQ(graph.MatterPositionOfRow(1), 3);
}

TEST(GraphDlgTest, TrendTabShowsFourPeriodsInTheTableAndTwelveInTheChart) {
    ThreeMatters ledger;
    CGraphDlg graph(ledger.doc);
    graph.show();
    graph.Tabs().setCurrentIndex(1);
    EXPECT_TRUE(graph.HorizontalBar().isVisible());
    EXPECT_EQ(graph.HorizontalBar().maximum(), 8);
    graph.HorizontalBar().setValue(8);
    EXPECT_EQ(RowTexts(graph, 0)[1], QStringLiteral("2004/07"));
    const CMSChart& chart = graph.Chart();
    EXPECT_EQ(chart.ChartType(), CMSChart::kLine2d);
    EXPECT_EQ(chart.RowCount(), 12);
    EXPECT_EQ(chart.ColumnCount(), 3);
    EXPECT_EQ(chart.RowLabel(1), QStringLiteral("2004/07"));
    EXPECT_EQ(chart.Data(1, 1), 1700);  // 食費 in July 2004
    graph.Tabs().setCurrentIndex(0);    // back on the share tab the bar hides again
    EXPECT_FALSE(graph.HorizontalBar().isVisible());
}

// The projection box changes the running period's figures only: table, chart and (trend tab)
// advice; the previous periods stay as they are.
TEST(GraphDlgTest, ProjectionBoxChangesOnlyTheRunningPeriod) {
    ThreeMatters ledger;
    CGraphDlg graph(ledger.doc);
    graph.show();
    struct Case {
        int tab, offset;
        std::set<int> changedColumns;  // table columns that change
        bool chartRowOneChanges;
    };
    const Case cases[] = {{0, 0, {1, 2, 4}, true}, {1, 0, {1}, true}, {1, 1, {}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab * 10 + c.offset);
        graph.ProjectionBox().setChecked(false);
        graph.Tabs().setCurrentIndex(c.tab);
        graph.HorizontalBar().setValue(c.offset);
        std::vector<QStringList> before;
        for (int row = 0; row < graph.RowCount(); ++row) before.push_back(RowTexts(graph, row));
        std::vector<double> chartBefore;
        for (int r = 1; r <= graph.Chart().RowCount(); ++r)
            chartBefore.push_back(graph.Chart().Data(r, 1));

        graph.ProjectionBox().click();
        ASSERT_TRUE(graph.ProjectionBox().isChecked());
        for (int row = 0; row < graph.RowCount(); ++row) {
            const QStringList after = RowTexts(graph, row);
            for (int column = 0; column < kGraphTableColumns; ++column) {
                const bool mayChange = row > 0 && c.changedColumns.count(column) > 0 &&
                                       !(row == graph.RowCount() - 1 && column == 2);
                if (!mayChange) {
                    EXPECT_EQ(after[column], before[row][column]) << row << column;
                }
            }
        }
        // 食費: 1,000 booked by the 15th of 31 days.
        if (!c.changedColumns.empty()) {
            EXPECT_NE(RowTexts(graph, 1)[1], before[1][1]);
        }
        for (int r = 1; r <= graph.Chart().RowCount(); ++r) {
            const bool changed = graph.Chart().Data(r, 1) != chartBefore[r - 1];
            EXPECT_EQ(changed, r == 1 && c.chartRowOneChanges) << r;
        }
        EXPECT_EQ(
            graph.AdviceBox().toPlainText(),
            QString::fromStdString(BuildAdvice(ledger.doc, static_cast<GraphTab>(c.tab), true))
                .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
}

TEST(GraphDlgTest, HiddenMatterHasNoRowSeriesOrMarkAndMarksMatchTheSeries) {
    ThreeMatters ledger;
    CGraphDlg graph(ledger.doc);
    graph.show();
    QStringList names;
    for (int row = 1; row < graph.RowCount() - 1; ++row) names << graph.Cell(row, 0).text();
    EXPECT_EQ(names, (QStringList{"食費", "交通費", "書籍"}));
    std::set<std::uint32_t> colors;
    for (int tab : {0, 1}) {
        graph.Tabs().setCurrentIndex(tab);
        EXPECT_EQ(graph.Chart().ColumnCount(), 3);
        for (int row = 1; row <= 3; ++row) {
            const QWidget& mark = graph.ColorMark(row);
            EXPECT_TRUE(mark.isVisible());
            const std::uint32_t color = ToColorRef(mark.palette().color(QPalette::Window));
            EXPECT_EQ(color, graph.Chart().SeriesColor(row)) << tab << row;
            colors.insert(color);
        }
    }
    EXPECT_EQ(colors.size(), 3u);  // distinct, and the same on both tabs
}

// The cells show figures only: nothing typed or clicked changes them, and leaving a cell never
// evaluates its text ("45.50" is no amount to round, "---.--" no expression to refuse).
TEST(GraphDlgTest, CellsAreDisplayOnlyAndKeepTheirTexts) {
    AnalysisLedger ledger(2005, 3, 15, {{"食費"}, {"交通費"}, {"払戻"}});
    ledger.Book(2005, 3, 2, 0, 910);
    ledger.Book(2005, 3, 2, 1, 1590);
    ledger.Book(2005, 3, 3, 2, -500);  // a negative amount, as a file can hold
    ledger.Book(2005, 2, 3, 0, 100);
    test::MessageCapture messages;
    CGraphDlg graph(ledger.doc);
    ASSERT_TRUE(test::ShowActive(graph));
    EXPECT_EQ(RowTexts(graph, 1), (QStringList{"食費", "910", "45.50", "100", "910.00"}));
    EXPECT_EQ(RowTexts(graph, 3), (QStringList{"払戻", "-500", "---.--", "0", "0.00"}));
    EXPECT_TRUE(graph.Cell(3, 1).ShowsNegativeInRed());
    // A negative figure breaks no pie: that matter simply has no slice.
    const auto* pie = static_cast<QPieSeries*>(graph.Chart().chart()->series().first());
    EXPECT_EQ(pie->slices().at(2)->value(), 0.0);
    EXPECT_NEAR(pie->slices().at(0)->percentage(), 910.0 / 2500, 1e-6);

    for (const auto& [row, column] : {std::pair{1, 2}, std::pair{3, 2}, std::pair{1, 1}}) {
        CCalcEdit& cell = graph.Cell(row, column);
        const QString shown = cell.text();
        ASSERT_TRUE(test::FocusOn(cell));
        QTest::keyClicks(&cell, "12+3");
        QTest::keyClick(&cell, Qt::Key_Return);
        ASSERT_TRUE(test::FocusOn(graph.ProjectionBox()));
        EXPECT_EQ(cell.text(), shown);
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(ledger.doc.IsModified());

    struct Look {
        int row, column;
        std::uint32_t back;
        Qt::Alignment align;
    };
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    for (const Look& look : {Look{0, 3, kDisplayOnlyGrey, Qt::AlignCenter},
                             Look{1, 0, kDisplayOnlyGrey, Qt::AlignCenter},
                             Look{2, 4, kWhite, right}, Look{4, 2, kDisplayOnlyGrey, right}}) {
        const CCalcEdit& cell = graph.Cell(look.row, look.column);
        EXPECT_EQ(cell.BackColor(), look.back) << look.row << look.column;
        EXPECT_EQ(cell.alignment(), look.align) << look.row << look.column;
    }
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
        for (int row = 0; row < graph.RowCount(); ++row) {
            if (graph.Cell(row, 1).hasFocus()) return row;
        }
        return -1;
    };
    struct Step {
        int delta, bar, focusRow;
    };
    // Down three rows to the end, then the focus walks down to the last matter row and stays;
    // up again to the start, then the focus walks up to the first matter row and stays.
    const Step steps[] = {{-120, 1, 6}, {-120, 2, 6}, {0, 3, 6},   {-120, 3, 7}, {-120, 3, 7},
                          {120, 2, 7},  {120, 1, 7},  {120, 0, 7}, {120, 0, 6},  {120, 0, 5},
                          {120, 0, 4},  {120, 0, 3},  {120, 0, 2}, {120, 0, 1},  {120, 0, 1}};
    for (const Step& step : steps) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        wheel(*focused, step.delta);
        EXPECT_EQ(graph.VerticalBar().value(), step.bar);
        EXPECT_EQ(focusedRow(), step.focusRow);
        EXPECT_EQ(graph.Cell(1, 0).text(), QStringLiteral("m%1").arg(step.bar + 1));
    }
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
    EXPECT_EQ(graph.Chart().ChartType(), CMSChart::kPie2d);
    fail = false;
    graph.Tabs().setCurrentIndex(1);
    EXPECT_EQ(graph.Chart().ChartType(), CMSChart::kLine2d);
}

// OK stores the box (marking the ledger modified only on a change); closing otherwise keeps
// the setting. Help opens topic 300.
TEST(GraphDlgTest, OkStoresTheProjectionSettingAndHelpOpensItsTopic) {
    struct Case {
        bool start, click, ok, stored, modified;
    };
    for (const Case& c : {Case{true, false, true, true, false}, Case{true, true, true, false, true},
                          Case{false, true, false, false, false}}) {
        ThreeMatters ledger;
        ledger.doc.Settings().ShowProjection = c.start;
        CGraphDlg graph(ledger.doc);
        EXPECT_EQ(graph.ProjectionBox().isChecked(), c.start);
        if (c.click) graph.ProjectionBox().click();
        if (c.ok) {
            Button(graph, 1)->click();
        } else {
            graph.reject();
        }
        EXPECT_EQ(ledger.doc.Settings().ShowProjection, c.stored);
        EXPECT_EQ(ledger.doc.IsModified(), c.modified);
    }

    ThreeMatters ledger;
    test::HelpCapture help;
    CGraphDlg graph(ledger.doc);
    ASSERT_TRUE(test::ShowActive(graph));
    Button(graph, 9)->click();
    QTest::keyClick(&graph.ProjectionBox(), Qt::Key_F1);
    EXPECT_EQ(help.topics, (std::vector<int>{300, 300}));
}

// The window and the command line show one set of figures.
TEST(GraphDlgTest, TableTextsEqualTheCommandLineGraph) {
    ThreeMatters ledger;
    const std::string path = test::MakeTempDir("graph") + "/ledger.tm2";
    ASSERT_TRUE(ledger.doc.SaveLedgerFile(path));
    CGraphDlg graph(ledger.doc);
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
    }
}

TEST(GraphDlgTest, FrameCommandOpensTheWindowModally) {
    test::FrameFixture f;
    CMainFrame& frame = f.Create();
    ASSERT_TRUE(f.ShowActive());
    QAction* command = frame.Action(kCmdGraph);
    ASSERT_NE(command, nullptr);
    frame.UpdateCommandStates();
    EXPECT_TRUE(command->isEnabled());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* graph = qobject_cast<CGraphDlg*>(QApplication::activeModalWidget());
        if (!graph) {
            QApplication::activeModalWidget()->close();
            return;
        }
        seen = graph->isModal() && graph->windowTitle() == QStringLiteral("ｸﾞﾗﾌ");
        graph->ProjectionBox().click();
        graph->accept();
    });
    command->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(f.docs.doc.Settings().ShowProjection);
    EXPECT_TRUE(f.docs.doc.IsModified());
}

}  // namespace
}  // namespace tallymo
