#pragma once
// The session's log: every event, notification, message box and value the
// host sees, one line each, written to standard output at once (UTF-8) and
// shown in the log window when there is one.
#include <functional>
#include <string>

namespace zarnhost {

class Log {
public:
    // Without the console, lines only go to the mirror (for tests).
    explicit Log(bool console = true);
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    void Line(const std::wstring& text);

    // Also hands every line to the given function (the log window).
    void SetMirror(std::function<void(const std::wstring&)> mirror) { mirror_ = std::move(mirror); }

private:
    bool console_;
    std::function<void(const std::wstring&)> mirror_;
};

} // namespace zarnhost
