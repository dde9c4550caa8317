#include "app/WindowPlacement.h"

#include <algorithm>

#include <array>

namespace tallymo {
namespace {

constexpr std::int64_t kLargestSide = 32767;

void PutWord(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t WordAt(std::string_view bytes, std::size_t field) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[field * 4 + i]))
                 << (8 * i);
    }
    return value;
}

std::int32_t SignedAt(std::string_view bytes, std::size_t field) {
    return static_cast<std::int32_t>(WordAt(bytes, field));
}

int SideOrDefault(std::int32_t from, std::int32_t to, int fallback) {
    const std::int64_t side = std::int64_t{to} - std::int64_t{from};
    if (side <= 0 || side > kLargestSide) return fallback;
    return static_cast<int>(side);
}

}  // namespace

std::string EncodePlacement(const WindowPlacement& p) {
    std::string out;
    out.reserve(kPlacementBytes);
    const std::array<std::uint32_t, 11> fields = {
        p.length,
        p.flags,
        p.showState,
        static_cast<std::uint32_t>(p.minX),
        static_cast<std::uint32_t>(p.minY),
        static_cast<std::uint32_t>(p.maxX),
        static_cast<std::uint32_t>(p.maxY),
        static_cast<std::uint32_t>(p.normal.left),
        static_cast<std::uint32_t>(p.normal.top),
        static_cast<std::uint32_t>(p.normal.right),
        static_cast<std::uint32_t>(p.normal.bottom),
    };
    for (const std::uint32_t field : fields) PutWord(out, field);
    return out;
}

std::optional<WindowPlacement> DecodePlacement(std::string_view bytes) {
    if (bytes.size() != kPlacementBytes) return std::nullopt;
    WindowPlacement p;
    p.length = WordAt(bytes, 0);
    p.flags = WordAt(bytes, 1);
    p.showState = WordAt(bytes, 2);
    p.minX = SignedAt(bytes, 3);
    p.minY = SignedAt(bytes, 4);
    p.maxX = SignedAt(bytes, 5);
    p.maxY = SignedAt(bytes, 6);
    p.normal = {SignedAt(bytes, 7), SignedAt(bytes, 8), SignedAt(bytes, 9), SignedAt(bytes, 10)};
    return p;
}

InitialFrameGeometry InitialGeometryFromPlacement(const std::optional<std::string>& stored) {
    InitialFrameGeometry geometry;
    if (!stored) return geometry;
    const auto placement = DecodePlacement(*stored);
    if (!placement) return geometry;
    geometry.hasPosition = true;
    geometry.x = placement->normal.left;
    geometry.y = placement->normal.top;
    geometry.width =
        SideOrDefault(placement->normal.left, placement->normal.right, kDefaultFrameWidth);
    geometry.height =
        SideOrDefault(placement->normal.top, placement->normal.bottom, kDefaultFrameHeight);
    geometry.maximized = placement->showState == kShowMaximized;
    return geometry;
}

FrameSize FirstStartFrameSize(FrameSize wanted, FrameSize available) {
    const auto side = [](int want, int room, int least) {
        return std::max(least, std::min(want, room));
    };
    return {side(wanted.width, available.width, kDefaultFrameWidth),
            side(wanted.height, available.height, kDefaultFrameHeight)};
}

WindowPlacement PlacementOnClose(FrameWindowState state, bool wasMaximized, int x, int y, int width,
                                 int height) {
    WindowPlacement p;
    switch (state) {
        case FrameWindowState::Normal:
            p.showState = kShowNormal;
            break;
        case FrameWindowState::Minimized:
            p.showState = kShowRestore;
            if (wasMaximized) p.flags |= kRestoreToMaximized;
            break;
        case FrameWindowState::Maximized:
            p.showState = kShowMaximized;
            break;
    }
    p.normal = {x, y, static_cast<std::int32_t>(std::int64_t{x} + width),
                static_cast<std::int32_t>(std::int64_t{y} + height)};
    return p;
}

}  // namespace tallymo
