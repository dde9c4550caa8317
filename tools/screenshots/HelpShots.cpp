#include "HelpShots.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextBrowser>
#include <cstdio>

#include "ui/AboutBox.h"
#include "ui/HelpWindow.h"
#include "ui/PointFont.h"

namespace tallymo {
namespace {

bool Save(QWidget& widget, const QDir& out, const QString& name) {
    widget.show();
    QApplication::processEvents();
    const QString path = out.filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

}  // namespace

bool ShootHelpAndAbout(const QDir& out) {
    const QString helpFile =
        QCoreApplication::applicationDirPath() + QStringLiteral("/tallymo.rcc");
    HelpWindow help;
    help.setFont(PointFont(90, kProportionalGothicFace));
    bool ok = true;
    const struct {
        int topic;
        const char* name;
    } pages[] = {{100, "help-contents"}, {131, "help-booking"}, {2130, "help-message"}};
    for (const auto& page : pages) {
        if (!help.ShowTopic(helpFile, page.topic)) {
            std::printf("FAILED help file %s\n", qPrintable(helpFile));
            return false;
        }
        ok = Save(help, out, QString::fromLatin1(page.name)) && ok;
    }

    AboutBox about;
    about.setFont(PointFont(90, kProportionalGothicFace));
    return Save(about, out, QStringLiteral("about-box")) && ok;
}

}  // namespace tallymo
