// In-place activation in a container made of fakes: the calls the control
// makes on its site, frame and document window, where its window goes, the
// focus and UI activation, keys, frozen events, and the references it lets
// go of.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

// A control placed anew on a form of fakes, its site set as a container
// sets it before anything else (OLEMISC_SETCLIENTSITEFIRST).
class ComInPlace : public testing::Test {
protected:
    void SetUp() override {
        object = Ocx::Get().Create();
        ComPtr<IPersistStreamInit> persist;
        ASSERT_TRUE(object && SUCCEEDED(object.As(&ole)) && SUCCEEDED(object.As(&inPlace)) &&
                    SUCCEEDED(object.As(&active)) && SUCCEEDED(object.As(&control)) &&
                    SUCCEEDED(object.As(&persist)));
        ASSERT_EQ(ole->SetClientSite(&site), S_OK);
        ASSERT_EQ(persist->InitNew(), S_OK);
    }
    void TearDown() override {
        if (ole)
            ole->Close(OLECLOSE_NOSAVE), ole->SetClientSite(nullptr);
    }

    HRESULT Verb(LONG verb) { return ole->DoVerb(verb, nullptr, &site, 0, form.window, &site.position); }
    HRESULT Activate() { return Verb(OLEIVERB_INPLACEACTIVATE); }
    // UI activation, with the focus notices it posts delivered.
    HRESULT UiActivate() {
        const HRESULT hr = Verb(OLEIVERB_UIACTIVATE);
        PumpMessages();
        return hr;
    }
    HWND Window() const {
        HWND window = nullptr;
        EXPECT_EQ(inPlace->GetWindow(&window), S_OK);
        return window;
    }
    HWND TextBox() const { return FindWindowExW(Window(), nullptr, L"EDIT", nullptr); }
    void Release() { object.Reset(), ole.Reset(), inPlace.Reset(), active.Reset(), control.Reset(); }
    // The calls logged since the last look.
    CallLog Calls() { return std::exchange(site.log, {}); }

    FormWindow form;
    FakeContainer site{form.window, {20, 30, 140, 51}};
    ComPtr<IDispatch> object;
    ComPtr<IOleObject> ole;
    ComPtr<IOleInPlaceObject> inPlace;
    ComPtr<IOleInPlaceActiveObject> active;
    ComPtr<IOleControl> control;
};

// Connects a sink for good: closing the control is what lets it go.
void AdviseForGood(IUnknown* object, REFIID iid, IUnknown* sink) {
    ComPtr<IConnectionPointContainer> points;
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    ASSERT_EQ(object->QueryInterface(IID_PPV_ARGS(&points)), S_OK);
    ASSERT_EQ(points->FindConnectionPoint(iid, point.GetAddressOf()), S_OK);
    ASSERT_EQ(point->Advise(sink, &cookie), S_OK);
}

MSG KeyDown(HWND window, WPARAM key) {
    return MSG{window, WM_KEYDOWN, key, 1, 0, {}};
}

TEST_F(ComInPlace, ActivationAsksTheSiteThenTakesItsPlaceInTheContainer) {
    const HWND before = Window();
    ASSERT_TRUE(before);
    EXPECT_FALSE(IsChild(form.window, before) || IsWindowVisible(before));

    ASSERT_EQ(Activate(), S_OK);
    EXPECT_EQ(Calls(), CallLog({"Site.CanInPlaceActivate", "Site.OnInPlaceActivate", "Site.GetWindow",
                                "Site.GetWindowContext"}));
    EXPECT_EQ(Window(), before) << "one window for the control's life";
    EXPECT_EQ(GetParent(before), form.window);
    EXPECT_TRUE(IsWindowVisible(before));
    EXPECT_EQ(Describe(RectInParent(before)), "(20, 30, 140, 51)");
    EXPECT_EQ(Activate(), S_OK);
    EXPECT_EQ(Calls(), CallLog({})) << "activating again is no new activation";
}

