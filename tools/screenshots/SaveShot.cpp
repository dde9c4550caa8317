#include "SaveShot.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

namespace tallymo {

bool SaveShot(QWidget& widget, const QDir& out, const QString& name) {
    widget.show();
    QApplication::processEvents();
    const QString path = out.filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

}  // namespace tallymo
