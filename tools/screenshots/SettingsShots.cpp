#include "SettingsShots.h"
#include "SaveShot.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <cstdio>

#include "app/widgets/MatterNameDlg.h"
#include "app/widgets/SettingsDlg.h"

namespace tallymo {
bool ShootSettingsDialogs(CTallymoDoc& doc, SettingsStore& store, const QDir& out) {
    // Autorun and association switched by stand-ins, so that their boxes show as in use.
    bool autorun = true;
    const ShellSwitches shell{[&] { return autorun; }, [&](bool on) { return autorun = on, true; },
                              [] { return false; }, [](bool) { return true; }};
    CSettingsDlg dialog(doc, store, shell);
    auto* outgo = static_cast<QListWidget*>(dialog.Control(1023));
    outgo->setCurrentRow(2);
    outgo->item(4)->setCheckState(Qt::Unchecked);
    bool ok = SaveShot(dialog, out, QStringLiteral("settings"));

    CMatterNameDlg add(CMatterNameDlg::Mode::Add, *outgo, &dialog);
    add.NameField().setText(QStringLiteral("趣味"));
    ok = SaveShot(add, out, QStringLiteral("matter-name-add")) && ok;
    add.hide();
    CMatterNameDlg change(CMatterNameDlg::Mode::Change, *outgo, &dialog);
    ok = SaveShot(change, out, QStringLiteral("matter-name-change")) && ok;
    return ok;
}

}  // namespace tallymo
