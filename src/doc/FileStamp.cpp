#include "doc/FileStamp.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <functional>

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

FileStamp StampFile(const std::string& path, std::string_view bytes) {
    FileStamp stamp;
    stamp.path = path;
    stamp.size = static_cast<std::int64_t>(bytes.size());
    std::int64_t size = 0;
    if (!StatFile(path, size, stamp.modifiedNs)) stamp.modifiedNs = -1;
    stamp.hash = std::hash<std::string_view>{}(bytes);
    return stamp;
}

bool ChangedSince(const FileStamp& stamp) {
    if (stamp.path.empty()) return false;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    if (!StatFile(stamp.path, size, modifiedNs)) return false;
    if (size != stamp.size) return true;
    if (modifiedNs == stamp.modifiedNs) return false;
    // Same size, other time: only the bytes tell.
    QFile file(QFile::decodeName(QByteArray::fromStdString(stamp.path)));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    return std::hash<std::string_view>{}(std::string_view(
               bytes.constData(), static_cast<std::size_t>(bytes.size()))) != stamp.hash;
}

}  // namespace tallymo
