// The live-object count the leak checks rely on counts what exists.
#include "DrawTestSupport.h"

namespace zarn::test {
namespace {

TEST(GdiOwners, CountWhileHeldAndDeleteOnceWhenMoved) {
    const long start = gdi::LiveObjects();
    HBRUSH handle = nullptr;
    {
        gdi::UniqueBrush brush = gdi::SolidBrush(RGB(1, 2, 3));
        handle = brush.get();
        const gdi::UniqueBrush moved = std::move(brush);
        EXPECT_EQ(gdi::LiveObjects(), start + 1);
        EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(gdi::LiveObjects(), start);
    EXPECT_EQ(GetObjectType(handle), 0u);
}

} // namespace
} // namespace zarn::test
