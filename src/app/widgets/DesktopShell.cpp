#include "app/widgets/DesktopShell.h"

#include "app/ShellIntegration.h"

namespace tallymo {

ShellSwitches DesktopShellSwitches() {
    return {
        [] { return IsAutorunOn(); },
        [](bool on) { return SetAutorun(on).ok; },
        [] { return IsFileAssociated(); },
        [](bool on) { return SetFileAssociation(on).ok; },
    };
}

}  // namespace tallymo
