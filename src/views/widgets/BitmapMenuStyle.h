#pragma once
// The look of the main window's drop-down menus: a 20-pixel icon column in the button-face
// colour, a light text area, a blue selection box, a drawn check box and 16 x 16 pictures for
// the commands that have one. The menu bar itself keeps the desktop's look: only the drop-down
// menus are given this style.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QProxyStyle>

class QMenu;

namespace tallymo {

class CBitmapMenu final : public QProxyStyle {
    Q_OBJECT
public:
    // Item geometry, in pixels from the item's left edge.
    static constexpr int kIconColumnWidth = 20;
    static constexpr int kTextLeft = 24;
    static constexpr int kAcceleratorGap = 16;
    static constexpr int kMinItemHeight = 20;
    static constexpr int kImageOffset = 2;  // check box and picture at (2, top + 2)
    static constexpr int kImageSize = 16;

    // Colours of the drop-down items.
    static QColor TextAreaColor() { return QColor(241, 240, 239); }
    static QColor SeparatorColor() { return QColor(128, 128, 128); }
    static QColor SelectionPenColor() { return QColor(0, 50, 128); }
    static QColor SelectionFillColor() { return QColor(120, 160, 200); }
    static QColor GreyedTextColor() { return QColor(140, 140, 140); }
    static QColor CheckColor() { return QColor(64, 64, 64); }

    // The menu font (the desktop's menu font of the program's home platform).
    static QFont MenuFont();

    CBitmapMenu();

    // Gives a drop-down menu this style and the menu font.
    void Apply(QMenu* menu);

    // The columns of one drop-down: the widest item text, and the widest accelerator plus
    // the 16-pixel gap (0 when no item has an accelerator).
    struct Columns {
        int textWidth = 0;
        int acceleratorWidth = 0;
    };
    static Columns MeasureColumns(const QMenu& menu);

    // The 16 x 16 check box picture, and the flat look of a picture of a greyed item: every
    // pixel becomes the nearest of the button face, the button shadow and the 3-D light.
    static QImage CheckBoxImage();
    static QImage GreyedImage(const QImage& image, const QPalette& palette);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace tallymo
