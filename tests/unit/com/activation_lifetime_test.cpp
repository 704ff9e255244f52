// A thousand controls placed, activated in place, connected to and closed
// again on one form: no window, GDI object or reference to the container
// and its sinks stays behind, and the module may unload at the end.
#include "ContainerFakes.h"

#include <chrono>

using namespace zarn::test;

namespace {

struct Container {
    FormWindow form;
    FakeContainer site{form.window, RECT{10, 10, 130, 31}};
    NotifySink notifications;
    EventSink events;
};

// One control through the life a form gives it.
void PlaceActivateAndClose(Container& c, int i) {
    ComPtr<IDispatch> object = Ocx::Get().Create();
    ComPtr<IOleObject> ole;
    ComPtr<IPersistStreamInit> persist;
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_TRUE(object && SUCCEEDED(object.As(&ole)) && SUCCEEDED(object.As(&persist)) &&
                SUCCEEDED(object.As(&inPlace)))
        << i;
    ASSERT_EQ(ole->SetClientSite(&c.site), S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    ASSERT_EQ(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &c.site, 0, c.form.window, &c.site.position),
              S_OK)
        << i;
    HWND window = nullptr;
    inPlace->GetWindow(&window);
    ASSERT_TRUE(IsChild(c.form.window, window)) << i;
    {
        // Some use that draws, notifies and raises Change.
        Connection notify(object.Get(), IID_IPropertyNotifySink, &c.notifications);
        Connection fire(object.Get(), kDiidZarnEvents, &c.events);
        ASSERT_EQ(PropPut(object.Get(), id::PValue, 20240101 + (i & 15)).hr, S_OK) << i;
        UpdateWindow(window);
    }
    ASSERT_EQ(ole->Close(OLECLOSE_NOSAVE), S_OK);
    ASSERT_EQ(ole->SetClientSite(nullptr), S_OK);
    inPlace.Reset(), persist.Reset(), ole.Reset();
    EXPECT_EQ(object.Detach()->Release(), 0u) << i;
}

TEST(ComActivationLifetime, AThousandActivatedControlsLeaveNothingBehind) {
    Container c;
    // One control first: what the first one creates for good (classes,
    // stock objects, the font cache) is not a leak.
    PlaceActivateAndClose(c, -1);
    PumpMessages();
    const int windowsBefore = ThreadWindows();
    const int gdiBefore = LiveGdiObjects();

    const auto start = std::chrono::steady_clock::now();
    int gdiHalfway = -1;
    for (int i = 0; i < 1000 && !HasFatalFailure(); ++i) {
        PlaceActivateAndClose(c, i);
        if (i % 50 == 0 || i == 499)
            PumpMessages();
        if (i == 499)
            gdiHalfway = LiveGdiObjects();
    }
    PumpMessages();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    printf("[          ] 1000 controls placed, activated and closed in %lld ms\n",
           static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));

    EXPECT_EQ(ThreadWindows(), windowsBefore);
    if (gdiBefore >= 0) {
        // Wine creates an object or two once, lazily (its font and brush
        // caches), at some point in the first controls; a leak would grow
        // with every control, so the second half must add nothing at all.
        EXPECT_EQ(LiveGdiObjects(), gdiHalfway);
        EXPECT_LE(LiveGdiObjects() - gdiBefore, 2);
        printf("[          ] live GDI objects before %d, after %d\n", gdiBefore, LiveGdiObjects());
    }
    EXPECT_EQ(std::vector({c.site.refs, c.site.frame.refs, c.site.document.refs, c.notifications.refs,
                           c.events.refs}),
              std::vector<ULONG>(5, 1));
    // Each activation asked the same four things of the site; each control
    // told its sinks of the new value.
    EXPECT_EQ(c.site.log.size(), 1001u * 5);
    EXPECT_EQ(c.events.events.size(), 1001u);
    EXPECT_EQ(Ocx::Get().CanUnloadNow(), S_OK);
}

// The count of GDI objects sees what a control would leak.
TEST(ComActivationLifetime, GdiCountSeesObjectsLeftAlive) {
    const int before = LiveGdiObjects();
    if (before < 0)
        GTEST_SKIP() << "no GDI handle table to read";
    HBRUSH brushes[3];
    for (HBRUSH& b : brushes)
        b = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(LiveGdiObjects(), before + 3);
    for (HBRUSH b : brushes)
        DeleteObject(b);
    EXPECT_EQ(LiveGdiObjects(), before);
}

} // namespace
