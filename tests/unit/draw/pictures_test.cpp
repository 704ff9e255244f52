// Pictures: tile geometry, the transparent copy, bitmaps copied, stretched
// and tiled, icons, and the errors that stop them.
#include "DrawTestSupport.h"
#include "draw/mDrawFns.h"

namespace zarn::test {
namespace {

using Pictures = DrawTest;
using Texts = std::vector<std::wstring>;

constexpr COLORREF kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000, kYellow = 0x0000FFFF,
                   kMagenta = 0x00FF00FF;

// Pixels that name their own coordinates, so a copied piece shows its origin.
COLORREF Numbered(int x, int y) {
    return RGB(10 + 20 * x, 10 + 20 * y, 0x55);
}

// A picture repeated from (0, 0) on.
ColourAt Tiled(const ColourAt& tile, int width, int height) {
    return [=](int x, int y) { return tile(x % width, y % height); };
}

// 10 x 10 quadrants: red, green / blue, magenta.
COLORREF Quadrants(int x, int y) {
    return y < 10 ? (x < 10 ? kRed : kGreen) : (x < 10 ? kBlue : kMagenta);
}

// Tiles lie on the destination's 10-pixel grid and are cut where the area
// ends: at (3, 12) the first is cut to 7 x 8, from column 3 and row 2 of
// the picture.
TEST_F(Pictures, TilesAreAnchoredAtTheDestinationOriginAndCutWhereTheAreaEnds) {
    const Canvas tile(10, 10, Numbered);
    for (const POINT at : {POINT{0, 0}, POINT{3, 12}}) {
        const Canvas dest(32, 30);
        mDrawFns::TilePic2(dest.dc(), at.x, at.y, 25, 15, tile.dc(), 10, 10);
        EXPECT_TRUE(Shows(dest, Image(32, 30).Piece(at.x, at.y, at.x + 24, at.y + 14, at.x, at.y,
                                                    Tiled(Numbered, 10, 10))))
            << at.x;
    }
}

TEST_F(Pictures, ZeroTileIsReportedAndNegativeTilesNothing) {
    const Canvas tile(10, 10, kRed);
    const Canvas dest(30, 20);
    EXPECT_EQ(ObjectsLeftBy([&] {
                  mDrawFns::TilePic2(dest.dc(), 0, 0, 25, 15, tile.dc(), 0, 10);
                  mDrawFns::TilePic2(dest.dc(), 0, 0, 0, 0, tile.dc(), 10, 0);
              }),
              0);
    const std::wstring message = L"vemo:DrawModule_  TilePic2 Division by zero 11";
    EXPECT_EQ(boxes.Texts(), (Texts{message, message}));
    mDrawFns::TilePic2(dest.dc(), 3, 0, 25, 15, tile.dc(), -10, 10); // would never advance
    EXPECT_EQ(boxes.calls.size(), 2u);
    EXPECT_TRUE(Shows(dest, Image(30, 20)));
}

TEST_F(Pictures, TransPicLeavesMaskColourPixelsClear) {
    const ColourAt spotted = [](int x, int y) { return (x + y) % 3 == 0 ? kMagenta : Numbered(x, y); };
    const Canvas src(6, 4, spotted);
    const Canvas dest(20, 12);
    mDrawFns::TransPic(dest.dc(), src.dc(), 1, 1, 5, 4, 10, 5, kMagenta);
    Image expected(20, 12);
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 4; ++x)
            if ((x + y) % 3 != 0)
                expected.Box(9 + x, 4 + y, 9 + x, 4 + y, Numbered(x, y));
    EXPECT_TRUE(Shows(dest, expected));
    EXPECT_EQ(GetBkColor(src.dc()), 0x00FFFFFFu) << "the source's background colour is put back";

