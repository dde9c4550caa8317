#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "doc/LedgerLock.h"
#include "support/TestEnvironment.h"

namespace tallymo {
namespace {

// A second writer waits and then gives up with the write error naming the ledger; a lock left
// by a writer that died is taken over at once.
TEST(LedgerWriteLock, WritersTakeTurnsAndADeadWritersLockIsTakenOver) {
    const std::string path = test::MakeTempDir("lock") + "/ledger.tm2";
    UserMessage failure;
    {
        LedgerWriteLock first(path);
        ASSERT_TRUE(first.Acquire(0, failure));
        LedgerWriteLock second(path);
        EXPECT_FALSE(second.Acquire(50, failure));
        EXPECT_EQ(failure.text, "書き込みエラーが発生しました。");
        EXPECT_EQ(failure.detail, path + ": in use by another program; nothing was changed");
    }

    const pid_t child = fork();
    if (child == 0) {
        LedgerWriteLock dying(path);
        UserMessage ignored;
        _exit(dying.Acquire(0, ignored) ? 0 : 1);  // ends without releasing
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(std::filesystem::exists(path + ".lock"));
    LedgerWriteLock next(path);
    EXPECT_TRUE(next.Acquire(0, failure));

    // A link and its target share one lock.
    std::filesystem::create_symlink(path, path + "-link");
    test::WriteFileBytes(path, "x");
    EXPECT_EQ(LedgerWriteLock::LockPathFor(path + "-link"),
              std::filesystem::canonical(path).string() + ".lock");
}

}  // namespace
}  // namespace tallymo
