#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "analysis/Advice.h"
#include "analysis/GraphContent.h"
#include "app/MatterListEdit.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"
#include "views/PeriodTable.h"

namespace tallymo {
namespace {

using test::Day;
using test::Sjis;
using Names = std::vector<std::string>;

// An entry with its matter named by identity instead of by position.
struct HeldEntry {
    TimeValue date;
    MatterId matter;
    std::int32_t amount;
    std::string memo;
    bool operator==(const HeldEntry&) const = default;
};

std::vector<HeldEntry> Held(const CTallymoDoc& doc, const std::vector<LedgerEntry>& entries) {
    std::vector<HeldEntry> held;
    for (const LedgerEntry& e : entries) {
        const Matter* matter = doc.GetMatter(e.matter);  // none: an entry without a matter
        held.push_back({e.date, matter ? matter->Id() : kNoMatterId, e.amount, e.memo.str()});
    }
    return held;
}

std::vector<HeldEntry> Without(std::vector<HeldEntry> entries, const std::vector<MatterId>& gone) {
    std::erase_if(entries, [&](const HeldEntry& e) {
        return std::find(gone.begin(), gone.end(), e.matter) != gone.end();
    });
    return entries;
}

Names NamesOf(const MatterList& list) {
    Names names;
    for (const Matter& m : list)
        names.push_back(Cp932ToUtf8(m.Name()) + (m.IsVisible() ? "" : "-"));
    return names;
}

std::vector<MatterId> Ids(const CTallymoDoc& doc) {
    std::vector<MatterId> ids;
    for (MatterIndex m = 0; m < doc.MatterCount(); ++m) ids.push_back(doc.GetMatter(m)->Id());
    return ids;
}

// The matters of `before` that are no longer in the ledger.
std::vector<MatterId> Gone(const std::vector<MatterId>& before, const CTallymoDoc& doc) {
    const auto now = Ids(doc);
    std::vector<MatterId> gone;
    for (MatterId id : before) {
        if (std::find(now.begin(), now.end(), id) == now.end()) gone.push_back(id);
    }
    return gone;
}

EditedMatter NewItem(const std::string& utf8) {
    return {Sjis(utf8), true, kNoMatterId};
}

// Income 給与, 賞与, 臨時収入 and outgo 食費, 交通費, 雑費. Every matter has an entry in each of
// January, February and March 2005; the last three bookings wait for redo.
class ApplyMatterListTest : public ::testing::Test {
protected:
    ApplyMatterListTest() : doc(store) {
        doc.SetMessageHandler([this](const UserMessage& m) { messages.push_back(m); });
        test::ResetLedger(doc, {"給与", "賞与", "臨時収入"}, {"食費", "交通費", "雑費"});
        for (int month = 1; month <= 3; ++month) {
            for (MatterIndex m = 0; m < 6; ++m) {
                doc.BookEntry(Day(2005, month, 1 + 3 * m), m, 1000 * month + 10 * m, {}, false);
            }
        }
        for (int i = 0; i < 3; ++i) doc.Undo();
        doc.SetCurrentDate(Day(2005, 3, 31));
        doc.SetModifiedFlag(false);
    }

