// The transparent copy: the picture is composed off-screen over a copy of
// what lies below it, so the destination is read once and written once.
#include "draw/Trap.h"
#include "platform/Variant.h"
#include "platform/win/Gdi.h"

namespace mDrawFns {

namespace {

using zarn::gdi::MemorySurface;

// 1 where the source block has the mask colour, 0 elsewhere: a colour to
// monochrome copy compares every pixel with the source's background colour.
void MarkMaskColour(const MemorySurface& mask, HDC src, long srcLeft, long srcTop, int width, int height,
                    long maskColor) {
    const COLORREF previous = SetBkColor(src, static_cast<COLORREF>(maskColor));
    BitBlt(mask.dc(), 0, 0, width, height, src, srcLeft, srcTop, SRCCOPY);
    SetBkColor(src, previous);
}

} // namespace

void TransPic(HDC dest, HDC src, long srcLeft, long srcTop, long srcRight, long srcBottom, long destX,
              long destY, const long& maskColor) {
    zarn::Trapped(
        [&] {
            // The block must fit 16 bits each way.
            const int w = zarn::NarrowToInteger(detail::Minus(srcRight, srcLeft));
            const int h = zarn::NarrowToInteger(detail::Minus(srcBottom, srcTop));

            // The result and sprite surfaces keep their default colours, so
            // a 1 of the masks reads as white there and a 0 as black.
            const MemorySurface mask(dest, zarn::gdi::MonochromeBitmap(w, h));
            const MemorySurface inverse(dest, zarn::gdi::MonochromeBitmap(w, h));
            const MemorySurface result(dest, zarn::gdi::CompatibleBitmap(dest, w, h));
            const MemorySurface sprite(dest, zarn::gdi::CompatibleBitmap(dest, w, h));

            MarkMaskColour(mask, src, srcLeft, srcTop, w, h, maskColor);
            BitBlt(inverse.dc(), 0, 0, w, h, mask.dc(), 0, 0, NOTSRCCOPY);
            // What lies below, blacked out where the picture is opaque.
            BitBlt(result.dc(), 0, 0, w, h, dest, destX, destY, SRCCOPY);
            BitBlt(result.dc(), 0, 0, w, h, mask.dc(), 0, 0, SRCAND);
            // The picture, blacked out where it is transparent.
            BitBlt(sprite.dc(), 0, 0, w, h, src, srcLeft, srcTop, SRCCOPY);
            BitBlt(sprite.dc(), 0, 0, w, h, inverse.dc(), 0, 0, SRCAND);
            BitBlt(result.dc(), 0, 0, w, h, sprite.dc(), 0, 0, SRCINVERT);
            BitBlt(dest, destX, destY, w, h, result.dc(), 0, 0, SRCCOPY);
        },
        detail::Reported(L"  TransPic "));
}

} // namespace mDrawFns
