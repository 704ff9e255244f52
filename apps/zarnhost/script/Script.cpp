#include "script/Script.h"

#include "script/Keys.h"
#include "text/Utf8.h"
#include "text/ValueText.h"

#include <algorithm>
#include <cwchar>
#include <functional>
#include <iterator>

namespace zarnhost {

namespace {

using Check = std::function<bool(const std::vector<Token>&, std::wstring&)>;

struct Verb {
    const wchar_t* name;
    size_t minArgs;
    size_t maxArgs; // SIZE_MAX: any number
    const wchar_t* usage;
    Check check;
};

bool Target(const Token& t, std::wstring& error) {
    std::wstring control, member;
    if (SplitTarget(t, control, member))
        return true;
    error = L"expected <control>.<member>, found " + t.text;
    return false;
}

bool Literals(const std::vector<Token>& args, size_t first, std::wstring& error) {
    for (size_t i = first; i < args.size(); ++i) {
        Variant v;
        if (!ParseUntypedLiteral(args[i], v)) {
            error = L"not a literal: " + args[i].text;
            return false;
        }
    }
    return true;
}

bool Number(const Token& t, int low, int high, std::wstring& error) {
    int n = 0;
    if (ParseWholeNumber(t, low, high, n))
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

bool Chord(const Token& t, std::wstring& error) {
    KeyChord chord;
    if (!t.quoted && ParseChord(t.text, chord))
        return true;
    error = L"unknown key " + t.text;
    return false;
}

bool Point(const std::vector<Token>& a, std::wstring& error) {
    return Number(a[1], -10000, 10000, error) && Number(a[2], -10000, 10000, error) &&
           (a.size() < 4 || OneOf(a[3], {L"left", L"right", L"middle"}, error));
}

bool Any(const std::vector<Token>&, std::wstring&) {
    return true;
}

const Verb kVerbs[] = {
    {L"echo", 0, SIZE_MAX, L"echo <text>...", Any},
    {L"mode", 1, 1, L"mode design|run",
     [](auto& a, auto& e) {
         return OneOf(a[0], {L"design", L"run"}, e);
     }},
    {L"set", 2, 2, L"set <control>.<property> <literal>",
     [](auto& a, auto& e) { return Target(a[0], e) && Literals(a, 1, e); }},
    {L"get", 1, 1, L"get <control>.<property>", [](auto& a, auto& e) { return Target(a[0], e); }},
    {L"call", 1, SIZE_MAX, L"call <control>.<method> [<literal>...]",
     [](auto& a, auto& e) { return Target(a[0], e) && Literals(a, 1, e); }},
    {L"focus", 1, 1, L"focus <control>", Any},
    {L"focused", 0, 0, L"focused", Any},
    {L"shows", 1, 1, L"shows <control>", Any},
    {L"mouse", 3, 3, L"mouse <control>|form <x> <y>", Point},
    {L"click", 3, 4, L"click <control>|form <x> <y> [left|right|middle]", Point},
    {L"press", 0, 1, L"press [left|right|middle]",
     [](auto& a, auto& e) {
         return a.empty() || OneOf(a[0], {L"left", L"right", L"middle"}, e);
     }},
    {L"release", 0, 1, L"release [left|right|middle]",
     [](auto& a, auto& e) {
         return a.empty() || OneOf(a[0], {L"left", L"right", L"middle"}, e);
     }},
    {L"key", 1, 1, L"key <key>, e.g. key F4, key alt+Down", [](auto& a, auto& e) { return Chord(a[0], e); }},
    {L"keydown", 1, 1, L"keydown <key>", [](auto& a, auto& e) { return Chord(a[0], e); }},
    {L"keyup", 1, 1, L"keyup <key>", [](auto& a, auto& e) { return Chord(a[0], e); }},
    {L"type", 1, 1, L"type \"<text>\"",
     [](auto& a, auto& e) {
         if (a[0].quoted)
             return true;
         e = L"the text to type must be quoted";
         return false;
     }},
    {L"wait", 1, 1, L"wait <milliseconds>", [](auto& a, auto& e) { return Number(a[0], 0, 600000, e); }},
    {L"answer", 1, SIZE_MAX, L"answer <event> [<parameter>=<literal>...]",
     [](auto& a, auto& e) {
         std::vector<Assignment> assignments;
         return ParseAssignments(a, 1, assignments, e);
     }},
    {L"mute", 1, 1, L"mute <event>", Any},
    {L"unmute", 1, 1, L"unmute <event>", Any},
    {L"bounds", 1, 1, L"bounds <control>", Any},
    {L"resize", 3, 3, L"resize <control> <width> <height>",
     [](auto& a, auto& e) { return Number(a[1], 1, 32767, e) && Number(a[2], 1, 32767, e); }},
    {L"save", 0, 1, L"save [<file>]", Any},
    {L"reload", 0, 0, L"reload", Any},
    {L"snapshot", 2, 2, L"snapshot form|popup <file.png>",
     [](auto& a, auto& e) {
         return OneOf(a[0], {L"form", L"popup"}, e);
     }},
    {L"print", 1, 1, L"print <file>", Any},
    {L"compare", 2, 2, L"compare <file> <file>", Any},
};

std::wstring Trimmed(std::wstring_view line) {
    const size_t first = line.find_first_not_of(L" \t\r");
    if (first == std::wstring_view::npos)
        return L"";
    const size_t last = line.find_last_not_of(L" \t\r");
    return std::wstring(line.substr(first, last - first + 1));
}

Command ParseLine(int number, const std::wstring& text) {
    auto fail = [&](const std::wstring& message) {
        throw ScriptError{L"line " + std::to_wstring(number) + L": " + message};
    };
    Command command;
    command.line = number;
    command.text = text;
    std::wstring error;
    if (!Tokenize(text, command.args, error))
        fail(error);
    command.verb = command.args.front().text;
    command.args.erase(command.args.begin());
    const auto verb = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                   [&](const Verb& v) { return command.verb == v.name; });
    if (verb == std::end(kVerbs))
        fail(L"unknown command " + command.verb);
    if (command.args.size() < verb->minArgs || command.args.size() > verb->maxArgs)
        fail(std::wstring(L"usage: ") + verb->usage);
    if (!verb->check(command.args, error))
        fail(error + L" (usage: " + verb->usage + L")");
    return command;
}

} // namespace

bool SplitTarget(const Token& token, std::wstring& control, std::wstring& member) {
    const size_t dot = token.text.find(L'.');
    if (token.quoted || dot == 0 || dot == std::wstring::npos || dot + 1 == token.text.size())
        return false;
    control = token.text.substr(0, dot);
    member = token.text.substr(dot + 1);
    return true;
}

bool ParseWholeNumber(const Token& token, int low, int high, int& out) {
    wchar_t* end = nullptr;
    const long n = token.quoted ? 0 : wcstol(token.text.c_str(), &end, 10);
    if (token.quoted || token.text.empty() || *end || n < low || n > high)
        return false;
    out = static_cast<int>(n);
    return true;
}

// A word Name=literal, or the word Name= followed by a quoted text.
bool ParseAssignments(const std::vector<Token>& args, size_t first, std::vector<Assignment>& out,
                      std::wstring& error) {
    for (size_t i = first; i < args.size(); ++i) {
        const Token& t = args[i];
        const size_t eq = t.quoted ? std::wstring::npos : t.text.find(L'=');
        if (eq == std::wstring::npos || eq == 0) {
            error = L"expected <parameter>=<literal>, found " + t.text;
            return false;
        }
        Token value{t.text.substr(eq + 1), false};
        if (value.text.empty() && i + 1 < args.size() && args[i + 1].quoted)
            value = args[++i];
        Variant v;
        if (!ParseUntypedLiteral(value, v)) {
            error = L"not a literal: " + value.text;
            return false;
        }
        out.push_back({t.text.substr(0, eq), std::move(v)});
    }
    return true;
}

std::vector<Command> ParseScript(std::string_view utf8) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
        utf8.remove_prefix(3);
    const std::wstring text = FromUtf8(utf8);
    std::vector<Command> commands;
    size_t start = 0;
    for (int number = 1; start <= text.size(); ++number) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = Trimmed(std::wstring_view(text).substr(start, end - start));
        if (!line.empty() && line[0] != L'#')
            commands.push_back(ParseLine(number, line));
        start = end + 1;
    }
    return commands;
}

} // namespace zarnhost
