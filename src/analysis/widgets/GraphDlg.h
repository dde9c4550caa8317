#pragma once
// The graph window ("ｸﾞﾗﾌ"): the outgo of the open ledger as the share of each matter (two pies
// and a table of amounts, shares and ratios) or as its trend over twelve periods (a line chart
// and a table of four periods that scrolls sideways), with the advice sheet. Every figure and
// text comes from the core (BuildGraphContent); the window only lays them out.

#include <QDialog>
#include <functional>
#include <vector>

#include "analysis/GraphContent.h"

class QCheckBox;
class QFrame;
class QPlainTextEdit;
class QScrollBar;
class QTabBar;

namespace tallymo {

class CCalcEdit;
class CMSChart;
class CTallymoDoc;

class CGraphDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 300;
    static constexpr int kVisibleMatterRows = 7;
    static constexpr int kCellWidth = 63;
    static constexpr int kCellHeight = 22;
    static constexpr int kFirstCellId = 20000;

    // Where the figures come from: BuildGraphContent, or a stand-in in tests.
    using ContentSource = std::function<GraphContent(const CTallymoDoc&, const GraphView&)>;

    explicit CGraphDlg(CTallymoDoc& doc, QWidget* parent = nullptr,
                       ContentSource source = BuildGraphContent);

    // The table: row 0 the header, rows 1 .. RowCount() - 2 the matters on show, then the total.
    int RowCount() const { return static_cast<int>(m_cells.size()); }
    CCalcEdit& Cell(int row, int column) const { return *m_cells[row][column]; }
    // The colour mark left of a matter row's name (row from 1); hidden for an empty row.
    QWidget& ColorMark(int row) const { return *m_marks[row - 1]; }
    CMSChart& Chart() const { return *m_pChart; }
    QTabBar& Tabs() const { return *m_pTab; }
    QScrollBar& VerticalBar() const { return *m_pVBar; }
    QScrollBar& HorizontalBar() const { return *m_pHBar; }
    QCheckBox& ProjectionBox() const { return *m_pProjection; }
    QPlainTextEdit& AdviceBox() const { return *m_pAdvice; }
    // OK: stores the projection box in the ledger and closes.
    void accept() override;

    // The visible outgo matter shown in a matter row (row from 1), or -1 for an empty row.
    int MatterPositionOfRow(int row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateTable(int matterRows, int fontSize);
    void CreateScrollBars(int matterCount);
    void Arrange();
    void FullRefresh();
    // Computes the figures and shows them; a failure leaves everything as it was.
    void Refresh();
    void ShowChart(const ChartData& chart);
    void ShowTable(const GraphContent& content);
    void ScrollBy(QScrollBar& bar, int action);
    int FocusedCellRow(int* column) const;
    // The wheel's rules while a cell has the focus; false when no cell has it.
    bool Wheel(QWheelEvent& event);

    CTallymoDoc& m_doc;
    ContentSource m_source;
    CMSChart* m_pChart = nullptr;
    QTabBar* m_pTab = nullptr;
    QFrame* m_pTabFrame = nullptr;
    QScrollBar* m_pVBar = nullptr;
    QScrollBar* m_pHBar = nullptr;
    QCheckBox* m_pProjection = nullptr;
    QPlainTextEdit* m_pAdvice = nullptr;
    std::vector<std::vector<CCalcEdit*>> m_cells;
    std::vector<QWidget*> m_marks;
    ChartData m_shownChart;  // what the chart draws now, so an unchanged chart is not redrawn
    bool m_bChartShown = false;
    int m_matterCount = 0;  // visible outgo matters in the figures shown
};

}  // namespace tallymo
