// The desktop program: the application object decides what to show first, then the event loop
// runs until the main window closes.

#include <QApplication>
#include <QLocale>

#include "app/widgets/TallymoApp.h"
#include "doc/Clock.h"
#include "doc/QtSettingsStore.h"

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QApplication app(argc, argv);
    tallymo::PrepareApplication();

    tallymo::QtSettingsStore store;
    tallymo::CTallymoApp tallymo(store, tallymo::SystemClock::Instance());
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();  // the program itself
    if (!tallymo.InitInstance(arguments)) return 0;
    return app.exec();
}
