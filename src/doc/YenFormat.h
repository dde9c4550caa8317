#pragma once
// Amount and percentage texts shown throughout the program.

#include <cstdint>
#include <string>

namespace tallymo {

// "%d" with a comma before every group of three digits from the right: -123456 -> "-123,456".
std::string FormatSignedYen(std::int32_t value);
// The same for sums that may exceed the 32-bit range.
std::string FormatSignedYen(std::int64_t value);
// "%u" with the same grouping.
std::string FormatYen(std::uint32_t value);
// "%1.2f" of a single-precision value: 45.5 -> "45.50".
std::string FormatPercent(float value);

}  // namespace tallymo
