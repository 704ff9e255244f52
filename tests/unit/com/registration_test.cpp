// Registration as regsvr32 does it, checked against the whole of
// HKEY_CLASSES_ROOT: registering adds the control's keys and nothing else,
// unregistering takes exactly those away, and both can be repeated.
// The control is left registered for the script client.
#include "OcxSupport.h"

#include <algorithm>
#include <iterator>
#include <set>

using namespace zarn::test;

namespace {

using Snapshot = std::set<std::string>;

std::string ValueText(DWORD type, const BYTE* data, DWORD size) {
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
        text.erase(text.find_last_not_of(L'\0') + 1);
        return (type == REG_EXPAND_SZ ? "expand:" : "") + Narrow(text);
    }
    if (type == REG_DWORD)
        return "dword:" + std::to_string(*reinterpret_cast<const DWORD*>(data));
    std::string text = "type" + std::to_string(type) + ":";
    for (DWORD i = 0; i < size; ++i)
        text += "0123456789abcdef"[data[i] >> 4], text += "0123456789abcdef"[data[i] & 15];
    return text;
}

// One line per key ("path") and per value ("path | name = data", @ for the
// default value).
void Dump(HKEY key, const std::string& path, Snapshot& out) {
    DWORD subkeys = 0, maxSubkey = 0, values = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &values, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    if (!path.empty())
        out.insert(path);
    std::wstring name(std::max(maxName, maxSubkey) + 2, L'\0');
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD length = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueW(key, i, name.data(), &length, nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
            out.insert(path + " | " + (length ? Narrow(name.substr(0, length)) : "@") + " = " +
                       ValueText(type, data.data(), size));
    }
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        HKEY sub = nullptr;
        if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS ||
            RegOpenKeyExW(key, name.substr(0, length).c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS)
            continue;
        const std::string child = Narrow(name.substr(0, length));
        Dump(sub, path.empty() ? child : path + "\\" + child, out);
        RegCloseKey(sub);
    }
}

Snapshot ClassesRoot() {
    Snapshot s;
    Dump(HKEY_CLASSES_ROOT, "", s);
    return s;
}

Snapshot Minus(const Snapshot& a, const Snapshot& b) {
    Snapshot d;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(d, d.end()));
    return d;
}

// What a snapshot lacks and has beyond the one expected.
std::string Difference(const Snapshot& expected, const Snapshot& actual) {
    const Snapshot missing = Minus(expected, actual), extra = Minus(actual, expected);
    return "missing:\n" + Lines({missing.begin(), missing.end()}) + "unexpected:\n" +
           Lines({extra.begin(), extra.end()});
}

// Whether a line is a key at or under one of the roots, in the 64-bit view
// or, for the Interface and TypeLib keys the views share, under Wow6432Node.
bool Under(const std::string& line, std::initializer_list<std::string> roots) {
    for (const std::string& root : roots)
        for (const std::string& at : {root, "Wow6432Node\\" + root})
            if (_strnicmp(line.c_str(), at.c_str(), at.size()) == 0 &&
                (line.size() == at.size() || line[at.size()] == '\\' || line[at.size()] == ' '))
                return true;
    return false;
}

Snapshot Lowered(const Snapshot& s) {
    Snapshot lowered;
    for (std::string line : s) {
        std::transform(line.begin(), line.end(), line.begin(), ::tolower);
        lowered.insert(line);
    }
    return lowered;
}

