// In-place activation in a container made of fakes: the calls the control
// makes on its site, frame and document window, where its window goes, the
// focus and UI activation, keys, frozen events, and the references it lets
// go of.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

constexpr DISPID kChange = 10;

// A control placed anew on a form of fakes, its site set as a container
// sets it before anything else (OLEMISC_SETCLIENTSITEFIRST).
struct Placement {
    explicit Placement(RECT position = {20, 30, 140, 51})
        : site(form.window, position, log), object(Ocx::Get().Create()) {
        if (!object)
            return;
        EXPECT_EQ(object.As(&ole), S_OK);
        EXPECT_EQ(object.As(&inPlace), S_OK);
        EXPECT_EQ(object.As(&active), S_OK);
        EXPECT_EQ(object.As(&control), S_OK);
        ComPtr<IPersistStreamInit> persist;
        EXPECT_EQ(object.As(&persist), S_OK);
        EXPECT_EQ(ole->SetClientSite(&site), S_OK);
        EXPECT_EQ(persist->InitNew(), S_OK);
    }
    ~Placement() {
        if (ole) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
    }

    HRESULT Activate() {
        return ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form.window, &site.position);
    }
    HWND Window() const {
        HWND window = nullptr;
        EXPECT_EQ(inPlace->GetWindow(&window), S_OK);
        return window;
    }
    HWND TextBox() const { return FindWindowExW(Window(), nullptr, L"EDIT", nullptr); }

    FormWindow form;
    CallLog log;
    FakeContainer site;
    ComPtr<IDispatch> object;
    ComPtr<IOleObject> ole;
    ComPtr<IOleInPlaceObject> inPlace;
    ComPtr<IOleInPlaceActiveObject> active;
    ComPtr<IOleControl> control;
};

MSG KeyDown(HWND window, WPARAM key) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    return msg;
}

TEST(ComInPlace, ActivationAsksTheSiteThenTakesItsPlaceInTheContainer) {
    Placement p;
    ASSERT_TRUE(p.ole);
    const HWND before = p.Window();
    ASSERT_TRUE(before);
    EXPECT_FALSE(IsChild(p.form.window, before));
    EXPECT_FALSE(IsWindowVisible(before));

    ASSERT_EQ(p.Activate(), S_OK);
    EXPECT_EQ(p.log, CallLog({"Site.CanInPlaceActivate", "Site.OnInPlaceActivate", "Site.GetWindow",
                              "Site.GetWindowContext"}));
    const HWND window = p.Window();
    EXPECT_EQ(window, before) << "one window for the control's life";
    EXPECT_EQ(GetParent(window), p.form.window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Describe(RectInParent(window)), "(20, 30, 140, 51)");

    // Activating again is no new activation.
    p.log.clear();
    EXPECT_EQ(p.Activate(), S_OK);
    EXPECT_EQ(p.log, CallLog({}));
}

TEST(ComInPlace, SiteThatRefusesKeepsTheControlOutOfTheContainer) {
    Placement p;
    ASSERT_TRUE(p.ole);
    p.site.canActivate = S_FALSE;
    EXPECT_TRUE(FAILED(p.Activate()));
    EXPECT_EQ(p.log, CallLog({"Site.CanInPlaceActivate"}));
    EXPECT_FALSE(IsChild(p.form.window, p.Window()));
    EXPECT_EQ(p.site.frame.refs, 1u);
    EXPECT_EQ(p.site.document.refs, 1u);
}

TEST(ComInPlace, ObjectRectsMoveAndSizeTheWindow) {
    Placement p;
    ASSERT_TRUE(p.ole);
    ASSERT_EQ(p.Activate(), S_OK);
    const RECT position{5, 60, 205, 84}, clip{0, 0, 400, 200};
    EXPECT_EQ(p.inPlace->SetObjectRects(&position, &clip), S_OK);
    EXPECT_EQ(Describe(RectInParent(p.Window())), "(5, 60, 205, 84)");
    RECT client{};
    GetClientRect(p.Window(), &client);
    EXPECT_EQ(Describe(client), "(0, 0, 200, 24)");
    // The text box is laid out again: 2 pixels in, up to 2 pixels before the
    // square button.
    RECT box = RectInParent(p.TextBox());
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 200 - 24 - 2);
    EXPECT_EQ(p.inPlace->SetObjectRects(nullptr, &clip), E_POINTER);
}

