#include "app/MatterListEdit.h"

#include <algorithm>

#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

const MatterList& KindList(const CTallymoDoc& doc, bool income) {
    return income ? doc.IncomeList() : doc.OutgoList();
}

// Position of a matter within its kind, or -1.
int PositionOf(const CTallymoDoc& doc, bool income, MatterId id) {
    const MatterList& list = KindList(doc, income);
    const auto found =
        std::find_if(list.begin(), list.end(), [id](const Matter& m) { return m.Id() == id; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

}  // namespace

EditedMatterList TakeMatterList(const CTallymoDoc& doc, bool income) {
    EditedMatterList items;
    for (const Matter& matter : KindList(doc, income)) {
        items.push_back({matter.Name(), matter.IsVisible(), matter.Id()});
    }
    return items;
}

bool ApplyMatterList(CTallymoDoc& doc, bool income, const EditedMatterList& list) {
    // The matter each list position ends up with. An item is kept only when it stands for a
    // matter of this kind that no earlier item already claimed; any other item is new.
    std::vector<MatterId> target(list.size(), kNoMatterId);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const MatterId id = list[i].matter;
        if (id == kNoMatterId || PositionOf(doc, income, id) < 0) continue;
        if (std::find(target.begin(), target.begin() + static_cast<std::ptrdiff_t>(i), id) ==
            target.begin() + static_cast<std::ptrdiff_t>(i)) {
            target[i] = id;
        }
    }
    const auto first = [&] { return income ? 0 : doc.IncomeCount(); };
    bool changed = false;

    // Deleted matters first, so that no entry is renumbered for a matter about to go.
    for (int j = 0; j < doc.ListCount(income);) {
        const MatterId id = KindList(doc, income)[static_cast<std::size_t>(j)].Id();
        if (std::find(target.begin(), target.end(), id) != target.end()) {
            ++j;
            continue;
        }
        doc.DeleteMatter(first() + j);  // its entries go with it; look at j again
        changed = true;
    }

    // New matters. Every item above i is in the ledger by now, so i is a valid position.
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (target[i] != kNoMatterId) continue;
        const int before = doc.ListCount(income);
        doc.InsertMatter(static_cast<int>(i), list[i].name, income, list[i].visible);
        if (doc.ListCount(income) == before) {
            // The document has reported the failure; what was done so far stays done.
            doc.SetModifiedFlag(true);
            return true;
        }
        target[i] = KindList(doc, income)[i].Id();
        changed = true;
    }

    // Names and check marks. A rename alone is a change the file must get.
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int position = PositionOf(doc, income, target[i]);
        const Matter& matter = KindList(doc, income)[static_cast<std::size_t>(position)];
        if (matter.Name() == list[i].name && matter.IsVisible() == list[i].visible) continue;
        doc.ModifyMatter(first() + position, list[i].name, list[i].visible);
        changed = true;
    }

    // Order: bring each list position's matter into place from below it, top to bottom. Each
    // exchange leaves the places above settled, so the ledger ends in list order.
    for (std::size_t w = 0; w < list.size(); ++w) {
        const int position = PositionOf(doc, income, target[w]);
        if (position == static_cast<int>(w)) continue;
        doc.SwapMatters(first() + static_cast<int>(w), first() + position);
        changed = true;
    }

    if (changed) doc.SetModifiedFlag(true);
    return changed;
}

}  // namespace tallymo
