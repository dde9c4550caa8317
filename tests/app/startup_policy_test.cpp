#include <gtest/gtest.h>

#include <set>

#include "app/StartupPolicy.h"
#include "doc/SettingsStore.h"

namespace tallymo {
namespace {

constexpr std::int32_t kDay = 86400;

TimeValue At(int hour, int minute, int second = 0) {
    return MakeLocalTime(2024, 3, 10, hour, minute, second);
}

TEST(StartupPolicyTest, OnceADayShowsOnlyAfterAWholeDay) {
    // seconds since the recorded start (negative: a recorded start in the future), shown
    const std::pair<std::int32_t, bool> cases[] = {
        {kDay - 1, false}, {kDay, true}, {-(kDay - 1), false}, {-kDay, true}};
    StartupSettings settings;
    settings.showOnceByADay = true;
    EXPECT_TRUE(StartupModeShows(settings, At(9, 0)));  // no recorded start yet
    for (const auto& [since, shows] : cases) {
        settings.recentlyRunTime = At(9, 0) - since;
        const StartupPlan plan =
            PlanStartup(settings, At(9, 0), {"/startup"}, "", [](auto&) { return true; });
        EXPECT_EQ(plan.proceed, shows) << since;
    }
    // Recorded starts at the far ends of the range do not wrap around.
    settings.recentlyRunTime = INT32_MIN;
    EXPECT_TRUE(StartupModeShows(settings, INT32_MAX));
    settings.recentlyRunTime = INT32_MAX;
    EXPECT_TRUE(StartupModeShows(settings, INT32_MIN));
}

TEST(StartupPolicyTest, HourWindowsAreInclusiveAtBothEndsAndWrapOverMidnight) {
    const struct {
        int start, end;
        std::set<int> shownHours;
    } cases[] = {{22, 2, {22, 23, 0, 1, 2}}, {8, 8, {8}}};
    for (const auto& c : cases) {
        StartupSettings settings;
        settings.showOnSetTime = true;
        settings.runStartHour = c.start;
        settings.runEndHour = c.end;
        for (int hour = 0; hour < 24; ++hour) {
            const bool expected = c.shownHours.count(hour) > 0;
            EXPECT_EQ(StartupModeShows(settings, At(hour, 0)), expected) << hour << ":00";
            EXPECT_EQ(StartupModeShows(settings, At(hour, 59, 59)), expected) << hour << ":59";
        }
    }
    // Both limits at once: each must pass.
    StartupSettings both{.showOnceByADay = true,
                         .showOnSetTime = true,
                         .runStartHour = 8,
                         .runEndHour = 10,
                         .recentlyRunTime = At(8, 0)};
    EXPECT_FALSE(StartupModeShows(both, At(9, 0)));  // in the hours, within the day
    both.recentlyRunTime = At(9, 0) - 2 * kDay;
    EXPECT_FALSE(StartupModeShows(both, At(11, 0)));  // a day on, past the hours
}

TEST(StartupPolicyTest, PicksTheLedger) {
    using K = LedgerChoice::Kind;
    // argument ("": none), open the recent file, first recent file, files that exist
    const struct {
        std::string arg;
        bool openRecent;
        std::string recent;
        std::set<std::string> existing;
        LedgerChoice expected;
    } cases[] = {
        {"/d/a.tm2", true, "/d/b.tm2", {"/d/a.tm2"}, {K::CommandLineFile, "/d/a.tm2", ""}},
        {"/d/gone", true, "/d/b.tm2", {"/d/b.tm2"}, {K::RecentFile, "/d/b.tm2", "/d/gone"}},
        // A dead recent entry is still tried: the open fails, and the start removes it.
        {"", true, "/d/dead.tm2", {}, {K::RecentFile, "/d/dead.tm2", ""}},
        {"/startup", true, "/d/b.tm2", {"/startup", "/d/b.tm2"}, {K::RecentFile, "/d/b.tm2", ""}},
        // Only the exact switch is one: anything else is a file argument.
        {"/STARTUP", false, "", {}, {K::NewLedger, "", "/STARTUP"}},
    };
    for (const auto& c : cases) {
        StartupSettings settings;
        settings.openRecentFileAtRun = c.openRecent;
        std::vector<std::string> args;
        if (!c.arg.empty()) args.push_back(c.arg);
        const StartupPlan plan = PlanStartup(settings, At(9, 0), args, c.recent,
                                             [&](auto& p) { return c.existing.count(p) > 0; });
        EXPECT_TRUE(plan.proceed);
        EXPECT_EQ(plan.startupMode, c.arg == "/startup");
        EXPECT_EQ(plan.ledger, c.expected) << c.arg << " " << c.recent;
    }
}

TEST(StartupPolicyTest, SettingsReadWithTheirDefaultsAndOneByteFlags) {
    MemorySettingsStore store;
    StartupSettings read = ReadStartupSettings(store);
    EXPECT_FALSE(read.openRecentFileAtRun || read.showOnceByADay || read.showOnSetTime);
    EXPECT_EQ(read.runStartHour + read.runEndHour, 0);
    EXPECT_FALSE(read.recentlyRunTime.has_value());

    store.WriteBinary("Settings", "OpenRecentlyFileAtRun", std::string(1, '\1'));
    store.WriteBinary("Settings", "ShowOnceByADay", std::string("\1\0", 2));  // two bytes: off
    store.WriteFlag("Settings", "ShowOnSetTime", true);
    store.WriteInt("Settings", "RunStartHour", 22);
    store.WriteInt("Settings", "RunEndHour", 2);
    store.WriteBinary("Settings", "RecentlyRunTime", std::string("\x01\x02\x03", 3));  // too short
    read = ReadStartupSettings(store);
    EXPECT_TRUE(read.openRecentFileAtRun && read.showOnSetTime);
    EXPECT_FALSE(read.showOnceByADay);
    EXPECT_EQ(read.runStartHour, 22);
    EXPECT_EQ(read.runEndHour, 2);
    EXPECT_FALSE(read.recentlyRunTime.has_value());

    WriteRecentlyRunTime(store, 0x12345678);
    EXPECT_EQ(*store.ReadBinary("Settings", "RecentlyRunTime"), std::string("\x78\x56\x34\x12", 4));
    EXPECT_EQ(ReadStartupSettings(store).recentlyRunTime, 0x12345678);
    for (TimeValue t : {-1, INT32_MIN, INT32_MAX}) EXPECT_EQ(DecodeRunTime(EncodeRunTime(t)), t);
}

}  // namespace
}  // namespace tallymo
