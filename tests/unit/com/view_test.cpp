// IViewObject2: the face drawn into a container's device context (read
// back from a DIB section), the extent, and the view advise. The face itself
// is checked pixel by pixel with the control; here it is where it belongs,
// in the colours the properties give it.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

class ComView : public OcxTest {
protected:
    void SetUp() override {
        OcxTest::SetUp();
        if (z) {
            ASSERT_EQ(z.As(&view), S_OK);
        }
    }
    HRESULT Draw(HDC dc, const RECT& r, DWORD aspect = DVASPECT_CONTENT) {
        const RECTL bounds{r.left, r.top, r.right, r.bottom};
        return view->Draw(aspect, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
    }

    ComPtr<IViewObject2> view;
};

// "(x, y) 0x00bbggrr" for every pixel of a set that is not the colour
// wanted: empty when all are.
std::vector<std::string> Wrong(const Canvas& canvas, const std::vector<POINT>& points, COLORREF wanted) {
    std::vector<std::string> wrong;
    for (const POINT& p : points) {
        const COLORREF got = canvas.At(p.x, p.y);
        if (got != wanted) {
            char text[48];
            snprintf(text, sizeof text, "(%ld, %ld) 0x%06lx", static_cast<long>(p.x), static_cast<long>(p.y),
                     static_cast<unsigned long>(got));
            wrong.push_back(text);
        }
    }
    return wrong;
}

constexpr COLORREF kBorder = 0x2040C0;
constexpr COLORREF kBack = 0xD0F0E0;
constexpr COLORREF kButton = 0x80C0A0;
constexpr long kSystem = 0x80000000;

// The frame's corners and mid-edges, just inside the frame on the text
// side, the button's inside, and the pixels just beyond each edge of the
// bounds, which must stay as they were.
TEST_F(ComView, DrawsTheFaceWithinTheContainersRectangle) {
    struct Case {
        long border, back, button; // as set
        RECT r;
        COLORREF wantBorder, wantBack, wantButton; // as drawn
    };
    const Case cases[] = {
        {kBorder, kBack, kButton, {0, 0, 120, 21}, kBorder, kBack, kButton},
        {kBorder, kBack, kButton, {30, 40, 230, 64}, kBorder, kBack, kButton},
        // System colours are stored as given and resolved when drawn.
        {kSystem | COLOR_HIGHLIGHT, kSystem | COLOR_INFOBK, kButton, {0, 0, 120, 21},
         GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_INFOBK), kButton},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.r));
        ASSERT_EQ(PropPut(z.Get(), id::BorderColor, c.border).hr, S_OK);
        ASSERT_EQ(PropPut(z.Get(), id::BgColor, c.back).hr, S_OK);
        ASSERT_EQ(PropPut(z.Get(), id::ButtonBgColor, c.button).hr, S_OK);
        Canvas canvas(260, 100);
        ASSERT_EQ(Draw(canvas.dc(), c.r), S_OK);
        const RECT& r = c.r;
        const LONG midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
        const LONG buttonLeft = r.right - (r.bottom - r.top);
        EXPECT_EQ(Wrong(canvas,
                        {{r.left, r.top}, {r.right - 1, r.top}, {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1},
                         {midX, r.top}, {midX, r.bottom - 1}, {r.left, midY}, {r.right - 1, midY}},
                        c.wantBorder),
                  std::vector<std::string>{});
        EXPECT_EQ(Wrong(canvas,
                        {{r.left + 1, r.top + 1}, {r.left + 1, midY}, {midX, r.top + 1}, {midX, r.bottom - 2},
                         {buttonLeft - 2, r.top + 1}, {buttonLeft - 2, r.bottom - 2}},
                        c.wantBack),
                  std::vector<std::string>{});
        // With no icon the button's inside shows nothing but its colour.
        EXPECT_EQ(Wrong(canvas,
                        {{buttonLeft + 2, r.top + 1}, {(buttonLeft + r.right) / 2, midY}, {r.right - 2, r.bottom - 2}},
                        c.wantButton),
                  std::vector<std::string>{});
        std::vector<POINT> beyond{{r.right, midY}, {midX, r.bottom}};
        if (r.left > 0)
            beyond.insert(beyond.end(), {{r.left - 1, midY}, {midX, r.top - 1}, {r.left - 1, r.top - 1}});
        EXPECT_EQ(Wrong(canvas, beyond, kPaper), std::vector<std::string>{});
    }
}

