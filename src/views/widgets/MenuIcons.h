#pragma once
// The 16 x 16 pictures of the commands that have one (new, open, save, print, undo, redo,
// about), shared by the drop-down menus and the tool bar.

#include <QIcon>

namespace tallymo {

// The command's picture, or a null icon for a command without one.
QIcon CommandIcon(int commandId);

}  // namespace tallymo
