#include "views/widgets/FixedSplitter.h"

#include <QMouseEvent>
#include <QPainter>

namespace tallymo {

CFixedSplitterHandle::CFixedSplitterHandle(Qt::Orientation orientation, QSplitter* parent)
    : QSplitterHandle(orientation, parent) {
    setCursor(Qt::ArrowCursor);
}

void CFixedSplitterHandle::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void CFixedSplitterHandle::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
void CFixedSplitterHandle::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void CFixedSplitterHandle::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CFixedSplitterHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
}

CFixedSplitter::CFixedSplitter(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {
    setChildrenCollapsible(false);
    setHandleWidth(4);
}

QSplitterHandle* CFixedSplitter::createHandle() {
    return new CFixedSplitterHandle(orientation(), this);
}

}  // namespace tallymo
