#pragma once
// The build puts the test programs, Zarn2.tlb and Zarn2.ocx in one
// directory.
#include <windows.h>

#include <string>

namespace zarn::test {

inline std::wstring BuiltFile(const wchar_t* name) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = exe;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

} // namespace zarn::test
