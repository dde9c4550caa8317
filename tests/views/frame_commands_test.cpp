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
        EXPECT_TRUE(id == kSeparator || ids.count(id)) << id << " is on the tool bar only";
    }
    for (int id : ids) {
        const CommandText* text = FindCommandText(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_FALSE(text->menuText.empty()) << id;
    }
    EXPECT_EQ(ids.size(), AllCommandTexts().size());
}

TEST(FrameCommandsTest, DefaultExtensionFollowsTheChosenFilter) {
    // path, filter (0 ledger, 1 CSV, 2 all files), path to write
    const std::tuple<const char*, int, const char*> cases[] = {
        {"/d/money", 0, "/d/money.tm2"},     {"/d/money", 1, "/d/money.csv"},
        {"/d/money", 2, "/d/money.tm2"},     {"/d/money.csv", 0, "/d/money.csv"},
        {"/d.x/money", 1, "/d.x/money.csv"}, {"/d/money.bak", 0, "/d/money.bak"}};
    for (const auto& [path, filter, written] : cases) {
        EXPECT_EQ(WithDefaultExtension(path, filter), written) << path << " " << filter;
    }
}

}  // namespace
}  // namespace tallymo
