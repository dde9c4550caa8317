#include "ui/Help.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "ui/MessageBox.h"

namespace tallymo {
namespace {

HelpPresenter& Presenter() {
    static HelpPresenter presenter;
    return presenter;
}

}  // namespace

QString HelpPageName(int topic) {
    return QStringLiteral("_RESOURCE/%1.html").arg(topic, 5, 10, QLatin1Char('0'));
}

QString HelpFilePath() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return program.absolutePath() + QLatin1Char('/') + program.completeBaseName() +
           QStringLiteral(".rcc");
}

void ShowHelpTopic(int topic) {
    if (topic <= 0) topic = 100;
    if (Presenter()) {
        Presenter()(topic);
        return;
    }
    // The help viewer reads the compiled help file beside the program; without it the user
    // learns which file is missing.
    const QString file = HelpFilePath();
    if (!QFileInfo::exists(file)) {
        const QString text = QStringLiteral("ヘルプファイル『") + file +
                             QStringLiteral("』が見つかりません。");
        ShowMessageBox(nullptr, UserMessage{text.toStdString(), 0, MessageIcon::None});
    }
}

HelpPresenter SetHelpPresenter(HelpPresenter presenter) {
    HelpPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

}  // namespace tallymo
