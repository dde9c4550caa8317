#include <gtest/gtest.h>

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

// One line per day from 2000/01/01 to the end of the last entry's year (or of the 32-bit
// range), with the day's sums and the running balance. Entries before 2000 are left out with
// a message but count in the balance.
TEST_F(CsvFile, WritesOneLinePerDayThroughTheYearOfTheLastEntry) {
    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(2000, 1, 1), 0, 10000, Cp932Text("memo")});
    doc.AppendLoadedEntry({Day(2003, 6, 1), 2, 70, {}});
    doc.AppendLoadedEntry({Day(1999, 12, 31), 0, 5000, {}});
    doc.AppendLoadedEntry({Day(2000, 1, 5), 1, 800, {}});
    doc.AppendLoadedEntry({Day(2000, 1, 5), 2, 0, {}});
    std::vector<std::string> lines = SplitLines(SaveBytes("ledger.csv"));
    ExpectOnlyMessage(kEarlyEntriesNotSaved, 3010, MessageIcon::None);
    ASSERT_EQ(lines.size(), 2u + 1461u);  // 2000 .. 2003, one leap year
    EXPECT_EQ(lines[0], "1,90,90,120,60");
    EXPECT_EQ(lines[1], Sjis("2003,収入,食費,雑費,25").Bytes());
    EXPECT_EQ(lines[2], "2000/01/01,10000,0,0,15000");
    EXPECT_EQ(lines[6], "2000/01/05,0,800,0,14200");
    EXPECT_EQ(lines.back(), "2003/12/31,0,0,0,14130");

    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(2038, 1, 19), 1, 5, {}});
    lines = SplitLines(SaveBytes("ledger.csv"));
    ASSERT_EQ(lines.size(), 2u + 13899u);
    EXPECT_EQ(lines.back(), "2038/01/19,0,5,0,-5");
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2038, 1, 19), 1, 5, {}}}));

    // Only entries before 2000: the header lines only, the year of the last entry.
    MakeExampleLedger();
    doc.AppendLoadedEntry({Day(1999, 3, 3), 1, 5000, {}});
    EXPECT_EQ(SaveBytes("ledger.csv"),
              "1,90,90,120,60\r\n" + Sjis("1999,収入,食費,雑費,25").Bytes() + "\r\n");
}

