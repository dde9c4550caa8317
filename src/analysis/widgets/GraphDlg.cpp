#include "analysis/widgets/GraphDlg.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

#include "analysis/TrendFigures.h"
#include "analysis/widgets/MSChart.h"
#include "calc/widgets/CalcEdit.h"
#include "doc/TallymoDoc.h"
#include "ui/ColorRef.h"
#include "ui/Help.h"
#include "ui/MessageBox.h"
#include "ui/PointFont.h"

namespace tallymo {
namespace {

const UserMessage kUnexpectedError{"予期せぬエラーが発生しました。", 9990, MessageIcon::None};

// Pixels of the layout. The table's first cell stands 10 right of the chart, the header row's
// top at 30; the tab control frames the table with 10 to spare on the left.
constexpr int kMargin = 8;
constexpr int kChartWidth = 420;
constexpr int kTableLeft = kMargin + kChartWidth + 10;
constexpr int kTableTop = 30;
constexpr int kTableWidth = CGraphDlg::kCellWidth * kGraphTableColumns;  // 315
constexpr int kBarThickness = 17;
constexpr int kFrameLeft = kTableLeft - 10;
constexpr int kFrameWidth = 10 + kTableWidth + kBarThickness + 10;
constexpr int kDialogWidth = kFrameLeft + kFrameWidth + kMargin;
constexpr int kDialogHeight = 470;
constexpr int kMarkWidth = 3;
constexpr std::uint32_t kHeaderGrey = kDisplayOnlyGrey;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

bool SameChart(const ChartData& a, const ChartData& b) {
    return a.type == b.type && a.rowLabels == b.rowLabels && a.columns == b.columns &&
           a.texts == b.texts;
}

}  // namespace

CGraphDlg::CGraphDlg(CTallymoDoc& doc, QWidget* parent, ContentSource source)
    : QDialog(parent), m_doc(doc), m_source(std::move(source)) {
    setWindowTitle(QStringLiteral("ｸﾞﾗﾌ"));
    setFont(PointFont(90, kProportionalGothicFace));
    setFixedSize(kDialogWidth, kDialogHeight);

    m_pChart = new CMSChart(this);
    m_pChart->setProperty("controlId", 1063);
    m_pChart->setGeometry(kMargin, kMargin, kChartWidth, kDialogHeight - 2 * kMargin);

    // The tab control's page is the frame behind the table; the cells stand on it.
    m_pTabFrame = new QFrame(this);
    m_pTabFrame->setFrameShape(QFrame::StyledPanel);
    m_pTab = new QTabBar(this);
    m_pTab->setProperty("controlId", 1057);
    m_pTab->addTab(QStringLiteral("事柄別割合"));
    m_pTab->addTab(QStringLiteral("支出推移表"));
    m_pTab->setDrawBase(false);

    m_pProjection = new QCheckBox(QStringLiteral("今月分を見込みで表示する"), this);
    m_pProjection->setProperty("controlId", 1013);
    m_pProjection->setChecked(m_doc.Settings().ShowProjection);

    auto* adviceLabel = new QLabel(QStringLiteral("アドバイスシート："), this);
    adviceLabel->setObjectName(QStringLiteral("AdviceLabel"));
    m_pAdvice = new QPlainTextEdit(this);
    m_pAdvice->setProperty("controlId", 1069);
    m_pAdvice->setReadOnly(true);
    m_pAdvice->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    auto* ok = new QPushButton(QStringLiteral("OK(&O)"), this);
    ok->setProperty("controlId", 1);
    ok->setDefault(true);
    auto* help = new QPushButton(QStringLiteral("ヘルプ(&H)"), this);
    help->setProperty("controlId", 9);
    help->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CGraphDlg::accept);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [] { ShowHelpTopic(kHelpTopic); });

    const int matters = static_cast<int>(VisibleOutgoMatters(m_doc).size());
    CreateTable(std::min(matters, kVisibleMatterRows), m_doc.Settings().FontSize);
    CreateScrollBars(matters);
    Arrange();

    connect(m_pTab, &QTabBar::currentChanged, this, &CGraphDlg::FullRefresh);
    connect(m_pProjection, &QCheckBox::clicked, this, &CGraphDlg::Refresh);
    FullRefresh();
}

