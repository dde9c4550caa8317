#pragma once
// Writers of one ledger take turns: whoever writes it (the window while it saves, a command
// from reading the ledger to the end of its save) holds an advisory lock on "<ledger>.lock"
// beside it. A lock left by a writer that died is taken over; a writer that cannot get the
// lock in time changes nothing and says so.

#include <memory>
#include <string>

#include "doc/UserMessage.h"

class QLockFile;

namespace tallymo {

class LedgerWriteLock {
public:
    // Long enough for another writer's save of a large ledger, short enough for a person.
    static constexpr int kWaitMs = 5000;

    explicit LedgerWriteLock(const std::string& ledgerPath);
    ~LedgerWriteLock();  // releases the lock
    LedgerWriteLock(const LedgerWriteLock&) = delete;
    LedgerWriteLock& operator=(const LedgerWriteLock&) = delete;

    // Waits up to `timeoutMs` for the lock. On failure, the write error naming the ledger and
    // the reason (another program holds it, or the lock file cannot be made).
    bool Acquire(int timeoutMs, UserMessage& failure);

    // The lock file of a ledger: beside the file a link points at, so that both names share it.
    static std::string LockPathFor(const std::string& ledgerPath);

private:
    std::string m_ledgerPath;
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace tallymo
