#include "doc/LocalPath.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tallymo {

std::string ToLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromLocalPath(std::string_view local) {
    return QFile::decodeName(QByteArray(local.data(), static_cast<qsizetype>(local.size())));
}

}  // namespace tallymo
