#include <gtest/gtest.h>

#include <set>

#include "app/StartupPolicy.h"
#include "doc/SettingsStore.h"

namespace tallymo {
namespace {

constexpr std::int32_t kDay = 86400;
const std::vector<std::string> kStartup = {"/startup"};

TimeValue At(int hour, int minute, int second = 0) {
    return MakeLocalTime(2024, 3, 10, hour, minute, second);
}

TEST(StartupPolicyTest, OnceADayShowsOnlyAfterAWholeDay) {
    const struct {
        std::int32_t secondsSinceLastStart;
        bool shows;
    } cases[] = {
        {0, false},           {23 * 3600 + 59 * 60, false}, {kDay - 1, false}, {kDay, true},
        {5 * kDay + 7, true}, {-(kDay - 1), false},  // a recorded start in the future
        {-kDay, true},
    };
    StartupSettings settings;
    settings.showOnceByADay = true;
    EXPECT_TRUE(StartupModeShows(settings, At(9, 0)));  // no recorded start yet
    for (const auto& c : cases) {
        settings.recentlyRunTime = At(9, 0) - c.secondsSinceLastStart;
        EXPECT_EQ(StartupModeShows(settings, At(9, 0)), c.shows) << c.secondsSinceLastStart;
        const StartupPlan plan =
            PlanStartup(settings, At(9, 0), kStartup, "", [](auto&) { return true; });
        EXPECT_TRUE(plan.startupMode);
        EXPECT_EQ(plan.proceed, c.shows);
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
    } cases[] = {{22, 2, {22, 23, 0, 1, 2}}, {8, 8, {8}}, {9, 11, {9, 10, 11}}};
    for (const auto& c : cases) {
        StartupSettings settings;
        settings.showOnSetTime = true;
        settings.runStartHour = c.start;
        settings.runEndHour = c.end;
        for (int hour = 0; hour < 24; ++hour) {
            const bool expected = c.shownHours.count(hour) > 0;
            EXPECT_EQ(WithinHourWindow(hour, c.start, c.end), expected) << hour;
            EXPECT_EQ(StartupModeShows(settings, At(hour, 0)), expected) << hour << ":00";
            EXPECT_EQ(StartupModeShows(settings, At(hour, 59, 59)), expected) << hour << ":59";
        }
    }
}

TEST(StartupPolicyTest, BothChecksMustPass) {
    StartupSettings settings;
    settings.showOnceByADay = true;
    settings.showOnSetTime = true;
    settings.runStartHour = 8;
    settings.runEndHour = 10;
    settings.recentlyRunTime = At(9, 0) - 2 * kDay;
    EXPECT_TRUE(StartupModeShows(settings, At(9, 0)));
    EXPECT_FALSE(StartupModeShows(settings, At(11, 0)));  // outside the hours
    settings.recentlyRunTime = At(8, 0);
    EXPECT_FALSE(StartupModeShows(settings, At(9, 0)));  // inside the hours, shown today
}

TEST(StartupPolicyTest, OnlyTheExactWholeCommandLineIsTheSwitch) {
    EXPECT_TRUE(IsStartupSwitch({"/startup"}));
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"/STARTUP"},
                                               {"/Startup"},
                                               {"startup"},
                                               {"/startup "},
                                               {"/startup", "x.tm2"},
                                               {"x.tm2", "/startup"}}) {
        EXPECT_FALSE(IsStartupSwitch(args)) << (args.empty() ? "" : args.front());
    }
    // The capitalised switch ignores the limits and is no file.
    StartupSettings settings;
    settings.showOnceByADay = true;
    settings.recentlyRunTime = At(9, 0);
    const StartupPlan plan =
        PlanStartup(settings, At(9, 1), {"/STARTUP"}, "", [](auto&) { return false; });
    EXPECT_FALSE(plan.startupMode);
    EXPECT_TRUE(plan.proceed);
    EXPECT_EQ(plan.ledger.kind, LedgerChoice::Kind::NewLedger);
}

TEST(StartupPolicyTest, PicksTheLedger) {
    using K = LedgerChoice::Kind;
    const struct {
        const char* name;
        std::vector<std::string> args;
        bool openRecent;
        std::string firstRecent;
        std::set<std::string> existing;
        LedgerChoice expected;
    } cases[] = {
        {"nothing given", {}, false, "", {}, {K::NewLedger, "", ""}},
        {"existing argument",
         {"/d/a.tm2"},
         true,
         "/d/b.tm2",
         {"/d/a.tm2"},
         {K::CommandLineFile, "/d/a.tm2", ""}},
        {"missing argument, recent",
         {"/d/gone.tm2"},
         true,
         "/d/b.tm2",
         {"/d/b.tm2"},
         {K::RecentFile, "/d/b.tm2", "/d/gone.tm2"}},
        {"missing argument",
         {"/d/gone.tm2"},
         false,
         "/d/b.tm2",
         {},
         {K::NewLedger, "", "/d/gone.tm2"}},
        // A dead recent entry is still tried: the open fails, and the start removes it.
        {"dead recent", {}, true, "/d/dead.tm2", {}, {K::RecentFile, "/d/dead.tm2", ""}},
        {"recent not asked", {}, false, "/d/b.tm2", {"/d/b.tm2"}, {K::NewLedger, "", ""}},
        {"empty recent", {}, true, "", {}, {K::NewLedger, "", ""}},
        {"switch is no file", {"/startup"}, false, "", {"/startup"}, {K::NewLedger, "", ""}},
        {"switch and recent",
         {"/startup"},
         true,
         "/d/b.tm2",
         {"/startup", "/d/b.tm2"},
         {K::RecentFile, "/d/b.tm2", ""}},
    };
    for (const auto& c : cases) {
        StartupSettings settings;
        settings.openRecentFileAtRun = c.openRecent;
        const StartupPlan plan =
            PlanStartup(settings, At(9, 0), c.args, c.firstRecent,
                        [&](const std::string& p) { return c.existing.count(p) > 0; });
        EXPECT_TRUE(plan.proceed) << c.name;
        EXPECT_EQ(plan.ledger, c.expected) << c.name;
    }
}

TEST(StartupPolicyTest, SettingsReadWithTheirDefaultsAndOneByteFlags) {
    MemorySettingsStore store;
    StartupSettings read = ReadStartupSettings(store);
    EXPECT_FALSE(read.openRecentFileAtRun || read.showOnceByADay || read.showOnSetTime);
    EXPECT_EQ(read.runStartHour, 0);
    EXPECT_EQ(read.runEndHour, 0);
    EXPECT_FALSE(read.recentlyRunTime.has_value());

    store.WriteBinary("Settings", "OpenRecentlyFileAtRun", std::string(1, '\1'));
    store.WriteBinary("Settings", "ShowOnceByADay", std::string("\1\0", 2));  // two bytes: off
    store.WriteFlag("Settings", "ShowOnSetTime", true);
    store.WriteInt("Settings", "RunStartHour", 22);
    store.WriteInt("Settings", "RunEndHour", 2);
    store.WriteBinary("Settings", "RecentlyRunTime", std::string("\x01\x02\x03", 3));  // too short
    read = ReadStartupSettings(store);
    EXPECT_TRUE(read.openRecentFileAtRun);
    EXPECT_FALSE(read.showOnceByADay);
    EXPECT_TRUE(read.showOnSetTime);
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
