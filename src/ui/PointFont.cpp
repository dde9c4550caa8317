#include "ui/PointFont.h"

namespace tallymo {

QString ScreenFaceName(const QString& face) {
    if (face == QStringLiteral("ＭＳ ゴシック")) return QStringLiteral("IPAGothic");
    if (face == QStringLiteral("ＭＳ Ｐゴシック")) return QStringLiteral("IPAPGothic");
    if (face == QStringLiteral("ＭＳ 明朝")) return QStringLiteral("IPAMincho");
    return face;
}

QFont PointFont(int tenthsOfPoint, const QString& face) {
    if (tenthsOfPoint <= 0) tenthsOfPoint = 90;
    QFont font(ScreenFaceName(face));
    font.setPointSizeF(tenthsOfPoint / 10.0);
    // Latin glyphs missing from a face still come from a font that has them.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace tallymo
