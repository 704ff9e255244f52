// The script's verbs, one row each: the reader checks a script against this
// table, its usage texts are the ones a mistake is reported with, and the
// runner runs each command through its row's handler.
#include "script/ScriptRunner.h"

#include "script/Keys.h"
#include "text/ValueText.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace zarnhost {

namespace {

using Args = std::vector<Token>;

bool Target(const Token& t, std::wstring& error) {
    std::wstring control, member;
    if (SplitTarget(t, control, member))
        return true;
    error = L"expected <control>.<member>, found " + t.text;
    return false;
}

bool Number(const Token& t, int low, int high, std::wstring& error) {
    wchar_t* end = nullptr;
    const long n = t.quoted ? 0 : wcstol(t.text.c_str(), &end, 10);
    if (!t.quoted && !t.text.empty() && !*end && n >= low && n <= high)
        return true;
    error = L"expected a whole number from " + std::to_wstring(low) + L" to " + std::to_wstring(high) +
            L", found " + t.text;
    return false;
}

bool OneOf(const Token& t, std::initializer_list<const wchar_t*> words, std::wstring& error) {
    for (const wchar_t* w : words)
        if (!t.quoted && t.text == w)
            return true;
    error = L"unexpected " + t.text;
    return false;
}

bool Button(const Token& t, std::wstring& error) {
    return OneOf(t, {L"left", L"right", L"middle"}, error);
}

// The checks of the table's rows, each given the command's arguments once
// their count is right.

bool TargetAndLiterals(const Args& a, std::wstring& error) {
    if (!Target(a[0], error))
        return false;
    for (size_t i = 1; i < a.size(); ++i) {
        Variant v;
        if (!ParseUntypedLiteral(a[i], v)) {
            error = L"not a literal: " + a[i].text;
            return false;
        }
    }
    return true;
}

bool DesignOrRun(const Args& a, std::wstring& error) {
    return OneOf(a[0], {L"design", L"run"}, error);
}

bool Point(const Args& a, std::wstring& error) {
    return Number(a[1], -10000, 10000, error) && Number(a[2], -10000, 10000, error) &&
           (a.size() < 4 || Button(a[3], error));
}

bool OptionalButton(const Args& a, std::wstring& error) {
    return a.empty() || Button(a[0], error);
}

bool Chord(const Args& a, std::wstring& error) {
    KeyChord chord;
    if (!a[0].quoted && ParseChord(a[0].text, chord))
        return true;
    error = L"unknown key " + a[0].text;
    return false;
}

bool QuotedText(const Args& a, std::wstring& error) {
    if (a[0].quoted)
        return true;
    error = L"the text to type must be quoted";
    return false;
}

bool Milliseconds(const Args& a, std::wstring& error) {
    return Number(a[0], 0, 600000, error);
}

bool Assignments(const Args& a, std::wstring& error) {
    std::vector<Assignment> assignments;
    return ParseAssignments(a, 1, assignments, error);
}

bool Repeats(const Args& a, std::wstring& error) {
    return a.size() < 2 || OneOf(a[1], {L"repeats"}, error);
}

bool ArgumentCallOf(const Args& a, std::wstring& error) {
    if (a.size() < 2)
        return true;
    ArgumentCall call;
    return ParseArgumentCall(a, 1, call, error);
}

bool WidthAndHeight(const Args& a, std::wstring& error) {
    return Number(a[1], 1, 32767, error) && Number(a[2], 1, 32767, error);
}

bool FormAndPoint(const Args& a, std::wstring& error) {
    return OneOf(a[0], {L"form"}, error) && Point(a, error);
}

bool FormOrPopup(const Args& a, std::wstring& error) {
    return OneOf(a[0], {L"form", L"popup"}, error);
}

} // namespace

const Verb ScriptRunner::kVerbs[] = {
    {L"echo", 0, SIZE_MAX, L"echo <text>...", nullptr, &ScriptRunner::Echo},
    {L"mode", 1, 1, L"mode design|run", DesignOrRun, &ScriptRunner::Mode},
    {L"set", 2, 2, L"set <control>.<property> <literal>", TargetAndLiterals, &ScriptRunner::Set},
    {L"get", 1, 1, L"get <control>.<property>", TargetAndLiterals, &ScriptRunner::Get},
    {L"call", 1, SIZE_MAX, L"call <control>.<method> [<literal>...]", TargetAndLiterals, &ScriptRunner::Call},
    {L"focus", 1, 1, L"focus <control>", nullptr, &ScriptRunner::FocusControl},
    {L"focused", 0, 0, L"focused", nullptr, &ScriptRunner::Focused},
    {L"shows", 1, 1, L"shows <control>", nullptr, &ScriptRunner::Shows},
    {L"mouse", 3, 3, L"mouse <control>|form <x> <y>", Point, &ScriptRunner::Mouse},
    {L"click", 3, 4, L"click <control>|form <x> <y> [left|right|middle]", Point, &ScriptRunner::Click},
    {L"press", 0, 1, L"press [left|right|middle]", OptionalButton, &ScriptRunner::Press},
    {L"release", 0, 1, L"release [left|right|middle]", OptionalButton, &ScriptRunner::Release},
    {L"key", 1, 1, L"key <key>, e.g. key F4, key alt+Down", Chord, &ScriptRunner::Key},
    {L"keydown", 1, 1, L"keydown <key>", Chord, &ScriptRunner::KeyDown},
    {L"keyup", 1, 1, L"keyup <key>", Chord, &ScriptRunner::KeyUp},
    {L"type", 1, 1, L"type \"<text>\"", QuotedText, &ScriptRunner::Type},
    {L"wait", 1, 1, L"wait <milliseconds>", Milliseconds, &ScriptRunner::Wait},
    {L"answer", 1, SIZE_MAX, L"answer <event> [<parameter>=<literal>...]", Assignments,
     &ScriptRunner::Answer},
    {L"mute", 1, 2, L"mute <event> [repeats]", Repeats, &ScriptRunner::Mute},
    {L"unmute", 1, 1, L"unmute <event>", nullptr, &ScriptRunner::Unmute},
    {L"within", 1, SIZE_MAX, L"within <event> [<parameter>.<member>... [<literal>...]]", ArgumentCallOf,
     &ScriptRunner::Within},
    {L"bounds", 1, 1, L"bounds <control>|popup", nullptr, &ScriptRunner::Bounds},
    {L"move", 3, 3, L"move form <x> <y>", FormAndPoint, &ScriptRunner::MoveForm},
    {L"quit", 0, 0, L"quit", nullptr, &ScriptRunner::Quit},
    {L"resize", 3, 3, L"resize <control> <width> <height>", WidthAndHeight, &ScriptRunner::Resize},
    {L"save", 0, 1, L"save [<file>]", nullptr, &ScriptRunner::Save},
    {L"reload", 0, 0, L"reload", nullptr, &ScriptRunner::Reload},
    {L"snapshot", 2, 2, L"snapshot form|popup <file.png>", FormOrPopup, &ScriptRunner::Snapshot},
    {L"print", 1, 1, L"print <file>", nullptr, &ScriptRunner::Print},
    {L"compare", 2, 2, L"compare <file> <file>", nullptr, &ScriptRunner::Compare},
};

const Verb* FindVerb(std::wstring_view name) {
    const auto verb = std::find_if(std::begin(ScriptRunner::kVerbs), std::end(ScriptRunner::kVerbs),
                                   [&](const Verb& v) { return name == v.name; });
    return verb == std::end(ScriptRunner::kVerbs) ? nullptr : verb;
}

} // namespace zarnhost
