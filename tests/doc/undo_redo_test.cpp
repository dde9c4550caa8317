#include <gtest/gtest.h>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;

class UndoRedo : public ::testing::Test {
protected:
    UndoRedo() : doc(store) { test::ResetLedger(doc, {"収入"}, {"食費", "雑費"}); }
    std::vector<std::int32_t> Amounts() const {
        std::vector<std::int32_t> amounts;
        for (const LedgerEntry& e : doc.Entries()) amounts.push_back(e.amount);
        return amounts;
    }
    MemorySettingsStore store;
    CTallymoDoc doc;
};

TEST_F(UndoRedo, TakesEntriesOffTheEndAndPutsThemBackInOrder) {
    EXPECT_FALSE(doc.CanUndo());
    doc.BookEntry(Day(2005, 1, 1), 0, 100, {}, false);
    doc.BookEntry(Day(2005, 1, 2), 1, 200, {}, false);
    doc.BookEntry(Day(2005, 1, 3), 2, 300, {}, false);
    doc.SetModifiedFlag(false);
    int refreshes = 0;
    doc.AddRefreshListener([&] { ++refreshes; });
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(Amounts(), std::vector<std::int32_t>{100});
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 2), 1), 0);
    EXPECT_TRUE(doc.CanRedo());
    doc.Redo();
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{100, 200}));
    EXPECT_EQ(doc.DayAmount(Day(2005, 1, 2), 1), 200);
    EXPECT_EQ(refreshes, 3);
    EXPECT_FALSE(doc.IsModified());  // undo and redo leave the flag alone

    doc.Undo();
    doc.Undo();
    EXPECT_FALSE(doc.CanUndo());
    doc.Undo();  // nothing left: no change
    EXPECT_EQ(doc.RedoHistory().size(), 3u);
    doc.Redo();
    doc.Redo();
    doc.Redo();
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{100, 200, 300}));
}

TEST_F(UndoRedo, BookingsOverwritesAndClearingInBetween) {
    // A booking between undo and redo stays in front.
    doc.BookEntry(Day(2005, 1, 1), 1, 100, {}, false);
    doc.Undo();
    doc.BookEntry(Day(2005, 1, 2), 1, 500, {}, false);
    doc.Redo();
    EXPECT_EQ(Amounts(), (std::vector<std::int32_t>{500, 100}));

    // Undoing an overwrite leaves the replaced entries removed.
    doc.BookEntry(Day(2005, 1, 1), 1, 700, {}, true);
    doc.Undo();
    EXPECT_EQ(Amounts(), std::vector<std::int32_t>{500});

    // A zero entry from a file undoes like any other; clearing forgets the redo history.
    doc.AppendLoadedEntry(LedgerEntry{Day(2005, 1, 1), 1, 0, {}});
    doc.Undo();
    EXPECT_EQ(Amounts(), std::vector<std::int32_t>{500});  // the zero entry came off
    doc.DeleteContents();
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_FALSE(doc.CanUndo());
}

}  // namespace
}  // namespace tallymo
