#pragma once
// The recently used ledgers, most recent first, kept in the settings section
// "Recent File List" as "File1", "File2", ... The File menu shows them; the start can reopen the
// first one. Paths are local file names (UTF-8 on this platform); the store keeps CP932 text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tallymo {

class SettingsStore;

inline constexpr std::string_view kRecentFileSection = "Recent File List";
inline constexpr std::size_t kRecentFilesInMenu = 4;
inline constexpr std::size_t kRecentFileDisplayLength = 30;

class RecentFileList {
public:
    explicit RecentFileList(std::size_t capacity = kRecentFilesInMenu);

    // Replaces the list with the stored one (vacant and unreadable entries are skipped).
    void Read(const SettingsStore& store);
    // Writes every slot: vacant slots are written empty so that an old entry cannot come back.
    void Write(SettingsStore& store) const;

    // Puts a path first; a path already in the list moves up instead of appearing twice.
    void Add(const std::string& path);
    void Remove(std::size_t index);

    const std::vector<std::string>& Entries() const { return m_entries; }
    bool Empty() const { return m_entries.empty(); }
    std::size_t Capacity() const { return m_capacity; }
    std::string First() const { return m_entries.empty() ? std::string() : m_entries.front(); }

    // The menu text of entry `index`: "&1 " and the path shortened to the display length, its
    // own "&" doubled.
    std::string MenuText(std::size_t index) const;

private:
    std::size_t m_capacity;
    std::vector<std::string> m_entries;
};

// Shortens a path to at most `maxChars` characters (UTF-8 code points) by replacing folders
// after the root with "...", keeping the file name and as many of the last folders as fit
// ("/.../money/2024.tm2"). A file name that alone is too long is shown alone.
std::string AbbreviatePath(std::string_view path, std::size_t maxChars);

}  // namespace tallymo
