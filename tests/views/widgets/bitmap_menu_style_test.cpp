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

// A drop-down like the main window's: an item with a picture and an accelerator, one without,
// a checked item, a greyed item with a picture.
class BitmapMenuStyleTest : public testing::Test {
protected:
    void SetUp() override {
        style.Apply(&menu);
        newItem = menu.addAction(CommandIcon(kCmdFileNew), QStringLiteral("新規作成(&N)\tCtrl+N"));
        saveAs = menu.addAction(QStringLiteral("名前を付けて保存(&A)..."));
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
    QColor At(const QImage& image, QAction* item, QPoint offset) {
        return QColor(image.pixel(menu.actionGeometry(item).topLeft() + offset));
    }

    CBitmapMenu style;
    QMenu menu;
    QAction *newItem, *saveAs, *month, *print;
};

// Every item is as wide as the widest text and the widest accelerator; a drop-down without
// accelerators has no accelerator column.
TEST_F(BitmapMenuStyleTest, ItemsShareTheWidestTextAndAccelerator) {
    menu.adjustSize();
    const CBitmapMenu::Columns columns = CBitmapMenu::MeasureColumns(menu);
    EXPECT_EQ(columns.textWidth, QFontMetrics(CBitmapMenu::MenuFont())
                                     .horizontalAdvance(QStringLiteral("名前を付けて保存(A)...")));
    for (QAction* action : {newItem, saveAs, month, print}) {
        EXPECT_EQ(menu.actionGeometry(action).width(), menu.actionGeometry(saveAs).width());
    }
    QMenu plain;
    style.Apply(&plain);
    plain.addAction(QStringLiteral("目次(&C)..."));
    EXPECT_EQ(CBitmapMenu::MeasureColumns(plain).acceleratorWidth, 0);
}

// The selection box is drawn on an enabled item only; the check mark and the pictures are drawn
// in the icon column, the pictures whole on the button face.
TEST_F(BitmapMenuStyleTest, SelectionCheckMarkAndPicturesAreDrawn) {
    const QColor light(241, 240, 239), pen(0, 50, 128), dark(64, 64, 64);
    for (QAction* active : {newItem, print}) {
        const QImage image = Render(active);
        EXPECT_EQ(At(image, active, {30, 0}), active->isEnabled() ? pen : light);
        EXPECT_EQ(At(image, saveAs, {30, 0}), light);
        EXPECT_EQ(At(image, month, {2 + 7, 2 + 9}), dark);  // the check mark
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(menu.palette().color(QPalette::Active, QPalette::Button).rgb());
        QPainter(&picture).drawImage(0, 0, newItem->icon().pixmap(16, 16).toImage());
        const QPoint at = menu.actionGeometry(newItem).topLeft() + QPoint(2, 2);
        EXPECT_TRUE(active == newItem || image.copy(QRect(at, QSize(16, 16))) == picture);
        menu.hide();
    }
}

}  // namespace
}  // namespace tallymo
