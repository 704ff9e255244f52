// The marked cells: the selected day's background in each style, the
// today picture and the week sign, and the date Enter would hand back.
#include "CalendarFixture.h"

#include <algorithm>

namespace zarn::test {
namespace {

using namespace frmCalendarLayout;

constexpr COLORREF kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00, kG1 = 0x0080FF, kG2 = 0xE0E0E0;

// Left half red, right half green (the mask colour).
ColourAt HalfRed(int split) {
    return [split](int x, int) { return x % 10 < split ? kRed : kGreen; };
}

// 14 February 2026, Monday first, is cell 29; no grid lines, no numbers
// near the points looked at (numbers sit top-left).
TEST_F(CalendarTest, SelectionStyles) {
    struct {
        const char* name;
        long style, drawMode;
        std::function<Microsoft::WRL::ComPtr<IPictureDisp>()> picture;
        std::vector<std::pair<POINT, COLORREF>> pixels; // relative to the cell
    } cases[] = {
        {"standard", 0, 0, nullptr, {{{29, 29}, 0x00FFFF}, {{15, 20}, 0x00FFFF}}},
        {"picture style without a picture", 3, 0, nullptr, {{{29, 29}, 0x00FFFF}}},
        {"vertical gradient", 1, 0, nullptr, {{{0, 0}, kG1}, {{29, 0}, kG1}}},
        {"horizontal gradient", 2, 0, nullptr, {{{0, 0}, kG1}, {{0, 29}, kG1}}},
        {"stretched, green masked", 3, 0, [] { return BitmapPicture(10, 10, HalfRed(5)); },
         {{{5, 20}, kRed}, {{14, 20}, kRed}, {{16, 20}, kWhite}, {{29, 29}, kWhite}}},
        {"tiled", 3, 1, [] { return BitmapPicture(10, 10, HalfRed(5)); },
         {{{4, 20}, kRed}, {{7, 20}, kWhite}, {{12, 20}, kRed}, {{27, 29}, kWhite}}},
        {"icon stretched to the cell", 3, 0, [] { return HalfIconPicture(kRed); },
         {{{15, 20}, kRed}, {{29, 29}, kRed}, {{20, 10}, kWhite}}},
    };
    s.GridLine = 6;
    s.CalendarBackSelected = 0x00FFFF;
    s.CalendarBackSelectedG1 = kG1;
    s.CalendarBackSelectedG2 = kG2;
    s.CalendarSelectePicMaskColor = kGreen;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s.CalendarSelectStyle = c.style;
        s.CalendarSelectPicDrawMode = c.drawMode;
        s.CalendarSelectePicture = c.picture ? c.picture() : nullptr;
        const auto form = Open(20260214);
        const RECT& cell = form->CellRects[29];
        for (const auto& [at, colour] : c.pixels)
            EXPECT_EQ(At(*form, cell.left + at.x, cell.top + at.y), colour) << at.x << "," << at.y;
        const COLORREF last = At(*form, cell.right - 1, cell.bottom - 1);
        if (c.style == 1 || c.style == 2) { // the far end comes close to the second colour
            for (int shift : {0, 8, 16})
                EXPECT_NEAR((last >> shift) & 0xFF, (kG2 >> shift) & 0xFF, 12);
        }
    }
}

// A 16 x 16 blue today picture centred in 31-pixel cells: 7.5 pixels in,
// rounded to even from the cell's left edge (4 + 31 x column). Saturday
// first puts the 5th in column 1 (rounds up to 12), Friday first in column
// 2 (rounds down to 42).
TEST_F(CalendarTest, TodayPictureCentredHalvesToEven) {
    s.ShowWeek = false;
    s.CalendarGridWidth = 31;
    s.DateAlign = 1;
    s.TodayPicture = BitmapPicture(16, 16, [](int, int) { return 0xFF0000; });
    s.TodayPictureWidth = s.TodayPictureHeight = s.TodayOriginalPicSizeW = s.TodayOriginalPicSizeH = 16;
    s.TodayMaskColor = kGreen;
    for (const auto& [firstDay, left] : {std::pair{7L, 12}, std::pair{6L, 42}}) {
        s.CalendarFirstDayOfWeek = firstDay;
        const auto form = Open(20261205);
        EXPECT_EQ(InkIn(form->hDC(), {left - 1, 99, left + 17, 100}, 0xFF0000).size(), 16u);
        EXPECT_EQ(At(*form, left, 99), 0xFF0000u);
    }
}

// The module's own pictures mark today's cell and the selected day's week,
// and only those: counted as strongly coloured pixels, which no number has
// but a red one.
TEST_F(CalendarTest, DefaultMarksWhereTheyBelong) {
    s.ShowWeekSignPicture = true;
    s.GridLine = 6;
    const auto marked = [](const frmCalendar& form, int index) {
        const RECT& r = form.CellRects[index];
        int count = 0;
        for (int y = r.top + 1; y < r.bottom; ++y)
            for (int x = r.left + 1; x < r.right; ++x) {
                const COLORREF c = GetPixel(form.hDC(), x, y);
                const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
                count += std::max({r, g, b}) - std::min({r, g, b}) > 60;
            }
        return count > 10;
    };
    const auto form = Open(20261222); // row 4; today, 5 December, is cell 15
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(marked(*form, kFirstWeek + row), row == 3) << row;
    EXPECT_TRUE(marked(*form, 15));
    EXPECT_FALSE(marked(*form, 14));
    EXPECT_EQ(ToText(form->tmpDropFrmDate.Get()), L"20261222");
    const auto november = Open(20261122);
    EXPECT_FALSE(marked(*november, 15)) << "no today mark outside today's month";
    EXPECT_EQ(boxes.calls.size(), 0u);
}

} // namespace
} // namespace zarn::test
