#include "views/widgets/MSFlexGrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "ui/ColorRef.h"
#include "ui/PointFont.h"

namespace tallymo {
namespace {

// Figures stand right, words left, as a general-alignment grid shows them.
Qt::Alignment AlignmentFor(const QString& text) {
    const bool figure = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('-');
    });
    return Qt::AlignVCenter | (figure ? Qt::AlignRight : Qt::AlignLeft);
}

// Draws the cursor cell as the grid's cursor (a light focus frame, not a highlight); the rest
// of a range selection is highlighted.
class CursorDelegate final : public QStyledItemDelegate {
public:
    explicit CursorDelegate(QTableWidget* table) : QStyledItemDelegate(table), m_table(table) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        const bool cursor = index == m_table->currentIndex();
        plain.state &= ~QStyle::State_HasFocus;
        if (cursor) plain.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, plain, index);
        if (cursor) {
            painter->save();
            QPen pen(Qt::black, 1, Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
            painter->restore();
        }
    }

private:
    QTableWidget* m_table;
};

}  // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableWidget(1, 1, parent) {
    setFont(PointFont(90, kProportionalGothicFace));
    m_cornerFont = font();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setItemDelegate(new CursorDelegate(this));
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setFont(font());
        header->setHighlightSections(false);
        header->setSectionsClickable(false);
        header->setMinimumSectionSize(1);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const int defaultRow = fontMetrics().height() + 4;
    verticalHeader()->setDefaultSectionSize(defaultRow);
    horizontalHeader()->setFixedHeight(defaultRow);

    if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);

    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int previousRow, int previousCol) {
                if (previousRow >= 0 && previousCol >= 0)
                    emit LeaveCell(previousRow + 1, previousCol + 1);
                if (row >= 0 && col >= 0) {
                    m_lastRow = row + 1;
                    m_lastCol = col + 1;
                    emit CursorMoved(row + 1, col + 1);
                }
            });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
        if (!m_settingWidth) emit ColumnResizedByUser(section + 1);
    });
    m_colTwips.assign(2, -1);
    m_rowTwips.assign(2, -1);
    FillItems();
    setCurrentCell(0, 0);
}

// --- shape --------------------------------------------------------------------------------

void CMSFlexGrid::SetRows(int rows) {
    rows = std::max(rows, 1);
    if (rows == Rows()) return;
    m_settingWidth = true;  // sections come and go: no width chosen by the user
    setRowCount(rows - 1);
    m_settingWidth = false;
    m_rowTwips.resize(static_cast<std::size_t>(rows), -1);
    FillItems();
    ClampCursor();
    OnShapeChanged();
}

void CMSFlexGrid::SetCols(int cols) {
    cols = std::max(cols, 1);
    if (cols == Cols()) return;
    m_settingWidth = true;
    setColumnCount(cols - 1);
    m_settingWidth = false;
    m_colTwips.resize(static_cast<std::size_t>(cols), -1);
    FillItems();
    ClampCursor();
    OnShapeChanged();
}

void CMSFlexGrid::FillItems() {
    const QFont base = font();
    auto make = [&base] {
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setFont(base);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return item;
    };
    for (int c = 0; c < columnCount(); ++c) {
        if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, make());
    }
    for (int r = 0; r < rowCount(); ++r) {
        if (!verticalHeaderItem(r)) setVerticalHeaderItem(r, make());
        for (int c = 0; c < columnCount(); ++c) {
            if (!item(r, c)) setItem(r, c, make());
        }
    }
}

void CMSFlexGrid::ClampCursor() {
    if (rowCount() == 0 || columnCount() == 0) return;
    const int row = std::clamp(m_lastRow, 1, Rows() - 1);
    const int col = std::clamp(m_lastCol, 1, Cols() - 1);
    if (Row() != row || Col() != col) setCurrentCell(row - 1, col - 1);
}

// --- cursor and selection -------------------------------------------------------------------

int CMSFlexGrid::Row() const {
    const int row = currentRow();
    return row < 0 ? m_lastRow : row + 1;
}

int CMSFlexGrid::Col() const {
    const int col = currentColumn();
    return col < 0 ? m_lastCol : col + 1;
}

void CMSFlexGrid::SetRow(int row) {
    if (rowCount() == 0 || columnCount() == 0) return;
    setCurrentCell(std::clamp(row, 1, Rows() - 1) - 1, Col() - 1);
}

void CMSFlexGrid::SetCol(int col) {
    if (rowCount() == 0 || columnCount() == 0) return;
    setCurrentCell(Row() - 1, std::clamp(col, 1, Cols() - 1) - 1);
}

int CMSFlexGrid::RowSel() const {
    const int row = Row();
    for (const QTableWidgetSelectionRange& range : selectedRanges()) {
        if (range.topRow() + 1 <= row && row <= range.bottomRow() + 1)
            return range.topRow() + 1 == row ? range.bottomRow() + 1 : range.topRow() + 1;
    }
    return row;
}

