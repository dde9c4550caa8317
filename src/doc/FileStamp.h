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

// A hash of a file's bytes taken a piece at a time: the same bytes give the same value however
// they are cut into pieces, so a file read or written in pieces needs no whole copy to stamp.
class ByteHash {
public:
    void Add(std::string_view bytes);
    std::size_t Value() const;
    std::int64_t Size() const { return m_size; }

private:
    void Mix(std::uint64_t word);

    std::uint64_t m_state = 0x243F6A8885A308D3u;
    std::int64_t m_size = 0;
    unsigned char m_pending[8] = {};  // the bytes of a word not yet complete
    std::size_t m_pendingBytes = 0;
};

// The file at `path` as it is now on disk, whose bytes are `bytes`.
FileStamp StampFile(const std::string& path, std::string_view bytes);
// The same, the bytes having been given to `hash`.
FileStamp StampFile(const std::string& path, const ByteHash& hash);

// True when the file at the stamp's path now holds other bytes. A file that is gone, or that
// was only touched or copied over with the same bytes, has not changed.
bool ChangedSince(const FileStamp& stamp);

}  // namespace tallymo
