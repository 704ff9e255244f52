// What the user does to a 120 x 21 control and what it shows and its host
// hears: the pressed face, keys on the surface, the display-only text box,
// focus entry and loss, and failing host handlers. Hover, clicks, typing and
// the calendar's shortcuts are replayed with real input by the end-to-end
// cases, whose logs hold the events in order.
#include "ControlFixture.h"
#include "draw/DrawTestSupport.h"

namespace zarn::test {
namespace {

constexpr COLORREF kBorder = RGB(10, 20, 30);
constexpr COLORREF kFocus = RGB(200, 0, 0);

class SurfaceTest : public ControlTest {
protected:
    SurfaceTest() {
        MoveWindow(Surface(), 0, 0, 120, 21, FALSE);
        control->BorderColor(kBorder);
        control->FocusColor(kFocus);
        host.events.clear();
        host.onEvent = [this](DISPID id, std::span<EventArg>) {
            if (id == failing)
                throw RuntimeError(ErrInvalidCall, DescriptionOf(ErrInvalidCall));
        };
    }
    ~SurfaceTest() override {
        HoldKeys({});
        ReleaseCapture();
    }

    HWND Surface() { return control->UserControl().Handle(); }
    HWND Box() { return control->Text1().Handle(); }
    std::string Take() { return host.TakeEvents(); }

