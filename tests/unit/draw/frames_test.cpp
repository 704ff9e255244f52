// Lines and frames: the pixels each segment paints, the DC left as found,
// the labels of the reports, and nothing left behind.
#include "DrawTestSupport.h"
#include "draw/mDrawFns.h"

#include <climits>

namespace zarn::test {
namespace {

using Frames = DrawTest;

constexpr COLORREF kRed = 0x000000C0, kGreen = 0x0000C000, kBlue = 0x00C00000, kWhite = 0x00FFFFFF;

TEST_F(Frames, LinesStopShortOfTheirEndPoint) {
    const Canvas canvas(20, 8);
    mDrawFns::DrawLine(canvas.dc(), 0, 0, 10, 0, kRed);
    mDrawFns::DrawLine(canvas.dc(), 15, 6, 15, 2, kBlue);
    EXPECT_TRUE(Shows(canvas, Image(20, 8).Box(0, 0, 9, 0, kRed).Box(15, 3, 15, 6, kBlue)));
}

TEST_F(Frames, FlatRectIsAHollowOutline) {
    const Canvas canvas(30, 20);
    mDrawFns::DrawFlatRect(canvas.dc(), 10, 5, 20, 15, kRed);
    EXPECT_TRUE(Shows(canvas, Image(30, 20).Edges(10, 5, 19, 14, kRed, kRed)));
}

TEST_F(Frames, FramesAwayFromTheOriginPaintColumnX2OfTheTopRow) {
    const Canvas canvas(20, 24);
    mDrawFns::DrawRaisedThinRect(canvas.dc(), 3, 2, 13, 9, kWhite, kBlue);
    mDrawFns::DrawRaised3Drect(canvas.dc(), 3, 12, 13, 19, kWhite, kBlue, kGreen, kRed);
    // Each frame covers (X1, Y1) to (X2 - 1, Y2 - 1) and its top row runs on
    // into column X2; the one-pixel frame's top row keeps its top-right corner.
    EXPECT_TRUE(Shows(canvas, Image(20, 24)
                                  .Edges(3, 2, 12, 8, kWhite, kBlue)
                                  .Box(12, 2, 13, 2, kWhite)
                                  .Edges(3, 12, 12, 18, kWhite, kBlue)
                                  .Box(13, 12, 13, 12, kWhite)
                                  .Edges(4, 13, 11, 17, kGreen, kRed)));
}

TEST_F(Frames, DcKeepsItsPenAndBrush) {
    const Canvas canvas(30, 20);
    const HDC dc = canvas.dc();
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    const long c = kRed;
    mDrawFns::DrawLine(dc, 0, 0, 5, 5, c);
    mDrawFns::DrawFlatRect(dc, 0, 0, 9, 9, c);
    mDrawFns::DrawSunkenThinRect(dc, 0, 0, 9, 9, c, c);
    mDrawFns::DrawEtchedRec(dc, 0, 0, 9, 9, c, c);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
}

TEST_F(Frames, OverflowIsReportedWithEachFramesLabel) {
    const Canvas canvas(10, 10);
    const HDC dc = canvas.dc();
    const long c = kRed, x2 = LONG_MIN; // X2 - 1 overflows before anything is drawn
    EXPECT_EQ(ObjectsLeftBy([&] {
                  mDrawFns::DrawRaisedThinRect(dc, 0, 0, x2, 9, c, c);
                  mDrawFns::DrawSunkenThinRect(dc, 0, 0, x2, 9, c, c);
                  mDrawFns::DrawRaised3Drect(dc, 0, 0, x2, 9, c, c, c, c);
                  mDrawFns::DrawSunken3DRect(dc, 0, 0, x2, 9, c, c, c, c);
                  mDrawFns::DrawEtchedRec(dc, 0, 0, x2, 9, c, c);
                  mDrawFns::DrawBumpRect(dc, 0, 0, x2, 9, c, c);
              }),
              0);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{
                                 L"vemo:DrawModule_ DrawRaisedThinRect Overflow 6",
                                 L"vemo:DrawModule_ DrawSunkenThinRect Overflow 6",
                                 L"vemo:DrawModule_ DrawRaised3Drect Overflow 6",
                                 L"vemo:DrawModule_  DrawSunken3DRect Overflow 6",
                                 L"vemo:DrawModule_ DrawEtchedRec Overflow 6",
                                 L"vemo:DrawModule_Overflow 6",
                             }));
    EXPECT_EQ(boxes.calls[0].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes.calls[0].title, kDefaultMessageTitle);
    EXPECT_TRUE(Shows(canvas, Image(10, 10)));
}

TEST_F(Frames, TenThousandFramesLeaveNoObjectBehind) {
    const Canvas canvas(40, 30);
    const HDC dc = canvas.dc();
    const long light = kWhite, dark = kBlue;
    EXPECT_EQ(ObjectsLeftBy([&] {
                  for (int i = 0; i < 10000; ++i) {
                      mDrawFns::DrawLine(dc, 0, i % 30, 40, i % 30, light);
                      mDrawFns::DrawFlatRect(dc, 1, 1, 39, 29, dark);
                      mDrawFns::DrawSunkenThinRect(dc, 2, 2, 38, 28, light, dark);
                      mDrawFns::DrawSunken3DRect(dc, 3, 3, 37, 27, light, dark, dark, light);
                      mDrawFns::DrawBumpRect(dc, 0, 0, 40, 30, light, dark);
                  }
              }),
              0);
    // Deleted for real: GDI would have run out of handles long before, and
    // this last frame would be drawn with the DC's black pen.
    mDrawFns::DrawBumpRect(dc, 0, 0, 40, 30, static_cast<long>(kRed), static_cast<long>(kGreen));
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(39, 0), kGreen);
    EXPECT_TRUE(boxes.calls.empty());
}

} // namespace
} // namespace zarn::test
