#include "ui/MessageBox.h"

#include <QKeyEvent>
#include <QMessageBox>

#include "ui/Help.h"

namespace tallymo {
namespace {

MessagePresenter& Presenter() {
    static MessagePresenter presenter;
    return presenter;
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// A message box whose F1 opens the help topic of its message.
class HelpfulMessageBox final : public QMessageBox {
public:
    HelpfulMessageBox(QWidget* parent, const UserMessage& message)
        : QMessageBox(IconOf(message.icon), QStringLiteral("Tallymo Ver.2"),
                      QString::fromStdString(message.text), QMessageBox::Ok, parent),
          m_helpContext(message.helpContext) {
        if (!message.detail.empty()) setDetailedText(QString::fromStdString(message.detail));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F1) {
            ShowHelpTopic(m_helpContext);
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

private:
    int m_helpContext;
};

}  // namespace

void ShowMessageBox(QWidget* parent, const UserMessage& message) {
    if (Presenter()) {
        Presenter()(parent, message);
        return;
    }
    HelpfulMessageBox box(parent, message);
    box.exec();
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter) {
    MessagePresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

}  // namespace tallymo
