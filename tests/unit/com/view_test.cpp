// IViewObject2: the face drawn into a container's device context (read
// back from a DIB section), the extent, and the view advise.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

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

std::vector<POINT> Outline(const RECT& r) {
    std::vector<POINT> points;
    for (LONG x = r.left; x < r.right; ++x) {
        points.push_back({x, r.top});
        points.push_back({x, r.bottom - 1});
    }
    for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
        points.push_back({r.left, y});
        points.push_back({r.right - 1, y});
    }
    return points;
}

std::vector<POINT> Area(const RECT& r) {
    std::vector<POINT> points;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            points.push_back({x, y});
    return points;
}

// Parts of the text area the text never reaches: the row just inside the
// top and bottom of the frame, the column just inside the left, and the
// column just before the button square.
std::vector<POINT> TextAreaMargin(const RECT& r) {
    const LONG h = r.bottom - r.top;
    const LONG buttonLeft = r.right - h;
    std::vector<POINT> points;
    for (LONG x = r.left + 1; x < buttonLeft - 1; ++x) {
        points.push_back({x, r.top + 1});
        points.push_back({x, r.bottom - 2});
    }
    for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
        points.push_back({r.left + 1, y});
        points.push_back({buttonLeft - 2, y});
    }
    return points;
}

// Everything of the canvas outside a rectangle.
std::vector<POINT> Outside(const Canvas& canvas, const RECT& r) {
    std::vector<POINT> points;
    for (LONG y = 0; y < canvas.height(); ++y)
        for (LONG x = 0; x < canvas.width(); ++x)
            if (x < r.left || x >= r.right || y < r.top || y >= r.bottom)
                points.push_back({x, y});
    return points;
}

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

constexpr COLORREF kBorder = 0x2040C0;
constexpr COLORREF kBack = 0xD0F0E0;
constexpr COLORREF kButton = 0x80C0A0;

TEST_F(ComView, DrawsTheFaceIntoTheContainersRectangle) {
    ASSERT_EQ(PropPut(z.Get(), id::BorderColor, static_cast<long>(kBorder)).hr, S_OK);
    ASSERT_EQ(PropPut(z.Get(), id::BgColor, static_cast<long>(kBack)).hr, S_OK);
    ASSERT_EQ(PropPut(z.Get(), id::ButtonBgColor, static_cast<long>(kButton)).hr, S_OK);

    Canvas canvas(120, 21);
    const RECT r{0, 0, 120, 21};
    ASSERT_EQ(Draw(canvas.dc(), r), S_OK);
    EXPECT_EQ(Wrong(canvas, Outline(r), kBorder), std::vector<std::string>{});
    EXPECT_EQ(Wrong(canvas, TextAreaMargin(r), kBack), std::vector<std::string>{});
    // The button square (99, 0, 120, 21) inside its frame; with no icon it
    // shows nothing else.
    EXPECT_EQ(Wrong(canvas, Area({101, 1, 119, 20}), kButton), std::vector<std::string>{});
}

TEST_F(ComView, DrawsOnlyWithinBoundsAtAnOffset) {
    ASSERT_EQ(PropPut(z.Get(), id::BorderColor, static_cast<long>(kBorder)).hr, S_OK);
    ASSERT_EQ(PropPut(z.Get(), id::BgColor, static_cast<long>(kBack)).hr, S_OK);

    Canvas canvas(260, 100);
    const RECT r{30, 40, 230, 64};
    ASSERT_EQ(Draw(canvas.dc(), r), S_OK);
    EXPECT_EQ(Wrong(canvas, Outside(canvas, r), kPaper), std::vector<std::string>{});
    EXPECT_EQ(Wrong(canvas, Outline(r), kBorder), std::vector<std::string>{});
    EXPECT_EQ(Wrong(canvas, TextAreaMargin(r), kBack), std::vector<std::string>{});
}

// System colours are stored as given and resolved when drawn.
TEST_F(ComView, DrawResolvesSystemColours) {
    ASSERT_EQ(PropPut(z.Get(), id::BorderColor, static_cast<long>(0x80000000 | COLOR_HIGHLIGHT)).hr, S_OK);
    ASSERT_EQ(PropPut(z.Get(), id::BgColor, static_cast<long>(0x80000000 | COLOR_INFOBK)).hr, S_OK);
    Canvas canvas(120, 21);
    const RECT r{0, 0, 120, 21};
    ASSERT_EQ(Draw(canvas.dc(), r), S_OK);
    EXPECT_EQ(Wrong(canvas, Outline(r), GetSysColor(COLOR_HIGHLIGHT)), std::vector<std::string>{});
    EXPECT_EQ(Wrong(canvas, TextAreaMargin(r), GetSysColor(COLOR_INFOBK)), std::vector<std::string>{});
}

TEST_F(ComView, OtherAspectsAndMissingArgumentsAreRefused) {
    Canvas canvas(120, 21);
    const RECT r{0, 0, 120, 21};
    for (DWORD aspect : {DVASPECT_ICON, DVASPECT_THUMBNAIL, DVASPECT_DOCPRINT}) {
        EXPECT_EQ(Draw(canvas.dc(), r, aspect), DV_E_DVASPECT) << aspect;
        SIZEL size{-7, -7};
        EXPECT_EQ(view->GetExtent(aspect, -1, nullptr, &size), DV_E_DVASPECT) << aspect;
    }
    EXPECT_EQ(Wrong(canvas, Area(r), kPaper), std::vector<std::string>{});
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

// ADVF_ONLYONCE: the advise ends after the first notice.
TEST_F(ComView, AdviseOnlyOnceEndsAfterTheFirstNotice) {
    FakeAdviseSink advise;
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, ADVF_ONLYONCE, &advise), S_OK);
    ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x0000FF).hr, S_OK);
    ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x00FF00).hr, S_OK);
    EXPECT_EQ(advise.changes, std::vector<std::string>{"OnViewChange(1, -1)"});
    EXPECT_EQ(advise.refs, 1u);
}

// ADVF_PRIMEFIRST: the sink hears once at once, before anything changes.
TEST_F(ComView, AdvisePrimeFirstTellsAtOnce) {
    FakeAdviseSink advise;
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, ADVF_PRIMEFIRST, &advise), S_OK);
    EXPECT_EQ(advise.changes, std::vector<std::string>{"OnViewChange(1, -1)"});
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
}

} // namespace
