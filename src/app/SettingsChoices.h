#pragma once
// What the settings dialog's lists offer and what a choice stands for, and the help topic of
// each of its controls. Texts are UTF-8.

#include <optional>
#include <string>
#include <vector>

namespace tallymo {

// Close day: "月末" (0), then "1日" … "27日"; the item's index is the close day.
std::vector<std::string> CloseDayTexts();
// Cell font size: " 6" … "24"; item i stands for FontSize (6 + i) × 10.
std::vector<std::string> FontSizeTexts();
// Rounding: the item's index is the FractionMode.
std::vector<std::string> FractionModeTexts();
// Start-up hour window: "00:00" … "23:00" and "00:59" … "23:59"; the index is the hour.
std::vector<std::string> StartHourTexts();
std::vector<std::string> EndHourTexts();

// The font-size item showing `fontSize` (tenths of a point), or none when no item does.
std::optional<int> FontSizeItem(int fontSize);
int FontSizeOfItem(int item);

// The item showing a stored index, or none when it is outside the list (an old file or an
// edited settings file): the list then shows no selection and OK keeps the stored value.
std::optional<int> ItemForStoredIndex(int stored, int itemCount);

// Help topic of F1 on a control of the settings dialog, by control id.
int SettingsHelpTopic(int controlId);

}  // namespace tallymo
