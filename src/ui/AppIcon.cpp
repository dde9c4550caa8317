#include "ui/AppIcon.h"

namespace tallymo {

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/tallymo-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace tallymo