TEST_F(ComInPlace, SiteThatRefusesKeepsTheControlOutOfTheContainer) {
    site.canActivate = S_FALSE;
    EXPECT_TRUE(FAILED(Activate()));
    EXPECT_EQ(Calls(), CallLog({"Site.CanInPlaceActivate"}));
    EXPECT_FALSE(IsChild(form.window, Window()));
    EXPECT_EQ(site.frame.refs + site.document.refs, 2u);
}

// Wherever the container places the control, at the size it was created
// with (120 x 21, when no size message comes) or another, the text box is
// laid out: 2 pixels in, up to 2 pixels before the square button, so a
// click at the button's left edge is the button's.
TEST_F(ComInPlace, TextBoxIsLaidOutHoweverTheContainerPlacesTheControl) {
    EventSink events;
    Connection fire(object.Get(), kDiidZarnEvents, &events);
    const CalendarCloser closer;
    const RECT created = site.position, wider{5, 60, 205, 84}, clip{0, 0, 400, 200};
    const struct {
        const char* how;
        std::function<HRESULT()> place;
        RECT at;
    } cases[] = {
        {"shown at its creation size", [&] { return Verb(OLEIVERB_SHOW); }, created},
        {"given that rectangle once", [&] { return inPlace->SetObjectRects(&created, &clip); }, created},
        {"given a wider one", [&] { return inPlace->SetObjectRects(&wider, &clip); }, wider},
        {"activated again", [&] { return Activate(); }, wider},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.place(), S_OK) << c.how;
        EXPECT_EQ(Describe(RectInParent(Window())), Describe(c.at)) << c.how;
        const LONG width = c.at.right - c.at.left, height = c.at.bottom - c.at.top;
        const RECT box = RectInParent(TextBox());
        EXPECT_EQ(std::pair(box.left, box.right), std::pair(2L, width - height - 2)) << c.how;
        events.events.clear();
        ClickAt(Window(), POINT{width - height, height / 2});
        EXPECT_EQ(events.events, Ids({8, 1})) << c.how << ": MouseDown, then Click";
    }
    EXPECT_EQ(inPlace->SetObjectRects(nullptr, &clip), E_POINTER);
}

// A click into the text box makes the control UI-active: the site hears it,
// the frame and the document get the control as active object, and the
// control site hears of the focus; focus going elsewhere is reported too.
TEST_F(ComInPlace, ClickIntoTheTextBoxActivatesTheUserInterface) {
    ASSERT_EQ(Activate(), S_OK);
    SetFocus(form.other);
    PumpMessages();
    Calls();
    const HWND box = TextBox();
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(GetFocus(), box);
    EXPECT_EQ(Calls(),
              CallLog({"Site.OnUIActivate", "Frame.SetActiveObject(control)",
                       "Document.SetActiveObject(control)", "Frame.SetMenu(null)", "Site.OnFocus(TRUE)"}));
    EXPECT_TRUE(site.frame.active && site.document.active);

    SetFocus(form.other);
    PumpMessages();
    EXPECT_EQ(Calls(), CallLog({"Site.OnFocus(FALSE)"}));
    SetFocus(box);
    PumpMessages();
    EXPECT_EQ(Calls(), CallLog({"Site.OnFocus(TRUE)"})) << "already UI-active: only the focus is news";
}

