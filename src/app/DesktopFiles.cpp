#include "app/DesktopFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tallymo {
namespace {

// The string syntax of a desktop entry value: \s \n \t \r \\ stand for themselves.
QString UnescapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
            case 's':
                out += QLatin1Char(' ');
                break;
            case 'n':
                out += QLatin1Char('\n');
                break;
            case 't':
                out += QLatin1Char('\t');
                break;
            case 'r':
                out += QLatin1Char('\r');
                break;
            default:
                out += next;  // \\ and anything unknown
        }
    }
    return out;
}

bool IsGroupLine(const QString& line) {
    return line.startsWith(QLatin1Char('['));
}

// The key of a "key=value" line (blanks around it dropped), or empty for other lines.
QString KeyOf(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0 || line.startsWith(QLatin1Char('#'))) return {};
    return line.left(eq).trimmed();
}

QString ValueOf(const QString& line) {
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

QString GroupValue(const QString& text, const QString& group, const QString& key) {
    bool inGroup = false;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (IsGroupLine(line)) {
            inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
        } else if (inGroup && KeyOf(line) == key) {
            return ValueOf(line);
        }
    }
    return {};
}

}  // namespace

QString QuoteExecArgument(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return {};
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // A literal % is written %%; then the file's own string syntax doubles every backslash.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return quoted;
}

QStringList SplitExecLine(const QString& value) {
    const QString line = UnescapeValue(value);
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < line.size()) {
                current += line[++i];
            } else if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inArgument) arguments << current;
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == QLatin1Char('"')) {
                inQuotes = true;
            } else {
                current += c;
            }
        }
    }
    if (inArgument) arguments << current;
    for (QString& argument : arguments) {
        if (argument != QLatin1String("%%") && argument.size() == 2 &&
            argument.startsWith(QLatin1Char('%'))) {
            continue;  // a field code such as %f
        }
        argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return arguments;
}

QString DesktopEntryValue(const QString& entryText, const QString& key) {
    return GroupValue(entryText, QStringLiteral("Desktop Entry"), key);
}

QString DefaultApplication(const QString& mimeAppsText, const QString& mimeType) {
    const QString list = GroupValue(mimeAppsText, QStringLiteral("Default Applications"), mimeType);
    return list.section(QLatin1Char(';'), 0, 0).trimmed();
}

QString WithDefaultApplication(const QString& mimeAppsText, const QString& mimeType,
                               const QString& desktopId) {
    const QString group = QStringLiteral("[Default Applications]");
    const QString entry = mimeType + QLatin1Char('=') + desktopId + QLatin1Char(';');
    QStringList lines = mimeAppsText.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();

    qsizetype groupLine = -1;
    bool inGroup = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (IsGroupLine(line)) {
            inGroup = line == group;
            if (inGroup && groupLine < 0) groupLine = i;
        } else if (inGroup && KeyOf(line) == mimeType) {
            lines.removeAt(i--);
        }
    }
    if (!desktopId.isEmpty()) {
        if (groupLine < 0) {
            lines << group;
            groupLine = lines.size() - 1;
        }
        lines.insert(groupLine + 1, entry);
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        return QStringLiteral("cannot make the folder ") + info.absolutePath();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    // Check the write and the flush ourselves: a commit alone can report success after a
    // buffered write failed on a full disk.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

}  // namespace tallymo
