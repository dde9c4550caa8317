#pragma once
// The main window: the booking pane above the calculator pane on the left, the ledger view on
// the right, in splitters whose bars stay put; the menu bar, tool bar and status bar; the
// commands that belong to no pane (files, undo and redo, view modes, pane toggles, help); and
// the placement, pane and bar state kept in the application settings.

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

class QAction;
class QLabel;
class QMenu;

namespace tallymo {

enum class ShowTypeKind : std::int32_t;
class CBitmapMenu;
class CCalcView;
class CFixedSplitter;
class COperationView;
class CTallymoDoc;
class PrintCommands;
class CTallymoView;
class RecentFileList;
class SettingsStore;

class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    // Pane sizes, pixels.
    static constexpr int kLeftColumnWidth = 190;
    static constexpr int kBookingPaneHeight = 310;
    static constexpr int kCalculatorHeight = 190;
    static constexpr int kLedgerViewWidth = 610;
    static constexpr int kLedgerViewHeight = 520;

    // The window reads its placement, pane flags and bar state from `store` ("Settings") and
    // keeps the recent-file list in step. All three must outlive the window.
    CMainFrame(CTallymoDoc& doc, SettingsStore& store, RecentFileList& recentFiles,
               QWidget* parent = nullptr);
    ~CMainFrame() override;  // stores the pane flags

    CTallymoView* GetLedgerView() const { return m_ledgerView; }
    COperationView* GetBookingPane() const { return m_bookingPane; }
    CCalcView* GetCalcView() const { return m_calcView; }
    PrintCommands* GetPrintCommands() const { return m_print; }
    // Text into status-bar pane 0, painted at once.
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // The start-up step: the input wizard when the ledger asks for it (cancelled, it reloads
    // the ledger from its file; asked to end the program, it closes the window afterwards),
    // then the window shown normally or maximised as stored.
    void RunStartupWizard();
    void ShowAtStart();
    bool StartsMaximized() const { return m_startMaximized; }

    // Commands. Those that replace the ledger first ask whether to save a modified one.
    QAction* Action(int commandId) const;  // nullptr for a command without an action
    bool NewDocument();
    bool OpenDocumentFile(const QString& path);  // open, recent file, dropped file
    bool SaveDocument();
    bool SaveDocumentAs();
    void SetShowType(ShowTypeKind showType);
    void ToggleOperationView();
    void ToggleCalcView();
    void ShowHelpForFocus();  // F1
    // The settings dialog; after OK the panes follow the changed lists and settings.
    void OpenSettings();
    bool IsOperationViewShown() const { return m_showOperationView; }
    bool IsCalcViewShown() const { return m_showCalcView; }
    // After a new or opened ledger: title, panes and command states follow the document.
    void DocumentReplaced();
    // Enabled and checked states of the commands, from the document and the panes.
    void UpdateCommandStates();
    // The recent-file entries of the File menu (the placeholder when the list is empty).
    QList<QAction*> RecentFileActions() const { return m_recentActions; }

    // The document's name in the title: its file name, or "無題".
    QString DocumentTitle() const;

    // The file dialogs, replaceable for tests. A dialog answers the chosen path and the index
    // of the chosen file-type filter, or nothing when cancelled.
    struct FileChoice {
        QString path;
        int filterIndex = 0;
    };
    enum class FileDialogKind { Open, SaveAs };
    using FileDialogRunner = std::function<std::optional<FileChoice>(
        QWidget* parent, FileDialogKind kind, const QString& preset)>;
    void SetFileDialogRunner(FileDialogRunner runner) { m_fileDialog = std::move(runner); }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenuBar();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildPanes();
    void ApplyStoredPlacement();
    void SizeForWholeMonth();  // first start: the whole month table when the screen allows
    void RestoreBarState();
    void SaveBarState();
    void StorePlacement();
    void RebuildRecentFileMenu();
    void OpenRecentFile(int index);
    void AddRecentFile(const QString& path);
    bool SaveTo(const QString& path);
    bool LoadFrom(const QString& path);
    bool AskToSaveChanges();  // false: the user cancelled (or the save failed)
    void UpdateTitle();
    void Undo();
    void Redo();
    std::optional<FileChoice> RunFileDialog(FileDialogKind kind, const QString& preset);

    CTallymoDoc& m_doc;
    SettingsStore& m_store;
    RecentFileList& m_recentFiles;
    CBitmapMenu* m_menuStyle;
    std::map<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QLabel* m_statusPane = nullptr;
    CFixedSplitter* m_outerSplitter = nullptr;
    CFixedSplitter* m_innerSplitter = nullptr;
    CTallymoView* m_ledgerView = nullptr;
    COperationView* m_bookingPane = nullptr;
    CCalcView* m_calcView = nullptr;
    bool m_showOperationView = true;
    bool m_showCalcView = true;
    bool m_startMaximized = false;
    bool m_firstStart = false;  // no placement stored yet
    int m_refreshListener = 0;
    FileDialogRunner m_fileDialog;
    PrintCommands* m_print = nullptr;
};

}  // namespace tallymo
