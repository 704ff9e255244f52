#pragma once
// `UserControl`: the control's own window, on which it paints its face and
// which carries `Text1`. It waits in the thread's park window until a
// container gives it a parent.
#include "host/win/Handles.h"
#include "host/win/ParkWindow.h"
#include "host/win/TextBox.h"

#include <memory>

namespace zarn {

class Surface {
public:
    Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HWND Handle() const { return window_.get(); }
    TextBox& Text1() { return *text1_; }
    const TextBox& Text1() const { return *text1_; }

    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Asks for a repaint of the whole surface.
    void Invalidate();

private:
    ParkLease park_;
    UniqueHwnd window_;
    std::unique_ptr<TextBox> text1_;
};

} // namespace zarn
