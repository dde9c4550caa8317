#include <gtest/gtest.h>

#include <cstdio>

#include "support/LedgerBuilder.h"
#include "support/LedgerFileFixture.h"

namespace tallymo {
namespace {

using test::Day;
using test::Sjis;

const char* const kInvalidCsv = "CSVデータが正しくありません。";
const char* const kEarlyEntriesNotSaved =
    "Tallymo Ver.1データファイル形式のため、2000/1/1以前のデータは保存されませんでした。"
    "すべてのデータを保存する場合には、Tallymo Ver.2以降のデータ形式を選択してください。";

// The calendar worked out on its own (not through the C library), "yyyy/mm/dd" per day.
std::vector<std::string> CalendarDays(int fromYear, int toYear) {
    std::vector<std::string> days;
    for (int y = fromYear; y <= toYear; ++y) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= lengths[m - 1]; ++d) {
                char text[32];
                std::snprintf(text, sizeof text, "%04d/%02d/%02d", y, m, d);
                days.emplace_back(text);
            }
        }
    }
    return days;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the text does not end in CR LF";
    return lines;
}

class CsvFile : public test::LedgerFileTest {
protected:
    // One income matter 収入 (900), outgo 食費 (900) and 雑費 (1200), close day 25; no entries.
    void MakeExampleLedger() {
        doc.DeleteContents();
        doc.SetMatterLists({Matter(Sjis("収入"), 900, true)},
                           {Matter(Sjis("食費"), 900, true), Matter(Sjis("雑費"), 1200, true)});
        doc.Settings().CloseDay = 25;
    }
};

TEST_F(CsvFile, WritesTheExampleLedgerExactly) {
    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(2000, 1, 1), 0, 10000, Cp932Text("memo")});
    doc.AppendLoadedEntry({Day(2000, 1, 5), 1, 800, {}});
    doc.AppendLoadedEntry({Day(2000, 1, 5), 2, 0, {}});  // contributes nothing, stays
    std::string expected = "1,90,90,120,60\r\n" + Sjis("2000,収入,食費,雑費,25").Bytes() + "\r\n";
    for (const std::string& day : CalendarDays(2000, 2000)) {
        if (day == "2000/01/01") {
            expected += day + ",10000,0,0,10000\r\n";
        } else if (day < "2000/01/05") {
            expected += day + ",0,0,0,10000\r\n";
        } else if (day == "2000/01/05") {
            expected += day + ",0,800,0,9200\r\n";
        } else {
            expected += day + ",0,0,0,9200\r\n";
        }
    }
    EXPECT_EQ(SaveBytes("ledger.csv"), expected);
    EXPECT_TRUE(messages.empty());
}

// Day lines run to the end of the last entry's year, or of the 32-bit range; that day reads back.
TEST_F(CsvFile, DayLinesRunThroughTheYearOfTheLastEntry) {
    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(2003, 6, 1), 2, 70, {}});
    doc.AppendLoadedEntry({Day(2001, 2, 1), 0, 100, {}});
    std::vector<std::string> lines = SplitLines(SaveBytes("ledger.csv"));
    ASSERT_EQ(lines.size(), 2 + CalendarDays(2000, 2003).size());
    EXPECT_EQ(lines[1].substr(0, 5), "2003,");
    EXPECT_EQ(lines[2], "2000/01/01,0,0,0,0");
    EXPECT_EQ(lines.back(), "2003/12/31,0,0,0,30");

    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(2038, 1, 19), 1, 5, {}});
    lines = SplitLines(SaveBytes("ledger.csv"));
    ASSERT_EQ(lines.size(), 2 + CalendarDays(2000, 2037).size() + 19);
    EXPECT_EQ(lines.back(), "2038/01/19,0,5,0,-5");
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2038, 1, 19), 1, 5, {}}}));
}

TEST_F(CsvFile, EntriesBefore2000AreLeftOutWithAMessageButCountInTheBalance) {
    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(1999, 12, 31), 0, 5000, {}});
    doc.AppendLoadedEntry({Day(2000, 1, 2), 1, 300, {}});
    const std::vector<std::string> lines = SplitLines(SaveBytes("ledger.csv"));
    ExpectOnlyMessage(kEarlyEntriesNotSaved, 3010, MessageIcon::None);
    ASSERT_EQ(lines.size(), 2u + 366u);
    EXPECT_EQ(lines[2], "2000/01/01,0,0,0,5000");
    EXPECT_EQ(lines[3], "2000/01/02,0,300,0,4700");

    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2000, 1, 2), 1, 300, {}}}));

    // Only entries before 2000: the header lines only, the year of the last entry.
    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(1999, 3, 3), 1, 5000, {}});
    messages.clear();
    EXPECT_EQ(SaveBytes("ledger.csv"),
              "1,90,90,120,60\r\n" + Sjis("1999,収入,食費,雑費,25").Bytes() + "\r\n");
    ExpectOnlyMessage(kEarlyEntriesNotSaved, 3010, MessageIcon::None);
}

