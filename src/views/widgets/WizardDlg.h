#pragma once
// The input wizard: one day picked in a calendar and an amount field for every visible income
// and outgo matter, five rows at a time in two scrolling lists. Each amount field is bound to
// its day and matter and books the moment it commits, so "記帳" only finishes (and may save
// and end the program) while "中止" leaves it to the main window to throw the bookings away.

#include <QDialog>
#include <functional>
#include <vector>

#include "doc/TimeValue.h"

class QCalendarWidget;
class QCheckBox;
class QLabel;
class QScrollBar;

namespace tallymo {

class CCalcEdit;
class CTallymoDoc;

class CWizardDlg final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRowCap = 5;
    static constexpr int kRowHeight = 22;
    static constexpr int kFieldWidth = 63;
    static constexpr int kHelpTopic = 620;

    // `save` is the main window's save (it asks for a name when the ledger has none); true
    // when the ledger was written.
    CWizardDlg(CTallymoDoc& doc, std::function<bool()> save, QWidget* parent = nullptr);

    struct Row {
        CCalcEdit* name = nullptr;
        CCalcEdit* amount = nullptr;
    };
    const std::vector<Row>& Rows(bool income) const { return income ? m_income : m_outgo; }
    QScrollBar* ScrollBar(bool income) const { return income ? m_incomeBar : m_outgoBar; }
    QCalendarWidget* Calendar() const { return m_calendar; }
    QCheckBox* QuitAfterBooking() const { return m_quit; }
    QCheckBox* DontShowAgain() const { return m_dontShow; }
    QWidget* Control(int controlId) const;  // by the ids the help topics use
    TimeValue ShownDay() const { return m_day; }

    // Commits every amount field for the day and matter it is bound to. On the first field
    // whose expression fails (reported by the field) it stops and answers false: the field
    // keeps the typed text and the focus.
    bool CommitAll();
    // Whether "記帳" asked to end the program and the ledger was saved for it.
    bool QuitRequested() const { return m_quitRequested; }

    void accept() override;
    void reject() override;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    std::vector<Row> BuildRows(QWidget* area, int count, int firstId);
    QWidget* BuildArray(bool income, QLabel* label);
    void ScrollTo(QScrollBar* bar, int position);
    void OnScrollAction(QScrollBar* bar, int action);
    void OnDayPicked();
    void FillRows();

    CTallymoDoc& m_doc;
    std::function<bool()> m_save;
    bool m_modifiedAtStart;
    QCalendarWidget* m_calendar;
    QScrollBar* m_incomeBar = nullptr;
    QScrollBar* m_outgoBar = nullptr;
    std::vector<Row> m_income;
    std::vector<Row> m_outgo;
    QCheckBox* m_quit = nullptr;
    QCheckBox* m_dontShow = nullptr;
    TimeValue m_day = 0;  // the day the amount fields are bound to
    int m_incomePosition = 0;
    int m_outgoPosition = 0;
    bool m_quitRequested = false;
};

// Runs the wizard modally (1 for "記帳", 0 for "中止"). Tests replace the presenter so that
// they can drive the dialog; an empty one restores exec().
using WizardPresenter = std::function<int(CWizardDlg& dialog)>;
int RunWizard(CWizardDlg& dialog);
WizardPresenter SetWizardPresenter(WizardPresenter presenter);

}  // namespace tallymo
