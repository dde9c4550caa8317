#include "app/StartupPolicy.h"

#include "doc/SettingsStore.h"

namespace tallymo {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int32_t ReadHour(const SettingsStore& store, std::string_view name) {
    return store.ReadInt(kAppSettingsSection, name).value_or(0);
}

}  // namespace

StartupSettings ReadStartupSettings(const SettingsStore& store) {
    StartupSettings settings;
    settings.openRecentFileAtRun =
        store.ReadFlag(kAppSettingsSection, "OpenRecentlyFileAtRun", false);
    settings.showOnceByADay = store.ReadFlag(kAppSettingsSection, "ShowOnceByADay", false);
    settings.showOnSetTime = store.ReadFlag(kAppSettingsSection, "ShowOnSetTime", false);
    settings.runStartHour = ReadHour(store, "RunStartHour");
    settings.runEndHour = ReadHour(store, "RunEndHour");
    if (const auto bytes = store.ReadBinary(kAppSettingsSection, "RecentlyRunTime")) {
        settings.recentlyRunTime = DecodeRunTime(*bytes);
    }
    return settings;
}

void WriteRecentlyRunTime(SettingsStore& store, TimeValue now) {
    store.WriteBinary(kAppSettingsSection, "RecentlyRunTime", EncodeRunTime(now));
}

std::string EncodeRunTime(TimeValue time) {
    const auto bits = static_cast<std::uint32_t>(time);
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

std::optional<TimeValue> DecodeRunTime(std::string_view bytes) {
    if (bytes.size() != 4) return std::nullopt;
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return static_cast<TimeValue>(bits);
}

bool IsStartupSwitch(const std::vector<std::string>& args) {
    return args.size() == 1 && args.front() == kStartupSwitch;
}

bool WithinHourWindow(int hour, int start, int end) {
    if (start <= end) return start <= hour && hour <= end;
    return hour >= start || hour <= end;
}

bool ShownWithinADay(std::optional<TimeValue> recentlyRunTime, TimeValue now) {
    if (!recentlyRunTime) return false;
    // In 64 bits: a damaged record far in the past or future must not wrap around.
    const std::int64_t elapsed = std::int64_t{now} - std::int64_t{*recentlyRunTime};
    return elapsed / kSecondsPerDay == 0;
}

bool StartupModeShows(const StartupSettings& settings, TimeValue now) {
    if (settings.showOnceByADay && ShownWithinADay(settings.recentlyRunTime, now)) return false;
    if (settings.showOnSetTime &&
        !WithinHourWindow(ToLocal(now).hour, settings.runStartHour, settings.runEndHour)) {
        return false;
    }
    return true;
}

LedgerChoice ChooseLedger(const std::vector<std::string>& args, bool startupMode,
                          const StartupSettings& settings, std::string_view firstRecentFile,
                          const std::function<bool(const std::string&)>& fileExists) {
    const bool named = !startupMode && !args.empty() && !args.front().empty();
    if (named && fileExists(args.front()))
        return {LedgerChoice::Kind::CommandLineFile, args.front(), {}};
    LedgerChoice choice{LedgerChoice::Kind::NewLedger, {}, named ? args.front() : std::string()};
    if (settings.openRecentFileAtRun && !firstRecentFile.empty()) {
        choice.kind = LedgerChoice::Kind::RecentFile;
        choice.path = std::string(firstRecentFile);
    }
    return choice;
}

StartupPlan PlanStartup(const StartupSettings& settings, TimeValue now,
                        const std::vector<std::string>& args, std::string_view firstRecentFile,
                        const std::function<bool(const std::string&)>& fileExists) {
    StartupPlan plan;
    plan.startupMode = IsStartupSwitch(args);
    if (plan.startupMode && !StartupModeShows(settings, now)) {
        plan.proceed = false;
        return plan;
    }
    plan.ledger = ChooseLedger(args, plan.startupMode, settings, firstRecentFile, fileExists);
    return plan;
}

}  // namespace tallymo
