#pragma once
// The chart of the graph window: a grid of data points (rows × columns) drawn either as one pie
// per row or as one line per column, over Qt Charts. Like the chart control it stands in for,
// it is filled property by property: choose a row and a column, then set the point's data as
// text. Series (columns) have fixed, distinct colours that the window reads back to paint its
// table's colour marks.

#include <QChartView>
#include <QString>
#include <cstdint>
#include <vector>

class QGraphicsSimpleTextItem;

namespace tallymo {

class CMSChart : public QChartView {
    Q_OBJECT
public:
    static constexpr int kLine2d = 3;
    static constexpr int kPie2d = 14;

    explicit CMSChart(QWidget* parent = nullptr);

    // Painting off while many points change; turning it on draws the chart once.
    void SetRedraw(bool redraw);
    void SetChartType(int type);
    void SetColumnCount(int count);
    void SetRowCount(int count);
    void SetRow(int row);        // from 1
    void SetColumn(int column);  // from 1
    void SetRowLabel(const QString& label);
    // Names the current column's series in the legend and the tool tips.
    void SetColumnLabel(const QString& label);
    // The current point's figure as a decimal text; a text that is no number counts as 0.
    void SetData(const QString& text);

    int ChartType() const { return m_chartType; }
    int RowCount() const { return static_cast<int>(m_rowLabels.size()); }
    int ColumnCount() const { return static_cast<int>(m_columnLabels.size()); }
    QString RowLabel(int row) const;
    double Data(int row, int column) const;
    // The fill colour (0x00BBGGRR) of a column's series as drawn, the plot's series colour.
    std::uint32_t SeriesColor(int column) const;

    // The colour that the series of a column gets: distinct for neighbouring columns.
    static std::uint32_t SeriesColorFor(int column);

protected:
    // Clicks are swallowed: the chart is a picture, nothing in it can be selected.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Draw();
    void DrawPies();
    void DrawLines();
    void PlacePieTitles();
    bool ValidPoint() const;

    bool m_bRedraw = true;
    int m_chartType = kPie2d;
    int m_row = 1;
    int m_column = 1;
    std::vector<QString> m_rowLabels;
    std::vector<QString> m_columnLabels;
    std::vector<std::vector<double>> m_data;            // [row][column], from 0
    std::vector<QGraphicsSimpleTextItem*> m_pieTitles;  // one per pie, owned by the chart
};

}  // namespace tallymo
