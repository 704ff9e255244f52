// A thousand controls placed, activated in place and closed again on one
// form: no window, GDI object or reference to the container stays behind,
// and the module may unload at the end.
#include "ContainerFakes.h"

#include <chrono>

using namespace zarn::test;

namespace {

// One control through the life a form gives it.
void PlaceActivateAndClose(FakeContainer& site, HWND form, int i) {
    ComPtr<IDispatch> object = Ocx::Get().Create();
    ASSERT_TRUE(object) << i;
    ComPtr<IOleObject> ole;
    ASSERT_EQ(object.As(&ole), S_OK);
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object.As(&persist), S_OK);
    ASSERT_EQ(ole->SetClientSite(&site), S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    ASSERT_EQ(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form, &site.position), S_OK) << i;
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(object.As(&inPlace), S_OK);
    HWND window = nullptr;
    inPlace->GetWindow(&window);
    ASSERT_TRUE(IsChild(form, window)) << i;
    // Some use that draws and notifies.
    ASSERT_EQ(PropPut(object.Get(), id::PValue, 20240101 + (i & 15)).hr, S_OK) << i;
    UpdateWindow(window);
    ASSERT_EQ(ole->Close(OLECLOSE_NOSAVE), S_OK);
    ASSERT_EQ(ole->SetClientSite(nullptr), S_OK);
    inPlace.Reset();
    persist.Reset();
    ole.Reset();
    EXPECT_EQ(object.Detach()->Release(), 0u) << i;
}

TEST(ComActivationLifetime, AThousandActivatedControlsLeaveNothingBehind) {
    FormWindow form;
    FakeContainer site(form.window, RECT{10, 10, 130, 31});
    // One control first: what the first one creates for good (classes,
    // stock objects, the font cache) is not a leak.
    PlaceActivateAndClose(site, form.window, -1);
    PumpMessages();
    const int windowsBefore = ThreadWindows();
    const int gdiBefore = LiveGdiObjects();

    const auto start = std::chrono::steady_clock::now();
    int gdiHalfway = -1;
    for (int i = 0; i < 1000; ++i) {
        PlaceActivateAndClose(site, form.window, i);
        if (HasFatalFailure())
            return;
        if (i % 50 == 0)
            PumpMessages();
        if (i == 499) {
            PumpMessages();
            gdiHalfway = LiveGdiObjects();
        }
    }
    PumpMessages();
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    printf("[          ] 1000 controls placed, activated and closed in %lld ms\n",
           static_cast<long long>(elapsed));

    EXPECT_EQ(ThreadWindows(), windowsBefore);
    if (gdiBefore >= 0) {
        // Wine creates an object or two once, lazily (its font and brush
        // caches), at some point in the first controls; a leak would grow
        // with every control, so the second half must add nothing at all.
        EXPECT_EQ(LiveGdiObjects(), gdiHalfway);
        EXPECT_LE(LiveGdiObjects() - gdiBefore, 2);
        printf("[          ] live GDI objects before %d, after %d\n", gdiBefore, LiveGdiObjects());
    }
    EXPECT_EQ(site.refs, 1u);
    EXPECT_EQ(site.frame.refs, 1u);
    EXPECT_EQ(site.document.refs, 1u);
    // Each activation asked the same four things of the site.
    EXPECT_EQ(site.log.size(), 1001u * 5);
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
