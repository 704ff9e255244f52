#pragma once
// Helpers for the drawing tests: the image a canvas (TestSupport.h) should
// show, pictures made from pixels, and the count of GDI objects a call
// leaves behind.
#include "TestSupport.h"
#include "settings/SharedSettings.h"

#include <gtest/gtest.h>

#include <vector>

#ifndef ZARN_COUNT_GDI
#error "The drawing tests count GDI objects: build them in the Debug configuration (ZARN_COUNT_GDI)."
#endif

namespace zarn::test {

// The image a canvas should show: paper, then boxes and pieces laid over it
// in order. Edges are inclusive.
class Image {
public:
    Image(int width, int height, COLORREF fill = kPaper)
        : width(width), height(height), pixels(width * height, fill) {}

    Image& Box(int x0, int y0, int x1, int y1, COLORREF colour) {
        return Piece(x0, y0, x1, y1, 0, 0, [colour](int, int) { return colour; });
    }
    // A one-pixel frame on the box's edges: top and left `light`, bottom and
    // right `dark`, which takes the top-right and bottom-left corners.
    Image& Edges(int x0, int y0, int x1, int y1, COLORREF light, COLORREF dark);
    // Pixel (x, y) of the box shows source pixel (srcX + x - x0, srcY + y - y0).
    Image& Piece(int x0, int y0, int x1, int y1, int srcX, int srcY, const ColourAt& source);

    int width;
    int height;
    std::vector<COLORREF> pixels;
};

// Every pixel as expected; else how many differ, and the first few.
testing::AssertionResult Shows(const Canvas& canvas, const Image& expected);

// How many GDI objects `call` created and did not delete.
long ObjectsLeftBy(const std::function<void()>& call);

// A bitmap picture owning its DIB section.
Microsoft::WRL::ComPtr<IPictureDisp> BitmapPicture(int width, int height, const ColourAt& colour);

// A 32 x 32 icon picture: the top 16 rows clear by the icon's mask, the
// bottom 16 rows `colour`.
Microsoft::WRL::ComPtr<IPictureDisp> HalfIconPicture(COLORREF colour);

// Message boxes recorded; each test starts with fresh thread settings.
class DrawTest : public testing::Test {
protected:
    DrawTest() { SharedSettings::ReleaseForThread(); }
    ~DrawTest() override { SharedSettings::ReleaseForThread(); }

    MessageBoxRecorder boxes;
};

} // namespace zarn::test
