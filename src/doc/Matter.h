#pragma once
// Income and outgo matters (事柄) and the booked entries that refer to them.

#include <cstdint>
#include <memory>
#include <vector>

#include "doc/Cp932Text.h"
#include "doc/TimeValue.h"

namespace tallymo {

// The memo of an entry (CP932): nearly always empty, so it costs one pointer until it holds
// text. This keeps an entry at 24 bytes, which matters for ledgers of a million entries.
class MemoText {
public:
    MemoText() = default;
    MemoText(Cp932Text text)  // NOLINT: a memo is a ledger text, only kept more compactly
        : m_text(text.empty() ? nullptr : std::make_unique<Cp932Text>(std::move(text))) {}
    MemoText(const MemoText& other) : MemoText(other.Text()) {}
    MemoText(MemoText&&) noexcept = default;
    MemoText& operator=(const MemoText& other) {
        if (this != &other) *this = MemoText(other);
        return *this;
    }
    MemoText& operator=(MemoText&&) noexcept = default;

    const Cp932Text& Text() const { return m_text ? *m_text : Empty(); }
    std::size_t size() const { return Text().size(); }
    bool empty() const { return !m_text; }
    std::size_t HeapBytes() const { return m_text ? sizeof(Cp932Text) + m_text->capacity() : 0; }

    friend bool operator==(const MemoText& a, const MemoText& b) { return a.Text() == b.Text(); }

private:
    static const Cp932Text& Empty() {
        static const Cp932Text empty;
        return empty;
    }
    std::unique_ptr<Cp932Text> m_text;
};
static_assert(sizeof(MemoText) == sizeof(void*));

// One booked amount. `matter` is the global matter index: income matters first, then outgo.
struct LedgerEntry {
    TimeValue date = 0;  // the day, at local 00:00:00
    std::int32_t matter = 0;
    std::int32_t amount = 0;  // whole yen
    MemoText memo;            // carried in the file, never shown

    bool operator==(const LedgerEntry&) const = default;
};

// Which matter a record is, whatever position it holds: every matter created gets a new one,
// a copy or a move keeps it. Editors refer to matters by it while positions shift.
using MatterId = std::uint64_t;
inline constexpr MatterId kNoMatterId = 0;

class Matter {
public:
    Matter() : m_id(NewId()) {}
    Matter(Cp932Text name, std::uint16_t cellWidth, bool visible)
        : m_name(std::move(name)), m_cellWidth(cellWidth), m_visible(visible), m_id(NewId()) {}
    Matter(const Matter&) = default;
    Matter& operator=(const Matter&) = default;
    Matter(Matter&&) = default;
    Matter& operator=(Matter&&) = default;

    const Cp932Text& Name() const { return m_name; }
    std::uint16_t CellWidth() const { return m_cellWidth; }  // twips
    bool IsVisible() const { return m_visible; }
    MatterId Id() const { return m_id; }

    void SetName(Cp932Text name) { m_name = std::move(name); }
    void SetCellWidth(std::uint16_t twips) { m_cellWidth = twips; }
    void SetVisible(bool visible) { m_visible = visible; }

    // Compares what a matter holds; the identity plays no part.
    bool operator==(const Matter& other) const {
        return m_name == other.m_name && m_cellWidth == other.m_cellWidth &&
               m_visible == other.m_visible;
    }

private:
    Cp932Text m_name;
    std::uint16_t m_cellWidth = 900;
    bool m_visible = true;
    MatterId m_id;

    static MatterId NewId();
};

using MatterList = std::vector<Matter>;
using MatterIndex = std::int32_t;

// Cell width of matters created by the user or read from a Ver.1 file.
inline constexpr std::uint16_t kNewMatterCellWidth = 900;

}  // namespace tallymo
