#include "app/widgets/SettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/ControlIds.h"
#include "app/SettingsChoices.h"
#include "app/StartupPolicy.h"
#include "app/widgets/MatterNameDlg.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "ui/ControlId.h"
#include "ui/Help.h"
#include "ui/MessageBox.h"
#include "ui/PointFont.h"
#include "ui/Question.h"

namespace tallymo {
namespace {

// The name as the ledger holds it, and as the list first showed it: an item still showing that
// text gives back the ledger's own bytes, so a name is never rewritten by merely opening the
// dialog.
constexpr int kLedgerNameRole = Qt::UserRole + 1;
constexpr int kShownNameRole = Qt::UserRole + 2;

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QComboBox* Choices(QWidget* parent, int controlId, const std::vector<std::string>& texts) {
    auto* box = WithId(new QComboBox(parent), controlId);
    for (const std::string& text : texts) box->addItem(Text(text));
    box->setMaxVisibleItems(12);
    return box;
}

// Selects the item for a stored index; a value no item shows leaves the list without a
// selection.
void SelectStored(QComboBox* box, std::optional<int> item) {
    box->setCurrentIndex(item.value_or(-1));
}

}  // namespace

CSettingsDlg::CSettingsDlg(CTallymoDoc& doc, SettingsStore& store, ShellSwitches shell,
                           QWidget* parent)
    : QDialog(parent), m_doc(doc), m_store(store), m_shell(std::move(shell)) {
    setFont(PointFont(90, kProportionalGothicFace));
    setWindowTitle(QStringLiteral("設定"));
    setProperty(kControlIdProperty, 130);

    auto* matters = new QGroupBox(QStringLiteral("事柄名の設定"), this);
    auto* matterRow = new QHBoxLayout(matters);
    matterRow->addWidget(BuildMatterGroup(true));
    matterRow->addWidget(BuildMatterGroup(false));

    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(BuildDisplayGroup());
    optionRow->addWidget(BuildCommonGroup());

    m_applyToNew =
        WithId(new QCheckBox(QStringLiteral("新規ファイルにこの設定を適用する"), this), 1015);
    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), kOkButtonId);
    auto* cancel = WithId(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), kCancelButtonId);
    auto* help = WithId(new QPushButton(QStringLiteral("ヘルプ(&H)"), this), kHelpButtonId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSettingsDlg::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kSettingsHelpTopic); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_applyToNew);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    bottom->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(matters);
    layout->addLayout(optionRow);
    layout->addLayout(bottom);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { ShowHelpFor(focusWidget()); });
}

// --- building -------------------------------------------------------------------------------

QWidget* CSettingsDlg::BuildMatterGroup(bool income) {
    auto* group = new QGroupBox(income ? QStringLiteral("収入") : QStringLiteral("支出"), this);
    QListWidget*& list = income ? m_income : m_outgo;
    list = WithId(new QListWidget(group), income ? 1017 : 1023);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumHeight(150);
    // id and caption of add, change, delete, up, down.
    const std::pair<int, const char*> captions[2][5] = {{{1018, "追加(&A)"},
                                                         {1043, "変更(&C)"},
                                                         {1020, "削除(&E)"},
                                                         {1021, "↑(&U)"},
                                                         {1022, "↓(&D)"}},
                                                        {{1024, "追加(&D)"},
                                                         {1025, "変更(&H)"},
                                                         {1026, "削除(&L)"},
                                                         {1027, "↑(&P)"},
                                                         {1028, "↓(&O)"}}};
    QPushButton* buttons[5];
    auto* column = new QVBoxLayout;
    for (int i = 0; i < 5; ++i) {
        const auto& [id, caption] = captions[income ? 0 : 1][i];
        buttons[i] = WithId(new QPushButton(QString::fromUtf8(caption), group), id);
        buttons[i]->setAutoDefault(false);
        column->addWidget(buttons[i]);
    }
    column->addStretch();
    Buttons(income) = {buttons[0], buttons[1], buttons[2], buttons[3], buttons[4]};
    connect(buttons[0], &QPushButton::clicked, this, [this, income] { AddMatter(income); });
    connect(buttons[1], &QPushButton::clicked, this, [this, income] { ChangeMatter(income); });
    connect(buttons[2], &QPushButton::clicked, this, [this, income] { DeleteMatter(income); });
    connect(buttons[3], &QPushButton::clicked, this, [this, income] { MoveMatter(income, -1); });
    connect(buttons[4], &QPushButton::clicked, this, [this, income] { MoveMatter(income, 1); });
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this, income] { UpdateMatterButtons(income); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, income] { ChangeMatter(income); });

    auto* row = new QHBoxLayout(group);
    row->addWidget(list, 1);
    row->addLayout(column);
    FillMatterList(income);
    UpdateMatterButtons(income);
    return group;
}

