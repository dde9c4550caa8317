#pragma once
// The calculator pane (lower left): twenty keys that type into the booking pane's amount
// field. "=" and the tax key evaluate it; "C" clears it. The entry state lives in the field.

#include <QWidget>

class QPushButton;

namespace tallymo {

class COperationView;

class CCalcView : public QWidget {
    Q_OBJECT
public:
    explicit CCalcView(COperationView& pane, QWidget* parent = nullptr);

    QPushButton* Key(int id) const;  // control ids 1 .. 20, row by row
    QSize sizeHint() const override;

    static constexpr int kKeyCount = 20;
    static constexpr int kKeySize = 30;
    static constexpr int kKeyPitch = 35;
    static constexpr int kMargin = 10;

private:
    void Press(int id);

    COperationView& m_pane;
    QPushButton* m_keys[kKeyCount] = {};
};

}  // namespace tallymo