// A click into the text box makes the control UI-active: the site hears it,
// the frame and the document get the control as active object, and the
// control site hears of the focus; focus going elsewhere is reported too.
TEST(ComInPlace, ClickIntoTheTextBoxActivatesTheUserInterface) {
    Placement p;
    ASSERT_TRUE(p.ole);
    ASSERT_EQ(p.Activate(), S_OK);
    SetFocus(p.form.other);
    PumpMessages();
    p.log.clear();

    const HWND box = p.TextBox();
    ASSERT_TRUE(box);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(GetFocus(), box);
    EXPECT_EQ(p.log,
              CallLog({"Site.OnUIActivate", "Frame.SetActiveObject(control)",
                       "Document.SetActiveObject(control)", "Frame.SetMenu(null)", "Site.OnFocus(TRUE)"}));
    EXPECT_TRUE(p.site.frame.active);
    EXPECT_TRUE(p.site.document.active);

    p.log.clear();
    SetFocus(p.form.other);
    PumpMessages();
    EXPECT_EQ(p.log, CallLog({"Site.OnFocus(FALSE)"}));

    // Back in: already UI-active, so only the focus is news.
    p.log.clear();
    SetFocus(box);
    PumpMessages();
    EXPECT_EQ(p.log, CallLog({"Site.OnFocus(TRUE)"}));
}

TEST(ComInPlace, UiActivateVerbGivesTheTextBoxTheFocus) {
    Placement p;
    ASSERT_TRUE(p.ole);
    SetFocus(p.form.other);
    PumpMessages();
    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    PumpMessages();
    EXPECT_EQ(GetFocus(), p.TextBox());
    EXPECT_EQ(p.log,
              CallLog({"Site.CanInPlaceActivate", "Site.OnInPlaceActivate", "Site.GetWindow",
                       "Site.GetWindowContext", "Site.OnUIActivate", "Frame.SetActiveObject(control)",
                       "Document.SetActiveObject(control)", "Frame.SetMenu(null)", "Site.OnFocus(TRUE)"}));
}

