#pragma once
// Income and outgo matters (事柄) and the booked entries that refer to them.

#include <cstdint>
#include <string>
#include <vector>

#include "doc/TimeValue.h"

namespace tallymo {

// One booked amount. `matter` is the global matter index: income matters first, then outgo.
struct LedgerEntry {
    TimeValue date = 0;  // the day, at local 00:00:00
    std::int32_t matter = 0;
    std::int32_t amount = 0;  // whole yen
    std::string memo;         // CP932; carried in the file, never shown

    bool operator==(const LedgerEntry&) const = default;
};

class Matter {
public:
    Matter() = default;
    Matter(std::string name, std::uint16_t cellWidth, bool visible)
        : m_name(std::move(name)), m_cellWidth(cellWidth), m_visible(visible) {}
    virtual ~Matter() = default;
    Matter(const Matter&) = default;
    Matter& operator=(const Matter&) = default;
    Matter(Matter&&) = default;
    Matter& operator=(Matter&&) = default;

    const std::string& Name() const { return m_name; }  // CP932
    std::uint16_t CellWidth() const { return m_cellWidth; }  // twips
    bool IsVisible() const { return m_visible; }

    void SetName(std::string name) { m_name = std::move(name); }
    void SetCellWidth(std::uint16_t twips) { m_cellWidth = twips; }
    void SetVisible(bool visible) { m_visible = visible; }

    bool operator==(const Matter& other) const {
        return m_name == other.m_name && m_cellWidth == other.m_cellWidth &&
               m_visible == other.m_visible;
    }

private:
    std::string m_name;
    std::uint16_t m_cellWidth = 900;
    bool m_visible = true;
};

using MatterList = std::vector<Matter>;
using MatterIndex = std::int32_t;

// Cell width of matters created by the user or read from a Ver.1 file.
inline constexpr std::uint16_t kNewMatterCellWidth = 900;

}  // namespace tallymo
