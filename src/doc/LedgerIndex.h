#pragma once
// Sums of the entry sequence by matter and day, and the running net total by date, kept in
// step with the sequence so that the document's queries need not walk every entry. The entry
// sequence stays the one truth: the index can always be rebuilt from it, and its answers equal
// those of a walk over the sequence, 32-bit wrap-around included.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "doc/Matter.h"

namespace tallymo {

class LedgerIndex {
public:
    // Forgets everything; the next query rebuilds from the sequence.
    void Invalidate() { m_valid = false; }
    bool IsValid() const { return m_valid; }
    void Rebuild(const std::vector<LedgerEntry>& entries, int matterCount, int incomeCount);

    // Incremental upkeep; each does nothing while the index is invalid.
    void Add(const LedgerEntry& entry, int incomeCount);
    void Remove(const LedgerEntry& entry, int incomeCount);
    void InsertMatterSlot(MatterIndex at);
    void EraseMatterSlot(MatterIndex at);  // the matter's entries must be removed first
    void SwapMatterSlots(MatterIndex a, MatterIndex b);

    std::int32_t DayAmount(TimeValue date, MatterIndex matter) const;
    std::uint32_t DayCount(TimeValue date, MatterIndex matter) const;
    std::int32_t RangeSum(MatterIndex matter, TimeValue lo, TimeValue hi) const;
    std::int32_t RangeCount(MatterIndex matter, TimeValue lo, TimeValue hi) const;
    std::int32_t NetThrough(TimeValue date) const;
    TimeValue FirstDate() const;
    TimeValue LastDate() const;

    std::size_t MemoryBytes() const;

private:
    struct Cell {
        TimeValue date;
        std::uint32_t sum;    // wraps like the 32-bit sums of the walk
        std::uint32_t count;  // entries in the cell
    };
    using Cells = std::vector<Cell>;  // sorted by date, no empty cells

    static void SortByDate(Cells& cells);
    static void AddTo(Cells& cells, TimeValue date, std::uint32_t amount);
    static void RemoveFrom(Cells& cells, TimeValue date, std::uint32_t amount);
    const Cells* CellsOf(MatterIndex matter) const;
    void EnsurePrefix() const;

    bool m_valid = false;
    std::vector<Cells> m_byMatter;
    Cells m_net;                                  // income added, outgo subtracted
    mutable std::vector<std::uint32_t> m_prefix;  // m_prefix[i] = net sum of m_net[0..i]
    mutable bool m_prefixValid = false;
};

}  // namespace tallymo
