#pragma once
// The main window's placement record, "WindowPlacement" in the application settings: 44 bytes,
// eleven little-endian 32-bit fields (length, flags, show state, minimised position, maximised
// position, normal rectangle), the layout the program has always stored.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallymo {

inline constexpr std::size_t kPlacementBytes = 44;

// Show states of the record.
enum PlacementShowState : std::uint32_t {
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
    kShowRestore = 9,
};
// Flag: a minimised window goes back to the maximised state.
inline constexpr std::uint32_t kRestoreToMaximized = 0x0002;

struct PlacementRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PlacementRect&) const = default;
};

struct WindowPlacement {
    std::uint32_t length = kPlacementBytes;
    std::uint32_t flags = 0;
    std::uint32_t showState = kShowNormal;
    std::int32_t minX = -1, minY = -1;  // minimised position (not used by this program)
    std::int32_t maxX = -1, maxY = -1;  // maximised position (not used by this program)
    PlacementRect normal;               // the restored window's rectangle

    bool operator==(const WindowPlacement&) const = default;
};

std::string EncodePlacement(const WindowPlacement& placement);
// Only a value of exactly 44 bytes is a placement record.
std::optional<WindowPlacement> DecodePlacement(std::string_view bytes);

inline constexpr int kDefaultFrameWidth = 800;
inline constexpr int kDefaultFrameHeight = 600;

// Where the main window opens.
struct InitialFrameGeometry {
    bool hasPosition = false;  // false: the desktop places the window
    int x = 0, y = 0;
    int width = kDefaultFrameWidth;
    int height = kDefaultFrameHeight;
    bool maximized = false;  // shown maximised; the rectangle above is its restored size

    bool operator==(const InitialFrameGeometry&) const = default;
};

// From the stored value (absent, or any length). A width or height that is not positive (or
// too large to be a window) becomes 800 or 600.
InitialFrameGeometry InitialGeometryFromPlacement(const std::optional<std::string>& stored);

// The size of the window on a first start (no stored placement): large enough for what it
// should show (`wanted`) as far as the screen's free area allows, and never below the
// default 800 x 600.
struct FrameSize {
    int width = kDefaultFrameWidth;
    int height = kDefaultFrameHeight;
    bool operator==(const FrameSize&) const = default;
};
FrameSize FirstStartFrameSize(FrameSize wanted, FrameSize available);

enum class FrameWindowState { Normal, Minimized, Maximized };

// The record written when the window closes. A minimised window is stored in the restore
// state, so the next start never opens minimised; `wasMaximized` tells whether a minimised
// window came from the maximised state.
WindowPlacement PlacementOnClose(FrameWindowState state, bool wasMaximized, int x, int y, int width,
                                 int height);

}  // namespace tallymo
