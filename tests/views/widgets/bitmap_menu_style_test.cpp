#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
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

TEST_F(BitmapMenuStyleTest, ItemSizesFollowTheWidestTextAndAccelerator) {
    menu.adjustSize();
    const QFontMetrics metrics(CBitmapMenu::MenuFont());
    // Widest text "名前を付けて保存(A)...", widest accelerator "Ctrl+N"/"Ctrl+P" plus 16.
    const int text = std::max({metrics.horizontalAdvance(QStringLiteral("名前を付けて保存(A)...")),
                               metrics.horizontalAdvance(QStringLiteral("新規作成(N)")),
                               metrics.horizontalAdvance(QStringLiteral("印刷(P)..."))});
    const int accelerator = std::max(metrics.horizontalAdvance(QStringLiteral("Ctrl+N")),
                                     metrics.horizontalAdvance(QStringLiteral("Ctrl+P"))) +
                            16;
    for (QAction* action : {newItem, saveAs, month, print}) {
        EXPECT_EQ(menu.actionGeometry(action).width(), accelerator + text + 24)
            << action->text().toStdString();
        EXPECT_EQ(menu.actionGeometry(action).height(), std::max(20, metrics.height()));
    }
    EXPECT_EQ(menu.actionGeometry(separator).height(), 1);
    EXPECT_EQ(menu.font(), CBitmapMenu::MenuFont());

    // Without accelerators there is no accelerator column.
    QMenu plain;
    style.Apply(&plain);
    QAction* a = plain.addAction(QStringLiteral("目次(&C)..."));
    plain.adjustSize();
    EXPECT_EQ(CBitmapMenu::MeasureColumns(plain).acceleratorWidth, 0);
    EXPECT_EQ(plain.actionGeometry(a).width(), CBitmapMenu::MeasureColumns(plain).textWidth + 24);
}

TEST_F(BitmapMenuStyleTest, RenderingShowsColumnsSelectionCheckBoxAndGreyedItem) {
    const QImage image = Render(newItem);
    const QRect sel = menu.actionGeometry(newItem);
    const QRect plain = menu.actionGeometry(saveAs);
    const QRect sep = menu.actionGeometry(separator);
    const QRect checked = menu.actionGeometry(month);
    const QRect greyed = menu.actionGeometry(print);

    // Icon column in the button face, light text area, on an item neither selected nor checked.
    EXPECT_EQ(At(image, plain.topLeft() + QPoint(1, 1)), Face());
    EXPECT_EQ(At(image, plain.topLeft() + QPoint(19, plain.height() - 1)), Face());
    EXPECT_EQ(At(image, plain.topLeft() + QPoint(20, 1)), QColor(241, 240, 239));
    EXPECT_EQ(At(image, QPoint(plain.right() - 1, plain.top() + 1)), QColor(241, 240, 239));

    // Selection box: the pen on its edges, the fill inside, white text.
    EXPECT_EQ(At(image, sel.topLeft() + QPoint(30, 0)), QColor(0, 50, 128));
    EXPECT_EQ(At(image, QPoint(sel.right(), sel.top() + 5)), QColor(0, 50, 128));
    EXPECT_EQ(At(image, QPoint(sel.left() + 30, sel.bottom())), QColor(0, 50, 128));
    EXPECT_EQ(At(image, sel.topLeft() + QPoint(22, 1)), QColor(120, 160, 200));
    EXPECT_EQ(At(image, QPoint(sel.right() - 2, sel.top() + 1)), QColor(120, 160, 200));
    int white = 0;
    for (int x = sel.left() + 24; x < sel.right(); ++x) {
        for (int y = sel.top() + 1; y < sel.bottom(); ++y) white += At(image, {x, y}).value() > 235;
    }
    EXPECT_GT(white, 10);

    // Separator: a grey line from 24 to 4 before the right edge, in a 1-pixel item.
    EXPECT_EQ(At(image, sep.topLeft() + QPoint(24, 0)), QColor(128, 128, 128));
    EXPECT_EQ(At(image, QPoint(sep.left() + sep.width() - 5, sep.top())), QColor(128, 128, 128));
    EXPECT_EQ(At(image, sep.topLeft() + QPoint(23, 0)), QColor(241, 240, 239));
    EXPECT_EQ(At(image, QPoint(sep.left() + sep.width() - 4, sep.top())), QColor(241, 240, 239));
    EXPECT_EQ(At(image, sep.topLeft() + QPoint(5, 0)), Face());

    // Check box at (2, top + 2): dark frame, light inside, the check mark polygon.
    const QPoint box = checked.topLeft() + QPoint(2, 2);
    EXPECT_EQ(At(image, box), QColor(64, 64, 64));
    EXPECT_EQ(At(image, box + QPoint(15, 15)), QColor(64, 64, 64));
    EXPECT_EQ(At(image, box + QPoint(2, 2)), QColor(241, 240, 239));
    EXPECT_EQ(At(image, box + QPoint(7, 9)), QColor(64, 64, 64));   // inside the mark
    EXPECT_EQ(At(image, box + QPoint(10, 6)), QColor(64, 64, 64));  // its right arm
    EXPECT_EQ(At(image, box + QPoint(12, 12)), QColor(241, 240, 239));
    EXPECT_EQ(At(image, checked.topLeft() + QPoint(1, 1)), Face());

    // Greyed item: text in grey (its smoothed edges blend into the light area), nothing darker.
    int grey = 0, darker = 0;
    for (int x = greyed.left() + 24; x < greyed.right(); ++x) {
        for (int y = greyed.top(); y <= greyed.bottom(); ++y) {
            const QColor c = At(image, {x, y});
            grey += c == QColor(140, 140, 140);
            darker += c.red() < 140 || c.green() < 140 || c.blue() < 139;
        }
    }
    EXPECT_GT(grey, 3);
    EXPECT_EQ(darker, 0);
    const QPalette& pal = menu.palette();
    const QColor dark(pal.color(QPalette::Active, QPalette::Dark).rgb());
    const QColor light(pal.color(QPalette::Active, QPalette::Midlight).rgb());
    int shadowPixels = 0;
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 16; ++y) {
            const QColor c = At(image, greyed.topLeft() + QPoint(2 + x, 2 + y));
            EXPECT_TRUE(c == Face() || c == dark || c == light) << x << "," << y;
            shadowPixels += c == dark;
        }
    }
    EXPECT_GT(shadowPixels, 20);  // the printer's outline
}

TEST_F(BitmapMenuStyleTest, GreyedItemShowsNoSelectionBoxAndPicturesShowInTheColumn) {
    const QImage image = Render(print);
    ASSERT_EQ(menu.activeAction(), print);
    const QRect greyed = menu.actionGeometry(print);
    EXPECT_EQ(At(image, greyed.topLeft() + QPoint(30, 0)), QColor(241, 240, 239));
    EXPECT_EQ(At(image, QPoint(greyed.right() - 1, greyed.top() + 1)), QColor(241, 240, 239));

    // The sheet of the "new" picture: white with a black outline in the 16 x 16 square.
    const QRect item = menu.actionGeometry(newItem);
    int whites = 0, blacks = 0;
    for (int x = 2; x < 18; ++x) {
        for (int y = 2; y < 18; ++y) {
            whites += At(image, item.topLeft() + QPoint(x, y)) == Qt::white;
            blacks += At(image, item.topLeft() + QPoint(x, y)) == Qt::black;
        }
    }
    EXPECT_GT(whites, 40);
    EXPECT_GT(blacks, 20);
}

}  // namespace
}  // namespace tallymo
