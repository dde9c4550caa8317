#include "doc/AtomicFileSave.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tallymo {
namespace {

std::function<bool()>& BeforeReplaceHook() {
    static std::function<bool()> hook;
    return hook;
}

QString ToQtPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

bool WriteWhole(QSaveFile& file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const qint64 written =
            file.write(bytes.data() + done, static_cast<qint64>(bytes.size() - done));
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Writes `bytes` to a temporary file beside `path` and renames it over `path`.
bool ReplaceFile(const QString& path, std::string_view bytes, bool runHook) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!WriteWhole(file, bytes)) {
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return false;
    }
    if (runHook && BeforeReplaceHook() && !BeforeReplaceHook()()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();  // flushes to disk, then renames; on failure removes the temporary
}

// The previous version is copied, not renamed, so that the file itself never disappears and
// links to it keep pointing at the current version.
void KeepBackupCopy(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) return;
    QFile old(path);
    if (!old.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = old.readAll();
    if (old.error() != QFileDevice::NoError) return;
    // The copy is as private as the file: its permissions are set before any byte is written
    // (the replacement takes them over from the file it replaces).
    const QString backupPath = path + QLatin1Char('~');
    if (!QFileInfo::exists(backupPath)) {
        QFile made(backupPath);
        if (!made.open(QIODevice::WriteOnly)) return;
    }
    if (!QFile::setPermissions(backupPath, info.permissions())) return;
    ReplaceFile(backupPath,
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), false);
}

}  // namespace

std::string BackupPathFor(const std::string& path) {
    return path + '~';
}

bool SaveFileAtomically(const std::string& path, std::string_view bytes) {
    const QString qtPath = ToQtPath(path);
    KeepBackupCopy(qtPath);
    return ReplaceFile(qtPath, bytes, true);
}

void SetBeforeReplaceHookForTesting(std::function<bool()> hook) {
    BeforeReplaceHook() = std::move(hook);
}

}  // namespace tallymo
