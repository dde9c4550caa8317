#pragma once
// What the program does when it starts: whether a start by the log-on autorun entry
// ("/startup") shows the program at all, and which ledger it opens. Everything here is a pure
// function of the application settings, the current time and the command line, so the rules
// can be checked without starting a window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doc/TimeValue.h"

namespace tallymo {

class SettingsStore;

// Section of the application settings in the settings store.
inline constexpr std::string_view kAppSettingsSection = "Settings";

// The application settings that decide the start.
struct StartupSettings {
    bool openRecentFileAtRun = false;          // "OpenRecentlyFileAtRun"
    bool showOnceByADay = false;               // "ShowOnceByADay"
    bool showOnSetTime = false;                // "ShowOnSetTime"
    std::int32_t runStartHour = 0;             // "RunStartHour", first hour of the window
    std::int32_t runEndHour = 0;               // "RunEndHour", last hour of the window
    std::optional<TimeValue> recentlyRunTime;  // "RecentlyRunTime", none when not recorded
};

StartupSettings ReadStartupSettings(const SettingsStore& store);
// Records `now` as the last start that got past the start-up checks.
void WriteRecentlyRunTime(SettingsStore& store, TimeValue now);

// "RecentlyRunTime" is 4 bytes, little-endian; any other length counts as not recorded.
std::string EncodeRunTime(TimeValue time);
std::optional<TimeValue> DecodeRunTime(std::string_view bytes);

// The autorun entry starts the program with exactly this one argument (case-sensitive). `args`
// are the arguments after the program name.
inline constexpr std::string_view kStartupSwitch = "/startup";
bool IsStartupSwitch(const std::vector<std::string>& args);

// Whether `hour` lies in the window from start:00 to end:59, both ends inclusive; a window whose
// end is before its start wraps over midnight.
bool WithinHourWindow(int hour, int start, int end);

// Whether less than a whole day (86,400 seconds, the quotient truncated toward zero) lies
// between the recorded start and now; a recorded start in the future by less than a day counts
// too. Without a recorded start the program has not been shown yet.
bool ShownWithinADay(std::optional<TimeValue> recentlyRunTime, TimeValue now);

// In start-up mode: whether the program goes on to show itself (false: it ends quietly, before
// any window exists and without writing anything).
bool StartupModeShows(const StartupSettings& settings, TimeValue now);

struct LedgerChoice {
    enum class Kind { CommandLineFile, RecentFile, NewLedger };
    Kind kind = Kind::NewLedger;
    std::string path;  // the file to open (empty for a new ledger)
    // A file named on the command line that does not exist: the user is told before the
    // ledger chosen instead is shown.
    std::string missingPath;

    bool operator==(const LedgerChoice&) const = default;
};

// The ledger to open: the file named by the first argument when it exists (not in start-up
// mode), else the most recent ledger when the settings ask for it, else a new ledger.
LedgerChoice ChooseLedger(const std::vector<std::string>& args, bool startupMode,
                          const StartupSettings& settings, std::string_view firstRecentFile,
                          const std::function<bool(const std::string&)>& fileExists);

struct StartupPlan {
    bool startupMode = false;  // started by the autorun entry
    bool proceed = true;       // false: end at once, no window, nothing written
    LedgerChoice ledger;

    bool operator==(const StartupPlan&) const = default;
};

StartupPlan PlanStartup(const StartupSettings& settings, TimeValue now,
                        const std::vector<std::string>& args, std::string_view firstRecentFile,
                        const std::function<bool(const std::string&)>& fileExists);

}  // namespace tallymo
