#pragma once
// Where everything of the calendar form lies: the 61 rectangles of
// CellRects and the form's size, all in client pixels. Computed once per
// load from the cell size and the week column; painting and input only
// read it.
#include <windows.h>

#include <array>

namespace frmCalendarLayout {

// CellRects indices.
inline constexpr int kPrevButton = 1;
inline constexpr int kNextButton = 2;
inline constexpr int kFirstHeader = 3;  // 3..9, one per column
inline constexpr int kFirstDay = 10;    // 10..51, six rows of seven
inline constexpr int kLastDay = 51;
inline constexpr int kTitle = 52;
inline constexpr int kFirstWeek = 53;   // 53..58, one per row
inline constexpr int kCellRectCount = 61;

// Where the weekday header ends; the lower etched rule lies 2 below it.
inline constexpr long kHeaderBottom = 47;

using CellRectTable = std::array<RECT, kCellRectCount>;

struct Layout {
    CellRectTable CellRects{};
    short FormWidth = 0;
    short FormHeight = 0;
};

// The layout for cells gridWidth x gridHeight pixels, with a week column
// weekColumnWidth wide when showWeek is set. A size that does not fit the
// form's 16-bit width or height is an overflow (error 6).
Layout InitialRecShape(long gridWidth, long gridHeight, long weekColumnWidth, bool showWeek);

} // namespace frmCalendarLayout
