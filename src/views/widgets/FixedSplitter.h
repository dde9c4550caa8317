#pragma once
// A splitter whose bars cannot be dragged or double-clicked and show no sizing cursor: the
// main window's panes change size only through its view commands.

#include <QSplitter>
#include <QSplitterHandle>

namespace tallymo {

class CFixedSplitterHandle final : public QSplitterHandle {
    Q_OBJECT
public:
    CFixedSplitterHandle(Qt::Orientation orientation, QSplitter* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;  // a plain bar, no grip to take hold of
};

class CFixedSplitter final : public QSplitter {
    Q_OBJECT
public:
    explicit CFixedSplitter(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    QSplitterHandle* createHandle() override;
};

}  // namespace tallymo
