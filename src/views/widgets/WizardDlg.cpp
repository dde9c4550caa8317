#include "views/widgets/WizardDlg.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "calc/widgets/CalcEdit.h"
#include "doc/LocalPath.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "doc/YenFormat.h"
#include "ui/Help.h"
#include "ui/PointFont.h"
#include "ui/Question.h"
#include "views/widgets/OfferedDates.h"

namespace tallymo {
namespace {

constexpr int kFirstRowId = 10000;
constexpr int kBarWidth = 15;

template <typename Widget>
Widget* WithId(Widget* widget, int controlId) {
    widget->setProperty("controlId", controlId);
    return widget;
}

WizardPresenter& Presenter() {
    static WizardPresenter presenter;
    return presenter;
}

bool Holds(const std::vector<CWizardDlg::Row>& rows, const QWidget* widget) {
    for (const CWizardDlg::Row& row : rows) {
        if (widget == row.name || widget == row.amount) return true;
    }
    return false;
}

}  // namespace

CWizardDlg::CWizardDlg(CTallymoDoc& doc, std::function<bool()> save, QWidget* parent)
    : QDialog(parent),
      m_doc(doc),
      m_save(std::move(save)),
      m_modifiedAtStart(doc.IsModified()),
      m_calendar(WithId(new QCalendarWidget, 1012)) {
    setProperty("controlId", kHelpTopic);
    QString title = QStringLiteral("入力ウィザード");
    if (!doc.PathName().empty()) {
        const QString path = FromLocalPath(doc.PathName());
        title += QStringLiteral(" - ") + QFileInfo(path).fileName();
    }
    setWindowTitle(title);

    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setDateRange(FirstOfferedDate(), LastOfferedDate());
    m_calendar->setSelectedDate(ToQDate(StartOfDay(doc.GetClock().Now())));

    auto* group = new QGroupBox(QStringLiteral("データの入力"));
    auto* intro = new QLabel(
        QStringLiteral("このウィザードを使用すれば、以下の項目を入力するだけで記帳が終了します。\n"
                       "一括記帳を行う日及び各事柄の金額を入力してください。"));
    intro->setWordWrap(true);
    auto* incomeLabel = WithId(new QLabel(QStringLiteral("収入：")), 1035);
    auto* outgoLabel = WithId(new QLabel(QStringLiteral("支出：")), 1036);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(intro);
    groupLayout->addWidget(incomeLabel);
    groupLayout->addWidget(BuildArray(true, incomeLabel));
    groupLayout->addWidget(outgoLabel);
    groupLayout->addWidget(BuildArray(false, outgoLabel));
    groupLayout->addStretch(1);

    m_quit = WithId(new QCheckBox(QStringLiteral("記帳後Tallymoを終了する")), 1013);
    m_dontShow = WithId(new QCheckBox(QStringLiteral("ウィザードを次回から表示しない")), 1014);
    auto* book = WithId(new QPushButton(QStringLiteral("記帳(&W)")), 1);
    auto* cancel = WithId(new QPushButton(QStringLiteral("中止(&S)")), 2);
    auto* help = WithId(new QPushButton(QStringLiteral("ヘルプ(&H)")), 9);
    book->setDefault(true);
    connect(book, &QPushButton::clicked, this, &CWizardDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CWizardDlg::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [] { ShowHelpTopic(kHelpTopic); });

    auto* left = new QVBoxLayout;
    left->addWidget(m_calendar);
    left->addWidget(m_quit);
    left->addWidget(m_dontShow);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(group, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(book);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &CWizardDlg::OnDayPicked);
    FillRows();
}

// --- building -------------------------------------------------------------------------------

QWidget* CWizardDlg::BuildArray(bool income, QLabel* label) {
    const int visible = m_doc.VisibleListCount(income);
    const int count = std::min(kRowCap, visible);
    auto* area = new QWidget;
    area->setFixedSize(2 * kFieldWidth + kBarWidth, kRowHeight * count);
    const int firstId = kFirstRowId + (income ? 0 : static_cast<int>(m_income.size()));
    std::vector<Row> rows = BuildRows(area, count, firstId);

    auto* bar = new QScrollBar(Qt::Vertical, area);
    bar->setGeometry(2 * kFieldWidth, 0, kBarWidth, kRowHeight * count);
    bar->setRange(0, std::max(0, visible - kRowCap));
    bar->setPageStep(kRowCap);
    bar->setVisible(visible >= kRowCap);
    connect(bar, &QScrollBar::actionTriggered, this,
            [this, bar](int action) { OnScrollAction(bar, action); });
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int position) { ScrollTo(bar, position); });
    (income ? m_incomeBar : m_outgoBar) = bar;
    (income ? m_income : m_outgo) = std::move(rows);
    area->setProperty("controlId", label->property("controlId"));
    return area;
}

