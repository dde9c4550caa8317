#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;
using test::Sjis;

// Income 収入, 賞与 and outgo 食費, 雑費 (indexes 0..3); matter m has 100 x (m + 1) booked on
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
        doc.SetModifiedFlag(false);
    }
    MemorySettingsStore store;
    CTallymoDoc doc;
    std::vector<UserMessage> messages;
};

// List changes renumber the entries without marking the ledger (the caller does); only a
// change of visibility does. A new matter gets the standard width, a renamed one keeps its own.
TEST_F(MatterLists, ChangesRenumberTheEntriesAndMarkOnlyVisibility) {
    doc.InsertMatter(1, Sjis("臨時収入"), true, true);
    EXPECT_EQ(doc.GetMatter(1)->CellWidth(), 900);
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 4), 4), 400);
    doc.SwapMatters(3, 4);
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 4), 3), 400);
    doc.DeleteMatter(2);  // 賞与 goes with its entry
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 31)), 100 - 300 - 400);
    doc.GetMatter(2)->SetCellWidth(1500);
    doc.ModifyMatter(2, Sjis("外食"), true);
    EXPECT_EQ(Cp932ToUtf8(doc.GetMatter(2)->Name()), "外食");
    EXPECT_EQ(doc.GetMatter(2)->CellWidth(), 1500);
    EXPECT_FALSE(doc.IsModified());
    doc.ModifyMatter(2, Sjis("外食"), false);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MatterLists, OperationsOnBadIndexesReportAndChangeNothing) {
    const auto before = doc.Entries();
    doc.SwapMatters(1, 2);  // income with outgo
    doc.SwapMatters(3, 4);  // one past the end, on the outgo side
    doc.SwapMatters(4, 3);
    doc.DeleteMatter(4);
    doc.DeleteMatter(-1);
    doc.ModifyMatter(4, Cp932Text("x"), true);
    ASSERT_EQ(messages.size(), 6u);
    for (const UserMessage& m : messages) {
        EXPECT_EQ(m.text, "事柄処理で致命的なエラーが発生しました。");
        EXPECT_EQ(m.helpContext, 3210);
    }
    EXPECT_EQ(doc.Entries(), before);
    EXPECT_EQ(doc.MatterCount(), 4);
}

TEST_F(MatterLists, ZeroEntriesAndEntriesOutsideTheLists) {
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 9), 2, 0, {}});
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 2);
    doc.RemoveZeroEntries();
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 1);
    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), 4, 1, {}}));
    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), -1, 1, {}}));
    EXPECT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), 3, 1, {}}));
    EXPECT_EQ(doc.Entries().size(), 5u);
    // Asked about a matter the lists lack, the document knows of nothing booked.
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 4), 4), 0);
    EXPECT_EQ(doc.CountEntries(4, Day(2005, 1, 1), Day(2005, 2, 28)), 0);
}

}  // namespace
}  // namespace tallymo
