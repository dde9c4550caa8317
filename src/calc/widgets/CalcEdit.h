#pragma once
// The amount field. In calculating mode it takes an arithmetic expression, evaluates it on
// commit (Enter, Tab, loss of focus) with the ledger's rounding, shows the amount with
// thousands separators and, when bound to a ledger cell, stores it there at once. In
// display-only mode it is a grey read-only figure whose negative values are red.

#include <QLineEdit>
#include <cstdint>

#include "doc/Matter.h"
#include "doc/TimeValue.h"
#include "doc/UserMessage.h"
#include "ui/ColorRef.h"

namespace tallymo {

class CTallymoDoc;

// What the field does with a key press in calculating mode.
enum class CalcKeyRule {
    Pass,            // edits the text (digits, operators, parentheses, period, editing keys)
    CommitThenPass,  // Tab and Enter: commit, then the key goes on (focus change, default button)
    ToWindow,        // F1, Ctrl+N/P/Y/Z: the window's shortcuts (help, new, print, redo, undo)
    Swallow,         // everything else: Home, End, Esc, letters, clipboard chords, function keys
};

// The rule for a key by its code, modifiers and the character it produces.
CalcKeyRule CalcKeyRuleFor(int key, Qt::KeyboardModifiers modifiers, const QString& text);

class CCalcEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CCalcEdit(bool displayOnly = false, std::uint32_t backColor = kWhite,
                       QWidget* parent = nullptr);

    // A date of 0 binds to no cell: the field then only evaluates and shows the amount.
    void Bind(CTallymoDoc* doc, TimeValue date, MatterIndex matter, bool calculating);
    void SetDisplayOnly(bool grey);
    void SetBackColor(std::uint32_t color);
    void SetPointFont(int tenthsOfPoint, const QString& face);
    void StopCalculating();
    // Evaluates the text, shows the amount and, when bound to a cell, stores it with
    // overwrite. A failure is reported and stores nothing: the field keeps the typed text,
    // selected for correction, and Enter or Tab go no further. True without a document.
    bool Commit();
    // Reports a failure the way a failed commit does (the host's own evaluation failed).
    void ShowFailure(const UserMessage& message);
    // The text is one whose failure has been reported and not changed since.
    bool FailedAsShown() const { return m_bFailed && m_failedText == text(); }
    // Hides the field without committing what it holds (an abandoned edit).
    void HideWithoutCommit();

    bool IsDisplayOnly() const { return m_bDisplayOnly; }
    bool IsCalculating() const { return m_bCalculating; }
    std::uint32_t BackColor() const { return m_crBack; }
    CTallymoDoc* Document() const { return m_pDoc; }
    TimeValue BoundDate() const { return m_date; }
    MatterIndex BoundMatter() const { return m_nMatter; }
    // Whether the text is drawn red: display-only and the leading integer is negative.
    bool ShowsNegativeInRed() const;

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CalcKeyRule RuleFor(const QKeyEvent& key) const;
    void UpdatePalette();

    std::uint32_t m_crBack;
    bool m_bDisplayOnly;
    bool m_bCalculating = false;
    CTallymoDoc* m_pDoc = nullptr;
    TimeValue m_date = 0;
    MatterIndex m_nMatter = 0;
    // Set while a commit runs: the focus change of its message box must not commit again.
    bool m_bCommitting = false;
    bool m_bFailed = false;
    QString m_failedText;
    bool m_bImeDetached = false;
    bool m_bImeWasEnabled = true;
};

}  // namespace tallymo
