#pragma once
// The ledger document: matter lists, the entry sequence, the per-file settings, the current
// date and the redo history, with every query and change the views use. It never opens a
// window: failures go to the message handler, table refreshes to the refresh listeners.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ProgramVersion.h"
#include "doc/Clock.h"
#include "doc/FileStamp.h"
#include "doc/LedgerIndex.h"
#include "doc/Matter.h"
#include "doc/UserMessage.h"

namespace tallymo {

class SettingsStore;

// Settings that travel with a ledger file.
struct LedgerSettings {
    bool EnterMode = false;          // booking pane overwrites instead of adding
    std::uint16_t FontSize = 90;     // ledger cell font, tenths of a point
    std::int32_t ShowType = 0;       // 0 month, 1 week, 2 fitted to the window height
    bool ShowQuickWizard = true;     // show the input wizard at start
    std::uint16_t FractionMode = 1;  // rounding of amount expressions
    std::uint16_t CloseDay = 0;      // 0 month end, 1..27 closing day of a period
    bool ShowProjection = false;     // graph shows the running period projected

    bool operator==(const LedgerSettings&) const = default;
};

// A ledger as a file reader builds it, apart from any document, so that a file that fails to
// load leaves the document as it was. The document takes it over whole (ReplaceContents).
struct LedgerContents {
    LedgerSettings settings;  // the document's before reading: a form may not hold them all
    MatterList income;
    MatterList outgo;
    std::vector<LedgerEntry> entries;

    LedgerSettings& Settings() { return settings; }
    int MatterCount() const { return static_cast<int>(income.size() + outgo.size()); }
    // Replaces both lists and empties the entries.
    void SetMatterLists(MatterList incomeList, MatterList outgoList);
    // Room for as many entries again: bookings after a load then never move the whole
    // sequence (the old and the new copy at once), and pages not yet written take no memory.
    void ReserveEntries(std::size_t count) { entries.reserve(2 * count); }
    // An entry whose matter index is negative or not below MatterCount is dropped (false).
    bool AppendLoadedEntry(LedgerEntry entry);
};

struct ProgramVersion {
    unsigned major = kVersionMajor, minor = kVersionMinor, build = kVersionPatch,
             revision = kVersionTweak;
    std::int32_t Packed() const {
        return static_cast<std::int32_t>(((major * 100 + minor) * 100 + build) * 100 + revision);
    }
};

enum class ShowTypeKind : std::int32_t { Month = 0, Week = 1, Fit = 2 };

class CTallymoDoc {
public:
    // The store supplies new-ledger defaults; the clock supplies "today" and "now". Both must
    // outlive the document. The document starts as a new ledger.
    explicit CTallymoDoc(SettingsStore& store, const Clock& clock = SystemClock::Instance());
    ~CTallymoDoc();
    CTallymoDoc(const CTallymoDoc&) = delete;
    CTallymoDoc& operator=(const CTallymoDoc&) = delete;

    // --- wiring -----------------------------------------------------------------------
    void SetMessageHandler(MessageHandler handler) { m_messageHandler = std::move(handler); }
    void Report(const UserMessage& message) const;
    // RefreshLedgerView reaches every listener; the id removes it again.
    int AddRefreshListener(std::function<void()> listener);
    void RemoveRefreshListener(int id);
    const Clock& GetClock() const { return m_clock; }
    SettingsStore& Store() const { return m_store; }

    // --- framework state ----------------------------------------------------------------
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::string& PathName() const { return m_pathName; }  // local 8-bit file name
    void SetPathName(std::string path) { m_pathName = std::move(path); }
    void DeleteContents();
    // Takes over a ledger read from a file: lists, entries and settings; the redo history is
    // emptied. Neither the path nor the modified flag changes.
    void ReplaceContents(LedgerContents contents);
    void OnNewDocument();  // clears the path, then InitNewLedger

    // --- settings -----------------------------------------------------------------------
    LedgerSettings& Settings() { return m_settings; }
    const LedgerSettings& Settings() const { return m_settings; }
    const ProgramVersion& Version() const { return m_version; }
    void SetShowProjection(bool flag);
    // All per-file settings at once (the settings dialog); marks the document modified when
    // any of them changes.
    void SetSettings(const LedgerSettings& settings);
    ShowTypeKind GetShowType() const { return static_cast<ShowTypeKind>(m_settings.ShowType); }
    // The ledger's layout; marks the document modified when it changes.
    void SetShowType(ShowTypeKind kind);

    // --- matters ------------------------------------------------------------------------
    const MatterList& IncomeList() const { return m_income; }
    const MatterList& OutgoList() const { return m_outgo; }
    int IncomeCount() const { return static_cast<int>(m_income.size()); }
    int MatterCount() const { return static_cast<int>(m_income.size() + m_outgo.size()); }
    int ListCount(bool income, int cap = 0) const;
    int VisibleMatterCount() const;
    int VisibleListCount(bool income, int cap = 0) const;
    const Matter* GetMatter(MatterIndex index) const;
    Matter* GetMatter(MatterIndex index);
    bool IsMatterVisible(MatterIndex index) const;
    bool IsIncome(MatterIndex index) const { return index < IncomeCount(); }
    MatterIndex VisibleMatterIndex(int n) const;

    void InsertMatter(int position, Cp932Text name, bool income, bool visible);
    void ModifyMatter(MatterIndex index, Cp932Text name, bool visible);
    void DeleteMatter(MatterIndex index);
    void SwapMatters(MatterIndex a, MatterIndex b);
    // A column width the user chose, stored into the matter (twips); marks the document
    // modified when it differs from the stored one.
    void SetMatterCellWidth(MatterIndex index, std::uint16_t twips);
    // Replaces both lists and empties the entries (readers fill them afterwards).
    void SetMatterLists(MatterList income, MatterList outgo);

