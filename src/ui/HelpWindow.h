#pragma once
// The help window: the pages of the compiled help file in a text browser, with back, forward
// and contents buttons. One window serves every request; a request made while a modal dialog
// is open shows it over that dialog (where it stays usable).

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace tallymo {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Shows the topic's page of the help file. False (nothing shown) when the file cannot be
    // loaded. A topic without a page shows the contents.
    bool ShowTopic(const QString& helpFile, int topic);

    QTextBrowser* Browser() const { return m_browser; }
    QString CurrentPage() const;  // "_RESOURCE/00100.html"

    // The window all requests share (made on first use, and again after its owner closed it).
    static HelpWindow* Shared();

private:
    bool Load(const QString& helpFile);
    void ShowContents();

    QTextBrowser* m_browser;
    QPushButton* m_back;
    QPushButton* m_forward;
    QString m_loadedFile;
};

}  // namespace tallymo