// Deactivation undoes activation in reverse, and the window goes back into
// hiding, out of the container's window.
TEST(ComInPlace, DeactivationHandsBackAndHidesTheWindow) {
    Placement p;
    ASSERT_TRUE(p.ole);
    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    PumpMessages();
    const HWND window = p.Window();

    p.log.clear();
    EXPECT_EQ(p.inPlace->UIDeactivate(), S_OK);
    EXPECT_EQ(p.log, CallLog({"Document.SetActiveObject(null)", "Frame.SetActiveObject(null)",
                              "Site.OnUIDeactivate(FALSE)"}));
    EXPECT_FALSE(p.site.frame.active);
    EXPECT_FALSE(p.site.document.active);
    EXPECT_TRUE(IsChild(p.form.window, window)) << "still in place after UI deactivation";

    p.log.clear();
    ASSERT_EQ(GetFocus(), p.TextBox());
    EXPECT_EQ(p.inPlace->InPlaceDeactivate(), S_OK);
    PumpMessages();
    EXPECT_EQ(p.log, CallLog({"Site.OnFocus(FALSE)", "Site.OnInPlaceDeactivate"}));
    EXPECT_FALSE(GetFocus() == window || IsChild(window, GetFocus())) << "the focus left in a hidden window";
    EXPECT_FALSE(IsChild(p.form.window, window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(p.site.frame.refs, 1u);
    EXPECT_EQ(p.site.document.refs, 1u);

    p.log.clear();
    EXPECT_EQ(p.inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(p.inPlace->UIDeactivate(), S_OK);
    EXPECT_EQ(p.log, CallLog({}));
}

// In-place deactivation straight from UI activity goes through UI
// deactivation first.
TEST(ComInPlace, InPlaceDeactivationFromUiActivityDeactivatesTheUserInterfaceFirst) {
    Placement p;
    ASSERT_TRUE(p.ole);
    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    PumpMessages();
    p.log.clear();
    EXPECT_EQ(p.inPlace->InPlaceDeactivate(), S_OK);
    PumpMessages();
    EXPECT_EQ(p.log,
              CallLog({"Document.SetActiveObject(null)", "Frame.SetActiveObject(null)",
                       "Site.OnUIDeactivate(FALSE)", "Site.OnFocus(FALSE)", "Site.OnInPlaceDeactivate"}));
}

// The hide verb takes the control out of view and the show verb brings it
// back, in its place; verbs the control does not have are told apart.
TEST(ComInPlace, HideAndShowVerbs) {
    Placement p;
    ASSERT_TRUE(p.ole);
    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    PumpMessages();
    const HWND window = p.Window();

    p.log.clear();
    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_HIDE, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(p.log[0], "Document.SetActiveObject(null)");

    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_SHOW, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    EXPECT_TRUE(IsWindowVisible(window)) << "shown again after the hide verb";
    EXPECT_EQ(Describe(RectInParent(window)), "(20, 30, 140, 51)");

    EXPECT_EQ(p.ole->DoVerb(7, nullptr, &p.site, 0, p.form.window, &p.site.position), OLEOBJ_S_INVALIDVERB);
    EXPECT_EQ(p.ole->DoVerb(OLEIVERB_OPEN, nullptr, &p.site, 0, p.form.window, &p.site.position), E_NOTIMPL);
}

// Close and SetClientSite(nullptr) are how a container lets a control go:
// after them the control holds nothing of the container.
TEST(ComInPlace, CloseAndNoSiteReleaseEveryReferenceToTheContainer) {
    Placement p;
    ASSERT_TRUE(p.ole);
    NotifySink notifications;
    EventSink events;
    ComPtr<IConnectionPointContainer> points;
    ASSERT_EQ(p.object.As(&points), S_OK);
    ComPtr<IConnectionPoint> notifyPoint, eventPoint;
    ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, notifyPoint.GetAddressOf()), S_OK);
    ASSERT_EQ(points->FindConnectionPoint(kDiidZarnEvents, eventPoint.GetAddressOf()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(notifyPoint->Advise(&notifications, &cookie), S_OK);
    ASSERT_EQ(eventPoint->Advise(&events, &cookie), S_OK);
    FakeAdviseSink view;
    ComPtr<IViewObject2> viewObject;
    ASSERT_EQ(p.object.As(&viewObject), S_OK);
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, &view), S_OK);
    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    PumpMessages();
    EXPECT_GT(p.site.refs, 1u);
    EXPECT_GT(p.site.frame.refs, 1u);

    EXPECT_EQ(p.ole->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(p.ole->SetClientSite(nullptr), S_OK);
    PumpMessages();
    EXPECT_EQ(p.site.refs, 1u);
    EXPECT_EQ(p.site.frame.refs, 1u);
    EXPECT_EQ(p.site.document.refs, 1u);
    EXPECT_EQ(notifications.refs, 1u);
    EXPECT_EQ(events.refs, 1u);
    EXPECT_EQ(view.refs, 2u) << "the view advise is the container's to end";
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
    EXPECT_EQ(view.refs, 1u);
    ComPtr<IOleClientSite> none;
    EXPECT_EQ(p.ole->GetClientSite(none.GetAddressOf()), S_OK);
    EXPECT_FALSE(none);

    // Released, the control goes, and so does the module's last object.
    viewObject.Reset();
    points.Reset();
    notifyPoint.Reset();
    eventPoint.Reset();
    p.control.Reset();
    p.active.Reset();
    p.inPlace.Reset();
    p.ole.Reset();
    EXPECT_EQ(p.object.Detach()->Release(), 0u);
    EXPECT_EQ(Ocx::Get().CanUnloadNow(), S_OK);
}

// The text box keeps the keys it acts on; everything else, Tab first, goes
// to the container's dialog navigation through the control site.
TEST(ComInPlace, AcceleratorsKeepTheTextBoxKeysAndPassTheRestToTheSite) {
    Placement p;
    ASSERT_TRUE(p.ole);
    ASSERT_EQ(p.ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &p.site, 0, p.form.window, &p.site.position), S_OK);
    PumpMessages();
    const HWND box = p.TextBox();
    p.log.clear();

    for (WPARAM key : {VK_F4, VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_PRIOR, VK_NEXT}) {
        MSG msg = KeyDown(box, key);
        EXPECT_EQ(p.active->TranslateAccelerator(&msg), S_OK) << "key " << key;
    }
    EXPECT_EQ(p.log, CallLog({}));

    MSG tab = KeyDown(box, VK_TAB);
    EXPECT_EQ(p.active->TranslateAccelerator(&tab), S_FALSE);
    p.site.acceleratorAnswer = S_OK;
    MSG letter = KeyDown(box, 'A');
    EXPECT_EQ(p.active->TranslateAccelerator(&letter), S_OK) << "the site's answer is the control's";
    MSG elsewhere = KeyDown(p.form.other, VK_DOWN);
    EXPECT_EQ(p.active->TranslateAccelerator(&elsewhere), S_OK);
    EXPECT_EQ(p.log, CallLog({"Site.TranslateAccelerator(WM_KEYDOWN, 0x09, 0)",
                              "Site.TranslateAccelerator(WM_KEYDOWN, 0x41, 0)",
                              "Site.TranslateAccelerator(WM_KEYDOWN, 0x28, 0)"}));
    EXPECT_EQ(p.active->TranslateAccelerator(nullptr), E_POINTER);
}

// Change reaches the host when the text shown changes, not when a value
// leaves it as it was; while the container freezes events it hears none,
// and freezes nest.
TEST(ComInPlace, ChangeEventFollowsTheShownTextAndFreezing) {
    Placement p;
    ASSERT_TRUE(p.ole);
    ASSERT_EQ(p.Activate(), S_OK);
    ASSERT_EQ(PropPut(p.object.Get(), id::PValue, 20240101).hr, S_OK);
    EventSink events;
    Connection fire(p.object.Get(), kDiidZarnEvents, &events);

    ASSERT_EQ(PropPut(p.object.Get(), id::PValue, 20240102).hr, S_OK);
    EXPECT_EQ(events.events, Ids({kChange}));
    ASSERT_EQ(PropPut(p.object.Get(), id::PValue, 20240102).hr, S_OK);
    ASSERT_EQ(PropPut(p.object.Get(), id::PValue, Var(L"20240102")).hr, S_OK); // same text, other type
    EXPECT_EQ(events.events, Ids({kChange}));

    events.events.clear();
    ASSERT_EQ(p.control->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(PropPut(p.object.Get(), id::PValue, 20240103).hr, S_OK);
    ASSERT_EQ(p.control->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(p.control->FreezeEvents(FALSE), S_OK);
    ASSERT_EQ(PropPut(p.object.Get(), id::PValue, 20240104).hr, S_OK);
    EXPECT_EQ(events.events, Ids({})) << "still frozen once";
    ASSERT_EQ(p.control->FreezeEvents(FALSE), S_OK);
    EXPECT_EQ(events.events, Ids({}));
    ASSERT_EQ(PropPut(p.object.Get(), id::PValue, 20240105).hr, S_OK);
    EXPECT_EQ(events.events, Ids({kChange}));
    EXPECT_EQ(Read(p.object.Get(), id::PValue), L"VT_I4 20240105");
}

} // namespace
