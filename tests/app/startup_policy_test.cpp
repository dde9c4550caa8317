#include <gtest/gtest.h>

#include <set>

#include "app/StartupPolicy.h"
#include "doc/SettingsStore.h"

namespace tallymo {
namespace {

constexpr std::int32_t kDay = 86400;
const std::vector<std::string> kStartup = {"/startup"};

TimeValue At(int hour, int minute) {
    return MakeLocalTime(2024, 3, 10, hour, minute);
}

struct OnceADayCase {
    const char* name;
    std::int32_t secondsSinceLastStart;
    bool shows;
};

class OnceADayTest : public testing::TestWithParam<OnceADayCase> {};

TEST_P(OnceADayTest, ShowsOnlyAfterAWholeDay) {
    const OnceADayCase& c = GetParam();
    StartupSettings settings;
    settings.showOnceByADay = true;
    const TimeValue now = At(9, 0);
    settings.recentlyRunTime = now - c.secondsSinceLastStart;
    EXPECT_EQ(StartupModeShows(settings, now), c.shows);
    const StartupPlan plan = PlanStartup(settings, now, kStartup, "", [](auto&) { return true; });
    EXPECT_TRUE(plan.startupMode);
    EXPECT_EQ(plan.proceed, c.shows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OnceADayTest,
    testing::Values(OnceADayCase{"JustStarted", 0, false},
                    OnceADayCase{"TwentyThreeFiftyNine", 23 * 3600 + 59 * 60, false},
                    OnceADayCase{"OneSecondShort", kDay - 1, false},
                    OnceADayCase{"WholeDay", kDay, true}, OnceADayCase{"Days", 5 * kDay + 7, true},
                    OnceADayCase{"FutureByLessThanADay", -(kDay - 1), false},
                    OnceADayCase{"FutureByAWholeDay", -kDay, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupPolicyTest, OnceADayWithoutARecordedStartShows) {
    StartupSettings settings;
    settings.showOnceByADay = true;
    EXPECT_TRUE(StartupModeShows(settings, At(9, 0)));
}

TEST(StartupPolicyTest, RecordedStartAtTheFarEndsOfTheRangeDoesNotWrapAround) {
    StartupSettings settings;
    settings.showOnceByADay = true;
    settings.recentlyRunTime = INT32_MIN;
    EXPECT_TRUE(StartupModeShows(settings, INT32_MAX));
    settings.recentlyRunTime = INT32_MAX;
    EXPECT_TRUE(StartupModeShows(settings, INT32_MIN));
}

struct HourWindowCase {
    int start, end;
    std::set<int> shownHours;
};

class HourWindowTest : public testing::TestWithParam<HourWindowCase> {};

TEST_P(HourWindowTest, InclusiveAtBothEnds) {
    const HourWindowCase& c = GetParam();
    StartupSettings settings;
    settings.showOnSetTime = true;
    settings.runStartHour = c.start;
    settings.runEndHour = c.end;
    for (int hour = 0; hour < 24; ++hour) {
        const bool expected = c.shownHours.count(hour) > 0;
        EXPECT_EQ(WithinHourWindow(hour, c.start, c.end), expected) << "hour " << hour;
        for (int minute : {0, 30, 59}) {
            EXPECT_EQ(StartupModeShows(settings, At(hour, minute)), expected)
                << hour << ":" << minute;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HourWindowTest,
    testing::Values(HourWindowCase{22, 2, {22, 23, 0, 1, 2}}, HourWindowCase{8, 8, {8}},
                    HourWindowCase{9, 17, {9, 10, 11, 12, 13, 14, 15, 16, 17}},
                    HourWindowCase{0, 23, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                           12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}}));

TEST(StartupPolicyTest, HourWindowTwentyTwoToTwoAtTheNamedTimes) {
    StartupSettings settings;
    settings.showOnSetTime = true;
    settings.runStartHour = 22;
    settings.runEndHour = 2;
    EXPECT_TRUE(StartupModeShows(settings, At(22, 0)));
    EXPECT_TRUE(StartupModeShows(settings, At(23, 30)));
    EXPECT_TRUE(StartupModeShows(settings, At(0, 15)));
    EXPECT_TRUE(StartupModeShows(settings, MakeLocalTime(2024, 3, 10, 2, 59, 59)));
    EXPECT_FALSE(StartupModeShows(settings, At(3, 0)));
    EXPECT_FALSE(StartupModeShows(settings, MakeLocalTime(2024, 3, 10, 21, 59, 59)));
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
}

TEST(StartupPolicyTest, CapitalisedSwitchIgnoresTheLimitsAndIsNoFile) {
    StartupSettings settings;
    settings.showOnceByADay = true;
    settings.recentlyRunTime = At(9, 0);
    const StartupPlan plan =
        PlanStartup(settings, At(9, 1), {"/STARTUP"}, "", [](auto&) { return false; });
    EXPECT_FALSE(plan.startupMode);
    EXPECT_TRUE(plan.proceed);
    EXPECT_EQ(plan.ledger.kind, LedgerChoice::Kind::NewLedger);
}

struct ChoiceCase {
    const char* name;
    std::vector<std::string> args;
    bool openRecent;
    std::string firstRecent;
    std::set<std::string> existing;
    LedgerChoice expected;
};

class LedgerChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(LedgerChoiceTest, PicksTheLedger) {
    const ChoiceCase& c = GetParam();
    StartupSettings settings;
    settings.openRecentFileAtRun = c.openRecent;
    const StartupPlan plan =
        PlanStartup(settings, At(9, 0), c.args, c.firstRecent,
                    [&](const std::string& p) { return c.existing.count(p) > 0; });
    EXPECT_TRUE(plan.proceed);
    EXPECT_EQ(plan.ledger, c.expected);
}

using K = LedgerChoice::Kind;
INSTANTIATE_TEST_SUITE_P(
    Cases, LedgerChoiceTest,
    testing::Values(
        ChoiceCase{"NothingGiven", {}, false, "", {}, {K::NewLedger, ""}},
        ChoiceCase{"ExistingArgument",
                   {"/d/a.tm2"},
                   true,
                   "/d/b.tm2",
                   {"/d/a.tm2"},
                   {K::CommandLineFile, "/d/a.tm2"}},
        ChoiceCase{"MissingArgumentFallsToRecent",
                   {"/d/gone.tm2"},
                   true,
                   "/d/b.tm2",
                   {"/d/b.tm2"},
                   {K::RecentFile, "/d/b.tm2"}},
        ChoiceCase{
            "MissingArgumentNoRecent", {"/d/gone.tm2"}, false, "/d/b.tm2", {}, {K::NewLedger, ""}},
        ChoiceCase{
            "RecentWhenAsked", {}, true, "/d/b.tm2", {"/d/b.tm2"}, {K::RecentFile, "/d/b.tm2"}},
        // A dead recent entry is still tried: the open fails, and the start removes it.
        ChoiceCase{
            "DeadRecentIsTried", {}, true, "/d/dead.tm2", {}, {K::RecentFile, "/d/dead.tm2"}},
        ChoiceCase{"RecentNotAsked", {}, false, "/d/b.tm2", {"/d/b.tm2"}, {K::NewLedger, ""}},
        ChoiceCase{"EmptyRecent", {}, true, "", {}, {K::NewLedger, ""}},
        ChoiceCase{
            "StartupSwitchIsNoFile", {"/startup"}, false, "", {"/startup"}, {K::NewLedger, ""}},
        ChoiceCase{"StartupSwitchStillOpensRecent",
                   {"/startup"},
                   true,
                   "/d/b.tm2",
                   {"/startup", "/d/b.tm2"},
                   {K::RecentFile, "/d/b.tm2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupPolicyTest, SettingsReadWithTheirDefaultsAndOneByteFlags) {
    MemorySettingsStore store;
    StartupSettings read = ReadStartupSettings(store);
    EXPECT_EQ(read.openRecentFileAtRun, false);
    EXPECT_EQ(read.showOnceByADay, false);
    EXPECT_EQ(read.showOnSetTime, false);
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
}

TEST(StartupPolicyTest, RunTimeRoundTripsNegativeValues) {
    for (TimeValue t : {0, 1, -1, INT32_MIN, INT32_MAX, 1700000000}) {
        EXPECT_EQ(DecodeRunTime(EncodeRunTime(t)), t);
    }
}

}  // namespace
}  // namespace tallymo