    MemorySettingsStore store;
    CTallymoDoc doc;
    std::vector<UserMessage> messages;
};

// Every scenario applies both lists and checks the names (a trailing "-" marks a hidden
// matter) and that each surviving entry, booked or waiting for redo, kept its matter.
TEST_F(ApplyMatterListTest, EditsReachTheLedgerAndEntriesKeepTheirMatters) {
    struct Case {
        const char* what;
        std::function<void(EditedMatterList& income, EditedMatterList& outgo)> edit;
        Names income;
        Names outgo;
    };
    const Case cases[] = {
        {"delete the first outgo matter and add one at the top",
         [](auto&, auto& outgo) {
             outgo.erase(outgo.begin());
             outgo.insert(outgo.begin(), NewItem("趣味"));
         },
         {"給与", "賞与", "臨時収入"},
         {"趣味", "交通費", "雑費"}},
        {"move the last income matter to the top",
         [](auto& income, auto&) {
             std::swap(income[2], income[1]);
             std::swap(income[1], income[0]);
         },
         {"臨時収入", "給与", "賞与"},
         {"食費", "交通費", "雑費"}},
        {"rename and hide",
         [](auto&, auto& outgo) {
             outgo[0].name = Sjis("食料品");
             outgo[0].visible = false;
         },
         {"給与", "賞与", "臨時収入"},
         {"食料品-", "交通費", "雑費"}},
        {"delete every outgo matter and add new ones",
         [](auto&, auto& outgo) {
             outgo = {NewItem("家賃"), NewItem("保険")};
         },
         {"給与", "賞与", "臨時収入"},
         {"家賃", "保険"}},
        {"delete every income matter, add one in the middle of the outgo, rotate the outgo",
         [](auto& income, auto& outgo) {
             income.clear();
             outgo.insert(outgo.begin() + 1, NewItem("副業費"));
             std::rotate(outgo.begin(), outgo.begin() + 1, outgo.end());
         },
         {},
         {"副業費", "交通費", "雑費", "食費"}},
        {"an item standing for a matter of the other kind becomes a new matter",
         [](auto& income, auto& outgo) { outgo.push_back(income[0]); },
         {"給与", "賞与", "臨時収入"},
         {"食費", "交通費", "雑費", "給与"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ResetLedger(doc, {"給与", "賞与", "臨時収入"}, {"食費", "交通費", "雑費"});
        for (int month = 1; month <= 3; ++month) {
            for (MatterIndex m = 0; m < 6; ++m) {
                doc.BookEntry(Day(2005, month, 1 + m), m, 100 * month + m, {}, false);
            }
        }
        for (int i = 0; i < 4; ++i) doc.Undo();
        doc.SetModifiedFlag(false);
        const auto entries = Held(doc, doc.Entries());
        const auto redo = Held(doc, doc.RedoHistory());
        const auto ids = Ids(doc);
        EditedMatterList income = TakeMatterList(doc, true);
        EditedMatterList outgo = TakeMatterList(doc, false);
        c.edit(income, outgo);

        const bool incomeChanged = ApplyMatterList(doc, true, income);
        const bool outgoChanged = ApplyMatterList(doc, false, outgo);
        EXPECT_TRUE(incomeChanged || outgoChanged);
        EXPECT_EQ(NamesOf(doc.IncomeList()), c.income);
        EXPECT_EQ(NamesOf(doc.OutgoList()), c.outgo);
        EXPECT_TRUE(doc.IsModified());
        const auto gone = Gone(ids, doc);
        EXPECT_EQ(Held(doc, doc.Entries()), Without(entries, gone));
        EXPECT_EQ(Held(doc, doc.RedoHistory()), Without(redo, gone));
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(ApplyMatterListTest, ARenameAloneMarksTheLedgerModifiedAndNoEditLeavesItAlone) {
    EXPECT_FALSE(ApplyMatterList(doc, true, TakeMatterList(doc, true)));
    EXPECT_FALSE(ApplyMatterList(doc, false, TakeMatterList(doc, false)));
    EXPECT_FALSE(doc.IsModified());

    EditedMatterList outgo = TakeMatterList(doc, false);
    outgo[1].name = Sjis("電車賃");
    EXPECT_TRUE(ApplyMatterList(doc, false, outgo));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(NamesOf(doc.OutgoList()), (Names{"食費", "電車賃", "雑費"}));
}

// Deleting 賞与 must leave every table, balance and figure exactly as in a ledger that never had
// it: compared with such a ledger built from scratch.
TEST_F(ApplyMatterListTest, ADeletedMatterLeavesNoTraceInTablesAndFigures) {
    while (doc.CanRedo()) doc.Redo();
    EditedMatterList income = TakeMatterList(doc, true);
    income.erase(income.begin() + 1);
    ApplyMatterList(doc, true, income);
    ApplyMatterList(doc, false, TakeMatterList(doc, false));

    MemorySettingsStore otherStore;
    CTallymoDoc fresh(otherStore);
    test::ResetLedger(fresh, {"給与", "臨時収入"}, {"食費", "交通費", "雑費"});
    for (int month = 1; month <= 3; ++month) {
        for (MatterIndex m = 0; m < 6; ++m) {
            if (m == 1) continue;
            fresh.BookEntry(Day(2005, month, 1 + 3 * m), m > 1 ? m - 1 : m, 1000 * month + 10 * m,
                            {}, false);
        }
    }
    fresh.SetCurrentDate(doc.GetCurrentDate());
    ASSERT_EQ(doc.Entries().size(), 15u);
    ASSERT_EQ(doc.Entries(), fresh.Entries());

    const auto texts = [](const PeriodTable& table) {
        std::vector<std::string> cells;
        for (int r = 0; r < table.Rows(); ++r)
            for (int c = 0; c < table.Columns(); ++c) cells.push_back(table.At(r, c).text);
        return cells;
    };
    for (int showType : {0, 1}) {
        doc.Settings().ShowType = fresh.Settings().ShowType = showType;
        EXPECT_EQ(texts(BuildLedgerTable(doc, MakeLedgerTableShape(doc))),
                  texts(BuildLedgerTable(fresh, MakeLedgerTableShape(fresh))));
    }
    EXPECT_EQ(texts(BuildPrintedMonthTable(doc)), texts(BuildPrintedMonthTable(fresh)));
    for (TimeValue day : {Day(2005, 1, 31), Day(2005, 2, 28), Day(2005, 3, 31)}) {
        EXPECT_EQ(doc.BalanceThrough(day), fresh.BalanceThrough(day));
    }
    for (GraphTab tab : {GraphTab::Share, GraphTab::Trend}) {
        for (bool project : {false, true}) {
            const GraphContent ours = BuildGraphContent(doc, {tab, project, 0});
            const GraphContent theirs = BuildGraphContent(fresh, {tab, project, 0});
            EXPECT_EQ(ours.table, theirs.table);
            EXPECT_EQ(ours.chart.texts, theirs.chart.texts);
            EXPECT_EQ(ours.advice, theirs.advice);
        }
    }
}

// After the lists changed, every booking waiting for redo and every one undone and redone again
// acts on its own matter only, overwrites included.
TEST_F(ApplyMatterListTest, UndoAndRedoAfterTheListsChangedTouchOnlyTheirOwnMatters) {
    const TimeValue day = Day(2005, 3, 10);
    for (MatterIndex m : {3, 4, 3, 5, 4}) doc.BookEntry(day, m, 10 * m, {}, true);
    doc.BookEntry(day, 3, 0, {}, true);  // clears 食費's cell
    for (int i = 0; i < 4; ++i) doc.Undo();
    EditedMatterList outgo = TakeMatterList(doc, false);
    outgo.erase(outgo.begin());                    // 食費 with every step on it
    std::swap(outgo[0], outgo[1]);                 // 雑費 takes the place 食費 had
    outgo.insert(outgo.begin(), NewItem("趣味"));  // and a new matter comes first
    ApplyMatterList(doc, true, TakeMatterList(doc, true));
    ApplyMatterList(doc, false, outgo);
    ASSERT_EQ(NamesOf(doc.OutgoList()), (Names{"趣味", "雑費", "交通費"}));

    using Cells = std::map<std::pair<std::string, TimeValue>, std::int32_t>;
    const auto cells = [&] {
        Cells amounts;
        for (const LedgerEntry& e : doc.Entries()) {
            const Matter* matter = doc.GetMatter(e.matter);
            if (!matter) {
                ADD_FAILURE() << "an entry without a matter";
                continue;
            }
            amounts[{Cp932ToUtf8(matter->Name()), e.date}] += e.amount;
        }
        std::erase_if(amounts, [](const auto& cell) { return cell.second == 0; });
        return amounts;
    };
    // Everything done: the bookings of the fixture and the last overwrites of the day.
    Cells expected{{{"交通費", day}, 40}, {{"雑費", day}, 50}};
    const char* names[] = {"給与", "賞与", "臨時収入", "食費", "交通費", "雑費"};
    for (int month = 1; month <= 3; ++month) {
        for (int m : {0, 1, 2, 4, 5}) {
            expected[{names[m], Day(2005, month, 1 + 3 * m)}] = 1000 * month + 10 * m;
        }
    }
    while (doc.CanRedo()) doc.Redo();
    EXPECT_EQ(cells(), expected);
    for (int i = 0; doc.CanUndo() && i < 100; ++i) doc.Undo();
    EXPECT_TRUE(cells().empty());
    for (int i = 0; doc.CanRedo() && i < 100; ++i) doc.Redo();
    EXPECT_EQ(cells(), expected);
}

// Random sessions of the dialog's edits (add before the selection or at the end, change,
// delete, up, down, check mark) over a ledger with booked and undone entries: afterwards each
// kind is in list order with the list's names and marks, and every entry is still with the
// matter it had, or gone with it.
TEST_F(ApplyMatterListTest, RandomEditSessionsKeepEveryEntryWithItsMatter) {
    std::mt19937 random(20050315);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int nameCounter = 0;
    for (int session = 0; session < 300; ++session) {
        SCOPED_TRACE("session " + std::to_string(session));
        if (session % 25 == 0) {
            test::ResetLedger(doc, {"給与", "賞与", "臨時収入"}, {"食費", "交通費", "雑費"});
        }
        for (int i = 0; i < 1 + pick(12) && doc.MatterCount() > 0; ++i) {
            doc.BookEntry(Day(2005, 1 + pick(12), 1 + pick(28)), pick(doc.MatterCount()),
                          1 + pick(9999), pick(4) == 0 ? MemoText("memo") : MemoText(), false);
        }
        for (int i = pick(4); i > 0; --i) doc.Undo();
        doc.SetModifiedFlag(false);
        const auto entries = Held(doc, doc.Entries());
        const auto redo = Held(doc, doc.RedoHistory());
        const auto ids = Ids(doc);

        EditedMatterList lists[2] = {TakeMatterList(doc, true), TakeMatterList(doc, false)};
        for (int step = pick(10); step > 0; --step) {
            EditedMatterList& list = lists[pick(2)];
            const int n = static_cast<int>(list.size());
            const int selected = n == 0 || pick(5) == 0 ? -1 : pick(n);
            const auto at = list.begin() + (selected < 0 ? n : selected);
            switch (pick(6)) {
                case 0:
                    list.insert(at, NewItem("新" + std::to_string(++nameCounter)));
                    break;
                case 1:
                    if (selected >= 0) at->name = Sjis("改" + std::to_string(++nameCounter));
                    break;
                case 2:
                    if (selected >= 0) list.erase(at);
                    break;
                case 3:
                    if (selected > 0) std::iter_swap(at, at - 1);
                    break;
                case 4:
                    if (selected >= 0 && selected + 1 < n) std::iter_swap(at, at + 1);
                    break;
                default:
                    if (selected >= 0) at->visible = !at->visible;
                    break;
            }
        }
        const bool edited =
            lists[0] != TakeMatterList(doc, true) || lists[1] != TakeMatterList(doc, false);
        const bool incomeChanged = ApplyMatterList(doc, true, lists[0]);
        const bool outgoChanged = ApplyMatterList(doc, false, lists[1]);
        EXPECT_EQ(incomeChanged || outgoChanged, edited);
        EXPECT_EQ(doc.IsModified(), edited);

        for (bool income : {true, false}) {
            const EditedMatterList now = TakeMatterList(doc, income);
            const EditedMatterList& wanted = lists[income ? 0 : 1];
            ASSERT_EQ(now.size(), wanted.size());
            for (std::size_t i = 0; i < now.size(); ++i) {
                EXPECT_EQ(now[i].name, wanted[i].name);
                EXPECT_EQ(now[i].visible, wanted[i].visible);
                if (wanted[i].matter != kNoMatterId) {
                    EXPECT_EQ(now[i].matter, wanted[i].matter);
                }
            }
        }
        const auto gone = Gone(ids, doc);
        ASSERT_EQ(Held(doc, doc.Entries()), Without(entries, gone));
        ASSERT_EQ(Held(doc, doc.RedoHistory()), Without(redo, gone));
        // The index behind the queries followed every change.
        for (const LedgerEntry& e : doc.Entries())
            ASSERT_GT(doc.CountEntries(e.matter, e.date, e.date), 0);
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace tallymo
