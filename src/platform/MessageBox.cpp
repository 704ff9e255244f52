#include "platform/MessageBox.h"

namespace zarn {

namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
} // namespace

int ShowMessage(const std::wstring& text, UINT style, const std::wstring& title) {
    if (const auto& handler = Handler())
        return handler(MessageBoxCall{text, style, title});
    return MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), style);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace zarn
