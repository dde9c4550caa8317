#pragma once
// Replaces a file so that it is either wholly the old one or wholly the new one, whatever
// happens on the way (full disk, a file-size limit, a failing rename, a crash): the bytes go to
// a temporary file in the same folder, every write is checked, the file is flushed to disk and
// only then renamed over the old one; the folder is synced after the rename so that the new
// name survives a power cut. The previous version is kept as "<name>~", one generation deep,
// written the same way: an existing "~" (file or link) is replaced, never written through.

#include <functional>
#include <string>
#include <string_view>

#include "doc/ByteSink.h"

namespace tallymo {

// False when the new bytes could not be put in place; the old file and its backup are then
// untouched, no temporary file is left behind and `reason` (when given) holds the system's
// reason. A failed backup copy does not stop the save.
bool SaveFileAtomically(const std::string& path, std::string_view bytes,
                        std::string* reason = nullptr);
// The same for bytes made while they are written: `write` hands them to the sink it is given
// and answers false when the sink refused a piece. A large file is never held whole in memory.
bool SaveFileAtomically(const std::string& path, const std::function<bool(const ByteSink&)>& write,
                        std::string* reason = nullptr);

// The name of the backup copy of `path`.
std::string BackupPathFor(const std::string& path);

// For tests: runs before a finished temporary file is renamed over `target` (the backup, then
// the file itself); returning false abandons that step there, as an interrupted save would.
// An empty hook removes it.
void SetBeforeReplaceHookForTesting(std::function<bool(const std::string& target)> hook);

}  // namespace tallymo
