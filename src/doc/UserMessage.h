#pragma once
// The core never opens a window: a failure travels as a message with its exact text (UTF-8)
// and help context to whoever shows it (a message box, or stderr on the command line).

#include <functional>
#include <string>

namespace tallymo {

enum class MessageIcon { None, Stop, Exclamation, Information, Question };

struct UserMessage {
    std::string text;  // UTF-8
    int helpContext = 0;
    MessageIcon icon = MessageIcon::None;
};

using MessageHandler = std::function<void(const UserMessage&)>;

}  // namespace tallymo
