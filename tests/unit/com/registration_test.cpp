// Registration as regsvr32 does it, checked against the whole of
// HKEY_CLASSES_ROOT: registering adds the control's keys and nothing else,
// unregistering takes exactly those away, and both can be repeated.
// The control is left registered for the script client.
#include "OcxSupport.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <iterator>
#include <set>

using namespace zarn::test;

namespace {

using Snapshot = std::set<std::wstring>;

std::wstring ValueText(DWORD type, const BYTE* data, DWORD size) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        std::wstring text(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return (type == REG_EXPAND_SZ ? L"expand:" : L"") + text;
    }
    case REG_DWORD:
        return L"dword:" + std::to_wstring(*reinterpret_cast<const DWORD*>(data));
    default: {
        std::wstring text = L"type" + std::to_wstring(type) + L":";
        for (DWORD i = 0; i < size; ++i) {
            wchar_t hex[4];
            swprintf(hex, 4, L"%02x", data[i]);
            text += hex;
        }
        return text;
    }
    }
}

// One line per key ("path") and per value ("path | name = data", @ for the
// default value).
void Dump(HKEY key, const std::wstring& path, Snapshot& out) {
    DWORD subkeys = 0, maxSubkey = 0, values = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &values, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    if (!path.empty())
        out.insert(path);

    std::wstring name(maxName + 2, L'\0');
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            continue;
        const std::wstring shown = nameLength ? name.substr(0, nameLength) : L"@";
        out.insert(path + L" | " + shown + L" = " + ValueText(type, data.data(), size));
    }

    std::wstring child(maxSubkey + 2, L'\0');
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD length = static_cast<DWORD>(child.size());
        if (RegEnumKeyExW(key, i, child.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        const std::wstring childName = child.substr(0, length);
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, childName.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS)
            continue;
        Dump(sub, path.empty() ? childName : path + L"\\" + childName, out);
        RegCloseKey(sub);
    }
}

Snapshot SnapshotClassesRoot() {
    const auto start = std::chrono::steady_clock::now();
    Snapshot s;
    Dump(HKEY_CLASSES_ROOT, L"", s);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    std::cout << "HKEY_CLASSES_ROOT: " << s.size() << " lines in " << ms << " ms" << std::endl;
    return s;
}

Snapshot Minus(const Snapshot& a, const Snapshot& b) {
    Snapshot d;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(d, d.end()));
    return d;
}

std::string Lines(const Snapshot& s) {
    std::string text;
    for (const auto& line : s) {
        text += "  ";
        for (wchar_t c : line)
            text += c < 128 ? static_cast<char>(c) : '?';
        text += "\n";
    }
    return text.empty() ? "  (none)\n" : text;
}

// What a snapshot lacks and has beyond the one expected.
std::string Difference(const Snapshot& expected, const Snapshot& actual) {
    return "missing:\n" + Lines(Minus(expected, actual)) + "unexpected:\n" + Lines(Minus(actual, expected));
}

bool Under(const std::wstring& line, const std::wstring& root) {
    return _wcsnicmp(line.c_str(), root.c_str(), root.size()) == 0 &&
           (line.size() == root.size() || line[root.size()] == L'\\' || line[root.size()] == L' ');
}

// The Interface and TypeLib keys are shared by the 64-bit and the 32-bit
// view, so what the library registers shows under Wow6432Node too.
bool FromTypeLibrary(const std::wstring& line, std::initializer_list<std::wstring> roots) {
    for (const auto& root : roots)
        if (Under(line, root) || Under(line, L"Wow6432Node\\" + root))
            return true;
    return false;
}

Snapshot Lowered(const Snapshot& s) {
    Snapshot lowered;
    for (std::wstring line : s) {
        for (auto& c : line)
            c = towlower(c);
        lowered.insert(line);
    }
    return lowered;
}

