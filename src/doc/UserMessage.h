#pragma once
// The core never opens a window: a failure travels as a message with its exact text (UTF-8)
// and help context to whoever shows it (a message box, or stderr on the command line).

#include <functional>
#include <string>
#include <utility>

namespace tallymo {

enum class MessageIcon { None, Stop, Exclamation, Information, Question };

struct UserMessage {
    UserMessage() = default;
    UserMessage(std::string text, int helpContext, MessageIcon icon = MessageIcon::None,
                std::string detail = {})
        : text(std::move(text)), helpContext(helpContext), icon(icon), detail(std::move(detail)) {}

    bool operator==(const UserMessage&) const = default;

    std::string text;  // UTF-8
    int helpContext = 0;
    MessageIcon icon = MessageIcon::None;
    // What the user needs to act on a file failure, "<path>: <reason>" (UTF-8); empty when the
    // text says it all. The window shows it as the box's detail text, the command line on a
    // line of its own before the text.
    std::string detail;
};

using MessageHandler = std::function<void(const UserMessage&)>;

}  // namespace tallymo
