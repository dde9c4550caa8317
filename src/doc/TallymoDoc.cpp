#include "doc/TallymoDoc.h"

#include <algorithm>
#include <new>
#include <utility>

#include "doc/PeriodArithmetic.h"

namespace tallymo {
namespace {

UserMessage BookFailedMessage() {
    return {"データが設定できません。メモリが不足している可能性があります。", 3410,
            MessageIcon::None};
}

UserMessage MatterFatalMessage() {
    return {"事柄処理で致命的なエラーが発生しました。", 3210, MessageIcon::None};
}

// Room for `more` elements, so that what follows cannot fail half-way. Grows by half when short:
// an exact reserve would move the whole sequence again on every later step.
template <typename T>
void ReserveMore(std::vector<T>& items, std::size_t more) {
    const std::size_t needed = items.size() + more;
    if (needed <= items.capacity()) return;
    items.reserve(std::max(needed, items.size() + items.size() / 2 + 16));
}

}  // namespace

CTallymoDoc::CTallymoDoc(SettingsStore& store, const Clock& clock)
    : m_store(store), m_clock(clock) {
    InitNewLedger();
}

CTallymoDoc::~CTallymoDoc() = default;

// --- wiring -----------------------------------------------------------------------------

void CTallymoDoc::Report(const UserMessage& message) const {
    if (m_messageHandler) m_messageHandler(message);
}

int CTallymoDoc::AddRefreshListener(std::function<void()> listener) {
    const int id = m_nextListenerId++;
    m_refreshListeners.emplace_back(id, std::move(listener));
    return id;
}

void CTallymoDoc::RemoveRefreshListener(int id) {
    std::erase_if(m_refreshListeners, [id](const auto& item) { return item.first == id; });
}

void CTallymoDoc::RefreshLedgerView() const {
    // Copy first: a listener may add or remove listeners while it runs.
    const auto listeners = m_refreshListeners;
    for (const auto& [id, listener] : listeners) listener();
}

// --- framework state --------------------------------------------------------------------

void CTallymoDoc::DeleteContents() {
    m_income.clear();
    m_outgo.clear();
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_redo.clear();
    m_overwrites.clear();
    m_index.Invalidate();
}

void CTallymoDoc::ReplaceContents(LedgerContents contents) {
    m_settings = contents.settings;
    m_income = std::move(contents.income);
    m_outgo = std::move(contents.outgo);
    m_entries = std::move(contents.entries);
    m_redo.clear();
    m_redo.shrink_to_fit();
    m_overwrites.clear();  // an undo must never bring back entries of the replaced ledger
    m_index.Invalidate();
}

void LedgerContents::SetMatterLists(MatterList incomeList, MatterList outgoList) {
    income = std::move(incomeList);
    outgo = std::move(outgoList);
    entries.clear();
}

bool LedgerContents::AppendLoadedEntry(LedgerEntry entry) {
    if (entry.matter < 0 || entry.matter >= MatterCount()) return false;
    entries.push_back(std::move(entry));
    return true;
}

void CTallymoDoc::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_diskStamp = {};
    m_modified = false;
    InitNewLedger();
}

void CTallymoDoc::SetShowProjection(bool flag) {
    if (flag != m_settings.ShowProjection) m_modified = true;
    m_settings.ShowProjection = flag;
}

void CTallymoDoc::SetSettings(const LedgerSettings& settings) {
    if (!(settings == m_settings)) m_modified = true;
    m_settings = settings;
}

void CTallymoDoc::SetShowType(ShowTypeKind kind) {
    const auto value = static_cast<std::int32_t>(kind);
    if (value != m_settings.ShowType) m_modified = true;
    m_settings.ShowType = value;
}

// --- matters ----------------------------------------------------------------------------

int CTallymoDoc::ListCount(bool income, int cap) const {
    const int count = income ? IncomeCount() : static_cast<int>(m_outgo.size());
    return (cap != 0 && count > cap) ? cap : count;
}

int CTallymoDoc::VisibleMatterCount() const {
    return VisibleListCount(true) + VisibleListCount(false);
}

