#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;

std::string Name(const CTallymoDoc& doc, MatterIndex index) {
    return Cp932ToUtf8(doc.GetMatter(index)->Name());
}

// Income 収入, 賞与 and outgo 食費, 雑費 (indexes 0..3), one entry per matter on distinct days.
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
    std::int32_t AmountOf(MatterIndex m, int day) const { return doc.DayAmount(Day(2005, 1, day), m); }

    MemorySettingsStore store;
    CTallymoDoc doc;
    std::vector<UserMessage> messages;
};

TEST_F(MatterLists, InsertingAnIncomeMatterMovesEveryLaterIndex) {
    doc.InsertMatter(1, *Utf8ToCp932("臨時収入"), true, true);
    ASSERT_EQ(doc.MatterCount(), 5);
    EXPECT_EQ(Name(doc, 0), "収入");
    EXPECT_EQ(Name(doc, 1), "臨時収入");
    EXPECT_EQ(Name(doc, 2), "賞与");
    EXPECT_EQ(Name(doc, 3), "食費");
    EXPECT_EQ(Name(doc, 4), "雑費");
    EXPECT_EQ(doc.GetMatter(1)->CellWidth(), 900);
    EXPECT_EQ(AmountOf(0, 1), 100);
    EXPECT_EQ(AmountOf(2, 2), 200);
    EXPECT_EQ(AmountOf(3, 3), 300);
    EXPECT_EQ(AmountOf(4, 4), 400);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 4)), 100 + 200 - 300 - 400);
    EXPECT_FALSE(doc.IsModified());

    doc.DeleteMatter(1);
    EXPECT_EQ(doc.MatterCount(), 4);
    EXPECT_EQ(AmountOf(1, 2), 200);
    EXPECT_EQ(AmountOf(3, 4), 400);
}

TEST_F(MatterLists, InsertingAtTheEndOfOutgoRenumbersNothing) {
    const auto before = doc.Entries();
    doc.InsertMatter(2, *Utf8ToCp932("趣味"), false, false);
    EXPECT_EQ(doc.Entries(), before);
    EXPECT_EQ(Name(doc, 4), "趣味");
    EXPECT_FALSE(doc.IsMatterVisible(4));
}

TEST_F(MatterLists, DeletingAMatterDropsItsEntriesAndLowersTheRest) {
    doc.DeleteMatter(1);
    ASSERT_EQ(doc.Entries().size(), 3u);
    EXPECT_EQ(AmountOf(1, 3), 300);
    EXPECT_EQ(AmountOf(2, 4), 400);
    EXPECT_EQ(doc.IncomeCount(), 1);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 31)), 100 - 300 - 400);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MatterLists, SwappingExchangesMattersWithTheirEntries) {
    doc.SwapMatters(2, 3);
    EXPECT_EQ(Name(doc, 2), "雑費");
    EXPECT_EQ(Name(doc, 3), "食費");
    EXPECT_EQ(AmountOf(3, 3), 300);  // 食費's entry followed it
    EXPECT_EQ(AmountOf(2, 4), 400);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MatterLists, OperationsOnBadIndexesReportAndChangeNothing) {
    const auto before = doc.Entries();
    doc.SwapMatters(1, 2);  // income with outgo
    doc.SwapMatters(0, 4);
    doc.DeleteMatter(4);
    doc.DeleteMatter(-1);
    doc.ModifyMatter(4, "x", true);
    ASSERT_EQ(messages.size(), 5u);
    for (const UserMessage& m : messages) {
        EXPECT_EQ(m.text, "事柄処理で致命的なエラーが発生しました。");
        EXPECT_EQ(m.helpContext, 3210);
    }
    EXPECT_EQ(doc.Entries(), before);
    EXPECT_EQ(doc.MatterCount(), 4);
}

TEST_F(MatterLists, ModifyKeepsWidthAndMarksOnlyVisibilityChanges) {
    doc.GetMatter(2)->SetCellWidth(1500);
    doc.ModifyMatter(2, *Utf8ToCp932("外食"), true);
    EXPECT_EQ(Name(doc, 2), "外食");
    EXPECT_EQ(doc.GetMatter(2)->CellWidth(), 1500);
    EXPECT_FALSE(doc.IsModified());
    doc.ModifyMatter(2, *Utf8ToCp932("外食"), false);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(AmountOf(2, 3), 300);  // hidden matters keep their entries
}

TEST_F(MatterLists, EntriesWaitingForRedoFollowTheirMatters) {
    doc.Undo();  // 雑費's 400
    doc.Undo();  // 食費's 300
    doc.InsertMatter(0, *Utf8ToCp932("年金"), true, true);
    doc.DeleteMatter(3);  // 食費 (was 2) is gone, with its waiting entry
    doc.Redo();
    ASSERT_EQ(doc.Entries().size(), 3u);
    EXPECT_EQ(Name(doc, doc.Entries().back().matter), "雑費");
    EXPECT_EQ(doc.Entries().back().amount, 400);
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(MatterLists, RemoveZeroEntriesKeepsTheRest) {
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 9), 2, 0, {}});
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 9), 1, 5, {}});
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 2);
    doc.RemoveZeroEntries();
    EXPECT_EQ(doc.Entries().size(), 5u);
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 1);
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 9), 1), 5);
}

TEST_F(MatterLists, LoadedEntriesOutsideTheListsAreDropped) {
    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), 4, 1, {}}));
    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), -1, 1, {}}));
    EXPECT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), 3, 1, {}}));
    EXPECT_EQ(doc.Entries().size(), 5u);
}

}  // namespace
}  // namespace tallymo
