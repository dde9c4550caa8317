#pragma once
// Colours kept the way the ledger keeps them (0x00BBGGRR, views/CellColor.h) to and from QColor.

#include <QColor>
#include <cstdint>

#include "views/CellColor.h"

namespace tallymo {

inline QColor ToQColor(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

inline std::uint32_t ToColorRef(const QColor& color) {
    return Rgb(color.red(), color.green(), color.blue());
}

// Background of display-only amount fields.
inline constexpr std::uint32_t kDisplayOnlyGrey = Rgb(202, 202, 202);

}  // namespace tallymo
