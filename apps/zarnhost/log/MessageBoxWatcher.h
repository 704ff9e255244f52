#pragma once
// Records and dismisses the message boxes that appear on this thread, so a
// scripted session never waits for a user.
#include <windows.h>

#include <functional>
#include <string>

namespace zarnhost {

class MessageBoxWatcher {
public:
    // seen gets "[title] text" for each box; with answer, the box is then
    // closed with its default button, as if the user had pressed Enter.
    MessageBoxWatcher(std::function<void(const std::wstring&)> seen, bool answer);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam);
    HHOOK hook_ = nullptr;
};

} // namespace zarnhost
