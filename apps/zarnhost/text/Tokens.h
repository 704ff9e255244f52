#pragma once
// The one lexical rule of form files and scripts: words separated by
// blanks, and text in double quotes with backslash escapes (\" \\ \n \r \t
// and \uXXXX), so any string survives on one line.
#include <string>
#include <string_view>
#include <vector>

namespace zarnhost {

struct Token {
    std::wstring text; // unescaped when quoted
    bool quoted = false;
};

// False, with the reason in error, for an unterminated string or a bad
// escape.
bool Tokenize(std::wstring_view line, std::vector<Token>& out, std::wstring& error);

// The quoted form of a text, the inverse of reading one quoted token.
std::wstring Quote(std::wstring_view text);

} // namespace zarnhost