// Deactivation undoes activation in reverse, and the window goes back into
// hiding, out of the container's window.
TEST_F(ComInPlace, DeactivationHandsBackAndHidesTheWindow) {
    ASSERT_EQ(UiActivate(), S_OK);
    const HWND window = Window();
    Calls();
    EXPECT_EQ(inPlace->UIDeactivate(), S_OK);
    EXPECT_EQ(Calls(), CallLog({"Document.SetActiveObject(null)", "Frame.SetActiveObject(null)",
                                "Site.OnUIDeactivate(FALSE)"}));
    EXPECT_FALSE(site.frame.active || site.document.active);
    EXPECT_TRUE(IsChild(form.window, window)) << "still in place after UI deactivation";

    ASSERT_EQ(GetFocus(), TextBox());
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    PumpMessages();
    EXPECT_EQ(Calls(), CallLog({"Site.OnFocus(FALSE)", "Site.OnInPlaceDeactivate"}));
    EXPECT_FALSE(GetFocus() == window || IsChild(window, GetFocus())) << "the focus left in a hidden window";
    EXPECT_FALSE(IsChild(form.window, window) || IsWindowVisible(window));
    EXPECT_EQ(site.frame.refs + site.document.refs, 2u);

    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(inPlace->UIDeactivate(), S_OK);
    EXPECT_EQ(Calls(), CallLog({}));
}

// The UI-activate verb activates in place, then the user interface, and
// gives the text box the focus; in-place deactivation straight from UI
// activity goes through UI deactivation first.
TEST_F(ComInPlace, UiActivateVerbAndInPlaceDeactivationGoAllTheWay) {
    SetFocus(form.other);
    PumpMessages();
    ASSERT_EQ(UiActivate(), S_OK);
    EXPECT_EQ(GetFocus(), TextBox());
    EXPECT_EQ(Calls(),
              CallLog({"Site.CanInPlaceActivate", "Site.OnInPlaceActivate", "Site.GetWindow",
                       "Site.GetWindowContext", "Site.OnUIActivate", "Frame.SetActiveObject(control)",
                       "Document.SetActiveObject(control)", "Frame.SetMenu(null)", "Site.OnFocus(TRUE)"}));
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    PumpMessages();
    EXPECT_EQ(Calls(),
              CallLog({"Document.SetActiveObject(null)", "Frame.SetActiveObject(null)",
                       "Site.OnUIDeactivate(FALSE)", "Site.OnFocus(FALSE)", "Site.OnInPlaceDeactivate"}));
}

// With the text box disabled, UI activation gives the focus to the surface,
// which then reports it to the site and raises the key events itself.
TEST_F(ComInPlace, UiActivationWithTheTextBoxDisabledFocusesTheSurface) {
    ASSERT_EQ(PropPut(object.Get(), IdOf(object.Get(), L"Text_Enabled"), Var::Bool(false)).hr, S_OK);
    EventSink events;
    Connection fire(object.Get(), kDiidZarnEvents, &events);
    SetFocus(form.other);
    PumpMessages();
    Calls();
    ASSERT_EQ(UiActivate(), S_OK);
    EXPECT_EQ(GetFocus(), Window());
    EXPECT_EQ(Calls().back(), "Site.OnFocus(TRUE)");
    SendMessageW(GetFocus(), WM_KEYDOWN, 'A', 1);
    SendMessageW(GetFocus(), WM_KEYUP, 'A', 1);
    EXPECT_EQ(events.events, Ids({5, 7})) << "KeyDown, KeyUp";
}

// The hide verb takes the control out of view and the show verb brings it
// back, in its place; verbs the control does not have are told apart.
TEST_F(ComInPlace, HideAndShowVerbs) {
    ASSERT_EQ(UiActivate(), S_OK);
    const HWND window = Window();
    Calls();
    ASSERT_EQ(Verb(OLEIVERB_HIDE), S_OK);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(Calls().at(0), "Document.SetActiveObject(null)");
    ASSERT_EQ(Verb(OLEIVERB_SHOW), S_OK);
    EXPECT_TRUE(IsWindowVisible(window)) << "shown again after the hide verb";
    EXPECT_EQ(Describe(RectInParent(window)), "(20, 30, 140, 51)");
    EXPECT_EQ(Verb(7), OLEOBJ_S_INVALIDVERB);
    EXPECT_EQ(Verb(OLEIVERB_OPEN), E_NOTIMPL);
}