QWidget* CSettingsDlg::BuildDisplayGroup() {
    auto* group = new QGroupBox(QStringLiteral("表示設定"), this);
    const LedgerSettings& settings = m_doc.Settings();
    m_closeDay = Choices(group, 1029, CloseDayTexts());
    SelectStored(m_closeDay, ItemForStoredIndex(settings.CloseDay, m_closeDay->count()));
    m_fontSize = Choices(group, 1030, FontSizeTexts());
    SelectStored(m_fontSize, FontSizeItem(settings.FontSize));
    m_fraction = Choices(group, 1040, FractionModeTexts());
    SelectStored(m_fraction, ItemForStoredIndex(settings.FractionMode, m_fraction->count()));
    m_wizard = WithId(new QCheckBox(QStringLiteral("起動時にウィザードを表示"), group), 1041);
    m_wizard->setChecked(settings.ShowQuickWizard);

    auto* grid = new QGridLayout(group);
    const std::pair<int, const char*> labels[] = {{1064, "月表示及び印刷時の締め日："},
                                                  {1065, "セルの表示フォントサイズ："},
                                                  {1066, "端数処理："}};
    QComboBox* boxes[] = {m_closeDay, m_fontSize, m_fraction};
    for (int row = 0; row < 3; ++row) {
        auto* label =
            WithId(new QLabel(QString::fromUtf8(labels[row].second), group), labels[row].first);
        label->setBuddy(boxes[row]);
        grid->addWidget(label, row, 0);
        grid->addWidget(boxes[row], row, 1);
    }
    grid->addWidget(m_wizard, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    return group;
}

QWidget* CSettingsDlg::BuildCommonGroup() {
    auto* group = new QGroupBox(QStringLiteral("共通オプション"), this);
    const StartupSettings startup = ReadStartupSettings(m_store);
    m_openRecent =
        WithId(new QCheckBox(QStringLiteral("最後に開いたファイルを起動時に開く"), group), 1042);
    m_openRecent->setChecked(startup.openRecentFileAtRun);
    m_autorun = WithId(new QCheckBox(QStringLiteral("Windows起動時に表示する"), group), 1016);
    m_autorunAtOpening = m_shell.isAutorunOn && m_shell.isAutorunOn();
    m_autorun->setChecked(m_autorunAtOpening);
    m_autorun->setEnabled(static_cast<bool>(m_shell.setAutorun));
    m_onceADay = WithId(new QCheckBox(QStringLiteral("1日に一度だけ表示する"), group), 1031);
    m_onceADay->setChecked(startup.showOnceByADay);
    m_onSetTime = WithId(new QCheckBox(QStringLiteral("指定時間にのみ表示する"), group), 1032);
    m_onSetTime->setChecked(startup.showOnSetTime);
    m_startHour = Choices(group, 1033, StartHourTexts());
    SelectStored(m_startHour, ItemForStoredIndex(startup.runStartHour, 24));
    m_endHour = Choices(group, 1038, EndHourTexts());
    SelectStored(m_endHour, ItemForStoredIndex(startup.runEndHour, 24));
    m_associate =
        WithId(new QCheckBox(QStringLiteral(".tm2ファイルをTallymoに関連付ける"), group), 1050);
    m_associatedAtOpening = m_shell.isFileAssociated && m_shell.isFileAssociated();
    m_associate->setChecked(m_associatedAtOpening);
    m_associate->setEnabled(static_cast<bool>(m_shell.setFileAssociation));

    connect(m_autorun, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) {
            m_onceADay->setChecked(false);
            m_onSetTime->setChecked(false);
        }
        UpdateStartupOptions();
    });
    connect(m_onSetTime, &QCheckBox::toggled, this, &CSettingsDlg::UpdateStartupOptions);
    UpdateStartupOptions();

    auto* hours = new QHBoxLayout;
    hours->addSpacing(40);
    hours->addWidget(m_startHour);
    hours->addWidget(new QLabel(QStringLiteral("～"), group));
    hours->addWidget(m_endHour);
    hours->addStretch();
    auto* column = new QVBoxLayout(group);
    column->addWidget(m_openRecent);
    column->addWidget(m_autorun);
    for (QCheckBox* option : {m_onceADay, m_onSetTime}) {
        auto* indented = new QHBoxLayout;
        indented->addSpacing(20);
        indented->addWidget(option);
        column->addLayout(indented);
    }
    column->addLayout(hours);
    column->addWidget(m_associate);
    column->addStretch();
    return group;
}

