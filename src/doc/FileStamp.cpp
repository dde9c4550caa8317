#include "doc/FileStamp.h"

#include <sys/stat.h>

#include <QFile>
#include <algorithm>
#include <cstring>
#include <vector>

#include "doc/ByteSink.h"
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

std::uint64_t Mixed(std::uint64_t state, std::uint64_t word) {
    state ^= word;
    state *= 0x9E3779B97F4A7C15u;
    return state ^ (state >> 29);
}

}  // namespace

void ByteHash::AddBlock(const char* block) {
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        std::uint64_t word = 0;
        std::memcpy(&word, block + 8 * lane, sizeof word);
        m_lanes[lane] = Mixed(m_lanes[lane], word);
    }
}

void ByteHash::Add(std::string_view bytes) {
    m_size += static_cast<std::int64_t>(bytes.size());
    if (m_pendingBytes > 0 && !bytes.empty()) {
        const std::size_t taken = std::min(bytes.size(), kBlockBytes - m_pendingBytes);
        std::memcpy(m_pending + m_pendingBytes, bytes.data(), taken);
        m_pendingBytes += taken;
        bytes.remove_prefix(taken);
        if (m_pendingBytes < kBlockBytes) return;
        AddBlock(m_pending);
        m_pendingBytes = 0;
    }
    for (; bytes.size() >= kBlockBytes; bytes.remove_prefix(kBlockBytes)) AddBlock(bytes.data());
    if (!bytes.empty()) std::memcpy(m_pending, bytes.data(), bytes.size());
    m_pendingBytes = bytes.size();
}

std::size_t ByteHash::Value() const {
    ByteHash last = *this;
    if (m_pendingBytes > 0) {  // the last block padded with zeros; the size tells them apart
        std::memset(last.m_pending + m_pendingBytes, 0, kBlockBytes - m_pendingBytes);
        last.AddBlock(last.m_pending);
    }
    std::uint64_t value = static_cast<std::uint64_t>(m_size);
    for (const std::uint64_t lane : last.m_lanes) value = Mixed(value, lane);
    return static_cast<std::size_t>(Mixed(value, 0));
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
    std::vector<char> piece(kFilePieceBytes);
    for (;;) {
        const qint64 n = file.read(piece.data(), static_cast<qint64>(piece.size()));
        if (n < 0) return false;
        if (n == 0) break;
        hash.Add(std::string_view(piece.data(), static_cast<std::size_t>(n)));
    }
    return hash.Value() != stamp.hash;
}

}  // namespace tallymo
