// zarnhost: a host for the Zarn2 control. This first version drives two
// controls through COM the way a script host does and prints what the host
// sees; the interactive form arrives with the container.
#include "DispatchClient.h"
#include "MessageBoxWatcher.h"

#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

using zarnhost::DispatchClient;

namespace {

void Say(const std::wstring& line) {
    wprintf(L"%ls\n", line.c_str());
}

BOOL CALLBACK CollectEdit(HWND child, LPARAM out) {
    wchar_t name[32] = L"";
    GetClassNameW(child, name, 32);
    if (_wcsicmp(name, L"Edit") == 0) {
        wchar_t text[256] = L"";
        GetWindowTextW(child, text, 256);
        reinterpret_cast<std::vector<std::wstring>*>(out)->push_back(text);
    }
    return TRUE;
}

BOOL CALLBACK CollectFromPark(HWND top, LPARAM out) {
    wchar_t cls[32] = L"";
    GetClassNameW(top, cls, 32);
    if (std::wstring(cls) == L"Zarn2Park")
        EnumChildWindows(top, CollectEdit, out);
    return TRUE;
}

// The text boxes of the controls on this thread, in the order the window
// manager lists them. A control waits in a hidden park window until a
// container gives it a place on a form.
std::vector<std::wstring> TextBoxes() {
    std::vector<std::wstring> texts;
    EnumThreadWindows(GetCurrentThreadId(), CollectFromPark, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void ShowTextBoxes() {
    std::wstring line = L"  text boxes:";
    for (const auto& t : TextBoxes())
        line += L" [" + t + L"]";
    Say(line);
}

void ShowMessages(zarnhost::MessageBoxWatcher& watcher) {
    for (const auto& m : watcher.Take())
        Say(L"  message box: " + m);
}

Microsoft::WRL::ComPtr<IDispatch> CreateControl() {
    CLSID clsid;
    Microsoft::WRL::ComPtr<IDispatch> control;
    if (FAILED(CLSIDFromProgID(L"Zarn2.Zarn", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(control.GetAddressOf()))))
        return nullptr;
    return control;
}

int RunScriptedDemo() {
    zarnhost::MessageBoxWatcher watcher;
    const auto first = CreateControl(), second = CreateControl();
    if (!first || !second) {
        Say(L"Zarn2.Zarn is not registered: run ./x demo, which builds and registers it.");
        return 1;
    }
    const DispatchClient a(first), b(second);
    auto show = [](const wchar_t* what, const zarnhost::CallResult& r) {
        Say(std::wstring(L"  ") + what + L" -> " + zarnhost::Describe(r));
    };

    Say(L"Two Zarn2 date pickers created through COM (as a script's CreateObject does).");
    show(L"first.PValue", a.Get(L"PValue"));
    show(L"first.MinDate", a.Get(L"MinDate"));
    show(L"first.MaxDate", a.Get(L"MaxDate"));
    show(L"second.PValue", b.Get(L"PValue"));
    ShowTextBoxes();

    Say(L"The host sets the first control's value to the text 20240229:");
    show(L"first.PValue = \"20240229\"", a.Put(L"PValue", L"20240229"));
    show(L"first.PValue", a.Get(L"PValue"));
    show(L"second.PValue (settings are shared per thread)", b.Get(L"PValue"));
    ShowTextBoxes();

    Say(L"A number keeps its type:");
    show(L"second.PValue = 20261231", b.Put(L"PValue", 20261231L));
    show(L"first.PValue", a.Get(L"PValue"));
    ShowTextBoxes();

    Say(L"Range and separator rules:");
    show(L"first.MinDate = 18991231 (ignored)", a.Put(L"MinDate", 18991231L));
    show(L"first.MinDate = 19500101", a.Put(L"MinDate", 19500101L));
    show(L"second.MinDate", b.Get(L"MinDate"));
    show(L"first.Seperator = \".\" (ignored)", a.Put(L"Seperator", L"."));
    show(L"first.Seperator = \"-\"", a.Put(L"Seperator", L"-"));
    show(L"first.Seperator", a.Get(L"Seperator"));

    Say(L"Values the control refuses or reports:");
    show(L"first.PValue = \"abcdefgh\"", a.Put(L"PValue", L"abcdefgh"));
    show(L"first.PValue", a.Get(L"PValue"));
    show(L"first.PValue = \"20261305\" (no month 13)", a.Put(L"PValue", L"20261305"));
    ShowMessages(watcher);
    ShowTextBoxes();

    Say(L"Disabling the control greys its face and locks its text box:");
    show(L"first.Enabled = False", a.Put(L"Enabled", 0L));
    show(L"first.BgColor", a.Get(L"BgColor"));
    show(L"first.Text_Locked", a.Get(L"Text_Locked"));

    Say(L"");
    Say(L"The interactive demo, with the controls on a form, comes with the container.");
    return 0;
}

} // namespace

int wmain() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const int rc = RunScriptedDemo();
    CoUninitialize();
    return rc;
}
