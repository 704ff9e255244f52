#pragma once
// The control's face: a flat frame, the text area on the left and the
// square drop-down button on the right, in one of three states.
#include <windows.h>
#include <ocidl.h>

namespace zarn::face {

enum State : long { Normal = 0, Hot = 1, Pressed = 2 };

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
