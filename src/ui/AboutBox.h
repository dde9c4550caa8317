#pragma once
// The about box "Tallymoについて": the program's icon, name, version and maker, and a link to
// the maker's web page that opens in the desktop's browser.

#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <functional>

namespace tallymo {

// The maker's web page shown and opened by the about box.
inline const QString kMakerWebAddress = QStringLiteral("https://harvelon.example.jp/tallymo/");

// A link drawn in blue with an underlined copy of its font and the hand cursor; a click (or
// Enter or Space while it has the focus) opens its text as a web address.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& address, QWidget* parent = nullptr);

    // Opens the address; when the desktop has no browser for it, says so in a message box.
    void Open();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class AboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

// How web addresses are opened (QDesktopServices by default); tests replace it. Returns the
// previous opener.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener SetUrlOpener(UrlOpener opener);

}  // namespace tallymo
