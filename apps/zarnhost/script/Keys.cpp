#include "script/Keys.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <string>

namespace zarnhost {

namespace {

struct Named {
    const wchar_t* name;
    WORD key;
};

constexpr Named kNamed[] = {
    {L"Tab", VK_TAB},       {L"Enter", VK_RETURN}, {L"Return", VK_RETURN},  {L"Escape", VK_ESCAPE},
    {L"Esc", VK_ESCAPE},    {L"Space", VK_SPACE},  {L"Backspace", VK_BACK}, {L"Delete", VK_DELETE},
    {L"Insert", VK_INSERT}, {L"Home", VK_HOME},    {L"End", VK_END},        {L"PageUp", VK_PRIOR},
    {L"PageDown", VK_NEXT}, {L"Up", VK_UP},        {L"Down", VK_DOWN},      {L"Left", VK_LEFT},
    {L"Right", VK_RIGHT},   {L"Shift", VK_SHIFT},  {L"Ctrl", VK_CONTROL},   {L"Control", VK_CONTROL},
    {L"Alt", VK_MENU},      {L"Apps", VK_APPS},
};

constexpr Named kModifiers[] = {{L"shift", VK_SHIFT}, {L"ctrl", VK_CONTROL}, {L"alt", VK_MENU}};

bool SameName(std::wstring_view a, const wchar_t* b) {
    return a.size() == wcslen(b) && _wcsnicmp(a.data(), b, a.size()) == 0;
}

bool FunctionKey(std::wstring_view text, WORD& key) {
    if (text.size() < 2 || text.size() > 3 || (text[0] != L'F' && text[0] != L'f'))
        return false;
    int n = 0;
    for (wchar_t c : text.substr(1)) {
        if (!iswdigit(c))
            return false;
        n = n * 10 + (c - L'0');
    }
    if (n < 1 || n > 24)
        return false;
    key = static_cast<WORD>(VK_F1 + n - 1);
    return true;
}

bool KeyOfName(std::wstring_view text, WORD& key) {
    if (text.size() == 1 && iswalnum(text[0]) && text[0] < 0x80) {
        key = static_cast<WORD>(towupper(text[0]));
        return true;
    }
    if (FunctionKey(text, key))
        return true;
    for (const Named& n : kNamed)
        if (SameName(text, n.name)) {
            key = n.key;
            return true;
        }
    return false;
}

} // namespace

bool ParseChord(std::wstring_view text, KeyChord& out) {
    KeyChord chord;
    size_t plus;
    while ((plus = text.find(L'+')) != std::wstring_view::npos && plus + 1 < text.size()) {
        const std::wstring_view modifier = text.substr(0, plus);
        auto found = std::find_if(std::begin(kModifiers), std::end(kModifiers),
                                  [&](const Named& n) { return SameName(modifier, n.name); });
        if (found == std::end(kModifiers))
            return false;
        chord.modifiers.push_back(found->key);
        text.remove_prefix(plus + 1);
    }
    if (!KeyOfName(text, chord.key))
        return false;
    out = chord;
    return true;
}

bool IsExtendedKey(WORD key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_APPS:
        return true;
    default:
        return false;
    }
}

} // namespace zarnhost
