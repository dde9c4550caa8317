#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "views/FrameCommands.h"
#include "views/widgets/BitmapMenuStyle.h"
#include "views/widgets/MenuIcons.h"

namespace tallymo {
namespace {

// A drop-down like the main window's: an item with a picture and an accelerator, one without
// either, a separator, a checked item, a greyed item with a picture.
class BitmapMenuStyleTest : public testing::Test {
protected:
    void SetUp() override {
        style.Apply(&menu);
        newItem = menu.addAction(CommandIcon(kCmdFileNew), QStringLiteral("新規作成(&N)\tCtrl+N"));
        saveAs = menu.addAction(QStringLiteral("名前を付けて保存(&A)..."));
        separator = menu.addSeparator();
        month = menu.addAction(QStringLiteral("月表示(&M)"));
        month->setCheckable(true);
        month->setChecked(true);
        print = menu.addAction(CommandIcon(kCmdFilePrint), QStringLiteral("印刷(&P)...\tCtrl+P"));
        print->setEnabled(false);
    }

    QImage Render(QAction* active) {
        menu.popup(QPoint(0, 0));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
        menu.setActiveAction(active);
        return menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static QColor At(const QImage& image, QPoint p) { return QColor(image.pixel(p)); }
    QColor Face() const {
        return QColor(menu.palette().color(QPalette::Active, QPalette::Button).rgb());
    }

    CBitmapMenu style;
    QMenu menu;
    QAction* newItem = nullptr;
    QAction* saveAs = nullptr;
    QAction* separator = nullptr;
    QAction* month = nullptr;
    QAction* print = nullptr;
};

TEST_F(BitmapMenuStyleTest, ItemsAreAsWideAsTheWidestTextAndAccelerator) {
    menu.adjustSize();
    const QFontMetrics metrics(CBitmapMenu::MenuFont());
    const int text = metrics.horizontalAdvance(QStringLiteral("名前を付けて保存(A)..."));
    const int accelerator = metrics.horizontalAdvance(QStringLiteral("Ctrl+N")) + 16;
    for (QAction* action : {newItem, saveAs, month, print}) {
        EXPECT_EQ(menu.actionGeometry(action).width(), accelerator + text + 24);
    }
    EXPECT_EQ(menu.actionGeometry(separator).height(), 1);
    QMenu plain;  // without accelerators there is no accelerator column
    style.Apply(&plain);
    QAction* a = plain.addAction(QStringLiteral("目次(&C)..."));
    plain.adjustSize();
    EXPECT_EQ(plain.actionGeometry(a).width(), CBitmapMenu::MeasureColumns(plain).textWidth + 24);
}

// The icon column, the light text area, the blue selection box (never on a greyed item), the
// drawn check mark, the separator and the pictures in their column.
TEST_F(BitmapMenuStyleTest, RenderingShowsColumnsSelectionCheckMarkAndPictures) {
    const QColor light(241, 240, 239), pen(0, 50, 128), fill(120, 160, 200), dark(64, 64, 64);
    for (QAction* active : {newItem, print}) {
        const QImage image = Render(active);
        const QRect sel = menu.actionGeometry(active);
        const QRect plain = menu.actionGeometry(saveAs);
        const QRect sep = menu.actionGeometry(separator);
        const QPoint box = menu.actionGeometry(month).topLeft() + QPoint(2, 2);
        const bool selectable = active->isEnabled();
        const struct {
            QPoint at;
            QColor color;
        } pixels[] = {
            {plain.topLeft() + QPoint(1, 1), Face()},
            {plain.topLeft() + QPoint(20, 1), light},
            {sel.topLeft() + QPoint(30, 0), selectable ? pen : light},
            {QPoint(sel.right() - 2, sel.top() + 1), selectable ? fill : light},
            {sep.topLeft() + QPoint(24, 0), QColor(128, 128, 128)},
            {sep.topLeft() + QPoint(23, 0), light},
            {box, dark},
            {box + QPoint(7, 9), dark},  // the check mark
            {box + QPoint(12, 12), light},
        };
        for (const auto& p : pixels) {
            EXPECT_EQ(At(image, p.at), p.color) << p.at.x() << "," << p.at.y();
        }
        // The "new" picture, whole and unshifted on the button face, in the square at (2, 2).
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Face());
        QPainter(&picture).drawImage(0, 0, newItem->icon().pixmap(16, 16).toImage());
        const QPoint at = menu.actionGeometry(newItem).topLeft() + QPoint(2, 2);
        EXPECT_TRUE(selectable || image.copy(QRect(at, QSize(16, 16))) == picture);
        // The greyed item's text is grey, nothing darker.
        const QRect greyed = menu.actionGeometry(print);
        int darker = 0;
        for (int x = greyed.left() + 24; x < greyed.right(); ++x)
            for (int y = greyed.top(); y <= greyed.bottom(); ++y)
                darker += At(image, {x, y}).red() < 140;
        EXPECT_EQ(darker, 0);
        menu.hide();
    }
}

}  // namespace
}  // namespace tallymo
