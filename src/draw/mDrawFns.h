#pragma once
// Stateless drawing helpers: colour resolution, fills, lines, frames and
// pictures. Every procedure traps its own errors: it shows the module's
// message, releases what it created and lets its caller go on.
#include <windows.h>
#include <ocidl.h>

namespace mDrawFns {

// The module's message: "vemo:DrawModule_" + label + description + " " + number.
inline constexpr const wchar_t* kModuleLabel = L"vemo:DrawModule_";

// ---------------------------------------------------------------------------
// Colours and fills

// A stored colour as a plain 0x00BBGGRR colour: a system colour (high bit
// set) is looked up by its low byte, a plain colour is returned unchanged.
long GetLngColor(const long& colour);

// The colour as OleTranslateColor resolves it; 0 (black) when it cannot.
long TranslateColor(const long& colour);

// Fills the rectangle (right and bottom exclusive) with a plain colour.
void DrwCalBkgnd(HDC dc, const RECT& rect, long colour);

// Refreshes the thread's CalendarBackSelectedRGB from CalendarBackSelected.
void SetColors();

// ---------------------------------------------------------------------------
// Lines and frames. A frame covers columns x1 to x2 - 1 and rows y1 to
// y2 - 1; its colours go through TranslateColor, a line's colour does not.

void DrawLine(HDC dc, long x1, long y1, long x2, long y2, long colour);
void DrawFlatRect(HDC dc, long x1, long y1, long x2, long y2, const long& colour);
void DrawRaisedThinRect(HDC dc, long x1, long y1, long x2, long y2, const long& topLeft,
                        const long& bottomRight);
void DrawSunkenThinRect(HDC dc, long x1, long y1, long x2, long y2, const long& topLeft,
                        const long& bottomRight);
void DrawRaised3Drect(HDC dc, long x1, long y1, long x2, long y2, const long& outerTopLeft,
                      const long& outerBottomRight, const long& innerTopLeft, const long& innerBottomRight);
void DrawSunken3DRect(HDC dc, long x1, long y1, long x2, long y2, const long& outerTopLeft,
                      const long& outerBottomRight, const long& innerTopLeft, const long& innerBottomRight);
void DrawEtchedRec(HDC dc, long x1, long y1, long x2, long y2, const long& light, const long& dark);
void DrawBumpRect(HDC dc, long x1, long y1, long x2, long y2, const long& light, const long& dark);

// What SetBorderStyle reads of the calendar form: the device context it
// draws on and its inner size in scale units, which are pixels.
class Form {
public:
    virtual HDC hDC() const = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

protected:
    ~Form() = default;
};

// Frames the whole form in the thread's CalendarBorderStyle and border colours.
void SetBorderStyle(const Form& form);

// ---------------------------------------------------------------------------
// Pictures

// How DrawBitmap fills the destination size from the picture.
enum DrawModeValue : short { CopyCropped = 0, Stretched = 1, Tiled = 2 };

// Draws a bitmap picture at destWidth x destHeight with its top-left corner
// at the rectangle's, pixels of exactly maskColor left transparent.
void DrawBitmap(HDC dc, IPictureDisp* picture, long destWidth, long destHeight, long srcWidth, long srcHeight,
                const RECT& rect, const short& drawMode, const long& maskColor);

// Draws an icon picture stretched to the rectangle; a width or height of 0
// keeps the icon's own.
void DrawPIcon(HDC dc, IPictureDisp* picture, const RECT& rect);

// Fills the area with the source's top-left tileWidth x tileHeight block, on
// a grid of tiles anchored at the destination's (0, 0).
void TilePic2(HDC dest, long x, long y, long width, long height, HDC src, long tileWidth, long tileHeight);

// Copies the source block to (destX, destY), leaving the pixels of exactly
// maskColor transparent; the destination changes in one copy.
void TransPic(HDC dest, HDC src, long srcLeft, long srcTop, long srcRight, long srcBottom, long destX,
              long destY, const long& maskColor);

} // namespace mDrawFns
