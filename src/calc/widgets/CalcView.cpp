#include "calc/widgets/CalcView.h"

#include <QPushButton>

#include "ui/ControlId.h"
#include "ui/PointFont.h"
#include "views/widgets/OperationView.h"

namespace tallymo {
namespace {

// Captions by control id - 1, five keys a row.
constexpr const char* kCaptions[CCalcView::kKeyCount] = {
    "7", "8", "9",  "/", "C",  //
    "4", "5", "6",  "*", "(",  //
    "1", "2", "3",  "-", ")",  //
    "0", ".", "税", "+", "=",
};
constexpr int kKeysPerRow = 5;

// The tax key multiplies by a fixed 5 percent.
const QString kTaxCaption = QStringLiteral("税");
const QString kTaxText = QStringLiteral("*1.05");

}  // namespace

CCalcView::CCalcView(COperationView& pane, QWidget* parent) : QWidget(parent), m_pane(pane) {
    setProperty(kControlIdProperty, 101);
    setFont(PointFont(90, kProportionalGothicFace));
    for (int i = 0; i < kKeyCount; ++i) {
        auto* key = new QPushButton(QString::fromUtf8(kCaptions[i]), this);
        const int row = i / kKeysPerRow;
        const int col = i % kKeysPerRow;
        key->setGeometry(kMargin + kKeyPitch * col, kMargin + kKeyPitch * row, kKeySize, kKeySize);
        key->setProperty(kControlIdProperty, i + 1);
        key->setAutoDefault(false);
        connect(key, &QPushButton::clicked, this, [this, i] { Press(i + 1); });
        m_keys[i] = key;
    }
}

QPushButton* CCalcView::Key(int id) const {
    return id >= 1 && id <= kKeyCount ? m_keys[id - 1] : nullptr;
}

QSize CCalcView::sizeHint() const {
    const int rows = kKeyCount / kKeysPerRow;
    return {kMargin * 2 + kKeyPitch * (kKeysPerRow - 1) + kKeySize,
            kMargin * 2 + kKeyPitch * (rows - 1) + kKeySize};
}

void CCalcView::Press(int id) {
    const QString caption = m_keys[id - 1]->text();
    if (caption == QStringLiteral("C")) {
        m_pane.Clear();
    } else if (caption == kTaxCaption) {
        m_pane.AppendKey(kTaxText, true);
    } else {
        m_pane.AppendKey(caption, caption == QStringLiteral("="));
    }
}

}  // namespace tallymo