void CGraphDlg::CreateTable(int matterRows, int fontSize) {
    const int rows = matterRows + 2;
    for (int row = 0; row < rows; ++row) {
        const bool greyRow = row == 0 || row == rows - 1;
        std::vector<CCalcEdit*> cells;
        for (int column = 0; column < kGraphTableColumns; ++column) {
            const bool grey = greyRow || column == 0;
            // Display only and bound to nothing: a cell never evaluates what it shows.
            auto* cell = new CCalcEdit(true, grey ? kHeaderGrey : kWhite, this);
            cell->setProperty("controlId", kFirstCellId + kGraphTableColumns * row + column);
            cell->SetPointFont(fontSize, kGothicFace);
            cell->setAlignment(row == 0 || column == 0 ? Qt::AlignCenter
                                                       : Qt::AlignRight | Qt::AlignVCenter);
            cell->installEventFilter(this);
            cell->setGeometry(kTableLeft + column * kCellWidth, kTableTop + row * kCellHeight,
                              kCellWidth, kCellHeight);
            cells.push_back(cell);
        }
        m_cells.push_back(std::move(cells));
    }
    for (int row = 1; row <= matterRows; ++row) {
        auto* mark = new QWidget(this);
        mark->setAutoFillBackground(true);
        mark->setGeometry(kTableLeft - kMarkWidth, kTableTop + row * kCellHeight, kMarkWidth,
                          kCellHeight);
        m_marks.push_back(mark);
    }
}

void CGraphDlg::CreateScrollBars(int matterCount) {
    const int matterRows = RowCount() - 2;
    m_pVBar = new QScrollBar(Qt::Vertical, this);
    m_pVBar->setProperty("controlId", 19999);
    m_pVBar->setRange(0, 0);
    m_pVBar->setGeometry(kTableLeft + kTableWidth, kTableTop + kCellHeight, kBarThickness,
                         matterRows * kCellHeight);
    if (matterCount > kVisibleMatterRows) {
        m_pVBar->setRange(0, matterCount - kVisibleMatterRows);
        m_pVBar->setPageStep(kVisibleMatterRows);
    } else {
        m_pVBar->hide();
    }
    m_pHBar = new QScrollBar(Qt::Horizontal, this);
    m_pHBar->setProperty("controlId", 19998);
    m_pHBar->setRange(0, kMaxTrendOffset);
    m_pHBar->setPageStep(kTrendTableColumns);
    m_pHBar->setGeometry(kTableLeft + kCellWidth, kTableTop + RowCount() * kCellHeight + 2,
                         kTableWidth - kCellWidth, kBarThickness);
    m_pHBar->hide();
    for (QScrollBar* bar : {m_pVBar, m_pHBar}) {
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { ScrollBy(*bar, action); });
        connect(bar, &QScrollBar::valueChanged, this, &CGraphDlg::FullRefresh);
    }
}

void CGraphDlg::Arrange() {
    const int tabHeight = m_pTab->sizeHint().height();
    const int frameTop = kTableTop - 4;
    const int frameBottom = kTableTop + RowCount() * kCellHeight + 2 + kBarThickness + 8;
    m_pTab->setGeometry(kFrameLeft + 2, std::max(0, frameTop - tabHeight + 1),
                        m_pTab->sizeHint().width(), tabHeight);
    m_pTabFrame->setGeometry(kFrameLeft, frameTop, kFrameWidth, frameBottom - frameTop);
    m_pTabFrame->lower();

    const int checkTop = frameBottom + 8;
    m_pProjection->setGeometry(kFrameLeft, checkTop, kFrameWidth,
                               m_pProjection->sizeHint().height());
    auto* label = findChild<QLabel*>(QStringLiteral("AdviceLabel"));
    const int labelTop = m_pProjection->geometry().bottom() + 10;
    label->setGeometry(kFrameLeft, labelTop, kFrameWidth, label->sizeHint().height());

    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    const int buttonHeight = buttons.first()->sizeHint().height();
    const int buttonTop = kDialogHeight - kMargin - buttonHeight;
    int right = kDialogWidth - kMargin;
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        const int width = std::max(90, (*it)->sizeHint().width());
        (*it)->setGeometry(right - width, buttonTop, width, buttonHeight);
        right -= width + 8;
    }
    const int adviceTop = label->geometry().bottom() + 3;
    m_pAdvice->setGeometry(kFrameLeft, adviceTop, kFrameWidth, buttonTop - 8 - adviceTop);
}

int CGraphDlg::MatterPositionOfRow(int row) const {
    if (row < 1 || row > RowCount() - 2) return -1;
    const int position = m_pVBar->value() + row - 1;
    return position < m_matterCount ? position : -1;
}

void CGraphDlg::FullRefresh() {
    m_pHBar->setVisible(m_pTab->currentIndex() == 1);
    Refresh();
}

void CGraphDlg::Refresh() {
    GraphView view;
    view.tab = m_pTab->currentIndex() == 1 ? GraphTab::Trend : GraphTab::Share;
    view.project = m_pProjection->isChecked();
    view.offset = m_pHBar->value();
    GraphContent content;
    try {
        content = m_source(m_doc, view);
    } catch (const std::exception&) {
        ShowMessageBox(this, kUnexpectedError);
        return;
    }
    ShowChart(content.chart);
    ShowTable(content);
    QString advice = Text(content.advice);
    advice.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_pAdvice->setPlainText(advice);
}

