#include "views/widgets/LedgerGrid.h"

#include <QKeyEvent>

#include "calc/widgets/CalcEdit.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

bool IsTypingChord(Qt::KeyboardModifiers modifiers) {
    return !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

}  // namespace

CLedgerGrid::CLedgerGrid(QWidget* parent)
    : CMSFlexGrid(parent), m_editor(new CCalcEdit(false, kWhite, this)) {
    m_editor->hide();
    m_editor->setFrame(false);
    m_editor->setFont(Font());
    m_editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_editor->setProperty("controlId", 1062);
    m_editor->installEventFilter(this);
    OnShapeChanged();

    connect(this, &CMSFlexGrid::DblClick, this, [this] {
        if (!IsEditing()) BeginEditing();
    });
    connect(this, &CMSFlexGrid::LeaveCell, this, &CLedgerGrid::CloseEditing);
    connect(this, &CMSFlexGrid::Scroll, this, &CLedgerGrid::CloseEditing);
}

void CLedgerGrid::SetDocument(CTallymoDoc* doc, const LedgerTableShape& shape) {
    m_doc = doc;
    m_shape = shape;
}

CellKind CLedgerGrid::Kind(int row, int col) const {
    if (row < 0 || col < 0 || row >= static_cast<int>(m_kinds.size())) return CellKind::Fixed;
    const auto& cells = m_kinds[static_cast<std::size_t>(row)];
    return col < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(col)]
                                                : CellKind::Fixed;
}

void CLedgerGrid::SetKind(int row, int col, CellKind kind) {
    if (row < 0 || col < 0 || row >= static_cast<int>(m_kinds.size())) return;
    auto& cells = m_kinds[static_cast<std::size_t>(row)];
    if (col < static_cast<int>(cells.size())) cells[static_cast<std::size_t>(col)] = kind;
}

void CLedgerGrid::OnShapeChanged() {
    // Kept cells keep their kinds; new ones are not editable.
    m_kinds.resize(static_cast<std::size_t>(Rows()));
    for (auto& cells : m_kinds) cells.resize(static_cast<std::size_t>(Cols()), CellKind::Fixed);
}

bool CLedgerGrid::CursorOnAmountCell() const {
    return Kind(Row(), Col()) == CellKind::Amount;
}

bool CLedgerGrid::IsEditing() const {
    return m_editor->isVisible();
}

void CLedgerGrid::BeginEditing() {
    if (!m_doc || !CursorOnAmountCell()) return;
    const int row = Row();
    const int col = Col();
    const MatterIndex matter = m_shape.MatterOfColumn(col);
    if (matter == PeriodTable::kNoMatter) return;
    m_editRow = row;
    m_editCol = col;
    m_editor->Bind(m_doc, m_shape.RowDate(m_doc->GetCurrentDate(), row), matter, true);
    m_editor->setGeometry(CellRect(row, col));
    m_editor->show();
    m_editor->clear();
    m_editor->insert(Text());
    m_editor->setFocus(Qt::OtherFocusReason);  // the commas go here
    m_editor->selectAll();
}

void CLedgerGrid::CloseEditing() {
    if (!IsEditing()) return;
    // The window of days may have moved under the editor: its text belongs only to the cell
    // that still shows the editor's day.
    const bool sameDay =
        m_doc && m_shape.RowDate(m_doc->GetCurrentDate(), m_editRow) == m_editor->BoundDate();
    // A failure reported already (the focus left with it) is not reported twice.
    const bool stored = !m_editor->FailedAsShown() && m_editor->Commit();
    if (stored && m_editRow > 0 && m_editCol > 0 && sameDay)
        SetTextMatrix(m_editRow, m_editCol, m_editor->text());
    m_editor->HideWithoutCommit();
}

bool CLedgerGrid::CommitEditing() {
    return !IsEditing() || m_editor->Commit();
}

void CLedgerGrid::AbandonEditing() {
    m_editor->HideWithoutCommit();
}

bool CLedgerGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        AbandonEditing();
        return true;
    }
    return CMSFlexGrid::eventFilter(watched, event);
}

bool CLedgerGrid::OnKeyDown(QKeyEvent* event) {
    if (!CursorOnAmountCell()) return false;
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (IsEditing()) {
            CloseEditing();
        } else {
            BeginEditing();
        }
        return true;
    }
    if (!IsTypingChord(event->modifiers()) || event->text().size() != 1) return false;
    const QChar typed = event->text().at(0);
    const bool startsAmount =
        (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QLatin1Char('.');
    const bool continuesAmount = QStringLiteral("*+-/").contains(typed);
    if (!startsAmount && !continuesAmount) return false;
    // A key typed while the editor still stands over the cell opens it afresh, so the key is
    // never lost in a hidden editor.
    CloseEditing();
    BeginEditing();
    if (!IsEditing()) return true;
    if (continuesAmount) m_editor->end(false);
    m_editor->insert(QString(typed));
    return true;
}

}  // namespace tallymo
