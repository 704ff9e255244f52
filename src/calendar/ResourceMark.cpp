#include "calendar/ResourceMark.h"

#include "draw/mDrawFns.h"
#include "platform/RuntimeError.h"
#include "platform/win/WindowClass.h"

#include <olectl.h>
#include <wrl/client.h>

namespace frmCalendarMarks {

namespace {

using PictureRef = Microsoft::WRL::ComPtr<IPictureDisp>;
using zarn::gdi::MemorySurface;

// One of the module's own bitmaps as a picture that owns it; none when it
// cannot be loaded.
PictureRef ResourcePicture(const wchar_t* name) {
    const auto bitmap = static_cast<HBITMAP>(LoadImageW(zarn::ThisModule(), name, IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
        return nullptr;
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    PictureRef picture;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                        reinterpret_cast<void**>(picture.GetAddressOf())))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return picture;
}

// The picture drawn as Hilight draws a mark, over a ground of one colour.
std::unique_ptr<MemorySurface> Over(DWORD ground, HDC like, IPictureDisp* picture, long width, long height,
                                    long mask) {
    auto surface = std::make_unique<MemorySurface>(like, zarn::gdi::CompatibleBitmap(like, width, height));
    PatBlt(surface->dc(), 0, 0, width, height, ground);
    mDrawFns::DrawBitmap(surface->dc(), picture, width, height, width, height, RECT{0, 0, width, height},
                         mDrawFns::Stretched, mask);
    return surface;
}

} // namespace

PictureSize SizeOf(IPictureDisp* picture, HDC dc) {
    if (!picture)
        zarn::Raise(zarn::ErrObjectNotSet);
    Microsoft::WRL::ComPtr<IPicture> pic;
    zarn::ThrowIfFailed(picture->QueryInterface(IID_PPV_ARGS(&pic)));
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    SHORT type = 0;
    zarn::ThrowIfFailed(pic->get_Type(&type));
    zarn::ThrowIfFailed(pic->get_Width(&width));
    zarn::ThrowIfFailed(pic->get_Height(&height));
    // HIMETRIC is hundredths of a millimetre: 2540 to the inch.
    return {type, width * GetDeviceCaps(dc, LOGPIXELSX) / 2540.0, height * GetDeviceCaps(dc, LOGPIXELSY) / 2540.0};
}

bool ResourceMark::Load(HDC dc) {
    if (holes_)
        return true;
    const PictureRef picture = ResourcePicture(name_);
    if (!picture)
        return false;
    size_ = SizeOf(picture.Get(), dc);
    const long width = Round(size_.width), height = Round(size_.height);
    overBlack_ = Over(BLACKNESS, dc, picture.Get(), width, height, mask_);
    holes_ = Over(WHITENESS, dc, picture.Get(), width, height, mask_);
    // Over white and over black differ only where the mark is transparent.
    BitBlt(holes_->dc(), 0, 0, width, height, overBlack_->dc(), 0, 0, SRCINVERT);
    return true;
}

// What lies below where the mark is transparent, the mark elsewhere: the
// pixels of the transparent copy of the drawing module.
void ResourceMark::Draw(HDC dc, const RECT& rect) const {
    const int width = Round(size_.width), height = Round(size_.height);
    BitBlt(dc, rect.left, rect.top, width, height, holes_->dc(), 0, 0, SRCAND);
    BitBlt(dc, rect.left, rect.top, width, height, overBlack_->dc(), 0, 0, SRCPAINT);
}

void ResourceMark::Release() {
    holes_.reset();
    overBlack_.reset();
    size_ = {};
}

} // namespace frmCalendarMarks