void CGraphDlg::ShowChart(const ChartData& chart) {
    if (m_bChartShown && SameChart(chart, m_shownChart)) return;
    CMSChart& plot = *m_pChart;
    plot.SetRedraw(false);
    plot.SetColumnCount(static_cast<int>(chart.columns.size()));
    plot.SetChartType(chart.type == ChartType::Pie ? CMSChart::kPie2d : CMSChart::kLine2d);
    plot.SetRowCount(static_cast<int>(chart.rowLabels.size()));
    for (std::size_t c = 0; c < chart.columns.size(); ++c) {
        plot.SetColumn(static_cast<int>(c) + 1);
        plot.SetColumnLabel(Text(chart.columns[c]));
    }
    for (std::size_t r = 0; r < chart.rowLabels.size(); ++r) {
        plot.SetRow(static_cast<int>(r) + 1);
        plot.SetRowLabel(Text(chart.rowLabels[r]));
        for (std::size_t c = 0; c < chart.columns.size(); ++c) {
            plot.SetColumn(static_cast<int>(c) + 1);
            plot.SetData(Text(chart.texts[r][c]));
        }
    }
    plot.SetRedraw(true);
    m_shownChart = chart;
    m_bChartShown = true;
}

void CGraphDlg::ShowTable(const GraphContent& content) {
    const auto write = [this](int row, const GraphTableRow& texts) {
        for (int column = 0; column < kGraphTableColumns; ++column) {
            CCalcEdit& cell = Cell(row, column);
            cell.setText(Text(texts[column]));
            cell.setCursorPosition(0);  // a text too long for the cell shows its beginning
        }
        Cell(row, 0).setToolTip(Text(texts[0]));
    };
    write(0, content.table.front());
    write(RowCount() - 1, content.table.back());
    const int matters = static_cast<int>(content.table.size()) - 2;
    m_matterCount = matters;
    for (int row = 1; row <= RowCount() - 2; ++row) {
        const int position = m_pVBar->value() + row - 1;
        QWidget& mark = ColorMark(row);
        if (position >= matters) {
            write(row, GraphTableRow{});
            mark.hide();
            continue;
        }
        write(row, content.table[static_cast<std::size_t>(position) + 1]);
        QPalette colors = mark.palette();
        colors.setColor(QPalette::Window, ToQColor(m_pChart->SeriesColor(position + 1)));
        mark.setPalette(colors);
        mark.show();
    }
}

void CGraphDlg::ScrollBy(QScrollBar& bar, int action) {
    // A page step goes all the way to the end of the range it points to.
    if (action == QAbstractSlider::SliderPageStepAdd) bar.setSliderPosition(bar.maximum());
    if (action == QAbstractSlider::SliderPageStepSub) bar.setSliderPosition(bar.minimum());
}

int CGraphDlg::FocusedCellRow(int* column) const {
    const QWidget* focused = focusWidget();
    for (int row = 0; row < RowCount(); ++row) {
        for (int c = 0; c < kGraphTableColumns; ++c) {
            if (m_cells[row][c] == focused && focused->hasFocus()) {
                *column = c;
                return row;
            }
        }
    }
    return -1;
}

// The wheel turned over a cell or over the window itself: the cells let it through to here.
bool CGraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && Wheel(*static_cast<QWheelEvent*>(event))) return true;
    return QDialog::eventFilter(watched, event);
}

void CGraphDlg::wheelEvent(QWheelEvent* event) {
    if (!Wheel(*event)) QDialog::wheelEvent(event);
}

bool CGraphDlg::Wheel(QWheelEvent& event) {
    int column = 0;
    const int row = FocusedCellRow(&column);
    if (row < 0) return false;
    event.accept();
    const int step = event.angleDelta().y() <= 0 ? 1 : -1;  // towards the user: one row down
    const int position = m_pVBar->value() + step;
    if (position > m_pVBar->maximum()) {
        if (row + 1 <= RowCount() - 2) Cell(row + 1, column).setFocus(Qt::OtherFocusReason);
    } else if (position < m_pVBar->minimum()) {
        if (row - 1 >= 1) Cell(row - 1, column).setFocus(Qt::OtherFocusReason);
    } else {
        const QSignalBlocker quiet(m_pVBar);
        m_pVBar->setValue(position);
    }
    Refresh();
    return true;
}

void CGraphDlg::accept() {
    m_doc.SetShowProjection(m_pProjection->isChecked());
    QDialog::accept();
}

}  // namespace tallymo
