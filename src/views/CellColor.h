#pragma once
// Colours the way the ledger's tables and the grid keep them: 32-bit 0x00BBGGRR values. Plain
// numbers, so that the core's tables can name a colour without QtGui (ui/ColorRef.h converts).

#include <cstdint>

namespace tallymo {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

inline constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
inline constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
inline constexpr std::uint32_t kRed = Rgb(255, 0, 0);

}  // namespace tallymo
