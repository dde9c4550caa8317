// Renders the program's windows headless into PNG files for review:
//   tallymo_screenshots <output folder>
// Each shot builds its widgets over the sample ledger and grabs them. Add a shot by adding a
// function to kShots.

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "FrameShots.h"
#include "GraphShots.h"
#include "HelpShots.h"
#include "SampleLedger.h"
#include "SaveShot.h"
#include "SettingsShots.h"
#include "WizardShots.h"
#include "calc/widgets/CalcEdit.h"
#include "calc/widgets/CalcView.h"
#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "ui/PointFont.h"
#include "views/widgets/LedgerGrid.h"
#include "views/widgets/OperationView.h"
#include "views/widgets/TallymoView.h"

namespace tallymo {
namespace {

struct ShotContext {
    CTallymoDoc& doc;
    QDir out;
};

// The three panes side by side as the main window arranges them, with the status text below,
// the cursor on 10 March in the 食費 column and 12 to 14 March selected.
bool ShootPanes(const ShotContext& context, int showType, const QString& name) {
    CTallymoDoc& doc = context.doc;
    doc.Settings().ShowType = showType;
    doc.SetCurrentDate(SampleToday());

    QWidget window;
    window.setFont(PointFont(90, kProportionalGothicFace));
    auto* pane = new COperationView(doc);
    auto* calculator = new CCalcView(*pane);
    auto* view = new CTallymoView(doc);
    auto* status = new QLabel;
    status->setFrameShape(QFrame::StyledPanel);
    QObject::connect(view, &CTallymoView::cursorCellChanged, pane, &COperationView::SelectCell);
    QObject::connect(pane, &COperationView::dayPicked, view, &CTallymoView::ShowMatterColumn);
    QObject::connect(view, &CTallymoView::statusTextChanged, status, &QLabel::setText);
    QObject::connect(pane, &COperationView::statusTextChanged, status, &QLabel::setText);

    pane->setFixedSize(190, 310);
    calculator->setFixedWidth(190);
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(pane);
    left->addWidget(calculator);
    left->addStretch();
    auto* panes = new QHBoxLayout;
    panes->setSpacing(2);
    panes->addLayout(left);
    panes->addWidget(view, 1);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(panes, 1);
    layout->addWidget(status);
    window.resize(900, 560);
    window.show();
    QApplication::processEvents();

    view->SetUpGrid();
    view->ShowMatterColumn(1);
    view->MoveToRow(view->Shape().LastDayRow() - 5);
    CLedgerGrid& grid = view->Grid();
    if (showType == 0) {
        grid.SetRow(view->Shape().LastDayRow() - 3);
        grid.SetRowSel(view->Shape().LastDayRow() - 1);
        grid.Click();
    }
    pane->AmountField().setText(QStringLiteral("1,050"));
    QApplication::processEvents();

    bool ok = SaveShot(window, context.out, name);
    ok = SaveShot(*pane, context.out, name + QStringLiteral("-booking")) && ok;
    ok = SaveShot(*calculator, context.out, name + QStringLiteral("-calculator")) && ok;
    ok = SaveShot(*view, context.out, name + QStringLiteral("-ledger")) && ok;
    return ok;
}

const std::function<bool(const ShotContext&)> kShots[] = {
    [](const ShotContext& c) { return ShootPanes(c, 0, QStringLiteral("panes-month")); },
    [](const ShotContext& c) { return ShootPanes(c, 1, QStringLiteral("panes-week")); },
    [](const ShotContext& c) { return ShootMainWindow(c.doc, c.out); },
    [](const ShotContext& c) { return ShootGraphWindow(c.out); },
    [](const ShotContext& c) { return ShootSettingsDialogs(c.doc, c.doc.Store(), c.out); },
    [](const ShotContext& c) { return ShootHelpAndAbout(c.out); },
    [](const ShotContext& c) { return ShootWizard(c.doc, c.out); },
};

}  // namespace
}  // namespace tallymo

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("TZ")) setenv("TZ", "Asia/Tokyo", 1);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/screenshots");
    QDir out;
    if (!out.mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder));
        return 1;
    }
    tallymo::MemorySettingsStore store;
    tallymo::FixedClock clock(tallymo::SampleToday());
    tallymo::CTallymoDoc doc(store, clock);
    tallymo::FillSampleLedger(doc);
    bool ok = true;
    for (const auto& shoot : tallymo::kShots) ok = shoot({doc, QDir(folder)}) && ok;
    return ok ? 0 : 1;
}
