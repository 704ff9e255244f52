// Host pictures on the calendar: bitmaps rendered off-screen and laid over
// with one colour transparent, icons drawn with their own mask.
#include "draw/Trap.h"
#include "platform/win/Gdi.h"

#include <olectl.h>
#include <wrl/client.h>

namespace mDrawFns {

using detail::Minus;
using detail::Reported;

namespace {

// A picture that is not set has no handle: error 91, reported as the
// procedure's other errors are. A test, not a throw: the calendar meets it
// on every paint that has no picture.
bool ReportedMissing(IPictureDisp* picture, const wchar_t* label) {
    if (picture)
        return false;
    Reported(label)(zarn::RuntimeError(zarn::ErrObjectNotSet, zarn::DescriptionOf(zarn::ErrObjectNotSet)));
    return true;
}

// The handle of a picture that is set.
HANDLE HandleOf(IPictureDisp* picture) {
    Microsoft::WRL::ComPtr<IPicture> pic;
    zarn::ThrowIfFailed(picture->QueryInterface(IID_PPV_ARGS(&pic)));
    OLE_HANDLE handle = 0;
    zarn::ThrowIfFailed(pic->get_Handle(&handle));
    // OLE_HANDLE is 32 bits; handles widen with their sign on 64-bit Windows.
    return LongToHandle(static_cast<LONG>(handle));
}

void FillWork(const zarn::gdi::MemorySurface& work, const zarn::gdi::MemorySurface& pic, long destWidth,
              long destHeight, long srcWidth, long srcHeight, const RECT& rect, short drawMode) {
    switch (drawMode) {
    case CopyCropped:
        BitBlt(work.dc(), 0, 0, destWidth, destHeight, pic.dc(), 0, 0, SRCCOPY);
        break;
    case Stretched:
        StretchBlt(work.dc(), 0, 0, destWidth, destHeight, pic.dc(), 0, 0, srcWidth, srcHeight, SRCCOPY);
        break;
    case Tiled:
        // The rectangle's size, not the destination size, is tiled.
        TilePic2(work.dc(), 0, 0, Minus(rect.right, rect.left), Minus(rect.bottom, rect.top), pic.dc(),
                 srcWidth, srcHeight);
        break;
    default:
        break;
    }
}

} // namespace

void DrawBitmap(HDC dc, IPictureDisp* picture, long destWidth, long destHeight, long srcWidth, long srcHeight,
                const RECT& rect, const short& drawMode, const long& maskColor) {
    if (ReportedMissing(picture, L" DrawBitmap "))
        return;
    zarn::Trapped(
        [&] {
            using zarn::gdi::CompatibleBitmap;
            const zarn::gdi::MemorySurface pic(dc, CompatibleBitmap(dc, srcWidth, srcHeight));
            const zarn::gdi::MemorySurface work(dc, CompatibleBitmap(dc, destWidth, destHeight));
            DrawStateA(pic.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(HandleOf(picture)), 0, 0, 0, 0, 0,
                       DST_BITMAP);
            if (destWidth < srcWidth || destHeight < srcHeight)
                SetStretchBltMode(work.dc(), COLORONCOLOR);
            FillWork(work, pic, destWidth, destHeight, srcWidth, srcHeight, rect, drawMode);
            TransPic(dc, work.dc(), 0, 0, destWidth, destHeight, rect.left, rect.top, maskColor);
        },
        Reported(L" DrawBitmap "));
}

void DrawPIcon(HDC dc, IPictureDisp* picture, const RECT& rect) {
    if (ReportedMissing(picture, L" Draw PIcon "))
        return;
    zarn::Trapped(
        [&] {
            const auto icon = static_cast<HICON>(HandleOf(picture));
            const long width = Minus(rect.right, rect.left);
            const long height = Minus(rect.bottom, rect.top);
            DrawIconEx(dc, rect.left, rect.top, icon, width, height, 0, nullptr, DI_NORMAL);
        },
        Reported(L" Draw PIcon "));
}

} // namespace mDrawFns
