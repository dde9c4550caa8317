#pragma once
// The main window's commands: ids, menu texts, status-bar prompts and tool tips, the menu
// bar's layout and the tool bar's buttons. Texts are UTF-8. The widgets build the menu bar,
// the tool bar and the status bar from these tables.

#include <span>
#include <string>
#include <string_view>

#include "app/ControlIds.h"

namespace tallymo {

enum FrameCommand : int {
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 32784,
    kCmdFilePrint = 57607,
    kCmdFilePrintPreview = 57609,
    kCmdFilePrintSetup = 57606,
    kCmdFileMru1 = 57616,  // the recent-file list: 57616 ... 57631
    kCmdFileMruLast = 57631,
    kCmdAppExit = 57665,
    kCmdEditUndo = 57643,
    kCmdEditRedo = 57644,
    kCmdViewToolBar = 59392,
    kCmdViewStatusBar = 59393,
    kCmdViewOperation = 32777,
    kCmdViewCalculator = 32778,
    kCmdViewMonth = 32773,
    kCmdViewWeek = 32774,
    kCmdViewFit = 32779,
    kCmdGraph = 32772,
    kCmdSettings = 32771,
    kCmdHelpContents = 32776,
    kCmdAppAbout = 57664,
};

inline constexpr int kSeparator = 0;

// One command's texts. `menuText` holds the accelerator after a tab, as the menu shows it.
struct CommandText {
    int id;
    std::string_view menuText;
    std::string_view prompt;    // status-bar prompt; empty when the command has none
    std::string_view toolTip;   // empty when the command has none
    std::string_view shortcut;  // key sequence in portable form ("Ctrl+N"), or empty
};

// A menu-bar item: a drop-down (items by command id, kSeparator for a line) or a command on the
// bar itself (`command` non-zero, no items).
struct MenuBarItem {
    std::string_view title;
    int command;
    std::span<const int> items;
};

std::span<const CommandText> AllCommandTexts();
const CommandText* FindCommandText(int id);  // nullptr for an unknown id
std::span<const MenuBarItem> MenuBarLayout();
// Tool bar buttons in order; kSeparator marks a gap.
std::span<const int> ToolBarLayout();

// The status-bar prompt of the recent-file entries, the idle text and the indicators.
inline constexpr std::string_view kRecentFilePrompt = "指定のﾌｧｲﾙを開きます";
inline constexpr std::string_view kRecentFilePlaceholder = "最近使ったﾌｧｲﾙ";
inline constexpr std::string_view kIdleStatusText = "ﾚﾃﾞｨ";
inline constexpr std::string_view kApplicationTitle = "Tallymo Ver.2";
inline constexpr std::string_view kUntitledName = "無題";
inline constexpr std::string_view kStatusIndicators[] = {"ｶﾅ", "CAP", "NUM", "SCRL"};

// The file-type filter of the open and save-as dialogs, as (description, pattern) pairs.
struct FileFilter {
    std::string_view description;
    std::string_view pattern;
};
inline constexpr FileFilter kLedgerFileFilters[] = {
    {"Tallymo Ver.2ﾃﾞｰﾀﾌｧｲﾙ (*.tm2)", "*.tm2"},
    {"Tallymoﾃﾞｰﾀﾌｧｲﾙ (*.csv)", "*.csv"},
    {"すべてのﾌｧｲﾙ (*.*)", "*"},
};

// A file name typed without an extension gets the one of the chosen filter (".tm2" for the
// ledger filter and for "all files", ".csv" for the text form). Any extension the user typed
// is kept.
std::string_view DefaultExtensionForFilter(int filterIndex);
std::string WithDefaultExtension(std::string_view path, int filterIndex);

// The help topic of a help request (F1) from the control with this id: the help buttons (id 9)
// and controls without a positive id open the contents, topic 100.
constexpr int HelpTopicForControl(int controlId) {
    return (controlId == kHelpButtonId || controlId <= 0) ? kHelpContentsTopic : controlId;
}

}  // namespace tallymo
