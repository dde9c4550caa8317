#pragma once
// Ledger texts are CP932 (Shift-JIS) bytes inside the core, so any file round-trips byte for
// byte; what is shown, printed or written as JSON is UTF-8. Every conversion between the two
// goes through these: screen, settings store, command line, JSON, the core's report tables.

#include <optional>
#include <string>
#include <string_view>

#include "doc/Cp932Text.h"

namespace tallymo {

// UTF-8 to CP932; nothing when the text holds a character CP932 cannot hold or is not UTF-8.
std::optional<Cp932Text> Utf8ToCp932(std::string_view utf8);
// CP932 to UTF-8; nothing when the bytes are not valid CP932.
std::optional<std::string> Cp932ToUtf8Strict(const Cp932Text& text);
// CP932 to UTF-8 for display: a byte that is not valid CP932 becomes U+FFFD.
std::string Cp932ToUtf8(const Cp932Text& text);

// The width of a UTF-8 text in half-width character cells, as the ledger's code page counts it:
// its length in CP932 bytes (a character CP932 cannot hold counts as two).
std::size_t HalfWidthCells(std::string_view utf8);

}  // namespace tallymo
