#include "ui/Help.h"

#include <QCoreApplication>

#include "app/HelpTopics.h"
#include "ui/HelpWindow.h"
#include "ui/MessageBox.h"

namespace tallymo {
namespace {

HelpPresenter& Presenter() {
    static HelpPresenter presenter;
    return presenter;
}

}  // namespace

QString HelpFilePath() {
    return LocateHelpFile(QCoreApplication::applicationFilePath());
}

void ShowHelpTopic(int topic) {
    if (topic <= 0) topic = 100;
    if (Presenter()) {
        Presenter()(topic);
        return;
    }
    const QString file = HelpFilePath();
    if (!HelpWindow::Shared()->ShowTopic(file, topic)) {
        const QString text =
            QStringLiteral("ヘルプファイル『") + file + QStringLiteral("』が見つかりません。");
        ShowMessageBox(nullptr, UserMessage{text.toStdString(), 0, MessageIcon::None});
    }
}

HelpPresenter SetHelpPresenter(HelpPresenter presenter) {
    HelpPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

}  // namespace tallymo
