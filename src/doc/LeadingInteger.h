#pragma once
// The integer at the start of a text, read the way the C library's atoi/strtol read it:
// leading blanks skipped, an optional sign, then digits up to the first other character.

#include <cstdint>
#include <string_view>

namespace tallymo {

// 0 for a text without leading digits; a value beyond the 32-bit range is clamped to it.
std::int32_t LeadingInteger(std::string_view text);

}  // namespace tallymo