TEST(ComRegistration, RegistersExactlyItsKeysAndRemovesThemAgain) {
    const HMODULE ocx = Ocx::Get().Module();
    ASSERT_TRUE(ocx);
    const auto entry = [ocx](const char* name) {
        return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(GetProcAddress(ocx, name)));
    };
    const auto registerServer = entry("DllRegisterServer"), unregisterServer = entry("DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
    const std::string path = Narrow(BuiltFile(L"Zarn2.ocx"));

    ASSERT_EQ(unregisterServer(), S_OK);
    const Snapshot unregistered = ClassesRoot();
    ASSERT_EQ(registerServer(), S_OK);
    const Snapshot registered = ClassesRoot();
    ASSERT_EQ(unregisterServer(), S_OK);
    const Snapshot unregisteredAgain = ClassesRoot();
    EXPECT_EQ(unregisteredAgain, unregistered)
        << "unregistered again, " << Difference(unregistered, unregisteredAgain);
    ASSERT_EQ(registerServer(), S_OK);
    const Snapshot registeredAgain = ClassesRoot();
    EXPECT_EQ(registeredAgain, registered) << "registered again, " << Difference(registered, registeredAgain);
    EXPECT_EQ(Minus(unregistered, registered), Snapshot{}) << "registration removed keys";

    const std::string clsid = "CLSID\\{B95CA92B-1DF7-422F-82D7-28CE99C019D1}";
    const std::string libid = "{386F8717-CFB7-4B79-B414-BC350531FD4A}";
    const std::string typeLib = "TypeLib\\" + libid;
    const std::string dual = "Interface\\{2BAD2477-59FF-453B-992F-B5FF5DB934DD}";
    const std::string events = "Interface\\{09ECF381-492B-4820-B97A-4C6322F2A295}";

    // The class and its ProgID are ours to the last line: each key with its
    // values.
    const std::pair<std::string, std::vector<std::string>> keys[] = {
        {clsid, {"@ = Zarn"}},
        {clsid + "\\InprocServer32", {"@ = " + path, "ThreadingModel = Apartment"}},
        {clsid + "\\ProgID", {"@ = Zarn2.Zarn"}},
        {clsid + "\\Control", {"@ = "}},
        {clsid + "\\ToolboxBitmap32", {"@ = " + path + ", 1"}},
        {clsid + "\\TypeLib", {"@ = " + libid}},
        {clsid + "\\Version", {"@ = 1.0"}},
        {clsid + "\\MiscStatus", {"@ = 0"}},
        // OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST
        {clsid + "\\MiscStatus\\1", {"@ = 131473"}},
        {"Zarn2.Zarn", {"@ = Zarn"}},
        {"Zarn2.Zarn\\CLSID", {"@ = {B95CA92B-1DF7-422F-82D7-28CE99C019D1}"}},
    };
    Snapshot ours;
    for (const auto& [key, values] : keys) {
        ours.insert(key);
        for (const std::string& value : values)
            ours.insert(key + " | " + value);
    }
    Snapshot addedOurs, addedByTypeLib, elsewhere, leftovers;
    for (const auto& line : Minus(registered, unregistered)) {
        Snapshot& group = Under(line, {clsid, "Zarn2.Zarn"})     ? addedOurs
                          : Under(line, {typeLib, dual, events}) ? addedByTypeLib
                                                                 : elsewhere;
        group.insert(line);
    }
    EXPECT_EQ(addedOurs, ours) << Difference(ours, addedOurs);
    EXPECT_EQ(elsewhere, Snapshot{}) << "registration added outside its keys";

    // Unregistered, nothing of the control is left, not even an empty key.
    for (const auto& line : unregistered)
        if (Under(line, {clsid, "Zarn2.Zarn", typeLib, dual, events}))
            leftovers.insert(line);
    EXPECT_EQ(leftovers, Snapshot{}) << "left after unregistration";

    // The type library's own entries are oleaut32's layout (key names in the
    // case it finds them); these lines are the ones a client finds the
    // library and the interfaces by.
    const Snapshot fromLibrary = {typeLib,
                                  typeLib + "\\1.0\\0\\win64 | @ = " + path,
                                  dual,
                                  dual + " | @ = _Zarn",
                                  dual + "\\TypeLib | @ = " + libid,
                                  events,
                                  events + " | @ = __Zarn",
                                  events + "\\TypeLib | @ = " + libid};
    EXPECT_EQ(Minus(Lowered(fromLibrary), Lowered(addedByTypeLib)), Snapshot{})
        << "type library entries missing; it added:\n"
        << Lines({addedByTypeLib.begin(), addedByTypeLib.end()});
}

} // namespace
