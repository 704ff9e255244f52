#include "activex/Registration.h"

#include "activex/Module.h"
#include "activex/ZarnInterface.h"
#include "activex/ZarnObject.h"
#include "activex/res/resource.h"

namespace zarn {

namespace {

constexpr const wchar_t* kProgId = L"Zarn2.Zarn";
constexpr const wchar_t* kClassName = L"Zarn";

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

HRESULT WriteEntry(const RegistryEntry& e) {
    HKEY key = nullptr;
    LSTATUS rc =
        RegCreateKeyExW(HKEY_CLASSES_ROOT, e.key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(rc);
    rc = RegSetValueExW(key, e.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(e.value.c_str()),
                        static_cast<DWORD>((e.value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(rc);
}

HRESULT DeleteTree(const std::wstring& key) {
    const LSTATUS rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
        return S_OK;
    }
    return HRESULT_FROM_WIN32(rc);
}

constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

} // namespace

std::vector<RegistryEntry> ClassEntries(const std::wstring& path) {
    const std::wstring clsidKey = L"CLSID\\" + GuidText(CLSID_Zarn);
    return {
        {clsidKey, nullptr, kClassName},
        {clsidKey + L"\\InprocServer32", nullptr, path},
        {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsidKey + L"\\ProgID", nullptr, kProgId},
        {clsidKey + L"\\Control", nullptr, L""},
        {clsidKey + L"\\ToolboxBitmap32", nullptr, path + L", " + std::to_wstring(IDB_TOOLBOX)},
        {clsidKey + L"\\TypeLib", nullptr, GuidText(LIBID_Zarn2)},
        {clsidKey + L"\\Version", nullptr,
         std::to_wstring(kTypeLibMajor) + L"." + std::to_wstring(kTypeLibMinor)},
        {clsidKey + L"\\MiscStatus", nullptr, L"0"},
        {clsidKey + L"\\MiscStatus\\1", nullptr, std::to_wstring(ZarnObject::kMiscStatus)},
        {kProgId, nullptr, kClassName},
        {std::wstring(kProgId) + L"\\CLSID", nullptr, GuidText(CLSID_Zarn)},
    };
}

HRESULT RegisterServer() {
    for (const RegistryEntry& e : ClassEntries(module::Path())) {
        const HRESULT hr = WriteEntry(e);
        if (FAILED(hr)) {
            UnregisterServer();
            return hr;
        }
    }
    Microsoft::WRL::ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(module::Path().c_str(), REGKIND_NONE, lib.GetAddressOf());
    if (SUCCEEDED(hr))
        hr = RegisterTypeLib(lib.Get(), const_cast<LPOLESTR>(module::Path().c_str()), nullptr);
    if (FAILED(hr))
        UnregisterServer();
    return hr;
}

HRESULT UnregisterServer() {
    UnRegisterTypeLib(LIBID_Zarn2, kTypeLibMajor, kTypeLibMinor, LOCALE_NEUTRAL, kSysKind);
    HRESULT result = DeleteTree(L"CLSID\\" + GuidText(CLSID_Zarn));
    const HRESULT hr = DeleteTree(kProgId);
    return FAILED(result) ? result : hr;
}

} // namespace zarn
