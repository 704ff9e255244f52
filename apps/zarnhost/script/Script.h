#pragma once
// Scripts drive the host as a user would, one command per line; see the
// README for the language. Parsing checks every line before anything runs.
#include "site/EventRules.h"
#include "text/Tokens.h"

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

struct ScriptError {
    std::wstring message; // "line 3: ..."
};

std::vector<Command> ParseScript(std::string_view utf8); // throws ScriptError

// "Zarn1.PValue" into control and member.
bool SplitTarget(const Token& token, std::wstring& control, std::wstring& member);

// The Name=literal pairs of an answer, from args[first] on.
bool ParseAssignments(const std::vector<Token>& args, size_t first, std::vector<Assignment>& out,
                      std::wstring& error);

bool ParseWholeNumber(const Token& token, int low, int high, int& out);

} // namespace zarnhost
