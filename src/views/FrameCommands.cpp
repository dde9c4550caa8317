#include "views/FrameCommands.h"

#include <algorithm>
#include <array>

namespace tallymo {
namespace {

constexpr std::array kCommandTexts = {
    CommandText{kCmdFileNew, "新規作成(&N)\tCtrl+N", "新規にﾌｧｲﾙを作成します", "新規ﾌｧｲﾙ",
                "Ctrl+N"},
    CommandText{kCmdFileOpen, "開く(&O)...\tCtrl+O", "既存のﾌｧｲﾙを開きます", "開く", "Ctrl+O"},
    CommandText{kCmdFileSave, "上書き保存(&S)\tCtrl+S", "作業中のﾌｧｲﾙを上書きして保存します",
                "保存", "Ctrl+S"},
    CommandText{kCmdFileSaveAs, "名前を付けて保存(&A)...", "作業中のﾌｧｲﾙを新しい名前で保存します",
                "名前をつけて保存", ""},
    CommandText{kCmdFilePrint, "印刷(&P)...\tCtrl+P", "作業中のﾌｧｲﾙを印刷します", "印刷", "Ctrl+P"},
    CommandText{kCmdFilePrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "印刷ｲﾒｰｼﾞを表示します", "印刷ﾌﾟﾚﾋﾞｭｰ",
                ""},
    CommandText{kCmdFilePrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", "ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更します",
                "印刷設定", ""},
    CommandText{kCmdFileMru1, "最近使ったﾌｧｲﾙ", "指定のﾌｧｲﾙを開きます", "", ""},
    CommandText{kCmdAppExit, "Tallymoの終了(&X)", "Tallymoを終了します", "終了", ""},
    CommandText{kCmdEditUndo, "元に戻す(&U)\tCtrl+Z", "直前に行った動作を元に戻します", "元に戻す",
                "Ctrl+Z"},
    CommandText{kCmdEditRedo, "やり直し(&R)\tCtrl+Y", "直前に行った動作を繰り返します", "やり直し",
                "Ctrl+Y"},
    CommandText{kCmdViewToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの 表示/非表示を切り替えます",
                "ﾂｰﾙ ﾊﾞｰの表示切り替え", ""},
    CommandText{kCmdViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示を切り替えます",
                "ｽﾃｰﾀｽ ﾊﾞｰの表示切り替え", ""},
    CommandText{kCmdViewOperation, "操作ﾋﾞｭｰ(&O)", "", "", ""},
    CommandText{kCmdViewCalculator, "計算機(&C)", "", "", ""},
    CommandText{kCmdViewMonth, "月表示(&M)", "小遣い帳を月単位表示に切り替えます", "月表示", ""},
    CommandText{kCmdViewWeek, "週表示(&W)", "小遣い帳を週単位表示に切り替えます", "週表示", ""},
    CommandText{kCmdViewFit, "ｳｨﾝﾄﾞｳの高さ揃え表示(&V)", "小遣い帳をｳｨﾝﾄﾞｳの高さに揃えて表示します",
                "ｳｨﾝﾄﾞｳの高さ揃え表示", ""},
    CommandText{kCmdGraph, "ｸﾞﾗﾌ(&G)...", "記帳ﾃﾞｰﾀをｸﾞﾗﾌにして表示します", "ｸﾞﾗﾌ", ""},
    CommandText{kCmdSettings, "設定(&S)...", "Tallymoの設定をします", "設定", ""},
    CommandText{kCmdHelpContents, "目次(&C)...", "ﾍﾙﾌﾟを表示します", "目次", ""},
    CommandText{kCmdAppAbout, "Tallymoについて(&A)...", "ﾊﾞｰｼﾞｮﾝ及び著作権を表示します",
                "ﾊﾞｰｼﾞｮﾝ情報", ""},
};

constexpr int kFileItems[] = {kCmdFileNew, kCmdFileOpen,  kCmdFileSave,         kCmdFileSaveAs,
                              kSeparator,  kCmdFilePrint, kCmdFilePrintPreview, kCmdFilePrintSetup,
                              kSeparator,  kCmdFileMru1,  kSeparator,           kCmdAppExit};
constexpr int kEditItems[] = {kCmdEditUndo, kCmdEditRedo};
constexpr int kViewItems[] = {kCmdViewToolBar,    kCmdViewStatusBar, kCmdViewOperation,
                              kCmdViewCalculator, kSeparator,        kCmdViewMonth,
                              kCmdViewWeek,       kCmdViewFit};
constexpr int kHelpItems[] = {kCmdHelpContents, kCmdAppAbout};

const std::array kMenuBar = {
    MenuBarItem{"ﾌｧｲﾙ(&F)", 0, kFileItems},       MenuBarItem{"編集(&E)", 0, kEditItems},
    MenuBarItem{"表示(&V)", 0, kViewItems},       MenuBarItem{"ｸﾞﾗﾌ(&G)...", kCmdGraph, {}},
    MenuBarItem{"設定(&S)...", kCmdSettings, {}}, MenuBarItem{"ﾍﾙﾌﾟ(&H)", 0, kHelpItems},
};

constexpr int kToolBar[] = {kCmdFileNew, kCmdFileOpen, kCmdFileSave, kSeparator, kCmdFilePrint,
                            kSeparator,  kCmdEditUndo, kCmdEditRedo, kSeparator, kCmdAppAbout};

}  // namespace

std::span<const CommandText> AllCommandTexts() {
    return kCommandTexts;
}

const CommandText* FindCommandText(int id) {
    if (id >= kCmdFileMru1 && id <= kCmdFileMruLast) id = kCmdFileMru1;
    const auto found = std::find_if(kCommandTexts.begin(), kCommandTexts.end(),
                                    [id](const CommandText& text) { return text.id == id; });
    return found == kCommandTexts.end() ? nullptr : &*found;
}

std::span<const MenuBarItem> MenuBarLayout() {
    return kMenuBar;
}

std::span<const int> ToolBarLayout() {
    return kToolBar;
}

std::string_view DefaultExtensionForFilter(int filterIndex) {
    return filterIndex == 1 ? ".csv" : ".tm2";
}

std::string WithDefaultExtension(std::string_view path, int filterIndex) {
    const std::size_t nameStart =
        path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1;
    const std::string_view name = path.substr(nameStart);
    std::string result(path);
    if (!name.empty() && name.find('.') == std::string_view::npos) {
        result += DefaultExtensionForFilter(filterIndex);
    }
    return result;
}

}  // namespace tallymo
