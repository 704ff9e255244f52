#pragma once
// Window classes of this module: registered once on first use, removed
// when the module unloads.
#include <windows.h>

namespace zarn {

inline constexpr const wchar_t* kParkClass = L"Zarn2Park";
inline constexpr const wchar_t* kSurfaceClass = L"Zarn2Surface";

HINSTANCE ThisModule();

// Registers the class with this module (once) and returns its name.
const wchar_t* RegisterOwnClass(const wchar_t* name, WNDPROC proc, UINT style = 0,
                                HBRUSH background = nullptr);

// Called when the module unloads.
void UnregisterOwnClasses();

} // namespace zarn
