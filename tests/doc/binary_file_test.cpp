#include <gtest/gtest.h>

#include <climits>

#include "doc/BinaryLedgerForm.h"
#include "support/LedgerBuilder.h"
#include "support/LedgerFileBytes.h"
#include "support/LedgerFileFixture.h"

namespace tallymo {
namespace {

using test::Day;
using test::FileBytes;
using test::Sjis;

const char* const kNotLedgerFile = "この形式のファイルには対応していません。";
const char* const kUnsupportedVersion = "ファイルのバージョンに対応していません。";
const char* const kUnexpectedError = "予期せぬエラーが発生しました。";

test::SampleLedgerNames SampleNames() {
    return {Sjis("収入①").Bytes(), Sjis("食費～").Bytes(), Sjis("髙橋").Bytes(),
            Sjis("メモ①").Bytes()};
}

// The start of a current-layout file up to and including the settings.
FileBytes CurrentHeader(std::uint32_t boolValue = 0) {
    FileBytes f;
    f.String("tallymoo").Dword(2000500).Dword(0);
    f.Dword(boolValue).Word(0).Word(90).Dword(0).Word(1).Dword(boolValue).Dword(boolValue);
    return f;
}

class BinaryFile : public test::LedgerFileTest {};

TEST_F(BinaryFile, WritesListsAndEntriesRecordByRecord) {
    doc.SetMatterLists({Matter(Sjis("収入①"), 900, true)},
                       {Matter(Sjis("食費～"), 1000, true), Matter(Sjis("髙橋"), 1200, false)});
    doc.AppendLoadedEntry({Day(2005, 7, 1), 0, 10000, {}});
    doc.AppendLoadedEntry({Day(2005, 7, 3), 2, -350, {}});
    doc.AppendLoadedEntry({Day(2005, 7, 2), 1, 800, Sjis("メモ")});
    doc.Settings() = LedgerSettings{true, 120, 2, false, 3, 25, true};

    FileBytes expected;
    expected.String("tallymoo").Dword(2000500).Dword(static_cast<std::uint32_t>(kSaveTime));
    expected.Dword(1).Word(25).Word(120).Dword(2).Word(3).Dword(0).Dword(1);
    expected.Dword(1).String(Sjis("収入①").Bytes()).Word(900).Dword(1);
    expected.Dword(2).String(Sjis("食費～").Bytes()).Word(1000).Dword(1);
    expected.String(Sjis("髙橋").Bytes()).Word(1200).Dword(0);
    expected.Dword(3);
    expected.Dword(static_cast<std::uint32_t>(Day(2005, 7, 1))).Dword(0).Dword(10000).String("");
    expected.Dword(static_cast<std::uint32_t>(Day(2005, 7, 3))).Dword(2).Dword(-350).String("");
    expected.Dword(static_cast<std::uint32_t>(Day(2005, 7, 2))).Dword(1).Dword(800);
    expected.String(Sjis("メモ").Bytes());
    EXPECT_EQ(SaveBytes(), expected.Bytes());
    EXPECT_EQ(expected.Bytes().substr(0, 13), std::string("\x08tallymoo\x74\x86\x1E\x00", 13));
}

// Each layout holds the same sample ledger; what differs is what the layout can carry.
TEST_F(BinaryFile, ReadsEveryLayoutVersion) {
    const test::SampleLedgerNames names = SampleNames();
    const TimeValue day1 = Day(2003, 4, 1);
    const TimeValue day2 = Day(2003, 4, 2);
    for (const std::int32_t version : test::LayoutVersions()) {
        SCOPED_TRACE(version);
        doc.Settings() = LedgerSettings{};
        doc.Settings().ShowProjection = true;  // kept by layouts without the field
        messages.clear();
        ASSERT_TRUE(LoadBytes(test::LayoutSample(version, names, day1, day2)));
        EXPECT_TRUE(messages.empty());

        const LedgerSettings expectedSettings{true, 100, 1, false, 2, 25, version < 2000006};
        EXPECT_EQ(doc.Settings(), expectedSettings);

        EXPECT_EQ(doc.IncomeList(), (MatterList{Matter(Cp932Text(names.income), 900, true)}));
        const bool miscVisible = version < 2000100;
        EXPECT_EQ(doc.OutgoList(), (MatterList{Matter(Cp932Text(names.food), 1000, true),
                                               Matter(Cp932Text(names.misc), 1200, miscVisible)}));

        std::vector<LedgerEntry> expectedEntries;
        if (version <= 2000004) {
            expectedEntries = {{day1, 0, 10000, {}}, {day1, 1, 800, {}}, {day1, 2, 0, {}},
                               {day2, 0, 0, {}},     {day2, 1, 0, {}},   {day2, 2, 350, {}}};
        } else {
            expectedEntries = {
                {day1, 0, 10000, {}}, {day1, 1, 800, Cp932Text(names.memo)}, {day2, 2, 350, {}}};
        }
        EXPECT_EQ(doc.Entries(), expectedEntries);
    }
}

struct RefusedFile {
    const char* what;
    std::string bytes;
    const char* message;
    int helpContext;
    MessageIcon icon;
};

TEST_F(BinaryFile, RefusedFilesGiveTheirMessageAndLeaveTheDocumentCleared) {
    const std::string magic = "\x08tallymoo";
    const std::string fullHeader = CurrentHeader().Bytes();
    const std::string sample =
        test::LayoutSample(2000500, SampleNames(), Day(2003, 4, 1), Day(2003, 4, 2));
    FileBytes twoBillionEntries = CurrentHeader();
    twoBillionEntries.Dword(0).Dword(0).Dword(2000000000).Raw(std::string(40, 'x'));
    FileBytes hugeName = CurrentHeader();
    hugeName.Dword(1).Byte(0xFF).Word(0xFFFF).Dword(0xFFFFFFFF).Raw(std::string(40, 'x'));
    FileBytes hugeWordName = CurrentHeader();
    hugeWordName.Dword(1).Byte(0xFF).Word(0xFFFE).Raw(std::string(40, 'x'));
    FileBytes twoBillionMatters = CurrentHeader();
    twoBillionMatters.Dword(2000000000).Raw(std::string(40, 'x'));
    FileBytes oldDays;  // 2000004: per-day records
    oldDays.String("tallymoo").Dword(2000004).Dword(0).Dword(0).Word(0).Word(90).Dword(0);
    oldDays.Word(1).Dword(1).Dword(0).Dword(2).String("a").Word(900).String("b").Word(900);
    oldDays.Dword(2000000000).Raw(std::string(40, 'x'));

    const std::vector<RefusedFile> cases = {
        {"other magic of length 8", "\x08tallymox" + fullHeader.substr(9), kNotLedgerFile, 3110,
         MessageIcon::Stop},
        {"magic of length 3",
         "\x03"
         "abc" +
             fullHeader.substr(9),
         kNotLedgerFile, 3110, MessageIcon::Stop},
        {"empty file", "", kUnexpectedError, 9990, MessageIcon::None},
        {"cut in the entries", sample.substr(0, sample.size() - 20), kUnexpectedError, 9990,
         MessageIcon::None},
        {"version 1999999", magic + FileBytes().Dword(1999999).Bytes() + fullHeader.substr(13),
         kUnsupportedVersion, 3120, MessageIcon::Stop},
        {"version read as negative", magic + FileBytes().Dword(0xFFFFFFFF).Bytes(),
         kUnsupportedVersion, 3120, MessageIcon::Stop},
        {"two billion entries in 100 bytes", twoBillionEntries.Bytes(), kUnexpectedError, 9990,
         MessageIcon::None},
        {"a name of 4 GB", hugeName.Bytes(), kUnexpectedError, 9990, MessageIcon::None},
        {"a name of 65534 bytes", hugeWordName.Bytes(), kUnexpectedError, 9990, MessageIcon::None},
        {"two billion matters", twoBillionMatters.Bytes(), kUnexpectedError, 9990,
         MessageIcon::None},
        {"two billion days", oldDays.Bytes(), kUnexpectedError, 9990, MessageIcon::None},
    };
    for (const RefusedFile& refused : cases) {
        SCOPED_TRACE(refused.what);
        test::ResetLedger(doc, {"収入"}, {"食費"});
        doc.AppendLoadedEntry({Day(2005, 1, 1), 0, 100, {}});
        messages.clear();
        const Snapshot before = Take();
        EXPECT_FALSE(LoadBytes(refused.bytes));
        ExpectOnlyMessage(refused.message, refused.helpContext, refused.icon);
        ExpectUnchanged(before);
    }
}

// A file cut anywhere, in its header, its matter lists or its entries, is refused as a whole
// (the messages of such cuts are in the table above).
TEST_F(BinaryFile, EveryCutOfAFileIsRefusedAsTruncated) {
    for (const std::int32_t version : {2000000, 2000003, 2000004, 2000005, 2000500}) {
        std::string whole =
            test::LayoutSample(version, SampleNames(), Day(2003, 4, 1), Day(2003, 4, 2));
        whole.resize(whole.size() - 12);  // the trailing bytes
        LedgerContents ledger;
        ASSERT_EQ(ReadBinaryLedger(whole, ledger), BinaryReadResult::Loaded);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE(testing::Message() << version << " cut at " << length);
            ledger = LedgerContents{};
            EXPECT_EQ(ReadBinaryLedger(std::string_view(whole).substr(0, length), ledger),
                      BinaryReadResult::Truncated);
        }
    }
}

TEST_F(BinaryFile, HugeCountsAreRefusedBeforeAnythingIsAllocated) {
    FileBytes f = CurrentHeader();
    f.Dword(0).Dword(1).String("x").Word(900).Dword(1).Dword(0x7FFFFFFF).Raw(std::string(60, 0));
    LedgerContents ledger;
    EXPECT_EQ(ReadBinaryLedger(f.Bytes(), ledger), BinaryReadResult::Truncated);
    EXPECT_LE(ledger.entries.capacity() * sizeof(LedgerEntry), f.Bytes().size() * 4);
}

TEST_F(BinaryFile, OnlyExactlyOneReadsAsTrue) {
    for (const std::uint32_t stored : {0u, 1u, 2u, 0xFFFFFFFFu, 0x101u}) {
        SCOPED_TRACE(stored);
        FileBytes f = CurrentHeader(stored);
        f.Dword(1).String("a").Word(900).Dword(stored).Dword(0).Dword(0);
        doc.Settings() = LedgerSettings{};
        ASSERT_TRUE(LoadBytes(f.Bytes()));
        const bool expected = stored == 1;
        EXPECT_EQ(doc.Settings().EnterMode, expected);
        EXPECT_EQ(doc.Settings().ShowQuickWizard, expected);
        EXPECT_EQ(doc.Settings().ShowProjection, expected);
        EXPECT_EQ(doc.GetMatter(0)->IsVisible(), expected);
    }
}

TEST_F(BinaryFile, EntriesOfMattersTheListsLackAreDroppedAndTheRestRead) {
    FileBytes f = CurrentHeader();
    f.Dword(1).String("in").Word(900).Dword(1).Dword(1).String("out").Word(900).Dword(1);
    const auto day = static_cast<std::uint32_t>(Day(2005, 3, 1));
    f.Dword(7);
    f.Dword(day).Dword(2).Dword(11).String("");  // MatterCount
    f.Dword(day).Dword(1).Dword(22).String("kept");
    f.Dword(day).Dword(0xFFFFFFFF).Dword(33).String("");  // -1
    f.Dword(day).Dword(0x80000000).Dword(44).String("");
    f.Dword(day).Dword(0x7FFFFFFF).Dword(55).String("");
    f.Dword(day).Dword(0).Dword(66).String("");
    f.Dword(day).Dword(1).Dword(0).String("");  // amount 0 is read
    ASSERT_TRUE(LoadBytes(f.Bytes()));
    const TimeValue d = Day(2005, 3, 1);
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{
                                 {d, 1, 22, Cp932Text("kept")}, {d, 0, 66, {}}, {d, 1, 0, {}}}));
}

