// Commands that talk to controls: properties, methods, focus, size, and
// how the host answers their events.
#include "script/ScriptRunner.h"
#include "script/Snapshot.h"

#include "com/DispatchClient.h"
#include "text/ValueText.h"

namespace zarnhost {

namespace {

Variant LiteralOf(const Token& token) {
    Variant v;
    ParseUntypedLiteral(token, v); // checked when the script was read
    return v;
}

std::wstring RectText(const RECT& r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " +
           std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
}

} // namespace

UINT ScriptRunner::Set(const Command& c) {
    std::wstring member;
    if (IDispatch* object = DispatchOf(c.args[0], member)) {
        const CallResult r = PutProperty(object, member, LiteralOf(c.args[1]).Get());
        if (!r.ok())
            log_.Line(c.args[0].text + L": " + r.error);
    }
    return 0;
}

UINT ScriptRunner::Get(const Command& c) {
    std::wstring member;
    if (IDispatch* object = DispatchOf(c.args[0], member)) {
        const CallResult r = GetProperty(object, member);
        log_.Line(c.args[0].text + L" = " +
                  (r.ok() ? Literal(r.value.Get()) + L" (" + TypeName(r.value.Type()) + L")" : r.error));
    }
    return 0;
}

UINT ScriptRunner::Call(const Command& c) {
    std::wstring member;
    if (IDispatch* object = DispatchOf(c.args[0], member)) {
        std::vector<Variant> args;
        for (size_t i = 1; i < c.args.size(); ++i)
            args.push_back(LiteralOf(c.args[i]));
        const CallResult r = CallMethod(object, member, std::move(args));
        if (!r.ok())
            log_.Line(c.args[0].text + L": " + r.error);
        else if (r.value.Type() != VT_EMPTY)
            log_.Line(c.args[0].text + L" returned " + Literal(r.value.Get()) + L" (" +
                      TypeName(r.value.Type()) + L")");
    }
    return 0;
}

UINT ScriptRunner::FocusControl(const Command& c) {
    if (HostedControl* control = ControlNamed(c.args[0].text)) {
        BringFormForward();
        form_.Focus(*control);
    }
    return 0;
}

UINT ScriptRunner::Focused(const Command&) {
    log_.Line(L"focus: " + form_.FocusText());
    return 0;
}

// The form's window, its frame's top-left to a point of the screen: where
// the drop-down goes depends on the room around the control.
UINT ScriptRunner::MoveForm(const Command& c) {
    SetWindowPos(form_.Window(), nullptr, NumberOf(c.args[1]), NumberOf(c.args[2]), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

UINT ScriptRunner::Resize(const Command& c) {
    if (HostedControl* control = ControlNamed(c.args[0].text))
        form_.Resize(*control, NumberOf(c.args[1]), NumberOf(c.args[2]));
    return 0;
}

// Where the form placed the control, and where its window really is.
// A control's place, or the drop-down's ("popup"), in form coordinates.
UINT ScriptRunner::Bounds(const Command& c) {
    if (c.args[0].text == L"popup") {
        RECT r;
        const HWND popup = TopPopup(form_.Window());
        if (popup && GetWindowRect(popup, &r))
            MapWindowPoints(nullptr, form_.Window(), reinterpret_cast<POINT*>(&r), 2);
        log_.Line(popup ? L"popup at " + RectText(r) : L"no popup");
        return 0;
    }
    const HostedControl* control = ControlNamed(c.args[0].text);
    if (!control)
        return 0;
    std::wstring text = control->Name() + L" at " + RectText(control->Layout().rect);
    if (const HWND window = control->Window()) {
        RECT r;
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, form_.Window(), reinterpret_cast<POINT*>(&r), 2);
        text += L", window at " + RectText(r);
    } else {
        text += L", no window";
    }
    log_.Line(text);
    return 0;
}

namespace {

BOOL CALLBACK AppendWindowText(HWND child, LPARAM out) {
    wchar_t buffer[256] = L"";
    GetWindowTextW(child, buffer, 256);
    *reinterpret_cast<std::wstring*>(out) += L" \"" + std::wstring(buffer) + L"\"";
    return TRUE;
}

} // namespace

// The texts of the windows inside the control's window, in their order.
UINT ScriptRunner::Shows(const Command& c) {
    const HostedControl* control = ControlNamed(c.args[0].text);
    if (!control)
        return 0;
    std::wstring text = control->Name() + L" shows";
    if (const HWND window = control->Window()) {
        EnumChildWindows(window, AppendWindowText, reinterpret_cast<LPARAM>(&text));
    } else {
        text += L" nothing: no window";
    }
    log_.Line(text);
    return 0;
}

UINT ScriptRunner::Answer(const Command& c) {
    std::vector<Assignment> assignments;
    std::wstring error;
    ParseAssignments(c.args, 1, assignments, error);
    rules_.Answer(c.args[0].text, std::move(assignments));
    return 0;
}

UINT ScriptRunner::Mute(const Command& c) {
    if (c.args.size() > 1)
        rules_.MuteRepeats(c.args[0].text);
    else
        rules_.Mute(c.args[0].text, true);
    return 0;
}

UINT ScriptRunner::Within(const Command& c) {
    ArgumentCall call;
    std::wstring error;
    const bool given = c.args.size() > 1 && ParseArgumentCall(c.args, 1, call, error);
    rules_.Within(c.args[0].text, given ? &call : nullptr);
    return 0;
}

UINT ScriptRunner::Unmute(const Command& c) {
    rules_.Mute(c.args[0].text, false);
    return 0;
}

} // namespace zarnhost