// Close and SetClientSite(nullptr) are how a container lets a control go:
// after them the control holds nothing of the container.
TEST_F(ComInPlace, CloseAndNoSiteReleaseEveryReferenceToTheContainer) {
    NotifySink notifications;
    EventSink events;
    AdviseForGood(object.Get(), IID_IPropertyNotifySink, &notifications);
    AdviseForGood(object.Get(), kDiidZarnEvents, &events);
    FakeAdviseSink view;
    ComPtr<IViewObject2> viewObject;
    ASSERT_EQ(object.As(&viewObject), S_OK);
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, &view), S_OK);
    ASSERT_EQ(UiActivate(), S_OK);
    EXPECT_GT(site.refs, 1u);
    EXPECT_GT(site.frame.refs, 1u);

    EXPECT_EQ(ole->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(ole->SetClientSite(nullptr), S_OK);
    PumpMessages();
    EXPECT_EQ(std::vector({site.refs, site.frame.refs, site.document.refs, notifications.refs, events.refs}),
              std::vector<ULONG>(5, 1));
    EXPECT_EQ(view.refs, 2u) << "the view advise is the container's to end";
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
    EXPECT_EQ(view.refs, 1u);
    ComPtr<IOleClientSite> none;
    EXPECT_EQ(ole->GetClientSite(none.GetAddressOf()), S_OK);
    EXPECT_FALSE(none);

    // Released, the control goes, and so does the module's last object.
    viewObject.Reset(), control.Reset(), active.Reset(), inPlace.Reset(), ole.Reset();
    EXPECT_EQ(object.Detach()->Release(), 0u);
    EXPECT_EQ(Ocx::Get().CanUnloadNow(), S_OK);
}

// A host's handler may close the control, drop its site and let go of its
// last reference inside any event, as a form closing itself on a key or a
// click does: the control finishes the message or the call that raised the
// event without going on with it (no Click after a closing KeyDown), then goes.
TEST_F(ComInPlace, HandlerMayCloseAndReleaseTheControlInsideAnyEvent) {
    const auto send = [this](bool toBox, UINT message, WPARAM wparam, LPARAM lparam = 1) {
        return [=, this] { SendMessageW(toBox ? TextBox() : Window(), message, wparam, lparam); };
    };
    const auto click = [this](POINT at) { return [=, this] { ClickAt(Window(), at); }; };
    const LPARAM overButton = MAKELPARAM(100, 10), outside = MAKELPARAM(300, 10);
    const struct {
        std::vector<DISPID> raised; // the last one's handler closes and releases
        std::vector<std::function<void()>> steps;
    } cases[] = {
        {{5}, {send(true, WM_KEYDOWN, VK_F4)}}, // KeyDown, no Click after it
        {{6}, {send(true, WM_CHAR, 'a')}},
        {{7}, {send(true, WM_KEYUP, VK_F4)}},
        {{8}, {click({100, 10})}},       // MouseDown on the button
        {{8, 1}, {click({100, 10})}},    // Click
        {{8}, {click({10, 10})}},        // MouseDown on the text box
        {{9}, {send(false, WM_MOUSEMOVE, 0, overButton)}},
        {{9, 2}, {send(false, WM_MOUSEMOVE, 0, overButton)}}, // MouseOver, the first of two
        {{9, 2, 2, 9, 3}, {send(false, WM_MOUSEMOVE, 0, overButton), send(false, WM_MOUSEMOVE, 0, outside)}},
        {{10}, {[this] { PropPut(object.Get(), id::PValue, 20240101); }}}, // Change, the caller's last
    };
    Release();
    const int windows = ThreadWindows();
    for (const auto& c : cases) {
        SetUp();
        ASSERT_EQ(Activate(), S_OK);
        EventSink events;
        AdviseForGood(object.Get(), kDiidZarnEvents, &events);
        events.handler = [&](DISPID) {
            if (events.events != c.raised)
                return;
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
            Release();
        };
        for (const auto& step : c.steps)
            step();
        PumpMessages();
        EXPECT_EQ(events.events, c.raised);
        EXPECT_FALSE(object) << "never closed";
        EXPECT_EQ(Ocx::Get().CanUnloadNow(), S_OK) << "the control stayed";
        EXPECT_EQ(ThreadWindows(), windows);
        EXPECT_EQ(std::vector({site.refs, site.frame.refs, site.document.refs, events.refs}),
                  std::vector<ULONG>(4, 1));
    }
}

