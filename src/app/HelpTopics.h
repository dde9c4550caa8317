#pragma once
// Every help topic number the program can ask the help file for, and the help file's name.
// The help pages (res/help) are checked against this list: a topic without a page would show
// the user an empty help window.

#include <QString>
#include <span>

namespace tallymo {

std::span<const int> HelpTopics();

// The page of a topic inside the help file: "_RESOURCE/%05d.html".
QString HelpPageName(int topic);

// The help file of a program: the program's file name with its extension replaced by ".rcc"
// (appended when it has none), beside the program.
QString HelpFileBeside(const QString& programPath);
// Where the help file is looked for: beside the program (a build folder), then in
// <prefix>/share/tallymo/ when the program lies in <prefix>/bin/ (an installed program).
// The first that exists; when none does, the one beside the program.
QString LocateHelpFile(const QString& programPath);

}  // namespace tallymo
