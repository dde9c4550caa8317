#pragma once
// The program's single help entry point: every help button, F1 and the help menu come here.

#include <functional>

#include <QString>

namespace tallymo {

// Opens the help page of a topic ("_RESOURCE/%05d.html" in the help file) in the help window.
// A topic of 0 or less opens the contents (topic 100). Without a help file the user learns
// which file is missing.
void ShowHelpTopic(int topic);

// The help file of the running program (see LocateHelpFile).
QString HelpFilePath();

// Tests replace the viewer; returns the previous one.
using HelpPresenter = std::function<void(int topic)>;
HelpPresenter SetHelpPresenter(HelpPresenter presenter);

}  // namespace tallymo
