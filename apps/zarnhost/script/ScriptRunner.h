#pragma once
// Runs a script one command at a time from a timer, so that every command
// runs from whatever message loop is turning: the form's own, or a modal
// loop a control runs (its drop-down, a message box). A script can so look
// at and answer what a control shows while the control waits for the user.
#include "log/Log.h"
#include "script/Script.h"
#include "site/EventRules.h"
#include "site/Form.h"

#include <functional>
#include <vector>

namespace zarnhost {

class ScriptRunner {
public:
    // finished runs after the last command.
    ScriptRunner(std::vector<Command> commands, Form& form, EventRules& rules, Log& log,
                 std::function<void()> finished);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    void Start();

    // Every verb (Verbs.cpp): a member, so that its rows can name the
    // handlers below.
    static const Verb kVerbs[];

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Schedule(UINT delay);
    void Step();
    HostedControl* ControlNamed(const std::wstring& name);
    IDispatch* DispatchOf(const Token& target, std::wstring& member);
    bool ScreenPoint(const std::vector<Token>& args, POINT& point);
    void BringFormForward();

    // Commands; each returns how long to wait before the next, in ms.
    UINT Echo(const Command& c);
    UINT Quit(const Command& c);
    UINT Mode(const Command& c);
    UINT Set(const Command& c);
    UINT Get(const Command& c);
    UINT Call(const Command& c);
    UINT FocusControl(const Command& c);
    UINT Focused(const Command& c);
    UINT Mouse(const Command& c);
    UINT Click(const Command& c);
    UINT Press(const Command& c);
    UINT Release(const Command& c);
    UINT Key(const Command& c);
    UINT KeyDown(const Command& c);
    UINT KeyUp(const Command& c);
    UINT Type(const Command& c);
    UINT Wait(const Command& c);
    UINT Answer(const Command& c);
    UINT Mute(const Command& c);
    UINT Unmute(const Command& c);
    UINT Within(const Command& c);
    UINT MoveForm(const Command& c);
    UINT Resize(const Command& c);
    UINT Bounds(const Command& c);
    UINT Shows(const Command& c);
    UINT Save(const Command& c);
    UINT Reload(const Command& c);
    UINT Snapshot(const Command& c);
    UINT Print(const Command& c);
    UINT Compare(const Command& c);

    std::vector<Command> commands_;
    Form& form_;
    EventRules& rules_;
    Log& log_;
    std::function<void()> finished_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

} // namespace zarnhost
