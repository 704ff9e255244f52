#include "control/Face.h"

#include "platform/Report.h"
#include "platform/win/Gdi.h"

#include <olectl.h>
#include <wrl/client.h>

#include <cmath>

namespace zarn::face {

namespace {

COLORREF Resolved(OLE_COLOR colour) {
    COLORREF rgb = 0;
    ThrowIfFailed(OleTranslateColor(colour, nullptr, &rgb));
    return rgb;
}

void Fill(HDC dc, const RECT& r, OLE_COLOR colour) {
    const gdi::UniqueBrush brush = gdi::SolidBrush(Resolved(colour));
    FillRect(dc, &r, brush.get());
}

// A one-pixel border just inside the rectangle.
void Frame(HDC dc, const RECT& r, OLE_COLOR colour) {
    const gdi::UniqueBrush brush = gdi::SolidBrush(Resolved(colour));
    FrameRect(dc, &r, brush.get());
}

// Renders the picture into the cx x cy box DrawState prepares, so that
// icons and bitmaps alike are scaled to the icon size.
BOOL CALLBACK RenderPicture(HDC dc, LPARAM picture, WPARAM, int cx, int cy) {
    auto* pic = reinterpret_cast<IPicture*>(picture);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    pic->get_Width(&width);
    pic->get_Height(&height);
    return SUCCEEDED(pic->Render(dc, 0, 0, cx, cy, 0, height, width, -height, nullptr));
}

// Draws the icon picture with its box at origin: normally, greyed
// (embossed) or as a silhouette in the given brush.
void DrawIcon(HDC dc, IPictureDisp* icon, POINT origin, SIZE size, UINT state, HBRUSH brush = nullptr) {
    if (!icon)
        Raise(ErrObjectNotSet);
    Microsoft::WRL::ComPtr<IPicture> pic;
    ThrowIfFailed(icon->QueryInterface(IID_PPV_ARGS(&pic)));
    if (!DrawStateW(dc, brush, RenderPicture, reinterpret_cast<LPARAM>(pic.Get()), 0, origin.x, origin.y,
                    size.cx, size.cy, DST_COMPLEX | state))
        Raise(ErrInvalidCall);
}

// The down arrow of the symbol font, centred in the button.
void DrawGlyph(HDC dc, const RECT& button, const Look& look) {
    const gdi::Selection font = gdi::Select(dc, look.glyphFont);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF old = SetTextColor(dc, GetSysColor(look.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT r = button;
    DrawTextW(dc, L"6", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, old);
    SetBkMode(dc, mode);
}

void DrawNormal(HDC dc, SIZE size, const Look& look, RECT& buttonRect) {
    const RECT text{0, 0, size.cx - size.cy, size.cy};
    const RECT whole{0, 0, size.cx, size.cy};
    buttonRect = RECT{size.cx - size.cy, 0, size.cx, size.cy};
    const OLE_COLOR border = look.hasFocus ? look.focusColor : look.borderColor;
    SkipOnError([&] { Fill(dc, text, look.bgColor); });
    SkipOnError([&] { Fill(dc, buttonRect, look.buttonBgColor); });
    SkipOnError([&] { Frame(dc, text, border); });
    SkipOnError([&] { Frame(dc, whole, border); });
    if (look.showIcon)
        SkipOnError([&] {
            DrawIcon(dc, look.icon, IconOrigin(size, look.iconSize), look.iconSize,
                     look.enabled ? DSS_NORMAL : DSS_DISABLED);
        });
}

// Hot and pressed: the button framed on its own, in the border colour
// whatever the focus; a hot icon is lifted over its shadow.
void DrawRaised(HDC dc, SIZE size, bool lifted, const Look& look, RECT& buttonRect) {
    const RECT whole{0, 0, size.cx, size.cy};
    buttonRect = RECT{size.cx - size.cy, 0, size.cx, size.cy};
    SkipOnError([&] { Fill(dc, whole, look.bgColor); });
    SkipOnError([&] { Fill(dc, buttonRect, look.buttonBgColor); });
    SkipOnError([&] { Frame(dc, buttonRect, look.borderColor); });
    SkipOnError([&] { Frame(dc, whole, look.borderColor); });
    if (!look.showIcon)
        return;
    if (!lifted) {
        SkipOnError(
            [&] { DrawIcon(dc, look.icon, IconOrigin(size, look.iconSize), look.iconSize, DSS_NORMAL); });
        return;
    }
    SkipOnError([&] {
        const gdi::UniqueBrush shadow = gdi::SolidBrush(kIconShadow);
        DrawIcon(dc, look.icon, IconOrigin(size, look.iconSize, 1.5), look.iconSize, DSS_MONO, shadow.get());
    });
    SkipOnError(
        [&] { DrawIcon(dc, look.icon, IconOrigin(size, look.iconSize, -1.5), look.iconSize, DSS_NORMAL); });
}

} // namespace

POINT IconOrigin(SIZE size, SIZE iconSize, double offset) {
    // nearbyint rounds halves to the even neighbour in the default mode.
    const double x = size.cx - (size.cy + iconSize.cx) / 2.0 + offset;
    const double y = size.cy / 2.0 - iconSize.cy / 2.0 + offset;
    return POINT{static_cast<LONG>(std::nearbyint(x)), static_cast<LONG>(std::nearbyint(y))};
}

bool Inside(const RECT& r, float x, float y) {
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

void Draw(HDC dc, SIZE size, long state, const Look& look, RECT& buttonRect) {
    if (!look.enabled)
        state = Normal;
    SkipOnError([&] {
        const RECT whole{0, 0, size.cx, size.cy};
        FillRect(dc, &whole, GetSysColorBrush(COLOR_BTNFACE));
    });
    if (!look.dropCalendar)
        return;
    switch (state) {
    case Normal:
        DrawNormal(dc, size, look, buttonRect);
        break;
    case Hot:
    case Pressed:
        DrawRaised(dc, size, state == Hot, look, buttonRect);
        break;
    default:
        break;
    }
    if (!look.showIcon && size.cy != 0)
        SkipOnError([&] { DrawGlyph(dc, buttonRect, look); });
}

} // namespace zarn::face
