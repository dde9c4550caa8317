#pragma once
// The settings dialog's autorun and association boxes switch the real desktop links.

#include "app/widgets/SettingsDlg.h"

namespace tallymo {

ShellSwitches DesktopShellSwitches();

}  // namespace tallymo
