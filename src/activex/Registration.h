#pragma once
#include <windows.h>

namespace zarn {

// Writes the class, its ProgID and its type library into the registry, and
// removes exactly those again.
HRESULT RegisterServer();
HRESULT UnregisterServer();

} // namespace zarn