TEST_F(CsvFile, NamesWithCommasOrLineBreaksKeepTheirColumn) {
    doc.SetMatterLists(
        {Matter(Sjis("給与,賞与"), 900, true)},
        {Matter(Cp932Text("a\r\nb\rc\nd"), 900, true), Matter(Cp932Text(","), 900, true),
         Matter(Cp932Text("\"q\" x"), 900, true)});
    const std::vector<std::string> lines = SplitLines(SaveBytes("ledger.csv"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], Sjis("2000,給与，賞与,a  b c d,，,\"\"\"q\"\" x\",28").Bytes());
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_EQ(doc.MatterCount(), 4);
    EXPECT_EQ(doc.GetMatter(2)->Name(), Sjis("，"));
    EXPECT_EQ(doc.GetMatter(3)->Name(), Cp932Text("\"q\" x"));  // a leading quote is written quoted
}

// Half-width kana and odd bytes from a binary ledger can make a whole file valid UTF-8 that is
// no text CP932 holds: it is still read as written.
TEST_F(CsvFile, NamesThatLookLikeUtf8ReadBackAsWritten) {
    const Cp932Text odd(std::string("\0d\x01\xEF\xBE\xAD'x", 8));
    doc.SetMatterLists({Matter(Sjis("ﾃｽ"), 900, true)}, {Matter(odd, 900, true)});
    SaveBytes("ledger.csv");
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_EQ(doc.GetMatter(0)->Name(), Sjis("ﾃｽ"));
    EXPECT_EQ(doc.GetMatter(1)->Name(), odd);
}

// Write, then read back: what the form holds survives, the rest is documented loss.
TEST_F(CsvFile, WriteAndReadCycle) {
    doc.SetMatterLists({Matter(Sjis("収入①"), 905, true), Matter(Sjis("髙島屋"), 1000, false)},
                       {Matter(Sjis("食費～"), 1209, true), Matter(Sjis("ｶﾅ"), 9, false)});
    doc.AppendLoadedEntry({Day(2004, 2, 29), 0, 300, Sjis("メモ")});
    doc.AppendLoadedEntry({Day(2004, 2, 29), 0, 200, {}});
    doc.AppendLoadedEntry({Day(2001, 5, 5), 3, -40, {}});
    doc.AppendLoadedEntry({Day(2002, 1, 1), 2, INT32_MAX, {}});
    doc.Settings() = LedgerSettings{true, 120, 2, false, 3, 27, true};
    SaveBytes("ledger.csv");

    doc.Settings() = LedgerSettings{};
    doc.Settings().FontSize = 77;
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(doc.IncomeList(),
              (MatterList{Matter(Sjis("収入①"), 900, true), Matter(Sjis("髙島屋"), 1000, true)}));
    EXPECT_EQ(doc.OutgoList(),
              (MatterList{Matter(Sjis("食費～"), 1200, true), Matter(Sjis("ｶﾅ"), 0, true)}));
    // Entries come back day by day, one per cell, without memo.
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2001, 5, 5), 3, -40, {}},
                                                       {Day(2002, 1, 1), 2, INT32_MAX, {}},
                                                       {Day(2004, 2, 29), 0, 500, {}}}));
    LedgerSettings expected;
    expected.FontSize = 77;  // not in the form: kept
    expected.CloseDay = 27;
    EXPECT_EQ(doc.Settings(), expected);
}

struct CsvRead {
    const char* what;
    std::string text;
    bool valid;
    std::vector<LedgerEntry> entries;
};

