#include "ui/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QResource>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/HelpTopics.h"

namespace tallymo {
namespace {

// Where the help file's pages appear among the program's resources.
const QString kMapRoot = QStringLiteral("/tallymo-help");
constexpr int kContentsTopic = 100;

QUrl PageUrl(const QString& page) {
    return QUrl(QStringLiteral("qrc:") + kMapRoot + QLatin1Char('/') + page);
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_browser(new QTextBrowser),
      m_back(new QPushButton(QStringLiteral("戻る(&B)"))),
      m_forward(new QPushButton(QStringLiteral("進む(&F)"))) {
    setWindowTitle(QStringLiteral("Tallymo Ver.2 ヘルプ"));
    // An open help window does not keep the program running once the main window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* contents = new QPushButton(QStringLiteral("目次(&C)"));
    for (QPushButton* button : {m_back, m_forward, contents}) button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(contents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    m_browser->setOpenExternalLinks(true);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    resize(680, 560);
}

HelpWindow::~HelpWindow() {
    if (!m_loadedFile.isEmpty()) QResource::unregisterResource(m_loadedFile, kMapRoot);
}

bool HelpWindow::Load(const QString& helpFile) {
    if (helpFile == m_loadedFile) return true;
    // The pages of a file loaded before are replaced (the resource tree takes one help file).
    if (!m_loadedFile.isEmpty()) QResource::unregisterResource(m_loadedFile, kMapRoot);
    m_loadedFile.clear();
    if (!QFile::exists(helpFile) || !QResource::registerResource(helpFile, kMapRoot)) return false;
    m_loadedFile = helpFile;
    return true;
}

bool HelpWindow::ShowTopic(const QString& helpFile, int topic) {
    if (!Load(helpFile)) return false;
    QString page = HelpPageName(topic);
    if (!QFile::exists(QLatin1Char(':') + kMapRoot + QLatin1Char('/') + page)) {
        page = HelpPageName(kContentsTopic);
    }
    m_browser->setSource(PageUrl(page));
    show();
    raise();
    activateWindow();
    return true;
}

QString HelpWindow::CurrentPage() const {
    const QString path = m_browser->source().path();
    return path.mid(kMapRoot.size() + 1);
}

void HelpWindow::ShowContents() {
    m_browser->setSource(PageUrl(HelpPageName(kContentsTopic)));
}

HelpWindow* HelpWindow::Shared() {
    static QPointer<HelpWindow> window;
    // While a modal dialog is open only its own windows take input: the help window then
    // belongs to that dialog (and closes with it).
    QWidget* owner = QApplication::activeModalWidget();
    if (window && window->parentWidget() != owner) delete window;
    if (!window) window = new HelpWindow(owner);
    return window;
}

}  // namespace tallymo
