#include "log/Log.h"

#include "text/Utf8.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace zarnhost {

// Binary mode: lines end in "\n" on every platform, so logs compare as
// they are.
Log::Log(bool console) : console_(console) {
    if (console_)
        _setmode(_fileno(stdout), _O_BINARY);
}

void Log::Line(const std::wstring& text) {
    if (console_) {
        const std::string bytes = Utf8(text) + "\n";
        fwrite(bytes.data(), 1, bytes.size(), stdout);
        fflush(stdout);
    }
    if (mirror_)
        mirror_(text);
}

} // namespace zarnhost
