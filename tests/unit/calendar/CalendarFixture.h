#pragma once
// A calendar loaded with the settings of a new control (30 x 30 cells, week
// column on), but Monday first, on a fixed clock (5 December 2026), and the
// pixels its back image shows.
#include "../control/ControlFixture.h"
#include "../draw/DrawTestSupport.h"
#include "calendar/frmCalendar.h"

#include <memory>
#include <vector>

namespace zarn::test {

class CalendarTest : public ControlTest {
protected:
    CalendarTest() {
        s.WeekColumnWidth = 30;
        s.CalendarFirstDayOfWeek = 2;
    }

    // Loads a form showing the date.
    std::unique_ptr<frmCalendar> Open(long date);
    COLORREF At(const frmCalendar& form, int x, int y) const { return GetPixel(form.hDC(), x, y); }

    SharedSettings& s = SharedSettings::ForThread();
};

// The pixels of exactly `ink` inside the area.
std::vector<POINT> InkIn(HDC dc, const RECT& area, COLORREF ink);

// How text drawn as the calendar draws it (Arial, transparent) would ink
// the area.
struct TextLook {
    const wchar_t* text;
    COLORREF colour;
    double points;
    bool bold;
    UINT format;
};
std::vector<POINT> ExpectedInk(const TextLook& look, const RECT& textRect, const RECT& area);

// The form shows the text in the rectangle, judged inside the area.
testing::AssertionResult ShowsText(const frmCalendar& form, const TextLook& look, const RECT& textRect,
                                   const RECT& area);

} // namespace zarn::test
