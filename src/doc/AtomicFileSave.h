#pragma once
// Replaces a file so that it is either wholly the old one or wholly the new one, whatever
// happens on the way (full disk, a failing rename, a crash): the bytes go to a temporary file
// in the same folder, which is flushed to disk and then renamed over the old file. Before
// that, an existing file is copied beside itself as "<name>~", one generation deep.

#include <functional>
#include <string>
#include <string_view>

namespace tallymo {

// False when the new bytes could not be put in place; the old file is then untouched and no
// temporary file is left behind. A failed backup copy does not stop the save.
bool SaveFileAtomically(const std::string& path, std::string_view bytes);

// The name of the backup copy of `path`.
std::string BackupPathFor(const std::string& path);

// For tests: runs after the new bytes are written and before the rename; returning false
// abandons the save there, as an interrupted one. An empty hook removes it.
void SetBeforeReplaceHookForTesting(std::function<bool()> hook);

}  // namespace tallymo
