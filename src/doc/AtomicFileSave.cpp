#include "doc/AtomicFileSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <vector>

#include "doc/LocalPath.h"

namespace tallymo {
namespace {

std::function<bool(const std::string&)>& BeforeReplaceHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

bool MayReplace(const std::string& target) {
    return !BeforeReplaceHook() || BeforeReplaceHook()(target);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The folder entry of a renamed file is only durable once the folder itself is synced.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteAllTo(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Copies the rest of `in` to `out` in pieces: a large ledger never needs its whole size in
// memory a second time beside the new bytes being saved.
bool CopyAll(int in, int out) {
    std::vector<char> buffer(kFilePieceBytes);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!WriteAllTo(out, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            return false;
        }
    }
}

// The backup is made from the bytes of the file being replaced, in a temporary file beside it
// that takes the file's permissions before any byte is written, and is then renamed over
// "<name>~". A planted link at "<name>~" is replaced, not followed.
void KeepBackupCopy(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    const int in = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return;
    struct stat opened {};
    if (::fstat(in, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(in);
        return;
    }

    const std::string backupPath = BackupPathFor(path);
    std::string temporary = backupPath + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        ::close(in);
        return;
    }
    const bool written =
        ::fchmod(fd, opened.st_mode & 0777) == 0 && CopyAll(in, fd) && ::fsync(fd) == 0;
    ::close(in);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || !MayReplace(backupPath) ||
        ::rename(temporary.c_str(), backupPath.c_str()) != 0) {
        ::unlink(temporary.c_str());
    }
}

std::string ReasonOf(const QFileDevice& file) {
    return file.errorString().toStdString();
}

}  // namespace

std::string BackupPathFor(const std::string& path) {
    return path + '~';
}

bool SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
    return SaveFileAtomically(
        path, [bytes](const ByteSink& sink) { return sink(bytes); }, reason);
}

bool SaveFileAtomically(const std::string& path, const std::function<bool(const ByteSink&)>& write,
                        std::string* reason) {
    std::string ignored;
    std::string& why = reason ? *reason : ignored;
    // Unbuffered, so that every write reaches the system at once and its failure is seen here:
    // a buffered write that fails at the final flush can go unnoticed by the commit.
    QSaveFile file(FromLocalPath(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        why = ReasonOf(file);
        return false;
    }
    const ByteSink sink = [&file](std::string_view piece) {
        std::size_t done = 0;
        while (done < piece.size()) {
            const qint64 written =
                file.write(piece.data() + done, static_cast<qint64>(piece.size() - done));
            if (written <= 0) return false;
            done += static_cast<std::size_t>(written);
        }
        return file.error() == QFileDevice::NoError;
    };
    // Whatever `write` throws leaves with the file unreplaced: the QSaveFile removes its
    // temporary file when it goes out of scope uncommitted.
    const bool complete = write(sink) && file.error() == QFileDevice::NoError;
    if (!complete || !MayReplace(path)) {
        why = complete ? "the save was interrupted" : ReasonOf(file);
        if (why.empty()) why = std::strerror(EIO);
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return false;
    }
    KeepBackupCopy(path);
    if (!file.commit()) {  // flushes to disk, then renames; on failure removes the temporary
        why = ReasonOf(file);
        return false;
    }
    SyncFolder(FolderOf(ToLocalPath(QFileInfo(FromLocalPath(path)).canonicalFilePath())));
    SyncFolder(FolderOf(path));
    return true;
}

void SetBeforeReplaceHookForTesting(std::function<bool(const std::string&)> hook) {
    BeforeReplaceHook() = std::move(hook);
}

}  // namespace tallymo
