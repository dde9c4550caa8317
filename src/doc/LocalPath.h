#pragma once
// The document keeps its path as the file system's own bytes (what open(2) takes); Qt keeps
// paths as QString. Every crossing between the two goes through these, so that a name the
// locale cannot decode still reaches the same file.

#include <string>
#include <string_view>

class QString;

namespace tallymo {

// QString to the local 8-bit path (QFile::encodeName).
std::string ToLocalPath(const QString& path);
// Local 8-bit path to QString (QFile::decodeName), for Qt's file classes and for display.
QString FromLocalPath(std::string_view local);

}  // namespace tallymo
