// Appearance properties with rules of their own: clamps, derived colour,
// picture sizes, the thread's today font and 16-bit settings. (Setters
// without a rule are checked through the built control, every one of them
// for its notice and for what it keeps.)
#include "ControlFixture.h"
#include "draw/DrawTestSupport.h"

namespace zarn::test {
namespace {

using Appearance = ControlTest;

Microsoft::WRL::ComPtr<IPictureDisp> Blank(int width, int height) {
    return BitmapPicture(width, height, [](int, int) { return kPaper; });
}

TEST_F(Appearance, FontSizeIsClamped) {
    const std::pair<long, long> cases[] = {{5, 9}, {9, 9}, {30, 30}, {31, 28}, {72, 28}, {12, 12}};
    for (const auto& [given, kept] : cases) {
        control->FontSize(given);
        EXPECT_EQ(control->FontSize(), kept) << given;
    }
    EXPECT_EQ(host.keys, Keys(std::size(cases), L"FontSize"));
}

TEST_F(Appearance, GridSizesBelowTwentyBecomeThirty) {
    control->CalendarGridWidth(19);
    control->CalendarGridHeight(20);
    EXPECT_EQ(control->CalendarGridWidth(), 30);
    EXPECT_EQ(control->CalendarGridHeight(), 20);
    EXPECT_EQ(host.keys, (Keys{L"CalendarGridWidth", L"CalendarGridHeight"}));
    // Only a property bag can store more than 16 bits; reading it overflows.
    SharedSettings::ForThread().CalendarGridWidth = 40000;
    EXPECT_EQ(ErrorNumberOf([&] { control->CalendarGridWidth(); }), ErrOverflow);
}

TEST_F(Appearance, SelectedBackgroundKeepsTheSystemColourAndDerivesItsValue) {
    control->CalendarBackSelected(0x8000000F);
    EXPECT_EQ(control->CalendarBackSelected(), 0x8000000Fu);
    EXPECT_EQ(SharedSettings::ForThread().CalendarBackSelectedRGB, GetSysColor(COLOR_BTNFACE));
    control->CalendarBackSelected(0x00336699);
    EXPECT_EQ(SharedSettings::ForThread().CalendarBackSelectedRGB, 0x00336699u);
}

TEST_F(Appearance, PictureSizeModes) {
    const auto size = [&] { return std::pair(control->TodayPictureWidth(), control->TodayPictureHeight()); };
    control->TodayPictureSize(1);
    EXPECT_EQ(control->TodayPictureWidth(), 32);
    control->TodayPictureWidth(40);
    control->TodayPictureHeight(41);
    control->TodayPictureSize(3); // custom keeps what was set
    control->TodayPictureSize(7); // so does an unknown mode, stored as given
    EXPECT_EQ(control->TodayPictureSize(), 7);
    EXPECT_EQ(size(), std::pair(40L, 41L));

    control->TodayPictureSize(2);
    control->TodayPicture(Blank(20, 10).Get());
    EXPECT_EQ(size(), std::pair(20L, 10L));
    control->TodayPictureSize(1);
    control->TodayPicture(Blank(24, 12).Get());
    EXPECT_EQ(control->TodayPictureWidth(), 32); // size mode 1 keeps 32 x 32
    control->TodayPicture(nullptr);
    EXPECT_EQ(SharedSettings::ForThread().TodayOriginalPicSizeW, 32);
    control->TodayPictureSize(2);
    EXPECT_EQ(size(), std::pair(32L, 32L));

    host.keys.clear();
    control->WeekSignPicture(Blank(8, 8).Get());
    EXPECT_EQ(host.keys, (Keys{L"WeekSignPicture", L"WeekSignPicture"}));
    control->WeekSignPictureSize(2);
    EXPECT_EQ(control->WeekSignPictureWidth(), 8);
    control->WeekSignPictureSize(4);
    EXPECT_EQ(control->WeekSignPictureHeight(), 64);
}

TEST_F(Appearance, TodayFontIsSharedAndDroppedWithAnyControl) {
    // A size set on the font object itself counts as the object answers it.
    Microsoft::WRL::ComPtr<IFont> font;
    ASSERT_EQ(control->TodayFont().As(&font), S_OK);
    ASSERT_EQ(font->put_Size(CY{.int64 = 140000}), S_OK);
    EXPECT_EQ(control->TodayFontSize(), 14);
    {
        FakeHost otherHost;
        Zarn other(otherHost);
        EXPECT_EQ(other.TodayFontName(), L"Arial");
    }
    // The next use creates a standard font with the platform's defaults.
    EXPECT_NE(control->TodayFontName(), L"Arial");
    EXPECT_FALSE(control->TodayFontBold());
}

TEST_F(Appearance, SixteenBitTextBoxSettingsOverflowAndKeepTheirValue) {
    control->mousePointer(11);
    EXPECT_EQ(ErrorNumberOf([&] { control->mousePointer(70000); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([&] { control->OLEDropMode(-40000); }), ErrOverflow);
    EXPECT_EQ(control->mousePointer(), 11);
    EXPECT_EQ(host.keys, Keys{L"MousePointer"});
}

} // namespace
} // namespace zarn::test
