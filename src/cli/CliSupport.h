#pragma once
// What every tallymo-cli command shares: exit codes, UTF-8 output on stdout and stderr, the
// per-command argument parser with its --help, the date arguments, JSON output, and a ledger
// document wired to the user's settings store with its messages going to stderr.

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "doc/Clock.h"
#include "doc/Cp932Text.h"
#include "doc/LedgerLock.h"
#include "doc/QtSettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TimeValue.h"
#include "doc/UserMessage.h"

namespace tallymo::cli {

enum ExitCode : int {
    ExitSuccess = 0,
    ExitFailure = 1,  // reported with its message on stderr
    ExitUsage = 2,    // the command line itself is wrong
};

// Bytes as they are (callers pass UTF-8).
void WriteOut(std::string_view utf8);
void WriteErr(std::string_view utf8);
void WriteOutLine(std::string_view utf8);
void WriteErrLine(std::string_view utf8);
// A message of the core (or of the command line) as the desktop program would show it.
void ReportMessage(const UserMessage& message);
// A failure the command reports itself: the text on stderr, then ExitFailure.
int Fail(std::string_view utf8);

// Waits for the ledger's write lock; on failure reports why (false).
bool TakeLock(LedgerWriteLock& lock);

// A ledger text for output.
QString LedgerText(const Cp932Text& text);
// A UTF-8 text for output.
QString Utf8Text(std::string_view utf8);

// The JSON document on stdout, compact, followed by a line end.
void WriteJson(const QJsonDocument& document);

// The argument parser of one command. Parse() handles --help and argument errors, so a
// command only reads its values once Parse() says to go on.
class CommandParser {
public:
    // `syntax` follows the command name in the usage line, e.g. "FILE --current YYYY-MM-DD".
    CommandParser(const QString& command, const QString& syntax, const QString& description);

    QCommandLineParser& Parser() { return m_parser; }
    void AddOption(const QCommandLineOption& option) { m_parser.addOption(option); }

    // Parses `arguments` (the program name, the command name, then the command's own
    // arguments) and checks that exactly `positionalCount` arguments follow the command.
    // Returns an exit code when the command must end now (help shown: success; wrong
    // arguments: usage error, explained on stderr), nothing when it may go on.
    std::optional<int> Parse(const QStringList& arguments, int positionalCount);

    // The arguments after the command name.
    QStringList Positionals() const;
    QString Value(const QCommandLineOption& option) const { return m_parser.value(option); }
    bool IsSet(const QCommandLineOption& option) const { return m_parser.isSet(option); }

    // A usage error of this command: the reason and the usage line on stderr; ExitUsage.
    int UsageError(const QString& reason) const;

    // Reads the required --current day and, when `now` is given and set, the --now moment.
    // Returns the usage error's exit code when one is missing or malformed.
    std::optional<int> ReadClock(const QCommandLineOption& current, const QCommandLineOption* now,
                                 TimeValue& day, std::optional<TimeValue>& fixedNow) const;

private:
    QString UsageLine() const;

    QCommandLineParser m_parser;
    QString m_command;
    QString m_syntax;
};

// "YYYY-MM-DD": the day's local 00:00:00, when it is a real calendar day the ledger can hold.
std::optional<TimeValue> ParseDay(const QString& text);
// "YYYY-MM-DD HH:MM:SS": that local moment, when it exists and the ledger can hold it.
std::optional<TimeValue> ParseMoment(const QString& text);
// A whole decimal number within [low, high].
std::optional<int> ParseInt(const QString& text, int low, int high);

// One ledger document with the user's new-ledger defaults and the given clock (the real one
// when none is given). Its messages go to stderr as they arise.
class LedgerSession {
public:
    explicit LedgerSession(std::optional<TimeValue> fixedNow = std::nullopt);
    CTallymoDoc& Doc() { return *m_doc; }

private:
    QtSettingsStore m_store;
    std::unique_ptr<Clock> m_fixedClock;
    std::unique_ptr<CTallymoDoc> m_doc;
};

}  // namespace tallymo::cli
