#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zarn {

// One value of the class's registration, under HKEY_CLASSES_ROOT.
struct RegistryEntry {
    std::wstring key;
    const wchar_t* name; // nullptr: the key's default value
    std::wstring value;
};

// The class, its ProgID and control keys for the module at modulePath: what
// RegisterServer writes, and what the installers write (tools/regtable).
std::vector<RegistryEntry> ClassEntries(const std::wstring& modulePath);

// Writes the class, its ProgID and its type library into the registry, and
// removes exactly those again.
HRESULT RegisterServer();
HRESULT UnregisterServer();

} // namespace zarn
