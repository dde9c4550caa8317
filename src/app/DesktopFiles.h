#pragma once
// The small text formats of the freedesktop.org desktop: desktop entries (the Exec line with its
// quoting), the user's default-application list (mimeapps.list), and writing such a file whole.

#include <QString>
#include <QStringList>

namespace tallymo {

// One Exec argument quoted as the desktop-entry format requires, ready to stand in the file:
// always in double quotes, with ", `, $ and \ escaped inside them, then \ escaped once more
// for the file's string syntax and % doubled. Empty when the text holds a control character,
// which an Exec line cannot carry.
QString QuoteExecArgument(const QString& argument);

// The arguments of an Exec value as written in a desktop entry file (the reverse of the
// quoting above, also for unquoted arguments). Field codes such as %f stay as they are.
QStringList SplitExecLine(const QString& value);

// The value of a key in the [Desktop Entry] group of an entry's text; empty when absent.
QString DesktopEntryValue(const QString& entryText, const QString& key);

// The desktop-id set as default for a mime type in the [Default Applications] group of a
// mimeapps.list text (the first of its list), or empty.
QString DefaultApplication(const QString& mimeAppsText, const QString& mimeType);
// The mimeapps.list text with the default for the mime type set to the desktop-id, or removed
// when the id is empty; every other line stays as it was.
QString WithDefaultApplication(const QString& mimeAppsText, const QString& mimeType,
                               const QString& desktopId);

// Writes the file whole (through a temporary file renamed over it, its folder made when
// missing); the old file stays intact when anything fails. Empty on success, else why not.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace tallymo