TEST_F(BinaryFile, CountsOfZeroOrLessMeanNoRecords) {
    FileBytes f = CurrentHeader();
    f.Dword(0xFFFFFFFF).Dword(0x80000000).Dword(0xFFFFFFF9);
    ASSERT_TRUE(LoadBytes(f.Bytes()));
    EXPECT_EQ(doc.MatterCount(), 0);
    EXPECT_TRUE(doc.Entries().empty());

    FileBytes combined;  // 2000000: the combined list and per-day records
    combined.String("tallymoo").Dword(2000000).Dword(0).Word(0).Word(90).Dword(0).Word(1);
    combined.Dword(0).Dword(0).Raw(std::string(12, 0)).Dword(0xFFFFFFFE).Dword(0);
    ASSERT_TRUE(LoadBytes(combined.Bytes()));
    EXPECT_EQ(doc.MatterCount(), 0);
}

// A count is checked against the bytes left at the smallest record size, so records of that
// size that fill the file exactly are all read.
TEST_F(BinaryFile, RecordsOfTheSmallestSizeFillingTheFileAreRead) {
    FileBytes entries = CurrentHeader();
    entries.Dword(1).String("").Word(900).Dword(1).Dword(0).Dword(3);
    for (int i = 0; i < 3; ++i) entries.Dword(0).Dword(0).Dword(5).String("");
    ASSERT_TRUE(LoadBytes(entries.Bytes()));
    EXPECT_EQ(doc.Entries().size(), 3u);

    FileBytes combined;  // 2000000: ten unnamed matters, then no days
    combined.String("tallymoo").Dword(2000000).Dword(0).Word(0).Word(90).Dword(0).Word(1);
    combined.Dword(0).Dword(0).Raw(std::string(12, 0)).Dword(10);
    for (int i = 0; i < 10; ++i) combined.String("").Dword(0).Word(900);
    ASSERT_TRUE(LoadBytes(combined.Dword(0).Bytes()));
    EXPECT_EQ(doc.MatterCount(), 10);
}