void CSettingsDlg::FillMatterList(bool income) {
    QListWidget* list = List(income);
    for (const EditedMatter& matter : TakeMatterList(m_doc, income)) {
        const QString shown = Text(Cp932ToUtf8(matter.name));
        auto* item = new QListWidgetItem(shown, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(matter.visible ? Qt::Checked : Qt::Unchecked);
        item->setData(kMatterIdRole, QVariant::fromValue<qulonglong>(matter.matter));
        item->setData(kLedgerNameRole, QByteArray::fromStdString(matter.name.Bytes()));
        item->setData(kShownNameRole, shown);
    }
}

// --- the matter lists -----------------------------------------------------------------------

QWidget* CSettingsDlg::Control(int controlId) const {
    const auto widgets = findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (widget->property(kControlIdProperty).toInt() == controlId) return widget;
    }
    return nullptr;
}

EditedMatterList CSettingsDlg::EditedList(bool income) const {
    const QListWidget* list = List(income);
    EditedMatterList items;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        EditedMatter matter;
        const QVariant id = item->data(kMatterIdRole);
        matter.matter = id.isValid() ? id.value<qulonglong>() : kNoMatterId;
        matter.visible = item->checkState() == Qt::Checked;
        const Cp932Text ledgerName(item->data(kLedgerNameRole).toByteArray().toStdString());
        if (item->data(kShownNameRole).toString() == item->text()) {
            matter.name = ledgerName;
        } else {
            // The name dialog let in only names that CP932 holds.
            matter.name = Utf8ToCp932(item->text().toStdString()).value_or(ledgerName);
        }
        items.push_back(std::move(matter));
    }
    return items;
}

void CSettingsDlg::UpdateMatterButtons(bool income) {
    const QListWidget* list = List(income);
    const int row = SelectedRow(*list);
    const MatterButtons& buttons = Buttons(income);
    buttons.change->setEnabled(row >= 0);
    buttons.remove->setEnabled(row >= 0);
    buttons.up->setEnabled(row > 0);
    buttons.down->setEnabled(row >= 0 && row + 1 < list->count());
}

void CSettingsDlg::AddMatter(bool income) {
    CMatterNameDlg dialog(CMatterNameDlg::Mode::Add, *List(income), this);
    dialog.exec();
    UpdateMatterButtons(income);
}

void CSettingsDlg::ChangeMatter(bool income) {
    if (SelectedRow(*List(income)) < 0) return;
    CMatterNameDlg dialog(CMatterNameDlg::Mode::Change, *List(income), this);
    dialog.exec();
    UpdateMatterButtons(income);
}

void CSettingsDlg::DeleteMatter(bool income) {
    QListWidget* list = List(income);
    const int row = SelectedRow(*list);
    if (row < 0) return;
    const QString name = list->item(row)->text();
    const QString text = QStringLiteral("『") + name +
                         QStringLiteral("』を削除してよろしいですか？\n『") + name +
                         QStringLiteral("』で記帳されているデータはすべて削除されます。");
    Question question{text};
    question.noByDefault = true;
    if (AskQuestion(this, question) != Answer::Yes) return;
    // The matter and its entries leave the ledger only on OK.
    delete list->takeItem(row);
    list->clearSelection();
    UpdateMatterButtons(income);
}

