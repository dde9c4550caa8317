#include "FrameShots.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <cstdio>

#include "app/RecentFileList.h"
#include "doc/TallymoDoc.h"
#include "views/FrameCommands.h"
#include "views/widgets/MainFrame.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

bool SaveImage(const QImage& image, const QDir& out, const QString& name) {
    const QString path = out.filePath(name + QStringLiteral(".png"));
    const bool saved = image.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

// The window with one drop-down open over it and `highlight` selected in it.
QImage WithMenuOpen(CMainFrame& frame, int barIndex, int highlight) {
    QAction* barItem = frame.menuBar()->actions().at(barIndex);
    QMenu* menu = barItem->menu();
    frame.menuBar()->setActiveAction(barItem);
    QApplication::processEvents();
    if (QAction* action = frame.Action(highlight)) menu->setActiveAction(action);
    QApplication::processEvents();
    QImage picture = frame.grab().toImage();
    QPainter painter(&picture);
    painter.drawImage(frame.mapFromGlobal(menu->pos()), menu->grab().toImage());
    painter.end();
    menu->hide();
    frame.menuBar()->setActiveAction(nullptr);
    QApplication::processEvents();
    return picture;
}

}  // namespace

bool ShootMainWindow(CTallymoDoc& doc, const QDir& out) {
    RecentFileList recent;
    recent.Add("/home/user/小遣い帳/2005年.tm2");
    CMainFrame frame(doc, doc.Store(), recent);
    frame.show();
    QApplication::processEvents();

    bool ok = true;
    const std::pair<int, const char*> modes[] = {
        {kCmdViewMonth, "main-month"}, {kCmdViewWeek, "main-week"}, {kCmdViewFit, "main-fit"}};
    for (const auto& [command, name] : modes) {
        frame.Action(command)->trigger();
        frame.GetLedgerView()->ShowMatterColumn(1);
        QApplication::processEvents();
        ok = SaveImage(frame.grab().toImage(), out, QString::fromLatin1(name)) && ok;
    }
    frame.Action(kCmdViewMonth)->trigger();
    QApplication::processEvents();

    // File: pictures, accelerators, the greyed printing commands, the recent file.
    ok = SaveImage(WithMenuOpen(frame, 0, kCmdFileOpen), out, QStringLiteral("main-menu-file")) &&
         ok;
    // View: the checked mode and panes; the calculator greyed while the left column is hidden.
    frame.Action(kCmdViewOperation)->trigger();
    ok = SaveImage(WithMenuOpen(frame, 2, kCmdViewWeek), out, QStringLiteral("main-menu-view")) &&
         ok;
    frame.Action(kCmdViewOperation)->trigger();
    // Edit: undo with its picture selected, redo greyed.
    ok = SaveImage(WithMenuOpen(frame, 1, kCmdEditUndo), out, QStringLiteral("main-menu-edit")) &&
         ok;
    doc.SetModifiedFlag(false);
    return ok;
}

}  // namespace tallymo
