#pragma once
// A matter list as the settings dialog edits it, and carrying it into the ledger when the
// dialog is confirmed. The dialog works on this plain copy; the ledger changes only in
// ApplyMatterList.

#include <string>
#include <vector>

#include "doc/Matter.h"

namespace tallymo {

class CTallymoDoc;

// One item of an edited list.
struct EditedMatter {
    Cp932Text name;
    bool visible = true;            // the item's check mark
    MatterId matter = kNoMatterId;  // the ledger's matter the item stands for; none when new

    bool operator==(const EditedMatter&) const = default;
};

using EditedMatterList = std::vector<EditedMatter>;

// The ledger's income (or outgo) matters in ledger order, each standing for itself.
EditedMatterList TakeMatterList(const CTallymoDoc& doc, bool income);

// Makes the ledger's matters of one kind what `list` shows, in its order: items without a matter
// become new matters, the others take the item's name and visible flag, and the ledger's matters
// of that kind that no item stands for are deleted with all of their entries. Every other entry,
// booked or waiting for redo, stays with its matter. An item standing for a matter that the kind
// does not hold becomes a new matter. Marks the ledger modified when anything changed (a rename
// too); returns whether it did.
bool ApplyMatterList(CTallymoDoc& doc, bool income, const EditedMatterList& list);

}  // namespace tallymo
