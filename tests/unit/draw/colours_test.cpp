// Colour values, the derived selection colour and solid fills.
#include "DrawTestSupport.h"
#include "draw/mDrawFns.h"

namespace zarn::test {
namespace {

using Colours = DrawTest;

TEST_F(Colours, SystemColoursResolveAndPlainOnesPassUnchanged) {
    const long buttonFace = static_cast<long>(0x8000000F);
    EXPECT_EQ(mDrawFns::GetLngColor(buttonFace), static_cast<long>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(mDrawFns::TranslateColor(buttonFace), static_cast<long>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(mDrawFns::GetLngColor(0x00123456), 0x00123456);
    EXPECT_EQ(mDrawFns::TranslateColor(0x00123456), 0x00123456);
    EXPECT_EQ(mDrawFns::GetLngColor(0x01234567), 0x01234567) << "above &HFFFFFF but positive";
    EXPECT_EQ(mDrawFns::TranslateColor(static_cast<long>(0x800000FF)), 0) << "index beyond the table";
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(Colours, SetColorsStoresTheResolvedSelectedBackColour) {
    auto& settings = SharedSettings::ForThread();
    settings.CalendarBackSelected = 0x8000000D;
    mDrawFns::SetColors();
    EXPECT_EQ(settings.CalendarBackSelectedRGB, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(settings.CalendarBackSelected, 0x8000000Du) << "kept as set";
}

TEST_F(Colours, DrwCalBkgndFillsUpToTheRightAndBottomEdgesOnly) {
    const Canvas canvas(12, 10);
    EXPECT_EQ(ObjectsLeftBy([&] { mDrawFns::DrwCalBkgnd(canvas.dc(), RECT{2, 3, 7, 6}, 0x0000C000); }), 0);
    // Empty and inverted rectangles paint nothing.
    for (const RECT& r : {RECT{5, 5, 5, 9}, RECT{9, 2, 2, 8}, RECT{2, 8, 9, 2}})
        mDrawFns::DrwCalBkgnd(canvas.dc(), r, 0x000000C0);
    EXPECT_TRUE(Shows(canvas, Image(12, 10).Box(2, 3, 6, 5, 0x0000C000)));
    EXPECT_TRUE(boxes.calls.empty());
}

} // namespace
} // namespace zarn::test
