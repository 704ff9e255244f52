// Tiling an area with one block of a source surface.
#include "draw/Trap.h"

#include <algorithm>

namespace mDrawFns {

using detail::Minus;
using detail::Mod;
using detail::Plus;

namespace {

// One row or column of tiles: where it starts, how long a full one is, and
// where in the tile it begins.
struct Strip {
    long start;
    long length;
    long source;
};

// The tile grid is anchored at the destination's (0, 0): the first strip is
// what remains of the tile the area starts in, the others are whole tiles.
template <class EachStrip>
void ForEachStrip(long start, long length, long tile, long offset, EachStrip&& each) {
    const long end = Plus(start, length);
    // A tile below zero would never advance; it tiles nothing.
    for (Strip s{start, Minus(tile, offset), offset}; s.length > 0 && s.start < end;
         s = Strip{Plus(s.start, s.length), tile, 0})
        each(s.start, std::min(s.length, Minus(end, s.start)), s.source);
}

} // namespace

void TilePic2(HDC dest, long x, long y, long width, long height, HDC src, long tileWidth, long tileHeight) {
    zarn::Trapped(
        [&] {
            const long offX = Mod(x, tileWidth);
            const long offY = Mod(y, tileHeight);
            ForEachStrip(y, height, tileHeight, offY, [&](long top, long rowHeight, long srcTop) {
                ForEachStrip(x, width, tileWidth, offX, [&](long left, long columnWidth, long srcLeft) {
                    BitBlt(dest, left, top, columnWidth, rowHeight, src, srcLeft, srcTop, SRCCOPY);
                });
            });
        },
        detail::Reported(L"  TilePic2 "));
}

} // namespace mDrawFns
