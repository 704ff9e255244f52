#pragma once
// `UserControl`: the control's own window, on which it paints its face and
// which carries `Text1`. It waits in the thread's park window until a
// container gives it a parent.
#include "platform/win/Handles.h"
#include "platform/win/ParkWindow.h"
#include "platform/win/TextBox.h"

#include <memory>

namespace zarn {

// What the surface and its text box tell the control. The surface's own
// key and focus events come only while the text box cannot take the focus.
class SurfaceListener : public TextBoxListener {
public:
    virtual void Paint(HDC dc) = 0;
    // The size was set: by a size message or a new place.
    virtual void Resized() = 0;
    virtual void MouseMove(MouseEvent& event) = 0;
    virtual void MouseDown(MouseEvent& event) = 0;
    virtual void MouseUp(MouseEvent& event) = 0;
    virtual void KeyDown(short& keyCode, short& shift) = 0;
    virtual void KeyPress(short& keyAscii) = 0;
    virtual void KeyUp(short& keyCode, short& shift) = 0;
    virtual void GotFocus() = 0;
    virtual void LostFocus() = 0;
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

    // The mouse capture: taken by the surface, or let go if it holds it.
    void Capture();
    void ReleaseCapture();

    // The surface's font: the symbol font whose "6" is the down arrow.
    HFONT GlyphFont() const;

    // A container's window becomes the parent; Park() takes it back.
    void PlaceIn(HWND parent, const RECT& position);
    // A new place in the parent. The listener hears Resized() each time
    // the place is set, even at the same size, when no size message comes.
    void Move(const RECT& position);
    void Park();

    // Runs task on the thread that made the surface (see ParkLease).
    void OnOwnerThread(std::function<void()> task) const { park_.OnOwnerThread(std::move(task)); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void OnMouse(UINT message, WPARAM wparam, LPARAM lparam);
    void OnKey(UINT message, WPARAM wparam);
    void TakeFocusAt(const MouseEvent& event);
    LRESULT ColourText(HDC dc);

    SurfaceListener& listener_;
    ParkLease park_;
    UniqueHwnd window_;
    Microsoft::WRL::ComPtr<IFont> font_;
    std::unique_ptr<TextBox> text1_;
};

} // namespace zarn
