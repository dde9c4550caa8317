#include <gtest/gtest.h>

#include <algorithm>

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

class CsvFile : public test::LedgerFileTest {};

// One line per day from 2000/01/01 to the end of the last entry's year, with the day's sums and
// the running balance; entries before 2000 are left out with a message but count in the
// balance. Read back, what the form holds survives, the rest is documented loss; names with
// commas, line breaks or quotes keep their column.
TEST_F(CsvFile, WriteAndReadCycle) {
    doc.SetMatterLists(
        {Matter(Sjis("収入①,賞与"), 905, true), Matter(Sjis("髙"), 1000, false)},
        {Matter(Cp932Text("a\r\nb\rc\nd"), 1209, true), Matter(Sjis("\"q\" x"), 9, true)});
    doc.AppendLoadedEntry({Day(2000, 1, 1), 0, 10000, Sjis("メモ")});
    doc.AppendLoadedEntry({Day(2000, 1, 1), 0, 200, {}});
    doc.AppendLoadedEntry({Day(1999, 12, 31), 1, 5000, {}});
    doc.AppendLoadedEntry({Day(2002, 1, 1), 2, INT32_MAX, {}});
    doc.AppendLoadedEntry({Day(2000, 1, 5), 3, -40, {}});
    doc.Settings() = LedgerSettings{true, 120, 2, false, 3, 0, true};
    const std::string bytes = SaveBytes("ledger.csv");
    ExpectOnlyMessage(kEarlyEntriesNotSaved, 3010, MessageIcon::None);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2 + 1096);  // 2000 .. 2002: one leap
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 2 + 1096);  // every line ends CR LF
    const std::string head = "2,90,100,120,0,60\r\n" +  // month end is written as 28
                             Sjis("2002,収入①，賞与,髙,a  b c d,\"\"\"q\"\" x\",28").Bytes() +
                             "\r\n2000/01/01,10200,0,0,0,15200\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_NE(bytes.find("\r\n2000/01/05,0,0,0,-40,15240\r\n"), std::string::npos);
    EXPECT_TRUE(bytes.ends_with("\r\n2002/12/31,0,0,0,0,-2147468407\r\n"));

    doc.Settings().CloseDay = 13;
    messages.clear();
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.csv")));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(doc.IncomeList(),
              (MatterList{Matter(Sjis("収入①，賞与"), 900, true), Matter(Sjis("髙"), 1000, true)}));
    EXPECT_EQ(doc.OutgoList(), (MatterList{Matter(Cp932Text("a  b c d"), 1200, true),
                                           Matter(Sjis("\"q\" x"), 0, true)}));
    // Entries come back day by day, one per cell, without memo.
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2000, 1, 1), 0, 10200, {}},
                                                       {Day(2000, 1, 5), 3, -40, {}},
                                                       {Day(2002, 1, 1), 2, INT32_MAX, {}}}));
    EXPECT_EQ(doc.Settings().CloseDay, 0);  // 28 is read as month end
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

// An entry read from a day line of January 2000.
LedgerEntry Jan(int day, MatterIndex matter, std::int32_t amount) {
    return {Day(2000, 1, day), matter, amount, {}};
}

// A line that breaks the rules makes the file invalid. Without the close day field, the setting
// keeps its value.
TEST_F(CsvFile, ReadsDayLinesByTheirRules) {
    const std::string h = "1,90,90,120,60\r\n2000,in,food,misc\r\n";
    doc.Settings().CloseDay = 13;
    const struct {
        const char* what;
        std::string text;
        bool valid;
        std::vector<LedgerEntry> entries = {};
    } cases[] = {
        {"quotes and blanks", h + "\" 2000 / 1/ 5\",0,800,0,9200", true, {Jan(5, 1, 800)}},
        {"held in range",
         h + "2000/1/5,-9999999999,-0,4294967295",
         true,
         {Jan(5, 0, INT32_MIN), Jan(5, 2, INT32_MAX)}},
        {"a name CP932 cannot hold",
         "\xEF\xBB\xBF"
         "1,90,60\r\n2000,\xF0\x9F\x98\x80,25",
         false},
        {"a first line of a million commas", std::string(1 << 20, ',') + "\r\n2000\r\n", false},
        {"before 1970", h + "1969/12/31,1\r\n", false},
        {"widths within the income count", "5,90,90,60\r\n2000,a,b,25\r\n", false},
    };
    for (const auto& read : cases) {
        SCOPED_TRACE(read.what);
        messages.clear();
        const auto before = Take();
        EXPECT_EQ(LoadBytes(read.text, "ledger.csv"), read.valid);
        if (read.valid) {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(doc.MatterCount(), 3);
            EXPECT_EQ(doc.Settings().CloseDay, 13);
            EXPECT_EQ(doc.Entries(), read.entries);
        } else {
            ExpectOnlyMessage(kInvalidCsv, 3060, MessageIcon::Stop);
            EXPECT_EQ(Take(), before);
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
    }
    // "±" is UTF-8 from the lowest lead byte, C2.
    std::string sign = plain;
    sign.replace(sign.find("雑費"), std::string("雑費").size(), "雑費±");
    ASSERT_TRUE(LoadBytes(sign, "sheet.csv"));
    EXPECT_EQ(doc.GetMatter(7)->Name(), Sjis("雑費±"));
}

// A list of more matters than any ledger has is refused in both forms, before it costs memory;
// ledgers without outgo matters, or without any matter, are written so that they read back.
TEST_F(CsvFile, MatterListsOfEverySize) {
    const struct {
        std::size_t income, outgo;
        bool valid;
    } sizes[] = {{1000, 1000, true}, {1001, 1, false}, {1, 0, true}, {0, 0, true}};
    for (const std::string name : {"ledger.csv", "ledger.tm2"}) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(testing::Message() << name << " " << size.income << "/" << size.outgo);
            const MatterList income(size.income, Matter(Cp932Text("a"), 90, true));
            doc.SetMatterLists(income, MatterList(size.outgo, Matter(Cp932Text("b"), 90, true)));
            SaveBytes(name);
            doc.DeleteContents();
            messages.clear();
            EXPECT_EQ(doc.LoadLedgerFile(PathOf(name)), size.valid);
            EXPECT_EQ(messages.size(), size.valid ? 0u : 1u);
            EXPECT_EQ(doc.MatterCount(), size.valid ? size.income + size.outgo : 0u);
        }
    }
}

}  // namespace
}  // namespace tallymo
