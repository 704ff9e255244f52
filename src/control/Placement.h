#pragma once
// Where the drop-down calendar goes: its top-left at the control's
// bottom-left; above the control when there is no room below; moved left to
// end at the work area's right edge when it would pass it. It never starts
// left of or above the work area.
#include <windows.h>

namespace zarn {

POINT CalendarPlace(const RECT& control, SIZE calendar, const RECT& workArea);

} // namespace zarn
