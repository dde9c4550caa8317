#include "doc/FileStamp.h"

#include <sys/stat.h>

#include <QFile>
#include <cstring>
#include <vector>

#include "doc/LocalPath.h"

namespace tallymo {
namespace {

bool StatFile(const std::string& path, std::int64_t& size, std::int64_t& modifiedNs) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    size = info.st_size;
    modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

}  // namespace

void ByteHash::Mix(std::uint64_t word) {
    m_state ^= word;
    m_state *= 0x9E3779B97F4A7C15u;
    m_state ^= m_state >> 29;
}

void ByteHash::Add(std::string_view bytes) {
    m_size += static_cast<std::int64_t>(bytes.size());
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0 && m_pendingBytes > 0) {
        m_pending[m_pendingBytes++] = static_cast<unsigned char>(*p++);
        --left;
        if (m_pendingBytes == sizeof m_pending) {
            std::uint64_t word = 0;
            std::memcpy(&word, m_pending, sizeof word);
            Mix(word);
            m_pendingBytes = 0;
        }
    }
    for (; left >= 8; p += 8, left -= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        Mix(word);
    }
    for (; left > 0; --left) m_pending[m_pendingBytes++] = static_cast<unsigned char>(*p++);
}

std::size_t ByteHash::Value() const {
    ByteHash last = *this;
    std::uint64_t tail = 0;
    std::memcpy(&tail, m_pending, m_pendingBytes);
    last.Mix(tail);
    last.Mix(static_cast<std::uint64_t>(m_size));
    return static_cast<std::size_t>(last.m_state);
}

FileStamp StampFile(const std::string& path, std::string_view bytes) {
    ByteHash hash;
    hash.Add(bytes);
    return StampFile(path, hash);
}

FileStamp StampFile(const std::string& path, const ByteHash& hash) {
    FileStamp stamp;
    stamp.path = path;
    stamp.size = hash.Size();
    std::int64_t size = 0;
    if (!StatFile(path, size, stamp.modifiedNs)) stamp.modifiedNs = -1;
    stamp.hash = hash.Value();
    return stamp;
}

bool ChangedSince(const FileStamp& stamp) {
    if (stamp.path.empty()) return false;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    if (!StatFile(stamp.path, size, modifiedNs)) return false;
    if (size != stamp.size) return true;
    if (modifiedNs == stamp.modifiedNs) return false;
    // Same size, other time: only the bytes tell, read a piece at a time.
    QFile file(FromLocalPath(stamp.path));
    if (!file.open(QIODevice::ReadOnly)) return false;
    ByteHash hash;
    std::vector<char> piece(256 * 1024);
    for (;;) {
        const qint64 n = file.read(piece.data(), static_cast<qint64>(piece.size()));
        if (n < 0) return false;
        if (n == 0) break;
        hash.Add(std::string_view(piece.data(), static_cast<std::size_t>(n)));
    }
    return hash.Value() != stamp.hash;
}

}  // namespace tallymo
