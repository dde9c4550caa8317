// Loading and saving a ledger file: the form is chosen by the extension, the messages of both
// forms are reported here, and a save replaces the old file only once the new one is complete.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>

#include "doc/AtomicFileSave.h"
#include "doc/BinaryLedgerForm.h"
#include "doc/CsvLedgerForm.h"
#include "doc/LocalPath.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

const UserMessage kNotLedgerFile{"この形式のファイルには対応していません。", 3110,
                                 MessageIcon::Stop};
const UserMessage kUnsupportedVersion{"ファイルのバージョンに対応していません。", 3120,
                                      MessageIcon::Stop};
const UserMessage kUnexpectedError{"予期せぬエラーが発生しました。", 9990, MessageIcon::None};
const UserMessage kInvalidCsv{"CSVデータが正しくありません。", 3060, MessageIcon::Stop};
const UserMessage kWriteError{"書き込みエラーが発生しました。", 9990, MessageIcon::None};
const UserMessage kEarlyEntriesNotSaved{
    "Tallymo Ver.1データファイル形式のため、2000/1/1以前のデータは保存されませんでした。"
    "すべてのデータを保存する場合には、Tallymo Ver.2以降のデータ形式を選択してください。",
    3010, MessageIcon::None};

// Far beyond any real ledger (a million entries take some 20 MB): a larger file is refused
// before a byte of it is read.
const char* const kTooManyMatters = "more matters in one list than a ledger can have (1000)";

constexpr std::uint64_t kMaxLedgerFileBytes = std::uint64_t{1} << 30;

// The extension is the part of the file name from its last dot, compared byte for byte: only
// a lower-case ".csv" selects the text form; anything else, or no extension, is binary.
bool IsCsvPath(const std::string& path) {
    const std::size_t nameStart = path.find_last_of('/') + 1;  // npos + 1 == 0
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return false;
    return path.compare(dot, std::string::npos, ".csv") == 0;
}

UserMessage WithDetail(UserMessage message, const std::string& path, const std::string& reason) {
    message.detail = FromLocalPath(path).toStdString() + ": " + reason;
    return message;
}

// Only a regular file is read: a FIFO would block, a device could be endless. Opened without
// blocking, so that a FIFO without a writer cannot hang the open either.
bool ReadLedgerBytes(const std::string& path, std::string& bytes, std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool ok = false;
    if (::fstat(fd, &info) != 0) {
        reason = std::strerror(errno);
    } else if (S_ISDIR(info.st_mode)) {
        reason = std::strerror(EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        reason = "not a regular file";
    } else if (static_cast<std::uint64_t>(info.st_size) > kMaxLedgerFileBytes) {
        reason = "larger than any ledger can be (over 1 GB)";
    } else {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        ok = true;
        for (;;) {
            char probe[4096];
            const bool full = done == bytes.size();
            if (full && bytes.size() >= kMaxLedgerFileBytes) break;
            // When the buffer holds the size fstat gave, a small read finds the end without
            // growing (and copying) the whole buffer; a file that grew since is read on.
            const ssize_t n = full ? ::read(fd, probe, sizeof probe)
                                   : ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                reason = std::strerror(errno);
                ok = false;
                break;
            }
            if (n == 0) break;
            if (full) {
                const std::uint64_t grown =
                    std::min<std::uint64_t>(kMaxLedgerFileBytes, bytes.size() * 2 + 4096);
                bytes.resize(std::max<std::uint64_t>(grown, done + static_cast<std::size_t>(n)));
                std::memcpy(bytes.data() + done, probe, static_cast<std::size_t>(n));
            }
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return ok;
}

}  // namespace

bool CTallymoDoc::LoadLedgerFile(const std::string& path) {
    LedgerContents loaded;
    loaded.settings = m_settings;
    const bool csv = IsCsvPath(path);
    std::optional<UserMessage> failure;
    std::string bytes;
    try {
        std::string reason;
        if (!ReadLedgerBytes(path, bytes, reason)) {
            // The file could not be read at all: still say so rather than fail silently.
            failure = WithDetail(csv ? kInvalidCsv : kUnexpectedError, path, reason);
        } else if (bytes.empty()) {
            failure = WithDetail(csv ? kInvalidCsv : kUnexpectedError, path, "the file is empty");
        } else if (csv) {
            if (!ReadCsvLedger(bytes, loaded)) failure = kInvalidCsv;
        } else {
            switch (ReadBinaryLedger(bytes, loaded)) {
                case BinaryReadResult::Loaded:
                    break;
                case BinaryReadResult::NotLedgerFile:
                    failure = kNotLedgerFile;
                    break;
                case BinaryReadResult::UnsupportedVersion:
                    failure = kUnsupportedVersion;
                    break;
                case BinaryReadResult::Truncated:
                    failure = WithDetail(kUnexpectedError, path, "the file is cut short");
                    break;
                case BinaryReadResult::TooManyMatters:
                    failure = WithDetail(kUnexpectedError, path, kTooManyMatters);
                    break;
            }
        }
    } catch (const std::bad_alloc&) {
        failure = WithDetail(kUnexpectedError, path, "out of memory");
    }
    if (failure) {
        Report(*failure);
        return false;
    }
    ReplaceContents(std::move(loaded));
    m_diskStamp = StampFile(path, bytes);
    return true;
}

bool CTallymoDoc::SaveLedgerFile(const std::string& path) {
    const bool csv = IsCsvPath(path);
    bool saved = false;
    bool droppedEarlyEntries = false;
    std::string reason;
    try {
        if (csv) {
            CsvLedgerText text = WriteCsvLedger(*this);
            droppedEarlyEntries = text.droppedEarlyEntries;
            saved = SaveFileAtomically(path, text.bytes, &reason);
            if (saved) m_diskStamp = StampFile(path, text.bytes);
        } else {
            // Made a piece at a time straight into the file: a large ledger is never held a
            // second time as bytes beside the document.
            const auto reserved = static_cast<std::uint32_t>(m_clock.Now());
            ByteHash hash;
            saved = SaveFileAtomically(
                path,
                [&](const ByteSink& sink) {
                    return WriteBinaryLedger(*this, reserved, [&](std::string_view piece) {
                        hash.Add(piece);
                        return sink(piece);
                    });
                },
                &reason);
            if (saved) m_diskStamp = StampFile(path, hash);
        }
        // The binary file holds no entry of amount 0; the document drops them too, but only
        // once the file is in place, so that a failed save changes nothing.
        if (saved && !csv) RemoveZeroEntries();
    } catch (const std::bad_alloc&) {
        reason = "out of memory";
    } catch (const std::exception& error) {
        reason = error.what();
    }
    if (!saved) {
        Report(WithDetail(kWriteError, path, reason));
        return false;
    }
    if (droppedEarlyEntries) Report(kEarlyEntriesNotSaved);
    return true;
}

bool CTallymoDoc::ChangedOnDisk(const std::string& path) const {
    return path == m_diskStamp.path && ChangedSince(m_diskStamp);
}

}  // namespace tallymo