int CTallymoDoc::VisibleListCount(bool income, int cap) const {
    const MatterList& list = income ? m_income : m_outgo;
    const int count = static_cast<int>(
        std::count_if(list.begin(), list.end(), [](const Matter& m) { return m.IsVisible(); }));
    return (cap != 0 && count > cap) ? cap : count;
}

const Matter* CTallymoDoc::GetMatter(MatterIndex index) const {
    if (index < 0 || index >= MatterCount()) return nullptr;
    return index < IncomeCount() ? &m_income[static_cast<std::size_t>(index)]
                                 : &m_outgo[static_cast<std::size_t>(index - IncomeCount())];
}

Matter* CTallymoDoc::GetMatter(MatterIndex index) {
    return const_cast<Matter*>(std::as_const(*this).GetMatter(index));
}

bool CTallymoDoc::IsMatterVisible(MatterIndex index) const {
    const Matter* matter = GetMatter(index);
    return matter && matter->IsVisible();
}

MatterIndex CTallymoDoc::VisibleMatterIndex(int n) const {
    int seen = 0;
    for (MatterIndex index = 0; index < MatterCount(); ++index) {
        if (IsMatterVisible(index) && ++seen == n + 1) return index;
    }
    return MatterCount() - 1;
}

MatterList& CTallymoDoc::ListOf(MatterIndex index) {
    return index < IncomeCount() ? m_income : m_outgo;
}

void CTallymoDoc::RenumberHeldEntries(const std::function<bool(LedgerEntry&)>& renumber) {
    // Entries waiting for redo or for an undo to put them back follow their matters like the
    // booked ones; an entry whose matter is gone is dropped, so neither can ever bring back an
    // entry under another matter.
    std::erase_if(m_redo, [&](RedoStep& step) { return !renumber(step.entry); });
    for (OverwriteStep& step : m_overwrites) {
        std::erase_if(step.removed, [&](auto& placed) { return !renumber(placed.second); });
        LedgerEntry cell{step.date, step.matter, 0, {}};
        if (renumber(cell)) step.matter = cell.matter;
    }
}

void CTallymoDoc::ForgetInHeldOverwrites(const std::function<bool(const LedgerEntry&)>& leaves) {
    if (m_overwrites.empty()) return;
    // The places a held overwrite gives its entries back to are places in the sequence as it
    // stood before that overwrite. Replay the overwrites backwards over a picture of the
    // sequence that only tells which entries leave, and count each place and length anew
    // without them.
    std::vector<char> picture(m_entries.size());
    bool any = false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) any |= (picture[i] = leaves(m_entries[i]));
    for (const OverwriteStep& step : m_overwrites) {
        for (const auto& placed : step.removed) any |= leaves(placed.second);
    }
    if (!any) return;
    auto leavingBefore = [&picture](std::size_t end) {
        return static_cast<std::size_t>(std::count(
            picture.begin(),
            picture.begin() + static_cast<std::ptrdiff_t>(std::min(end, picture.size())), char{1}));
    };
    for (auto step = m_overwrites.rbegin(); step != m_overwrites.rend(); ++step) {
        picture.resize(std::min(step->endSize, picture.size()));
        const std::size_t endSize = picture.size() - leavingBefore(picture.size());
        if (step->appended && !picture.empty()) {
            if (picture.back()) step->appended = false;  // the new entry itself leaves
            picture.pop_back();
        }
        PlacedEntries kept;
        for (auto& [place, entry] : step->removed) {
            const bool gone = leaves(entry);
            const std::size_t at = std::min(place, picture.size());
            const std::size_t newPlace = at - leavingBefore(at);
            picture.insert(picture.begin() + static_cast<std::ptrdiff_t>(at), gone ? 1 : 0);
            if (!gone) kept.emplace_back(newPlace, std::move(entry));
        }
        step->removed = std::move(kept);
        step->endSize = endSize;
    }
    // A step with nothing left to take off or give back is no step any more.
    std::erase_if(m_overwrites,
                  [](const OverwriteStep& step) { return step.removed.empty() && !step.appended; });
}

