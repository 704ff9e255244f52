// The face of a 120 x 21 control, pixel by pixel, in each state, with and
// without the focus and the icon; drawn on a DIB section.
#include "control/Face.h"
#include "draw/DrawTestSupport.h"
#include "platform/win/TextBox.h"

#include <algorithm>

namespace zarn::test {
namespace {

constexpr COLORREF kBg = RGB(255, 250, 240);
constexpr COLORREF kButton = RGB(200, 220, 240);
constexpr COLORREF kBorder = RGB(10, 20, 30);
constexpr COLORREF kFocus = RGB(200, 0, 0);
constexpr COLORREF kIcon = RGB(0, 160, 0);
constexpr SIZE kSize{120, 21};

class FaceTest : public DrawTest {
protected:
    FaceTest() : glyph_(NewStandardFont(L"Marlett", 8.25, false, SYMBOL_CHARSET)) {
        glyph_->get_hFont(&look.glyphFont);
        look.bgColor = kBg;
        look.buttonBgColor = kButton;
        look.borderColor = kBorder;
        look.focusColor = kFocus;
        look.showIcon = false;
    }

    void Draw(long state) { face::Draw(canvas.dc(), kSize, state, look, button); }
    void WithIcon() {
        icon_ = HalfIconPicture(kIcon); // 32 x 32, its lower half solid
        look.showIcon = true;
        look.icon = icon_.Get();
    }
    // Pixels of a colour in the rectangle (edges inclusive).
    int Count(COLORREF colour, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                n += canvas.At(x, y) == colour;
        return n;
    }