    // --- entries ------------------------------------------------------------------------
    const std::vector<LedgerEntry>& Entries() const { return m_entries; }
    // The entries redo would bring back, the next one last (an undone clearing of a cell
    // appears as an entry of amount 0).
    std::vector<LedgerEntry> RedoHistory() const;
    // Appends an entry read from a file: no refresh, no modified mark. An entry whose matter
    // index is negative or not below MatterCount is dropped (false).
    // Inline: the readers call it once per entry of a file.
    bool AppendLoadedEntry(LedgerEntry entry) {
        if (entry.matter < 0 || entry.matter >= MatterCount()) return false;
        m_entries.push_back(std::move(entry));
        m_index.Invalidate();  // rebuilt in one go at the first query after loading
        return true;
    }
    // Room for `count` entries read from a file and some bookings after them: the room is
    // only address space until it is used, while growing a full sequence of a million entries
    // would copy them all and hold both copies for a moment.
    void ReserveEntries(std::size_t count) { m_entries.reserve(count + count / 16 + 64); }
    void BookEntry(TimeValue date, MatterIndex matter, std::int32_t amount, MemoText memo,
                   bool overwrite);
    void RemoveZeroEntries();

    // --- undo and redo ------------------------------------------------------------------
    // One step is one booking: a plain addition comes off the end of the sequence (and redo
    // appends it again); an overwrite takes its new entry off and puts back the entries it
    // replaced, in their places (and redo overwrites again). Both mark the document modified.
    bool CanUndo() const { return !m_entries.empty() || TopOverwriteIsNext(); }
    bool CanRedo() const { return !m_redo.empty(); }
    void Undo();
    void Redo();

    // --- dates and queries ----------------------------------------------------------------
    TimeValue GetCurrentDate() const { return m_currentDate; }
    void SetCurrentDate(TimeValue date);
    void RefreshLedgerView() const;

    std::int32_t DayAmount(TimeValue date, MatterIndex matter) const;
    std::int32_t BalanceThrough(TimeValue date) const;
    std::int32_t CountEntries(MatterIndex matter, TimeValue a, TimeValue b) const;
    std::int32_t PeriodSum(MatterIndex matter, TimeValue a, TimeValue b, bool project) const;
    TimeValue PeriodEnd(int k) const;
    TimeValue PeriodStart(int k) const;
    TimeValue PreviousMonth(TimeValue t = 0) const;
    int DaysInView() const;
    std::int32_t OutgoTotal(TimeValue from, TimeValue to = 0) const;
    TimeValue FirstDate() const;
    TimeValue LastDate() const;

    // --- new-ledger defaults ----------------------------------------------------------------
    void InitNewLedger();
    void LoadDefaultSettings();
    void SaveDefaultSettings() const;
    void LoadDefaultMatters(bool income);
    void SaveDefaultMatters(bool income) const;

    // --- files (the form is chosen by the extension) ------------------------------------------
    // Each reports its own failure through the message handler. A failed load leaves the
    // document as it was (read in one pass into a separate ledger, taken over on success); a
    // failed save leaves the document and the file on disk as they were.
    bool LoadLedgerFile(const std::string& path);
    bool SaveLedgerFile(const std::string& path);
    // True when `path` is the file last loaded or saved and another program has changed its
    // bytes since.
    bool ChangedOnDisk(const std::string& path) const;

    std::size_t IndexMemoryBytes() const { return m_index.MemoryBytes(); }
    // Bytes held by the entry sequence and the redo history (memos included).
    std::size_t EntryMemoryBytes() const;

private:
    using PlacedEntries = std::vector<std::pair<std::size_t, LedgerEntry>>;
    // An overwrite that replaced entries, kept so that undo can give them back.
    struct OverwriteStep {
        TimeValue date = 0;
        MatterIndex matter = 0;
        std::size_t endSize = 0;  // length of the sequence right after the step
        bool appended = false;    // the step appended a new entry (its amount was not 0)
        PlacedEntries removed;    // the replaced entries and their places, ascending
    };
    struct RedoStep {
        LedgerEntry entry;  // amount 0 for an overwrite that only cleared the cell
        bool overwrite = false;
    };

    const LedgerIndex& Index() const;
    MatterList& ListOf(MatterIndex index);
    PlacedEntries RemoveEntriesOfCell(TimeValue date, MatterIndex matter);
    // Replaces the cell's entries by the entry (none for amount 0) as one undo step; false when
    // nothing changed.
    bool Overwrite(LedgerEntry entry);
    bool TopOverwriteIsNext() const {
        return !m_overwrites.empty() && m_overwrites.back().endSize == m_entries.size();
    }
    // Renumbers (or, on false, drops) the entries held for undo and redo.
    void RenumberHeldEntries(const std::function<bool(LedgerEntry&)>& renumber);
    // Before entries leave the sequence outside undo: the held overwrites forget them and
    // their places and lengths shrink accordingly.
    void ForgetInHeldOverwrites(const std::function<bool(const LedgerEntry&)>& leaves);

    SettingsStore& m_store;
    const Clock& m_clock;
    MessageHandler m_messageHandler;
    std::vector<std::pair<int, std::function<void()>>> m_refreshListeners;
    int m_nextListenerId = 1;

    MatterList m_income;
    MatterList m_outgo;
    std::vector<LedgerEntry> m_entries;
    std::vector<RedoStep> m_redo;             // top is the back
    std::vector<OverwriteStep> m_overwrites;  // top is the back
    mutable LedgerIndex m_index;

    LedgerSettings m_settings;
    ProgramVersion m_version;
    TimeValue m_currentDate = 0;
    bool m_modified = false;
    std::string m_pathName;
    FileStamp m_diskStamp;
};

}  // namespace tallymo
