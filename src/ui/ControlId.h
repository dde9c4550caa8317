#pragma once
// Controls carry their id (see app/ControlIds.h) in one dynamic property: F1 and the tests find
// a control by it.

#include <QObject>

namespace tallymo {

inline constexpr char kControlIdProperty[] = "controlId";

template <typename Widget>
Widget* WithId(Widget* widget, int controlId) {
    widget->setProperty(kControlIdProperty, controlId);
    return widget;
}

}  // namespace tallymo