void CSettingsDlg::MoveMatter(bool income, int step) {
    QListWidget* list = List(income);
    const int row = SelectedRow(*list);
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count()) return;
    // Text, matter and check mark travel together: the item itself moves.
    QListWidgetItem* item = list->takeItem(row);
    list->insertItem(target, item);
    list->setCurrentRow(target, QItemSelectionModel::ClearAndSelect);
    UpdateMatterButtons(income);
}

// --- options --------------------------------------------------------------------------------

void CSettingsDlg::UpdateStartupOptions() {
    const bool autorun = m_autorun->isChecked();
    m_onceADay->setEnabled(autorun);
    m_onSetTime->setEnabled(autorun);
    const bool window = m_onSetTime->isChecked();
    m_startHour->setEnabled(window);
    m_endHour->setEnabled(window);
}

void CSettingsDlg::ShowHelpFor(QWidget* widget) {
    int controlId = 0;
    for (; widget && widget != this; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kControlIdProperty);
        if (id.isValid()) {
            controlId = id.toInt();
            break;
        }
    }
    ShowHelpTopic(SettingsHelpTopic(controlId));
}

void CSettingsDlg::accept() {
    // 1. The matter lists, income first.
    ApplyMatterList(m_doc, true, EditedList(true));
    ApplyMatterList(m_doc, false, EditedList(false));

    // 2. Display settings. A list without a selection keeps the stored value.
    LedgerSettings settings = m_doc.Settings();
    if (m_fontSize->currentIndex() >= 0) {
        settings.FontSize = static_cast<std::uint16_t>(FontSizeOfItem(m_fontSize->currentIndex()));
    }
    if (m_closeDay->currentIndex() >= 0) {
        settings.CloseDay = static_cast<std::uint16_t>(m_closeDay->currentIndex());
    }
    if (m_fraction->currentIndex() >= 0) {
        settings.FractionMode = static_cast<std::uint16_t>(m_fraction->currentIndex());
    }

    // 3. Start-up options.
    m_store.WriteFlag(kAppSettingsSection, "OpenRecentlyFileAtRun", m_openRecent->isChecked());
    m_store.WriteFlag(kAppSettingsSection, "ShowOnceByADay", m_onceADay->isChecked());
    m_store.WriteFlag(kAppSettingsSection, "ShowOnSetTime", m_onSetTime->isChecked());
    if (m_startHour->currentIndex() >= 0) {
        m_store.WriteInt(kAppSettingsSection, "RunStartHour", m_startHour->currentIndex());
    }
    if (m_endHour->currentIndex() >= 0) {
        m_store.WriteInt(kAppSettingsSection, "RunEndHour", m_endHour->currentIndex());
    }

    // 4. The wizard flag travels with the ledger.
    settings.ShowQuickWizard = m_wizard->isChecked();
    m_doc.SetSettings(settings);

    // 5. File association, only when the box was changed here: an untouched box must not take
    // the file type back from another program.
    const bool associate = m_associate->isChecked();
    if (m_shell.setFileAssociation && associate != m_associatedAtOpening &&
        !m_shell.setFileAssociation(associate)) {
        ShowMessageBox(this, {"拡張子の関連付けに失敗しました。管理者権限であるかどうか確認して"
                              "ください。",
                              kSettingsHelpTopic, MessageIcon::Exclamation});
    }

    // 6. Defaults for new ledgers.
    if (m_applyToNew->isChecked()) {
        m_doc.SaveDefaultSettings();
        m_doc.SaveDefaultMatters(true);
        m_doc.SaveDefaultMatters(false);
    }

    // 7. Autorun, likewise only when changed.
    const bool autorun = m_autorun->isChecked();
    if (m_shell.setAutorun && autorun != m_autorunAtOpening && !m_shell.setAutorun(autorun)) {
        ShowMessageBox(this, {"Windows起動時に表示する設定を変更できませんでした。",
                              kSettingsHelpTopic, MessageIcon::Exclamation});
    }
    QDialog::accept();
}

}  // namespace tallymo
