#pragma once
// Pictures of the input wizard: as it opens on the sample day, and with the outgo list
// scrolled down one line.

#include <QDir>

namespace tallymo {

class CTallymoDoc;

bool ShootWizard(CTallymoDoc& doc, const QDir& out);

}  // namespace tallymo
