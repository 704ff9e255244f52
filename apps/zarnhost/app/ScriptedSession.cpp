// A session driven by a script: the form shows as for a user, the script's
// commands act on it, message boxes are recorded and answered, and the log
// goes to standard output.
#include "app/FormSource.h"
#include "app/MessageLoop.h"
#include "app/Sessions.h"
#include "form/Files.h"
#include "log/Log.h"
#include "log/MessageBoxWatcher.h"
#include "script/ScriptRunner.h"

namespace zarnhost {

int RunScripted(const Options& options) {
    std::vector<Command> commands;
    try {
        commands = ParseScript(ReadWholeFile(options.script));
    } catch (const FileError& e) {
        Complain(e.message);
        return 2;
    } catch (const ScriptError& e) {
        Complain(options.script + L": " + e.message);
        return 2;
    }
    FormLayout layout;
    std::wstring error;
    if (!LoadFormLayout(options.form, layout, error)) {
        Complain(error);
        return 2;
    }
    // Every run starts with the pointer in the same place, away from where
    // the form appears, so that no control hears a pointer it did not see
    // arrive.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Log log;
    EventRules rules;
    const MessageBoxWatcher watcher([&](const std::wstring& box) { log.Line(L"message box " + box); }, true);
    Form form(log, rules);
    form.Open(std::move(layout), options.form);
    ScriptRunner runner(std::move(commands), form, rules, log, [] { PostQuitMessage(0); });
    runner.Start();
    return RunMessageLoop(form);
}

} // namespace zarnhost
