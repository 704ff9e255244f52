#pragma once
// The control's face: a flat frame, the text area on the left and the
// square drop-down button on the right, in one of three states.
#include "platform/win/Gdi.h"

#include <ocidl.h>

#include <array>
#include <optional>

namespace zarn::face {

enum State : long { Normal = 0, Hot = 1, Pressed = 2 };

class IconCache;

// What one draw of the face reads from the control.
struct Look {
    bool enabled = true;
    bool dropCalendar = true; // false: a plain date text box, no button
    bool hasFocus = false;
    bool showIcon = true;
    IPictureDisp* icon = nullptr;
    SIZE iconSize{16, 16};
    OLE_COLOR bgColor = 0xFFFFFF;
    OLE_COLOR buttonBgColor = 0xFFFFFF;
    OLE_COLOR borderColor = 0x808080;
    OLE_COLOR focusColor = 0x808080;
    HFONT glyphFont = nullptr; // the surface's symbol font with the down arrow
    IconCache* iconCache = nullptr; // none: the icon is rendered on each draw
};

// The icon as the face shows it at rest, greyed, pressed and lifted over its
// shadow: rendering a picture costs far more than copying it, so each is
// drawn once into a bitmap, over the very face it lies on, and copied on
// each draw. Drawn anew when the icon, its size, a colour, the focus, the
// face's size or the surface's pixel format change.
class IconCache {
public:
    // Copies the icon's part of the face in `variant` onto dc, drawing it
    // first when needed; false when there is nothing to copy from.
    bool Copy(HDC dc, SIZE size, int variant, const Look& look);

    static constexpr int kVariants = 4; // normal, greyed, pressed, lifted

private:
    struct Key {
        IPictureDisp* icon = nullptr;
        SIZE iconSize{};
        SIZE size{};
        std::array<COLORREF, 5> colours{};
        bool hasFocus = false;
        int bitsPerPixel = 0;
        bool operator==(const Key& other) const;
    };
    static Key KeyOf(HDC dc, SIZE size, const Look& look);
    void Render(int variant, SIZE size, const Look& look);

    Key key_;
    RECT area_{}; // the icon's boxes in every state, within the face
    std::optional<gdi::MemorySurface> surface_;
    std::array<bool, kVariants> drawn_{};
};

// The colour of the lifted icon's shadow.
inline constexpr COLORREF kIconShadow = RGB(136, 141, 157);

// Draws the face on dc over (0, 0)-(size.cx, size.cy). buttonRect is where
// the button was last drawn; states 0 to 2 of a drop-down face set it anew,
// any other state draws only the background and the arrow into it. Each
// step that fails is skipped and the next one runs.
void Draw(HDC dc, SIZE size, long state, const Look& look, RECT& buttonRect);

// Where the icon's box starts: centred in the button square, with the
// offset added before rounding halves to the even neighbour.
POINT IconOrigin(SIZE size, SIZE iconSize, double offset = 0);

// Inside a rectangle, all four edges included.
bool Inside(const RECT& r, float x, float y);

} // namespace zarn::face
