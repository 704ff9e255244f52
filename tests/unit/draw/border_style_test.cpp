// The calendar border: the frame and colours each CalendarBorderStyle binds,
// on a 100 x 50 form.
#include "DrawTestSupport.h"
#include "draw/mDrawFns.h"

#include <memory>

namespace zarn::test {
namespace {

constexpr COLORREF kHighlight = 0x00F0F0F0, kHighlightDK = 0x00C8C8C8, kShadow = 0x00808080,
                   kShadowDK = 0x00404040, kFlat = 0x000000FF;

class CanvasForm final : public mDrawFns::Form {
public:
    CanvasForm(const Canvas& canvas, double width, double height) : canvas_(canvas), w_(width), h_(height) {}
    HDC hDC() const override { return canvas_.dc(); }
    double ScaleWidth() const override { return w_; }
    double ScaleHeight() const override { return h_; }

private:
    const Canvas& canvas_;
    double w_, h_;
};

// The frames on the 100 x 50 form: one ring, or two for the two-pixel
// styles. The thin styles' top edge runs into the top-right corner.
Image Ring(COLORREF light, COLORREF dark) {
    return Image(100, 50).Edges(0, 0, 99, 49, light, dark);
}
Image ThinFrame(COLORREF light, COLORREF dark) {
    return Ring(light, dark).Box(99, 0, 99, 0, light);
}
Image TwoPixelFrame(COLORREF outerLight, COLORREF outerDark, COLORREF innerLight, COLORREF innerDark) {
    return Ring(outerLight, outerDark).Edges(1, 1, 98, 48, innerLight, innerDark);
}

class BorderStyle : public DrawTest {
protected:
    BorderStyle() {
        auto& s = SharedSettings::ForThread();
        s.CalendarBdHighlightColour = kHighlight;
        s.CalendarBdHighlightDKColour = kHighlightDK;
        s.CalendarBdShadowColour = kShadow;
        s.CalendarBdShadowDKColour = kShadowDK;
        s.CalendarBdFlatBorderColour = kFlat;
    }

    // The style drawn on a fresh 100 x 50 canvas.
    const Canvas& Draw(long style, double width = 100, double height = 50) {
        SharedSettings::ForThread().CalendarBorderStyle = style;
        canvas_ = std::make_unique<Canvas>(100, 50);
        mDrawFns::SetBorderStyle(CanvasForm(*canvas_, width, height));
        return *canvas_;
    }

    std::unique_ptr<Canvas> canvas_;
};

TEST_F(BorderStyle, EachStyleDrawsTheFrameAndColoursItIsBoundTo) {
    const std::pair<long, Image> cases[] = {
        {0, Image(100, 50)},
        {1, Ring(kFlat, kFlat)},
        {2, ThinFrame(kHighlight, kShadow)},
        {3, ThinFrame(kShadow, kHighlight)},
        {4, TwoPixelFrame(kHighlight, kShadowDK, kHighlightDK, kShadow)},
        {5, TwoPixelFrame(kShadowDK, kHighlight, kShadow, kHighlightDK)},
        {6, TwoPixelFrame(kShadow, kHighlight, kHighlight, kShadow)},
        {7, TwoPixelFrame(kHighlight, kShadow, kShadow, kHighlight)},
        {8, Image(100, 50)},
        {-1, Image(100, 50)},
    };
    // Whole surfaces, corners included: for "Raised Thin" (99, 0) is Highlight
    // and (0, 49) Shadow; for "Bump" (99, 0) is Shadow, (98, 1) Highlight.
    for (const auto& [style, expected] : cases)
        EXPECT_TRUE(Shows(Draw(style), expected)) << "style " << style;
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(BorderStyle, ScaleSizeIsRoundedHalfToEven) {
    EXPECT_TRUE(Shows(Draw(1, 100.5, 49.5), Ring(kFlat, kFlat)));
    EXPECT_TRUE(Shows(Draw(1, 99.5, 50.5), Ring(kFlat, kFlat)));
}

TEST_F(BorderStyle, SystemColoursAreResolvedAndUnknownOnesDrawBlack) {
    auto& s = SharedSettings::ForThread();
    s.CalendarBdHighlightColour = 0x80000005;
    s.CalendarBdShadowColour = 0x800000FF;
    EXPECT_TRUE(Shows(Draw(2), ThinFrame(GetSysColor(COLOR_WINDOW), 0x00000000)));
}

TEST_F(BorderStyle, OversizedFormIsReportedAndNothingIsDrawn) {
    EXPECT_TRUE(Shows(Draw(1, 3e9, 50), Image(100, 50)));
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"vemo:DrawModule_  SetBorderStyle Overflow 6"});
}

} // namespace
} // namespace zarn::test
