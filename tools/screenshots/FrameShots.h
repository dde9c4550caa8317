#pragma once
// Pictures of the whole main window: each view mode, and open drop-down menus.

#include <QDir>

namespace tallymo {

class CTallymoDoc;

bool ShootMainWindow(CTallymoDoc& doc, const QDir& out);

}  // namespace tallymo
