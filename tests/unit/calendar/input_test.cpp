// The calendar's keys and mouse: where each key moves the date, which
// clicks pick, step or close, hot tracking, and the input traps' labels.
#include "CalendarFixture.h"
#include "date/FnsDate.h"

namespace zarn::test {
namespace {

using namespace frmCalendarLayout;

std::wstring Text(const Variant& v) {
    return v.IsEmpty() ? L"" : ToText(v.Get());
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Each key moves the date without handing it back; Enter then picks the
// marked date.
TEST_F(CalendarTest, KeysMoveTheDateAndEnterPicksIt) {
    const struct {
        long from;
        short key;
        long to;
    } cases[] = {
        {20270331, VK_PRIOR, 20270228}, {20280331, VK_PRIOR, 20280229}, {20270315, VK_PRIOR, 20270215},
        {20270115, VK_PRIOR, 20261215}, {20270131, VK_NEXT, 20270228},  {20280131, VK_NEXT, 20280229},
        {20270130, VK_NEXT, 20270228},  {20261215, VK_NEXT, 20270115},  {20270301, VK_LEFT, 20270228},
        {20261231, VK_RIGHT, 20270101}, {20261231, VK_TAB, 20270101},   {20270103, VK_UP, 20261227},
        {20261228, VK_DOWN, 20270104},  {20270214, VK_HOME, 20270201},  {20270214, VK_END, 20270228},
        {20270214, VK_SPACE, 20270214}, {20270214, 'A', 20270214},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " key " + std::to_string(c.key));
        const auto form = Open(c.from);
        short key = c.key, enter = VK_RETURN;
        form->Form_KeyDown(key, 0);
        EXPECT_EQ(form->CurrDate, FnsDate::RetDateTypeFromLong(c.to));
        EXPECT_TRUE(form->DropFrmDate.IsEmpty());
        ASSERT_TRUE(IsWindow(form->hWnd()));
        form->Form_KeyUp(enter, 0);
        EXPECT_TRUE(form->IsSelected);
        EXPECT_EQ(Text(form->DropFrmDate), std::to_wstring(c.to));
        EXPECT_FALSE(form->hWnd());
    }
    EXPECT_TRUE(boxes.calls.empty());
}

// The pointer to the middle of CellRects[index] of the shown form, as the
// form hears of it; returns where it is.
POINT MoveTo(frmCalendar& form, int index) {
    const POINT p = Centre(form.CellRects[index]);
    POINT screen = p;
    ClientToScreen(form.hWnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    form.Form_MouseMove(0, 0, static_cast<float>(p.x), static_cast<float>(p.y));
    return p;
}

void ReleaseOn(frmCalendar& form, int index, short button = 1) {
    const POINT p = MoveTo(form, index);
    form.Form_MouseDown(button, 0, static_cast<float>(p.x), static_cast<float>(p.y));
    form.Form_MouseUp(button, 0, static_cast<float>(p.x), static_cast<float>(p.y));
}

// December 2026 with Monday first: its first cell is 30 November.
TEST_F(CalendarTest, ClicksPickStepOrClose) {
    const struct {
        const char* name;
        std::function<void(frmCalendar&)> act;
        bool open, selected;
        const wchar_t* handedBack;
        long shown;
    } cases[] = {
        {"a day of the month", [](frmCalendar& f) { ReleaseOn(f, kFirstDay + 14); }, false, true, L"20261214",
         20261214},
        {"a grey day", [](frmCalendar& f) { ReleaseOn(f, kFirstDay); }, true, false, L"", 20261205},
        {"the right button on a day", [](frmCalendar& f) { ReleaseOn(f, kFirstDay + 14, 2); }, true, false,
         L"", 20261205},
        {"the next month's button", [](frmCalendar& f) { ReleaseOn(f, kNextButton); }, true, false,
         L"20270105", 20270105},
        {"the previous month's button", [](frmCalendar& f) { ReleaseOn(f, kPrevButton); }, true, false,
         L"20261105", 20261105},
        {"Escape up",
         [](frmCalendar& f) {
             short k = VK_ESCAPE;
             f.Form_KeyUp(k, 0);
         },
         false, false, L"", 20261205},
        {"another window activated",
         [](frmCalendar&) {
             const UniqueHwnd other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                                    nullptr, nullptr, nullptr, nullptr));
             SetActiveWindow(other.get());
         },
         false, false, L"", 20261205},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto form = Open(20261205);
        form->Show({100, 100});
        ASSERT_EQ(GetActiveWindow(), form->hWnd());
        c.act(*form);
        EXPECT_EQ(form->hWnd() != nullptr, c.open);
        EXPECT_EQ(form->IsSelected, c.selected);
        EXPECT_EQ(Text(form->DropFrmDate), c.handedBack);
        EXPECT_EQ(form->CurrDate, FnsDate::RetDateTypeFromLong(c.shown));
        EXPECT_EQ(GetCapture(), c.open ? form->hWnd() : nullptr) << "held while open";
        form->Unload();
    }
}

// The hot mark follows the mouse onto a day and leaves with it; a lost
// capture is taken back.
TEST_F(CalendarTest, HotTrackingMarksTheDayUnderTheMouse) {
    s.HotTracking = s.HoverSelection = true;
    s.HoverColor = 0x00C000;
    const auto form = Open(20261205);
    form->Show({100, 100});
    const RECT grid{form->CellRects[kFirstDay].left, form->CellRects[kFirstDay].top,
                    form->CellRects[kLastDay].right, form->CellRects[kLastDay].bottom};
    ReleaseCapture();
    MoveTo(*form, kFirstDay + 12);
    EXPECT_EQ(form->HoverDay(), 12);
    EXPECT_FALSE(InkIn(form->hDC(), form->CellRects[kFirstDay + 12], 0x00C000).empty());
    EXPECT_EQ(GetCapture(), form->hWnd());
    MoveTo(*form, kTitle);
    EXPECT_EQ(form->HoverDay(), 0);
    EXPECT_TRUE(InkIn(form->hDC(), grid, 0x00C000).empty());
}

TEST_F(CalendarTest, InputTrapsReportWithTheirLabels) {
    const struct {
        std::function<void(frmCalendar&)> act;
        const wchar_t* message;
    } cases[] = {
        {[](frmCalendar& f) {
             short k = VK_LEFT;
             f.Form_KeyDown(k, 0);
         },
         L"frmVemo  KeyDown "},
        {[](frmCalendar& f) { f.Form_MouseUp(1, 0, 10, 10); }, L"frmVemo  MouseUp "},
        {[](frmCalendar& f) {
             std::wstring text = L"2026l205";
             DATE none = 0;
             f.SetNewDate(text, none);
         },
         L"frmVemo  SetNewDate Type mismatch 13"},
    };
    for (const auto& c : cases) {
        boxes.calls.clear();
        const auto form = Open(20261205);
        form->CurrDate = 1e9; // beyond any calendar date
        c.act(*form);
        ASSERT_EQ(boxes.calls.size(), 1u);
        EXPECT_EQ(boxes.calls[0].text.rfind(c.message, 0), 0u) << Narrow(boxes.calls[0].text);
    }
}

} // namespace
} // namespace zarn::test
