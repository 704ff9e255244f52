// Loading and unloading the calendar: what a load fills in, how a failed
// one ends, and what painting and unloading leave behind.
#include "CalendarFixture.h"
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

TEST_F(CalendarTest, LoadShowsAPopupOfTheLayoutsSize) {
    const auto form = Open(20260214);
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
    EXPECT_FALSE(form->IsSelected);
    EXPECT_EQ(DayCells[5].Day, 0) << "a leading cell cannot be picked";
    EXPECT_EQ(DayCells[6].Day, 1);
    EXPECT_EQ(DayCells[6].Left, form->CellRects[16].left);

    form->Show({100, 100});
    EXPECT_TRUE(IsWindowVisible(window));
    // Another window taking the activation closes the form; nothing is picked.
    SetActiveWindow(window);
    const UniqueHwnd other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                           nullptr, nullptr));
    SetActiveWindow(other.get());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(form->IsSelected);
    EXPECT_NE(GetCapture(), window);
    form->Form_Terminate();
    EXPECT_EQ(form->CellRects[kFirstDay].right, 0);
    EXPECT_EQ(DayCells[6].Day, 0);
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

// The few fonts of the month are made once; nothing else outlives a paint
// (soak/calendar repeats this 10,000 and 1,000 times).
TEST_F(CalendarTest, PaintsKeepOnlyTheirFontsAndUnloadsLeaveNothing) {
    const long before = gdi::LiveObjects();
    const int windows = ThreadWindows();
    {
        s.ShowWeekSignPicture = true;
        const auto form = Open(20261205);
        form->SetHotDay(12);
        form->DrawCalendar();
        const long kept = gdi::LiveObjects();
        for (int i = 0; i < 100; ++i)
            form->DrawCalendar();
        EXPECT_EQ(gdi::LiveObjects(), kept);
        EXPECT_LE(form->Ink().FontsKept(), 8u);
    }
    for (int i = 0; i < 10; ++i)
        frmCalendar().Form_Load();
    EXPECT_EQ(gdi::LiveObjects(), before);
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_EQ(boxes.calls.size(), 0u);
}

} // namespace
} // namespace zarn::test
