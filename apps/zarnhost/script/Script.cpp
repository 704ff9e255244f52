#include "script/Script.h"

#include "text/Utf8.h"
#include "text/ValueText.h"

#include <algorithm>
#include <cwchar>

namespace zarnhost {

namespace {

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
    const Verb* verb = FindVerb(command.verb);
    if (!verb)
        fail(L"unknown command " + command.verb);
    if (command.args.size() < verb->minArgs || command.args.size() > verb->maxArgs)
        fail(std::wstring(L"usage: ") + verb->usage);
    if (verb->check && !verb->check(command.args, error))
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

int NumberOf(const Token& token) {
    return static_cast<int>(wcstol(token.text.c_str(), nullptr, 10));
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

bool ParseArgumentCall(const std::vector<Token>& args, size_t first, ArgumentCall& out, std::wstring& error) {
    const Token& path = args[first];
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t dot = path.text.find(L'.'); dot != std::wstring::npos; dot = path.text.find(L'.', start)) {
        parts.push_back(path.text.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(path.text.substr(start));
    if (path.quoted || parts.size() < 2 || std::find(parts.begin(), parts.end(), L"") != parts.end()) {
        error = L"expected <parameter>.<member>, found " + path.text;
        return false;
    }
    out = ArgumentCall{path.text, parts.front(), {parts.begin() + 1, parts.end()}, {}};
    for (size_t i = first + 1; i < args.size(); ++i) {
        Variant v;
        if (!ParseUntypedLiteral(args[i], v)) {
            error = L"not a literal: " + args[i].text;
            return false;
        }
        out.text += L" " + Literal(v.Get());
        out.args.push_back(std::move(v));
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