void CTallymoDoc::InsertMatter(int position, Cp932Text name, bool income, bool visible) {
    try {
        MatterList& list = income ? m_income : m_outgo;
        position = std::clamp(position, 0, static_cast<int>(list.size()));
        const MatterIndex first = income ? position : IncomeCount() + position;
        list.insert(list.begin() + position, Matter(std::move(name), kNewMatterCellWidth, visible));
        auto shift = [first](LedgerEntry& entry) {
            if (entry.matter >= first) ++entry.matter;
            return true;
        };
        for (LedgerEntry& entry : m_entries) shift(entry);
        RenumberHeldEntries(shift);
        m_index.InsertMatterSlot(first);
    } catch (const std::bad_alloc&) {
        m_index.Invalidate();
        Report(MatterFatalMessage());
    }
}

void CTallymoDoc::ModifyMatter(MatterIndex index, Cp932Text name, bool visible) {
    Matter* matter = GetMatter(index);
    if (!matter) {
        Report(MatterFatalMessage());
        return;
    }
    matter->SetName(std::move(name));
    if (matter->IsVisible() != visible) m_modified = true;
    matter->SetVisible(visible);
}

void CTallymoDoc::DeleteMatter(MatterIndex index) {
    if (index < 0 || index >= MatterCount()) {
        Report(MatterFatalMessage());
        return;
    }
    const int incomeCount = IncomeCount();
    ForgetInHeldOverwrites([index](const LedgerEntry& entry) { return entry.matter == index; });
    std::erase_if(m_entries, [&](const LedgerEntry& entry) {
        if (entry.matter != index) return false;
        m_index.Remove(entry, incomeCount);
        return true;
    });
    MatterList& list = ListOf(index);
    const MatterIndex first = &list == &m_income ? 0 : incomeCount;
    list.erase(list.begin() + (index - first));
    auto shift = [index](LedgerEntry& entry) {
        if (entry.matter == index) return false;
        if (entry.matter > index) --entry.matter;
        return true;
    };
    for (LedgerEntry& entry : m_entries) shift(entry);
    RenumberHeldEntries(shift);
    m_index.EraseMatterSlot(index);
}

void CTallymoDoc::SwapMatters(MatterIndex a, MatterIndex b) {
    const bool valid =
        a >= 0 && b >= 0 && a < MatterCount() && b < MatterCount() && IsIncome(a) == IsIncome(b);
    if (!valid) {
        Report(MatterFatalMessage());
        return;
    }
    if (a == b) return;
    std::swap(*GetMatter(a), *GetMatter(b));
    auto exchange = [a, b](LedgerEntry& entry) {
        if (entry.matter == a) {
            entry.matter = b;
        } else if (entry.matter == b) {
            entry.matter = a;
        }
        return true;
    };
    for (LedgerEntry& entry : m_entries) exchange(entry);
    RenumberHeldEntries(exchange);
    m_index.SwapMatterSlots(a, b);
}

void CTallymoDoc::SetMatterLists(MatterList income, MatterList outgo) {
    m_income = std::move(income);
    m_outgo = std::move(outgo);
    m_entries.clear();
    m_overwrites.clear();
    m_index.Invalidate();
}

void CTallymoDoc::SetMatterCellWidth(MatterIndex index, std::uint16_t twips) {
    Matter* matter = GetMatter(index);
    if (!matter || matter->CellWidth() == twips) return;
    matter->SetCellWidth(twips);
    m_modified = true;
}

// --- entries ----------------------------------------------------------------------------

const LedgerIndex& CTallymoDoc::Index() const {
    if (!m_index.IsValid()) m_index.Rebuild(m_entries, MatterCount(), IncomeCount());
    return m_index;
}

CTallymoDoc::PlacedEntries CTallymoDoc::RemoveEntriesOfCell(TimeValue date, MatterIndex matter) {
    // The index knows how many entries the cell holds; they are usually recent bookings, so
    // search from the end and stop once all are found, then close the gaps in one pass.
    PlacedEntries removed;
    const std::uint32_t count = Index().DayCount(date, matter);
    if (count == 0) return removed;
    removed.reserve(count);  // nothing below can fail half-way
    std::uint32_t remaining = count;
    std::size_t earliest = m_entries.size();
    for (std::size_t i = m_entries.size(); i-- > 0 && remaining > 0;) {
        if (m_entries[i].date == date && m_entries[i].matter == matter) {
            earliest = i;
            --remaining;
        }
    }
    const int incomeCount = IncomeCount();
    std::size_t kept = earliest;
    for (std::size_t i = earliest; i < m_entries.size(); ++i) {
        LedgerEntry& entry = m_entries[i];
        if (entry.date == date && entry.matter == matter) {
            m_index.Remove(entry, incomeCount);
            removed.emplace_back(i, std::move(entry));
        } else {
            if (kept != i) m_entries[kept] = std::move(entry);
            ++kept;
        }
    }
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(kept), m_entries.end());
    return removed;
}