    const Canvas opaque(12, 8);
    mDrawFns::TransPic(opaque.dc(), src.dc(), 0, 0, 6, 4, 2, 3, kYellow); // no pixel has it
    EXPECT_TRUE(Shows(opaque, Image(12, 8).Piece(2, 3, 7, 6, 0, 0, spotted)));
    const Canvas unchanged(12, 8);
    mDrawFns::TransPic(unchanged.dc(), Canvas(6, 4, kYellow).dc(), 0, 0, 6, 4, 2, 3, kYellow); // all have it
    EXPECT_TRUE(Shows(unchanged, Image(12, 8)));
}

TEST_F(Pictures, BlockBeyondSixteenBitsIsReportedAndNothingIsDrawn) {
    const Canvas src(8, 4, kRed);
    const Canvas dest(8, 4);
    EXPECT_EQ(ObjectsLeftBy([&] {
                  mDrawFns::TransPic(dest.dc(), src.dc(), 0, 0, 40000, 4, 0, 0, kMagenta);
                  mDrawFns::TransPic(dest.dc(), src.dc(), 0, 0, 8, 32768, 0, 0, kMagenta);
              }),
              0);
    const std::wstring message = L"vemo:DrawModule_  TransPic Overflow 6";
    EXPECT_EQ(boxes.Texts(), (Texts{message, message}));
    EXPECT_TRUE(Shows(dest, Image(8, 4)));
    mDrawFns::TransPic(dest.dc(), src.dc(), 0, 0, 32767, 1, 0, 0, kMagenta); // the widest that fits
    EXPECT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(dest.At(7, 0), kRed);
}

TEST_F(Pictures, CopyModeCropsAndStretchModeScalesTheWholePicture) {
    const auto picture = BitmapPicture(20, 20, Quadrants);
    const Canvas cropped(30, 30);
    mDrawFns::DrawBitmap(cropped.dc(), picture.Get(), 10, 12, 20, 20, RECT{3, 4, 33, 34}, 0, kYellow);
    EXPECT_TRUE(Shows(cropped, Image(30, 30).Box(3, 4, 12, 13, kRed).Box(3, 14, 12, 15, kBlue)));

    const Canvas shrunk(20, 20);
    mDrawFns::DrawBitmap(shrunk.dc(), picture.Get(), 10, 10, 20, 20, RECT{2, 3, 12, 13}, 1, kMagenta);
    EXPECT_TRUE(
        Shows(shrunk, Image(20, 20).Box(2, 3, 6, 7, kRed).Box(7, 3, 11, 7, kGreen).Box(2, 8, 6, 12, kBlue)));

    const Canvas grown(50, 50);
    mDrawFns::DrawBitmap(grown.dc(), picture.Get(), 40, 40, 20, 20, RECT{5, 5, 0, 0}, 1, kMagenta);
    EXPECT_TRUE(Shows(
        grown, Image(50, 50).Box(5, 5, 24, 24, kRed).Box(25, 5, 44, 24, kGreen).Box(5, 25, 24, 44, kBlue)));
}

TEST_F(Pictures, ShrinkingDropsPixelsRatherThanMixingThem) {
    // One-pixel stripes: COLORONCOLOR keeps one stripe colour, where the
    // default stretch mode would AND neighbours together into black.
    const auto picture = BitmapPicture(20, 20, [](int x, int) { return x % 2 ? kBlue : kRed; });
    const Canvas dest(10, 10);
    mDrawFns::DrawBitmap(dest.dc(), picture.Get(), 10, 10, 20, 20, RECT{0, 0, 10, 10}, 1, kMagenta);
    const COLORREF kept = dest.At(0, 0);
    EXPECT_TRUE(kept == kRed || kept == kBlue) << std::hex << kept;
    EXPECT_TRUE(Shows(dest, Image(10, 10, kept)));
}

TEST_F(Pictures, TileModeTilesTheRectanglesSize) {
    const ColourAt small = [](int x, int y) { return Quadrants(2 * x, 2 * y); };
    const auto picture = BitmapPicture(10, 10, small);
    const Canvas dest(40, 24);
    // 30 x 15 destination, 25 x 15 rectangle: the last five columns keep the
    // new work bitmap's black, the mask colour here, so nothing shows there.
    mDrawFns::DrawBitmap(dest.dc(), picture.Get(), 30, 15, 10, 10, RECT{2, 3, 27, 18}, 2, 0x00000000);
    EXPECT_TRUE(Shows(dest, Image(40, 24).Piece(2, 3, 26, 17, 0, 0, Tiled(small, 10, 10))));
}

TEST_F(Pictures, MissingPictureIsReportedAndReleasesWhatWasCreated) {
    const Canvas dest(20, 20);
    const RECT cell{0, 0, 16, 16};
    EXPECT_EQ(ObjectsLeftBy([&] {
                  mDrawFns::DrawBitmap(dest.dc(), nullptr, 16, 16, 16, 16, cell, 1, kMagenta);
                  mDrawFns::DrawPIcon(dest.dc(), nullptr, cell);
              }),
              0);
    const std::wstring notSet = L"Object variable or With block variable not set 91";
    EXPECT_EQ(boxes.Texts(),
              (Texts{L"vemo:DrawModule_ DrawBitmap " + notSet, L"vemo:DrawModule_ Draw PIcon " + notSet}));
    EXPECT_TRUE(Shows(dest, Image(20, 20)));
}

TEST_F(Pictures, DestinationBeyondSixteenBitsIsReportedByTheCopyOnly) {
    const auto picture = BitmapPicture(20, 20, Quadrants);
    const Canvas dest(20, 20);
    EXPECT_EQ(
        ObjectsLeftBy([&] {
            mDrawFns::DrawBitmap(dest.dc(), picture.Get(), 40000, 2, 20, 20, RECT{0, 0, 20, 20}, 0, kMagenta);
        }),
        0);
    EXPECT_EQ(boxes.Texts(), Texts{L"vemo:DrawModule_  TransPic Overflow 6"});
    EXPECT_TRUE(Shows(dest, Image(20, 20)));
}

TEST_F(Pictures, IconKeepsItsOwnHeightForAZeroHeightAndItsOwnMask) {
    const Canvas dest(40, 40);
    mDrawFns::DrawPIcon(dest.dc(), HalfIconPicture(kGreen).Get(), RECT{2, 1, 18, 1});
    EXPECT_TRUE(Shows(dest, Image(40, 40).Box(2, 17, 17, 32, kGreen))); // 16 x 32, top half clear
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(Pictures, ManyPicturesLeaveNoObjectBehind) {
    const auto picture = BitmapPicture(20, 20, Quadrants);
    const auto icon = HalfIconPicture(kGreen);
    const Canvas dest(40, 40);
    EXPECT_EQ(ObjectsLeftBy([&] {
                  for (short i = 0; i < 3000; ++i) {
                      const short mode = i % 3;
                      mDrawFns::DrawBitmap(dest.dc(), picture.Get(), 16, 16, 20, 20, RECT{1, 1, 17, 17}, mode,
                                           kMagenta);
                      mDrawFns::DrawPIcon(dest.dc(), icon.Get(), RECT{20, 20, 36, 36});
                  }
              }),
              0);
    mDrawFns::DrawBitmap(dest.dc(), picture.Get(), 20, 20, 20, 20, RECT{20, 0, 40, 20}, 0, kMagenta);
    EXPECT_EQ(dest.At(20, 0), kRed) << "still drawing: nothing ran out";
    EXPECT_TRUE(boxes.calls.empty());
}

} // namespace
} // namespace zarn::test
