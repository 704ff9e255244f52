// regtable: prints the registry values that register the control, as WiX
// <RegistryValue> elements for an installer to write instead of calling
// DllRegisterServer.
//   regtable classes <module path>
//   regtable typelib <win32|win64> <type library file> <module path> <module folder>
// "classes" is the table DllRegisterServer writes (activex/Registration.cpp).
// "typelib" is what RegisterTypeLib writes for the library: its version key
// with the module as the file of its platform (given: a 64-bit process
// reads a win32 library's platform as its own), and the interface keys that
// route calls through the standard automation marshaller. The paths are
// written as given, so an installer passes formatted references such as
// [#Zarn2.ocx].
#include "activex/Registration.h"
#include "platform/Variant.h"

#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using Microsoft::WRL::ComPtr;
using zarn::RegistryEntry;

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'&':
            out += L"&amp;";
            break;
        case L'<':
            out += L"&lt;";
            break;
        case L'>':
            out += L"&gt;";
            break;
        case L'"':
            out += L"&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void Print(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr,
                        nullptr);
    std::fputs(utf8.c_str(), stdout);
}

void PrintEntries(const std::vector<RegistryEntry>& entries) {
    Print(L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n");
    for (const RegistryEntry& e : entries) {
        std::wstring line = L"  <RegistryValue Root=\"HKCR\" Key=\"" + Escaped(e.key) + L"\"";
        if (e.name)
            line += L" Name=\"" + Escaped(e.name) + L"\"";
        line += L" Type=\"string\" Value=\"" + Escaped(e.value) + L"\"/>\n";
        Print(line);
    }
    Print(L"</Include>\n");
}

// The automation marshallers: PSOAInterface for dual and automation
// interfaces, PSDispatch for dispinterfaces.
constexpr const wchar_t* kPSOAInterface = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* kPSDispatch = L"{00020420-0000-0000-C000-000000000046}";

void AddInterface(ITypeInfo& info, const TYPEATTR& attr, const std::wstring& libid,
                  const std::wstring& version, std::vector<RegistryEntry>& out) {
    const bool automation = attr.wTypeFlags & (TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDUAL);
    if (attr.typekind != TKIND_DISPATCH && !(attr.typekind == TKIND_INTERFACE && automation))
        return;
    zarn::Bstr name;
    info.GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr);
    const std::wstring key = L"Interface\\" + GuidText(attr.guid);
    const wchar_t* marshaller = automation ? kPSOAInterface : kPSDispatch;
    out.push_back({key, nullptr, name.Text()});
    out.push_back({key + L"\\ProxyStubClsid", nullptr, marshaller});
    out.push_back({key + L"\\ProxyStubClsid32", nullptr, marshaller});
    out.push_back({key + L"\\TypeLib", nullptr, libid});
    out.push_back({key + L"\\TypeLib", L"Version", version});
}

HRESULT TypeLibEntries(const std::wstring& platform, const wchar_t* file, const std::wstring& module,
                       const std::wstring& folder, std::vector<RegistryEntry>& out) {
    ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(file, REGKIND_NONE, lib.GetAddressOf());
    if (FAILED(hr))
        return hr;
    TLIBATTR* attr = nullptr;
    if (FAILED(hr = lib->GetLibAttr(&attr)))
        return hr;
    const std::wstring libid = GuidText(attr->guid);
    const std::wstring version =
        std::to_wstring(attr->wMajorVerNum) + L"." + std::to_wstring(attr->wMinorVerNum);
    const std::wstring key = L"TypeLib\\" + libid + L"\\" + version;
    zarn::Bstr name, doc;
    lib->GetDocumentation(MEMBERID_NIL, name.Put(), doc.Put(), nullptr, nullptr);
    out.push_back({key, nullptr, doc.Text().empty() ? name.Text() : doc.Text()});
    out.push_back({key + L"\\FLAGS", nullptr, std::to_wstring(attr->wLibFlags)});
    out.push_back({key + L"\\" + std::to_wstring(attr->lcid) + L"\\" + platform, nullptr, module});
    out.push_back({key + L"\\HELPDIR", nullptr, folder});
    lib->ReleaseTLibAttr(attr);
    for (UINT i = 0, n = lib->GetTypeInfoCount(); i < n; ++i) {
        ComPtr<ITypeInfo> info;
        TYPEATTR* type = nullptr;
        if (FAILED(hr = lib->GetTypeInfo(i, info.GetAddressOf())) || FAILED(hr = info->GetTypeAttr(&type)))
            return hr;
        AddInterface(*info.Get(), *type, libid, version, out);
        info->ReleaseTypeAttr(type);
    }
    return S_OK;
}

int Usage() {
    std::fwprintf(stderr,
                  L"usage: regtable classes <module path>\n"
                  L"       regtable typelib <win32|win64> <type library file> <module path> <folder>\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 3 && std::wcscmp(argv[1], L"classes") == 0) {
        PrintEntries(zarn::ClassEntries(argv[2]));
        return 0;
    }
    if (argc != 6 || std::wcscmp(argv[1], L"typelib") != 0 ||
        (std::wcscmp(argv[2], L"win32") != 0 && std::wcscmp(argv[2], L"win64") != 0))
        return Usage();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<RegistryEntry> entries;
    const HRESULT hr = TypeLibEntries(argv[2], argv[3], argv[4], argv[5], entries);
    CoUninitialize();
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"regtable: cannot read %ls: 0x%08lx\n", argv[3],
                      static_cast<unsigned long>(hr));
        return 1;
    }
    PrintEntries(entries);
    return 0;
}