TEST(ComRegistration, RegistersExactlyItsKeysAndRemovesThemAgain) {
    const HMODULE ocx = Ocx::Get().Module();
    ASSERT_TRUE(ocx);
    const auto registerServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(ocx, "DllRegisterServer")));
    const auto unregisterServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(ocx, "DllUnregisterServer")));
    ASSERT_TRUE(registerServer && unregisterServer);
    wchar_t buffer[MAX_PATH];
    const std::wstring path(buffer, GetModuleFileNameW(ocx, buffer, MAX_PATH));

    ASSERT_EQ(unregisterServer(), S_OK);
    const Snapshot unregistered = SnapshotClassesRoot();
    ASSERT_EQ(registerServer(), S_OK);
    const Snapshot registered = SnapshotClassesRoot();
    ASSERT_EQ(unregisterServer(), S_OK);
    const Snapshot unregisteredAgain = SnapshotClassesRoot();
    ASSERT_EQ(registerServer(), S_OK);
    const Snapshot registeredAgain = SnapshotClassesRoot();

    EXPECT_EQ(unregisteredAgain, unregistered)
        << "unregistered again, " << Difference(unregistered, unregisteredAgain);
    EXPECT_EQ(registeredAgain, registered) << "registered again, " << Difference(registered, registeredAgain);
    EXPECT_EQ(Minus(unregistered, registered), Snapshot{}) << "registration removed:\n"
                                                           << Lines(Minus(unregistered, registered));

    const Snapshot added = Minus(registered, unregistered);
    const std::wstring clsid = L"CLSID\\{B95CA92B-1DF7-422F-82D7-28CE99C019D1}";
    const std::wstring libid = L"{386F8717-CFB7-4B79-B414-BC350531FD4A}";
    const std::wstring typeLib = L"TypeLib\\" + libid;
    const std::wstring dual = L"Interface\\{2BAD2477-59FF-453B-992F-B5FF5DB934DD}";
    const std::wstring events = L"Interface\\{09ECF381-492B-4820-B97A-4C6322F2A295}";

    // The class and its ProgID are ours to the last line.
    const Snapshot ours = {
        clsid,
        clsid + L" | @ = Zarn",
        clsid + L"\\InprocServer32",
        clsid + L"\\InprocServer32 | @ = " + path,
        clsid + L"\\InprocServer32 | ThreadingModel = Apartment",
        clsid + L"\\ProgID",
        clsid + L"\\ProgID | @ = Zarn2.Zarn",
        clsid + L"\\Control",
        clsid + L"\\Control | @ = ",
        clsid + L"\\ToolboxBitmap32",
        clsid + L"\\ToolboxBitmap32 | @ = " + path + L", 1",
        clsid + L"\\TypeLib",
        clsid + L"\\TypeLib | @ = " + libid,
        clsid + L"\\Version",
        clsid + L"\\Version | @ = 1.0",
        clsid + L"\\MiscStatus",
        clsid + L"\\MiscStatus | @ = 0",
        clsid + L"\\MiscStatus\\1",
        // OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST
        clsid + L"\\MiscStatus\\1 | @ = 131473",
        L"Zarn2.Zarn",
        L"Zarn2.Zarn | @ = Zarn",
        L"Zarn2.Zarn\\CLSID",
        L"Zarn2.Zarn\\CLSID | @ = {B95CA92B-1DF7-422F-82D7-28CE99C019D1}",
    };
    Snapshot addedOurs, addedByTypeLib, elsewhere;
    for (const auto& line : added) {
        if (Under(line, clsid) || Under(line, L"Zarn2.Zarn"))
            addedOurs.insert(line);
        else if (FromTypeLibrary(line, {typeLib, dual, events}))
            addedByTypeLib.insert(line);
        else
            elsewhere.insert(line);
    }
    EXPECT_EQ(addedOurs, ours) << Difference(ours, addedOurs);
    EXPECT_EQ(elsewhere, Snapshot{}) << "registration added outside its keys:\n" << Lines(elsewhere);

    // Unregistered, nothing of the control is left, not even an empty key.
    Snapshot leftovers;
    for (const auto& line : unregistered)
        if (Under(line, clsid) || Under(line, L"Zarn2.Zarn") ||
            FromTypeLibrary(line, {typeLib, dual, events}))
            leftovers.insert(line);
    EXPECT_EQ(leftovers, Snapshot{}) << "left after unregistration:\n" << Lines(leftovers);

    // The type library's own entries are oleaut32's layout (key names in the
    // case it finds them); these lines are the ones a client finds the
    // library and the interfaces by.
    const Snapshot fromLibrary = {
        typeLib,
        typeLib + L"\\1.0\\0\\win64 | @ = " + path,
        dual,
        dual + L" | @ = _Zarn",
        dual + L"\\TypeLib | @ = " + libid,
        events,
        events + L" | @ = __Zarn",
        events + L"\\TypeLib | @ = " + libid,
    };
    EXPECT_EQ(Minus(Lowered(fromLibrary), Lowered(addedByTypeLib)), Snapshot{})
        << "type library entries missing; it added:\n"
        << Lines(addedByTypeLib);
}

} // namespace
