// The control's surface: the face in its three states, the layout of the
// text box, the pointer's hover and the drop-down button's press and
// release, and the surface's own keys and focus.
#include "control/Zarn.h"

#include "platform/Report.h"
#include "platform/win/Gdi.h"

#include <cmath>
#include <optional>

namespace face = zarn::face;

face::Look Zarn::FaceLook() const {
    face::Look look;
    look.enabled = enabled_;
    look.dropCalendar = selectControl_ == 0;
    look.hasFocus = hasFocus_;
    look.showIcon = showIcon_;
    look.icon = icon_.Get();
    look.iconSize = SIZE{iconSizeWidth_, iconSizeHeight_};
    look.bgColor = bgColor_;
    look.buttonBgColor = buttonBgColor_;
    look.borderColor = borderColor_;
    look.focusColor = focusColor_;
    look.glyphFont = surface_.GlyphFont();
    look.iconCache = &iconCache_;
    return look;
}

Zarn::DrawChain::~DrawChain() {
    if (--control_.drawChains_ == 0 && control_.chainDC_) {
        ReleaseDC(control_.surface_.Handle(), control_.chainDC_);
        control_.chainDC_ = nullptr;
    }
}

// The surface's DC of the chain of draws under way (one at least).
HDC Zarn::ChainDC() {
    if (!chainDC_)
        chainDC_ = GetDC(surface_.Handle());
    return chainDC_;
}

// Drawn straight on the surface's device context: the face is a handful
// of fills and frames, cheaper than any off-screen copy, and both Wine's
// window surfaces and the desktop compositor show it only once complete.
// Only the icon comes from a bitmap, drawn once (see face::IconCache).
void Zarn::DrawControl(long statusType) {
    faceState_ = statusType;
    ++draws_;
    const DrawChain chain(*this);
    if (const HDC dc = ChainDC())
        face::Draw(dc, surface_.ClientSize(), statusType, FaceLook(), buttonRect_);
}

void Zarn::RefreshControl() {
    DrawControl(pointerInside_ ? face::Pressed : face::Normal);
}

// A repaint the platform asks for shows the state last drawn.
void Zarn::Paint(HDC dc) {
    RECT button = buttonRect_;
    face::Draw(dc, surface_.ClientSize(), faceState_, FaceLook(), button);
}

void Zarn::Redraw() {
    RefreshControl();
    host_.ViewChanged();
}

// The text box sits 2 pixels in from the left, centred vertically, and
// stops 2 pixels before the button square. Each step may fail on its own.
void Zarn::LayOut() {
    const SIZE size = surface_.ClientSize();
    zarn::SkipOnError([&] {
        RECT box{};
        GetWindowRect(Text1().Handle(), &box);
        const LONG height = box.bottom - box.top;
        const LONG width = size.cx - size.cy - 4;
        if (width < 0)
            zarn::Raise(zarn::ErrInvalidProperty);
        const LONG top = std::lround(size.cy / 2.0 - height / 2.0);
        MoveWindow(Text1().Handle(), 2, top, width, height, TRUE);
    });
    zarn::SkipOnError([&] { Redraw(); });
}

void Zarn::Resized() {
    LayOut();
}

// ---------------------------------------------------------------------------
// Hover: every move inside the control takes the mouse capture, so the first
// move outside still reaches the surface and ends the hover.

void Zarn::UserControl_MouseOut(short& button, short& shift, float& x, float& y) {
    zarn::Trapped([&] { HoverCheck(button, shift, x, y); },
                  [&](const zarn::RuntimeError& e) { zarn::RaiseToHost(L"  MouseOut ", e, UserMode()); });
}