    void Mouse(HWND window, UINT message, int x, int y, WPARAM keys = 0) {
        SendMessageW(window, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void Move(int x, int y) { Mouse(Surface(), WM_MOUSEMOVE, x, y); }
    void Click(int downX, int downY, int upX, int upY) {
        Mouse(Surface(), WM_LBUTTONDOWN, downX, downY, MK_LBUTTON);
        Mouse(Surface(), WM_LBUTTONUP, upX, upY);
    }
    // Down, character (for printable keys) and up, as typing sends them.
    void Type(WORD key, wchar_t character = 0, bool system = false) {
        SendMessageW(Box(), system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 0);
        if (character)
            SendMessageW(Box(), WM_CHAR, character, 0);
        SendMessageW(Box(), system ? WM_SYSKEYUP : WM_KEYUP, key, 0);
    }
    void HoldKeys(std::initializer_list<int> keys) {
        BYTE state[256] = {};
        for (const int k : keys)
            state[k] = 0x80;
        SetKeyboardState(state);
    }
    // The focus moving in from, or out to, another window of the form
    // (the surface) or outside it (no window of this thread).
    void Focus(bool gained, bool withinForm = true) {
        SendMessageW(Box(), gained ? WM_SETFOCUS : WM_KILLFOCUS,
                     reinterpret_cast<WPARAM>(withinForm ? Surface() : nullptr), 0);
    }
    // The face as a repaint shows it: the colour of one pixel.
    COLORREF FaceAt(int x, int y) {
        Canvas canvas(120, 21);
        SendMessageW(Surface(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
        return canvas.At(x, y);
    }

    DISPID failing = 0;
};

// While the pointer is inside, a refresh shows the pressed face (no frame
// round the text area); once it has left, the normal one.
TEST_F(SurfaceTest, RefreshFollowsThePointer) {
    Move(50, 10);
    control->RefreshControl();
    EXPECT_NE(FaceAt(98, 10), kBorder);
    EXPECT_EQ(FaceAt(99, 10), kBorder);
    Move(200, 10);
    control->RefreshControl();
    EXPECT_EQ(FaceAt(98, 10), kBorder);
}

TEST_F(SurfaceTest, PressedButtonStaysPressedWhileThePointerMoves) {
    Mouse(Surface(), WM_LBUTTONDOWN, 110, 10, MK_LBUTTON);
    Move(50, 10);
    Move(300, 10);
    EXPECT_EQ(Take(), "MouseDown MouseMove MouseMove");
    EXPECT_NE(FaceAt(98, 10), kBorder); // still the pressed face
    Mouse(Surface(), WM_LBUTTONUP, 300, 10);
    // Normal again, framed in the focus colour: the press put the focus
    // into the control's text box.
    EXPECT_EQ(FaceAt(98, 10), kFocus);
    EXPECT_EQ(GetFocus(), Box());
}

// A disabled control never clicks, not even from a text box left enabled.
// (Without one it hears nothing at all: the end-to-end case "disabled".)
TEST_F(SurfaceTest, DisabledControlWithEnabledTextBoxNeverClicks) {
    control->Enabled(false);
    control->Text_Enabled(true);
    host.events.clear();
    Type(VK_F4);
    EXPECT_EQ(Take(), "KeyDown KeyUp");
}

// Keys pressed on the surface itself (when the text box cannot take the
// focus) are reported and light the face while down.
TEST_F(SurfaceTest, SurfaceKeysAreReported) {
    control->Text_Enabled(false);
    SendMessageW(Surface(), WM_SETFOCUS, 0, 0);
    SendMessageW(Surface(), WM_KEYDOWN, 'A', 0);
    EXPECT_NE(FaceAt(98, 10), kBorder);
    SendMessageW(Surface(), WM_CHAR, 'a', 0);
    SendMessageW(Surface(), WM_KEYUP, 'A', 0);
    EXPECT_EQ(FaceAt(98, 10), kBorder);
    EXPECT_EQ(Take(), "KeyDown KeyPress KeyUp");
    SendMessageW(Surface(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(host.focus, (std::vector<bool>{true, false})); // the container hears of it
}

// Shift and Ctrl of a mouse event are the message's, as they were when it
// was sent; Alt, which the message does not carry, is the keyboard's.
TEST_F(SurfaceTest, MouseShiftIsTheMessagesAndAltTheKeyboards) {
    std::vector<short> shifts;
    host.onEvent = [&](DISPID id, std::span<EventArg> args) {
        if (id == shape::EventId("MouseMove") || id == shape::EventId("MouseDown"))
            shifts.push_back(*static_cast<short*>(args[1].value));
    };
    HoldKeys({VK_SHIFT, VK_MENU});
    Mouse(Surface(), WM_MOUSEMOVE, 50, 10, MK_CONTROL);
    Mouse(Box(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(shifts, (std::vector<short>{6, 5}));
}

TEST_F(SurfaceTest, DisplayOnlyBoxRefusesCutPasteClearAndUndo) {
    const std::wstring shown = BoxText();
    SendMessageW(Box(), EM_SETSEL, 0, -1);
    for (const UINT message : {WM_CUT, WM_CLEAR, WM_PASTE, WM_UNDO})
        SendMessageW(Box(), message, 0, 0);
    EXPECT_EQ(BoxText(), shown);
}

TEST_F(SurfaceTest, FocusEntryShowsTheValue) {
    control->Text1().SetText(L"");
    Focus(true);
    EXPECT_EQ(BoxText(), L"05 Dec 2026");
    EXPECT_EQ(FaceAt(0, 10), kFocus);

    SharedSettings::ForThread().PValue = Variant();
    Focus(true);
    EXPECT_EQ(BoxText(), L"");
    EXPECT_TRUE(boxes.calls.empty());

    control->AllowNull(false);
    SharedSettings::ForThread().PValue = Variant();
    Focus(true);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, L"RetStrMthYrFromLng:Not YYYYMMDD format too short.");
    EXPECT_EQ(BoxText(), L"05 Dec 2026"); // today, while the value stays empty
    EXPECT_TRUE(SharedSettings::ForThread().PValue.IsEmpty());
}

// A message box shown on focus entry takes the focus out of the form and
// gives it back: that is no new focus entry, or the box would come back
// for ever.
TEST_F(SurfaceTest, FocusFromOutsideTheFormIsNoFocusEntry) {
    control->AllowNull(false);
    SharedSettings::ForThread().PValue = Variant();
    Focus(true, false);
    Focus(false, false);
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(host.focus, (std::vector<bool>{true, false}));
}

TEST_F(SurfaceTest, FocusLossWhitensTheBoxAndRestoresTheBorder) {
    Focus(true);
    control->Text1().SetBackColor(RGB(0, 255, 0));
    Focus(false);
    EXPECT_EQ(control->Text1().BackColor(), 0xFFFFFFu);
    EXPECT_EQ(FaceAt(0, 10), kBorder);
    EXPECT_EQ(host.focus, (std::vector<bool>{true, false}));
}

// A failing host handler ends the control's handler; a running host hears
// of it with the handler's label, a host at design time does not.
TEST_F(SurfaceTest, FailuresInTrappedHandlersCarryTheirLabels) {
    failing = shape::EventId("KeyDown");
    Type(VK_F4);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].title, L"piloCal_Ctl:_  Text_KeyDown ");
    EXPECT_EQ(boxes.calls[0].text, L"Run-time error '5':\n\nInvalid procedure call or argument");

    failing = shape::EventId("KeyPress");
    Type('A', L'a');
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[1].title, L"piloCal_Ctl:_ Text_KeyPress");

    failing = shape::EventId("MouseOver");
    short button = 0, shift = 0;
    float x = 50, y = 10;
    try {
        control->UserControl_MouseOut(button, shift, x, y);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Source(), L"piloCal_Ctl:_  MouseOut ");
        EXPECT_EQ(e.Number(), ErrInvalidCall);
    }

    // The button's release drops whatever fails after it.
    failing = shape::EventId("Click");
    Click(110, 10, 110, 10);
    EXPECT_EQ(boxes.calls.size(), 2u);

    host.userMode = false;
    failing = shape::EventId("MouseOver");
    EXPECT_NO_THROW(control->UserControl_MouseOut(button, shift, x, y));
    failing = shape::EventId("KeyDown");
    Type(VK_F4);
    EXPECT_EQ(boxes.calls.size(), 2u);
}

TEST_F(SurfaceTest, TenThousandFaceDrawsLeaveNoGdiObject) {
    EXPECT_EQ(ObjectsLeftBy([&] {
                  for (int i = 0; i < 10000; ++i)
                      control->DrawControl(i % 3);
              }),
              0);
}

} // namespace
} // namespace zarn::test
