#include "doc/LedgerIndex.h"

#include <algorithm>
#include <utility>

namespace tallymo {
namespace {

struct ByDate {
    template <typename Cell>
    bool operator()(const Cell& cell, TimeValue date) const {
        return cell.date < date;
    }
    template <typename Cell>
    bool operator()(TimeValue date, const Cell& cell) const {
        return date < cell.date;
    }
};

std::uint32_t SignedNet(const LedgerEntry& entry, int incomeCount) {
    const auto amount = static_cast<std::uint32_t>(entry.amount);
    return entry.matter < incomeCount ? amount : 0u - amount;
}

}  // namespace

void LedgerIndex::SortByDate(Cells& cells) {
    if (cells.size() < 4096) {
        std::sort(cells.begin(), cells.end(),
                  [](const Cell& a, const Cell& b) { return a.date < b.date; });
        return;
    }
    // Many cells out of order (a file of shuffled bookings): two stable counting passes over
    // 16 bits of the date each cost far less than a comparison sort.
    auto key = [](const Cell& cell) { return static_cast<std::uint32_t>(cell.date) ^ 0x80000000u; };
    Cells scratch(cells.size());
    std::vector<std::size_t> starts(65537);
    for (const int shift : {0, 16}) {
        Cells& from = shift == 0 ? cells : scratch;
        Cells& to = shift == 0 ? scratch : cells;
        std::fill(starts.begin(), starts.end(), 0);
        for (const Cell& cell : from) ++starts[((key(cell) >> shift) & 0xFFFF) + 1];
        for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
        for (const Cell& cell : from) to[starts[(key(cell) >> shift) & 0xFFFF]++] = cell;
    }
}

void LedgerIndex::AddTo(Cells& cells, TimeValue date, std::uint32_t amount) {
    // Bookings mostly go to recent days, so try the end before searching.
    if (cells.empty() || cells.back().date < date) {
        cells.push_back(Cell{date, amount, 1});
        return;
    }
    const auto at = std::lower_bound(cells.begin(), cells.end(), date, ByDate{});
    if (at != cells.end() && at->date == date) {
        at->sum += amount;
        ++at->count;
    } else {
        cells.insert(at, Cell{date, amount, 1});
    }
}

void LedgerIndex::RemoveFrom(Cells& cells, TimeValue date, std::uint32_t amount) {
    const auto at = std::lower_bound(cells.begin(), cells.end(), date, ByDate{});
    if (at == cells.end() || at->date != date) return;
    at->sum -= amount;
    if (--at->count == 0) cells.erase(at);
}

void LedgerIndex::Rebuild(const std::vector<LedgerEntry>& entries, int matterCount,
                          int incomeCount) {
    // One pass: entries mostly come in date order (files are written in booking order). The
    // entries of one date in a row are summed per matter first; each sum then goes onto the
    // end of its matter's cells, or into the last cell when that has the same date. Only a
    // matter that met an earlier date afterwards is sorted and folded once at the end. Sums
    // wrap the same in any order of addition.
    const std::size_t matters = static_cast<std::size_t>(std::max(matterCount, 0));
    m_byMatter.assign(matters, Cells{});
    m_net.clear();
    std::vector<char> unordered(matters, 0);
    char netUnordered = 0;
    auto append = [](Cells& cells, const Cell& cell, char& outOfOrder) {
        if (!cells.empty()) {
            Cell& last = cells.back();
            if (last.date == cell.date) {
                last.sum += cell.sum;
                last.count += cell.count;
                return;
            }
            if (cell.date < last.date) outOfOrder = 1;
        }
        cells.push_back(cell);
    };
    std::vector<Cell> run(matters, Cell{0, 0, 0});  // the current date's sums per matter
    // The matters met on it, in order; one slot more, written but not counted once all are met.
    std::vector<std::size_t> inRun(matters + 1);
    std::size_t inRunCount = 0;
    Cell net{entries.empty() ? 0 : entries.front().date, 0, 0};
    auto endRun = [&] {
        for (std::size_t i = 0; i < inRunCount; ++i) {
            Cell& cell = run[inRun[i]];
            cell.date = net.date;
            append(m_byMatter[inRun[i]], cell, unordered[inRun[i]]);
            cell = Cell{0, 0, 0};
        }
        inRunCount = 0;
        append(m_net, net, netUnordered);
    };
    for (const LedgerEntry& entry : entries) {
        if (entry.date != net.date) {
            endRun();
            net = Cell{entry.date, 0, 0};
        }
        if (entry.matter >= 0 && entry.matter < matterCount) {
            const auto m = static_cast<std::size_t>(entry.matter);
            Cell& cell = run[m];
            inRun[inRunCount] = m;
            inRunCount += cell.count == 0 ? 1 : 0;
            cell.sum += static_cast<std::uint32_t>(entry.amount);
            ++cell.count;
        }
        net.sum += SignedNet(entry, incomeCount);
        ++net.count;
    }
    if (!entries.empty()) endRun();
    auto settle = [](Cells& cells, bool outOfOrder) {
        if (outOfOrder) {
            SortByDate(cells);
            std::size_t kept = 0;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (kept > 0 && cells[kept - 1].date == cells[i].date) {
                    cells[kept - 1].sum += cells[i].sum;
                    cells[kept - 1].count += cells[i].count;
                } else {
                    cells[kept++] = cells[i];
                }
            }
            cells.resize(kept);
        }
        cells.shrink_to_fit();
    };
    for (std::size_t m = 0; m < matters; ++m) settle(m_byMatter[m], unordered[m] != 0);
    settle(m_net, netUnordered != 0);
    m_prefixValid = false;
    m_valid = true;
}

