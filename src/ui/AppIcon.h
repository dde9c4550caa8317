#pragma once
// The program's own icon (res/icons/tallymo.svg, drawn at the usual sizes) for its windows.

#include <QIcon>

namespace tallymo {

QIcon ApplicationIcon();

}  // namespace tallymo
