#pragma once
// Real user input, through the system's input queue (SendInput and
// SetCursorPos), so focus, capture and modal loops see what a user does.
#include "script/Keys.h"

#include <windows.h>

#include <string_view>

namespace zarnhost {

enum class MouseButton { Left, Right, Middle };

void PressChord(const KeyChord& chord); // modifiers down, key down and up, modifiers up
void SendKey(WORD key, bool down);
void TypeText(std::wstring_view text); // as key strokes, with Shift where the layout needs it
void SendMouseButton(MouseButton button, bool down);
void MoveMouse(POINT screen);

} // namespace zarnhost
