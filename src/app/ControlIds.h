#pragma once
// Ids of controls and help topics that more than one file names. A control's id is also the
// help topic F1 opens for it, so the help pages (HelpTopics.cpp) are named by these numbers.

namespace tallymo {

// Buttons every dialog shares.
inline constexpr int kOkButtonId = 1;
inline constexpr int kCancelButtonId = 2;
inline constexpr int kHelpButtonId = 9;  // opens its window's topic, F1 on it the contents

// The main window's panes and the ledger grid (the grid's in-place editor shares its id).
inline constexpr int kBookingPaneId = 131;
inline constexpr int kLedgerViewId = 157;
inline constexpr int kLedgerGridId = 1062;

// Help topics of windows and of the messages they show.
inline constexpr int kHelpContentsTopic = 100;
inline constexpr int kGraphHelpTopic = 300;
inline constexpr int kSettingsHelpTopic = 400;
inline constexpr int kAddMatterHelpTopic = 410;
inline constexpr int kChangeMatterHelpTopic = 420;
inline constexpr int kWizardHelpTopic = 620;

}  // namespace tallymo
