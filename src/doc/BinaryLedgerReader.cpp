#include <utility>

#include "doc/BinaryLedgerForm.h"
#include "doc/LedgerBytes.h"
#include "doc/LedgerLimits.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

// Versions at which the layout changed; every comparison is on the version as stored.
constexpr std::int32_t kFirstWithFractionGap = 2000001;   // below: a DWORD after FractionMode
constexpr std::int32_t kFirstWithSplitLists = 2000002;    // below: one combined matter list
constexpr std::int32_t kFirstWithReserved = 2000003;      // from here: the reserved DWORD
constexpr std::int32_t kFirstWithoutOldFields = 2000004;  // below: 12 unused bytes
constexpr std::int32_t kFirstEntryRecords = 2000005;      // below: one record per day
constexpr std::int32_t kFirstWithProjection = 2000006;
constexpr std::int32_t kFirstWithVisibleFlag = 2000100;

// Smallest record sizes: an empty STRING is one byte.
constexpr std::uint64_t kCombinedMatterBytes = 1 + 4 + 2;
constexpr std::uint64_t kEntryRecordBytes = 4 + 4 + 4 + 1;

void ReadSettings(ByteReader& in, std::int32_t version, LedgerSettings& settings) {
    if (version >= kFirstWithReserved) in.Skip(4);
    settings.EnterMode = in.Bool32();
    settings.CloseDay = in.Word();
    settings.FontSize = in.Word();
    settings.ShowType = in.SignedDword();
    settings.FractionMode = in.Word();
    if (version < kFirstWithFractionGap) in.Skip(4);
    settings.ShowQuickWizard = in.Bool32();
    if (version < kFirstWithoutOldFields) in.Skip(4 + 4 + 2 + 2);
    if (version >= kFirstWithProjection) settings.ShowProjection = in.Bool32();
}

// A count read as a signed number; zero or less means no records.
std::uint32_t ReadCount(ByteReader& in, std::uint64_t minRecordBytes) {
    const std::int32_t count = in.SignedDword();
    if (count <= 0) return 0;
    in.RequireRecords(static_cast<std::uint32_t>(count), minRecordBytes);
    return static_cast<std::uint32_t>(count);
}

// Thrown when a list holds more matters than any ledger uses.
struct TooManyMatters {};

void ReadCombinedList(ByteReader& in, MatterList& income, MatterList& outgo) {
    const std::uint32_t count = ReadCount(in, kCombinedMatterBytes);
    if (count > 2 * kMaxMattersPerList) throw TooManyMatters{};
    for (std::uint32_t i = 0; i < count; ++i) {
        Cp932Text name(in.String());
        const std::uint32_t kind = in.Dword();
        const std::uint16_t width = in.Word();
        (kind == 1 ? income : outgo).emplace_back(std::move(name), width, true);
    }
    if (income.size() > kMaxMattersPerList || outgo.size() > kMaxMattersPerList) {
        throw TooManyMatters{};
    }
}

void ReadList(ByteReader& in, bool withVisibleFlag, MatterList& list) {
    const std::uint32_t count = ReadCount(in, withVisibleFlag ? 1 + 2 + 4 : 1 + 2);
    if (count > kMaxMattersPerList) throw TooManyMatters{};
    list.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        Cp932Text name(in.String());
        const std::uint16_t width = in.Word();
        const bool visible = withVisibleFlag ? in.Bool32() : true;
        list.emplace_back(std::move(name), width, visible);
    }
}

void ReadEntryRecords(ByteReader& in, LedgerContents& doc) {
    const std::uint32_t count = ReadCount(in, kEntryRecordBytes);
    doc.ReserveEntries(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const TimeValue date = in.SignedDword();
        const MatterIndex matter = in.SignedDword();
        const std::int32_t amount = in.SignedDword();
        // Memos are nearly always empty: no string is made for an empty one.
        const std::string_view memo = in.StringView();
        doc.AppendLoadedEntry(  // drops a matter index the lists lack
            LedgerEntry{date, matter, amount,
                        memo.empty() ? MemoText() : MemoText(Cp932Text(memo))});
    }
}

// Old files hold one record per day with an amount for every matter, zeros included; they
// stay in memory until the next save leaves them out.
void ReadDayRecords(ByteReader& in, LedgerContents& doc) {
    const std::uint64_t matters = static_cast<std::uint64_t>(doc.MatterCount());
    const std::uint32_t count = ReadCount(in, 4 + 4 * matters);
    doc.ReserveEntries(static_cast<std::size_t>(count * matters));
    for (std::uint32_t i = 0; i < count; ++i) {
        const TimeValue date = in.SignedDword();
        for (std::uint64_t m = 0; m < matters; ++m) {
            doc.AppendLoadedEntry(
                LedgerEntry{date, static_cast<MatterIndex>(m), in.SignedDword(), {}});
        }
    }
}

}  // namespace

BinaryReadResult ReadBinaryLedger(std::string_view bytes, LedgerContents& doc) {
    ByteReader in(bytes);
    try {
        if (in.String() != kLedgerMagic) return BinaryReadResult::NotLedgerFile;
        const std::int32_t version = in.SignedDword();
        if (version < kOldestLedgerVersion) return BinaryReadResult::UnsupportedVersion;

        ReadSettings(in, version, doc.Settings());

        MatterList income;
        MatterList outgo;
        if (version < kFirstWithSplitLists) {
            ReadCombinedList(in, income, outgo);
        } else {
            const bool withVisibleFlag = version >= kFirstWithVisibleFlag;
            ReadList(in, withVisibleFlag, income);
            ReadList(in, withVisibleFlag, outgo);
        }
        doc.SetMatterLists(std::move(income), std::move(outgo));

        if (version >= kFirstEntryRecords) {
            ReadEntryRecords(in, doc);
        } else {
            ReadDayRecords(in, doc);
        }
    } catch (const LedgerBytesTruncated&) {
        return BinaryReadResult::Truncated;
    } catch (const TooManyMatters&) {
        return BinaryReadResult::TooManyMatters;
    }
    return BinaryReadResult::Loaded;
}

}  // namespace tallymo
