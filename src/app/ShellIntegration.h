#pragma once
// The program's links to the desktop, switched from the settings dialog:
// - autorun: an XDG autostart entry that starts the program at log-in in start-up mode;
// - file association: a shared-mime-info package that names the ".tm2" type, a desktop entry
//   that opens it with this program, and this program as the type's default application.
// Every switch reports what happened as a value; the caller shows the message (if any).

#include <QString>
#include <string>

#include "doc/UserMessage.h"

namespace tallymo {

struct ShellOutcome {
    bool ok = true;
    UserMessage message;  // what to show the user when not ok; an empty text shows nothing
    std::string detail;   // which file or step failed, for diagnostics
};

inline constexpr const char* kLedgerMimeType = "application/x-tallymo2";
inline constexpr const char* kDesktopFileName = "tallymo2.desktop";
inline constexpr const char* kMimePackageFileName = "tallymo2.xml";

// The files involved, from $XDG_CONFIG_HOME and $XDG_DATA_HOME (or their defaults).
QString AutorunEntryPath();      // .../autostart/tallymo2.desktop
QString MimePackagePath();       // .../mime/packages/tallymo2.xml
QString AssociationEntryPath();  // .../applications/tallymo2.desktop
QString MimeAppsListPath();      // .../mimeapps.list

// The running program's full path; empty when it cannot be obtained (no application object).
QString ProgramPath();

// On: writes the autostart entry, Exec = the program path, then " /startup" (without a program
// path the entry is removed instead). Off: removes the entry; none there is no failure. A
// failure has no message for the user (autorun is switched silently), only a detail.
ShellOutcome SetAutorun(bool on, const QString& programPath = ProgramPath());
// True when the autostart entry exists, can be read, has an Exec line and was not switched off
// by the desktop (Hidden=true or X-GNOME-Autostart-enabled=false).
bool IsAutorunOn();

// On: writes the mime package, the desktop entry (Exec = the program path, then %f) and the
// default-application line, then refreshes the desktop's caches when their tools exist. A
// file that cannot be written gives the association failure message. Off: removes the mime
// package and the default line; the desktop entry stays.
ShellOutcome SetFileAssociation(bool on, const QString& programPath = ProgramPath());
// True when the mime package exists and ".tm2" opens with this program: the default
// application is our desktop entry and its Exec line starts this program.
bool IsFileAssociated(const QString& programPath = ProgramPath());

}  // namespace tallymo