int CMSFlexGrid::ColSel() const {
    const int col = Col();
    for (const QTableWidgetSelectionRange& range : selectedRanges()) {
        if (range.leftColumn() + 1 <= col && col <= range.rightColumn() + 1) {
            return range.leftColumn() + 1 == col ? range.rightColumn() + 1 : range.leftColumn() + 1;
        }
    }
    return col;
}

void CMSFlexGrid::SetRowSel(int rowSel) {
    if (rowCount() == 0 || columnCount() == 0) return;
    const int colSel = ColSel();
    rowSel = std::clamp(rowSel, 1, Rows() - 1);
    clearSelection();
    setRangeSelected(
        QTableWidgetSelectionRange(std::min(Row(), rowSel) - 1, std::min(Col(), colSel) - 1,
                                   std::max(Row(), rowSel) - 1, std::max(Col(), colSel) - 1),
        true);
}

void CMSFlexGrid::SetColSel(int colSel) {
    if (rowCount() == 0 || columnCount() == 0) return;
    const int rowSel = RowSel();
    colSel = std::clamp(colSel, 1, Cols() - 1);
    clearSelection();
    setRangeSelected(
        QTableWidgetSelectionRange(std::min(Row(), rowSel) - 1, std::min(Col(), colSel) - 1,
                                   std::max(Row(), rowSel) - 1, std::max(Col(), colSel) - 1),
        true);
}

// --- texts and formats ----------------------------------------------------------------------

QTableWidgetItem* CMSFlexGrid::Item(int row, int col) const {
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) return nullptr;
    if (row == 0 && col == 0) return nullptr;
    if (row == 0) return horizontalHeaderItem(col - 1);
    if (col == 0) return verticalHeaderItem(row - 1);
    return item(row - 1, col - 1);
}

QString CMSFlexGrid::TextMatrix(int row, int col) const {
    if (row == 0 && col == 0) return m_cornerText;
    const QTableWidgetItem* cell = Item(row, col);
    return cell ? cell->text() : QString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (row == 0 && col == 0) {
        m_cornerText = text;
        if (auto* corner = findChild<QAbstractButton*>()) corner->update();
        return;
    }
    QTableWidgetItem* cell = Item(row, col);
    if (!cell || cell->text() == text) return;  // its alignment came with the text
    cell->setText(text);
    if (row > 0 && col > 0) cell->setTextAlignment(AlignmentFor(text));
}

void CMSFlexGrid::SetCellForeColorAt(int row, int col, std::uint32_t color) {
    if (row == 0 && col == 0) m_cornerFore = color;
    QTableWidgetItem* cell = Item(row, col);
    if (!cell) return;
    const QColor wanted = ToQColor(color);
    const QBrush shown = cell->foreground();
    if (shown.style() != Qt::SolidPattern || shown.color() != wanted) cell->setForeground(wanted);
}

void CMSFlexGrid::SetCellBackColorAt(int row, int col, std::uint32_t color) {
    if (QTableWidgetItem* cell = Item(row, col)) cell->setBackground(ToQColor(color));
}

void CMSFlexGrid::SetCellFontSizeAt(int row, int col, float points) {
    if (points <= 0) return;
    if (row == 0 && col == 0) {
        m_cornerFont.setPointSizeF(points);
        return;
    }
    if (QTableWidgetItem* cell = Item(row, col)) {
        QFont cellFont = cell->font();
        cellFont.setPointSizeF(points);
        cell->setFont(cellFont);
    }
}

void CMSFlexGrid::SetCellFontBoldAt(int row, int col, bool bold) {
    if (row == 0 && col == 0) {
        m_cornerFont.setBold(bold);
        return;
    }
    if (QTableWidgetItem* cell = Item(row, col)) {
        if (cell->font().bold() == bold) return;
        QFont cellFont = cell->font();
        cellFont.setBold(bold);
        cell->setFont(cellFont);
    }
}

std::uint32_t CMSFlexGrid::CellForeColorAt(int row, int col) const {
    if (row == 0 && col == 0) return m_cornerFore;
    const QTableWidgetItem* cell = Item(row, col);
    if (!cell) return kBlack;
    const QBrush brush = cell->foreground();
    return brush.style() == Qt::NoBrush ? kBlack : ToColorRef(brush.color());
}

std::uint32_t CMSFlexGrid::CellBackColorAt(int row, int col) const {
    const QTableWidgetItem* cell = Item(row, col);
    if (!cell || row == 0 || col == 0) return BackColorFixed();
    const QBrush brush = cell->background();
    return brush.style() == Qt::NoBrush ? ToColorRef(palette().color(QPalette::Base))
                                        : ToColorRef(brush.color());
}

bool CMSFlexGrid::CellFontBoldAt(int row, int col) const {
    if (row == 0 && col == 0) return m_cornerFont.bold();
    const QTableWidgetItem* cell = Item(row, col);
    return cell && cell->font().bold();
}

