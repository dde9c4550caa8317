#include <gtest/gtest.h>

#include <set>

#include "views/FrameCommands.h"

namespace tallymo {
namespace {

TEST(FrameCommandsTest, EveryMenuAndToolBarCommandHasItsTexts) {
    std::set<int> ids;
    for (const MenuBarItem& bar : MenuBarLayout()) {
        if (bar.command != 0) ids.insert(bar.command);
        for (int id : bar.items) {
            if (id != kSeparator) ids.insert(id);
        }
    }
    for (int id : ToolBarLayout()) {
        if (id == kSeparator) continue;
        EXPECT_TRUE(ids.count(id)) << id << " is on the tool bar only";
    }
    for (int id : ids) {
        const CommandText* text = FindCommandText(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_FALSE(text->menuText.empty()) << id;
    }
    EXPECT_EQ(ids.size(), AllCommandTexts().size());
}

TEST(FrameCommandsTest, DefaultExtensionFollowsTheChosenFilter) {
    EXPECT_EQ(WithDefaultExtension("/d/money", 0), "/d/money.tm2");
    EXPECT_EQ(WithDefaultExtension("/d/money", 1), "/d/money.csv");
    EXPECT_EQ(WithDefaultExtension("/d/money", 2), "/d/money.tm2");
    EXPECT_EQ(WithDefaultExtension("/d/money.csv", 0), "/d/money.csv");
    EXPECT_EQ(WithDefaultExtension("/d.x/money", 1), "/d.x/money.csv");
    EXPECT_EQ(WithDefaultExtension("/d/money.bak", 0), "/d/money.bak");
}

}  // namespace
}  // namespace tallymo
