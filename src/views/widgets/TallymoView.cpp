#include "views/widgets/TallymoView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

#include "app/ControlIds.h"
#include "calc/widgets/CalcEdit.h"
#include "doc/TallymoDoc.h"
#include "doc/YenFormat.h"
#include "ui/ColorRef.h"
#include "ui/ControlId.h"
#include "ui/MessageBox.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/OfferedDates.h"

namespace tallymo {
namespace {

constexpr int kRowTwips = 250;
constexpr int kWheelStep = 120;  // one notch of a mouse wheel

UserMessage GridMessage(const char* what) {
    return {std::string(what) +
                "MSFLXGRD.OCXがシステムフォルダにインストールされていない可能性があります。",
            3310, MessageIcon::None};
}

QString DayText(TimeValue day) {
    return QString::fromStdString(FormatTime(day, "%Y年%m月%d日"));
}

}  // namespace

CTallymoView::CTallymoView(CTallymoDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_grid(new CLedgerGrid(this)) {
    setProperty(kControlIdProperty, kLedgerViewId);
    m_grid->setProperty(kControlIdProperty, kLedgerGridId);
    setAcceptDrops(true);
    m_grid->setAcceptDrops(false);
    m_grid->viewport()->setAcceptDrops(false);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    m_grid->Editor().installEventFilter(this);
    setFocusProxy(m_grid);

    connect(m_grid, &CMSFlexGrid::Click, this, &CTallymoView::OnClick);
    connect(m_grid, &CMSFlexGrid::CursorMoved, this, &CTallymoView::MarkCursorRow);
    connect(m_grid, &CMSFlexGrid::ColumnResizedByUser, this, &CTallymoView::StoreUserColumnWidth);
    m_listenerId = m_doc.AddRefreshListener([this] { RefreshGrid(); });
    SetUpGrid();
}

CTallymoView::~CTallymoView() {
    m_doc.RemoveRefreshListener(m_listenerId);
}

TimeValue CTallymoView::RowDate(int row) const {
    return m_shape.RowDate(m_doc.GetCurrentDate(), row);
}

// --- set-up and refresh ---------------------------------------------------------------------

void CTallymoView::SetUpGrid() {
    try {
        // The cursor's day and matter as the grid shows them now: the new shape may have other
        // rows and columns, and a new ledger another current date.
        const int oldRow = m_grid->Row();
        const int oldCol = m_grid->Col();
        const TimeValue cursorDay = (m_shownDate != 0 && m_shape.IsDayRow(oldRow))
                                        ? m_shape.RowDate(m_shownDate, oldRow)
                                        : 0;
        const MatterIndex cursorMatter = m_shape.IsMatterColumn(oldCol)
                                             ? m_shape.MatterOfColumn(oldCol)
                                             : PeriodTable::kNoMatter;

        m_grid->setGeometry(rect());
        const int clientHeight = m_grid->height() - 2 * m_grid->frameWidth();
        m_shape = MakeLedgerTableShape(
            m_doc, FitToHeightRowCount(clientHeight, m_grid->PixelsPerInchY(), kRowTwips));
        const int rows = m_shape.rows;
        const int cols = m_shape.Columns();

        m_grid->SetRedraw(false);
        m_grid->SetAllowBigSelection(false);
        m_grid->SetAllowUserResizing(1);
        m_grid->SetCols(cols);
        m_grid->SetRows(rows);
        for (int r = 0; r <= rows - 2; ++r) m_grid->SetRowHeight(r, kRowTwips);
        m_grid->SetCol(1);
        m_grid->SetRow(1);
        m_grid->SetRedraw(true);

        m_grid->SetDocument(&m_doc, m_shape);

        m_grid->SetRedraw(false);
        const int fontSize = m_doc.Settings().FontSize;
        const auto points = static_cast<float>(fontSize / 10);
        const std::uint32_t fixedColor = m_grid->BackColorFixed();
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                m_grid->SetTextMatrix(r, c, QString());
                m_grid->SetCellForeColorAt(r, c, kBlack);
                m_grid->SetCellFontSizeAt(r, c, points);
                m_grid->SetCellFontBoldAt(r, c, false);
                if (r >= 1 && c >= 1)
                    m_grid->SetCellBackColorAt(r, c, r == rows - 1 ? fixedColor : kWhite);
            }
        }
        m_boldRow = -1;
        m_grid->SetColWidth(0, fontSize * 11);
        m_grid->SetColWidth(cols - 1, fontSize * 11);
        for (int c = 1; c <= cols - 2; ++c) {
            const Matter* matter = m_doc.GetMatter(m_shape.MatterOfColumn(c));
            m_grid->SetColWidth(c, matter ? matter->CellWidth() : kNewMatterCellWidth);
        }
        m_grid->SetRedraw(true);

        RefreshGrid();
        // Back to the same day when it is still shown, else to the current date's row; back to
        // the same matter's column when it still has one.
        int row = m_shape.LastDayRow();
        for (int r = m_shape.FirstDayRow(); r <= m_shape.LastDayRow(); ++r) {
            if (cursorDay != 0 && RowDate(r) == cursorDay) row = r;
        }
        int col = oldCol;
        if (cursorMatter != PeriodTable::kNoMatter && m_shape.ColumnOfMatter(cursorMatter) > 0)
            col = m_shape.ColumnOfMatter(cursorMatter);
        m_grid->SetCol(std::min(col, m_shape.Columns() - 1));
        m_grid->SetRow(row);
        OnClick();
    } catch (const std::exception&) {
        m_grid->SetRedraw(true);
        ShowMessageBox(this, GridMessage("グリッドの初期化に失敗しました。"));
    }
}

