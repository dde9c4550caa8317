#pragma once
// Ledger texts are CP932 (Shift-JIS) byte strings inside the core, so any file round-trips byte
// for byte. These convert at the boundaries: screen, settings store, command line, JSON.

#include <optional>
#include <string>
#include <string_view>

namespace tallymo {

// UTF-8 to CP932; nothing when the text holds a character CP932 cannot hold or is not UTF-8.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
// CP932 to UTF-8; nothing when the bytes are not valid CP932.
std::optional<std::string> Cp932ToUtf8Strict(std::string_view cp932);
// CP932 to UTF-8 for display: a byte that is not valid CP932 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace tallymo
