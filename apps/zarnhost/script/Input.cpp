#include "script/Input.h"

#include <vector>

namespace zarnhost {

namespace {

INPUT KeyInput(WORD key, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

INPUT CharInput(wchar_t c, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = c;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    return in;
}

void Send(std::vector<INPUT>& inputs) {
    if (!inputs.empty())
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// One character as the keys that make it, or as a Unicode packet when the
// keyboard layout has no key for it.
void AppendCharacter(std::vector<INPUT>& inputs, wchar_t c) {
    const SHORT scan = VkKeyScanW(c);
    if (scan == -1) {
        inputs.push_back(CharInput(c, true));
        inputs.push_back(CharInput(c, false));
        return;
    }
    const WORD key = LOBYTE(scan);
    std::vector<WORD> modifiers;
    if (HIBYTE(scan) & 1)
        modifiers.push_back(VK_SHIFT);
    if (HIBYTE(scan) & 2)
        modifiers.push_back(VK_CONTROL);
    if (HIBYTE(scan) & 4)
        modifiers.push_back(VK_MENU);
    for (WORD m : modifiers)
        inputs.push_back(KeyInput(m, true));
    inputs.push_back(KeyInput(key, true));
    inputs.push_back(KeyInput(key, false));
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
        inputs.push_back(KeyInput(*m, false));
}

} // namespace

void PressChord(const KeyChord& chord) {
    std::vector<INPUT> inputs;
    for (WORD m : chord.modifiers)
        inputs.push_back(KeyInput(m, true));
    inputs.push_back(KeyInput(chord.key, true));
    inputs.push_back(KeyInput(chord.key, false));
    for (auto m = chord.modifiers.rbegin(); m != chord.modifiers.rend(); ++m)
        inputs.push_back(KeyInput(*m, false));
    Send(inputs);
}

void SendKey(WORD key, bool down) {
    std::vector<INPUT> inputs{KeyInput(key, down)};
    Send(inputs);
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text)
        AppendCharacter(inputs, c);
    Send(inputs);
}

void SendMouseButton(MouseButton button, bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    switch (button) {
    case MouseButton::Left:
        in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        break;
    case MouseButton::Right:
        in.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        break;
    case MouseButton::Middle:
        in.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
        break;
    }
    SendInput(1, &in, sizeof in);
}

void MoveMouse(POINT screen) {
    SetCursorPos(screen.x, screen.y);
}

} // namespace zarnhost
