// The desktop program. Until the main frame exists, it shows the new ledger's matters.

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "doc/QtSettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QApplication app(argc, argv);
    tallymo::QtSettingsStore store;
    tallymo::CTallymoDoc doc(store);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("無題 - Tallymo Ver.2"));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(new QLabel(QStringLiteral("新しい小遣い帳の事柄")));
    auto* table = new QTableWidget(doc.MatterCount(), 2);
    table->setHorizontalHeaderLabels({QStringLiteral("事柄"), QStringLiteral("区分")});
    table->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < doc.MatterCount(); ++i) {
        const auto* matter = doc.GetMatter(i);
        table->setItem(i, 0, new QTableWidgetItem(QString::fromStdString(
                                 tallymo::Cp932ToUtf8(matter->Name()))));
        table->setItem(i, 1, new QTableWidgetItem(doc.IsIncome(i) ? QStringLiteral("収入")
                                                                  : QStringLiteral("支出")));
    }
    layout->addWidget(table);
    window.setCentralWidget(central);
    window.statusBar()->showMessage(QStringLiteral("ﾚﾃﾞｨ"));
    window.resize(420, 360);
    window.show();
    return app.exec();
}