TEST_F(ComView, OtherAspectsAndMissingArgumentsAreRefused) {
    Canvas canvas(120, 21);
    const RECT r{0, 0, 120, 21};
    for (DWORD aspect : {DVASPECT_ICON, DVASPECT_THUMBNAIL, DVASPECT_DOCPRINT}) {
        EXPECT_EQ(Draw(canvas.dc(), r, aspect), DV_E_DVASPECT) << aspect;
        SIZEL size{-7, -7};
        EXPECT_EQ(view->GetExtent(aspect, -1, nullptr, &size), DV_E_DVASPECT) << aspect;
    }
    EXPECT_EQ(Wrong(canvas, {{0, 0}, {60, 10}, {119, 20}}, kPaper), std::vector<std::string>{});
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), nullptr, nullptr,
                         nullptr, 0),
              E_INVALIDARG);
    FakeAdviseSink advise;
    EXPECT_EQ(view->SetAdvise(DVASPECT_ICON, 0, &advise), DV_E_DVASPECT);
    EXPECT_EQ(advise.refs, 1u);
}

// The extent is 120 x 21 pixels at 96 dpi in HIMETRIC until the container
// sets another.
TEST_F(ComView, ExtentIsTheOneTheContainerSet) {
    SIZEL size{-7, -7};
    ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &size), S_OK);
    EXPECT_EQ(size.cx, 3175);
    EXPECT_EQ(size.cy, 556);

    ComPtr<IOleObject> ole;
    ASSERT_EQ(z.As(&ole), S_OK);
    SIZEL wider{5292, 635}; // 200 x 24 pixels
    ASSERT_EQ(ole->SetExtent(DVASPECT_CONTENT, &wider), S_OK);
    size = {-7, -7};
    ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &size), S_OK);
    EXPECT_EQ(size.cx, 5292);
    EXPECT_EQ(size.cy, 635);
    EXPECT_EQ(ole->SetExtent(DVASPECT_ICON, &wider), DV_E_DVASPECT);
}

// A change to the face tells the view's advise sink; so does a new value,
// since the text is part of what Draw shows.
TEST_F(ComView, FaceAndValueChangesReachTheAdviseSink) {
    FakeAdviseSink advise;
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, &advise), S_OK);
    EXPECT_EQ(advise.refs, 2u);
    DWORD aspects = 0, flags = 99;
    ComPtr<IAdviseSink> got;
    ASSERT_EQ(view->GetAdvise(&aspects, &flags, got.GetAddressOf()), S_OK);
    EXPECT_EQ(aspects, static_cast<DWORD>(DVASPECT_CONTENT));
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(got.Get(), static_cast<IAdviseSink*>(&advise));
    got.Reset();

    ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x0000FF).hr, S_OK);
    EXPECT_EQ(advise.changes, std::vector<std::string>{"OnViewChange(1, -1)"});

    advise.changes.clear();
    ASSERT_EQ(PropPut(z.Get(), id::PValue, 20240229).hr, S_OK);
    ASSERT_EQ(PropPut(z.Get(), id::PValue, 20240301).hr, S_OK);
    EXPECT_EQ(advise.changes, std::vector<std::string>(2, "OnViewChange(1, -1)"));

    advise.changes.clear();
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
    EXPECT_EQ(advise.refs, 1u);
    ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x00FF00).hr, S_OK);
    EXPECT_EQ(advise.changes, std::vector<std::string>{});
}

// ADVF_ONLYONCE ends the advise after the first notice; ADVF_PRIMEFIRST
// tells the sink at once, before anything changes.
TEST_F(ComView, AdviseFlagsShapeTheNotices) {
    struct Case {
        DWORD flags;
        size_t primed, afterTwoChanges;
        ULONG refsAfter;
    };
    for (const Case& c : {Case{ADVF_ONLYONCE, 0, 1, 1}, Case{ADVF_PRIMEFIRST, 1, 3, 2}}) {
        FakeAdviseSink advise;
        ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, c.flags, &advise), S_OK);
        EXPECT_EQ(advise.changes.size(), c.primed) << c.flags;
        ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x0000FF).hr, S_OK);
        ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x00FF00).hr, S_OK);
        EXPECT_EQ(advise.changes, std::vector<std::string>(c.afterTwoChanges, "OnViewChange(1, -1)")) << c.flags;
        EXPECT_EQ(advise.refs, c.refsAfter) << c.flags;
        ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
    }
}

} // namespace
