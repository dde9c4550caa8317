// dump: a ledger file as one JSON object, for scripts and checks.

#include <QJsonArray>
#include <QJsonObject>
#include <unordered_map>

#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallymo::cli {
namespace {

QJsonObject SettingsJson(const LedgerSettings& settings) {
    return QJsonObject{
        {QStringLiteral("EnterMode"), settings.EnterMode},
        {QStringLiteral("CloseDay"), settings.CloseDay},
        {QStringLiteral("FontSize"), settings.FontSize},
        {QStringLiteral("ShowType"), settings.ShowType},
        {QStringLiteral("FractionMode"), settings.FractionMode},
        {QStringLiteral("ShowQuickWizard"), settings.ShowQuickWizard},
        {QStringLiteral("ShowProjection"), settings.ShowProjection},
    };
}

QJsonArray MattersJson(const MatterList& matters) {
    QJsonArray array;
    for (const Matter& matter : matters) {
        array.append(QJsonObject{
            {QStringLiteral("name"), LedgerText(matter.Name())},
            {QStringLiteral("cellWidth"), matter.CellWidth()},
            {QStringLiteral("visible"), matter.IsVisible()},
        });
    }
    return array;
}

// Ledgers hold many entries per day: each day's text is worked out once.
class DayTexts {
public:
    const QString& Of(TimeValue time) {
        auto found = m_texts.find(time);
        if (found == m_texts.end()) {
            found =
                m_texts.emplace(time, QString::fromStdString(FormatTime(time, "%Y-%m-%d"))).first;
        }
        return found->second;
    }

private:
    std::unordered_map<TimeValue, QString> m_texts;
};

QJsonArray EntriesJson(const std::vector<LedgerEntry>& entries) {
    DayTexts days;
    QJsonArray array;
    for (const LedgerEntry& entry : entries) {
        array.append(QJsonObject{
            {QStringLiteral("time"), entry.date},
            {QStringLiteral("date"), days.Of(entry.date)},
            {QStringLiteral("matter"), entry.matter},
            {QStringLiteral("amount"), entry.amount},
            {QStringLiteral("memo"), entry.memo.empty() ? QString() : LedgerText(entry.memo)},
        });
    }
    return array;
}

}  // namespace

int RunDump(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("dump"), QStringLiteral("FILE"),
        QStringLiteral("Loads FILE (.csv as Ver.1 text, anything else as a binary ledger) and\n"
                       "prints it as one JSON object: settings, income and outgo matters, and the\n"
                       "entries in the order they were booked."));
    command.Parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("The ledger to read."));
    if (const auto exit = command.Parse(arguments, 1)) return *exit;

    LedgerSession session;
    CTallymoDoc& doc = session.Doc();
    if (!doc.LoadLedgerFile(LedgerSession::LocalPath(command.Positionals().first()))) {
        return ExitFailure;
    }
    WriteJson(QJsonDocument(QJsonObject{
        {QStringLiteral("settings"), SettingsJson(doc.Settings())},
        {QStringLiteral("income"), MattersJson(doc.IncomeList())},
        {QStringLiteral("outgo"), MattersJson(doc.OutgoList())},
        {QStringLiteral("entries"), EntriesJson(doc.Entries())},
    }));
    return ExitSuccess;
}

}  // namespace tallymo::cli
