#include "doc/LedgerLock.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace tallymo {
namespace {

QString ToQtPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

}  // namespace

LedgerWriteLock::LedgerWriteLock(const std::string& ledgerPath)
    : m_ledgerPath(ledgerPath),
      m_lock(std::make_unique<QLockFile>(ToQtPath(LockPathFor(ledgerPath)))) {}

LedgerWriteLock::~LedgerWriteLock() = default;

std::string LedgerWriteLock::LockPathFor(const std::string& ledgerPath) {
    const QString canonical = QFileInfo(ToQtPath(ledgerPath)).canonicalFilePath();
    const std::string resolved =
        canonical.isEmpty() ? ledgerPath : QFile::encodeName(canonical).toStdString();
    return resolved + ".lock";
}

bool LedgerWriteLock::Acquire(int timeoutMs, UserMessage& failure) {
    // QLockFile's own waiting sleeps 100 ms and more between tries; a booking takes a few
    // milliseconds, so writers that meet try again sooner.
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (m_lock->tryLock(0)) return true;
        if (m_lock->error() != QLockFile::LockFailedError || deadline.hasExpired()) break;
        QThread::msleep(5);
    }
    const char* reason = "cannot make the lock file beside it";
    switch (m_lock->error()) {
        case QLockFile::LockFailedError:
            reason = "in use by another program; nothing was changed";
            break;
        case QLockFile::PermissionError:
            reason = "no permission to make the lock file beside it";
            break;
        default:
            break;
    }
    failure = UserMessage(
        "書き込みエラーが発生しました。", 9990, MessageIcon::None,
        QFile::decodeName(QByteArray::fromStdString(m_ledgerPath)).toStdString() + ": " + reason);
    return false;
}

}  // namespace tallymo
