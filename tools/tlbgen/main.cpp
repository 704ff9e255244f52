// tlbgen: writes the control's type library for one target architecture.
//   tlbgen <win32|win64> <output.tlb> [<data objects' output.tlb>]
// It runs at build time under the build's Wine prefix, so the library is
// laid out by the same oleaut32 that later loads it.
#include "activex/TypeLibBuilder.h"

#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int Usage() {
    std::fwprintf(stderr, L"usage: tlbgen <win32|win64> <output.tlb> [<data.tlb>]\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4)
        return Usage();
    SYSKIND syskind;
    if (std::wcscmp(argv[1], L"win32") == 0)
        syskind = SYS_WIN32;
    else if (std::wcscmp(argv[1], L"win64") == 0)
        syskind = SYS_WIN64;
    else
        return Usage();

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring step;
    HRESULT hr = zarn::BuildTypeLib(syskind, argv[2], &step);
    if (SUCCEEDED(hr) && argc == 4)
        hr = zarn::BuildDataTypeLib(syskind, argv[3], &step);
    CoUninitialize();
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"tlbgen: %ls failed: 0x%08lx\n", step.c_str(), static_cast<unsigned long>(hr));
        return 1;
    }
    return 0;
}
