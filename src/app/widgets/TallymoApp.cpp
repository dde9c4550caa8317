#include "app/widgets/TallymoApp.h"
#include "ProgramVersion.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

#include "app/StartupPolicy.h"
#include "doc/Clock.h"
#include "doc/LocalPath.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "ui/AppIcon.h"
#include "ui/Help.h"
#include "ui/MessageBox.h"
#include "ui/PointFont.h"
#include "views/widgets/MainFrame.h"

namespace tallymo {
namespace {

// Where the help file was found (QT_LOGGING_RULES="tallymo.help.debug=true" shows it).
Q_LOGGING_CATEGORY(lcHelp, "tallymo.help", QtInfoMsg)

}  // namespace

UserMessage MissingLedgerMessage(const std::string& utf8Path) {
    return {"ファイル『" + utf8Path + "』が見つかりません。新しいファイルで起動します。", 0,
            MessageIcon::Exclamation};
}

CTallymoApp::CTallymoApp(SettingsStore& store, const Clock& clock)
    : m_store(store), m_clock(clock) {}

CTallymoApp::~CTallymoApp() {
    // The window goes first: it writes its pane flags and leaves the document's listeners.
    m_frame.reset();
    m_doc.reset();
}

bool CTallymoApp::InitInstance(const QStringList& arguments) {
    m_recentFiles.Read(m_store);

    std::vector<std::string> args;
    for (const QString& argument : arguments) args.push_back(ToLocalPath(argument));
    const TimeValue now = m_clock.Now();
    const StartupPlan plan = PlanStartup(
        ReadStartupSettings(m_store), now, args, m_recentFiles.First(),
        [](const std::string& path) { return QFileInfo(FromLocalPath(path)).isFile(); });
    if (!plan.proceed) return false;  // quietly: no window, nothing written
    WriteRecentlyRunTime(m_store, now);

    m_doc = std::make_unique<CTallymoDoc>(m_store, m_clock);
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_store, m_recentFiles);
    m_doc->SetMessageHandler(
        [this](const UserMessage& message) { ShowMessageBox(m_frame.get(), message); });

    if (!plan.ledger.missingPath.empty()) {
        const QString missing = FromLocalPath(plan.ledger.missingPath);
        ShowMessageBox(m_frame.get(), MissingLedgerMessage(missing.toStdString()));
    }
    const QString path = FromLocalPath(plan.ledger.path);
    switch (plan.ledger.kind) {
        case LedgerChoice::Kind::CommandLineFile:
            // The document layer has said why the file cannot be read; the program goes on
            // with a new ledger rather than ending.
            if (!m_frame->OpenDocumentFile(path)) m_frame->NewDocument();
            break;
        case LedgerChoice::Kind::RecentFile:
            if (!m_frame->OpenDocumentFile(path)) {
                // The last ledger is gone or unreadable: it leaves the list, and the start
                // goes on with a new ledger.
                const auto& entries = m_recentFiles.Entries();
                if (!entries.empty() && entries.front() == plan.ledger.path) {
                    m_recentFiles.Remove(0);
                }
                m_recentFiles.Write(m_store);
                m_frame->NewDocument();
            }
            break;
        case LedgerChoice::Kind::NewLedger:
            m_frame->NewDocument();
            break;
    }

    m_frame->RunStartupWizard();
    m_frame->ShowAtStart();
    return true;
}

void PrepareApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Harvelon"));
    QCoreApplication::setApplicationName(QStringLiteral("Tallymo Ver.2"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
    QApplication::setFont(PointFont(90, kProportionalGothicFace));
    QApplication::setWindowIcon(ApplicationIcon());

    const QString helpFile = HelpFilePath();
    if (QFileInfo::exists(helpFile)) {
        qCDebug(lcHelp) << "help file found:" << helpFile;
    } else {
        qCWarning(lcHelp) << "help file missing:" << helpFile;
    }
}

}  // namespace tallymo
