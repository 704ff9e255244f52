#pragma once
// The modal message box service. The product shows real message boxes;
// tests and the scripted demo install a recorder that answers for the user.
#include <windows.h>

#include <functional>
#include <string>

namespace zarn {

// The title a message box gets when its caller gives none.
inline constexpr const wchar_t* kDefaultMessageTitle = L"Zarn2";

struct MessageBoxCall {
    std::wstring text;
    UINT style = MB_OK;
    std::wstring title;
};

using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;

// Shows a modal message box owned by the active window; returns the button
// pressed (IDOK, ...).
int ShowMessage(const std::wstring& text, UINT style = MB_OK,
                const std::wstring& title = kDefaultMessageTitle);

// Replaces the real MessageBoxW for the calling process; an empty handler
// restores it. Returns the previous handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace zarn
