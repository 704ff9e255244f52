#include "calendar/CalendarLayout.h"

#include "platform/RuntimeError.h"

#include <climits>

namespace frmCalendarLayout {

namespace {

// Sums are formed wide and must fit a Long, as the rectangles hold Longs.
long Fit(long long value) {
    if (value < LONG_MIN || value > LONG_MAX)
        zarn::Raise(zarn::ErrOverflow);
    return static_cast<long>(value);
}

short FitShort(long long value) {
    if (value < SHRT_MIN || value > SHRT_MAX)
        zarn::Raise(zarn::ErrOverflow);
    return static_cast<short>(value);
}

RECT Box(long long left, long long top, long long right, long long bottom) {
    return RECT{Fit(left), Fit(top), Fit(right), Fit(bottom)};
}

} // namespace

Layout InitialRecShape(long gridWidth, long gridHeight, long weekColumnWidth, bool showWeek) {
    const long long w = gridWidth, h = gridHeight;
    const long long firstColumn = showWeek ? w + 8 : 4;
    const auto columnX = [&](int column) { return firstColumn + (column - 1) * w; };

    Layout layout;
    auto& r = layout.CellRects;
    r[kPrevButton] = Box(4, 4, 4 + w, 24);
    // Equal to the seventh column's left in both cases.
    const long long nextLeft = showWeek ? 7 * w + 8 : 6 * w + 4;
    r[kNextButton] = Box(nextLeft, 4, nextLeft + w, 24);
    for (int column = 1; column <= 7; ++column)
        r[kFirstHeader + column - 1] = Box(columnX(column), 31, columnX(column) + w, 51);
    for (int row = 1; row <= 6; ++row)
        for (int column = 1; column <= 7; ++column)
            r[kFirstDay + 7 * (row - 1) + column - 1] =
                Box(columnX(column), 54 + (row - 1) * h, columnX(column) + w, 54 + row * h);
    layout.FormWidth = FitShort(r[kLastDay].right + 6LL);
    layout.FormHeight = FitShort(r[kLastDay].bottom + 6LL);
    r[kTitle] = Box(r[kPrevButton].right + 2LL, 4, r[kNextButton].left - 2LL, 24);
    if (showWeek)
        for (int row = 0; row < 6; ++row) {
            const long long top = r[kFirstDay + 7 * row].top;
            r[kFirstWeek + row] = Box(4, top, 4LL + weekColumnWidth, top + h);
        }
    return layout;
}

} // namespace frmCalendarLayout
