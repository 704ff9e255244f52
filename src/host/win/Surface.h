#pragma once
// `UserControl`: the control's own window, on which it paints its face and
// which carries `Text1`. It waits in the thread's park window until a
// container gives it a parent.
#include "host/win/Handles.h"
#include "host/win/ParkWindow.h"
#include "host/win/TextBox.h"

#include <memory>

namespace zarn {

// What the surface and its text box tell the control.
class SurfaceListener {
public:
    virtual ~SurfaceListener() = default;
    virtual void Paint(HDC dc) = 0;
    virtual void Resized() = 0;
    virtual void TextChanged() = 0;
    virtual void TextFocus(bool gained) = 0;
};

class Surface {
public:
    explicit Surface(SurfaceListener& listener);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HWND Handle() const { return window_.get(); }
    TextBox& Text1() { return *text1_; }
    const TextBox& Text1() const { return *text1_; }

    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Inner size in pixels (the scale width and height).
    SIZE ClientSize() const;

    // Asks for a repaint of the whole surface.
    void Invalidate();

    // A container's window becomes the parent; Park() takes it back.
    void PlaceIn(HWND parent, const RECT& position);
    void Park();

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void OnCommand(WORD code);
    LRESULT ColourText(HDC dc);

    SurfaceListener& listener_;
    ParkLease park_;
    UniqueHwnd window_;
    std::unique_ptr<TextBox> text1_;
};

} // namespace zarn
