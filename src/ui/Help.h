#pragma once
// The program's single help entry point: every help button, F1 and the help menu come here.

#include <functional>

#include <QString>

namespace tallymo {

// Opens the help page of a topic ("_RESOURCE/%05d.html" in the help file beside the program).
// A topic of 0 or less opens the contents (topic 100).
void ShowHelpTopic(int topic);

// The page name of a topic inside the help file.
QString HelpPageName(int topic);
// The help file: the program's file with the extension ".rcc".
QString HelpFilePath();

// Tests replace the viewer; returns the previous one.
using HelpPresenter = std::function<void(int topic)>;
HelpPresenter SetHelpPresenter(HelpPresenter presenter);

}  // namespace tallymo
