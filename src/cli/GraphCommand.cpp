// graph: what the graph window shows for one state of its controls: the table (every visible
// outgo matter, not only the rows the window has room for), the chart data and the advice.

#include <QJsonArray>
#include <QJsonObject>

#include "analysis/GraphContent.h"
#include "analysis/TrendFigures.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "doc/LocalPath.h"

namespace tallymo::cli {
namespace {

QJsonArray TextsJson(const auto& texts) {
    QJsonArray array;
    for (const std::string& text : texts) array.append(Utf8Text(text));
    return array;
}

QJsonObject GraphJson(const GraphContent& content) {
    QJsonArray table;
    for (const GraphTableRow& row : content.table) table.append(TextsJson(row));
    QJsonArray data;
    for (const auto& row : content.chart.texts) data.append(TextsJson(row));
    return QJsonObject{
        {QStringLiteral("table"), table},
        {QStringLiteral("chart"),
         QJsonObject{
             {QStringLiteral("type"), content.chart.type == ChartType::Pie
                                          ? QStringLiteral("pie")
                                          : QStringLiteral("line")},
             {QStringLiteral("rowLabels"), TextsJson(content.chart.rowLabels)},
             {QStringLiteral("columns"), TextsJson(content.chart.columns)},
             {QStringLiteral("data"), data},
         }},
        {QStringLiteral("advice"), Utf8Text(content.advice)},
    };
}

}  // namespace

int RunGraph(const QStringList& arguments) {
    CommandParser command(
        QStringLiteral("graph"),
        QStringLiteral("FILE --current YYYY-MM-DD [--now \"YYYY-MM-DD HH:MM:SS\"] "
                       "[--projection on|off] [--tab share|trend] [--offset H]"),
        QStringLiteral("Prints the graph window's table, chart data and advice sheet as JSON for\n"
                       "the accounting periods around the current date."));
    const QCommandLineOption current(QStringLiteral("current"),
                                     QStringLiteral("The ledger's current date."),
                                     QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption now(
        QStringLiteral("now"),
        QStringLiteral("The wall clock for the projection of the running period (default: the "
                       "real clock)."),
        QStringLiteral("YYYY-MM-DD HH:MM:SS"));
    const QCommandLineOption projection(
        QStringLiteral("projection"),
        QStringLiteral("Show the running period projected to its end (default: the ledger's "
                       "setting)."),
        QStringLiteral("on|off"));
    const QCommandLineOption tab(QStringLiteral("tab"), QStringLiteral("share (default) or trend."),
                                 QStringLiteral("share|trend"), QStringLiteral("share"));
    const QCommandLineOption offset(
        QStringLiteral("offset"),
        QStringLiteral("Trend tab: the newest period shown, 0 (default) to %1.")
            .arg(kMaxTrendOffset),
        QStringLiteral("H"), QStringLiteral("0"));
    for (const auto* option : {&current, &now, &projection, &tab, &offset}) {
        command.AddOption(*option);
    }
    command.Parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("The ledger to read."));
    if (const auto exit = command.Parse(arguments, 1)) return *exit;

    TimeValue currentDay = 0;
    std::optional<TimeValue> fixedNow;
    if (const auto exit = command.ReadClock(current, &now, currentDay, fixedNow)) return *exit;
    std::optional<bool> project;
    if (command.IsSet(projection)) {
        const QString value = command.Value(projection);
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            return command.UsageError(QStringLiteral("--projection must be on or off"));
        }
        project = value == QLatin1String("on");
    }
    GraphView view;
    const QString tabName = command.Value(tab);
    if (tabName == QLatin1String("share")) {
        view.tab = GraphTab::Share;
    } else if (tabName == QLatin1String("trend")) {
        view.tab = GraphTab::Trend;
    } else {
        return command.UsageError(QStringLiteral("--tab must be share or trend"));
    }
    const auto offsetValue = ParseInt(command.Value(offset), 0, kMaxTrendOffset);
    if (!offsetValue) {
        return command.UsageError(
            QStringLiteral("--offset must be a whole number from 0 to %1").arg(kMaxTrendOffset));
    }
    view.offset = *offsetValue;

    LedgerSession session(fixedNow);
    CTallymoDoc& doc = session.Doc();
    if (!doc.LoadLedgerFile(ToLocalPath(command.Positionals().first()))) {
        return ExitFailure;
    }
    doc.SetCurrentDate(currentDay);
    view.project = project.value_or(doc.Settings().ShowProjection);
    WriteJson(QJsonDocument(GraphJson(BuildGraphContent(doc, view))));
    return ExitSuccess;
}

}  // namespace tallymo::cli
