#include "host/win/Surface.h"

#include "host/runtime/RuntimeError.h"
#include "host/win/WindowClass.h"

namespace zarn {

Surface::Surface() {
    const wchar_t* cls = RegisterOwnClass(kSurfaceClass, DefWindowProcW, CS_DBLCLKS,
                                          reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, cls, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 120, 21,
                                  park_.Window(), nullptr, ThisModule(), nullptr));
    if (!window_)
        ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    text1_ = std::make_unique<TextBox>(Handle());
}

bool Surface::Enabled() const {
    return IsWindowEnabled(Handle()) != FALSE;
}
void Surface::SetEnabled(bool enabled) {
    EnableWindow(Handle(), enabled);
}

void Surface::Invalidate() {
    InvalidateRect(Handle(), nullptr, TRUE);
}

} // namespace zarn
