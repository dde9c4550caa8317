#include "views/widgets/BitmapMenuStyle.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPolygon>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <algorithm>
#include <array>

namespace tallymo {
namespace {

// The desktop's colours, whatever the state of the item being drawn.
QColor SystemColor(const QPalette& palette, QPalette::ColorRole role) {
    return palette.color(QPalette::Active, role);
}

// The caption up to the first tab, and the accelerator after it.
std::pair<QString, QString> SplitCaption(const QString& caption) {
    const qsizetype tab = caption.indexOf(QLatin1Char('\t'));
    if (tab < 0) return {caption, QString()};
    return {caption.left(tab), caption.mid(tab + 1)};
}

// The text as it is drawn: "&N" shows as an underlined N, "&&" as one "&".
int DrawnWidth(const QFontMetrics& metrics, const QString& text) {
    return metrics.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, text).width();
}

// One-pixel lines along the four sides of `rect`.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
               const QColor& bottomRight) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
}

struct EdgeColors {
    QColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

// A two-pixel 3-D edge around `rect`.
void DrawEdge(QPainter& painter, const QRect& rect, const EdgeColors& colors) {
    FrameRect(painter, rect, colors.outerTopLeft, colors.outerBottomRight);
    FrameRect(painter, rect.adjusted(1, 1, -1, -1), colors.innerTopLeft, colors.innerBottomRight);
}

QImage OnFace(const QImage& image, const QColor& face) {
    QImage flat(CBitmapMenu::kImageSize, CBitmapMenu::kImageSize, QImage::Format_RGB32);
    flat.fill(face);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

}  // namespace

QFont CBitmapMenu::MenuFont() {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(9);
    return font;
}

CBitmapMenu::CBitmapMenu() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void CBitmapMenu::Apply(QMenu* menu) {
    menu->setStyle(this);
    menu->setFont(MenuFont());
}

CBitmapMenu::Columns CBitmapMenu::MeasureColumns(const QMenu& menu) {
    const QFontMetrics metrics(menu.font());
    Columns columns;
    int widestAccelerator = -1;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible()) continue;
        const auto [text, accelerator] = SplitCaption(action->text());
        columns.textWidth = std::max(columns.textWidth, DrawnWidth(metrics, text));
        if (!accelerator.isEmpty()) {
            widestAccelerator = std::max(widestAccelerator, metrics.horizontalAdvance(accelerator));
        }
    }
    if (widestAccelerator >= 0) columns.acceleratorWidth = widestAccelerator + kAcceleratorGap;
    return columns;
}

QImage CBitmapMenu::CheckBoxImage() {
    QImage image(kImageSize, kImageSize, QImage::Format_RGB32);
    image.fill(TextAreaColor());
    QPainter painter(&image);
    painter.setPen(CheckColor());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kImageSize - 1, kImageSize - 1);
    painter.setBrush(CheckColor());
    const std::array<QPoint, 6> mark = {QPoint(5, 6),  QPoint(7, 8),  QPoint(10, 5),
                                        QPoint(10, 7), QPoint(7, 10), QPoint(5, 8)};
    painter.drawPolygon(mark.data(), static_cast<int>(mark.size()));
    return image;
}

QImage CBitmapMenu::GreyedImage(const QImage& image, const QPalette& palette) {
    const QColor face = SystemColor(palette, QPalette::Button);
    const std::array<QRgb, 3> choices = {face.rgb(), SystemColor(palette, QPalette::Dark).rgb(),
                                         SystemColor(palette, QPalette::Midlight).rgb()};
    QImage flat = OnFace(image, face);
    for (int y = 0; y < flat.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb pixel = line[x];
            const auto distance = [pixel](QRgb c) {
                const int dr = qRed(pixel) - qRed(c), dg = qGreen(pixel) - qGreen(c),
                          db = qBlue(pixel) - qBlue(c);
                return dr * dr + dg * dg + db * db;
            };
            line[x] = *std::min_element(choices.begin(), choices.end(),
                                        [&](QRgb a, QRgb b) { return distance(a) < distance(b); });
        }
    }
    return flat;
}

