#include <gtest/gtest.h>

#include "doc/BinaryLedgerForm.h"
#include "support/LedgerBuilder.h"
#include "support/LedgerFileBytes.h"
#include "support/LedgerFileFixture.h"

namespace tallymo {
namespace {

using test::Day;
using test::FileBytes;
using test::Sjis;

const TimeValue kDay1 = Day(2003, 4, 1);
const TimeValue kDay2 = Day(2003, 4, 2);

class BinaryFile : public test::LedgerFileTest {};

// Each layout holds the same sample ledger; what differs is what the layout can carry (the
// current layout's writer is pinned through this reader and the byte-for-byte round trip below).
// A file cut anywhere, in its header, its matter lists or its entries, is refused as a whole.
TEST_F(BinaryFile, ReadsEveryLayoutVersion) {
    for (const std::int32_t version : test::LayoutVersions()) {
        SCOPED_TRACE(version);
        doc.Settings() = LedgerSettings{};
        doc.Settings().ShowProjection = true;  // kept by layouts without the field
        const std::string sample =
            test::LayoutSample(version,
                               {Sjis("収入①").Bytes(), Sjis("食費～").Bytes(), Sjis("髙橋").Bytes(),
                                Sjis("メモ①").Bytes()},
                               kDay1, kDay2);
        ASSERT_TRUE(LoadBytes(sample));
        EXPECT_EQ(doc.Settings(), (LedgerSettings{true, 100, 1, false, 2, 25, version < 2000006}));
        EXPECT_EQ(doc.IncomeList(), (MatterList{Matter(Sjis("収入①"), 900, true)}));
        EXPECT_EQ(doc.OutgoList(), (MatterList{Matter(Sjis("食費～"), 1000, true),
                                               Matter(Sjis("髙橋"), 1200, version < 2000100)}));
        const Cp932Text memo = version <= 2000004 ? Cp932Text() : Sjis("メモ①");
        std::vector<LedgerEntry> expected = {{kDay1, 0, 10000, {}}, {kDay1, 1, 800, memo}};
        if (version <= 2000004) {  // per-day records: every cell, zeros included
            expected.insert(expected.end(),
                            {{kDay1, 2, 0, {}}, {kDay2, 0, 0, {}}, {kDay2, 1, 0, {}}});
        }
        expected.push_back({kDay2, 2, 350, {}});
        EXPECT_EQ(doc.Entries(), expected);

        const std::string whole = sample.substr(0, sample.size() - 12);
        LedgerContents ledger;
        ASSERT_EQ(ReadBinaryLedger(whole, ledger), BinaryReadResult::Loaded);  // without the tail
        for (std::size_t length = 0; length < whole.size(); ++length) {
            ledger = LedgerContents{};
            ASSERT_EQ(ReadBinaryLedger(std::string_view(whole).substr(0, length), ledger),
                      BinaryReadResult::Truncated)
                << "cut at " << length;
        }
    }
    EXPECT_TRUE(messages.empty());
}

// Hostile or foreign files: the form's message and the document as it was, without allocating
// for counts the file cannot hold.
TEST_F(BinaryFile, RefusedFilesGiveTheirMessageAndLeaveTheDocumentAsItWas) {
    const char* const unexpected = "予期せぬエラーが発生しました。";
    FileBytes head;  // a current-layout file up to and including the settings
    head.String("tallymoo").Dword(2000500).Dword(0);
    head.Dword(0).Word(0).Word(90).Dword(0).Word(1).Dword(0).Dword(0);
    const std::string header = head.Bytes();
    const std::string tail(40, 'x');
    FileBytes oldDays;  // 2000004: per-day records
    oldDays.String("tallymoo").Dword(2000004).Dword(0).Dword(0).Word(0).Word(90).Dword(0);
    oldDays.Word(1).Dword(1).Dword(0).Dword(2).String("a").Word(900).String("b").Word(900);
    const struct {
        const char* what;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"other magic", "\x08tallymox" + header.substr(9),
         "この形式のファイルには対応していません。"},
        {"version 1999999", "\x08tallymoo" + FileBytes().Dword(1999999).Bytes() + header.substr(13),
         "ファイルのバージョンに対応していません。"},
        {"two billion entries",
         header + FileBytes().Dword(0).Dword(0).Dword(2000000000).Bytes() + tail, unexpected},
        {"a name of 4 GB",
         header + FileBytes().Dword(1).Byte(0xFF).Word(0xFFFF).Dword(0xFFFFFFFF).Bytes() + tail,
         unexpected},
        {"two billion days", oldDays.Dword(2000000000).Bytes() + tail, unexpected},
    };
    test::ResetLedger(doc, {"収入"}, {"食費"});
    doc.AppendLoadedEntry({Day(2005, 1, 1), 0, 100, {}});
    for (const auto& refused : cases) {
        SCOPED_TRACE(refused.what);
        messages.clear();
        const auto before = Take();
        EXPECT_FALSE(LoadBytes(refused.bytes));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, refused.message);
        // Refused as cut short, not by running out of memory on the way.
        if (refused.message == unexpected) {
            EXPECT_EQ(messages[0].detail, PathOf("ledger.tm2") + ": the file is cut short");
        }
        EXPECT_EQ(Take(), before);
    }
}

// Saving reproduces the ledger, byte for byte when saved again; texts of 255 bytes or more carry
// their length in the three- and seven-byte forms. Zero entries (from per-day files) are dropped
// on save, in memory as well, without marking the ledger.
TEST_F(BinaryFile, SavingAndReloadingReproducesTheLedger) {
    const Cp932Text long255(std::string(255, 'a'));
    const Cp932Text long65534(std::string(65534, 'b'));
    doc.SetMatterLists(
        {Matter(Sjis("収入①"), 905, true), Matter(long255, 0, false)},
        {Matter(Sjis("髙島屋"), 65535, true), Matter({}, 900, true), Matter(Sjis("ｶﾅ"), 1, false)});
    const std::vector<LedgerEntry> entries = {{Day(2005, 1, 2), 4, -37, long65534},
                                              {Day(1999, 12, 25), 0, 1, Cp932Text("m")},
                                              {INT32_MIN, 3, INT32_MIN, {}},
                                              {INT32_MAX, 1, INT32_MAX, {}}};
    for (const LedgerEntry& e : entries) ASSERT_TRUE(doc.AppendLoadedEntry(e));
    ASSERT_TRUE(doc.AppendLoadedEntry({Day(2005, 1, 3), 2, 0, {}}));
    doc.Settings() = LedgerSettings{true, 65535, -7, false, 65535, 27, true};
    doc.SetModifiedFlag(false);
    const std::string first = SaveBytes();
    EXPECT_NE(first.find(std::string("\xFF\xFF\x00", 3) + long255.Bytes()), std::string::npos);
    EXPECT_NE(first.find(std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7) + long65534.Bytes()),
              std::string::npos);
    EXPECT_EQ(doc.Entries(), entries);
    EXPECT_FALSE(doc.IsModified());
    MemorySettingsStore otherStore;
    CTallymoDoc other(otherStore, clock);
    ASSERT_TRUE(other.LoadLedgerFile(PathOf("ledger.tm2")));
    EXPECT_EQ(std::tuple(other.IncomeList(), other.OutgoList(), other.Entries(), other.Settings()),
              Take());
    ASSERT_TRUE(other.SaveLedgerFile(PathOf("again.tm2")));
    EXPECT_EQ(test::ReadFileBytes(PathOf("again.tm2")), first);
}

}  // namespace
}  // namespace tallymo
