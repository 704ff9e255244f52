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

// Fills and frames paint with the DC's own brush in the colour: the same
// pixels as a solid brush, with nothing to create and delete on each draw.
void Fill(HDC dc, const RECT& r, OLE_COLOR colour) {
    const COLORREF previous = SetDCBrushColor(dc, Resolved(colour));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}

// A one-pixel border just inside the rectangle.
void Frame(HDC dc, const RECT& r, OLE_COLOR colour) {
    const COLORREF previous = SetDCBrushColor(dc, Resolved(colour));
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
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

// Draws the icon picture (one that is set) with its box at origin:
// normally, greyed (embossed) or as a silhouette in the given brush.
void DrawIcon(HDC dc, IPictureDisp* icon, POINT origin, SIZE size, UINT state, HBRUSH brush = nullptr) {
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
}

// Hot and pressed: the button framed on its own, in the border colour
// whatever the focus.
void DrawRaised(HDC dc, SIZE size, const Look& look, RECT& buttonRect) {
    const RECT whole{0, 0, size.cx, size.cy};
    buttonRect = RECT{size.cx - size.cy, 0, size.cx, size.cy};
    SkipOnError([&] { Fill(dc, whole, look.bgColor); });
    SkipOnError([&] { Fill(dc, buttonRect, look.buttonBgColor); });
    SkipOnError([&] { Frame(dc, buttonRect, look.borderColor); });
    SkipOnError([&] { Frame(dc, whole, look.borderColor); });
}

// The face of a state without its icon or arrow.
void DrawPlainFace(HDC dc, SIZE size, long state, const Look& look, RECT& buttonRect) {
    SkipOnError([&] {
        const RECT whole{0, 0, size.cx, size.cy};
        FillRect(dc, &whole, GetSysColorBrush(COLOR_BTNFACE));
    });
    if (!look.dropCalendar)
        return;
    if (state == Normal)
        DrawNormal(dc, size, look, buttonRect);
    else if (state == Hot || state == Pressed)
        DrawRaised(dc, size, look, buttonRect);
}

// How the icon shows: at rest, greyed (embossed), pressed, or lifted over
// its shadow while hot.
enum IconVariant { AtRest = 0, Greyed = 1, Plain = 2, Lifted = 3 };

int VariantOf(long state, bool enabled) {
    if (state == Hot)
        return Lifted;
    if (state == Pressed)
        return Plain;
    return enabled ? AtRest : Greyed;
}

long StateOf(int variant) {
    return variant == Lifted ? Hot : variant == Plain ? Pressed : Normal;
}

// The icon of a variant, rendered from the picture.
void DrawIcons(HDC dc, SIZE size, int variant, const Look& look) {
    if (variant != Lifted) {
        SkipOnError([&] {
            DrawIcon(dc, look.icon, IconOrigin(size, look.iconSize), look.iconSize,
                     variant == Greyed ? DSS_DISABLED : DSS_NORMAL);
        });
        return;
    }
    SkipOnError([&] {
        const gdi::UniqueBrush shadow = gdi::SolidBrush(kIconShadow);
        DrawIcon(dc, look.icon, IconOrigin(size, look.iconSize, 1.5), look.iconSize, DSS_MONO, shadow.get());
    });
    SkipOnError(
        [&] { DrawIcon(dc, look.icon, IconOrigin(size, look.iconSize, -1.5), look.iconSize, DSS_NORMAL); });
}

// Where the icon and its shadow may lie in any state; empty when that
// reaches past the face, whose surface the rendered icon may draw beyond.
RECT IconArea(SIZE size, SIZE iconSize) {
    RECT area{};
    for (const double offset : {0.0, 1.5, -1.5}) {
        const POINT o = IconOrigin(size, iconSize, offset);
        const RECT box{o.x, o.y, o.x + iconSize.cx, o.y + iconSize.cy};
        UnionRect(&area, &area, &box);
    }
    const RECT whole{0, 0, size.cx, size.cy};
    RECT inside{};
    IntersectRect(&inside, &area, &whole);
    return EqualRect(&inside, &area) ? area : RECT{};
}

COLORREF ResolvedOrInvalid(OLE_COLOR colour) {
    COLORREF rgb = 0;
    return SUCCEEDED(OleTranslateColor(colour, nullptr, &rgb)) ? rgb : CLR_INVALID;
}

// Bits per pixel of what dc draws on: a memory DC's bitmap or the device.
int BitsPerPixel(HDC dc) {
    if (GetObjectType(dc) != OBJ_MEMDC)
        return GetDeviceCaps(dc, BITSPIXEL);
    BITMAP bitmap{};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap);
    return bitmap.bmBitsPixel;
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
    DrawPlainFace(dc, size, state, look, buttonRect);
    if (!look.dropCalendar)
        return;
    const bool withIcon = state == Normal || state == Hot || state == Pressed;
    if (withIcon && look.showIcon && look.icon) { // a missing icon leaves the button plain
        const int variant = VariantOf(state, look.enabled);
        if (!look.iconCache || !look.iconCache->Copy(dc, size, variant, look))
            DrawIcons(dc, size, variant, look);
    }
    if (!look.showIcon && size.cy != 0)
        SkipOnError([&] { DrawGlyph(dc, buttonRect, look); });
}

