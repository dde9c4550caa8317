#include <gtest/gtest.h>

#include "app/SettingsChoices.h"

namespace tallymo {
namespace {

// A stored value no item shows (an old file or an edited settings file) selects nothing, so
// that OK keeps it.
TEST(SettingsChoicesTest, StoredValuesOutsideTheListsShowNoItem) {
    const std::pair<int, std::optional<int>> fontSizes[] = {
        {60, 0}, {240, 18}, {250, {}}, {50, {}}, {95, {}}};
    for (const auto& [fontSize, item] : fontSizes) {
        EXPECT_EQ(FontSizeItem(fontSize), item) << fontSize;
        if (item) {
            EXPECT_EQ(FontSizeOfItem(*item), fontSize);
        }
    }
    const std::tuple<int, int, std::optional<int>> indexes[] = {
        {-1, 3, {}}, {0, 3, 0}, {2, 3, 2}, {3, 3, {}}, {0, 0, {}}};
    for (const auto& [stored, count, item] : indexes) {
        EXPECT_EQ(ItemForStoredIndex(stored, count), item) << stored << " of " << count;
    }
}

}  // namespace
}  // namespace tallymo
