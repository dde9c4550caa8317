#pragma once
// Colours kept the way the ledger keeps them: 32-bit 0x00BBGGRR values.

#include <QColor>
#include <cstdint>

namespace tallymo {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

inline QColor ToQColor(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

inline std::uint32_t ToColorRef(const QColor& color) {
    return Rgb(color.red(), color.green(), color.blue());
}

inline constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
inline constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
inline constexpr std::uint32_t kRed = Rgb(255, 0, 0);
// Background of display-only amount fields.
inline constexpr std::uint32_t kDisplayOnlyGrey = Rgb(202, 202, 202);

}  // namespace tallymo
