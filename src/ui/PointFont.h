#pragma once
// Fonts named the way the ledger names them (ＭＳ ゴシック, ＭＳ Ｐゴシック, ＭＳ 明朝) mapped to
// the IPA faces installed here, at a size in tenths of a point.

#include <QFont>
#include <QString>

namespace tallymo {

// The installed face for a face name: the three Japanese system faces map to IPAGothic,
// IPAPGothic and IPAMincho; any other name is kept.
QString ScreenFaceName(const QString& face);

// A font of `tenthsOfPoint` (0 or less means 9 points) in the face named.
QFont PointFont(int tenthsOfPoint, const QString& face);

// Face names used by the ledger windows.
inline const QString kGothicFace = QStringLiteral("ＭＳ ゴシック");
inline const QString kProportionalGothicFace = QStringLiteral("ＭＳ Ｐゴシック");

}  // namespace tallymo