// Names with commas, line breaks or quotes keep their column; names that happen to be valid
// UTF-8 (half-width kana, odd bytes of a binary ledger) still read as the CP932 they are.
TEST_F(CsvFile, AwkwardNamesReadBackInTheirColumns) {
    const Cp932Text odd(std::string("\0d\x01\xEF\xBE\xAD'x", 8));
    doc.SetMatterLists({Matter(Sjis("給与,賞与"), 900, true), Matter(Sjis("ﾃｽ"), 900, true)},
                       {Matter(Cp932Text("a\r\nb\rc\nd"), 900, true),
                        Matter(Cp932Text("\"q\" x"), 900, true), Matter(odd, 900, true)});
    const std::vector<std::string> lines = SplitLines(SaveBytes("ledger.csv"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind(Sjis("2000,給与，賞与,ﾃｽ,a  b c d,\"\"\"q\"\" x\",").Bytes(), 0), 0u);
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_EQ(doc.GetMatter(0)->Name(), Sjis("給与，賞与"));
    EXPECT_EQ(doc.GetMatter(1)->Name(), Sjis("ﾃｽ"));
    EXPECT_EQ(doc.GetMatter(3)->Name(), Cp932Text("\"q\" x"));
    EXPECT_EQ(doc.GetMatter(4)->Name(), odd);
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

// An entry read from a day line of January 2000.
LedgerEntry Jan(int day, MatterIndex matter, std::int32_t amount) {
    return {Day(2000, 1, day), matter, amount, {}};
}

TEST_F(CsvFile, ReadsDayLinesByTheirRules) {
    const std::string h = "1,90,90,120,60\r\n2000,in,food,misc,25\r\n";
    const struct {
        const char* what;
        std::string text;
        bool valid;
        std::vector<LedgerEntry> entries = {};
    } cases[] = {
        {"quotes and blanks", h + "\" 2000 / 1/ 5\",0,800,0,9200", true, {Jan(5, 1, 800)}},
        {"LF endings", "1,90,90,120,60\n2000,a,b,c,25\n2000/1/5,7,0,0,7", true, {Jan(5, 0, 7)}},
        {"rolled-over day", h + "2000/01/32,1\r\n", true, {{Day(2000, 2, 1), 0, 1, {}}}},
        {"no digits", h + "2000/01/05,abc, 12,-3x\r\n", true, {Jan(5, 1, 12), Jan(5, 2, -3)}},
        {"held in range",
         h + "2000/1/5,-9999999999,-0,4294967295",
         true,
         {Jan(5, 0, INT32_MIN), Jan(5, 2, INT32_MAX)}},
        {"many fields", h + "2000/1/5,1,2,3,4,5", true, {Jan(5, 0, 1), Jan(5, 1, 2), Jan(5, 2, 3)}},
        {"quoted",
         "1,90,90,90,60\r\n2000,\"i\",\"f,\"\"o\",m,25\r\n\"2000/1/5\",\"0\",8",
         true,
         {Jan(5, 1, 8)}},
        {"a name CP932 cannot hold",
         "\xEF\xBB\xBF"
         "1,90,60\r\n2000,\xF0\x9F\x98\x80,25",
         false},
        {"dashes in the date", h + "2000-01-05,0,800,0,9200\r\n", false},
        {"blank line", h + "\r\n2000/01/05,0,800,0,9200\r\n", false},
        {"a first line of a million commas", std::string(1 << 20, ',') + "\r\n2000\r\n", false},
        {"day 0", h + "2000/1/0,1\r\n", false},
        {"before 1970", h + "1969/12/31,1\r\n", false},
        {"after the 32-bit range", h + "2038/1/20,1\r\n", false},
        {"empty file", "", false},
        {"widths within the income count", "5,90,90,60\r\n2000,a,b,25\r\n", false},
        {"the trailing width within the income count", "1,90\r\n2000,a,25\r\n", false},
    };
    for (const auto& read : cases) {
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
// UTF-8, text cells quoted or not, with a byte-order mark or blank lines at the end.
TEST_F(CsvFile, ReadsWhatASpreadsheetSaves) {
    const std::string data = std::string(TALLYMO_SOURCE_DIR) + "/tests/data/";
    const std::string sjis = test::ReadFileBytes(data + "spreadsheet-sjis.csv");
    const std::string utf8 = test::ReadFileBytes(data + "spreadsheet-utf8.csv");
    const std::string plain = test::ReadFileBytes(data + "spreadsheet-utf8-plain.csv");
    const char* const names[] = {"収入",   "食費",   "交通費", "交際費",
                                 "光熱費", "通信費", "住居費", "雑費"};
    for (const std::string& bytes : {sjis, utf8, plain, "\xEF\xBB\xBF" + utf8, sjis + "\n\n"}) {
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

// A list of more matters than any ledger has is refused in both forms, before it costs memory;
// ledgers without outgo matters, or without any matter, are written so that they read back.
TEST_F(CsvFile, MatterListsOfEverySize) {
    const struct {
        std::size_t income, outgo;
        bool valid;
    } sizes[] = {
        {1000, 1000, true}, {1001, 1, false}, {1, 1001, false}, {1, 0, true}, {0, 0, true}};
    for (const std::string name : {"ledger.csv", "ledger.tm2"}) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(name + " " + std::to_string(size.income) + "/" +
                         std::to_string(size.outgo));
            const MatterList income(size.income, Matter(Cp932Text("a"), 90, true));
            doc.SetMatterLists(income, MatterList(size.outgo, Matter(Cp932Text("b"), 90, true)));
            doc.Settings().CloseDay = 5;
            if (size.income) doc.AppendLoadedEntry({Day(2000, 1, 2), 0, 10, {}});
            SaveBytes(name);
            doc.DeleteContents();
            messages.clear();
            EXPECT_EQ(doc.LoadLedgerFile(PathOf(name)), size.valid);
            EXPECT_EQ(messages.size(), size.valid ? 0u : 1u);
            EXPECT_EQ(doc.MatterCount(), size.valid ? size.income + size.outgo : 0u);
            EXPECT_EQ(doc.Entries().size(), size.valid && size.income ? 1u : 0u);
        }
    }
}

// Widths that do not fit 16 bits wrap; close day fields above 27 mean month end, which is
// written as 28; without the field the setting keeps its value.
TEST_F(CsvFile, WidthAndCloseDayFields) {
    ASSERT_TRUE(LoadBytes("2,90,95,abc,-1,60\r\n2000,a,b,c\r\n", "ledger.csv"));
    EXPECT_EQ(doc.IncomeList(),
              (MatterList{Matter(Cp932Text("a"), 900, true), Matter(Cp932Text("b"), 950, true)}));
    EXPECT_EQ(doc.OutgoList(),
              (MatterList{Matter(Cp932Text("c"), 0, true), Matter(Cp932Text(""), 65526, true)}));

    const std::pair<std::string, std::uint16_t> cases[] = {{",0", 0},  {",27", 27},    {",28", 0},
                                                           {",99", 0}, {",65563", 27}, {",-1", 0},
                                                           {",", 0},   {",5,26", 26},  {"", 13}};
    for (const auto& [field, closeDay] : cases) {
        SCOPED_TRACE(field);
        doc.Settings().CloseDay = 13;
        ASSERT_TRUE(LoadBytes("1,90,90,60\r\n2000,a,b" + field + "\r\n", "ledger.csv"));
        EXPECT_EQ(doc.Settings().CloseDay, closeDay);
    }
    for (const std::uint16_t closeDay : {0, 27}) {
        doc.Settings().CloseDay = closeDay;
        EXPECT_TRUE(SplitLines(SaveBytes("close.csv"))[1].ends_with(closeDay ? ",27" : ",28"));
        doc.Settings().CloseDay = 13;
        ASSERT_TRUE(doc.LoadLedgerFile(PathOf("close.csv")));
        EXPECT_EQ(doc.Settings().CloseDay, closeDay);
    }
}

}  // namespace
}  // namespace tallymo
