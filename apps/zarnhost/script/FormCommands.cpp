// Commands about the form as a whole: its mode, its file, pictures of it,
// and notes in the log.
#include "script/ScriptRunner.h"

#include "com/HResultText.h"
#include "form/Files.h"
#include "script/Snapshot.h"
#include "text/Utf8.h"

namespace zarnhost {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::wstring SizeText(SIZE size) {
    return std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy);
}

} // namespace

// As a program ending itself: whatever modal loop runs (a drop-down) ends
// first, then the host's own, and the commands after this one never run.
UINT ScriptRunner::Quit(const Command&) {
    PostQuitMessage(0);
    return 0;
}

UINT ScriptRunner::Echo(const Command& c) {
    std::wstring text;
    for (const Token& t : c.args)
        text += (text.empty() ? L"" : L" ") + t.text;
    log_.Line(text);
    return 0;
}

UINT ScriptRunner::Mode(const Command& c) {
    form_.SetUserMode(c.args[0].text == L"run");
    return 0;
}

UINT ScriptRunner::Wait(const Command& c) {
    return static_cast<UINT>(NumberOf(c.args[0]));
}

UINT ScriptRunner::Save(const Command& c) {
    form_.Save(c.args.empty() ? L"" : c.args[0].text);
    return 0;
}

UINT ScriptRunner::Reload(const Command&) {
    form_.Reload();
    return 0;
}

UINT ScriptRunner::Snapshot(const Command& c) {
    const bool wholeForm = c.args[0].text == L"form";
    const std::wstring& path = c.args[1].text;
    const HWND window = wholeForm ? form_.Window() : TopPopup(form_.Window());
    if (!window) {
        log_.Line(L"snapshot " + path + L": no window besides the form");
        return 0;
    }
    SIZE size{};
    HRESULT hr = S_OK;
    try {
        EnsureParentFolder(path);
        hr = SaveWindowPng(window, wholeForm, path, size);
    } catch (const FileError& e) {
        log_.Line(L"snapshot " + path + L": " + e.message);
        return 0;
    }
    log_.Line(L"snapshot " + path + L": " + (SUCCEEDED(hr) ? SizeText(size) : L"failed, " + HResultText(hr)));
    return 0;
}

UINT ScriptRunner::Print(const Command& c) {
    try {
        for (const std::string& line : Lines(ReadWholeFile(c.args[0].text)))
            log_.Line(line.empty() ? L"|" : L"| " + FromUtf8(line));
    } catch (const FileError& e) {
        log_.Line(L"print: " + e.message);
    }
    return 0;
}

// Byte for byte; a difference is shown by its first line.
UINT ScriptRunner::Compare(const Command& c) {
    const std::wstring& a = c.args[0].text;
    const std::wstring& b = c.args[1].text;
    try {
        const std::string first = ReadWholeFile(a), second = ReadWholeFile(b);
        if (first == second) {
            log_.Line(L"identical: " + a + L" and " + b);
            return 0;
        }
        const auto x = Lines(first), y = Lines(second);
        size_t i = 0;
        while (i < x.size() && i < y.size() && x[i] == y[i])
            ++i;
        log_.Line(L"different: " + a + L" and " + b + L" from line " + std::to_wstring(i + 1));
        log_.Line(L"  " + a + L": " + (i < x.size() ? FromUtf8(x[i]) : L"(end)"));
        log_.Line(L"  " + b + L": " + (i < y.size() ? FromUtf8(y[i]) : L"(end)"));
    } catch (const FileError& e) {
        log_.Line(L"compare: " + e.message);
    }
    return 0;
}

} // namespace zarnhost
