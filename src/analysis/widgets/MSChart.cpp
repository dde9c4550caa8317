#include "analysis/widgets/MSChart.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPieSeries>
#include <QPieSlice>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "doc/YenFormat.h"
#include "ui/ColorRef.h"
#include "ui/PointFont.h"

namespace tallymo {
namespace {

// Well-separated hues first; further columns step round the colour wheel by the golden angle
// so that no two neighbours look alike.
constexpr std::uint32_t kSeriesColors[] = {
    Rgb(0x4E, 0x79, 0xA7), Rgb(0xF2, 0x8E, 0x2B), Rgb(0xE1, 0x57, 0x59), Rgb(0x76, 0xB7, 0xB2),
    Rgb(0x59, 0xA1, 0x4F), Rgb(0xED, 0xC9, 0x48), Rgb(0xB0, 0x7A, 0xA1), Rgb(0xFF, 0x9D, 0xA7),
    Rgb(0x9C, 0x75, 0x5F), Rgb(0x6B, 0x6E, 0xCF), Rgb(0x17, 0xBE, 0xCF), Rgb(0xBC, 0xBD, 0x22),
};
constexpr int kNamedColors = static_cast<int>(std::size(kSeriesColors));

// An empty pie (no outgo in the period) is drawn as a pale disc so that its place stays visible.
constexpr std::uint32_t kEmptyPieColor = Rgb(0xE4, 0xE4, 0xE4);
// Slices smaller than this carry no label on the pie; their tool tip still tells the share.
constexpr double kLabelledShare = 0.05;
constexpr int kLegendWidth = 84;

QString Amount(double value) {
    return QString::fromStdString(FormatSignedYen(static_cast<std::int64_t>(value)));
}

void ShowTip(bool hovered, const QString& text) {
    if (hovered) {
        QToolTip::showText(QCursor::pos(), text);
    } else {
        QToolTip::hideText();
    }
}

QColor LabelColorOn(const QColor& fill) {
    return fill.lightnessF() > 0.6 ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace

CMSChart::CMSChart(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus);
    QChart* plot = chart();
    plot->setAnimationOptions(QChart::NoAnimation);
    plot->setBackgroundRoundness(0);
    plot->setMargins(QMargins(4, 4, 4, 4));
    plot->legend()->setAlignment(Qt::AlignRight);
    // A long matter name is cut short in the legend (its tool tip tells it whole) rather than
    // squeezing the plot until the period labels no longer fit.
    plot->legend()->setMaximumWidth(kLegendWidth);
    plot->legend()->setShowToolTips(true);
    plot->legend()->setFont(PointFont(90, kProportionalGothicFace));
    connect(plot, &QChart::plotAreaChanged, this, &CMSChart::PlacePieTitles);
}

std::uint32_t CMSChart::SeriesColorFor(int column) {
    const int index = std::max(column, 1) - 1;
    if (index < kNamedColors) return kSeriesColors[index];
    const int hue = static_cast<int>(std::fmod(index * 137.508, 360.0));
    const int value = 150 + (index % 3) * 40;
    return ToColorRef(QColor::fromHsv(hue, 170, value));
}

void CMSChart::SetRedraw(bool redraw) {
    m_bRedraw = redraw;
    if (redraw) Draw();
}

void CMSChart::SetChartType(int type) {
    m_chartType = type;
    if (m_bRedraw) Draw();
}

void CMSChart::SetColumnCount(int count) {
    count = std::clamp(count, 0, 0x7FFF);
    m_columnLabels.resize(static_cast<std::size_t>(count));
    for (auto& row : m_data) row.resize(static_cast<std::size_t>(count), 0.0);
    if (m_bRedraw) Draw();
}

void CMSChart::SetRowCount(int count) {
    count = std::clamp(count, 0, 0x7FFF);
    m_rowLabels.resize(static_cast<std::size_t>(count));
    m_data.resize(static_cast<std::size_t>(count));
    for (auto& row : m_data) row.resize(m_columnLabels.size(), 0.0);
    if (m_bRedraw) Draw();
}

void CMSChart::SetRow(int row) {
    m_row = row;
}

void CMSChart::SetColumn(int column) {
    m_column = column;
}

bool CMSChart::ValidPoint() const {
    return m_row >= 1 && m_row <= RowCount() && m_column >= 1 && m_column <= ColumnCount();
}

void CMSChart::SetRowLabel(const QString& label) {
    if (m_row < 1 || m_row > RowCount()) return;
    m_rowLabels[static_cast<std::size_t>(m_row - 1)] = label;
    if (m_bRedraw) Draw();
}

void CMSChart::SetColumnLabel(const QString& label) {
    if (m_column < 1 || m_column > ColumnCount()) return;
    m_columnLabels[static_cast<std::size_t>(m_column - 1)] = label;
    if (m_bRedraw) Draw();
}

void CMSChart::SetData(const QString& text) {
    if (!ValidPoint()) return;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    m_data[static_cast<std::size_t>(m_row - 1)][static_cast<std::size_t>(m_column - 1)] =
        ok ? value : 0.0;
    if (m_bRedraw) Draw();
}

QString CMSChart::RowLabel(int row) const {
    if (row < 1 || row > RowCount()) return {};
    return m_rowLabels[static_cast<std::size_t>(row - 1)];
}

double CMSChart::Data(int row, int column) const {
    if (row < 1 || row > RowCount() || column < 1 || column > ColumnCount()) return 0.0;
    return m_data[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

std::uint32_t CMSChart::SeriesColor(int column) const {
    const QList<QAbstractSeries*> drawn = chart()->series();
    if (m_chartType == kPie2d && !drawn.isEmpty()) {
        const auto* pie = static_cast<QPieSeries*>(drawn.first());
        if (column >= 1 && column <= pie->count()) {
            return ToColorRef(pie->slices().at(column - 1)->brush().color());
        }
    } else if (m_chartType != kPie2d && column >= 1 && column <= drawn.size()) {
        return ToColorRef(static_cast<QLineSeries*>(drawn.at(column - 1))->color());
    }
    return SeriesColorFor(column);
}

void CMSChart::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void CMSChart::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CMSChart::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void CMSChart::Draw() {
    QChart* plot = chart();
    plot->removeAllSeries();
    for (QAbstractAxis* axis : plot->axes()) {
        plot->removeAxis(axis);
        delete axis;
    }
    for (QGraphicsSimpleTextItem* title : m_pieTitles) delete title;
    m_pieTitles.clear();
    if (m_chartType == kPie2d) {
        DrawPies();
    } else {
        DrawLines();
    }
}

void CMSChart::DrawPies() {
    QChart* plot = chart();
    const int rows = RowCount();
    const QFont labelFont = PointFont(80, kProportionalGothicFace);
    for (int r = 0; r < rows; ++r) {
        auto* pie = new QPieSeries;
        pie->setHorizontalPosition(0.5);
        pie->setVerticalPosition((r + 0.5) / rows);
        double total = 0;
        for (int c = 0; c < ColumnCount(); ++c) total += std::max(0.0, m_data[r][c]);
        for (int c = 0; c < ColumnCount(); ++c) {
            // A negative figure (only a file can hold one) has no place in a pie: no slice.
            const double value = std::max(0.0, m_data[r][c]);
            auto* slice = pie->append(m_columnLabels[c], value);
            const QColor fill = ToQColor(SeriesColorFor(c + 1));
            slice->setBrush(fill);
            slice->setPen(QPen(Qt::white, 1));
            const double share = total > 0 ? value / total : 0.0;
            slice->setLabel(QString::asprintf("%.1f%%", share * 100));
            slice->setLabelFont(labelFont);
            slice->setLabelColor(LabelColorOn(fill));
            slice->setLabelPosition(QPieSlice::LabelInsideHorizontal);
            slice->setLabelVisible(share >= kLabelledShare);
            const QString tip = QStringLiteral("%1  %2  %3円 (%4%)")
                                    .arg(m_rowLabels[r], m_columnLabels[c], Amount(m_data[r][c]),
                                         QString::number(share * 100, 'f', 1));
            connect(slice, &QPieSlice::hovered, slice, [tip](bool on) { ShowTip(on, tip); });
        }
        if (total <= 0) {
            auto* empty = pie->append(QString(), 1);
            empty->setBrush(ToQColor(kEmptyPieColor));
            empty->setPen(Qt::NoPen);
        }
        plot->addSeries(pie);
        // The legend names each matter once: the first pie's slices stand for all pies.
        const QList<QLegendMarker*> markers = plot->legend()->markers(pie);
        for (int m = 0; m < markers.size(); ++m) {
            markers[m]->setVisible(r == 0 && m < ColumnCount());
            if (m < ColumnCount()) markers[m]->setLabel(m_columnLabels[m]);
        }
        auto* title = new QGraphicsSimpleTextItem(m_rowLabels[r], plot);
        title->setFont(PointFont(100, kProportionalGothicFace));
        m_pieTitles.push_back(title);
    }
    PlacePieTitles();
}

void CMSChart::PlacePieTitles() {
    if (m_pieTitles.empty()) return;
    const QRectF area = chart()->plotArea();
    const QList<QAbstractSeries*> drawn = chart()->series();
    const double slot = area.height() / static_cast<double>(m_pieTitles.size());
    const double shorter = std::min(area.width(), area.height());
    for (std::size_t r = 0; r < m_pieTitles.size() && r < static_cast<std::size_t>(drawn.size());
         ++r) {
        // Pies one above the other, each in its share of the height, its title at the top left.
        auto* pie = static_cast<QPieSeries*>(drawn[static_cast<qsizetype>(r)]);
        if (shorter > 0) pie->setPieSize(std::min(0.9 * slot, 0.9 * area.width()) / shorter);
        m_pieTitles[r]->setPos(area.left(), area.top() + slot * static_cast<double>(r));
    }
}

void CMSChart::DrawLines() {
    QChart* plot = chart();
    const int rows = RowCount();
    // The first row is the newest period; time runs left to right, so it is drawn rightmost.
    QStringList categories;
    for (int r = rows - 1; r >= 0; --r) categories << m_rowLabels[r];
    auto* across = new QBarCategoryAxis;
    across->append(categories);
    across->setLabelsAngle(-90);
    across->setLabelsFont(PointFont(75, kProportionalGothicFace));
    auto* up = new QValueAxis;
    up->setLabelFormat(QStringLiteral("%d"));  // Qt Charts drops non-ASCII characters here
    up->setLabelsFont(PointFont(80, kProportionalGothicFace));
    plot->addAxis(across, Qt::AlignBottom);
    plot->addAxis(up, Qt::AlignLeft);

    double low = 0, high = 0;
    for (int c = 0; c < ColumnCount(); ++c) {
        auto* line = new QLineSeries;
        line->setName(m_columnLabels[c]);
        QPen pen(ToQColor(SeriesColorFor(c + 1)), 2);
        line->setPen(pen);
        line->setPointsVisible(true);
        QList<QPointF> points;
        points.reserve(rows);
        for (int r = rows - 1; r >= 0; --r) {
            const double value = m_data[r][c];
            low = std::min(low, value);
            high = std::max(high, value);
            points.append(QPointF(rows - 1 - r, value));
        }
        line->replace(points);
        const QString name = m_columnLabels[c];
        connect(
            line, &QLineSeries::hovered, line,
            [name, categories, points](const QPointF& at, bool on) {
                const auto i = static_cast<qsizetype>(std::lround(at.x()));
                if (i < 0 || i >= points.size()) return ShowTip(false, {});
                ShowTip(
                    on,
                    QStringLiteral("%1  %2  %3円").arg(name, categories[i], Amount(points[i].y())));
            });
        plot->addSeries(line);
        line->attachAxis(across);
        line->attachAxis(up);
    }
    up->setRange(low, high > low ? high : low + 1);
    up->applyNiceNumbers();
}

}  // namespace tallymo