// The text box keeps the keys it acts on; everything else, Tab first, goes
// to the container's dialog navigation through the control site.
TEST_F(ComInPlace, AcceleratorsKeepTheTextBoxKeysAndPassTheRestToTheSite) {
    ASSERT_EQ(UiActivate(), S_OK);
    const HWND box = TextBox();
    const CalendarCloser closer;
    Calls();
    for (WPARAM key : {VK_F4, VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_PRIOR, VK_NEXT}) {
        MSG msg = KeyDown(box, key);
        EXPECT_EQ(active->TranslateAccelerator(&msg), S_OK) << "key " << key;
    }
    // F4 opened the calendar, which held the focus until it closed.
    EXPECT_EQ(Calls(), CallLog({"Site.OnFocus(FALSE)", "Site.OnFocus(TRUE)"}));

    MSG tab = KeyDown(box, VK_TAB), letter = KeyDown(box, 'A'), elsewhere = KeyDown(form.other, VK_DOWN);
    EXPECT_EQ(active->TranslateAccelerator(&tab), S_FALSE);
    site.acceleratorAnswer = S_OK;
    EXPECT_EQ(active->TranslateAccelerator(&letter), S_OK) << "the site's answer is the control's";
    EXPECT_EQ(active->TranslateAccelerator(&elsewhere), S_OK);
    EXPECT_EQ(Calls(), CallLog({"Site.TranslateAccelerator(WM_KEYDOWN, 0x09, 0)",
                                "Site.TranslateAccelerator(WM_KEYDOWN, 0x41, 0)",
                                "Site.TranslateAccelerator(WM_KEYDOWN, 0x28, 0)"}));
    EXPECT_EQ(active->TranslateAccelerator(nullptr), E_POINTER);
}

// Change reaches the host when the text shown changes, not when a value
// leaves it as it was; while the container freezes events it hears none,
// and freezes nest.
TEST_F(ComInPlace, ChangeEventFollowsTheShownTextAndFreezing) {
    ASSERT_EQ(Activate(), S_OK);
    ASSERT_EQ(PropPut(object.Get(), id::PValue, 20240101).hr, S_OK);
    EventSink events;
    Connection fire(object.Get(), kDiidZarnEvents, &events);
    const auto changes = [&](std::initializer_list<std::function<void()>> steps) {
        events.events.clear();
        for (const auto& step : steps)
            step();
        return events.events.size();
    };
    const auto value = [&](const Var& v) {
        return [&, v] { EXPECT_EQ(PropPut(object.Get(), id::PValue, v).hr, S_OK); };
    };
    const auto freeze = [&](BOOL on) { return [&, on] { EXPECT_EQ(control->FreezeEvents(on), S_OK); }; };

    EXPECT_EQ(changes({value(20240102)}), 1u);
    EXPECT_EQ(changes({value(20240102), value(L"20240102")}), 0u) << "same text, whatever its type";
    EXPECT_EQ(
        changes({freeze(TRUE), value(20240103), freeze(TRUE), freeze(FALSE), value(20240104), freeze(FALSE)}),
        0u)
        << "frozen, once and twice";
    EXPECT_EQ(changes({value(20240105)}), 1u);
    EXPECT_EQ(events.events, Ids({10})); // Change
    EXPECT_EQ(Read(object.Get(), id::PValue), L"VT_I4 20240105");
}

} // namespace
