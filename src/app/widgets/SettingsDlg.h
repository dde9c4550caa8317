#pragma once
// The settings dialog: the ledger's two matter lists (add, rename, delete, reorder, show or
// hide), its display settings (close day, cell font size, rounding, wizard at start) and the
// application's start-up options, autorun and file association. Everything is edited on a
// working copy; nothing reaches the ledger or the settings before OK, so Cancel leaves both
// exactly as they were (the modified mark included).

#include <QDialog>
#include <functional>

#include "app/MatterListEdit.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace tallymo {

class CTallymoDoc;
class SettingsStore;

// The desktop links the dialog switches. Empty functions mean the program cannot switch that
// link here: its box is shown disabled. A setter answers false when it failed.
struct ShellSwitches {
    std::function<bool()> isAutorunOn;
    std::function<bool(bool on)> setAutorun;
    std::function<bool()> isFileAssociated;
    std::function<bool(bool on)> setFileAssociation;
};

class CSettingsDlg final : public QDialog {
    Q_OBJECT
public:
    CSettingsDlg(CTallymoDoc& doc, SettingsStore& store, ShellSwitches shell = {},
                 QWidget* parent = nullptr);

    // A control by its id (the same ids the help topics use).
    QWidget* Control(int controlId) const;
    // The edited list of one kind, as it would be applied.
    EditedMatterList EditedList(bool income) const;

    void accept() override;

private:
    struct MatterButtons {
        QPushButton* add;
        QPushButton* change;
        QPushButton* remove;
        QPushButton* up;
        QPushButton* down;
    };
    QWidget* BuildMatterGroup(bool income);
    QWidget* BuildDisplayGroup();
    QWidget* BuildCommonGroup();
    void FillMatterList(bool income);
    void UpdateMatterButtons(bool income);
    void AddMatter(bool income);
    void ChangeMatter(bool income);
    void DeleteMatter(bool income);
    void MoveMatter(bool income, int step);
    void UpdateStartupOptions();
    void ShowHelpFor(QWidget* widget);
    QListWidget* List(bool income) const { return income ? m_income : m_outgo; }
    MatterButtons& Buttons(bool income) { return income ? m_incomeButtons : m_outgoButtons; }

    CTallymoDoc& m_doc;
    SettingsStore& m_store;
    ShellSwitches m_shell;
    QListWidget* m_income = nullptr;
    QListWidget* m_outgo = nullptr;
    MatterButtons m_incomeButtons{};
    MatterButtons m_outgoButtons{};
    QComboBox* m_closeDay = nullptr;
    QComboBox* m_fontSize = nullptr;
    QComboBox* m_fraction = nullptr;
    QCheckBox* m_wizard = nullptr;
    QCheckBox* m_openRecent = nullptr;
    QCheckBox* m_applyToNew = nullptr;
    QCheckBox* m_autorun = nullptr;
    QCheckBox* m_onceADay = nullptr;
    QCheckBox* m_onSetTime = nullptr;
    QComboBox* m_startHour = nullptr;
    QComboBox* m_endHour = nullptr;
    QCheckBox* m_associate = nullptr;
    bool m_autorunAtOpening = false;
    bool m_associatedAtOpening = false;
};

}  // namespace tallymo