bool IconCache::Key::operator==(const Key& other) const {
    return icon == other.icon && iconSize.cx == other.iconSize.cx && iconSize.cy == other.iconSize.cy &&
           size.cx == other.size.cx && size.cy == other.size.cy && colours == other.colours &&
           hasFocus == other.hasFocus && bitsPerPixel == other.bitsPerPixel;
}

IconCache::Key IconCache::KeyOf(HDC dc, SIZE size, const Look& look) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return Key{look.icon,
               look.iconSize,
               size,
               {face, ResolvedOrInvalid(look.bgColor), ResolvedOrInvalid(look.buttonBgColor),
                ResolvedOrInvalid(look.borderColor), ResolvedOrInvalid(look.focusColor)},
               look.hasFocus,
               BitsPerPixel(dc)};
}

bool IconCache::Copy(HDC dc, SIZE size, int variant, const Look& look) {
    const DWORD type = GetObjectType(dc);
    if ((type != OBJ_DC && type != OBJ_MEMDC) || look.iconSize.cx <= 0 || look.iconSize.cy <= 0)
        return false;
    const Key key = KeyOf(dc, size, look);
    if (!surface_ || !(key == key_)) {
        key_ = key;
        drawn_ = {};
        surface_.reset();
        area_ = IconArea(size, look.iconSize);
        if (IsRectEmpty(&area_))
            return false;
        gdi::UniqueBitmap bitmap =
            gdi::CompatibleBitmap(dc, (area_.right - area_.left) * kVariants, area_.bottom - area_.top);
        if (!bitmap)
            return false;
        surface_.emplace(dc, std::move(bitmap));
    }
    const int width = area_.right - area_.left;
    if (!drawn_[variant])
        Render(variant, size, look);
    return BitBlt(dc, area_.left, area_.top, width, area_.bottom - area_.top, surface_->dc(), variant * width,
                  0, SRCCOPY) != FALSE;
}

// Draws the whole face of the variant, icon included, with the icon's area
// falling on the variant's slot of the bitmap and nothing else drawn.
void IconCache::Render(int variant, SIZE size, const Look& look) {
    const HDC dc = surface_->dc();
    POINT origin{};
    SetViewportOrgEx(dc, variant * (area_.right - area_.left) - area_.left, -area_.top, &origin);
    IntersectClipRect(dc, area_.left, area_.top, area_.right, area_.bottom);
    Look direct = look;
    direct.iconCache = nullptr;
    direct.enabled = variant != Greyed;
    RECT button{};
    DrawPlainFace(dc, size, StateOf(variant), direct, button);
    DrawIcons(dc, size, variant, direct);
    SelectClipRgn(dc, nullptr);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    drawn_[variant] = true;
}

} // namespace zarn::face
