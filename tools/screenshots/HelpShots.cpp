#include "HelpShots.h"
#include "SaveShot.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextBrowser>
#include <cstdio>

#include "ui/AboutBox.h"
#include "ui/HelpWindow.h"
#include "ui/PointFont.h"

namespace tallymo {
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
        ok = SaveShot(help, out, QString::fromLatin1(page.name)) && ok;
    }

    AboutBox about;
    about.setFont(PointFont(90, kProportionalGothicFace));
    return SaveShot(about, out, QStringLiteral("about-box")) && ok;
}

}  // namespace tallymo
