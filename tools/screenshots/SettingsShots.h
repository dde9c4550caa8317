#pragma once
// Pictures of the settings dialog and of the matter name dialog in both of its modes.

#include <QDir>

namespace tallymo {

class CTallymoDoc;
class SettingsStore;

bool ShootSettingsDialogs(CTallymoDoc& doc, SettingsStore& store, const QDir& out);

}  // namespace tallymo
