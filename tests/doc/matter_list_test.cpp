#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;
using test::Sjis;

// Income 収入, 賞与 and outgo 食費, 雑費 (indexes 0..3), matter m with 100 x (m + 1) booked on
// 1 + m January. (The random sessions of matter_list_edit_test and index_equivalence_test
// check that entries follow their matters through every list change.)
class MatterLists : public ::testing::Test {
protected:
    MatterLists() : doc(store) {
        doc.SetMessageHandler([this](const UserMessage& m) { messages.push_back(m); });
        test::ResetLedger(doc, {"収入", "賞与"}, {"食費", "雑費"});
        for (MatterIndex m = 0; m < 4; ++m) {
            doc.BookEntry(Day(2005, 1, 1 + m), m, 100 * (m + 1), {}, false);
        }
    }
    MemorySettingsStore store;
    CTallymoDoc doc;
    std::vector<UserMessage> messages;
};

// A new matter gets the standard width, a renamed one keeps its own.
TEST_F(MatterLists, NewMattersGetTheStandardWidthRenamedOnesKeepTheirs) {
    doc.InsertMatter(1, Sjis("臨時収入"), true, true);
    EXPECT_EQ(doc.GetMatter(1)->CellWidth(), 900);
    doc.GetMatter(3)->SetCellWidth(1500);
    doc.ModifyMatter(3, Sjis("外食"), true);
    EXPECT_EQ(doc.GetMatter(3)->Name(), Sjis("外食"));
    EXPECT_EQ(doc.GetMatter(3)->CellWidth(), 1500);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MatterLists, OperationsOnBadIndexesReportAndChangeNothing) {
    const auto before = doc.Entries();
    doc.SwapMatters(1, 2);  // income with outgo
    doc.SwapMatters(3, 4);  // one past the end, on the outgo side
    doc.DeleteMatter(-1);
    doc.ModifyMatter(4, Cp932Text("x"), true);
    ASSERT_EQ(messages.size(), 4u);
    for (const UserMessage& m : messages) {
        EXPECT_EQ(m.text, "事柄処理で致命的なエラーが発生しました。");
        EXPECT_EQ(m.helpContext, 3210);
    }
    EXPECT_EQ(doc.Entries(), before);
    EXPECT_EQ(doc.MatterCount(), 4);
}

// Entries of matters the lists lack are not taken; asked about such a matter, the document
// knows of nothing booked. Zero entries from a file go on request.
TEST_F(MatterLists, ZeroEntriesAndEntriesOutsideTheLists) {
    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), 4, 1, {}}));
    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), -1, 1, {}}));
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 4), 4), 0);
    EXPECT_EQ(doc.CountEntries(4, Day(2005, 1, 1), Day(2005, 2, 28)), 0);
    EXPECT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 9), 2, 0, {}}));
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 2);
    doc.RemoveZeroEntries();
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 1);
    EXPECT_EQ(doc.Entries().size(), 4u);
}

}  // namespace
}  // namespace tallymo
