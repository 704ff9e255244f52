#pragma once
// Records and dismisses the message boxes that appear on this thread, so a
// scripted session never waits for a user.
#include <windows.h>

#include <string>
#include <vector>

namespace zarnhost {

class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // The texts recorded since the last call, as "title: text".
    std::vector<std::wstring> Take();

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam);
    HHOOK hook_ = nullptr;
};

} // namespace zarnhost
