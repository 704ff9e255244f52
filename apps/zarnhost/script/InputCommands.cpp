// Commands that act as the user's hands: the pointer, its buttons and the
// keyboard, all through the system's input queue.
#include "script/ScriptRunner.h"

#include "script/Input.h"

namespace zarnhost {

namespace {

// Time for the input to travel through the queue before the next command.
constexpr UINT kInputSettle = 30;

MouseButton ButtonOf(const std::vector<Token>& args, size_t index) {
    if (index >= args.size() || args[index].text == L"left")
        return MouseButton::Left;
    return args[index].text == L"right" ? MouseButton::Right : MouseButton::Middle;
}

KeyChord ChordOf(const Token& token) {
    KeyChord chord;
    ParseChord(token.text, chord); // checked when the script was read
    return chord;
}

} // namespace

// Input goes to the foreground window; the form takes that place back when
// another program's window holds it.
void ScriptRunner::BringFormForward() {
    const HWND foreground = GetForegroundWindow();
    if (!foreground || GetWindowThreadProcessId(foreground, nullptr) != GetCurrentThreadId())
        SetForegroundWindow(form_.Window());
}

// A point relative to a control's top-left corner, or to the form's client
// area, on the screen.
bool ScriptRunner::ScreenPoint(const std::vector<Token>& args, POINT& point) {
    point = {NumberOf(args[1]), NumberOf(args[2])};
    if (args[0].text != L"form") {
        const HostedControl* control = ControlNamed(args[0].text);
        if (!control)
            return false;
        point.x += control->Layout().rect.left;
        point.y += control->Layout().rect.top;
    }
    ClientToScreen(form_.Window(), &point);
    return true;
}

UINT ScriptRunner::Mouse(const Command& c) {
    POINT p;
    if (ScreenPoint(c.args, p)) {
        BringFormForward();
        MoveMouse(p);
    }
    return kInputSettle;
}

UINT ScriptRunner::Click(const Command& c) {
    POINT p;
    if (ScreenPoint(c.args, p)) {
        BringFormForward();
        MoveMouse(p);
        SendMouseButton(ButtonOf(c.args, 3), true);
        SendMouseButton(ButtonOf(c.args, 3), false);
    }
    return kInputSettle;
}

UINT ScriptRunner::Press(const Command& c) {
    SendMouseButton(ButtonOf(c.args, 0), true);
    return kInputSettle;
}

UINT ScriptRunner::Release(const Command& c) {
    SendMouseButton(ButtonOf(c.args, 0), false);
    return kInputSettle;
}

UINT ScriptRunner::Key(const Command& c) {
    BringFormForward();
    PressChord(ChordOf(c.args[0]));
    return kInputSettle;
}

UINT ScriptRunner::KeyDown(const Command& c) {
    BringFormForward();
    const KeyChord chord = ChordOf(c.args[0]);
    for (WORD m : chord.modifiers)
        SendKey(m, true);
    SendKey(chord.key, true);
    return kInputSettle;
}

UINT ScriptRunner::KeyUp(const Command& c) {
    const KeyChord chord = ChordOf(c.args[0]);
    SendKey(chord.key, false);
    for (auto m = chord.modifiers.rbegin(); m != chord.modifiers.rend(); ++m)
        SendKey(*m, false);
    return kInputSettle;
}

UINT ScriptRunner::Type(const Command& c) {
    BringFormForward();
    TypeText(c.args[0].text);
    return kInputSettle;
}

} // namespace zarnhost
