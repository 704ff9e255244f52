#pragma once
// PNG pictures of windows as they are on the screen, through WIC's PNG
// encoder.
#include <windows.h>

#include <string>

namespace zarnhost {

// client: the client area only (the form); otherwise the whole window (a
// drop-down). size receives the picture's size.
HRESULT SaveWindowPng(HWND window, bool client, const std::wstring& path, SIZE& size);

// The visible top-level window of this thread that lies on top, apart from
// the form (a control's drop-down); null when there is none.
HWND TopPopup(HWND form);

} // namespace zarnhost
