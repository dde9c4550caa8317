#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;
using test::Sjis;
using Names = std::vector<std::string>;

// Income 収入, 賞与 and outgo 食費, 雑費 (indexes 0..3); matter m has 100 x (m + 1) booked on
// 1 + m January.
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
    Names MatterNames() const {
        Names names;
        for (MatterIndex m = 0; m < doc.MatterCount(); ++m)
            names.push_back(Cp932ToUtf8(doc.GetMatter(m)->Name()));
        return names;
    }
    // The matter of each entry, in sequence order.
    std::vector<MatterIndex> EntryMatters() const {
        std::vector<MatterIndex> matters;
        for (const LedgerEntry& e : doc.Entries()) matters.push_back(e.matter);
        return matters;
    }

    MemorySettingsStore store;
    CTallymoDoc doc;
    std::vector<UserMessage> messages;
};

TEST_F(MatterLists, InsertingAndDeletingRenumberTheEntries) {
    doc.InsertMatter(1, Sjis("臨時収入"), true, true);
    EXPECT_EQ(MatterNames(), (Names{"収入", "臨時収入", "賞与", "食費", "雑費"}));
    EXPECT_EQ(doc.GetMatter(1)->CellWidth(), 900);
    EXPECT_EQ(EntryMatters(), (std::vector<MatterIndex>{0, 2, 3, 4}));
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 4), 4), 400);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 4)), 100 + 200 - 300 - 400);
    EXPECT_FALSE(doc.IsModified());

    doc.InsertMatter(2, Sjis("趣味"), false, false);  // at the end of outgo: nothing moves
    EXPECT_EQ(EntryMatters(), (std::vector<MatterIndex>{0, 2, 3, 4}));
    EXPECT_EQ(MatterNames().back(), "趣味");
    EXPECT_FALSE(doc.IsMatterVisible(5));

    doc.DeleteMatter(2);  // 賞与 goes with its entry; the later ones move down
    EXPECT_EQ(EntryMatters(), (std::vector<MatterIndex>{0, 2, 3}));
    EXPECT_EQ(doc.IncomeCount(), 2);
    EXPECT_EQ(doc.BalanceThrough(Day(2005, 1, 31)), 100 - 300 - 400);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MatterLists, SwappingExchangesMattersWithTheirEntries) {
    doc.SwapMatters(2, 3);
    EXPECT_EQ(MatterNames(), (Names{"収入", "賞与", "雑費", "食費"}));
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 3), 3), 300);  // 食費's entry followed it
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 4), 2), 400);
    doc.SwapMatters(0, 1);
    EXPECT_EQ(MatterNames(), (Names{"賞与", "収入", "雑費", "食費"}));
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 1), 1), 100);
    doc.SwapMatters(1, 0);
    EXPECT_EQ(MatterNames()[0], "収入");
    EXPECT_TRUE(messages.empty());
}

TEST_F(MatterLists, OperationsOnBadIndexesReportAndChangeNothing) {
    const auto before = doc.Entries();
    doc.SwapMatters(1, 2);  // income with outgo
    doc.SwapMatters(0, 4);
    doc.SwapMatters(3, 4);  // one past the end, on the outgo side
    doc.SwapMatters(4, 3);
    doc.DeleteMatter(4);
    doc.DeleteMatter(-1);
    doc.ModifyMatter(4, Cp932Text("x"), true);
    ASSERT_EQ(messages.size(), 7u);
    for (const UserMessage& m : messages) {
        EXPECT_EQ(m.text, "事柄処理で致命的なエラーが発生しました。");
        EXPECT_EQ(m.helpContext, 3210);
    }
    EXPECT_EQ(doc.Entries(), before);
    EXPECT_EQ(doc.MatterCount(), 4);
}

TEST_F(MatterLists, ModifyKeepsWidthAndMarksOnlyVisibilityChanges) {
    doc.GetMatter(2)->SetCellWidth(1500);
    doc.ModifyMatter(2, Sjis("外食"), true);
    EXPECT_EQ(MatterNames()[2], "外食");
    EXPECT_EQ(doc.GetMatter(2)->CellWidth(), 1500);
    EXPECT_FALSE(doc.IsModified());
    doc.ModifyMatter(2, Sjis("外食"), false);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 3), 2), 300);  // hidden matters keep their entries
}

// Entries waiting for redo are renumbered with the lists, and dropped with their matter.
TEST_F(MatterLists, EntriesWaitingForRedoFollowTheirMatters) {
    doc.Undo();  // 雑費's 400
    doc.Undo();  // 食費's 300
    doc.InsertMatter(0, Sjis("年金"), true, true);
    doc.DeleteMatter(3);  // 食費 (was 2) is gone, with its waiting entry
    doc.Redo();
    ASSERT_EQ(doc.Entries().size(), 3u);
    EXPECT_EQ(MatterNames()[doc.Entries().back().matter], "雑費");
    EXPECT_EQ(doc.Entries().back().amount, 400);
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(MatterLists, ZeroEntriesAndEntriesOutsideTheLists) {
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 9), 2, 0, {}});
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 9), 1, 5, {}});
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 2);
    doc.RemoveZeroEntries();
    EXPECT_EQ(doc.Entries().size(), 5u);
    EXPECT_EQ(doc.CountEntries(2, Day(2005, 1, 1), Day(2005, 1, 31)), 1);

    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), 4, 1, {}}));
    EXPECT_FALSE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), -1, 1, {}}));
    EXPECT_TRUE(doc.AppendLoadedEntry(LedgerEntry{Day(2005, 2, 1), 3, 1, {}}));
    EXPECT_EQ(doc.Entries().size(), 6u);
    // Asked about a matter the lists lack, the document knows of nothing booked.
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 4), 4), 0);
    EXPECT_EQ(doc.CountEntries(4, Day(2005, 1, 1), Day(2005, 2, 28)), 0);
}

}  // namespace
}  // namespace tallymo
