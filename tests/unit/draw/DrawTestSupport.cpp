#include "DrawTestSupport.h"

#include <sstream>

namespace zarn::test {

Image& Image::Edges(int x0, int y0, int x1, int y1, COLORREF light, COLORREF dark) {
    return Box(x0, y0, x1, y0, light)
        .Box(x0, y0, x0, y1, light)
        .Box(x0, y1, x1, y1, dark)
        .Box(x1, y0, x1, y1, dark);
}

Image& Image::Piece(int x0, int y0, int x1, int y1, int srcX, int srcY, const ColourAt& source) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            pixels[y * width + x] = source(srcX + x - x0, srcY + y - y0);
    return *this;
}

testing::AssertionResult Shows(const Canvas& canvas, const Image& expected) {
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

long ObjectsLeftBy(const std::function<void()>& call) {
    const long before = gdi::LiveObjects();
    call();
    return gdi::LiveObjects() - before;
}

namespace {
Microsoft::WRL::ComPtr<IPictureDisp> Picture(PICTDESC desc) {
    desc.cbSizeofstruct = sizeof desc;
    Microsoft::WRL::ComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                       reinterpret_cast<void**>(picture.GetAddressOf())),
              S_OK);
    return picture;
}
} // namespace

Microsoft::WRL::ComPtr<IPictureDisp> BitmapPicture(int width, int height, const ColourAt& colour) {
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = Dib(width, height, colour);
    return Picture(desc);
}

Microsoft::WRL::ComPtr<IPictureDisp> HalfIconPicture(COLORREF colour) {
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

} // namespace zarn::test