struct StringForm {
    std::size_t length;
    std::string prefix;
};

TEST_F(BinaryFile, TextLengthsUseTheOneThreeAndSevenByteForms) {
    const std::vector<StringForm> forms = {
        {0, std::string(1, '\0')},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const StringForm& form : forms) {
        SCOPED_TRACE(form.length);
        std::string bytes;
        while (bytes.size() < form.length)
            bytes += bytes.size() + 2 <= form.length ? "\x87\x40" : "a";
        const Cp932Text name(bytes);
        test::ResetLedger(doc, {}, {});
        doc.SetMatterLists({Matter(name, 900, true)}, {});
        doc.AppendLoadedEntry({Day(2005, 1, 1), 0, 1, name});
        const std::string saved = SaveBytes();
        EXPECT_EQ(saved.substr(43, form.prefix.size()), form.prefix);
        EXPECT_EQ(saved.size(), 43 + 2 * (form.prefix.size() + form.length) + 6 + 4 + 4 + 12);
        ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.tm2")));
        EXPECT_EQ(doc.GetMatter(0)->Name(), name);
        ASSERT_EQ(doc.Entries().size(), 1u);
        EXPECT_EQ(doc.Entries()[0].memo.Text(), name);
    }
}

TEST_F(BinaryFile, ZeroEntriesOfPerDayFilesAreDroppedOnSave) {
    const TimeValue day1 = Day(2003, 4, 1);
    const TimeValue day2 = Day(2003, 4, 2);
    ASSERT_TRUE(LoadBytes(test::LayoutSample(2000004, SampleNames(), day1, day2)));
    EXPECT_EQ(doc.Entries().size(), 6u);
    doc.SetModifiedFlag(false);

    const std::string bytes = SaveBytes("saved.tm2");
    const std::vector<LedgerEntry> nonZero = {
        {day1, 0, 10000, {}}, {day1, 1, 800, {}}, {day2, 2, 350, {}}};
    EXPECT_EQ(doc.Entries(), nonZero);  // dropped from memory as well
    EXPECT_FALSE(doc.IsModified());

    // The saved file is in the current layout and holds only the three.
    EXPECT_EQ(bytes.substr(9, 4), FileBytes().Dword(2000500).Bytes());
    FileBytes tail;
    tail.Dword(3);
    for (const LedgerEntry& e : nonZero) {
        tail.Dword(static_cast<std::uint32_t>(e.date)).Dword(e.matter).Dword(e.amount).String("");
    }
    ASSERT_GE(bytes.size(), tail.Bytes().size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.Bytes().size()), tail.Bytes());
}

