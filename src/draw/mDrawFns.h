#pragma once
// Stateless drawing helpers: colour resolution, fills, lines, frames and
// pictures. Every procedure reports its own errors and lets its caller go on.
#include <windows.h>

namespace mDrawFns {

// The module's message: "vemo:DrawModule_" + label + description + " " + number.
inline constexpr const wchar_t* kModuleLabel = L"vemo:DrawModule_";

// A stored colour as a plain 0x00BBGGRR colour: a system colour (high bit
// set) is looked up by its low byte, a plain colour is returned unchanged.
long GetLngColor(const long& colour);

} // namespace mDrawFns