void LedgerIndex::Add(const LedgerEntry& entry, int incomeCount) {
    if (!m_valid) return;
    if (entry.matter >= 0 && static_cast<std::size_t>(entry.matter) < m_byMatter.size()) {
        AddTo(m_byMatter[static_cast<std::size_t>(entry.matter)], entry.date,
              static_cast<std::uint32_t>(entry.amount));
    }
    AddTo(m_net, entry.date, SignedNet(entry, incomeCount));
    m_prefixValid = false;
}

void LedgerIndex::Remove(const LedgerEntry& entry, int incomeCount) {
    if (!m_valid) return;
    if (entry.matter >= 0 && static_cast<std::size_t>(entry.matter) < m_byMatter.size()) {
        RemoveFrom(m_byMatter[static_cast<std::size_t>(entry.matter)], entry.date,
                   static_cast<std::uint32_t>(entry.amount));
    }
    RemoveFrom(m_net, entry.date, SignedNet(entry, incomeCount));
    m_prefixValid = false;
}

void LedgerIndex::InsertMatterSlot(MatterIndex at) {
    if (!m_valid) return;
    m_byMatter.insert(m_byMatter.begin() + at, Cells{});
}

void LedgerIndex::EraseMatterSlot(MatterIndex at) {
    if (!m_valid) return;
    m_byMatter.erase(m_byMatter.begin() + at);
}

void LedgerIndex::SwapMatterSlots(MatterIndex a, MatterIndex b) {
    if (!m_valid) return;
    std::swap(m_byMatter[static_cast<std::size_t>(a)], m_byMatter[static_cast<std::size_t>(b)]);
}

const LedgerIndex::Cells* LedgerIndex::CellsOf(MatterIndex matter) const {
    if (matter < 0 || static_cast<std::size_t>(matter) >= m_byMatter.size()) return nullptr;
    return &m_byMatter[static_cast<std::size_t>(matter)];
}

std::int32_t LedgerIndex::DayAmount(TimeValue date, MatterIndex matter) const {
    const Cells* cells = CellsOf(matter);
    if (!cells) return 0;
    const auto at = std::lower_bound(cells->begin(), cells->end(), date, ByDate{});
    return (at != cells->end() && at->date == date) ? static_cast<std::int32_t>(at->sum) : 0;
}

std::uint32_t LedgerIndex::DayCount(TimeValue date, MatterIndex matter) const {
    const Cells* cells = CellsOf(matter);
    if (!cells) return 0;
    const auto at = std::lower_bound(cells->begin(), cells->end(), date, ByDate{});
    return (at != cells->end() && at->date == date) ? at->count : 0;
}

std::int32_t LedgerIndex::RangeSum(MatterIndex matter, TimeValue lo, TimeValue hi) const {
    const Cells* cells = CellsOf(matter);
    if (!cells) return 0;
    std::uint32_t sum = 0;
    for (auto at = std::lower_bound(cells->begin(), cells->end(), lo, ByDate{});
         at != cells->end() && at->date <= hi; ++at) {
        sum += at->sum;
    }
    return static_cast<std::int32_t>(sum);
}

std::int32_t LedgerIndex::RangeCount(MatterIndex matter, TimeValue lo, TimeValue hi) const {
    const Cells* cells = CellsOf(matter);
    if (!cells) return 0;
    std::uint32_t count = 0;
    for (auto at = std::lower_bound(cells->begin(), cells->end(), lo, ByDate{});
         at != cells->end() && at->date <= hi; ++at) {
        count += at->count;
    }
    return static_cast<std::int32_t>(count);
}

void LedgerIndex::EnsurePrefix() const {
    if (m_prefixValid) return;
    m_prefix.resize(m_net.size());
    std::uint32_t running = 0;
    for (std::size_t i = 0; i < m_net.size(); ++i) {
        running += m_net[i].sum;
        m_prefix[i] = running;
    }
    m_prefixValid = true;
}

std::int32_t LedgerIndex::NetThrough(TimeValue date) const {
    EnsurePrefix();
    const auto after = std::upper_bound(m_net.begin(), m_net.end(), date, ByDate{});
    if (after == m_net.begin()) return 0;
    return static_cast<std::int32_t>(m_prefix[static_cast<std::size_t>(after - m_net.begin()) - 1]);
}

TimeValue LedgerIndex::FirstDate() const {
    return m_net.empty() ? 0 : m_net.front().date;
}
TimeValue LedgerIndex::LastDate() const {
    return m_net.empty() ? 0 : m_net.back().date;
}

std::size_t LedgerIndex::MemoryBytes() const {
    std::size_t bytes = m_byMatter.capacity() * sizeof(Cells);
    for (const Cells& cells : m_byMatter) bytes += cells.capacity() * sizeof(Cell);
    bytes += m_net.capacity() * sizeof(Cell) + m_prefix.capacity() * sizeof(std::uint32_t);
    return bytes;
}

}  // namespace tallymo
