#pragma once
// A window beside the form that shows the log as it grows.
#include "win/Handles.h"

#include <string>

namespace zarnhost {

class LogWindow {
public:
    LogWindow();
    LogWindow(const LogWindow&) = delete;
    LogWindow& operator=(const LogWindow&) = delete;

    void Append(const std::wstring& line);
    // Places the window to the right of the given one.
    void PlaceBeside(HWND other);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    UniqueWindow window_;
    HWND text_ = nullptr; // child of window_, destroyed with it
};

} // namespace zarnhost
