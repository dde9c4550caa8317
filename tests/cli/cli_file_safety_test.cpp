// What the files of a ledger go through from outside the desktop program: a save that the file
// system cuts short and writers that meet. (The save itself is checked in each file form in
// tests/doc/file_save_test.cpp.)

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "cli/CliRunner.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

namespace fs = std::filesystem;

// A booking whose save the file system cuts after the first byte: the write error naming the
// file, exit 1, the ledger and its backup as they were, no stray file left.
TEST(FileSafety, ASaveCutShortByTheFileSystemChangesNothing) {
    const std::string dir = MakeTempDir("limit");
    const std::string target = dir + "/ledger.tm2";
    ASSERT_EQ(RunCli({"new", target}).exitCode, 0);
    ASSERT_EQ(RunCli(Booking(target, "2024-05-01", "2", "5")).exitCode, 0);
    const std::string oldBytes = ReadFileBytes(target);
    const std::string oldBackup = ReadFileBytes(target + "~");
    const CliRun run = RunCli(Booking(target, "2024-05-01", "2", "1000"), {{}, {}, 1});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("tallymo-cli: " + target + ": ", 0), 0u) << run.err;
    EXPECT_TRUE(run.err.ends_with("書き込みエラーが発生しました。\n")) << run.err;
    EXPECT_EQ(ReadFileBytes(target), oldBytes);
    EXPECT_EQ(ReadFileBytes(target + "~"), oldBackup);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

// Two writers booking into one ledger at once take turns on its lock: every booking lands.
TEST(FileSafety, ConcurrentBookingsAllLand) {
    const std::string path = MakeTempDir("turns") + "/ledger.tm2";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    constexpr int kRounds = 15;
    std::atomic<int> failures = 0;
    const auto writer = [&] {
        for (int round = 0; round < kRounds; ++round) {
            failures += RunCli(Booking(path, "2024-05-01", "1", "1")).exitCode != 0;
        }
    };
    std::thread first(writer);
    writer();
    first.join();
    EXPECT_EQ(failures, 0);
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    ASSERT_TRUE(doc.LoadLedgerFile(path));
    EXPECT_EQ(doc.DayAmount(Day(2024, 5, 1), 1), 2 * kRounds);
    EXPECT_FALSE(fs::exists(path + ".lock"));
}

}  // namespace
}  // namespace tallymo::test
