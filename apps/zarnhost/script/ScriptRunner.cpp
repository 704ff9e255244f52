#include "script/ScriptRunner.h"

#include <cwchar>

namespace zarnhost {

namespace {

// One runner per thread: the timer callback finds it here.
thread_local ScriptRunner* running = nullptr;

constexpr UINT kStep = USER_TIMER_MINIMUM;

} // namespace

ScriptRunner::ScriptRunner(std::vector<Command> commands, Form& form, EventRules& rules, Log& log,
                           std::function<void()> finished)
    : commands_(std::move(commands)), form_(form), rules_(rules), log_(log), finished_(std::move(finished)) {
    running = this;
}

ScriptRunner::~ScriptRunner() {
    if (timer_)
        KillTimer(nullptr, timer_);
    running = nullptr;
}

void ScriptRunner::Start() {
    Schedule(kStep);
}

void ScriptRunner::Schedule(UINT delay) {
    if (timer_)
        KillTimer(nullptr, timer_);
    timer_ = SetTimer(nullptr, 0, delay < kStep ? kStep : delay, OnTimer);
}

void CALLBACK ScriptRunner::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    if (running && running->timer_ == id)
        running->Step();
    else
        KillTimer(nullptr, id);
}

// The next command is scheduled before this one runs: a command that ends
// up in a modal loop (a drop-down, a message box) does not stop the script.
void ScriptRunner::Step() {
    KillTimer(nullptr, timer_);
    timer_ = 0;
    if (next_ >= commands_.size()) {
        log_.Line(L"end of script");
        if (finished_)
            finished_();
        return;
    }
    const Command& command = commands_[next_++];
    log_.Line(L"> " + command.text);
    Schedule(kStep);
    const size_t after = next_;
    const UINT delay = (this->*FindVerb(command.verb)->run)(command);
    // Unless later commands already ran from inside this one.
    if (next_ == after && delay > kStep)
        Schedule(delay);
}

HostedControl* ScriptRunner::ControlNamed(const std::wstring& name) {
    HostedControl* control = form_.Find(name);
    if (!control)
        log_.Line(L"no control named " + name);
    return control;
}

IDispatch* ScriptRunner::DispatchOf(const Token& target, std::wstring& member) {
    std::wstring name;
    SplitTarget(target, name, member);
    HostedControl* control = ControlNamed(name);
    if (control && !control->Dispatch())
        log_.Line(name + L" has no automation interface");
    return control ? control->Dispatch() : nullptr;
}

} // namespace zarnhost
