#include "cli/CliSupport.h"

#include <QDate>
#include <QRegularExpression>
#include <cstdio>

#include "doc/TextCodec.h"

namespace tallymo::cli {

void WriteOut(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void WriteErr(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void WriteOutLine(std::string_view utf8) {
    WriteOut(utf8);
    WriteOut("\n");
}

void WriteErrLine(std::string_view utf8) {
    WriteErr(utf8);
    WriteErr("\n");
}

void ReportMessage(const UserMessage& message) {
    if (!message.detail.empty()) WriteErrLine("tallymo-cli: " + message.detail);
    WriteErrLine(message.text);
}

int Fail(std::string_view utf8) {
    WriteErrLine(utf8);
    return ExitFailure;
}

bool TakeLock(LedgerWriteLock& lock) {
    UserMessage failure;
    if (lock.Acquire(LedgerWriteLock::kWaitMs, failure)) return true;
    ReportMessage(failure);
    return false;
}

QString LedgerText(const Cp932Text& text) {
    return Utf8Text(Cp932ToUtf8(text));
}

QString Utf8Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void WriteJson(const QJsonDocument& document) {
    const QByteArray bytes = document.toJson(QJsonDocument::Compact);
    WriteOut(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    WriteOut("\n");
}

// ---- CommandParser ---------------------------------------------------------------------------

CommandParser::CommandParser(const QString& command, const QString& syntax,
                             const QString& description)
    : m_command(command), m_syntax(syntax) {
    m_parser.setApplicationDescription(description);
    m_parser.addHelpOption();
}

std::optional<int> CommandParser::Parse(const QStringList& arguments, int positionalCount) {
    // The command's name has done its work; the rest is the command's own.
    QStringList own = arguments;
    if (own.size() > 1) own.removeAt(1);
    if (!m_parser.parse(own)) return UsageError(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("help-all"))) {
        // Qt's own text, with a usage line that names the program and the command.
        QString text = m_parser.helpText();
        text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
        WriteOut((UsageLine() + QLatin1Char('\n') + text).toStdString());
        return ExitSuccess;
    }
    const QStringList given = m_parser.positionalArguments();
    if (given.size() < positionalCount) return UsageError(QStringLiteral("missing argument"));
    if (given.size() > positionalCount) {
        return UsageError(QStringLiteral("unexpected argument '%1'").arg(given[positionalCount]));
    }
    return std::nullopt;
}

QStringList CommandParser::Positionals() const {
    return m_parser.positionalArguments();
}

QString CommandParser::UsageLine() const {
    return QStringLiteral("Usage: tallymo-cli %1 %2").arg(m_command, m_syntax);
}

std::optional<int> CommandParser::ReadClock(const QCommandLineOption& current,
                                            const QCommandLineOption* now, TimeValue& day,
                                            std::optional<TimeValue>& fixedNow) const {
    if (!IsSet(current)) return UsageError(QStringLiteral("--current is required"));
    const auto parsedDay = ParseDay(Value(current));
    if (!parsedDay) return UsageError(QStringLiteral("--current needs a day as YYYY-MM-DD"));
    day = *parsedDay;
    if (now && IsSet(*now)) {
        fixedNow = ParseMoment(Value(*now));
        if (!fixedNow)
            return UsageError(QStringLiteral("--now needs a moment as YYYY-MM-DD HH:MM:SS"));
    }
    return std::nullopt;
}

int CommandParser::UsageError(const QString& reason) const {
    WriteErrLine(QStringLiteral("tallymo-cli %1: %2").arg(m_command, reason).toStdString());
    WriteErrLine(UsageLine().toStdString());
    WriteErrLine(
        QStringLiteral("Run 'tallymo-cli %1 --help' for its usage.").arg(m_command).toStdString());
    return ExitUsage;
}

// ---- argument values -----------------------------------------------------------------------

namespace {

// The calendar day exists and its start is a time value the ledger can hold.
std::optional<QDate> CheckedDate(int year, int month, int day) {
    const QDate date(year, month, day);
    if (!date.isValid() || !FitsTimeValue(year, month, day)) return std::nullopt;
    return date;
}

}  // namespace

std::optional<TimeValue> ParseDay(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const int day = match.captured(3).toInt();
    if (!CheckedDate(year, month, day)) return std::nullopt;
    return MakeLocalTime(year, month, day);
}

std::optional<TimeValue> ParseMoment(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2}) (\\d{2}):(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    int fields[6];
    for (int i = 0; i < 6; ++i) fields[i] = match.captured(i + 1).toInt();
    const auto [year, month, day, hour, minute, second] = fields;
    if (!CheckedDate(year, month, day)) return std::nullopt;
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    if (!FitsTimeValue(year, month, day, hour, minute, second)) return std::nullopt;
    return MakeLocalTime(year, month, day, hour, minute, second);
}

std::optional<int> ParseInt(const QString& text, int low, int high) {
    static const QRegularExpression pattern(QStringLiteral("^[+-]?\\d{1,10}$"));
    if (!pattern.match(text).hasMatch()) return std::nullopt;
    const qlonglong value = text.toLongLong();
    if (value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

// ---- LedgerSession ---------------------------------------------------------------------------

LedgerSession::LedgerSession(std::optional<TimeValue> fixedNow) {
    if (fixedNow) m_fixedClock = std::make_unique<FixedClock>(*fixedNow);
    const Clock& clock =
        m_fixedClock ? *m_fixedClock : static_cast<const Clock&>(SystemClock::Instance());
    m_doc = std::make_unique<CTallymoDoc>(m_store, clock);
    m_doc->SetMessageHandler(ReportMessage);
}

}  // namespace tallymo::cli
