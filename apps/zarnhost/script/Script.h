#pragma once
// Scripts drive the host as a user would, one command per line; see the
// README for the language. Parsing checks every line before anything runs.
#include "site/EventRules.h"
#include "text/Tokens.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zarnhost {

struct Command {
    int line = 0;
    std::wstring text; // as written, for the log
    std::wstring verb;
    std::vector<Token> args;
};

class ScriptRunner;

// All there is to know about one verb: how many arguments it takes, its
// usage text, what is checked before the script runs (beyond the count;
// null when nothing is), and the runner's handler, which returns how long
// to wait before the next command, in ms. One table holds every verb.
struct Verb {
    const wchar_t* name;
    size_t minArgs;
    size_t maxArgs; // SIZE_MAX: any number
    const wchar_t* usage;
    bool (*check)(const std::vector<Token>& args, std::wstring& error);
    UINT (ScriptRunner::*run)(const Command& command);
};

const Verb* FindVerb(std::wstring_view name); // null for a word that is no verb

struct ScriptError {
    std::wstring message; // "line 3: ..."
};

std::vector<Command> ParseScript(std::string_view utf8); // throws ScriptError

// "Zarn1.PValue" into control and member.
bool SplitTarget(const Token& token, std::wstring& control, std::wstring& member);

// The Name=literal pairs of an answer, from args[first] on.
bool ParseAssignments(const std::vector<Token>& args, size_t first, std::vector<Assignment>& out,
                      std::wstring& error);

// A call on an event's object argument, Data.Files.Count or
// Data.GetData 1: args[first] names it, the literals after are its
// arguments.
bool ParseArgumentCall(const std::vector<Token>& args, size_t first, ArgumentCall& out, std::wstring& error);

// The value of a whole number the script's check has accepted.
int NumberOf(const Token& token);

} // namespace zarnhost