TEST_F(CsvFile, ReadsDayLinesByTheirRules) {
    const std::string header = "1,90,90,120,60\r\n2000,in,food,misc,25\r\n";
    const TimeValue jan5 = Day(2000, 1, 5);
    const std::vector<CsvRead> cases = {
        {"leading zeros", header + "2000/01/05,0,800,0,9200\r\n", true, {{jan5, 1, 800, {}}}},
        {"quotes and blanks", header + "\" 2000 / 1/ 5\",0,800,0,9200", true, {{jan5, 1, 800, {}}}},
        {"LF endings, none at the end",
         "1,90,90,120,60\n2000,a,b,c,25\n2000/1/5,7,0,0,7",
         true,
         {{jan5, 0, 7, {}}}},
        {"rolled-over day", header + "2000/02/30,1,0,0,1\r\n", true, {{Day(2000, 3, 1), 0, 1, {}}}},
        {"short line", header + "2000/01/05,5\r\n", true, {{jan5, 0, 5, {}}}},
        {"date only", header + "2000/01/05\r\n", true, {}},
        {"fields without digits",
         header + "2000/01/05,abc, 12,-3x,99\r\n",
         true,
         {{jan5, 1, 12, {}}, {jan5, 2, -3, {}}}},
        {"signs and huge numbers: held at the ends of the amount range",
         header + "2000/01/05,+5,-0,4294967295,1\r\n2000/01/06,-99999999999,0,0,0\r\n",
         true,
         {{jan5, 0, 5, {}}, {jan5, 2, 2147483647, {}}, {Day(2000, 1, 6), 0, INT32_MIN, {}}}},
        {"more fields than matters",
         header + "2000/01/05,1,2,3,4,5,6\r\n",
         true,
         {{jan5, 0, 1, {}}, {jan5, 1, 2, {}}, {jan5, 2, 3, {}}}},
        {"the last day of the calendar",
         header + "2038/1/19,1",
         true,
         {{Day(2038, 1, 19), 0, 1, {}}}},
        {"dashes in the date", header + "2000-01-05,0,800,0,9200\r\n", false, {}},
        {"blank line", header + "\r\n2000/01/05,0,800,0,9200\r\n", false, {}},
        {"blank lines at the end, as spreadsheets leave them",
         header + "2000/01/05,0,800,0,9200\r\n\r\n\n\r\n",
         true,
         {{jan5, 1, 800, {}}}},
        {"quoted fields, with a quote and a comma inside",
         "1,90,90,120,60\r\n2000,\"in\",\"f,o\"\"od\",misc,25\r\n\"2000/01/"
         "05\",\"0\",800,0,9200\r\n",
         true,
         {{jan5, 1, 800, {}}}},
        {"UTF-8 with a byte-order mark",
         "\xEF\xBB\xBF" + header + "2000/01/05,0,800,0,9200\r\n",
         true,
         {{jan5, 1, 800, {}}}},
        {"a UTF-8 name that CP932 cannot hold, after a byte-order mark",
         "\xEF\xBB\xBF"
         "1,90,90,120,60\r\n2000,\xF0\x9F\x98\x80,b,c,25\r\n",
         false,
         {}},
        {"a first line of a million commas", std::string(1 << 20, ',') + "\r\n2000\r\n", false, {}},
        {"day 0", header + "2000/1/0,1\r\n", false, {}},
        {"negative year", header + "-2000/1/5,1\r\n", false, {}},
        {"before 1970", header + "1969/12/31,1\r\n", false, {}},
        {"after the 32-bit range", header + "2038/1/20,1\r\n", false, {}},
        {"one line", "1,90,90,120,60\r\n", false, {}},
        {"empty file", "", false, {}},
        {"the trailing width within the income count", "1,90\r\n2000,a,25\r\n", false, {}},
        {"every width within the income count", "5,90,90,60\r\n2000,a,b,25\r\n", false, {}},
    };
    for (const CsvRead& read : cases) {
        SCOPED_TRACE(read.what);
        messages.clear();
        const Snapshot before = Take();
        EXPECT_EQ(LoadBytes(read.text, "ledger.csv"), read.valid);
        if (read.valid) {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(doc.MatterCount(), 3);
            EXPECT_EQ(doc.Entries(), read.entries);
        } else {
            ExpectOnlyMessage(kInvalidCsv, 3060, MessageIcon::Stop);
            ExpectUnchanged(before);
        }
    }
}

// Files as a spreadsheet (LibreOffice Calc) saves one of ours after opening it: Shift-JIS or
// UTF-8, text cells quoted or not; the same with a byte-order mark and with blank lines at the
// end. Each reads as the ledger it came from.
TEST_F(CsvFile, ReadsWhatASpreadsheetSaves) {
    const std::string data = std::string(TALLYMO_SOURCE_DIR) + "/tests/data/";
    const std::string sjis = test::ReadFileBytes(data + "spreadsheet-sjis.csv");
    const std::string utf8 = test::ReadFileBytes(data + "spreadsheet-utf8.csv");
    const std::string plain = test::ReadFileBytes(data + "spreadsheet-utf8-plain.csv");
    const std::pair<const char*, std::string> files[] = {
        {"Shift-JIS, quoted", sjis},
        {"UTF-8, quoted", utf8},
        {"UTF-8", plain},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8},
        {"blank lines at the end", sjis + "\n\n"},
    };
    const char* const names[] = {"収入",   "食費",   "交通費", "交際費",
                                 "光熱費", "通信費", "住居費", "雑費"};
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        messages.clear();
        ASSERT_TRUE(LoadBytes(bytes, "sheet.csv"));
        EXPECT_TRUE(messages.empty());
        ASSERT_EQ(doc.MatterCount(), 8);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(doc.GetMatter(i)->Name(), Sjis(names[i]));
        EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2000, 1, 1), 0, 10000, {}},
                                                           {Day(2000, 1, 5), 1, 800, {}}}));
        EXPECT_EQ(doc.Settings().CloseDay, 0);
    }
}

