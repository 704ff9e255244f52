// The calendar's rectangles and size from the cell size and week column.
#include "TestSupport.h"
#include "calendar/CalendarLayout.h"

#include <gtest/gtest.h>

namespace zarn::test {
namespace {

using namespace frmCalendarLayout;

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

struct LayoutCase {
    const char* name;
    long w, h, k;
    bool weeks;
    short formWidth, formHeight;
    const char *next, *title, *firstDay, *lastDay, *firstWeek;
};

const LayoutCase kLayouts[] = {
    {"20 x 16 without weeks", 20, 16, 20, false, 150, 156, "124,4,144,24", "26,4,122,24", "4,54,24,70",
     "124,134,144,150", "0,0,0,0"},
    {"20 x 16 with weeks", 20, 16, 20, true, 174, 156, "148,4,168,24", "26,4,146,24", "28,54,48,70",
     "148,134,168,150", "4,54,24,70"},
    {"a week column wider than a day", 20, 16, 40, true, 174, 156, "148,4,168,24", "26,4,146,24", "28,54,48,70",
     "148,134,168,150", "4,54,44,70"},
    {"default 30 x 30 with weeks", 30, 30, 30, true, 254, 240, "218,4,248,24", "36,4,216,24", "38,54,68,84",
     "218,204,248,234", "4,54,34,84"},
};

TEST(CalendarLayout, RectanglesAndFormSize) {
    for (const auto& c : kLayouts) {
        SCOPED_TRACE(c.name);
        const Layout l = InitialRecShape(c.w, c.h, c.k, c.weeks);
        EXPECT_EQ(l.FormWidth, c.formWidth);
        EXPECT_EQ(l.FormHeight, c.formHeight);
        EXPECT_EQ(Text(l.CellRects[kNextButton]), c.next);
        EXPECT_EQ(Text(l.CellRects[kTitle]), c.title);
        EXPECT_EQ(Text(l.CellRects[kFirstDay]), c.firstDay);
        EXPECT_EQ(Text(l.CellRects[kLastDay]), c.lastDay);
        EXPECT_EQ(Text(l.CellRects[kFirstWeek]), c.firstWeek);
        // The header row shares the day columns; the sixth week row the last day row.
        EXPECT_EQ(l.CellRects[kFirstHeader + 6].left, l.CellRects[kNextButton].left);
        EXPECT_EQ(l.CellRects[kFirstWeek + 5].top, c.weeks ? l.CellRects[kLastDay].top : 0);
    }
}

TEST(CalendarLayout, AFormBeyondSixteenBitsOverflows) {
    EXPECT_EQ(ErrorNumberOf([] { InitialRecShape(4096, 30, 30, true); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { InitialRecShape(30, 5452, 30, false); }), ErrOverflow);
}

} // namespace
} // namespace zarn::test
