#pragma once
// Writes one picture of a widget as <out>/<name>.png and says so on standard output.

#include <QDir>
#include <QString>

class QWidget;

namespace tallymo {

// Shows the widget, lets it lay itself out, grabs it. False when the file could not be written.
bool SaveShot(QWidget& widget, const QDir& out, const QString& name);

}  // namespace tallymo
