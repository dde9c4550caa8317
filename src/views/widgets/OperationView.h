#pragma once
// The booking pane (upper left, 190 x 310): pick a day in the calendar and a matter in the
// list, type an amount or an expression and book it, adding to the day or replacing it. The
// pane follows the ledger grid's cursor and moves the grid when a day is picked; the
// calculator pane types into its amount field.

#include <QWidget>

#include "doc/TimeValue.h"

class QAbstractItemView;
class QCalendarWidget;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tallymo {

class CCalcEdit;
class CTallymoDoc;

class COperationView : public QWidget {
    Q_OBJECT
public:
    explicit COperationView(CTallymoDoc& doc, QWidget* parent = nullptr);

    void Initialize();  // re-read the document (after open, new, settings dialog)
    CCalcEdit& AmountField() { return *m_amount; }
    // Types a key into the amount field; "=" evaluates. The calculator's keys use the second
    // form: a key that evaluates commits the field and the next key starts a new entry.
    void AppendKey(const QString& key);
    void AppendKey(const QString& key, bool evaluate);
    void Clear();  // amount "0", a fresh entry

    void SelectCell(TimeValue date, int position);  // from the ledger grid; nothing else moves
    void Book();                                    // "記帳(&E)"
    void Cancel();                                  // "取り消し(&C)"

    QCalendarWidget& Calendar() { return *m_calendar; }
    QListWidget& MatterList() { return *m_list; }
    QCheckBox& OverwriteBox() { return *m_overwrite; }
    QPushButton& BookButton() { return *m_book; }
    QPushButton& CancelButton() { return *m_cancel; }
    int SelectedPosition() const;  // -1 when no matter is selected
    TimeValue SelectedDate() const;

    QSize sizeHint() const override { return {190, 310}; }

signals:
    void statusTextChanged(const QString& text);  // the two status-bar hints
    // A day was picked in the calendar (the current date is set): the ledger view puts its
    // cursor on that day in the column of list position `position` (-1: none selected).
    void dayPicked(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The button whose mnemonic (Alt+E, Alt+C) the key event carries, or none.
    QPushButton* MnemonicButton(const QEvent* event) const;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SelectPosition(int position);  // without the user's notification
    void OnDayPicked();
    void FocusAmount();
    // Typing meant for the amount field while the list or calendar has the focus; true when
    // the key was taken.
    bool ForwardTyping(QObject* watched, QEvent* event);

    CTallymoDoc& m_doc;
    QCalendarWidget* m_calendar;
    QAbstractItemView* m_calendarDays = nullptr;
    QListWidget* m_list;
    CCalcEdit* m_amount;
    QCheckBox* m_overwrite;
    QPushButton* m_book;
    QPushButton* m_cancel;
};

}  // namespace tallymo
