#pragma once
// The command line: zarnhost [--script <file.zs>] [<file.form>]
#include <string>

namespace zarnhost {

struct Options {
    std::wstring script; // empty: interactive
    std::wstring form;   // empty: a new form with two controls
};

// False, with the reason in error, for a command line it cannot take.
bool ParseOptions(int argc, wchar_t** argv, Options& out, std::wstring& error);

extern const wchar_t kUsage[];

} // namespace zarnhost
