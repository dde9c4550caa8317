#pragma once
// Every message the program shows goes through here: a modal box with the exact text, its icon
// and an OK button; F1 (or the help button) opens the message's help context. Tests replace the
// presenter so that no modal box waits for a click.

#include <functional>

#include "doc/UserMessage.h"

class QWidget;

namespace tallymo {

using MessagePresenter = std::function<void(QWidget* parent, const UserMessage& message)>;

void ShowMessageBox(QWidget* parent, const UserMessage& message);
// Installs a presenter (an empty one restores the message box); returns the previous one.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

}  // namespace tallymo
