#pragma once
// Helpers for the widget tests: a document on a fixed clock and an in-memory store, message
// boxes and help requests captured instead of shown, and windows made active so that focus
// and shortcuts behave as on a desktop. Header-only: only the widget test binary includes it.

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <ostream>
#include <string>
#include <vector>

#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "doc/TimeValue.h"
#include "support/LedgerBuilder.h"
#include "ui/Help.h"
#include "ui/MessageBox.h"

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace tallymo::test {

// A new ledger with the built-in matters (収入 | 食費 交通費 交際費 光熱費 通信費 住居費 雑費),
// today being `today`.
struct DocFixture {
    explicit DocFixture(TimeValue today = Day(2005, 3, 15)) : clock(today), doc(store, clock) {}
    MemorySettingsStore store;
    FixedClock clock;
    CTallymoDoc doc;
};

// Records every message box instead of opening it; `onMessage` may act like a box would.
class MessageCapture {
public:
    MessageCapture() {
        m_previous = SetMessagePresenter([this](QWidget*, const UserMessage& message) {
            messages.push_back(message);
            focusAtMessage.push_back(QApplication::focusWidget());
            if (onMessage) onMessage();
        });
    }
    ~MessageCapture() { SetMessagePresenter(std::move(m_previous)); }

    std::vector<UserMessage> messages;
    std::vector<QWidget*> focusAtMessage;
    std::function<void()> onMessage;

private:
    MessagePresenter m_previous;
};

// Shows a top-level window and makes it the active one, so setFocus and window shortcuts work.
inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Gives the focus to a widget of the active window and waits until it has it.
inline bool FocusOn(QWidget& widget) {
    widget.setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([&] { return widget.hasFocus(); }, 1000);
}

}  // namespace tallymo::test