TEST_F(BinaryFile, SavingAndReloadingReproducesTheLedger) {
    doc.SetMatterLists(
        {Matter(Sjis("収入①"), 905, true), Matter(Sjis("～給与～"), 0, false)},
        {Matter(Sjis("髙島屋"), 65535, true), Matter({}, 900, true), Matter(Sjis("ｶﾅ"), 1, false)});
    std::vector<LedgerEntry> entries;
    for (int i = 0; i < 300; ++i) {
        entries.push_back({AddDays(Day(1999, 12, 25), i % 40), i % 5, (i - 150) * 37,
                           i % 3 == 0 ? Sjis("メモ①～髙") : Cp932Text(std::string(i % 7, 'm'))});
    }
    entries.push_back({INT32_MIN, 3, INT32_MIN, {}});
    entries.push_back({INT32_MAX, 4, INT32_MAX, {}});
    for (const LedgerEntry& e : entries) ASSERT_TRUE(doc.AppendLoadedEntry(e));
    doc.Settings() = LedgerSettings{true, 65535, -7, false, 65535, 27, true};
    std::erase_if(entries, [](const LedgerEntry& e) { return e.amount == 0; });

    const std::string first = SaveBytes();
    MemorySettingsStore otherStore;
    CTallymoDoc other(otherStore, clock);
    ASSERT_TRUE(other.LoadLedgerFile(PathOf("ledger.tm2")));
    EXPECT_EQ(other.IncomeList(), doc.IncomeList());
    EXPECT_EQ(other.OutgoList(), doc.OutgoList());
    EXPECT_EQ(other.Settings(), doc.Settings());
    EXPECT_EQ(other.Entries(), entries);
    // Saving what was read gives the same bytes.
    ASSERT_TRUE(other.SaveLedgerFile(PathOf("again.tm2")));
    EXPECT_EQ(test::ReadFileBytes(PathOf("again.tm2")), first);
}

}  // namespace
}  // namespace tallymo