// Inside the button the check draws the hot face twice; the second draw,
// the same as the first unless a handler drew in between, is skipped.
void Zarn::HoverCheck(short& button, short& shift, float& x, float& y) {
    pointerInside_ = false;
    if (selectControl_ != 0)
        return;
    std::optional<unsigned long> hotDrawn;
    if (face::Inside(buttonRect_, x, y)) {
        surface_.Capture();
        if (!events_.Raise<"MouseOver">())
            return;
        DrawControl(face::Hot);
        hotDrawn = draws_;
    }
    const SIZE size = surface_.ClientSize();
    if (0 <= x && x <= size.cx && 0 <= y && y <= size.cy) {
        pointerInside_ = true;
        surface_.Capture();
        if (events_.Raise<"MouseOver">() && draws_ != hotDrawn)
            DrawControl(face::Hot);
    } else {
        surface_.ReleaseCapture();
        if (events_.Raise<"MouseOut">(button, shift, x, y))
            DrawControl(face::Normal);
    }
}

void Zarn::MouseMove(zarn::MouseEvent& e) {
    if (!enabled_ || !events_.Raise<"MouseMove">(e.button, e.shift, e.x, e.y))
        return;
    if (!buttonPressed_)
        UserControl_MouseOut(e.button, e.shift, e.x, e.y);
}

void Zarn::MouseDown(zarn::MouseEvent& e) {
    if (!events_.Raise<"MouseDown">(e.button, e.shift, e.x, e.y) || selectControl_ != 0)
        return;
    buttonPressed_ = face::Inside(buttonRect_, e.x, e.y);
    if (buttonPressed_)
        DrawControl(face::Pressed);
}

// A release inside the button opens the drop-down, wherever the press was.
void Zarn::MouseUp(zarn::MouseEvent& e) {
    if (!enabled_)
        return;
    zarn::SkipOnError([&] {
        buttonPressed_ = false;
        DrawControl(face::Normal);
        // DropListEnabled False refuses the user's requests, not a host's call.
        if (selectControl_ == 0 && face::Inside(buttonRect_, e.x, e.y) && dropListEnabled_ &&
            events_.Raise<"Click">()) {
            short one = 1;
            PiloCalendarshow(one);
        }
    });
}

// ---------------------------------------------------------------------------
// The surface's keys and focus, while the text box cannot take the focus.

void Zarn::KeyDown(short& keyCode, short& shift) {
    if (enabled_ && events_.Raise<"KeyDown">(keyCode, shift))
        DrawControl(face::Hot);
}

void Zarn::KeyPress(short& keyAscii) {
    if (enabled_)
        events_.Raise<"KeyPress">(keyAscii);
}

void Zarn::KeyUp(short& keyCode, short& shift) {
    if (enabled_ && events_.Raise<"KeyUp">(keyCode, shift))
        DrawControl(face::Normal);
}

// The container hears of the surface's focus as of the text box's.
void Zarn::GotFocus() {
    host_.FocusChanged(true);
}

void Zarn::LostFocus() {
    hasFocus_ = false;
    RefreshControl();
    host_.FocusChanged(false);
}

// ---------------------------------------------------------------------------

// A container drawing the control (design view, printing) gets the face at
// rest with the text box's text.
void Zarn::DrawForContainer(HDC dc, const RECT& bounds) {
    const SIZE size{bounds.right - bounds.left, bounds.bottom - bounds.top};
    POINT origin{};
    SetViewportOrgEx(dc, bounds.left, bounds.top, &origin);
    RECT button{};
    face::Look look = FaceLook();
    look.iconCache = nullptr; // any device, any format: rendered for it
    face::Draw(dc, size, face::Normal, look, button);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    HFONT font = nullptr;
    if (FAILED(Text1().Font()->get_hFont(&font)))
        return;
    const zarn::gdi::Selection selected = zarn::gdi::Select(dc, font);
    const int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF fore = 0;
    OleTranslateColor(Text1().ForeColor(), nullptr, &fore);
    const COLORREF oldColour = SetTextColor(dc, fore);
    RECT text{bounds.left + 3, bounds.top, bounds.right - (selectControl_ == 0 ? size.cy : 0) - 2,
              bounds.bottom};
    const std::wstring shown = Text1().Text();
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, mode);
}
