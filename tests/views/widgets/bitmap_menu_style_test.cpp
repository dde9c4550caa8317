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

    const QColor light(241, 240, 239), pen(0, 50, 128), fill(120, 160, 200);
    const QColor grey(128, 128, 128), dark(64, 64, 64);
    const QPoint box = checked.topLeft() + QPoint(2, 2);  // the check box
    const struct {
        const char* what;
        QPoint at;
        QColor color;
    } pixels[] = {
        {"icon column", plain.topLeft() + QPoint(1, 1), Face()},
        {"icon column bottom", plain.topLeft() + QPoint(19, plain.height() - 1), Face()},
        {"text area", plain.topLeft() + QPoint(20, 1), light},
        {"text area right", QPoint(plain.right() - 1, plain.top() + 1), light},
        {"selection top edge", sel.topLeft() + QPoint(30, 0), pen},
        {"selection right edge", QPoint(sel.right(), sel.top() + 5), pen},
        {"selection bottom edge", QPoint(sel.left() + 30, sel.bottom()), pen},
        {"selection fill", sel.topLeft() + QPoint(22, 1), fill},
        {"selection fill right", QPoint(sel.right() - 2, sel.top() + 1), fill},
        {"separator from 24", sep.topLeft() + QPoint(24, 0), grey},
        {"separator to 4 before", QPoint(sep.left() + sep.width() - 5, sep.top()), grey},
        {"before the separator", sep.topLeft() + QPoint(23, 0), light},
        {"after the separator", QPoint(sep.left() + sep.width() - 4, sep.top()), light},
        {"separator icon column", sep.topLeft() + QPoint(5, 0), Face()},
        {"check box frame", box, dark},
        {"check box frame corner", box + QPoint(15, 15), dark},
        {"check box inside", box + QPoint(2, 2), light},
        {"check mark", box + QPoint(7, 9), dark},
        {"check mark right arm", box + QPoint(10, 6), dark},
        {"beside the check mark", box + QPoint(12, 12), light},
        {"checked item icon column", checked.topLeft() + QPoint(1, 1), Face()},
    };
    for (const auto& p : pixels) EXPECT_EQ(At(image, p.at), p.color) << p.what;

    int white = 0;
    for (int x = sel.left() + 24; x < sel.right(); ++x) {
        for (int y = sel.top() + 1; y < sel.bottom(); ++y) white += At(image, {x, y}).value() > 235;
    }
    EXPECT_GT(white, 10);

    // Greyed item: text in grey (its smoothed edges blend into the light area), nothing darker.
    int greyText = 0, darker = 0;
    for (int x = greyed.left() + 24; x < greyed.right(); ++x) {
        for (int y = greyed.top(); y <= greyed.bottom(); ++y) {
            const QColor c = At(image, {x, y});
            greyText += c == QColor(140, 140, 140);
            darker += c.red() < 140 || c.green() < 140 || c.blue() < 139;
        }
    }
    EXPECT_GT(greyText, 3);
    EXPECT_EQ(darker, 0);
    const QPalette& pal = menu.palette();
    const QColor shadow(pal.color(QPalette::Active, QPalette::Dark).rgb());
    const QColor highlight(pal.color(QPalette::Active, QPalette::Midlight).rgb());
    int shadowPixels = 0;
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 16; ++y) {
            const QColor c = At(image, greyed.topLeft() + QPoint(2 + x, 2 + y));
            EXPECT_TRUE(c == Face() || c == shadow || c == highlight) << x << "," << y;
            shadowPixels += c == shadow;
        }
    }
    EXPECT_GT(shadowPixels, 20);  // the printer's outline
}

TEST_F(BitmapMenuStyleTest, GreyedItemShowsNoSelectionBoxAndPicturesShowInTheColumn) {
    const QImage image = Render(print);
    ASSERT_EQ(menu.activeAction(), print);
    const QRect greyed = menu.actionGeometry(print);
    const QColor light(241, 240, 239);
    EXPECT_EQ(At(image, greyed.topLeft() + QPoint(30, 0)), light);
    EXPECT_EQ(At(image, QPoint(greyed.right() - 1, greyed.top() + 1)), light);

    // The "new" picture, whole and unshifted on the button face, in the square at (2, 2).
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Face());
    QPainter(&picture).drawImage(0, 0, newItem->icon().pixmap(16, 16).toImage());
    const QPoint at = menu.actionGeometry(newItem).topLeft() + QPoint(2, 2);
    EXPECT_EQ(image.copy(QRect(at, QSize(16, 16))), picture);
}

}  // namespace
}  // namespace tallymo
