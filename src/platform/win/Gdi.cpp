#include "platform/win/Gdi.h"

#ifdef ZARN_COUNT_GDI
#include <atomic>
#endif

namespace zarn::gdi {

#ifdef ZARN_COUNT_GDI
namespace {
std::atomic<long> live{0};
} // namespace

long LiveObjects() {
    return live.load();
}

void detail::Count(long delta) {
    live += delta;
}
#endif

UniqueBrush SolidBrush(COLORREF colour) {
    return UniqueBrush(CreateSolidBrush(colour));
}

UniquePen SolidPen(COLORREF colour) {
    return UniquePen(CreatePen(PS_SOLID, 1, colour));
}

UniqueMemoryDC CompatibleDC(HDC like) {
    return UniqueMemoryDC(CreateCompatibleDC(like));
}

UniqueBitmap CompatibleBitmap(HDC like, int width, int height) {
    return UniqueBitmap(CreateCompatibleBitmap(like, width, height));
}

UniqueBitmap MonochromeBitmap(int width, int height) {
    return UniqueBitmap(CreateBitmap(width, height, 1, 1, nullptr));
}

Selection::Selection(HDC dc, HGDIOBJ object)
    : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {
    if (previous_ == HGDI_ERROR)
        previous_ = nullptr;
}

Selection::~Selection() {
    if (previous_)
        SelectObject(dc_, previous_);
}

MemorySurface::MemorySurface(HDC like, UniqueBitmap bitmap)
    : bitmap_(std::move(bitmap)), dc_(CompatibleDC(like)), holding_(dc_.get(), bitmap_.get()) {}

} // namespace zarn::gdi
