#include "WizardShots.h"
#include "SaveShot.h"

#include <QApplication>
#include <QScrollBar>
#include <cstdio>
#include <string>

#include "calc/widgets/CalcEdit.h"
#include "doc/TallymoDoc.h"
#include "views/widgets/WizardDlg.h"

namespace tallymo {
bool ShootWizard(CTallymoDoc& doc, const QDir& out) {
    // A named ledger, so the title shows the file; the name goes again afterwards.
    const std::string path = doc.PathName();
    doc.SetPathName("/home/user/pocket.tm2");
    bool ok;
    {
        CWizardDlg wizard(doc, {});
        ok = SaveShot(wizard, out, QStringLiteral("wizard"));
        wizard.ScrollBar(false)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        wizard.Rows(false)[1].amount->setText(QStringLiteral("300*2"));  // typed, not committed
        ok = SaveShot(wizard, out, QStringLiteral("wizard-scrolled")) && ok;
    }
    doc.SetPathName(path);
    return ok;
}

}  // namespace tallymo