bool CTallymoDoc::Overwrite(LedgerEntry entry) {
    ReserveMore(m_overwrites, 1);  // the step can always be kept
    if (entry.amount != 0) ReserveMore(m_entries, 1);
    OverwriteStep step{entry.date, entry.matter, 0, false, {}};
    step.removed = RemoveEntriesOfCell(entry.date, entry.matter);
    if (entry.amount != 0) {
        m_entries.push_back(std::move(entry));
        m_index.Add(m_entries.back(), IncomeCount());
        step.appended = true;
    }
    if (step.removed.empty() && !step.appended) return false;
    step.endSize = m_entries.size();
    m_overwrites.push_back(std::move(step));
    return true;
}

void CTallymoDoc::BookEntry(TimeValue date, MatterIndex matter, std::int32_t amount, MemoText memo,
                            bool overwrite) {
    // An entry must always belong to a matter of the lists.
    if (matter < 0 || matter >= MatterCount()) return;
    bool changed = false;
    try {
        if (overwrite) {
            changed = Overwrite(LedgerEntry{date, matter, amount, std::move(memo)});
        } else if (amount != 0) {
            m_entries.push_back(LedgerEntry{date, matter, amount, std::move(memo)});
            m_index.Add(m_entries.back(), IncomeCount());
            changed = true;
        }
    } catch (const std::bad_alloc&) {
        m_index.Invalidate();
        Report(BookFailedMessage());
        m_modified = true;  // whatever was already done stays done
        return;
    }
    RefreshLedgerView();
    if (changed) m_modified = true;
}

void CTallymoDoc::RemoveZeroEntries() {
    const int incomeCount = IncomeCount();
    ForgetInHeldOverwrites([](const LedgerEntry& entry) { return entry.amount == 0; });
    std::erase_if(m_entries, [&](const LedgerEntry& entry) {
        if (entry.amount != 0) return false;
        m_index.Remove(entry, incomeCount);
        return true;
    });
}

// --- undo and redo ----------------------------------------------------------------------

std::vector<LedgerEntry> CTallymoDoc::RedoHistory() const {
    std::vector<LedgerEntry> entries;
    entries.reserve(m_redo.size());
    for (const RedoStep& step : m_redo) entries.push_back(step.entry);
    return entries;
}

void CTallymoDoc::Undo() {
    if (!CanUndo()) return;
    try {
        ReserveMore(m_redo, 1);
        if (TopOverwriteIsNext()) {
            OverwriteStep& step = m_overwrites.back();
            ReserveMore(m_entries, step.removed.size());
            RedoStep redo{LedgerEntry{step.date, step.matter, 0, {}}, true};
            if (step.appended) {
                m_index.Remove(m_entries.back(), IncomeCount());
                redo.entry = std::move(m_entries.back());
                m_entries.pop_back();
            }
            // Ascending places: each entry goes back where it stood before the overwrite.
            for (auto& [place, entry] : step.removed) {
                const auto at = static_cast<std::ptrdiff_t>(std::min(place, m_entries.size()));
                m_index.Add(*m_entries.insert(m_entries.begin() + at, std::move(entry)),
                            IncomeCount());
            }
            m_overwrites.pop_back();
            m_redo.push_back(std::move(redo));
        } else {
            m_index.Remove(m_entries.back(), IncomeCount());
            m_redo.push_back(RedoStep{std::move(m_entries.back()), false});
            m_entries.pop_back();
        }
    } catch (const std::bad_alloc&) {
        Report(BookFailedMessage());
        return;
    }
    // The entries now differ from what was there: a later close must ask about saving.
    m_modified = true;
    RefreshLedgerView();
}

