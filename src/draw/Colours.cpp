// Colour values and solid fills.
#include "settings/SharedSettings.h"
#include "draw/Trap.h"
#include "platform/win/Gdi.h"

#include <olectl.h>

namespace mDrawFns {

using detail::Reported;
using detail::ReportedWith;

long GetLngColor(const long& colour) {
    return zarn::Trapped(
        [&]() -> long { return colour < 0 ? static_cast<long>(GetSysColor(colour & 0x7FFFFFFF)) : colour; },
        ReportedWith(L"  GetLngColor ", 0L));
}

long TranslateColor(const long& colour) {
    return zarn::Trapped(
        [&]() -> long {
            // A colour the system cannot translate leaves the result at 0
            // (black); that is not an error.
            COLORREF result = 0;
            OleTranslateColor(static_cast<OLE_COLOR>(colour), nullptr, &result);
            return static_cast<long>(result);
        },
        ReportedWith(L" TranslateColor ", 0L));
}

void DrwCalBkgnd(HDC dc, const RECT& rect, long colour) {
    zarn::Trapped(
        [&] {
            const auto brush = zarn::gdi::SolidBrush(static_cast<COLORREF>(colour));
            // An empty or inverted rectangle paints nothing; Wine's FillRect
            // would fill an inverted one as if its edges were swapped.
            if (!IsRectEmpty(&rect))
                FillRect(dc, &rect, brush.get());
        },
        Reported(L"  DrwCalBkgnd "));
}

void SetColors() {
    zarn::Trapped(
        [] {
            auto& settings = SharedSettings::ForThread();
            settings.CalendarBackSelectedRGB =
                static_cast<OLE_COLOR>(GetLngColor(static_cast<long>(settings.CalendarBackSelected)));
        },
        Reported(L"  SetColors "));
}

} // namespace mDrawFns
