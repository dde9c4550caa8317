#include "app/HelpTopics.h"

#include <QDir>
#include <QFileInfo>

#include "app/ControlIds.h"

namespace tallymo {
namespace {

constexpr int kTopics[] = {
    // Contents: the help menu, help buttons and F1 where nothing has a topic of its own.
    kHelpContentsTopic,
    // F1 in the main window asks for the id of the focused control.
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,  // amount, keys
    101,                                                                    // calculator pane
    kBookingPaneId, 1001, 1002, 1004, 1005, 1006, 1010, 1011,  // booking pane and its controls
    kLedgerViewId, kLedgerGridId,                              // ledger view and its grid
    kGraphHelpTopic,                                           // graph window
    // Settings dialog and its controls.
    kSettingsHelpTopic, kAddMatterHelpTopic, kChangeMatterHelpTopic, 430, 440, 460, 470, 480, 490,
    kWizardHelpTopic,  // input wizard
    // Help contexts of messages.
    2110, 2120, 2130,                                      // amount expressions
    3010, 3060, 3110, 3120, 3210, 3220, 3310, 3410, 9990,  // files, matters, grid, bookings
};

}  // namespace

std::span<const int> HelpTopics() {
    return kTopics;
}

QString HelpPageName(int topic) {
    return QStringLiteral("_RESOURCE/%1.html").arg(topic, 5, 10, QLatin1Char('0'));
}

QString HelpFileBeside(const QString& programPath) {
    const QFileInfo program(programPath);
    QString name = program.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) name.truncate(dot);
    return program.dir().filePath(name + QStringLiteral(".rcc"));
}

QString LocateHelpFile(const QString& programPath) {
    const QString beside = HelpFileBeside(programPath);
    if (QFileInfo::exists(beside)) return beside;
    const QDir folder = QFileInfo(programPath).dir();
    if (folder.dirName() == QLatin1String("bin")) {
        const QString shared = QDir::cleanPath(
            folder.filePath(QStringLiteral("../share/tallymo/") + QFileInfo(beside).fileName()));
        if (QFileInfo::exists(shared)) return shared;
    }
    return beside;
}

}  // namespace tallymo
