#include "app/Options.h"

namespace zarnhost {

const wchar_t kUsage[] = L"usage: zarnhost [--script <file.zs>] [<file.form>]\n"
                         L"  without --script the form opens for a user, with a log window;\n"
                         L"  with it, the script drives the form and the log goes to standard output.\n";

bool ParseOptions(int argc, wchar_t** argv, Options& out, std::wstring& error) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--script" && i + 1 < argc) {
            out.script = argv[++i];
        } else if (!arg.empty() && arg[0] == L'-') {
            error = L"unknown option " + arg;
            return false;
        } else if (out.form.empty()) {
            out.form = arg;
        } else {
            error = L"more than one form file: " + arg;
            return false;
        }
    }
    return true;
}

} // namespace zarnhost
