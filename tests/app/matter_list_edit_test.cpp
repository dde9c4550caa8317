#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "app/MatterListEdit.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;
using test::Sjis;

// An entry with its matter named by identity instead of by position (0: no matter).
using HeldEntry = std::tuple<TimeValue, MatterId, std::int32_t, Cp932Text>;

std::vector<HeldEntry> Held(const CTallymoDoc& doc, const std::vector<LedgerEntry>& entries) {
    std::vector<HeldEntry> held;
    for (const LedgerEntry& e : entries) {
        const Matter* matter = doc.GetMatter(e.matter);
        held.emplace_back(e.date, matter ? matter->Id() : kNoMatterId, e.amount, e.memo.Text());
    }
    return held;
}

// The entries whose matter the ledger still holds.
std::vector<HeldEntry> Survivors(std::vector<HeldEntry> held, const CTallymoDoc& doc) {
    std::erase_if(held, [&](const HeldEntry& e) {
        for (MatterIndex m = 0; m < doc.MatterCount(); ++m) {
            if (doc.GetMatter(m)->Id() == std::get<1>(e)) return false;
        }
        return true;
    });
    return held;
}

// The amount of each cell that holds one, by the matter's name ("?": an entry without a matter).
using Cells = std::map<std::pair<std::string, TimeValue>, std::int64_t>;
Cells CellsOf(const CTallymoDoc& doc) {
    Cells cells;
    for (const LedgerEntry& e : doc.Entries()) {
        const Matter* matter = doc.GetMatter(e.matter);
        cells[{matter ? Cp932ToUtf8(matter->Name()) : "?", e.date}] += e.amount;
    }
    std::erase_if(cells, [](const auto& cell) { return cell.second == 0; });
    return cells;
}

// Random sessions of the dialog's edits (add before the selection or at the end, change,
// delete, up, down, check mark) over booked and undone entries: each kind ends in list order
// with the list's names and marks, every entry keeps its matter or goes with it, and the ledger
// is marked modified exactly when something was edited.
TEST(ApplyMatterList, RandomEditSessionsKeepEveryEntryWithItsMatter) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    std::vector<UserMessage> messages;
    doc.SetMessageHandler([&](const UserMessage& m) { messages.push_back(m); });
    std::mt19937 random(20050315);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int counter = 0;
    for (int session = 0; session < 300; ++session) {
        SCOPED_TRACE("session " + std::to_string(session));
        if (session % 25 == 0) {
            // Income 給与, 賞与, 臨時収入 and outgo 食費, 交通費, 雑費, booked January to March
            // 2005; the last three bookings wait for redo.
            test::ResetLedger(doc, {"給与", "賞与", "臨時収入"}, {"食費", "交通費", "雑費"});
            for (int month = 1; month <= 3; ++month) {
                for (MatterIndex m = 0; m < 6; ++m) {
                    doc.BookEntry(Day(2005, month, 1 + 3 * m), m, 1000 * month + 10 * m, {}, false);
                }
            }
            for (int i = 0; i < 3; ++i) doc.Undo();
        }
        for (int i = pick(12); i > 0 && doc.MatterCount() > 0; --i) {
            doc.BookEntry(Day(2005, 1 + pick(3), 1 + pick(5)), pick(doc.MatterCount()),
                          pick(5) == 0 ? 0 : 1 + pick(9999), Cp932Text(pick(4) == 0 ? "memo" : ""),
                          pick(3) == 0);
        }
        for (int i = pick(4); i > 0; --i) doc.Undo();
        doc.SetModifiedFlag(false);
        const auto entries = Held(doc, doc.Entries());
        const auto redo = Held(doc, doc.RedoHistory());

        EditedMatterList lists[2] = {TakeMatterList(doc, true), TakeMatterList(doc, false)};
        for (int step = pick(10); step > 0; --step) {
            EditedMatterList& list = lists[pick(2)];
            const int n = static_cast<int>(list.size());
            const int selected = n == 0 || pick(5) == 0 ? -1 : pick(n);
            const auto at = list.begin() + (selected < 0 ? n : selected);
            const int edit = pick(6);
            if (edit == 0) {
                list.insert(at, {Sjis("新" + std::to_string(++counter)), true, kNoMatterId});
            } else if (selected < 0) {
                continue;  // the other buttons are disabled without a selection
            } else if (edit == 1) {
                at->name = Sjis("改" + std::to_string(++counter));
            } else if (edit == 2) {
                list.erase(at);
            } else if (edit == 3 && selected > 0) {
                std::iter_swap(at, at - 1);
            } else if (edit == 4 && selected + 1 < n) {
                std::iter_swap(at, at + 1);
            } else if (edit == 5) {
                at->visible = !at->visible;
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
            EditedMatterList wanted = lists[income ? 0 : 1];
            for (std::size_t i = 0; i < std::min(now.size(), wanted.size()); ++i) {
                if (wanted[i].matter == kNoMatterId) wanted[i].matter = now[i].matter;  // added
            }
            ASSERT_EQ(now, wanted);
        }
        ASSERT_EQ(Held(doc, doc.Entries()), Survivors(entries, doc));
        ASSERT_EQ(Held(doc, doc.RedoHistory()), Survivors(redo, doc));
        for (const LedgerEntry& e : doc.Entries()) {  // the index followed every change
            ASSERT_GT(doc.CountEntries(e.matter, e.date, e.date), 0);
        }
        // Every step held for undo and redo acts on its own matter: all undone and redone
        // again, each cell holds what it held.
        if (session % 5 == 0) {
            while (doc.CanRedo()) doc.Redo();
            const Cells done = CellsOf(doc);
            for (int i = 0; doc.CanUndo() && i < 10000; ++i) doc.Undo();
            while (doc.CanRedo()) doc.Redo();
            ASSERT_EQ(CellsOf(doc), done);
        }
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace tallymo
