// dump: a ledger file as one JSON object, for scripts and checks.
//
// Everything but the entries is built as a QJsonDocument. The entries array can hold millions
// of records, and a QJsonObject per entry costs several seconds and some hundred megabytes at a
// million; so the array is streamed in the very layout QJsonDocument's compact form gives (keys
// in its alphabetical order, integers as plain digits), with every string still escaped by
// QJsonDocument. The output is byte for byte what QJsonDocument would write.

#include <QJsonArray>
#include <QJsonObject>
#include <charconv>
#include <unordered_map>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "doc/LocalPath.h"

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

// A string as a JSON value, quotes included, exactly as QJsonDocument writes it.
std::string JsonStringLiteral(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return std::string(array.constData() + 1, static_cast<std::size_t>(array.size()) - 2);
}

// Writes the entries array to stdout a block at a time.
class EntryArrayWriter {
public:
    void Write(const std::vector<LedgerEntry>& entries) {
        m_buffer += '[';
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i > 0) m_buffer += ',';
            Append(entries[i]);
            if (m_buffer.size() >= kBlockBytes) Flush();
        }
        m_buffer += ']';
        Flush();
    }

private:
    static constexpr std::size_t kBlockBytes = 1 << 20;

    // Keys in the order QJsonDocument writes them.
    void Append(const LedgerEntry& entry) {
        m_buffer += "{\"amount\":";
        AppendInt(entry.amount);
        m_buffer += ",\"date\":";
        m_buffer += DateLiteral(entry.date);
        m_buffer += ",\"matter\":";
        AppendInt(entry.matter);
        m_buffer += ",\"memo\":";
        m_buffer +=
            entry.memo.empty() ? kEmptyString : JsonStringLiteral(LedgerText(entry.memo.Text()));
        m_buffer += ",\"time\":";
        AppendInt(entry.date);
        m_buffer += '}';
    }

    void AppendInt(std::int32_t value) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_buffer.append(digits, end);
    }

    // A ledger holds many entries per day: each day's text is worked out once.
    const std::string& DateLiteral(TimeValue time) {
        auto found = m_dates.find(time);
        if (found == m_dates.end()) {
            const QString day = QString::fromStdString(FormatTime(time, "%Y-%m-%d"));
            found = m_dates.emplace(time, JsonStringLiteral(day)).first;
        }
        return found->second;
    }

    void Flush() {
        WriteOut(m_buffer);
        m_buffer.clear();
    }

    const std::string kEmptyString = JsonStringLiteral(QString());
    std::string m_buffer;
    std::unordered_map<TimeValue, std::string> m_dates;
};

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
    if (!doc.LoadLedgerFile(ToLocalPath(command.Positionals().first()))) {
        return ExitFailure;
    }
    // QJsonDocument writes the keys in alphabetical order, so "entries" comes first: the
    // streamed array takes the place of the empty one.
    const QByteArray head =
        QJsonDocument(QJsonObject{
                          {QStringLiteral("settings"), SettingsJson(doc.Settings())},
                          {QStringLiteral("income"), MattersJson(doc.IncomeList())},
                          {QStringLiteral("outgo"), MattersJson(doc.OutgoList())},
                          {QStringLiteral("entries"), QJsonArray()},
                      })
            .toJson(QJsonDocument::Compact);
    constexpr std::string_view kEmptyEntries = "{\"entries\":[]";
    const std::string_view text(head.constData(), static_cast<std::size_t>(head.size()));
    WriteOut("{\"entries\":");
    EntryArrayWriter().Write(doc.Entries());
    WriteOut(text.substr(kEmptyEntries.size()));
    WriteOut("\n");
    return ExitSuccess;
}

}  // namespace tallymo::cli
