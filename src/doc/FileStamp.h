#pragma once
// What a ledger file was when this program last read or wrote it (size, modification time and
// a hash of its bytes), so that a change made behind the program's back is noticed before the
// program writes over it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallymo {

struct FileStamp {
    std::string path;  // empty: no file known
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;
    std::size_t hash = 0;
};

// The file at `path` as it is now on disk, whose bytes are `bytes`.
FileStamp StampFile(const std::string& path, std::string_view bytes);

// True when the file at the stamp's path now holds other bytes. A file that is gone, or that
// was only touched or copied over with the same bytes, has not changed.
bool ChangedSince(const FileStamp& stamp);

}  // namespace tallymo
