#include <gtest/gtest.h>

#include "app/SettingsChoices.h"

namespace tallymo {
namespace {

TEST(SettingsChoicesTest, ListsOfferTheirWholeRange) {
    const struct {
        std::vector<std::string> texts;
        const char* first;
        const char* second;
        const char* last;
        std::size_t count;
    } lists[] = {{CloseDayTexts(), "月末", "1日", "27日", 28},
                 {FontSizeTexts(), " 6", " 7", "24", 19},
                 {FractionModeTexts(), "切り上げ", "四捨五入", "切り捨て", 3},
                 {StartHourTexts(), "00:00", "01:00", "23:00", 24},
                 {EndHourTexts(), "00:59", "01:59", "23:59", 24}};
    for (const auto& list : lists) {
        ASSERT_EQ(list.texts.size(), list.count) << list.first;
        EXPECT_EQ(list.texts[0], list.first);
        EXPECT_EQ(list.texts[1], list.second);
        EXPECT_EQ(list.texts.back(), list.last);
    }
}

// A stored value no item shows (an old file or an edited settings file) selects nothing, so
// that OK keeps it.
TEST(SettingsChoicesTest, StoredValuesOutsideTheListsShowNoItem) {
    const std::pair<int, std::optional<int>> fontSizes[] = {
        {60, 0}, {70, 1}, {240, 18}, {250, {}}, {50, {}}, {95, {}}, {0, {}}, {-10, {}}};
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
