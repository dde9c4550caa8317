#include <gtest/gtest.h>

#include "views/FrameCommands.h"

namespace tallymo {
namespace {

TEST(FrameCommandsTest, DefaultExtensionFollowsTheChosenFilter) {
    // path, filter (0 ledger, 1 CSV, 2 all files), path to write
    const std::tuple<const char*, int, const char*> cases[] = {{"/d/money", 0, "/d/money.tm2"},
                                                               {"/d/money", 1, "/d/money.csv"},
                                                               {"/d/money.csv", 0, "/d/money.csv"},
                                                               {"/d/money.bak", 0, "/d/money.bak"}};
    for (const auto& [path, filter, written] : cases) {
        EXPECT_EQ(WithDefaultExtension(path, filter), written) << path << " " << filter;
    }
}

TEST(FrameCommandsTest, CommandsFoundByIdRecentFilesShareOneText) {
    ASSERT_NE(FindCommandText(kCmdViewToolBar), nullptr);
    EXPECT_EQ(FindCommandText(kCmdViewToolBar)->id, kCmdViewToolBar);
    ASSERT_NE(FindCommandText(kCmdFileMruLast), nullptr);
    EXPECT_EQ(FindCommandText(kCmdFileMruLast)->id, kCmdFileMru1);
    EXPECT_EQ(FindCommandText(12345), nullptr);
}

}  // namespace
}  // namespace tallymo
