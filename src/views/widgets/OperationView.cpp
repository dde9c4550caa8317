#include "views/widgets/OperationView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "calc/Booking.h"
#include "calc/widgets/CalcEdit.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "ui/PointFont.h"
#include "views/widgets/OfferedDates.h"

namespace tallymo {
namespace {

const QString kMatterHint = QStringLiteral("記帳する事柄を選択します");
const QString kOverwriteHint = QStringLiteral("金額を上書きする場合にはチェックを入れます");

template <typename Widget>
Widget* WithId(Widget* widget, int id) {
    widget->setProperty("controlId", id);
    return widget;
}

}  // namespace

COperationView::COperationView(CTallymoDoc& doc, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_calendar(WithId(new QCalendarWidget, 1001)),
      m_list(WithId(new QListWidget, 1002)),
      m_amount(WithId(new CCalcEdit(false, kWhite), 1)),
      m_overwrite(WithId(new QCheckBox(QStringLiteral("金額を上書きする")), 1006)),
      m_book(WithId(new QPushButton(QStringLiteral("記帳(&E)")), 1004)),
      m_cancel(WithId(new QPushButton(QStringLiteral("取り消し(&C)")), 1005)) {
    setProperty("controlId", 131);
    setFont(PointFont(90, kProportionalGothicFace));

    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setDateRange(FirstOfferedDate(), LastOfferedDate());
    m_calendar->setFixedHeight(152);  // all six weeks of a month in the 310-pixel pane
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(false);
    m_list->setMinimumHeight(36);        // the list takes what the pane's height leaves
    m_amount->Bind(&m_doc, 0, 0, true);  // date 0: the field evaluates, the pane books
    m_amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_amount->SetPointFont(90, kGothicFace);
    m_book->setDefault(true);
    m_book->setAutoDefault(true);
    m_cancel->setAutoDefault(true);

    auto* amountLabel = WithId(new QLabel(QStringLiteral("金額：")), 1010);
    auto* yenLabel = WithId(new QLabel(QStringLiteral("円")), 1011);
    auto* amountRow = new QHBoxLayout;
    amountRow->setSpacing(4);
    amountRow->addWidget(amountLabel);
    amountRow->addWidget(m_amount, 1);
    amountRow->addWidget(yenLabel);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(6);
    buttonRow->addWidget(m_book);
    buttonRow->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(3);
    layout->addWidget(m_calendar);
    layout->addWidget(new QLabel(QStringLiteral("事柄：")));
    layout->addWidget(m_list, 1);
    layout->addLayout(amountRow);
    layout->addWidget(m_overwrite);
    layout->addLayout(buttonRow);
    setTabOrder(m_calendar, m_list);
    setTabOrder(m_list, m_amount);
    setTabOrder(m_amount, m_overwrite);
    setTabOrder(m_overwrite, m_book);
    setTabOrder(m_book, m_cancel);

    connect(m_book, &QPushButton::clicked, this, &COperationView::Book);
    connect(m_cancel, &QPushButton::clicked, this, &COperationView::Cancel);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &COperationView::OnDayPicked);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &COperationView::FocusAmount);
    connect(m_overwrite, &QCheckBox::clicked, this,
            [this] { emit statusTextChanged(kOverwriteHint); });
    m_list->installEventFilter(this);
    // The calendar's keys arrive at its day table.
    m_calendarDays = m_calendar->findChild<QAbstractItemView*>();
    if (m_calendarDays) m_calendarDays->installEventFilter(this);
    // The buttons' Alt+E and Alt+C belong to the pane, as a form's own mnemonics come before
    // the menu bar's: registered for the whole window they would clash with 編集(&E) and make
    // Alt+E only move the focus. The pane presses them itself while the focus is inside it.
    m_book->setShortcut(QKeySequence());
    m_cancel->setShortcut(QKeySequence());
    qApp->installEventFilter(this);

    Initialize();
}

void COperationView::Initialize() {
    m_amount->setText(QStringLiteral("0"));
    {
        const QSignalBlocker block(m_calendar);
        m_calendar->setSelectedDate(ToQDate(m_doc.GetCurrentDate()));
    }
    {
        const QSignalBlocker block(m_list);
        m_list->clear();
        for (int index = 0; index < m_doc.MatterCount(); ++index) {
            if (!m_doc.IsMatterVisible(index)) continue;
            m_list->addItem(QString::fromStdString(Cp932ToUtf8(m_doc.GetMatter(index)->Name())));
        }
    }
    SelectPosition(m_list->count() > 0 ? 0 : -1);
    m_overwrite->setChecked(m_doc.Settings().EnterMode);
}

