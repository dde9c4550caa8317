#include "SettingsShots.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <cstdio>

#include "app/widgets/MatterNameDlg.h"
#include "app/widgets/SettingsDlg.h"

namespace tallymo {
namespace {

bool Save(QWidget& widget, const QDir& out, const QString& name) {
    widget.show();
    QApplication::processEvents();
    const QString path = out.filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

}  // namespace

bool ShootSettingsDialogs(CTallymoDoc& doc, SettingsStore& store, const QDir& out) {
    // Autorun and association switched by stand-ins, so that their boxes show as in use.
    bool autorun = true;
    const ShellSwitches shell{[&] { return autorun; }, [&](bool on) { return autorun = on, true; },
                              [] { return false; }, [](bool) { return true; }};
    CSettingsDlg dialog(doc, store, shell);
    auto* outgo = static_cast<QListWidget*>(dialog.Control(1023));
    outgo->setCurrentRow(2);
    outgo->item(4)->setCheckState(Qt::Unchecked);
    bool ok = Save(dialog, out, QStringLiteral("settings"));

    CMatterNameDlg add(CMatterNameDlg::Mode::Add, *outgo, &dialog);
    add.NameField().setText(QStringLiteral("趣味"));
    ok = Save(add, out, QStringLiteral("matter-name-add")) && ok;
    add.hide();
    CMatterNameDlg change(CMatterNameDlg::Mode::Change, *outgo, &dialog);
    ok = Save(change, out, QStringLiteral("matter-name-change")) && ok;
    return ok;
}

}  // namespace tallymo
