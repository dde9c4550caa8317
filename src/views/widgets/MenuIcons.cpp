#include "views/widgets/MenuIcons.h"

#include <QPixmap>

#include "views/FrameCommands.h"

// The resources live in a static library: register them before the first use.
static void RegisterTallymoResources() {
    Q_INIT_RESOURCE(tallymo);
}

namespace tallymo {
namespace {

const char* IconFile(int commandId) {
    switch (commandId) {
        case kCmdFileNew:
            return ":/icons/file_new.xpm";
        case kCmdFileOpen:
            return ":/icons/file_open.xpm";
        case kCmdFileSave:
            return ":/icons/file_save.xpm";
        case kCmdFilePrint:
            return ":/icons/file_print.xpm";
        case kCmdEditUndo:
            return ":/icons/edit_undo.xpm";
        case kCmdEditRedo:
            return ":/icons/edit_redo.xpm";
        case kCmdAppAbout:
            return ":/icons/app_about.xpm";
        default:
            return nullptr;
    }
}

}  // namespace

QIcon CommandIcon(int commandId) {
    static const bool registered = (RegisterTallymoResources(), true);
    (void)registered;
    const char* file = IconFile(commandId);
    if (!file) return {};
    return QIcon(QPixmap(QString::fromLatin1(file)));
}

}  // namespace tallymo