int COperationView::SelectedPosition() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

TimeValue COperationView::SelectedDate() const {
    return ToDayValue(m_calendar->selectedDate());
}

void COperationView::SelectPosition(int position) {
    const QSignalBlocker block(m_list);
    if (position >= 0 && position < m_list->count()) {
        m_list->setCurrentRow(position);
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
}

void COperationView::SelectCell(TimeValue date, int position) {
    {
        const QSignalBlocker block(m_calendar);
        m_calendar->setSelectedDate(ToQDate(date));
    }
    SelectPosition(position);
}

void COperationView::Book() {
    const int count = m_list->count();
    // Without any matter there is nothing to book into.
    if (count == 0) return;
    const int position = SelectedPosition();
    // With no selection (just after the last matter was booked) the last matter books again.
    const MatterIndex matter = m_doc.VisibleMatterIndex(position >= 0 ? position : count - 1);
    const bool replace = m_overwrite->isChecked();
    // The text as typed, an expression from the calculator keys included, or the amount the
    // field shows after its own commit.
    const AmountOutcome outcome = BookExpression(m_doc, SelectedDate(), matter,
                                                 m_amount->text().toUtf8().toStdString(), replace);
    if (!outcome) {
        // Nothing booked: the text stays for correction and the selection where it was.
        m_amount->ShowFailure(outcome.failure);
        return;
    }
    m_amount->setText(QStringLiteral("0"));
    m_doc.Settings().EnterMode = replace;  // travels with the file, not a change by itself
    SelectPosition(position + 1);
    FocusAmount();
}

void COperationView::Cancel() {
    // Back to today as picking it in the calendar would: the grid's days move with it.
    {
        const QSignalBlocker block(m_calendar);
        m_calendar->setSelectedDate(ToQDate(StartOfDay(m_doc.GetClock().Now())));
    }
    SelectPosition(0);
    Clear();
    OnDayPicked();
}

void COperationView::Clear() {
    m_amount->setText(QStringLiteral("0"));
    m_amount->setModified(false);
}

void COperationView::AppendKey(const QString& key) {
    AppendKey(key, key.startsWith(QLatin1Char('=')));
}

void COperationView::AppendKey(const QString& key, bool evaluate) {
    QString text = m_amount->text();
    if (!m_amount->isModified()) {
        // A fresh field: the result shown is not carried into a new calculation.
        if (key.startsWith(QLatin1Char('*')) || key.startsWith(QLatin1Char('/')) ||
            key.startsWith(QLatin1Char('=')))
            return;
        text.clear();
    }
    // "=" only evaluates: a text that fails stays as typed, without it, for correction.
    m_amount->setText(text + (key == QLatin1String("=") ? QString() : key));
    if (evaluate) m_amount->Commit();
    m_amount->setModified(!evaluate);
}

void COperationView::OnDayPicked() {
    m_doc.SetCurrentDate(SelectedDate());
    emit dayPicked(SelectedPosition());
}

void COperationView::FocusAmount() {
    m_amount->setFocus(Qt::OtherFocusReason);
    m_amount->selectAll();
}

QPushButton* COperationView::MnemonicButton(const QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return nullptr;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier) return nullptr;
    if (key->key() == Qt::Key_E) return m_book;
    if (key->key() == Qt::Key_C) return m_cancel;
    return nullptr;
}

bool COperationView::ForwardTyping(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const bool fromCalendar = m_calendarDays && watched == m_calendarDays;
    if (watched != m_list && !fromCalendar) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (fromCalendar && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        m_book->click();
        return true;
    }
    // An amount typed while the list or the calendar has the focus goes where amounts go.
    if (key->text().size() != 1 || !QStringLiteral("0123456789()*+-/.").contains(key->text()))
        return false;
    // As on a ledger cell: a digit starts a new amount, an operator continues the one shown.
    FocusAmount();
    if (QStringLiteral("*+-/").contains(key->text())) m_amount->end(false);
    QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
    QApplication::sendEvent(m_amount, &typed);
    return true;
}

bool COperationView::eventFilter(QObject* watched, QEvent* event) {
    if (ForwardTyping(watched, event)) return true;
    if (watched == m_list && event->type() == QEvent::FocusIn) emit statusTextChanged(kMatterHint);
    if (QPushButton* button = MnemonicButton(event)) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget))) {
            event->accept();  // claims the key from the window's shortcuts
            if (event->type() == QEvent::KeyPress) button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void COperationView::keyPressEvent(QKeyEvent* event) {
    // Enter anywhere in the form presses the default button, as in a dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_book->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tallymo
