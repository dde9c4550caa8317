#include <gtest/gtest.h>

#include "app/WindowPlacement.h"

namespace tallymo {
namespace {

// A record as the program has always written it, byte for byte.
std::string RecordBytes(std::uint32_t show, std::int32_t l, std::int32_t t, std::int32_t r,
                        std::int32_t b) {
    std::string bytes;
    for (std::uint32_t v : {44u, 0u, show, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                            static_cast<std::uint32_t>(l), static_cast<std::uint32_t>(t),
                            static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(b)}) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    return bytes;
}

TEST(WindowPlacementTest, InitialGeometryFromTheStoredValue) {
    const InitialFrameGeometry standard{false, 0, 0, 800, 600, false};
    const struct {
        const char* name;
        std::optional<std::string> stored;
        InitialFrameGeometry expected;
    } cases[] = {
        {"missing", std::nullopt, standard},
        {"too short", RecordBytes(1, 10, 20, 510, 420).substr(0, 43), standard},
        {"normal", RecordBytes(1, 10, 20, 510, 420), {true, 10, 20, 500, 400, false}},
        {"no width", RecordBytes(1, 10, 20, 10, 420), {true, 10, 20, 800, 400, false}},
        {"side overflowing 32 bits",
         RecordBytes(1, INT32_MIN, 0, INT32_MAX, 300),
         {true, INT32_MIN, 0, 800, 300, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InitialGeometryFromPlacement(c.stored), c.expected) << c.name;
    }
}

// A window closed minimised is stored in the restore state, remembering whether it was
// maximised before; the stored rectangle is the restored one.
TEST(WindowPlacementTest, ClosingStoresTheStateAndTheRestoredRectangle) {
    for (const auto& [wasMaximized, flags] : {std::pair{false, 0u}, {true, kRestoreToMaximized}}) {
        const WindowPlacement p =
            PlacementOnClose(FrameWindowState::Minimized, wasMaximized, 5, 6, 700, 500);
        EXPECT_EQ(p.showState, 9u);
        EXPECT_EQ(p.flags, flags);
        EXPECT_EQ(p.normal, (PlacementRect{5, 6, 705, 506}));
    }
    // The record as the program has always written it; the next start opens maximised over
    // the restored rectangle.
    const std::string bytes =
        EncodePlacement(PlacementOnClose(FrameWindowState::Maximized, false, 1, 2, 640, 480));
    EXPECT_EQ(bytes, RecordBytes(3, 1, 2, 641, 482));
    EXPECT_EQ(InitialGeometryFromPlacement(bytes),
              (InitialFrameGeometry{true, 1, 2, 640, 480, true}));
}

}  // namespace
}  // namespace tallymo
