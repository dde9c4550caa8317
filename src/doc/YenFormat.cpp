#include "doc/YenFormat.h"

#include <cstdio>

namespace tallymo {
namespace {

// Inserts a comma before every group of three digits counted from the right, never directly
// after a leading minus sign.
std::string GroupThousands(const std::string& digits) {
    const std::size_t signLength = (!digits.empty() && digits[0] == '-') ? 1 : 0;
    const std::size_t count = digits.size() - signLength;
    std::string out = digits.substr(0, signLength);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out += ',';
        out += digits[signLength + i];
    }
    return out;
}

}  // namespace

std::string FormatSignedYen(std::int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
    return GroupThousands(buffer);
}

std::string FormatSignedYen(std::int64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    return GroupThousands(buffer);
}

std::string FormatYen(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(value));
    return GroupThousands(buffer);
}

std::string FormatPercent(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%1.2f", static_cast<double>(value));
    return buffer;
}

}  // namespace tallymo