float CMSFlexGrid::CellFontSizeAt(int row, int col) const {
    if (row == 0 && col == 0) return static_cast<float>(m_cornerFont.pointSizeF());
    const QTableWidgetItem* cell = Item(row, col);
    return cell ? static_cast<float>(cell->font().pointSizeF()) : 0.0f;
}

std::uint32_t CMSFlexGrid::BackColorFixed() const {
    return ToColorRef(horizontalHeader()->palette().color(QPalette::Button));
}

// --- painting and user rights ----------------------------------------------------------------

void CMSFlexGrid::SetRedraw(bool redraw) {
    m_redraw = redraw;
    setUpdatesEnabled(redraw);
    if (redraw) viewport()->update();
}

void CMSFlexGrid::SetAllowBigSelection(bool allow) {
    horizontalHeader()->setSectionsClickable(allow);
    verticalHeader()->setSectionsClickable(allow);
}

void CMSFlexGrid::SetAllowUserResizing(int mode) {
    horizontalHeader()->setSectionResizeMode((mode & 1) ? QHeaderView::Interactive
                                                        : QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode((mode & 2) ? QHeaderView::Interactive
                                                      : QHeaderView::Fixed);
}

// --- measures --------------------------------------------------------------------------------

int CMSFlexGrid::TwipsToPixelsX(int twips) const {
    return twips * PixelsPerInchX() / 1440;
}
int CMSFlexGrid::TwipsToPixelsY(int twips) const {
    return twips * PixelsPerInchY() / 1440;
}
int CMSFlexGrid::PixelsToTwipsX(int pixels) const {
    return pixels * 1440 / PixelsPerInchX();
}
int CMSFlexGrid::PixelsToTwipsY(int pixels) const {
    return pixels * 1440 / PixelsPerInchY();
}

int CMSFlexGrid::ColWidth(int col) const {
    if (col < 0 || col >= Cols()) return 0;
    const int pixels = col == 0 ? verticalHeader()->width() : columnWidth(col - 1);
    const int stored = m_colTwips[static_cast<std::size_t>(col)];
    if (stored >= 0 && TwipsToPixelsX(stored) == pixels) return stored;
    return PixelsToTwipsX(pixels);
}

void CMSFlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= Cols()) return;
    twips = std::max(twips, 0);
    m_colTwips[static_cast<std::size_t>(col)] = twips;
    const int pixels = TwipsToPixelsX(twips);
    if (col == 0) {
        verticalHeader()->setFixedWidth(pixels);
        return;
    }
    m_settingWidth = true;
    setColumnWidth(col - 1, pixels);
    m_settingWidth = false;
}

int CMSFlexGrid::RowHeight(int row) const {
    if (row < 0 || row >= Rows()) return 0;
    const int pixels = row == 0 ? horizontalHeader()->height() : rowHeight(row - 1);
    const int stored = m_rowTwips[static_cast<std::size_t>(row)];
    if (stored >= 0 && TwipsToPixelsY(stored) == pixels) return stored;
    return PixelsToTwipsY(pixels);
}

void CMSFlexGrid::SetRowHeight(int row, int twips) {
    if (row < 0 || row >= Rows()) return;
    twips = std::max(twips, 0);
    m_rowTwips[static_cast<std::size_t>(row)] = twips;
    const int pixels = TwipsToPixelsY(twips);
    if (row == 0) {
        horizontalHeader()->setFixedHeight(pixels);
    } else {
        setRowHeight(row - 1, pixels);
    }
}

QRect CMSFlexGrid::CellRect(int row, int col) const {
    if (row <= 0 || col <= 0 || row >= Rows() || col >= Cols()) return {};
    return visualRect(model()->index(row - 1, col - 1)).translated(viewport()->pos());
}

// --- events ----------------------------------------------------------------------------------

bool CMSFlexGrid::OnKeyDown(QKeyEvent*) {
    return false;
}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown(event)) {
        event->accept();
        return;
    }
    // A range over the whole grid is not for this grid (nor is copying its cells).
    if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)) {
        event->ignore();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void CMSFlexGrid::keyboardSearch(const QString&) {
    // Typed letters never move the cursor to a cell that starts with them.
}

void CMSFlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    emit Click();
}

void CMSFlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    emit DblClick();
}

bool CMSFlexGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched != viewport()) {
        if (auto* corner = qobject_cast<QAbstractButton*>(watched)) {
            PaintCorner(corner);
            return true;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

void CMSFlexGrid::PaintCorner(QAbstractButton* corner) {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    option.text = m_cornerText;
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Raised | QStyle::State_Horizontal;
    option.palette.setColor(QPalette::ButtonText, ToQColor(m_cornerFore));
    QPainter painter(corner);
    QFont cornerFont = font();
    if (m_cornerFont.pointSizeF() > 0) cornerFont.setPointSizeF(m_cornerFont.pointSizeF());
    cornerFont.setBold(m_cornerFont.bold());
    painter.setFont(cornerFont);
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

}  // namespace tallymo
