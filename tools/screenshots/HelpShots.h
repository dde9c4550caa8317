#pragma once
// Pictures of the help window (contents, a how-to page, a message page) and the about box.

#include <QDir>

namespace tallymo {

// The help file is the one built beside the picture program (tallymo.rcc).
bool ShootHelpAndAbout(const QDir& out);

}  // namespace tallymo
