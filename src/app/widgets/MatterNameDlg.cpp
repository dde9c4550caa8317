#include "app/widgets/MatterNameDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ControlIds.h"
#include "doc/TextCodec.h"
#include "ui/ControlId.h"
#include "ui/MessageBox.h"
#include "ui/PointFont.h"

namespace tallymo {
namespace {}  // namespace

int SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

CMatterNameDlg::CMatterNameDlg(Mode mode, QListWidget& list, QWidget* parent)
    : QDialog(parent),
      m_mode(mode),
      m_list(list),
      m_prompt(new QLabel(this)),
      m_name(new QLineEdit(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setFont(PointFont(90, kProportionalGothicFace));
    const bool adding = mode == Mode::Add;
    setWindowTitle(adding ? QStringLiteral("事柄の追加") : QStringLiteral("事柄の変更"));
    m_prompt->setText(adding ? QStringLiteral("追加する事柄名を入力してください。")
                             : QStringLiteral("変更後の事柄名を入力してください。"));
    m_prompt->setProperty(kControlIdProperty, 1047);
    m_name->setProperty(kControlIdProperty, 1046);
    m_ok->setProperty(kControlIdProperty, kOkButtonId);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setProperty(kControlIdProperty, kCancelButtonId);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* fields = new QVBoxLayout;
    fields->addWidget(m_prompt);
    fields->addWidget(m_name);
    fields->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    if (!adding) {
        if (const QListWidgetItem* item = m_list.item(SelectedRow(m_list))) {
            m_name->setText(item->text());
            m_name->selectAll();
        }
    }
    connect(m_name, &QLineEdit::textChanged, this, &CMatterNameDlg::UpdateOkButton);
    connect(m_ok, &QPushButton::clicked, this, &CMatterNameDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CMatterNameDlg::reject);
    UpdateOkButton();
    m_name->setFocus(Qt::OtherFocusReason);
}

void CMatterNameDlg::UpdateOkButton() {
    // The list's exact search ignores letter case: "Food" and "food" are the same matter.
    const QString name = m_name->text();
    m_ok->setEnabled(!name.isEmpty() && m_list.findItems(name, Qt::MatchFixedString).isEmpty());
}

void CMatterNameDlg::accept() {
    if (!m_ok->isEnabled()) return;
    const QString name = m_name->text();
    // The ledger keeps names in CP932; a name it cannot store would be lost on saving.
    if (!Utf8ToCp932(name.toStdString())) {
        ShowMessageBox(this,
                       {"事柄名に保存できない文字が含まれています。別の文字で入力してください。",
                        m_mode == Mode::Add ? kAddMatterHelpTopic : kChangeMatterHelpTopic,
                        MessageIcon::Exclamation});
        m_name->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int selected = SelectedRow(m_list);
    if (m_mode == Mode::Change && selected < 0) {  // nothing to change
        QDialog::reject();
        return;
    }
    const int position = selected < 0 ? m_list.count() : selected;
    auto* item = new QListWidgetItem(name);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    if (m_mode == Mode::Add) {
        item->setCheckState(Qt::Checked);
    } else if (QListWidgetItem* old = m_list.takeItem(position)) {
        item->setData(kMatterIdRole, old->data(kMatterIdRole));
        item->setCheckState(old->checkState());
        delete old;
    }
    m_list.insertItem(position, item);
    m_list.setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
    QDialog::accept();
}

}  // namespace tallymo
