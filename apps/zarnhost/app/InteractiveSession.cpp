// A session with a user at the form: a menu and keys to save, reload and
// switch between design and run mode, and the log in a window beside it
// (and on standard output).
#include "app/FormSource.h"
#include "app/MessageLoop.h"
#include "app/Sessions.h"
#include "log/Log.h"
#include "log/LogWindow.h"
#include "log/MessageBoxWatcher.h"
#include "site/Form.h"

namespace zarnhost {

namespace {

enum : WORD { kSave = 100, kReload, kExit, kDesign, kRun };

HMENU BuildMenu() {
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kSave, L"&Save\tCtrl+S");
    AppendMenuW(file, MF_STRING, kReload, L"&Reload\tF5");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kExit, L"E&xit");
    const HMENU mode = CreatePopupMenu();
    AppendMenuW(mode, MF_STRING, kDesign, L"&Design\tCtrl+D");
    AppendMenuW(mode, MF_STRING, kRun, L"&Run\tCtrl+R");
    const HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mode), L"&Mode");
    return bar;
}

UniqueAccelerators BuildAccelerators() {
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'S', kSave},
        {FVIRTKEY, VK_F5, kReload},
        {FVIRTKEY | FCONTROL, 'D', kDesign},
        {FVIRTKEY | FCONTROL, 'R', kRun},
    };
    return UniqueAccelerators(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
}

void ShowMode(HMENU menu, bool userMode) {
    CheckMenuRadioItem(menu, kDesign, kRun, userMode ? kRun : kDesign, MF_BYCOMMAND);
}

} // namespace

int RunInteractive(const Options& options) {
    // A user needs a file to save to: without one named, the form lives in
    // zarnhost.form in the working folder.
    const std::wstring path = options.form.empty() ? L"zarnhost.form" : options.form;
    const bool exists = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    FormLayout layout;
    std::wstring error;
    if (!LoadFormLayout(exists || !options.form.empty() ? path : L"", layout, error)) {
        Complain(error);
        return 2;
    }
    Log log;
    LogWindow logWindow;
    log.SetMirror([&](const std::wstring& line) { logWindow.Append(line); });
    EventRules rules;
    const MessageBoxWatcher watcher([&](const std::wstring& box) { log.Line(L"message box " + box); }, false);
    Form form(log, rules);
    const HMENU menu = BuildMenu();
    const UniqueAccelerators accelerators = BuildAccelerators();
    form.OnCommand([&](WORD command) {
        switch (command) {
        case kSave:
            form.Save(L"");
            break;
        case kReload:
            form.Reload();
            break;
        case kExit:
            PostQuitMessage(0);
            break;
        case kDesign:
        case kRun:
            form.SetUserMode(command == kRun);
            ShowMode(menu, command == kRun);
            break;
        }
    });
    form.Open(std::move(layout), path);
    form.SetMenu(menu);
    form.SetAccelerators(accelerators.get());
    ShowMode(menu, form.UserMode());
    logWindow.PlaceBeside(form.Window());
    log.Line(L"zarnhost: Ctrl+S saves, F5 reloads, Ctrl+D and Ctrl+R switch to design and run mode");
    return RunMessageLoop(form);
}

} // namespace zarnhost
