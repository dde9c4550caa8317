#include "app/ShellIntegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "app/DesktopFiles.h"

namespace tallymo {
namespace {

const UserMessage kAssociationFailed{
    "拡張子の関連付けに失敗しました。管理者権限であるかどうか確認してください。", 0,
    MessageIcon::None};

QString ConfigHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// The text of a file; a missing file reads as empty, one that cannot be read gives false.
bool ReadText(const QString& path, QString& text) {
    text.clear();
    QFile file(path);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

QString ReadText(const QString& path) {
    QString text;
    ReadText(path, text);
    return text;
}

ShellOutcome Failure(const UserMessage& message, const QString& detail) {
    return {false, message, detail.toStdString()};
}

// Removing a file that is not there is no failure.
QString RemoveFile(const QString& path) {
    QFile file(path);
    if (!file.exists() || file.remove()) return {};
    return path + QStringLiteral(": ") + file.errorString();
}

QString DesktopEntryText(const QString& quotedProgram, const QString& arguments,
                         const QString& extraLines) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Tallymo Ver.2\n"
               "Exec=") +
           quotedProgram + QLatin1Char(' ') + arguments +
           QStringLiteral(
               "\n"
               "Icon=tallymo\n"
               "Terminal=false\n") +
           extraLines;
}

QByteArray MimePackageText() {
    // The ledger file starts with the length byte of its magic "tallymoo".
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-tallymo2\">\n"
        "    <comment>Tallymo Ver.2 ファイル</comment>\n"
        "    <glob pattern=\"*.tm2\"/>\n"
        "    <magic priority=\"60\">\n"
        "      <match type=\"string\" offset=\"1\" value=\"tallymoo\"/>\n"
        "    </magic>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

// The desktop reads its caches; a missing tool or a failed refresh leaves the files in place,
// which the next refresh by any program picks up.
void RefreshCache(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {folder});
    if (process.waitForStarted(5000)) process.waitForFinished(30000);
}

void RefreshCaches() {
    RefreshCache(QStringLiteral("update-mime-database"), DataHome() + QStringLiteral("/mime"));
    RefreshCache(QStringLiteral("update-desktop-database"),
                 DataHome() + QStringLiteral("/applications"));
}

QString SameFile(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

}  // namespace

QString AutorunEntryPath() {
    return ConfigHome() + QStringLiteral("/autostart/") + QLatin1String(kDesktopFileName);
}

QString MimePackagePath() {
    return DataHome() + QStringLiteral("/mime/packages/") + QLatin1String(kMimePackageFileName);
}

QString AssociationEntryPath() {
    return DataHome() + QStringLiteral("/applications/") + QLatin1String(kDesktopFileName);
}

QString MimeAppsListPath() {
    return ConfigHome() + QStringLiteral("/mimeapps.list");
}

QString ProgramPath() {
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

ShellOutcome SetAutorun(bool on, const QString& programPath) {
    const QString path = AutorunEntryPath();
    const QString quoted = programPath.isEmpty() ? QString() : QuoteExecArgument(programPath);
    if (!on || quoted.isEmpty()) {
        const QString error = RemoveFile(path);
        if (!error.isEmpty()) return Failure({}, error);
        if (on)
            return Failure({}, QStringLiteral("the program path cannot be written in an entry"));
        return {};
    }
    const QString text = DesktopEntryText(quoted, QStringLiteral("/startup"),
                                          QStringLiteral("X-GNOME-Autostart-enabled=true\n"));
    const QString error = WriteWholeFile(path, text.toUtf8());
    if (!error.isEmpty()) return Failure({}, path + QStringLiteral(": ") + error);
    return {};
}

bool IsAutorunOn() {
    QFile file(AutorunEntryPath());
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QString text = QString::fromUtf8(file.readAll());
    // The desktop's own start-up settings switch an entry off without removing it.
    return !DesktopEntryValue(text, QStringLiteral("Exec")).isEmpty() &&
           DesktopEntryValue(text, QStringLiteral("Hidden")) != QLatin1String("true") &&
           DesktopEntryValue(text, QStringLiteral("X-GNOME-Autostart-enabled")) !=
               QLatin1String("false");
}

ShellOutcome SetFileAssociation(bool on, const QString& programPath) {
    const QString mimeType = QLatin1String(kLedgerMimeType);
    const QString desktopId = QLatin1String(kDesktopFileName);
    const QString mimeApps = MimeAppsListPath();
    if (!on) {
        QString error = RemoveFile(MimePackagePath());
        QString list;
        if (error.isEmpty() && ReadText(mimeApps, list) &&
            DefaultApplication(list, mimeType) == desktopId) {
            error = WriteWholeFile(mimeApps, WithDefaultApplication(list, mimeType, {}).toUtf8());
        }
        RefreshCaches();
        if (!error.isEmpty()) return Failure({}, error);
        return {};
    }

    const QString quoted = programPath.isEmpty() ? QString() : QuoteExecArgument(programPath);
    if (quoted.isEmpty()) {
        return Failure(kAssociationFailed, QStringLiteral("no usable program path"));
    }
    // The user's own defaults for other types are kept, so a list we cannot read is not
    // rewritten.
    QString list;
    if (!ReadText(mimeApps, list)) {
        return Failure(kAssociationFailed, mimeApps + QStringLiteral(": cannot be read"));
    }
    const QString entry =
        DesktopEntryText(quoted, QStringLiteral("%f"),
                         QStringLiteral("MimeType=application/x-tallymo2;\nNoDisplay=true\n"));
    const struct {
        QString path;
        QByteArray bytes;
    } files[] = {
        {MimePackagePath(), MimePackageText()},
        {AssociationEntryPath(), entry.toUtf8()},
        {mimeApps, WithDefaultApplication(list, mimeType, desktopId).toUtf8()},
    };
    for (const auto& file : files) {
        const QString error = WriteWholeFile(file.path, file.bytes);
        if (!error.isEmpty()) {
            return Failure(kAssociationFailed, file.path + QStringLiteral(": ") + error);
        }
    }
    RefreshCaches();
    return {};
}

bool IsFileAssociated(const QString& programPath) {
    if (programPath.isEmpty() || !QFile::exists(MimePackagePath())) return false;
    if (DefaultApplication(ReadText(MimeAppsListPath()), QLatin1String(kLedgerMimeType)) !=
        QLatin1String(kDesktopFileName)) {
        return false;
    }
    const QStringList exec =
        SplitExecLine(DesktopEntryValue(ReadText(AssociationEntryPath()), QStringLiteral("Exec")));
    return !exec.isEmpty() && SameFile(exec.first()) == SameFile(programPath);
}

}  // namespace tallymo
