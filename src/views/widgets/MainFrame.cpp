#include "views/widgets/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "analysis/widgets/GraphDlg.h"
#include "app/RecentFileList.h"
#include "app/StartupPolicy.h"
#include "app/WindowPlacement.h"
#include "app/widgets/DesktopShell.h"
#include "app/widgets/SettingsDlg.h"
#include "calc/widgets/CalcView.h"
#include "doc/LedgerLock.h"
#include "doc/LocalPath.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "ui/AboutBox.h"
#include "ui/ControlId.h"
#include "ui/Help.h"
#include "ui/PointFont.h"
#include "ui/Question.h"
#include "views/FrameCommands.h"
#include "views/widgets/BitmapMenuStyle.h"
#include "views/widgets/FixedSplitter.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/MenuIcons.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/PrintCommands.h"
#include "views/widgets/TallymoView.h"
#include "views/widgets/WizardDlg.h"

namespace tallymo {
namespace {

constexpr std::string_view kBarStateSection = "ControlBar";

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QStringList LedgerFilters() {
    QStringList filters;
    for (const FileFilter& filter : kLedgerFileFilters) {
        // The pattern in parentheses at the end is Qt's; the dialog shows only the description.
        filters << Text(filter.description) + QStringLiteral(" (") + Text(filter.pattern) +
                       QLatin1Char(')');
    }
    return filters;
}

bool OnSomeScreen(const QRect& rect) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(rect)) return true;
    }
    return false;
}

}  // namespace

CMainFrame::CMainFrame(CTallymoDoc& doc, SettingsStore& store, RecentFileList& recentFiles,
                       QWidget* parent)
    : QMainWindow(parent),
      m_doc(doc),
      m_store(store),
      m_recentFiles(recentFiles),
      m_menuStyle(new CBitmapMenu),
      m_print(new PrintCommands(doc, this)) {
    setFont(PointFont(90, kProportionalGothicFace));
    ApplyStoredPlacement();
    BuildActions();
    BuildMenuBar();
    BuildToolBar();
    BuildStatusBar();
    RestoreBarState();
    BuildPanes();

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &CMainFrame::ShowHelpForFocus);

    m_refreshListener = m_doc.AddRefreshListener([this] { UpdateCommandStates(); });
    UpdateTitle();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    m_doc.RemoveRefreshListener(m_refreshListener);
    m_store.WriteFlag(kAppSettingsSection, "ShowOperationView", m_showOperationView);
    m_store.WriteFlag(kAppSettingsSection, "ShowCalcView", m_showCalcView);
    // The drop-down menus use the style until they go: give them back the desktop's first.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->setStyle(nullptr);
    delete m_menuStyle;
}

// --- building -----------------------------------------------------------------------------

void CMainFrame::ApplyStoredPlacement() {
    const InitialFrameGeometry geometry =
        InitialGeometryFromPlacement(m_store.ReadBinary(kAppSettingsSection, "WindowPlacement"));
    const QRect rect(geometry.x, geometry.y, geometry.width, geometry.height);
    // A position on no screen any more (a display removed) is left to the desktop.
    if (geometry.hasPosition && OnSomeScreen(rect)) {
        setGeometry(rect);
    } else {
        resize(geometry.width, geometry.height);
    }
    m_startMaximized = geometry.maximized;
    m_firstStart = !geometry.hasPosition;
}

void CMainFrame::SizeForFirstStart() {
    // Measured once the start-up ledger is in the grid: before that the grid has no columns.
    if (!m_firstStart) return;
    m_firstStart = false;
    SizeForWholeMonth();
}

void CMainFrame::SizeForWholeMonth() {
    // The longest month of the ledger table with its carry-forward and total rows, every
    // column up to the balance, beside the left column and between the bars.
    const CLedgerGrid& grid = m_ledgerView->Grid();
    const int dpiX = std::max(1, grid.PixelsPerInchX());
    const int dpiY = std::max(1, grid.PixelsPerInchY());
    int tableWidth = 0;
    for (int c = 0; c < grid.Cols(); ++c) tableWidth += grid.ColWidth(c) * dpiX / 1440;
    int tableHeight = 0;
    for (int r = 0; r < grid.Rows(); ++r) tableHeight += grid.RowHeight(r) * dpiY / 1440;
    const int dayRows = std::max(1, grid.Rows() - 3);
    if (dayRows < 31) tableHeight += (31 - dayRows) * grid.RowHeight(2) * dpiY / 1440;
    const int border = 2 * grid.frameWidth() + 4;
    int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    if (const auto* bar = findChild<QToolBar*>(QStringLiteral("ToolBar"))) {
        bars += bar->sizeHint().height();
    }
    const FrameSize wanted{
        kLeftColumnWidth + m_outerSplitter->handleWidth() + tableWidth + border,
        bars + std::max(tableHeight + border, kBookingPaneHeight + kCalculatorHeight)};
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    // The window's own frame (title bar, borders) needs room too.
    const FrameSize available{room.width() - 16, room.height() - 40};
    const FrameSize size = FirstStartFrameSize(wanted, available);
    resize(size.width, size.height);
}