void CTallymoDoc::Redo() {
    if (m_redo.empty()) return;
    bool changed = true;
    try {
        RedoStep& step = m_redo.back();
        if (step.overwrite) {
            changed = Overwrite(step.entry);
        } else {
            m_entries.push_back(step.entry);
            m_index.Add(m_entries.back(), IncomeCount());
        }
    } catch (const std::bad_alloc&) {
        m_index.Invalidate();
        Report(BookFailedMessage());
        return;
    }
    m_redo.pop_back();
    if (changed) m_modified = true;
    RefreshLedgerView();
}

// --- dates and queries ------------------------------------------------------------------

void CTallymoDoc::SetCurrentDate(TimeValue date) {
    m_currentDate = date;
    RefreshLedgerView();
}

std::int32_t CTallymoDoc::DayAmount(TimeValue date, MatterIndex matter) const {
    return Index().DayAmount(date, matter);
}

std::int32_t CTallymoDoc::BalanceThrough(TimeValue date) const {
    return Index().NetThrough(date);
}

std::int32_t CTallymoDoc::CountEntries(MatterIndex matter, TimeValue a, TimeValue b) const {
    return Index().RangeCount(matter, std::min(a, b), std::max(a, b));
}

std::int32_t CTallymoDoc::PeriodSum(MatterIndex matter, TimeValue a, TimeValue b,
                                    bool project) const {
    const TimeValue lo = std::min(a, b);
    const TimeValue hi = std::max(a, b);
    const std::int32_t sum = Index().RangeSum(matter, lo, hi);
    if (!project) return sum;
    // Booked once in the span and once in the same span a month before: a fixed monthly
    // amount, not projected.
    if (CountEntries(matter, lo, hi) == 1 &&
        CountEntries(matter, PreviousMonth(lo), PreviousMonth(hi)) == 1) {
        return sum;
    }
    return ProjectedSum(sum, lo, hi, m_currentDate, m_clock.Now());
}

TimeValue CTallymoDoc::PeriodEnd(int k) const {
    return PeriodEndOf(m_currentDate, m_settings.CloseDay, k);
}

TimeValue CTallymoDoc::PeriodStart(int k) const {
    return PeriodStartOf(m_currentDate, m_settings.CloseDay, k);
}

TimeValue CTallymoDoc::PreviousMonth(TimeValue t) const {
    return MonthBefore(t == 0 ? m_currentDate : t);
}

int CTallymoDoc::DaysInView() const {
    switch (GetShowType()) {
        case ShowTypeKind::Month:
            return CalendarDaysBetween(PreviousMonth(0), m_currentDate);
        case ShowTypeKind::Fit:
            return -1;
        default:
            return 7;
    }
}

std::int32_t CTallymoDoc::OutgoTotal(TimeValue from, TimeValue to) const {
    if (to == 0) to = from;
    const LedgerIndex& index = Index();
    std::uint32_t total = 0;
    for (TimeValue day = from; day <= to;) {
        for (MatterIndex m = IncomeCount(); m < MatterCount(); ++m) {
            total += static_cast<std::uint32_t>(index.DayAmount(day, m));
        }
        const TimeValue next = NextDay(day);
        if (next <= day) break;  // the end of the time range
        day = next;
    }
    return static_cast<std::int32_t>(total);
}

std::size_t CTallymoDoc::EntryMemoryBytes() const {
    std::size_t bytes =
        m_entries.capacity() * sizeof(LedgerEntry) + m_redo.capacity() * sizeof(RedoStep);
    for (const LedgerEntry& entry : m_entries) bytes += entry.memo.HeapBytes();
    for (const RedoStep& step : m_redo) bytes += step.entry.memo.HeapBytes();
    bytes += m_overwrites.capacity() * sizeof(OverwriteStep);
    for (const OverwriteStep& step : m_overwrites) {
        bytes += step.removed.capacity() * sizeof(PlacedEntries::value_type);
        for (const auto& placed : step.removed) bytes += placed.second.memo.HeapBytes();
    }
    return bytes;
}

TimeValue CTallymoDoc::FirstDate() const {
    return Index().FirstDate();
}
TimeValue CTallymoDoc::LastDate() const {
    return Index().LastDate();
}

}  // namespace tallymo
