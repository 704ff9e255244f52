// IViewObject2: the face drawn into a container's device context (read
// back from a DIB section), the extent, and the view advise. The face itself
// is checked pixel by pixel with the control; here it is where it belongs,
// in the colours the properties give it.
#include "ContainerFakes.h"
#include "draw/DrawTestSupport.h"

using namespace zarn::test;

namespace {

class ComView : public OcxTest {
protected:
    void SetUp() override {
        OcxTest::SetUp();
        ASSERT_EQ(z.As(&view), S_OK);
    }
    HRESULT Draw(HDC dc, const RECT& r, DWORD aspect = DVASPECT_CONTENT) {
        const RECTL bounds{r.left, r.top, r.right, r.bottom};
        return view->Draw(aspect, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
    }

    ComPtr<IViewObject2> view;
};

constexpr COLORREF kBorder = 0x2040C0, kBack = 0xD0F0E0, kButton = 0x80C0A0;
constexpr long kSystem = 0x80000000;

// The face lands in the container's rectangle and nothing beyond it, in the
// colours the properties give: its frame, the text area just inside, the
// button's inside (no icon), and the pixels just past each edge. System
// colours are stored as given and resolved when drawn. (The face itself is
// checked pixel by pixel with the control.)
TEST_F(ComView, DrawsTheFaceWithinTheContainersRectangle) {
    const struct {
        long border, back; // as set
        RECT r;
        COLORREF wantBorder, wantBack; // as drawn
    } cases[] = {{kBorder, kBack, {0, 0, 120, 21}, kBorder, kBack},
                 {kBorder, kBack, {30, 40, 230, 64}, kBorder, kBack},
                 {kSystem | COLOR_HIGHLIGHT,
                  kSystem | COLOR_INFOBK,
                  {0, 0, 120, 21},
                  GetSysColor(COLOR_HIGHLIGHT),
                  GetSysColor(COLOR_INFOBK)}};
    ASSERT_EQ(PropPut(z.Get(), id::ButtonBgColor, static_cast<long>(kButton)).hr, S_OK);
    for (const auto& [border, back, r, wantBorder, wantBack] : cases) {
        SCOPED_TRACE(Describe(r));
        ASSERT_EQ(PropPut(z.Get(), id::BorderColor, border).hr, S_OK);
        ASSERT_EQ(PropPut(z.Get(), id::BgColor, back).hr, S_OK);
        Canvas canvas(260, 100);
        ASSERT_EQ(Draw(canvas.dc(), r), S_OK);
        const LONG midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2,
                   button = r.right - (r.bottom - r.top);
        const std::pair<POINT, COLORREF> pixels[] = {
            {{r.left, r.top}, wantBorder},       {{r.right - 1, r.bottom - 1}, wantBorder},
            {{midX, r.top}, wantBorder},         {{r.left, midY}, wantBorder},
            {{r.left + 1, r.top + 1}, wantBack}, {{button - 2, r.bottom - 2}, wantBack},
            {{button + 2, r.top + 1}, kButton},  {{r.right - 2, r.bottom - 2}, kButton},
            {{r.right, midY}, kPaper},           {{midX, r.bottom}, kPaper},
            {{r.left - 1, midY}, kPaper},        {{midX, r.top - 1}, kPaper}};
        for (const auto& [p, colour] : pixels) {
            if (p.x >= 0 && p.y >= 0) {
                EXPECT_EQ(canvas.At(p.x, p.y), colour) << p.x << ", " << p.y;
            }
        }
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
    EXPECT_TRUE(Shows(canvas, Image(120, 21)));
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
    const auto extent = [&] {
        SIZEL size{-7, -7};
        EXPECT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &size), S_OK);
        return std::pair(size.cx, size.cy);
    };
    EXPECT_EQ(extent(), std::pair(3175L, 556L));
    ComPtr<IOleObject> ole;
    ASSERT_EQ(z.As(&ole), S_OK);
    SIZEL wider{5292, 635}; // 200 x 24 pixels
    ASSERT_EQ(ole->SetExtent(DVASPECT_CONTENT, &wider), S_OK);
    EXPECT_EQ(extent(), std::pair(5292L, 635L));
    EXPECT_EQ(ole->SetExtent(DVASPECT_ICON, &wider), DV_E_DVASPECT);
}

// A change to the face tells the view's advise sink; so does a new value,
// since the text is part of what Draw shows. ADVF_ONLYONCE ends the advise
// after the first notice; ADVF_PRIMEFIRST tells the sink at once, before
// anything changes. Taking the advise back lets the sink go.
TEST_F(ComView, FaceAndValueChangesReachTheAdviseSinkAsItsFlagsSay) {
    struct Case {
        DWORD flags;
        size_t primed, afterTwoChanges;
        ULONG refsAfter;
    };
    for (const Case& c : {Case{0, 0, 2, 2}, Case{ADVF_ONLYONCE, 0, 1, 1}, Case{ADVF_PRIMEFIRST, 1, 3, 2}}) {
        FakeAdviseSink advise;
        ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, c.flags, &advise), S_OK);
        EXPECT_EQ(advise.changes.size(), c.primed) << c.flags;
        DWORD aspects = 0, flags = 99;
        IAdviseSink* got = nullptr;
        ASSERT_EQ(view->GetAdvise(&aspects, &flags, &got), S_OK);
        EXPECT_EQ(std::tuple(aspects, flags), std::tuple(DWORD{DVASPECT_CONTENT}, c.flags));
        if (got)
            got->Release();
        ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x0000FF).hr, S_OK);
        ASSERT_EQ(PropPut(z.Get(), id::PValue, 20240301 + static_cast<long>(c.flags)).hr, S_OK);
        EXPECT_EQ(advise.changes, std::vector<std::string>(c.afterTwoChanges, "OnViewChange(1, -1)"))
            << c.flags;
        EXPECT_EQ(advise.refs, c.refsAfter) << c.flags;
        ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
        EXPECT_EQ(advise.refs, 1u);
        ASSERT_EQ(PropPut(z.Get(), id::BorderColor, 0x00FF00).hr, S_OK);
        EXPECT_EQ(advise.changes.size(), c.afterTwoChanges) << "heard after the advise was taken back";
    }
}

} // namespace
