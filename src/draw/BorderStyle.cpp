// The calendar's outer border, chosen by CalendarBorderStyle.
#include "settings/SharedSettings.h"
#include "draw/Trap.h"

#include <cmath>

namespace mDrawFns {

namespace {

// The nearest whole pixel, halves to even; a size no Long holds overflows.
long WholePixels(double scaleUnits) {
    const double rounded = std::nearbyint(scaleUnits);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        zarn::Raise(zarn::ErrOverflow);
    return static_cast<long>(rounded);
}

void DrawBorder(HDC dc, long width, long height, const SharedSettings& s) {
    const long highlight = static_cast<long>(s.CalendarBdHighlightColour);
    const long highlightDK = static_cast<long>(s.CalendarBdHighlightDKColour);
    const long shadow = static_cast<long>(s.CalendarBdShadowColour);
    const long shadowDK = static_cast<long>(s.CalendarBdShadowDKColour);
    const long flat = static_cast<long>(s.CalendarBdFlatBorderColour);
    // "Raised 3D" draws a thin frame dark at the top and left, "Sunken Thin"
    // a two-pixel one light there: the names do not match; kept on purpose.
    switch (s.CalendarBorderStyle) {
    case 1: // Flat
        DrawFlatRect(dc, 0, 0, width, height, flat);
        break;
    case 2: // Raised Thin
        DrawRaisedThinRect(dc, 0, 0, width, height, highlight, shadow);
        break;
    case 3: // Raised 3D
        DrawSunkenThinRect(dc, 0, 0, width, height, shadow, highlight);
        break;
    case 4: // Sunken Thin
        DrawRaised3Drect(dc, 0, 0, width, height, highlight, shadowDK, highlightDK, shadow);
        break;
    case 5: // Sunken 3D
        DrawSunken3DRect(dc, 0, 0, width, height, shadowDK, highlight, shadow, highlightDK);
        break;
    case 6: // Etched
        DrawEtchedRec(dc, 0, 0, width, height, highlight, shadow);
        break;
    case 7: // Bump
        DrawBumpRect(dc, 0, 0, width, height, highlight, shadow);
        break;
    default: // NONE, and anything a host may have stored beyond the list
        break;
    }
}

} // namespace

void SetBorderStyle(const Form& form) {
    zarn::Trapped(
        [&] {
            const HDC dc = form.hDC();
            const long width = WholePixels(form.ScaleWidth());
            const long height = WholePixels(form.ScaleHeight());
            DrawBorder(dc, width, height, SharedSettings::ForThread());
        },
        detail::Reported(L"  SetBorderStyle "));
}

} // namespace mDrawFns
