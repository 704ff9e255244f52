#pragma once
// The message loop of a window shown modally on the calling thread. The
// thread's other windows take no mouse or keyboard input meanwhile; their
// timers, paints and posted messages run as usual.
#include <windows.h>

#include <functional>
#include <optional>

namespace zarn {

// Runs until the window is gone or goOn() (asked after each message) is
// false. The window keeps the mouse capture: it is taken back whenever
// something else took it. A WM_QUIT ends the loop; its exit code is
// returned so that the caller posts it again once it is done.
std::optional<int> RunModalLoop(HWND window, const std::function<bool()>& goOn);

// Whether a modal loop drops the message: mouse or keyboard input for a
// window other than the modal one and its children.
bool IsInputForOthers(const MSG& msg, HWND window);

// Posts a WM_QUIT again when it goes, if the loop met one.
class QuitRepost {
public:
    QuitRepost() = default;
    QuitRepost(const QuitRepost&) = delete;
    QuitRepost& operator=(const QuitRepost&) = delete;
    ~QuitRepost() {
        if (code)
            PostQuitMessage(*code);
    }
    std::optional<int> code;
};

} // namespace zarn