void CTallymoView::RefreshGrid() {
    if (!m_grid->Redraw()) return;  // a set-up is writing the grid
    // Matters shown or hidden since the last set-up change the columns: set up anew.
    if (MakeLedgerTableShape(m_doc, m_shape.rows).columnMatters != m_shape.columnMatters) {
        SetUpGrid();
        return;
    }
    try {
        WriteCells();
    } catch (const std::exception&) {
        m_grid->SetRedraw(true);
        ShowMessageBox(this, GridMessage("グリッドの再描画に失敗しました。"));
        return;
    }
    int row = m_grid->Row();
    if (row <= 1) row = m_shape.LastDayRow();
    ShowOutgoTotal(RowDate(row));
}

void CTallymoView::WriteCells() {
    const PeriodTable table = BuildLedgerTable(m_doc, m_shape);
    m_shownDate = m_doc.GetCurrentDate();
    m_grid->SetRedraw(false);
    const int rows = std::min(table.Rows(), m_grid->Rows());
    const int cols = std::min(table.Columns(), m_grid->Cols());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const TableCell& cell = table.At(r, c);
            m_grid->SetTextMatrix(r, c, QString::fromStdString(cell.text));
            m_grid->SetCellForeColorAt(r, c, cell.Color());
            m_grid->SetKind(r, c, cell.kind);
        }
    }
    FitColumnsToFigures();
    m_grid->SetRedraw(true);
}

// --- the cursor -----------------------------------------------------------------------------

void CTallymoView::MarkCursorRow() {
    const int row = m_grid->Row();
    if (row == m_boldRow) return;
    if (m_boldRow >= 0 && m_boldRow < m_grid->Rows())
        m_grid->SetCellFontBoldAt(m_boldRow, 0, false);
    m_grid->SetCellFontBoldAt(row, 0, true);
    m_boldRow = row;
}

void CTallymoView::MoveToRow(int row) {
    // An open editor is committed for the day it stands on before the days move.
    m_grid->CloseEditing();
    const int lastDayRow = m_shape.LastDayRow();
    if (row <= 1 || row > lastDayRow) {
        const TimeValue day = RowDate(row);
        // The window of days never leaves the days a time value holds.
        if (IsOfferedDay(day)) {
            m_doc.SetCurrentDate(day);
            if (row <= 1) m_grid->SetRow(lastDayRow);
        }
    } else {
        m_grid->SetRow(row);
    }
    SyncPane();
}

void CTallymoView::SyncPane() {
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    if (!m_shape.IsDayRow(row) || !m_shape.IsMatterColumn(col)) return;
    emit cursorCellChanged(RowDate(row), col - 1);
    ShowOutgoTotal(RowDate(row));
}

void CTallymoView::ShowMatterColumn(int n) {
    m_grid->SetRow(m_shape.LastDayRow());
    if (n < 0) {
        // No matter selected in the pane (after booking the last one): keep it that way, so
        // the next booking goes to the last matter again, not to the first column's.
        m_grid->SetCol(0);
        ShowOutgoTotal(RowDate(m_grid->Row()));
        return;
    }
    m_grid->SetCol(n + 1);
    SyncPane();
}

void CTallymoView::OnClick() {
    MarkCursorRow();
    const int row = m_grid->Row();
    if (!m_shape.IsDayRow(row)) return;
    SyncPane();
    // A drag into the carry-forward or total row counts the days shown, no more.
    const int otherEnd = std::clamp(m_grid->RowSel(), m_shape.FirstDayRow(), m_shape.LastDayRow());
    ShowOutgoTotal(RowDate(row), RowDate(otherEnd));
}