void CMainFrame::BuildActions() {
    for (const CommandText& command : AllCommandTexts()) {
        if (command.id == kCmdFileMru1) continue;  // the recent-file entries are built apart
        auto* action = new QAction(Text(command.menuText), this);
        action->setData(command.id);
        action->setStatusTip(Text(command.prompt));
        action->setToolTip(Text(command.toolTip));
        if (!command.shortcut.empty()) {
            action->setShortcut(QKeySequence(Text(command.shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const QIcon icon = CommandIcon(command.id);
        if (!icon.isNull()) action->setIcon(icon);
        m_actions[command.id] = action;
    }
    for (int id : {kCmdViewToolBar, kCmdViewStatusBar, kCmdViewOperation, kCmdViewCalculator,
                   kCmdViewMonth, kCmdViewWeek, kCmdViewFit}) {
        m_actions[id]->setCheckable(true);
    }

    const auto on = [this](int id, auto handler) {
        connect(m_actions[id], &QAction::triggered, this, handler);
    };
    on(kCmdFileNew, [this] { NewDocument(); });
    on(kCmdFileOpen, [this] {
        if (const auto choice = RunFileDialog(FileDialogKind::Open, QString())) {
            OpenDocumentFile(choice->path);
        }
    });
    on(kCmdFileSave, [this] { SaveDocument(); });
    on(kCmdFileSaveAs, [this] { SaveDocumentAs(); });
    on(kCmdFilePrint, [this] { m_print->Print(); });
    on(kCmdFilePrintPreview, [this] { m_print->PrintPreview(); });
    on(kCmdFilePrintSetup, [this] { m_print->PrintSetup(); });
    on(kCmdAppExit, [this] { close(); });
    on(kCmdEditUndo, [this] { Undo(); });
    on(kCmdEditRedo, [this] { Redo(); });
    on(kCmdViewToolBar, [this](bool shown) {
        if (auto* bar = findChild<QToolBar*>(QStringLiteral("ToolBar"))) bar->setVisible(shown);
        UpdateCommandStates();
    });
    on(kCmdViewStatusBar, [this](bool shown) {
        statusBar()->setVisible(shown);
        UpdateCommandStates();
    });
    on(kCmdViewOperation, [this] { ToggleOperationView(); });
    on(kCmdViewCalculator, [this] { ToggleCalcView(); });
    on(kCmdViewMonth, [this] { SetShowType(ShowTypeKind::Month); });
    on(kCmdViewWeek, [this] { SetShowType(ShowTypeKind::Week); });
    on(kCmdViewFit, [this] { SetShowType(ShowTypeKind::Fit); });
    on(kCmdHelpContents, [] { ShowHelpTopic(kHelpContentsTopic); });
    on(kCmdSettings, [this] { OpenSettings(); });
    on(kCmdGraph, [this] {
        CGraphDlg graph(m_doc, this);
        graph.exec();
    });
    on(kCmdAppAbout, [this] {
        AboutBox box(this);
        box.exec();
    });
}

void CMainFrame::BuildMenuBar() {
    for (const MenuBarItem& item : MenuBarLayout()) {
        if (item.command != 0) {  // a command on the bar itself
            menuBar()->addAction(m_actions.at(item.command));
            continue;
        }
        QMenu* menu = menuBar()->addMenu(Text(item.title));
        m_menuStyle->Apply(menu);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        for (int id : item.items) {
            if (id == kSeparator) {
                QAction* separator = menu->addSeparator();
                if (m_recentPlaceholder && !m_recentSeparator) m_recentSeparator = separator;
            } else if (id == kCmdFileMru1) {
                m_fileMenu = menu;
                m_recentPlaceholder = menu->addAction(Text(kRecentFilePlaceholder));
                m_recentPlaceholder->setData(kCmdFileMru1);
                m_recentPlaceholder->setStatusTip(Text(kRecentFilePrompt));
                m_recentPlaceholder->setEnabled(false);
            } else {
                menu->addAction(m_actions.at(id));
            }
        }
    }
    RebuildRecentFileMenu();
}

void CMainFrame::BuildToolBar() {
    QToolBar* bar = addToolBar(Text(FindCommandText(kCmdViewToolBar)->toolTip));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setMovable(true);
    for (int id : ToolBarLayout()) {
        if (id == kSeparator) {
            bar->addSeparator();
        } else {
            bar->addAction(m_actions.at(id));
        }
    }
}

void CMainFrame::BuildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    m_statusPane = new QLabel(Text(kIdleStatusText));
    m_statusPane->setObjectName(QStringLiteral("StatusPane0"));
    statusBar()->addWidget(m_statusPane, 1);
    for (std::string_view indicator : kStatusIndicators) {
        auto* label = new QLabel(Text(indicator));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 8);
        // The lock states are not known here: the indicators show their text greyed.
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
}

void CMainFrame::BuildPanes() {
    m_outerSplitter = new CFixedSplitter(Qt::Horizontal, this);
    m_innerSplitter = new CFixedSplitter(Qt::Vertical);

    m_bookingPane = new COperationView(m_doc);
    m_calcView = new CCalcView(*m_bookingPane);
    m_ledgerView = new CTallymoView(m_doc);
    // The panes know nothing of each other: the frame keeps them in step.
    connect(m_ledgerView, &CTallymoView::cursorCellChanged, m_bookingPane,
            &COperationView::SelectCell);
    connect(m_bookingPane, &COperationView::dayPicked, m_ledgerView,
            &CTallymoView::ShowMatterColumn);
    connect(m_ledgerView, &CTallymoView::statusTextChanged, this, &CMainFrame::SetStatusText);
    connect(m_bookingPane, &COperationView::statusTextChanged, this, &CMainFrame::SetStatusText);
    connect(m_ledgerView, &CTallymoView::fileDropped, this,
            [this](const QString& path) { OpenDocumentFile(path); });

    m_innerSplitter->addWidget(m_bookingPane);
    m_innerSplitter->addWidget(m_calcView);
    m_innerSplitter->setStretchFactor(0, 0);
    m_innerSplitter->setStretchFactor(1, 1);
    m_innerSplitter->setMinimumWidth(kLeftColumnWidth);
    m_innerSplitter->setSizes({kBookingPaneHeight, kCalculatorHeight});

    m_outerSplitter->addWidget(m_innerSplitter);
    m_outerSplitter->addWidget(m_ledgerView);
    m_outerSplitter->setStretchFactor(0, 0);
    m_outerSplitter->setStretchFactor(1, 1);
    m_outerSplitter->setSizes({kLeftColumnWidth, kLedgerViewWidth});
    setCentralWidget(m_outerSplitter);

    // Each toggle inverts its flag: start from the opposite of the stored value.
    m_showOperationView = !m_store.ReadFlag(kAppSettingsSection, "ShowOperationView", true);
    m_showCalcView = !m_store.ReadFlag(kAppSettingsSection, "ShowCalcView", true);
    ToggleOperationView();
    ToggleCalcView();
}

void CMainFrame::RestoreBarState() {
    if (const auto state = m_store.ReadBinary(kBarStateSection, "MainWindowState")) {
        restoreState(QByteArray(state->data(), static_cast<qsizetype>(state->size())));
    }
    statusBar()->setVisible(m_store.ReadFlag(kBarStateSection, "StatusBar", true));
}

void CMainFrame::SaveBarState() {
    const QByteArray state = saveState();
    m_store.WriteBinary(
        kBarStateSection, "MainWindowState",
        std::string_view(state.constData(), static_cast<std::size_t>(state.size())));
    m_store.WriteFlag(kBarStateSection, "StatusBar", !statusBar()->isHidden());
}

void CMainFrame::StorePlacement() {
    const Qt::WindowStates state = windowState();
    FrameWindowState frameState = FrameWindowState::Normal;
    if (state & Qt::WindowMinimized) {
        frameState = FrameWindowState::Minimized;
    } else if (state & Qt::WindowMaximized) {
        frameState = FrameWindowState::Maximized;
    }
    QRect normal = normalGeometry();
    if (!normal.isValid()) normal = geometry();
    const WindowPlacement placement =
        PlacementOnClose(frameState, (state & Qt::WindowMaximized) != 0, normal.x(), normal.y(),
                         normal.width(), normal.height());
    m_store.WriteBinary(kAppSettingsSection, "WindowPlacement", EncodePlacement(placement));
}

// --- status bar and title -----------------------------------------------------------------

void CMainFrame::SetStatusText(const QString& text) {
    // setText schedules the label's repaint; painting at once would paint the whole window
    // with it, once per cursor step while the wheel turns.
    m_statusPane->setText(text);
}

QString CMainFrame::StatusText() const {
    return m_statusPane->text();
}

bool CMainFrame::event(QEvent* event) {
    // Prompts of highlighted menu items and tool bar buttons go to pane 0; when the highlight
    // ends the pane shows the idle text.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetStatusText(tip.isEmpty() ? Text(kIdleStatusText) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

QString CMainFrame::DocumentTitle() const {
    if (m_doc.PathName().empty()) return Text(kUntitledName);
    return QFileInfo(FromLocalPath(m_doc.PathName())).fileName();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(DocumentTitle() + QStringLiteral(" - ") + Text(kApplicationTitle));
}

// --- command states -------------------------------------------------------------------------

QAction* CMainFrame::Action(int commandId) const {
    if (commandId >= kCmdFileMru1 && commandId <= kCmdFileMruLast) {
        const int index = commandId - kCmdFileMru1;
        return index < m_recentActions.size() ? m_recentActions[index] : nullptr;
    }
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::UpdateCommandStates() {
    const ShowTypeKind showType = m_doc.GetShowType();
    m_actions[kCmdEditUndo]->setEnabled(m_doc.CanUndo());
    m_actions[kCmdEditRedo]->setEnabled(m_doc.CanRedo());
    m_actions[kCmdViewMonth]->setChecked(showType == ShowTypeKind::Month);
    m_actions[kCmdViewWeek]->setChecked(showType == ShowTypeKind::Week);
    m_actions[kCmdViewFit]->setChecked(showType == ShowTypeKind::Fit);
    m_actions[kCmdViewOperation]->setChecked(m_showOperationView);
    m_actions[kCmdViewCalculator]->setEnabled(m_showOperationView);
    m_actions[kCmdViewCalculator]->setChecked(m_showOperationView && m_showCalcView);
    if (const auto* bar = findChild<QToolBar*>(QStringLiteral("ToolBar"))) {
        m_actions[kCmdViewToolBar]->setChecked(!bar->isHidden());
    }
    m_actions[kCmdViewStatusBar]->setChecked(!statusBar()->isHidden());
}

// --- panes ------------------------------------------------------------------------------------

void CMainFrame::ToggleOperationView() {
    if (m_showOperationView) {
        m_innerSplitter->hide();
    } else {
        m_innerSplitter->show();
        const int total = m_outerSplitter->width();
        m_outerSplitter->setSizes({kLeftColumnWidth, std::max(0, total - kLeftColumnWidth)});
    }
    m_showOperationView = !m_showOperationView;
    UpdateCommandStates();
}

void CMainFrame::ToggleCalcView() {
    if (m_showCalcView) {
        // The booking pane takes the column's full height.
        m_calcView->hide();
    } else {
        m_calcView->show();
        const int total = m_innerSplitter->height();
        m_innerSplitter->setSizes({kBookingPaneHeight, std::max(0, total - kBookingPaneHeight)});
    }
    m_showCalcView = !m_showCalcView;
    UpdateCommandStates();
}

void CMainFrame::SetShowType(ShowTypeKind showType) {
    m_doc.SetShowType(showType);
    m_ledgerView->SetUpGrid();
    UpdateCommandStates();
}

void CMainFrame::ShowHelpForFocus() {
    // The help topic is the control id of the focused control (or of the nearest window
    // around it that has one).
    int controlId = 0;
    for (QWidget* widget = QApplication::focusWidget(); widget && widget != this;
         widget = widget->parentWidget()) {
        const QVariant id = widget->property(kControlIdProperty);
        if (id.isValid()) {
            controlId = id.toInt();
            break;
        }
    }
    ShowHelpTopic(HelpTopicForControl(controlId));
}

void CMainFrame::OpenSettings() {
    // The cursor's day and matter, to find them again in the rebuilt table.
    CLedgerGrid& grid = m_ledgerView->Grid();
    const TimeValue cursorDay = m_ledgerView->RowDate(grid.Row());
    const Matter* cursorMatter = m_doc.GetMatter(m_ledgerView->Shape().MatterOfColumn(grid.Col()));
    const MatterId cursorMatterId = cursorMatter ? cursorMatter->Id() : kNoMatterId;

    CSettingsDlg dialog(m_doc, m_store, DesktopShellSwitches(), this);
    if (dialog.exec() != QDialog::Accepted) return;

    m_bookingPane->Initialize();
    m_ledgerView->SetUpGrid();
    const LedgerTableShape& shape = m_ledgerView->Shape();
    for (int row = shape.FirstDayRow(); row <= shape.LastDayRow(); ++row) {
        if (m_ledgerView->RowDate(row) == cursorDay) grid.SetRow(row);
    }
    for (MatterIndex m = 0; m < m_doc.MatterCount(); ++m) {
        if (m_doc.GetMatter(m)->Id() != cursorMatterId) continue;
        if (const int column = shape.ColumnOfMatter(m); column > 0) grid.SetCol(column);
    }
    m_ledgerView->SyncPane();
    UpdateTitle();
    UpdateCommandStates();
}

void CMainFrame::Undo() {
    if (!m_doc.CanUndo()) return;
    m_doc.Undo();
    UpdateCommandStates();
}

void CMainFrame::Redo() {
    if (!m_doc.CanRedo()) return;
    m_doc.Redo();
    UpdateCommandStates();
}

// --- start ----------------------------------------------------------------------------------

void CMainFrame::RunStartupWizard() {
    if (!m_doc.Settings().ShowQuickWizard) return;
    SizeForFirstStart();
    // Out of the way while the wizard runs (at start-up it appears minimised meanwhile).
    showMinimized();
    CWizardDlg wizard(
        m_doc, [this] { return SaveDocument(); }, this);
    if (RunWizard(wizard) == QDialog::Accepted) {
        UpdateTitle();
        UpdateCommandStates();
    } else {
        // The wizard's bookings go: the ledger comes back from its file. Without a file, or
        // when the file cannot be read back, a new unnamed ledger starts, so that no later
        // save can write over the file.
        const std::string path = m_doc.PathName();
        if (path.empty() || !LoadFrom(FromLocalPath(path))) {
            m_doc.OnNewDocument();
            DocumentReplaced();
        }
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    // The ledger is saved: the window closes once the start is over.
    if (wizard.QuitRequested())
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
}

void CMainFrame::ShowAtStart() {
    SizeForFirstStart();
    if (m_startMaximized) {
        showMaximized();
    } else {
        show();
    }
}

// --- files --------------------------------------------------------------------------------------

void CMainFrame::DocumentReplaced() {
    UpdateTitle();
    m_bookingPane->Initialize();
    m_ledgerView->SetUpGrid();
    UpdateCommandStates();
}

bool CMainFrame::AskToSaveChanges() {
    // An amount still open in a cell belongs to this ledger: store it before asking, so it is
    // neither lost on closing nor booked into the next ledger.
    if (m_ledgerView) m_ledgerView->Grid().FinishEditing();
    if (!m_doc.IsModified()) return true;
    switch (AskQuestion(this, {SaveChangesQuestion(DocumentTitle()), true})) {
        case Answer::Yes:
            return SaveDocument();
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

bool CMainFrame::NewDocument() {
    if (!AskToSaveChanges()) return false;
    m_doc.OnNewDocument();
    DocumentReplaced();
    return true;
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    // Unsaved bookings are not dropped without asking, whichever way the file came.
    if (!AskToSaveChanges()) return false;
    return LoadFrom(path);
}

bool CMainFrame::LoadFrom(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string local = ToLocalPath(absolute);
    // A file that cannot be read reports its message and leaves the ledger on screen, its
    // name and its contents as they were.
    if (!m_doc.LoadLedgerFile(local)) return false;
    m_doc.SetPathName(local);
    m_doc.SetModifiedFlag(false);
    AddRecentFile(absolute);
    DocumentReplaced();
    return true;
}

bool CMainFrame::SaveDocument() {
    if (m_doc.PathName().empty()) return SaveDocumentAs();
    return SaveTo(FromLocalPath(m_doc.PathName()));
}

bool CMainFrame::SaveDocumentAs() {
    const QString preset = m_doc.PathName().empty() ? Text(kUntitledName) + QStringLiteral(".tm2")
                                                    : FromLocalPath(m_doc.PathName());
    const auto choice = RunFileDialog(FileDialogKind::SaveAs, preset);
    if (!choice) return false;
    return SaveTo(QString::fromStdString(
        WithDefaultExtension(choice->path.toStdString(), choice->filterIndex)));
}

bool CMainFrame::SaveTo(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string local = ToLocalPath(absolute);
    // Another writer (the command line, a script) waits for this save, and a change it made
    // to the file since it was opened here is not written over without asking.
    LedgerWriteLock lock(local);
    UserMessage lockFailure;
    if (!lock.Acquire(LedgerWriteLock::kWaitMs, lockFailure)) {
        m_doc.Report(lockFailure);
        return false;
    }
    // Saving over it throws that change away: "no" is the default, so Enter keeps it.
    if (m_doc.ChangedOnDisk(local) &&
        AskQuestion(this, {ChangedOnDiskQuestion(QFileInfo(absolute).fileName()), false, true}) !=
            Answer::Yes) {
        return false;
    }
    if (!m_doc.SaveLedgerFile(local)) return false;
    m_doc.SetPathName(local);
    m_doc.SetModifiedFlag(false);
    AddRecentFile(absolute);
    UpdateTitle();
    UpdateCommandStates();
    return true;
}

std::optional<CMainFrame::FileChoice> CMainFrame::RunFileDialog(FileDialogKind kind,
                                                                const QString& preset) {
    if (m_fileDialog) return m_fileDialog(this, kind, preset);

    QFileDialog dialog(this);
    dialog.setNameFilters(LedgerFilters());
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (kind == FileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // An existing file is replaced without a question; a new one is created only after one.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!preset.isEmpty()) dialog.selectFile(preset);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    FileChoice choice{dialog.selectedFiles().first(), 0};
    // The dialog names the chosen filter by its full text or by the text it shows.
    const QString chosen = dialog.selectedNameFilter();
    for (int i = 0; i < static_cast<int>(std::size(kLedgerFileFilters)); ++i) {
        if (chosen == LedgerFilters().at(i) || chosen == Text(kLedgerFileFilters[i].description)) {
            choice.filterIndex = i;
        }
    }
    if (kind == FileDialogKind::SaveAs) {
        choice.path = QString::fromStdString(
            WithDefaultExtension(choice.path.toStdString(), choice.filterIndex));
        if (!QFileInfo::exists(choice.path)) {
            const QString question = QFileInfo(choice.path).fileName() +
                                     QStringLiteral(" は存在しません。\nファイルを作成しますか?");
            if (AskQuestion(this, {question, false}) != Answer::Yes) return {};
        }
    }
    return choice;
}

// --- recent files -------------------------------------------------------------------------------

void CMainFrame::AddRecentFile(const QString& path) {
    m_recentFiles.Add(path.toStdString());
    m_recentFiles.Write(m_store);
    RebuildRecentFileMenu();
}

void CMainFrame::RebuildRecentFileMenu() {
    if (!m_fileMenu) return;
    for (QAction* action : m_recentActions) {
        if (action == m_recentPlaceholder) continue;
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    const auto& entries = m_recentFiles.Entries();
    const std::size_t shown = std::min(entries.size(), kRecentFilesInMenu);
    m_recentPlaceholder->setVisible(shown == 0);
    if (shown == 0) {
        m_recentActions << m_recentPlaceholder;
        return;
    }
    for (std::size_t i = 0; i < shown; ++i) {
        auto* action = new QAction(QString::fromStdString(m_recentFiles.MenuText(i)), this);
        action->setData(kCmdFileMru1 + static_cast<int>(i));
        action->setStatusTip(Text(kRecentFilePrompt));
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
        m_fileMenu->insertAction(m_recentSeparator, action);
        m_recentActions << action;
    }
}

void CMainFrame::OpenRecentFile(int index) {
    const auto& entries = m_recentFiles.Entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
    const QString path = QString::fromStdString(entries[static_cast<std::size_t>(index)]);
    if (!AskToSaveChanges()) return;
    if (!LoadFrom(path)) {
        // A file that cannot be opened any more leaves the list.
        m_recentFiles.Remove(static_cast<std::size_t>(index));
        m_recentFiles.Write(m_store);
        RebuildRecentFileMenu();
    }
}

// --- close
// ----------------------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveBarState();
    StorePlacement();
    if (!AskToSaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tallymo
