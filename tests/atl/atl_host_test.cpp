// The control hosted by atl.dll's AtlAxWin window: created from its ProgID,
// activated in place in the AtlAxWin window, driven through IDispatch, sized
// with its host window and released when that window goes.
#include "com/ContainerFakes.h"

using namespace zarn::test;

namespace {

// atl.dll, loaded once and kept: the AtlAxWin class it registers points
// into it. Wine's AtlAxWinInit answers FALSE when the class is there
// already, so it is called once for the process.
class AtlLibrary {
public:
    static AtlLibrary& Get() {
        static AtlLibrary atl;
        return atl;
    }

    bool Ready() const { return module_ && getControl && initialised; }

    HRESULT(WINAPI* getControl)(HWND, IUnknown**) = nullptr;
    bool initialised = false;

private:
    AtlLibrary() : module_(LoadLibraryW(L"atl.dll")) {
        if (!module_)
            return;
        const auto init = reinterpret_cast<BOOL(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(module_, "AtlAxWinInit")));
        getControl = reinterpret_cast<decltype(getControl)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "AtlAxGetControl")));
        initialised = init && init();
    }

    HMODULE module_;
};

// The DllCanUnloadNow of the Zarn2.ocx that COM loaded from the registry.
HRESULT ControlModuleCanUnloadNow() {
    const HMODULE ocx = GetModuleHandleW(L"Zarn2.ocx");
    if (!ocx)
        return E_UNEXPECTED;
    const auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(ocx, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_UNEXPECTED;
}

HWND CreateAxWindow(HWND parent, const wchar_t* name, SIZE size = {150, 25}) {
    return CreateWindowExW(0, L"AtlAxWin", name, WS_CHILD | WS_VISIBLE, 10, 10, size.cx, size.cy, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(AtlHost, HostsTheControlByItsProgId) {
    AtlLibrary& atl = AtlLibrary::Get();
    ASSERT_TRUE(atl.Ready()) << "atl.dll, its entry points or AtlAxWinInit failed";
    FormWindow form;
    const int windowsBefore = ThreadWindows();
    const HWND ax = CreateAxWindow(form.window, L"Zarn2.Zarn", {120, 21});
    ASSERT_TRUE(ax) << "error " << GetLastError();

    ComPtr<IUnknown> unknown;
    ComPtr<IDispatch> z;
    ComPtr<IOleWindow> oleWindow;
    ASSERT_EQ(atl.getControl(ax, unknown.GetAddressOf()), S_OK) << "AtlAxWin made no control";
    ASSERT_TRUE(SUCCEEDED(unknown.As(&z)) && SUCCEEDED(unknown.As(&oleWindow)));
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_FALSE);

    // The host placed it anew (InitNew), so it holds today's date as text.
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_BSTR " + TodayText());
    EXPECT_EQ(PropPut(z.Get(), id::PValue, Var(L"20240229")).hr, S_OK);
    EXPECT_EQ(ValueState(z.Get()), L"PValue=VT_BSTR 20240229 MinDate=VT_I4 19010101 MaxDate=VT_I4 20991231");

    // In place: a visible child filling the AtlAxWin window, resized with it,
    // its text box showing the value. At the size the control is created
    // with no size message comes, and the text box is laid out all the
    // same: a click at the button's left edge is the button's.
    HWND window = nullptr;
    ASSERT_EQ(oleWindow->GetWindow(&window), S_OK);
    EXPECT_EQ(GetParent(window), ax);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Describe(RectInParent(window)), "(0, 0, 120, 21)");
    EventSink events;
    {
        Connection fire(unknown.Get(), kDiidZarnEvents, &events);
        const CalendarCloser closer;
        ClickAt(window, POINT{120 - 21, 10});
    }
    EXPECT_EQ(events.events, Ids({8, 1})) << "MouseDown, then Click";
    MoveWindow(ax, 20, 30, 260, 30, TRUE);
    PumpMessages();
    EXPECT_EQ(Describe(RectInParent(window)), "(0, 0, 260, 30)");
    EXPECT_GT(GetWindowTextLengthW(FindWindowExW(window, nullptr, L"EDIT", nullptr)), 0);

    // Gone with its window: nothing of ours holds it, nothing of it stays.
    oleWindow.Reset(), z.Reset(), unknown.Reset();
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_FALSE) << "the AtlAxWin window still holds it";
    DestroyWindow(ax);
    PumpMessages();
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_OK);
    EXPECT_EQ(ThreadWindows(), windowsBefore);
}

// Two AtlAxWin windows, two controls, the second made by its CLSID;
// destroying one leaves the other.
TEST(AtlHost, EachWindowHasItsOwnControl) {
    AtlLibrary& atl = AtlLibrary::Get();
    ASSERT_TRUE(atl.Ready());
    FormWindow form;
    const HWND first = CreateAxWindow(form.window, L"Zarn2.Zarn");
    const HWND second = CreateAxWindow(form.window, L"{B95CA92B-1DF7-422F-82D7-28CE99C019D1}");
    ComPtr<IUnknown> a, b;
    ComPtr<IDispatch> z;
    ASSERT_EQ(atl.getControl(first, a.GetAddressOf()), S_OK);
    ASSERT_EQ(atl.getControl(second, b.GetAddressOf()), S_OK);
    EXPECT_NE(a.Get(), b.Get());
    a.Reset();
    DestroyWindow(first);
    PumpMessages();
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_FALSE);
    ASSERT_EQ(b.As(&z), S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::MinDate, 19500101).hr, S_OK);
    EXPECT_EQ(Read(z.Get(), id::MinDate), L"VT_I4 19500101");
    z.Reset(), b.Reset();
    DestroyWindow(second);
    PumpMessages();
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_OK);
}

} // namespace
