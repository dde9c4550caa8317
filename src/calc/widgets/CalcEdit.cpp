#include "calc/widgets/CalcEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <string>

#include "calc/Booking.h"
#include "doc/LeadingInteger.h"
#include "doc/TallymoDoc.h"
#include "doc/YenFormat.h"
#include "ui/MessageBox.h"
#include "ui/PointFont.h"

namespace tallymo {
namespace {

bool IsAltChord(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
}

}  // namespace

CalcKeyRule CalcKeyRuleFor(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    // Alt chords are the menus' and buttons' mnemonics, never typing.
    if (IsAltChord(modifiers)) return CalcKeyRule::ToWindow;
    switch (key) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return CalcKeyRule::Pass;
        case Qt::Key_F1:
            return CalcKeyRule::ToWindow;  // help: the window's, before any field sees it
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return CalcKeyRule::CommitThenPass;
        default:
            break;
    }
    const bool control = modifiers & Qt::ControlModifier;
    if (control) {
        const bool frameChord =
            key == Qt::Key_N || key == Qt::Key_P || key == Qt::Key_Y || key == Qt::Key_Z;
        return frameChord ? CalcKeyRule::ToWindow : CalcKeyRule::Swallow;
    }
    // Keys are matched by the character they produce, so the layout does not matter.
    if (text.size() == 1 && QStringLiteral("0123456789()*+-/.").contains(text.at(0)))
        return CalcKeyRule::Pass;
    return CalcKeyRule::Swallow;
}

CCalcEdit::CCalcEdit(bool displayOnly, std::uint32_t backColor, QWidget* parent)
    : QLineEdit(parent), m_crBack(backColor), m_bDisplayOnly(displayOnly) {
    SetPointFont(90, kGothicFace);
    connect(this, &QLineEdit::textChanged, this, &CCalcEdit::UpdatePalette);
    UpdatePalette();
}

void CCalcEdit::Bind(CTallymoDoc* doc, TimeValue date, MatterIndex matter, bool calculating) {
    m_pDoc = doc;
    m_date = date;
    m_nMatter = matter;
    m_bCalculating = calculating;
    m_bFailed = false;
}

void CCalcEdit::SetDisplayOnly(bool grey) {
    if (grey) m_crBack = kDisplayOnlyGrey;
    m_bDisplayOnly = true;
    m_bCalculating = false;
    UpdatePalette();
}

void CCalcEdit::SetBackColor(std::uint32_t color) {
    m_crBack = color;
    UpdatePalette();
}

void CCalcEdit::SetPointFont(int tenthsOfPoint, const QString& face) {
    setFont(PointFont(tenthsOfPoint, face));
}

void CCalcEdit::StopCalculating() {
    m_bCalculating = false;
}

bool CCalcEdit::Commit() {
    // Without a document there is nothing to evaluate for; while a commit runs, the focus
    // change of its message box must not start a second one.
    if (!m_pDoc || m_bCommitting) return true;
    m_bCommitting = true;
    const QPointer<CCalcEdit> alive(this);
    const std::string typed = text().toUtf8().toStdString();
    const AmountOutcome outcome = m_date != 0
                                      ? BookExpression(*m_pDoc, m_date, m_nMatter, typed, true)
                                      : EvaluateAmount(*m_pDoc, typed);
    if (!outcome) {
        ShowFailure(outcome.failure);
        if (alive) m_bCommitting = false;
        return false;
    }
    if (!alive) return true;
    m_bFailed = false;
    setText(QString::fromStdString(FormatSignedYen(outcome.amount)));
    m_bCommitting = false;
    return true;
}

void CCalcEdit::ShowFailure(const UserMessage& message) {
    const QPointer<CCalcEdit> alive(this);
    const bool committing = m_bCommitting;
    m_bCommitting = true;  // the message box takes the focus: that is no commit
    const QString typed = text();
    setFocus(Qt::OtherFocusReason);
    ShowMessageBox(this, message);
    if (!alive) return;  // the window went away while the message was open
    // The typed text stays for correction, selected so that typing replaces it.
    if (text() != typed) setText(typed);
    m_bFailed = true;
    m_failedText = text();
    selectAll();
    m_bCommitting = committing;
}

void CCalcEdit::HideWithoutCommit() {
    const bool committing = m_bCommitting;
    m_bCommitting = true;
    if (hasFocus() && parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);
    hide();
    m_bFailed = false;
    m_bCommitting = committing;
}

bool CCalcEdit::ShowsNegativeInRed() const {
    return m_bDisplayOnly && LeadingInteger(text().toStdString()) < 0;
}

CalcKeyRule CCalcEdit::RuleFor(const QKeyEvent& key) const {
    if (m_bDisplayOnly || !m_bCalculating) {
        // Every key is dropped; Alt chords are no typing and still reach the menus.
        return IsAltChord(key.modifiers()) ? CalcKeyRule::ToWindow : CalcKeyRule::Swallow;
    }
    return CalcKeyRuleFor(key.key(), key.modifiers(), key.text());
}

bool CCalcEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        switch (RuleFor(*static_cast<QKeyEvent*>(event))) {
            case CalcKeyRule::ToWindow:
                event->ignore();  // the window's shortcut takes it
                return true;
            case CalcKeyRule::Swallow:
                event->accept();  // no shortcut fires; the key press is then dropped
                return true;
            default:
                return QLineEdit::event(event);
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (RuleFor(*key)) {
            case CalcKeyRule::Pass:
                break;
            case CalcKeyRule::CommitThenPass:
                // A failed commit keeps the key: Enter presses no button, Tab moves nowhere.
                if (!Commit()) {
                    key->accept();
                    return true;
                }
                break;
            case CalcKeyRule::ToWindow:
                key->ignore();  // on to the parents; the field's own undo does not run
                return true;
            case CalcKeyRule::Swallow:
                key->accept();
                return true;
        }
    }
    return QLineEdit::event(event);
}

void CCalcEdit::focusInEvent(QFocusEvent* event) {
    if (m_bCalculating) {
        // Typed characters reach the field without the Japanese input method.
        m_bImeWasEnabled = testAttribute(Qt::WA_InputMethodEnabled);
        m_bImeDetached = true;
        setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    QLineEdit::focusInEvent(event);
    if (m_bCalculating && text().contains(QLatin1Char(','))) {
        // The user edits the plain number. The entry state (modified flag) stays as it was.
        const bool modified = isModified();
        setText(text().remove(QLatin1Char(',')));
        setModified(modified);
        if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
            selectAll();
    }
}

void CCalcEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu takes the focus for a moment only; the user is still editing.
    // A failure already reported for this very text is not reported again as the focus goes.
    if (event->reason() != Qt::PopupFocusReason && !FailedAsShown()) Commit();
    if (m_bImeDetached) {
        m_bImeDetached = false;
        setAttribute(Qt::WA_InputMethodEnabled, m_bImeWasEnabled);
    }
}

void CCalcEdit::mousePressEvent(QMouseEvent* event) {
    if (m_bDisplayOnly) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
    if (m_bCalculating && event->button() == Qt::LeftButton) selectAll();
}

void CCalcEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_bDisplayOnly) {
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

void CCalcEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (m_bDisplayOnly) return;
    QLineEdit::contextMenuEvent(event);
}

void CCalcEdit::UpdatePalette() {
    QPalette colors = palette();
    colors.setColor(QPalette::Base, ToQColor(m_crBack));
    colors.setColor(QPalette::Text, ShowsNegativeInRed()
                                        ? ToQColor(kRed)
                                        : QApplication::palette(this).color(QPalette::Text));
    setPalette(colors);
}

}  // namespace tallymo
