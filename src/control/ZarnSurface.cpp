// What the control does when its surface or text box reports something:
// painting, layout, text changes and focus.
#include "control/Zarn.h"

#include "host/runtime/Report.h"

#include <cmath>

namespace {

COLORREF Resolved(OLE_COLOR colour) {
    COLORREF rgb = 0;
    return SUCCEEDED(OleTranslateColor(colour, nullptr, &rgb)) ? rgb : 0;
}

void Fill(HDC dc, const RECT& r, OLE_COLOR colour) {
    const HBRUSH brush = CreateSolidBrush(Resolved(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Frame(HDC dc, const RECT& r, OLE_COLOR colour) {
    const HBRUSH brush = CreateSolidBrush(Resolved(colour));
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

} // namespace

// The resting face: the text area and the drop-down square framed in the
// border colour, with the text box's text when drawn for a container.
void Zarn::DoPaint(HDC dc, const RECT& bounds) {
    const LONG h = bounds.bottom - bounds.top;
    const RECT button{bounds.right - h, bounds.top, bounds.right, bounds.bottom};
    Fill(dc, bounds, bgColor_);
    if (selectControl_ == 0) {
        Fill(dc, button, buttonBgColor_);
        Frame(dc, button, borderColor_);
    }
    Frame(dc, bounds, borderColor_);
}

void Zarn::Paint(HDC dc) {
    RECT client{};
    GetClientRect(surface_.Handle(), &client);
    DoPaint(dc, client);
}

// The text box sits 2 pixels in from the left, centred vertically, and
// stops 2 pixels before the button square. Each step may fail on its own.
void Zarn::LayOut() {
    const SIZE size = surface_.ClientSize();
    zarn::SkipOnError([&] {
        RECT box{};
        GetWindowRect(Text1().Handle(), &box);
        const LONG height = box.bottom - box.top;
        const LONG top = std::lround(size.cy / 2.0 - height / 2.0);
        MoveWindow(Text1().Handle(), 2, top, size.cx - size.cy - 4, height, TRUE);
    });
    zarn::SkipOnError([&] { Redraw(); });
}

void Zarn::Resized() {
    LayOut();
}

void Zarn::TextChanged() {
    host_.ViewChanged();
    events_.Change();
}

void Zarn::TextFocus(bool gained) {
    host_.FocusChanged(gained);
}

void Zarn::DrawForContainer(HDC dc, const RECT& bounds) {
    DoPaint(dc, bounds);
    HFONT font = nullptr;
    if (FAILED(Text1().Font()->get_hFont(&font)))
        return;
    const HGDIOBJ old = SelectObject(dc, font);
    const int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF fore = 0;
    OleTranslateColor(Text1().ForeColor(), nullptr, &fore);
    const COLORREF oldColour = SetTextColor(dc, fore);
    const LONG h = bounds.bottom - bounds.top;
    RECT text{bounds.left + 3, bounds.top, bounds.right - (selectControl_ == 0 ? h : 0) - 2, bounds.bottom};
    const std::wstring shown = Text1().Text();
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, mode);
    SelectObject(dc, old);
}
