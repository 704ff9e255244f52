// Lines and the one- and two-pixel frames. Every segment is a LineTo, so it
// paints its start pixel and stops short of its end point.
#include "draw/Trap.h"
#include "platform/win/Gdi.h"

#include <initializer_list>

namespace mDrawFns {

using detail::Minus;
using detail::Plus;
using detail::Reported;

namespace {

// One pen's share of a frame: the pen is created just before its first
// segment, and deleted after its last once the previous pen is back.
void PenPath(HDC dc, const long& colour, std::initializer_list<POINT> path) {
    const auto pen = zarn::gdi::SolidPen(static_cast<COLORREF>(TranslateColor(colour)));
    const auto selected = zarn::gdi::Select(dc, pen.get());
    for (const POINT& to : path)
        LineTo(dc, to.x, to.y);
}

// Every frame starts at (X2, Y1), so its top row also paints pixel (X2, Y1),
// one column right of the frame; kept on purpose (forms are framed whole).
void OnePixelFrame(HDC dc, long x1, long y1, long x2, long y2, const long& topLeft, const long& bottomRight) {
    const long right = Minus(x2, 1);
    const long bottom = Minus(y2, 1);
    MoveToEx(dc, x2, y1, nullptr);
    PenPath(dc, topLeft, {{x1, y1}, {x1, bottom}});
    PenPath(dc, bottomRight, {{right, bottom}, {right, y1}});
}

// Unlike the one-pixel frame, each ring's bottom-right pen runs one pixel
// further up and so takes the top-right corner; kept on purpose.
void TwoPixelFrame(HDC dc, long x1, long y1, long x2, long y2, const long& outerTopLeft,
                   const long& outerBottomRight, const long& innerTopLeft, const long& innerBottomRight) {
    const long right = Minus(x2, 1);
    const long bottom = Minus(y2, 1);
    MoveToEx(dc, x2, y1, nullptr);
    PenPath(dc, outerTopLeft, {{x1, y1}, {x1, bottom}});
    PenPath(dc, outerBottomRight, {{right, bottom}, {right, Minus(y1, 1)}});

    const long innerRight = Minus(x2, 2);
    MoveToEx(dc, innerRight, Plus(y1, 1), nullptr);
    PenPath(dc, innerTopLeft, {{Plus(x1, 1), Plus(y1, 1)}, {Plus(x1, 1), Minus(bottom, 1)}});
    PenPath(dc, innerBottomRight, {{innerRight, Minus(bottom, 1)}, {innerRight, y1}});
}

} // namespace

void DrawLine(HDC dc, long x1, long y1, long x2, long y2, long colour) {
    zarn::Trapped(
        [&] {
            const auto pen = zarn::gdi::SolidPen(static_cast<COLORREF>(colour));
            const auto selected = zarn::gdi::Select(dc, pen.get());
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
        },
        Reported(L" DrawLine "));
}

void DrawFlatRect(HDC dc, long x1, long y1, long x2, long y2, const long& colour) {
    zarn::Trapped(
        [&] {
            const auto pen = zarn::gdi::SolidPen(static_cast<COLORREF>(TranslateColor(colour)));
            const auto selectedPen = zarn::gdi::Select(dc, pen.get());
            const auto hollow = zarn::gdi::Select(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, x1, y1, x2, y2);
        },
        Reported(L"  DrawFlatRect "));
}

void DrawRaisedThinRect(HDC dc, long x1, long y1, long x2, long y2, const long& topLeft,
                        const long& bottomRight) {
    zarn::Trapped([&] { OnePixelFrame(dc, x1, y1, x2, y2, topLeft, bottomRight); },
                  Reported(L" DrawRaisedThinRect "));
}

void DrawSunkenThinRect(HDC dc, long x1, long y1, long x2, long y2, const long& topLeft,
                        const long& bottomRight) {
    zarn::Trapped([&] { OnePixelFrame(dc, x1, y1, x2, y2, topLeft, bottomRight); },
                  Reported(L" DrawSunkenThinRect "));
}

void DrawRaised3Drect(HDC dc, long x1, long y1, long x2, long y2, const long& outerTopLeft,
                      const long& outerBottomRight, const long& innerTopLeft, const long& innerBottomRight) {
    zarn::Trapped(
        [&] {
            TwoPixelFrame(dc, x1, y1, x2, y2, outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight);
        },
        Reported(L" DrawRaised3Drect "));
}

void DrawSunken3DRect(HDC dc, long x1, long y1, long x2, long y2, const long& outerTopLeft,
                      const long& outerBottomRight, const long& innerTopLeft, const long& innerBottomRight) {
    zarn::Trapped(
        [&] {
            TwoPixelFrame(dc, x1, y1, x2, y2, outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight);
        },
        Reported(L"  DrawSunken3DRect "));
}

void DrawEtchedRec(HDC dc, long x1, long y1, long x2, long y2, const long& light, const long& dark) {
    zarn::Trapped([&] { TwoPixelFrame(dc, x1, y1, x2, y2, dark, light, light, dark); },
                  Reported(L" DrawEtchedRec "));
}

// This one's message has no procedure label; kept on purpose.
void DrawBumpRect(HDC dc, long x1, long y1, long x2, long y2, const long& light, const long& dark) {
    zarn::Trapped([&] { TwoPixelFrame(dc, x1, y1, x2, y2, light, dark, dark, light); }, Reported(L""));
}

} // namespace mDrawFns
