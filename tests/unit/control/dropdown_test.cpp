// The drop-down from the control's side: where the calendar goes, what the
// host hears around it, which dates become the value, and a host that
// quits or takes the control away while the calendar is open. The calendar
// is driven with messages posted to it from a timer, inside its loop; the
// end-to-end case "dropdown" replays the rest with real input.
#include "ControlFixture.h"
#include "control/Placement.h"
#include "platform/win/Handles.h"

namespace zarn::test {
namespace {

TEST(CalendarPlace, InsideTheWorkArea) {
    const RECT work{0, 0, 1000, 700};
    const SIZE size{254, 240};
    const struct {
        RECT control;
        POINT place;
    } cases[] = {
        {{100, 100, 220, 121}, {100, 121}},  // under the control
        {{100, 450, 220, 480}, {100, 210}},  // no room below: above it
        {{900, 100, 1020, 121}, {746, 121}}, // ending at the right edge
        {{-50, 100, 70, 121}, {0, 121}},     // never left of the work area
        {{100, 0, 220, 690}, {100, 0}},      // no room either way: at the top
    };
    for (const auto& c : cases) {
        const POINT p = CalendarPlace(c.control, size, work);
        EXPECT_EQ(p.x, c.place.x);
        EXPECT_EQ(p.y, c.place.y);
    }
}

thread_local std::function<void(HWND)> whenOpen;

void CALLBACK ActOnCalendar(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND form = OpenCalendar();
    if (!form)
        return;
    KillTimer(nullptr, id);
    std::exchange(whenOpen, nullptr)(form);
}

void Post(HWND form, UINT message, WPARAM wparam) { PostMessageW(form, message, wparam, 0); }

class DropDownTest : public ControlTest {
protected:
    DropDownTest() {
        // Shown, so that the focus can come back to the text box.
        control->UserControl().PlaceIn(form_.get(), {10, 10, 130, 31});
        control->PValue(V(L"20261205"));
        host.events.clear();
        host.onEvent = [this](DISPID id, std::span<EventArg> args) {
            if (id == shape::EventId("CalendarChoose"))
                chosen = *static_cast<std::wstring*>(args[0].value);
        };
    }
    ~DropDownTest() override {
        whenOpen = nullptr;
        control->UserControl().Park();
    }

    // F4 in the text box, with the calendar driven by `act` once open.
    void F4(std::function<void(HWND)> act) {
        whenOpen = std::move(act);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, ActOnCalendar);
        SendMessageW(control->Text1().Handle(), WM_KEYDOWN, VK_F4, 0);
        KillTimer(nullptr, timer);
    }

    UniqueHwnd form_{CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 300, 100, nullptr,
                                     nullptr, nullptr, nullptr)};
    std::wstring chosen;
};

// Picks, cancels and days out of range are replayed with real input by the
// end-to-end case; what only shows here is a cancel on an empty value,
// which stores today, and the one message of a calendar loaded on it.
TEST_F(DropDownTest, CancellingOnAnEmptyValueStoresToday) {
    SharedSettings::ForThread().PValue = Variant();
    control->Text1().SetText(L"");
    host.events.clear();
    F4([](HWND f) { Post(f, WM_KEYDOWN, VK_ESCAPE); });
    EXPECT_EQ(host.TakeEvents(), "KeyDown Click Change");
    EXPECT_EQ(Describe(control->PValue()).substr(0, 8), L"20261205");
    EXPECT_EQ(chosen, L"");
    EXPECT_FALSE(OpenCalendar());
    EXPECT_EQ(GetFocus(), control->Text1().Handle());
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, L"FnRetDateTypeFromLong: Yr Value too small.");
}

// A host may quit, take the control away or ask for a second calendar
// while one is open: the loop ends, the quit is posted again, and the
// second request fails with the drop-down's label.
TEST_F(DropDownTest, WhatAHostDoesWhileTheCalendarIsOpen) {
    F4([](HWND) { PostQuitMessage(9); });
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 9u);

    std::wstring source;
    F4([&](HWND f) {
        try {
            short one = 1;
            control->PiloCalendarshow(one);
        } catch (const RuntimeError& e) {
            source = e.Source() + L" " + std::to_wstring(e.Number());
        }
        Post(f, WM_KEYDOWN, VK_ESCAPE);
    });
    EXPECT_EQ(source, L"piloCal_Ctl:_Fn:piloCalendarShow 400");

    F4([this](HWND) { form_.reset(); });
    EXPECT_FALSE(OpenCalendar());
    EXPECT_EQ(host.TakeEvents(), "KeyDown Click KeyDown Click KeyDown Click");
    EXPECT_EQ(Describe(control->PValue()), L"20261205/8");
}

} // namespace
} // namespace zarn::test