void CTallymoView::ShowOutgoTotal(TimeValue first, TimeValue last) {
    if (first == 0) return;
    QString text;
    std::int32_t total = 0;
    if (last != 0 && last != first) {
        if (last < first) std::swap(first, last);
        total = m_doc.OutgoTotal(first, last);
        text =
            QStringLiteral("%1～%2の支出合計：%3円")
                .arg(DayText(first), DayText(last), QString::fromStdString(FormatSignedYen(total)));
    } else {
        total = m_doc.OutgoTotal(first);
        text = QStringLiteral("%1の支出合計：%2円")
                   .arg(DayText(first), QString::fromStdString(FormatSignedYen(total)));
    }
    const int hidden = m_doc.MatterCount() - m_doc.VisibleMatterCount();
    if (hidden > 0 && total != 0)
        text += QStringLiteral("　※非表示設定されている事柄が%1件あります").arg(hidden);
    m_statusText = text;
    emit statusTextChanged(text);
}

// --- columns --------------------------------------------------------------------------------

void CTallymoView::StoreUserColumnWidth(int col) {
    // Only the column the user dragged: the others may be widened for their figures, which is
    // no width anybody chose.
    if (!m_shape.IsMatterColumn(col)) return;
    const int twips = std::clamp(m_grid->ColWidth(col), 0, 0xFFFF);
    m_doc.SetMatterCellWidth(m_shape.MatterOfColumn(col), static_cast<std::uint16_t>(twips));
}

void CTallymoView::FitColumnsToFigures() {
    // A figure is never cut: a column is as wide as its widest text, its stored width being
    // the least it gets.
    QFont cellFont = m_grid->Font();
    cellFont.setPointSizeF(static_cast<float>(m_doc.Settings().FontSize / 10));
    const QFontMetrics metrics(cellFont);
    constexpr int kPaddingPixels = 8;
    const int dpi = std::max(1, m_grid->PixelsPerInchX());
    const int cols = std::min(m_shape.Columns(), m_grid->Cols());
    for (int c = 1; c < cols; ++c) {
        int least = m_doc.Settings().FontSize * 11;  // the balance column
        if (m_shape.IsMatterColumn(c)) {
            const Matter* matter = m_doc.GetMatter(m_shape.MatterOfColumn(c));
            least = matter ? matter->CellWidth() : kNewMatterCellWidth;
        }
        int widest = 0;
        for (int r = 0; r < m_grid->Rows(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(m_grid->TextMatrix(r, c)));
        const int needed = ((widest + kPaddingPixels) * 1440 + dpi - 1) / dpi;
        const int twips = std::max(least, needed);
        if (m_grid->ColWidth(c) != twips) m_grid->SetColWidth(c, twips);
    }
}

// --- keys, wheel, size, drops ---------------------------------------------------------------

bool CTallymoView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == m_grid || watched == &m_grid->Editor())) {
        return FilterKey(watched, static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::Wheel && watched == m_grid->viewport()) {
        m_wheelDelta += static_cast<QWheelEvent*>(event)->angleDelta().y();
        // A notch away from the user shows earlier days, toward the user later ones.
        while (m_wheelDelta >= kWheelStep) {
            m_wheelDelta -= kWheelStep;
            MoveToRow(m_grid->Row() - 1);
        }
        while (m_wheelDelta <= -kWheelStep) {
            m_wheelDelta += kWheelStep;
            MoveToRow(m_grid->Row() + 1);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CTallymoView::FilterKey(QObject* watched, QKeyEvent* event) {
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
        case Qt::Key_Backtab:
        case Qt::Key_Tab:
        case Qt::Key_Up:
        case Qt::Key_Down:
            // An amount that does not evaluate keeps the cursor on its cell for correction.
            if (!m_grid->CommitEditing()) return true;
            break;
        default:
            break;
    }
    switch (event->key()) {
        case Qt::Key_Backtab:
            MoveToRow(row - 1);  // back, as Tab goes forward
            return true;
        case Qt::Key_Tab:
            if (shift) {
                MoveToRow(row - 1);
                return true;
            }
            if (col < m_shape.Columns() - 2) {
                m_grid->SetCol(col + 1);
            } else {
                m_grid->SetCol(1);
                MoveToRow(row + 1);
            }
            SyncPane();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (m_grid->IsEditing()) return false;  // the editor's caret moves
            if (watched == m_grid) {
                m_grid->ProcessKey(event);
                SyncPane();
                return true;
            }
            return false;
        case Qt::Key_Up:
            MoveToRow(row - 1);
            return true;
        case Qt::Key_Down:
            MoveToRow(row + 1);
            return true;
        default:
            break;
    }
    // Nothing is typed on the carry-forward row, the total row or the balance column.
    const bool fixedCell = row == 1 || row == m_shape.TotalRow() || col == m_shape.BalanceColumn();
    if (fixedCell) {
        event->accept();
        return true;
    }
    return false;
}

void CTallymoView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SetUpGrid();
}

void CTallymoView::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void CTallymoView::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void CTallymoView::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasUrls() || data->urls().isEmpty()) return;
    const QUrl first = data->urls().first();  // only the first of several files is opened
    if (!first.isLocalFile()) return;
    event->acceptProposedAction();
    emit fileDropped(first.toLocalFile());
}

}  // namespace tallymo
