#pragma once
// The application object: decides what the user sees first. In start-up mode (the log-on
// autorun entry) it may end at once; otherwise it records the start, opens the ledger named on
// the command line, the most recent ledger or a new one, and shows the main window.

#include <QString>
#include <QStringList>
#include <memory>

#include "app/RecentFileList.h"
#include "doc/UserMessage.h"

namespace tallymo {

class CMainFrame;
class CTallymoDoc;
class Clock;
class SettingsStore;

class CTallymoApp {
public:
    // The store holds the application settings; store and clock must outlive the object.
    CTallymoApp(SettingsStore& store, const Clock& clock);
    ~CTallymoApp();
    CTallymoApp(const CTallymoApp&) = delete;
    CTallymoApp& operator=(const CTallymoApp&) = delete;

    // Runs the start with the arguments after the program name. False: the program ends now
    // (start-up mode outside its limits); no window is left open. A ledger named on the
    // command line that is missing or cannot be read is reported, and a new ledger shown.
    bool InitInstance(const QStringList& arguments);

    CTallymoDoc& Document() { return *m_doc; }
    CMainFrame* MainFrame() { return m_frame.get(); }
    const RecentFileList& RecentFiles() const { return m_recentFiles; }

private:
    bool OpenFirstLedger(const QString& path, bool fromCommandLine);

    SettingsStore& m_store;
    const Clock& m_clock;
    RecentFileList m_recentFiles;
    std::unique_ptr<CTallymoDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

// The message for a ledger named on the command line that does not exist.
UserMessage MissingLedgerMessage(const std::string& utf8Path);

// Japanese texts on Qt's own buttons and dialogs, the program's fonts and names; called once
// after the QApplication exists and before any window is made.
void PrepareApplication();

}  // namespace tallymo
