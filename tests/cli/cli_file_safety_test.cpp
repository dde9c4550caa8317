// What the files of a ledger go through from outside: saves that the file system refuses,
// writers that meet, and inputs that are no ledger at all. Nothing may be lost, and every
// failure names the file and the reason.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "cli/CliRunner.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {
namespace {

namespace fs = std::filesystem;

const std::string kWriteError = "書き込みエラーが発生しました。\n";

std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The same save as the command line's, from a document in this process.
CliRun SaveFromDocument(const std::string& path, long long limit) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    std::string messages;
    doc.SetMessageHandler([&](const UserMessage& m) {
        if (!m.detail.empty()) messages += "tallymo-cli: " + m.detail + "\n";
        messages += m.text + "\n";
    });
    CliRun run;
    if (!doc.LoadLedgerFile(path)) return run;
    doc.BookEntry(Day(2024, 6, 1), 1, 777, {}, false);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    if (limit >= 0) {
        rlimit limited = saved;
        limited.rlim_cur = static_cast<rlim_t>(limit);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    const bool ok = doc.SaveLedgerFile(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    run.exitCode = ok ? 0 : 1;
    run.err = messages;
    return run;
}

// Every way a ledger gets written, in both forms, at file-size limits that cut the new file at
// its start, after a byte, in its middle and one byte short: each fails with the write error
// naming the file, and leaves the ledger, its backup and the folder exactly as they were.
TEST(FileSafety, ASaveCutShortByTheFileSystemChangesNothing) {
    for (const std::string form : {".tm2", ".csv"}) {
        const std::string dir = MakeTempDir("limit");
        const std::string target = dir + "/ledger" + form;
        const std::string source = dir + "/source.tm2";
        ASSERT_EQ(RunCli({"new", source}).exitCode, 0);
        ASSERT_EQ(
            RunCli({"book", source, "--date", "2024-05-02", "--matter", "1", "--amount", "700"})
                .exitCode,
            0);
        ASSERT_EQ(RunCli({"new", target}).exitCode, 0);
        ASSERT_EQ(RunCli({"book", target, "--date", "2024-05-01", "--matter", "2", "--amount", "5"})
                      .exitCode,
                  0);
        const std::string oldBytes = ReadFileBytes(target);
        const std::string oldBackup = ReadFileBytes(target + "~");
        ASSERT_FALSE(oldBackup.empty());
        const std::vector<std::string> listing = Listing(dir);

        const std::vector<
            std::pair<std::string, std::function<CliRun(const std::string&, long long)>>>
            callers = {
                {"document", SaveFromDocument},
                {"book",
                 [](const std::string& path, long long limit) {
                     return RunCli({"book", path, "--date", "2024-05-03", "--matter", "0",
                                    "--amount", "1000"},
                                   {{}, {}, limit});
                 }},
                {"convert",
                 [&](const std::string& path, long long limit) {
                     return RunCli({"convert", source, path}, {{}, {}, limit});
                 }},
                {"new",
                 [](const std::string& path, long long limit) {
                     return RunCli({"new", "--force", path}, {{}, {}, limit});
                 }},
            };
        for (const auto& [name, save] : callers) {
            // The size of the file this caller writes, from a copy saved without a limit.
            const std::string probe = dir + "/probe" + form;
            fs::copy_file(target, probe);
            ASSERT_EQ(save(probe, -1).exitCode, 0) << name;
            const long long size = static_cast<long long>(fs::file_size(probe));
            fs::remove(probe);
            fs::remove(probe + "~");
            for (const long long limit : {0LL, 1LL, size / 2, size - 1}) {
                SCOPED_TRACE(form + " " + name + " limit " + std::to_string(limit));
                const CliRun run = save(target, limit);
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(run.err.rfind("tallymo-cli: " + target + ": ", 0), 0u) << run.err;
                EXPECT_TRUE(run.err.ends_with(kWriteError)) << run.err;
                EXPECT_EQ(ReadFileBytes(target), oldBytes);
                EXPECT_EQ(ReadFileBytes(target + "~"), oldBackup);
                EXPECT_EQ(Listing(dir), listing);
            }
        }
    }
}

// Two writers booking into one ledger at once take turns on its lock: every booking lands.
TEST(FileSafety, ConcurrentBookingsAllLand) {
    const std::string path = MakeTempDir("turns") + "/ledger.tm2";
    ASSERT_EQ(RunCli({"new", path}).exitCode, 0);
    constexpr int kRounds = 25;
    std::vector<pid_t> writers;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t child = fork();
        if (child == 0) {
            int failures = 0;
            for (int round = 0; round < kRounds; ++round) {
                failures +=
                    RunCli({"book", path, "--date", "2024-05-01", "--matter", "1", "--amount", "1"})
                        .exitCode != 0;
            }
            _exit(failures);
        }
        writers.push_back(child);
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed bookings";
    }
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    ASSERT_TRUE(doc.LoadLedgerFile(path));
    EXPECT_EQ(doc.DayAmount(Day(2024, 5, 1), 1), 2 * kRounds);
    EXPECT_FALSE(fs::exists(path + ".lock"));
}

}  // namespace
}  // namespace tallymo::test