// A list of more matters than any ledger has is refused in both forms, before it costs memory.
TEST_F(CsvFile, MoreMattersThanALedgerCanHaveAreRefused) {
    const struct {
        std::size_t income, outgo;
        bool valid;
    } sizes[] = {{1000, 1000, true}, {1001, 1, false}, {1, 1001, false}};
    for (const std::string name : {"many.csv", "many.tm2"}) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(name + " " + std::to_string(size.income) + "/" +
                         std::to_string(size.outgo));
            doc.SetMatterLists(MatterList(size.income, Matter(Cp932Text("a"), 90, true)),
                               MatterList(size.outgo, Matter(Cp932Text("b"), 90, true)));
            SaveBytes(name);
            messages.clear();
            EXPECT_EQ(doc.LoadLedgerFile(PathOf(name)), size.valid);
            EXPECT_EQ(messages.size(), size.valid ? 0u : 1u);
        }
    }
}

// Ledgers without outgo matters, or without any matter, are written so that they read back.
TEST_F(CsvFile, LedgersWithoutOutgoMattersReadBack) {
    for (const MatterList& income : {MatterList{Matter(Cp932Text("a"), 900, true)}, MatterList{}}) {
        doc.SetMatterLists(income, {});
        doc.Settings().CloseDay = 5;
        if (!income.empty()) doc.AppendLoadedEntry({Day(2000, 1, 2), 0, 10, {}});
        const std::string text = SaveBytes("ledger.csv");
        ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
        EXPECT_EQ(doc.IncomeList(), income);
        EXPECT_TRUE(doc.OutgoList().empty());
        EXPECT_EQ(doc.Entries().size(), income.size());
        EXPECT_EQ(doc.Settings().CloseDay, 5);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(CsvFile, ReadsWidthAndNameLines) {
    ASSERT_TRUE(LoadBytes("2,90,95,abc,-1,60\r\n2000,a,b,c\r\n", "ledger.csv"));
    EXPECT_EQ(doc.IncomeList(),
              (MatterList{Matter(Cp932Text("a"), 900, true), Matter(Cp932Text("b"), 950, true)}));
    // A width that does not fit 16 bits wraps, as the field is stored in 16 bits.
    EXPECT_EQ(doc.OutgoList(),
              (MatterList{Matter(Cp932Text("c"), 0, true), Matter(Cp932Text(""), 65526, true)}));
}

TEST_F(CsvFile, CloseDayFieldsAboveTwentySevenMeanMonthEnd) {
    const std::vector<std::pair<std::string, std::uint16_t>> cases = {
        {"0", 0},      {"1", 1},  {"27", 27}, {"28", 0},   {"99", 0},
        {"65563", 27}, {"-1", 0}, {"", 0},    {"5,26", 26}};
    for (const auto& [field, closeDay] : cases) {
        SCOPED_TRACE(field);
        doc.Settings().CloseDay = 13;
        ASSERT_TRUE(LoadBytes("1,90,90,60\r\n2000,a,b," + field + "\r\n", "ledger.csv"));
        EXPECT_EQ(doc.Settings().CloseDay, closeDay);
    }
    // Without a close day field the setting keeps its value.
    doc.Settings().CloseDay = 13;
    ASSERT_TRUE(LoadBytes("1,90,90,60\r\n2000,a,b\r\n", "ledger.csv"));
    EXPECT_EQ(doc.Settings().CloseDay, 13);

    // Month end is written as 28 and so read back as month end.
    for (const std::uint16_t closeDay : {0, 27}) {
        doc.Settings().CloseDay = closeDay;
        SaveBytes("close.csv");
        doc.Settings().CloseDay = 13;
        ASSERT_TRUE(doc.LoadLedgerFile(PathOf("close.csv")));
        EXPECT_EQ(doc.Settings().CloseDay, closeDay);
    }
}

}  // namespace
}  // namespace tallymo
