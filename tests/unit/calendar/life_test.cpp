// The calendar's layout, and loading and unloading it: what a load fills
// in, how a failed one ends, and what a form leaves behind (soak/calendar
// repeats it).
#include "CalendarFixture.h"
#include "calendar/CalendarLayout.h"
#include "date/FnsDate.h"

namespace zarn::test {
namespace {

using namespace frmCalendarLayout;

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + " ";
}

TEST(CalendarLayout, RectanglesAndFormSize) {
    struct {
        long w, h, k;
        bool weeks;
        short width, height;
        const char* rects; // next button, title, first and last day, first and last week
    } cases[] = {
        {20, 16, 20, false, 150, 156, "124,4,144,24 26,4,122,24 4,54,24,70 124,134,144,150 0,0,0,0 0,0,0,0 "},
        {20, 16, 20, true, 174, 156, "148,4,168,24 26,4,146,24 28,54,48,70 148,134,168,150 4,54,24,70 4,134,24,150 "},
        {20, 16, 40, true, 174, 156, "148,4,168,24 26,4,146,24 28,54,48,70 148,134,168,150 4,54,44,70 4,134,44,150 "},
        {30, 30, 30, true, 254, 240, "218,4,248,24 36,4,216,24 38,54,68,84 218,204,248,234 4,54,34,84 4,204,34,234 "},
    };
    for (const auto& c : cases) {
        const Layout l = InitialRecShape(c.w, c.h, c.k, c.weeks);
        EXPECT_EQ(l.FormWidth, c.width);
        EXPECT_EQ(l.FormHeight, c.height);
        const auto& r = l.CellRects;
        EXPECT_EQ(Text(r[kNextButton]) + Text(r[kTitle]) + Text(r[kFirstDay]) + Text(r[kLastDay]) +
                      Text(r[kFirstWeek]) + Text(r[kFirstWeek + 5]),
                  c.rects);
    }
}

TEST_F(CalendarTest, LoadShowsAPopupThatLosingTheActivationCloses) {
    const long objects = gdi::LiveObjects();
    auto form = Open(20260214);
    ASSERT_TRUE(form->Loaded());
    const HWND window = form->hWnd();
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_POPUP | WS_CAPTION), WS_POPUP);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 254);
    EXPECT_EQ(r.bottom - r.top, 240);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(form->CurrDate, FnsDate::RetDateTypeFromLong(20260214));
    EXPECT_EQ(DayCells[5].Day, 0) << "a leading cell cannot be picked";
    EXPECT_EQ(DayCells[6].Day, 1);
    EXPECT_EQ(DayCells[6].Left, form->CellRects[16].left);

    form->Show({100, 100});
    SetActiveWindow(window);
    const UniqueHwnd other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                           nullptr, nullptr));
    SetActiveWindow(other.get());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(form->IsSelected);
    EXPECT_NE(GetCapture(), window);
    form.reset();
    EXPECT_EQ(DayCells[6].Day, 0);
    EXPECT_EQ(gdi::LiveObjects(), objects);
}

TEST_F(CalendarTest, FailedStepsReportAndAFailedLoadLeavesNoWindow) {
    struct {
        const char* name;
        std::function<void()> set;
        const wchar_t* message;
        bool loaded;
    } cases[] = {
        {"a value that is no number", [&] { s.PValue = Variant::FromText(L"abc"); },
         L"frmVemo   Load Type mismatch 13", false},
        {"a form too wide", [&] { s.CalendarGridWidth = 5000; }, L"frmVemo  Initial RecShape Overflow 6", true},
        {"a value before 1900", [&] { s.PValue = Variant::FromLong(18991231); },
         L"FnRetDateTypeFromLong: Yr Value too small.", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.calls.clear();
        s.PValue = Variant::FromLong(20260214);
        s.CalendarGridWidth = 30;
        c.set();
        const int before = ThreadWindows();
        frmCalendar form;
        form.Form_Load();
        ASSERT_FALSE(boxes.calls.empty());
        EXPECT_EQ(boxes.calls[0].text.rfind(c.message, 0), 0u) << Narrow(boxes.calls[0].text);
        EXPECT_EQ(form.Loaded(), c.loaded);
        form.Show({100, 100});
        EXPECT_EQ(IsWindow(form.hWnd()) != FALSE, c.loaded);
        form.Unload();
        EXPECT_EQ(ThreadWindows(), before);
    }
}

} // namespace
} // namespace zarn::test
