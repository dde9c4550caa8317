#pragma once
// The small dialog that asks for a matter's name when the settings dialog adds or renames a
// matter. It edits the check-list it is given directly: a new name goes in before the selected
// item (or at the end), checked and standing for no matter yet; a changed name keeps the item's
// matter and check mark.

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tallymo {

// Item data role of a matter list item: the MatterId it stands for, absent for a new item.
inline constexpr int kMatterIdRole = Qt::UserRole;

// The row of the list's selected item, or -1 when nothing is selected.
int SelectedRow(const QListWidget& list);

class CMatterNameDlg final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Change };

    CMatterNameDlg(Mode mode, QListWidget& list, QWidget* parent = nullptr);

    QLineEdit& NameField() const { return *m_name; }
    QPushButton& OkButton() const { return *m_ok; }

    void accept() override;

private:
    void UpdateOkButton();

    Mode m_mode;
    QListWidget& m_list;
    QLabel* m_prompt;
    QLineEdit* m_name;
    QPushButton* m_ok;
};

}  // namespace tallymo
