#include "app/RecentFileList.h"

#include <algorithm>

#include "doc/SettingsStore.h"
#include "doc/TextCodec.h"

namespace tallymo {
namespace {

std::string EntryName(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

RecentFileList::RecentFileList(std::size_t capacity)
    : m_capacity(std::max<std::size_t>(1, capacity)) {}

void RecentFileList::Read(const SettingsStore& store) {
    m_entries.clear();
    for (std::size_t i = 0; i < m_capacity; ++i) {
        const auto stored = store.ReadString(kRecentFileSection, EntryName(i));
        if (!stored || stored->empty()) continue;
        const auto path = Cp932ToUtf8Strict(*stored);
        if (!path || path->empty()) continue;
        if (std::find(m_entries.begin(), m_entries.end(), *path) != m_entries.end()) continue;
        m_entries.push_back(*path);
    }
}

void RecentFileList::Write(SettingsStore& store) const {
    std::size_t slot = 0;
    for (const std::string& path : m_entries) {
        // A name the store's code page cannot hold is kept for this run only.
        const auto cp932 = Utf8ToCp932(path);
        if (!cp932) continue;
        store.WriteString(kRecentFileSection, EntryName(slot++), *cp932);
    }
    for (; slot < m_capacity; ++slot)
        store.WriteString(kRecentFileSection, EntryName(slot), Cp932Text());
}

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    const auto found = std::find(m_entries.begin(), m_entries.end(), path);
    if (found != m_entries.end()) m_entries.erase(found);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > m_capacity) m_entries.resize(m_capacity);
}

void RecentFileList::Remove(std::size_t index) {
    if (index < m_entries.size()) m_entries.erase(m_entries.begin() + static_cast<long>(index));
}

std::string RecentFileList::MenuText(std::size_t index) const {
    if (index >= m_entries.size()) return {};
    std::string text = "&";
    text.append(std::to_string(index + 1));
    text.push_back(' ');
    // A "&" in the path is shown as itself, not as the mark of a mnemonic.
    for (const char c : AbbreviatePath(m_entries[index], kRecentFileDisplayLength)) {
        if (c == '&') text.push_back('&');
        text.push_back(c);
    }
    return text;
}

std::string AbbreviatePath(std::string_view path, std::size_t maxChars) {
    if (CodePoints(path) <= maxChars) return std::string(path);
    const std::size_t lastSlash = path.rfind('/');
    if (lastSlash == std::string_view::npos) return std::string(path);
    const std::string_view fileName = path.substr(lastSlash + 1);
    const std::string root = path.front() == '/' ? "/" : "";
    const std::string ellipsis = "...";

    // Keep as many trailing folders as fit after "/.../".
    std::string tail(path.substr(lastSlash));  // "/name"
    if (root.size() + ellipsis.size() + CodePoints(tail) > maxChars) {
        return std::string(fileName);
    }
    std::size_t cut = lastSlash;
    while (cut > root.size()) {
        const std::size_t previous = path.rfind('/', cut - 1);
        if (previous == std::string_view::npos || previous < root.size()) break;
        const std::string_view longer = path.substr(previous);
        if (root.size() + ellipsis.size() + CodePoints(longer) > maxChars) break;
        tail = std::string(longer);
        cut = previous;
    }
    return root + ellipsis + tail;
}

}  // namespace tallymo