int CBitmapMenu::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    if (qobject_cast<const QMenu*>(widget)) {
        switch (metric) {
            case PM_MenuPanelWidth:
                return 2;
            case PM_MenuHMargin:
            case PM_MenuVMargin:
                return 1;
            case PM_MenuDesktopFrameWidth:
                return 0;
            default:
                break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize CBitmapMenu::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const auto* menu = qobject_cast<const QMenu*>(widget);
    if (type != CT_MenuItem || !item || !menu) {
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    if (item->menuItemType == QStyleOptionMenuItem::Separator) return QSize(1, 1);
    // The menu adds the widest accelerator itself, so the width here holds the text column,
    // the margins and the gap before the accelerator column.
    const Columns columns = MeasureColumns(*menu);
    const int gap = columns.acceleratorWidth > 0 ? kAcceleratorGap : 0;
    const int height = std::max(QFontMetrics(menu->font()).height(), kMinItemHeight);
    return QSize(columns.textWidth + kTextLeft + gap, height);
}

void CBitmapMenu::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const auto* menu = qobject_cast<const QMenu*>(widget);
    if (element != CE_MenuItem || !item || !menu) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    const QRect r = item->rect;
    const int left = r.left(), top = r.top(), right = r.left() + r.width();
    const QColor face = SystemColor(item->palette, QPalette::Button);
    painter->fillRect(QRect(left, top, kIconColumnWidth, r.height()), face);
    painter->fillRect(
        QRect(left + kIconColumnWidth, top, right - left - kIconColumnWidth, r.height()),
        TextAreaColor());

    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(QRect(left + kTextLeft, top, right - 4 - (left + kTextLeft), 1),
                          SeparatorColor());
        painter->restore();
        return;
    }

    const bool greyed = !(item->state & State_Enabled);
    const bool selected = (item->state & State_Selected) && !greyed;
    if (selected) {
        painter->setPen(SelectionPenColor());
        painter->setBrush(SelectionFillColor());
        painter->drawRect(QRect(left, top, r.width() - 1, r.height() - 1));
    }

    const Columns columns = MeasureColumns(*menu);
    const auto [text, accelerator] = SplitCaption(item->text);
    painter->setFont(menu->font());
    painter->setPen(greyed ? GreyedTextColor() : selected ? QColor(Qt::white) : QColor(Qt::black));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic |
                      Qt::TextExpandTabs;
    const int textRight = left + kTextLeft + columns.textWidth;
    painter->drawText(QRect(left + kTextLeft, top, columns.textWidth, r.height()), flags, text);
    if (!accelerator.isEmpty()) {
        painter->drawText(QRect(textRight + kAcceleratorGap, top,
                                columns.acceleratorWidth - kAcceleratorGap, r.height()),
                          flags, accelerator);
    }

    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    const QPoint imageAt(left + kImageOffset, top + kImageOffset);
    if (checked) {
        const QImage box = CheckBoxImage();
        painter->drawImage(imageAt, greyed ? GreyedImage(box, item->palette) : box);
    }
    if (!item->icon.isNull()) {
        const QRect square(left, top, kIconColumnWidth, kIconColumnWidth);
        const QPalette& pal = item->palette;
        painter->fillRect(square, face);  // the edge's middle
        if (checked) {                    // etched
            DrawEdge(*painter, square,
                     {SystemColor(pal, QPalette::Dark), SystemColor(pal, QPalette::Light),
                      SystemColor(pal, QPalette::Light), SystemColor(pal, QPalette::Dark)});
        } else if (selected) {  // bump
            DrawEdge(*painter, square,
                     {SystemColor(pal, QPalette::Light), SystemColor(pal, QPalette::Dark),
                      SystemColor(pal, QPalette::Dark), SystemColor(pal, QPalette::Light)});
        }
        const QImage picture = OnFace(item->icon.pixmap(kImageSize, kImageSize).toImage(), face);
        painter->drawImage(imageAt, greyed ? GreyedImage(picture, pal) : picture);
    }
    painter->restore();
}

void CBitmapMenu::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (qobject_cast<const QMenu*>(widget)) {
        const QPalette& pal = option->palette;
        if (element == PE_PanelMenu) {
            painter->fillRect(option->rect, SystemColor(pal, QPalette::Button));
            return;
        }
        if (element == PE_FrameMenu) {  // the raised edge of a drop-down
            DrawEdge(*painter, option->rect,
                     {SystemColor(pal, QPalette::Midlight), SystemColor(pal, QPalette::Shadow),
                      SystemColor(pal, QPalette::Light), SystemColor(pal, QPalette::Dark)});
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int CBitmapMenu::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const {
    // Greyed items can be highlighted (with no selection box), so their prompts still show.
    if (hint == SH_Menu_AllowActiveAndDisabled && qobject_cast<const QMenu*>(widget)) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace tallymo
