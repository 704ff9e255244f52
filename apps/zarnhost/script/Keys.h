#pragma once
// Key names of scripts: a key (F4, Down, Tab, Backspace, a, 7, ...) with
// modifiers in front (shift+, ctrl+, alt+), e.g. alt+Down, shift+Tab.
#include <windows.h>

#include <string_view>
#include <vector>

namespace zarnhost {

struct KeyChord {
    std::vector<WORD> modifiers; // virtual-key codes, pressed in this order
    WORD key = 0;
};

bool ParseChord(std::wstring_view text, KeyChord& out);

// Keys that Windows reports with the extended-key flag (arrows, Home, ...).
bool IsExtendedKey(WORD key);

} // namespace zarnhost
