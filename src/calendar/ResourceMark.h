#pragma once
// The module's own bitmaps for today and the week sign, drawn when no
// picture is set: at their own size with one colour transparent. Each is
// loaded on its first paint and laid over black and over white once; the
// two images are kept until the form unloads, so a later paint copies the
// mark in two steps instead of loading it and building six surfaces.
#include "platform/win/Gdi.h"

#include <ocidl.h>

#include <cmath>
#include <memory>

namespace frmCalendarMarks {

// Halves to even, as every placement of the marks rounds.
inline long Round(double x) {
    return static_cast<long>(std::nearbyint(x));
}

// A picture's type and its size in the device's pixels, unrounded.
struct PictureSize {
    short type = 0;
    double width = 0, height = 0;
};
PictureSize SizeOf(IPictureDisp* picture, HDC dc);

class ResourceMark {
public:
    ResourceMark(const wchar_t* name, long maskColour) : name_(name), mask_(maskColour) {}

    // Loads the bitmap on first use; false when it cannot be loaded.
    bool Load(HDC dc);
    const PictureSize& Size() const { return size_; }
    // The mark with its top-left corner at the rectangle's.
    void Draw(HDC dc, const RECT& rect) const;
    void Release();

private:
    const wchar_t* name_;
    long mask_;
    PictureSize size_;
    std::unique_ptr<zarn::gdi::MemorySurface> overBlack_;
    std::unique_ptr<zarn::gdi::MemorySurface> holes_; // white where transparent, black elsewhere
};

} // namespace frmCalendarMarks