    Microsoft::WRL::ComPtr<IFont> glyph_;
    Microsoft::WRL::ComPtr<IPictureDisp> icon_;
    face::Look look;
    RECT button{};
    Canvas canvas{kSize.cx, kSize.cy};
};

TEST_F(FaceTest, NormalFramesTextAreaAndWholeInBorderOrFocusColour) {
    for (const bool focus : {false, true}) {
        look.hasFocus = focus;
        Draw(face::Normal);
        const COLORREF frame = focus ? kFocus : kBorder;
        EXPECT_EQ(button.left, 99);
        EXPECT_EQ(button.right, 120);
        EXPECT_EQ(button.bottom, 21);
        for (const POINT p : {POINT{0, 0}, POINT{98, 10}, POINT{119, 10}, POINT{60, 20}, POINT{0, 10}})
            EXPECT_EQ(canvas.At(p.x, p.y), frame) << p.x << "," << p.y;
        EXPECT_EQ(canvas.At(1, 1), kBg);
        EXPECT_EQ(canvas.At(97, 19), kBg);
        EXPECT_EQ(canvas.At(99, 1), kButton); // the button square has no frame of its own
        EXPECT_EQ(canvas.At(118, 19), kButton);
    }
}

TEST_F(FaceTest, HotAndPressedFrameTheButtonInBorderColourEvenWithFocus) {
    look.hasFocus = true;
    for (const long state : {face::Hot, face::Pressed}) {
        Draw(state);
        EXPECT_EQ(canvas.At(98, 10), kBg) << state; // no text-area frame
        EXPECT_EQ(canvas.At(99, 10), kBorder) << state;
        EXPECT_EQ(canvas.At(0, 10), kBorder) << state;
        EXPECT_EQ(canvas.At(119, 20), kBorder) << state;
        EXPECT_EQ(canvas.At(100, 1), kButton) << state;
        EXPECT_EQ(Count(kFocus, 0, 0, 119, 20), 0) << state;
    }
}

// The arrow: a triangle pointing down, centred in the button, whatever the
// state; an unknown state clears the face and draws only the arrow.
TEST_F(FaceTest, ArrowIsADownTriangleCentredInTheButton) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    for (const long state : {0L, 1L, 2L, 7L}) {
        Draw(state);
        RECT box{200, 200, -1, -1};
        for (int y = 0; y < kSize.cy; ++y)
            for (int x = 0; x < kSize.cx; ++x)
                if (canvas.At(x, y) == ink)
                    box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                               std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
        ASSERT_GE(box.left, 100) << state;
        EXPECT_NEAR((box.left + box.right) / 2.0, 109.5, 1.5) << state;
        EXPECT_NEAR((box.top + box.bottom) / 2.0, 10, 2) << state;
        EXPECT_GT(Count(ink, box.left, box.top, box.right, box.top),
                  Count(ink, box.left, box.bottom, box.right, box.bottom))
            << state;
    }
    EXPECT_EQ(canvas.At(50, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(FaceTest, IconBoxIsCentredWithHalvesRoundedToEven) {
    EXPECT_EQ(face::IconOrigin({120, 21}, {16, 16}).x, 102); // 101.5
    EXPECT_EQ(face::IconOrigin({120, 21}, {16, 16}).y, 2);   // 2.5
    EXPECT_EQ(face::IconOrigin({121, 21}, {16, 16}).x, 102); // 102.5
    EXPECT_EQ(face::IconOrigin({120, 21}, {16, 16}, 1.5).x, 103);
    EXPECT_EQ(face::IconOrigin({120, 21}, {16, 16}, -1.5).y, 1);
    EXPECT_EQ(face::IconOrigin({120, 22}, {16, 16}, 1.5).y, 4); // 4.5
}

TEST_F(FaceTest, NormalAndPressedIconScaledIntoItsBox) {
    WithIcon();
    for (const long state : {face::Normal, face::Pressed}) {
        Draw(state);
        // The box is (102, 2)-(117, 17); the icon's solid half is its lower 8 rows.
        EXPECT_EQ(Count(kIcon, 0, 0, 119, 20), 16 * 8) << state;
        EXPECT_EQ(Count(kIcon, 102, 10, 117, 17), 16 * 8) << state;
        EXPECT_EQ(canvas.At(118, 19), kButton) << state; // no shadow
    }
    EXPECT_EQ(Count(GetSysColor(COLOR_BTNTEXT), 100, 1, 118, 19), 0); // no arrow with an icon
}

TEST_F(FaceTest, HotIconIsLiftedOverItsShadow) {
    WithIcon();
    Draw(face::Hot);
    EXPECT_EQ(Count(kIcon, 100, 9, 115, 16), 16 * 8); // the icon at (100, 1)
    EXPECT_EQ(canvas.At(118, 19), face::kIconShadow); // the shadow at (103, 4)
    EXPECT_EQ(canvas.At(103, 17), face::kIconShadow);
    EXPECT_EQ(canvas.At(118, 11), kButton); // the clear half casts none
    EXPECT_EQ(Count(face::kIconShadow, 0, 0, 119, 20), 16 * 8 - 13 * 5);
}

// The icon copied from its cache shows the pixels of one rendered on each
// draw, in every state, and follows each change of what it was drawn with.
TEST_F(FaceTest, CachedIconShowsTheRenderedPixels) {
    WithIcon();
    face::IconCache cache;
    Canvas rendered(140, 30), copied(140, 30);
    const auto compare = [&](SIZE size, const char* step) {
        for (const long state : {0L, 1L, 2L, 10L})
            for (const bool enabled : {true, false}) {
                look.enabled = enabled;
                look.iconCache = nullptr;
                face::Draw(rendered.dc(), size, state, look, button);
                look.iconCache = &cache;
                face::Draw(copied.dc(), size, state, look, button);
                int differing = 0;
                for (int y = 0; y < 30; ++y)
                    for (int x = 0; x < 140; ++x)
                        differing += rendered.At(x, y) != copied.At(x, y);
                EXPECT_EQ(differing, 0) << step << ", state " << state << (enabled ? "" : ", disabled");
            }
    };
    compare(kSize, "first");
    compare(kSize, "again");
    look.hasFocus = true;
    compare(kSize, "focus");
    look.buttonBgColor = RGB(1, 2, 3);
    look.focusColor = 0x80000005; // a system colour
    compare(kSize, "colours");
    look.iconSize = SIZE{24, 12};
    compare(kSize, "icon size");
    compare(SIZE{140, 30}, "face size");
    const auto bitmap = BitmapPicture(16, 16, [](int x, int y) { return RGB(x * 15, y * 15, 0); });
    look.icon = bitmap.Get();
    compare(SIZE{140, 30}, "bitmap icon");
}

TEST_F(FaceTest, DisabledIsAlwaysNormalWithAGreyedIcon) {
    WithIcon();
    look.enabled = false;
    look.hasFocus = true;
    for (const long state : {face::Normal, face::Hot, face::Pressed}) {
        Draw(state);
        EXPECT_EQ(canvas.At(98, 10), kFocus) << state; // the normal face's text-area frame
        EXPECT_EQ(Count(kIcon, 100, 1, 118, 19), 0) << state;
        EXPECT_GT(Count(GetSysColor(COLOR_3DSHADOW), 102, 10, 118, 18), 0) << state;
    }
}

TEST_F(FaceTest, DateTextBoxShowsOnlyTheClearedSurface) {
    look.dropCalendar = false;
    WithIcon();
    for (const long state : {face::Normal, face::Hot, face::Pressed}) {
        Draw(state);
        EXPECT_EQ(Count(GetSysColor(COLOR_BTNFACE), 0, 0, 119, 20), 120 * 21) << state;
        EXPECT_EQ(button.right, 0) << state;
    }
}

// A failing step is skipped: a missing icon leaves the button plain, a
// colour that cannot be resolved leaves its fill out.
TEST_F(FaceTest, FailingStepsAreSkipped) {
    look.showIcon = true;
    Draw(face::Hot);
    EXPECT_EQ(Count(kButton, 100, 1, 118, 19), 19 * 19);
    look.bgColor = 0x800000FF; // no such system colour
    Draw(face::Normal);
    EXPECT_EQ(canvas.At(50, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.At(98, 10), kBorder);
    EXPECT_EQ(canvas.At(110, 10), kButton);
}

TEST_F(FaceTest, TenThousandDrawsLeaveNoGdiObject) {
    WithIcon();
    EXPECT_EQ(ObjectsLeftBy([&] {
                  for (int i = 0; i < 10000; ++i)
                      Draw(i % 3);
              }),
              0);
}

TEST_F(FaceTest, InsideIncludesAllFourEdges) {
    const RECT r{99, 0, 120, 21};
    EXPECT_TRUE(face::Inside(r, 120, 21));
    EXPECT_TRUE(face::Inside(r, 99, 0));
    EXPECT_FALSE(face::Inside(r, 98.5f, 10));
    EXPECT_FALSE(face::Inside(r, 110, 21.25f));
}

} // namespace
} // namespace zarn::test