std::vector<CWizardDlg::Row> CWizardDlg::BuildRows(QWidget* area, int count, int firstId) {
    const int fontSize = m_doc.Settings().FontSize;
    std::vector<Row> rows;
    for (int a = 0; a < count; ++a) {
        Row row{WithId(new CCalcEdit(false, kWhite, area), firstId + a),
                WithId(new CCalcEdit(false, kWhite, area), firstId + a)};
        row.name->setGeometry(0, kRowHeight * a, kFieldWidth, kRowHeight);
        row.amount->setGeometry(kFieldWidth, kRowHeight * a, kFieldWidth, kRowHeight);
        for (CCalcEdit* field : {row.name, row.amount}) field->SetPointFont(fontSize, kGothicFace);
        row.name->setAlignment(Qt::AlignCenter);
        row.name->SetDisplayOnly(true);
        row.name->setFocusPolicy(Qt::NoFocus);  // no tab stop: only the amounts are typed
        row.amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rows.push_back(row);
    }
    return rows;
}

QWidget* CWizardDlg::Control(int controlId) const {
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (widget->property("controlId").toInt() == controlId) return widget;
    }
    return nullptr;
}

// --- rows ------------------------------------------------------------------------------------

void CWizardDlg::FillRows() {
    m_day = ToDayValue(m_calendar->selectedDate());
    int incomeSeen = 0;
    int outgoSeen = 0;
    for (MatterIndex m = 0; m < m_doc.MatterCount(); ++m) {
        if (!m_doc.IsMatterVisible(m)) continue;
        const bool income = m_doc.IsIncome(m);
        const int k = income ? incomeSeen++ : outgoSeen++;
        const int a = k - (income ? m_incomePosition : m_outgoPosition);
        const std::vector<Row>& rows = Rows(income);
        if (a < 0 || a >= static_cast<int>(rows.size())) continue;
        rows[a].name->setText(QString::fromStdString(Cp932ToUtf8(m_doc.GetMatter(m)->Name())));
        // Signed, so that a negative amount read from a file is shown as what it is.
        rows[a].amount->setText(QString::fromStdString(FormatSignedYen(m_doc.DayAmount(m_day, m))));
        rows[a].amount->Bind(&m_doc, m_day, m, true);
    }
}

bool CWizardDlg::CommitAll() {
    for (const std::vector<Row>* rows : {&m_income, &m_outgo}) {
        for (const Row& row : *rows) {
            // A failure just reported for this very text, with the field still being
            // corrected, is not reported a second time (a mnemonic first moves the focus).
            if (row.amount->FailedAsShown() && row.amount->hasFocus()) return false;
            if (!row.amount->Commit()) return false;
        }
    }
    return true;
}

void CWizardDlg::OnDayPicked() {
    // The amounts on show belong to the day the fields are still bound to. When one of them
    // cannot be booked, the calendar goes back to that day, so the typed text is not lost.
    if (!CommitAll()) {
        const QSignalBlocker block(m_calendar);
        m_calendar->setSelectedDate(ToQDate(m_day));
        return;
    }
    FillRows();
}

void CWizardDlg::OnScrollAction(QScrollBar* bar, int action) {
    if (action == QAbstractSlider::SliderPageStepAdd) bar->setSliderPosition(bar->maximum());
}

void CWizardDlg::ScrollTo(QScrollBar* bar, int position) {
    int& shown = bar == m_incomeBar ? m_incomePosition : m_outgoPosition;
    if (position == shown) return;
    // The bars take no focus, so a field typed into has not committed yet: book every field
    // before the rows show other matters. A field that cannot be booked holds the rows still.
    if (!CommitAll()) {
        const QSignalBlocker block(bar);
        bar->setValue(shown);
        return;
    }
    shown = position;
    FillRows();
}

void CWizardDlg::wheelEvent(QWheelEvent* event) {
    const QWidget* focused = focusWidget();
    QScrollBar* bar = nullptr;
    if (Holds(m_income, focused)) bar = m_incomeBar;
    if (Holds(m_outgo, focused)) bar = m_outgoBar;
    event->accept();
    if (!CommitAll()) return;
    if (bar) {
        // A turn toward the user moves down the list; the bar keeps the position in range.
        const int step = event->angleDelta().y() <= 0 ? 1 : -1;
        bar->setValue(bar->value() + step);  // fills the rows when the position moves
    }
    FillRows();
}

// --- buttons ------------------------------------------------------------------------------------

void CWizardDlg::accept() {
    // A mnemonic or Enter may end the dialog without the last field losing the focus.
    if (!CommitAll()) return;
    if (m_dontShow->isChecked()) {
        m_doc.Settings().ShowQuickWizard = false;
        m_doc.SetModifiedFlag(true);
    }
    if (m_quit->isChecked()) {
        // The program ends only with the ledger on disk. A save that failed has said why (or
        // the user cancelled the name): the wizard stays open with every amount in place.
        if (!m_save || !m_save()) return;
        m_quitRequested = true;
    }
    QDialog::accept();
}

void CWizardDlg::reject() {
    // Cancelling reloads the ledger from its file: changes made before the wizard opened and
    // not saved go with the wizard's bookings, so that is asked first.
    if (m_modifiedAtStart) {
        const Question question{
            QStringLiteral("中止すると、入力ウィザードを開く前の保存されていない変更も失われます。"
                           "\n中止しますか?"),
            false, true};
        if (AskQuestion(this, question) != Answer::Yes) return;
    }
    QDialog::reject();
}

// --- running ----------------------------------------------------------------------------------

int RunWizard(CWizardDlg& dialog) {
    if (Presenter()) return Presenter()(dialog);
    return dialog.exec();
}

WizardPresenter SetWizardPresenter(WizardPresenter presenter) {
    WizardPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

}  // namespace tallymo
