#pragma once
// Helpers for the drawing tests: a 32-bit top-down DIB section to draw on
// and read back, the image it should show, pictures made from pixels, and
// the count of GDI objects a call leaves behind.
#include "TestSupport.h"
#include "control/SharedSettings.h"
#include "host/win/Gdi.h"

#include <gtest/gtest.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <vector>

#ifndef ZARN_COUNT_GDI
#error "The drawing tests count GDI objects: build them in the Debug configuration (ZARN_COUNT_GDI)."
#endif

namespace zarn::test {

using ColourAt = std::function<COLORREF(int x, int y)>;

// What a fresh canvas shows; nothing under test draws in it.
inline constexpr COLORREF kPaper = 0x00336699;

// A 32-bit top-down DIB section painted pixel by pixel (0x00RRGGBB in memory).
inline HBITMAP Dib(int width, int height, const ColourAt& colour, std::uint32_t** bits = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    const HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(p);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    if (bits)
        *bits = pixels;
    return dib;
}

class Canvas {
public:
    Canvas(
        int width, int height, const ColourAt& colour = [](int, int) { return kPaper; })
        : width_(width), surface_(nullptr, gdi::UniqueBitmap(Dib(width, height, colour, &bits_))) {}
    Canvas(int width, int height, COLORREF fill) : Canvas(width, height, [fill](int, int) { return fill; }) {}

    HDC dc() const { return surface_.dc(); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_;
    std::uint32_t* bits_ = nullptr;
    gdi::MemorySurface surface_;
};

// The image a canvas should show: paper, then boxes and pieces laid over it
// in order. Edges are inclusive.
class Image {
public:
    Image(int width, int height, COLORREF fill = kPaper)
        : width(width), height(height), pixels(width * height, fill) {}

    Image& Box(int x0, int y0, int x1, int y1, COLORREF colour) {
        return Piece(x0, y0, x1, y1, 0, 0, [colour](int, int) { return colour; });
    }
    // Pixel (x, y) of the box shows source pixel (srcX + x - x0, srcY + y - y0).
    Image& Piece(int x0, int y0, int x1, int y1, int srcX, int srcY, const ColourAt& source) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                pixels[y * width + x] = source(srcX + x - x0, srcY + y - y0);
        return *this;
    }

    int width;
    int height;
    std::vector<COLORREF> pixels;
};

// Every pixel as expected; else how many differ, and the first few.
inline testing::AssertionResult Shows(const Canvas& canvas, const Image& expected) {
    int wrong = 0;
    std::ostringstream first;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const COLORREF want = expected.pixels[y * expected.width + x];
            if (canvas.At(x, y) != want && ++wrong <= 8)
                first << "\n  (" << x << ", " << y << ") is 0x" << std::hex << canvas.At(x, y)
                      << ", expected 0x" << want << std::dec;
        }
    if (wrong == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << wrong << " pixels differ:" << first.str();
}

// How many GDI objects `call` created and did not delete.
template <class Call> long ObjectsLeftBy(Call&& call) {
    const long before = gdi::LiveObjects();
    call();
    return gdi::LiveObjects() - before;
}

inline Microsoft::WRL::ComPtr<IPictureDisp> Picture(PICTDESC desc) {
    desc.cbSizeofstruct = sizeof desc;
    Microsoft::WRL::ComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                       reinterpret_cast<void**>(picture.GetAddressOf())),
              S_OK);
    return picture;
}

// A bitmap picture owning its DIB section.
inline Microsoft::WRL::ComPtr<IPictureDisp> BitmapPicture(int width, int height, const ColourAt& colour) {
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = Dib(width, height, colour);
    return Picture(desc);
}

// A 32 x 32 icon picture: the top 16 rows clear by the icon's mask, the
// bottom 16 rows `colour`.
inline Microsoft::WRL::ComPtr<IPictureDisp> HalfIconPicture(COLORREF colour) {
    BYTE maskBits[32 * 4];
    for (int i = 0; i < 32 * 4; ++i)
        maskBits[i] = i < 16 * 4 ? 0xFF : 0x00;
    ICONINFO info{TRUE, 0, 0, CreateBitmap(32, 32, 1, 1, maskBits),
                  Dib(32, 32, [colour](int, int y) { return y < 16 ? 0 : colour; })};
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return Picture(desc);
}

// Message boxes recorded; each test starts with fresh thread settings.
class DrawTest : public testing::Test {
protected:
    DrawTest() { SharedSettings::ReleaseForThread(); }
    ~DrawTest() override { SharedSettings::ReleaseForThread(); }

    MessageBoxRecorder boxes;
};

} // namespace zarn::test
