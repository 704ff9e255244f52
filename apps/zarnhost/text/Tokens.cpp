#include "text/Tokens.h"

#include <cwchar>
#include <cwctype>

namespace zarnhost {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Reads the escape after a backslash at line[i]; i ends on its last
// character.
bool ReadEscape(std::wstring_view line, size_t& i, std::wstring& text) {
    if (++i >= line.size())
        return false;
    switch (line[i]) {
    case L'"':
        text += L'"';
        return true;
    case L'\\':
        text += L'\\';
        return true;
    case L'n':
        text += L'\n';
        return true;
    case L'r':
        text += L'\r';
        return true;
    case L't':
        text += L'\t';
        return true;
    case L'u': {
        if (i + 4 >= line.size())
            return false;
        int code = 0;
        for (size_t k = 1; k <= 4; ++k) {
            const int d = HexDigit(line[i + k]);
            if (d < 0)
                return false;
            code = code * 16 + d;
        }
        text += static_cast<wchar_t>(code);
        i += 4;
        return true;
    }
    default:
        return false;
    }
}

bool ReadQuoted(std::wstring_view line, size_t& i, Token& token, std::wstring& error) {
    token.quoted = true;
    for (++i; i < line.size(); ++i) {
        if (line[i] == L'"') {
            ++i;
            return true;
        }
        if (line[i] == L'\\') {
            if (!ReadEscape(line, i, token.text)) {
                error = L"bad escape in a quoted text";
                return false;
            }
        } else {
            token.text += line[i];
        }
    }
    error = L"a quoted text has no closing quote";
    return false;
}

} // namespace

bool Tokenize(std::wstring_view line, std::vector<Token>& out, std::wstring& error) {
    size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i >= line.size())
            return true;
        Token token;
        if (line[i] == L'"') {
            if (!ReadQuoted(line, i, token, error))
                return false;
        } else {
            // A quote ends a word, so Name="some text" reads as Name= and
            // the quoted text.
            while (i < line.size() && !IsBlank(line[i]) && line[i] != L'"')
                token.text += line[i++];
        }
        out.push_back(std::move(token));
    }
}

std::wstring Quote(std::wstring_view text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        switch (c) {
        case L'"':
            out += L"\\\"";
            break;
        case L'\\':
            out += L"\\\\";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\t':
            out += L"\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7f) {
                wchar_t escaped[8];
                swprintf(escaped, 8, L"\\u%04X", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + L"\"";
}

} // namespace zarnhost
