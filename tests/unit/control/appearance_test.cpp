// Appearance properties with rules of their own: clamps, derived colour,
// picture sizes, the thread's today font and the text box's font.
#include "ControlFixture.h"

#include <olectl.h>

namespace zarn::test {
namespace {

using Appearance = ControlTest;

// A bitmap picture of the given pixel size, owning its bitmap.
Microsoft::WRL::ComPtr<IPictureDisp> BitmapPicture(int width, int height) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    const HDC screen = GetDC(nullptr);
    desc.bmp.hbitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    Microsoft::WRL::ComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                       reinterpret_cast<void**>(picture.GetAddressOf())),
              S_OK);
    return picture;
}

TEST_F(Appearance, FaceSettersStoreAndNotify) {
    control->ShowIcon(false);
    control->IconSizeWidth(24);
    control->IconSizeHeight(20);
    control->BorderColor(0x80000005);
    control->FocusColor(0x112233);
    control->TextFocusCol(0x445566);
    EXPECT_FALSE(control->ShowIcon());
    EXPECT_EQ(control->IconSizeWidth(), 24);
    EXPECT_EQ(control->IconSizeHeight(), 20);
    EXPECT_EQ(control->BorderColor(), 0x80000005u);
    EXPECT_EQ(control->FocusColor(), 0x112233u);
    EXPECT_EQ(control->TextFocusCol(), 0x445566u);
    EXPECT_EQ(host.keys, (Keys{L"ShowIcon", L"IconSizeWidth", L"IconSizeHeight", L"BorderColor",
                               L"FocusColor", L"TextFocusCol"}));
}

TEST_F(Appearance, FontSizeIsClampedAndRoundTrips) {
    const std::pair<long, long> cases[] = {{5, 9}, {9, 9}, {30, 30}, {31, 28}, {72, 28}, {12, 12}};
    for (const auto& [given, kept] : cases) {
        control->FontSize(given);
        EXPECT_EQ(control->FontSize(), kept) << given;
    }
    control->FontName(L"Arial");
    control->FontBold(true);
    control->FontItalic(true);
    control->FontUnderline(true);
    control->FontStrikethru(true);
    EXPECT_EQ(control->FontName(), L"Arial");
    EXPECT_TRUE(control->FontBold() && control->FontItalic() && control->FontUnderline() &&
                control->FontStrikethru());
    EXPECT_EQ(host.keys.size(), 11u);
    EXPECT_EQ(host.keys.back(), L"FontStrikethru");
}

TEST_F(Appearance, InitialTextFontIsArialTen) {
    EXPECT_EQ(control->FontName(), L"Arial");
    EXPECT_EQ(control->FontSize(), 10);
    EXPECT_FALSE(control->FontBold());
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
    control->TodayPictureSize(1);
    EXPECT_EQ(control->TodayPictureWidth(), 32);
    control->TodayPictureWidth(40);
    control->TodayPictureHeight(41);
    control->TodayPictureSize(3); // custom keeps what was set
    control->TodayPictureSize(7); // so does an unknown mode, stored as given
    EXPECT_EQ(control->TodayPictureSize(), 7);
    EXPECT_EQ(control->TodayPictureWidth(), 40);
    EXPECT_EQ(control->TodayPictureHeight(), 41);

    control->TodayPictureSize(2);
    control->TodayPicture(BitmapPicture(20, 10).Get());
    EXPECT_EQ(control->TodayPictureWidth(), 20);
    EXPECT_EQ(control->TodayPictureHeight(), 10);
    control->TodayPictureSize(1);
    control->TodayPicture(BitmapPicture(24, 12).Get());
    EXPECT_EQ(control->TodayPictureWidth(), 32); // size mode 1 keeps 32 x 32
    control->TodayPicture(nullptr);
    EXPECT_EQ(SharedSettings::ForThread().TodayOriginalPicSizeW, 32);
    control->TodayPictureSize(2);
    EXPECT_EQ(control->TodayPictureWidth(), 32);
    EXPECT_EQ(control->TodayPictureHeight(), 32);

    host.keys.clear();
    control->WeekSignPicture(BitmapPicture(8, 8).Get());
    EXPECT_EQ(host.keys, (Keys{L"WeekSignPicture", L"WeekSignPicture"}));
    control->WeekSignPictureSize(2);
    EXPECT_EQ(control->WeekSignPictureWidth(), 8);
    control->WeekSignPictureSize(4);
    EXPECT_EQ(control->WeekSignPictureHeight(), 64);
}

TEST_F(Appearance, TodayFontIsSharedAndDroppedWithAnyControl) {
    EXPECT_EQ(control->TodayFontName(), L"Arial");
    EXPECT_EQ(control->TodayFontSize(), 11);
    EXPECT_TRUE(control->TodayFontBold());
    EXPECT_FALSE(control->TodayFontItalic());
    EXPECT_FALSE(control->TodayFontStrikethrough());
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
    control->RightToLeft(true);
    EXPECT_TRUE(control->RightToLeft());
}

TEST_F(Appearance, SharedCalendarSettingsUseTheirPublishedKeys) {
    control->GridLine(6);
    control->HotTracking(false);
    control->CalendarBdFlatBorderColour(0x0000FF);
    EXPECT_EQ(control->GridLine(), 6);
    EXPECT_FALSE(control->HotTracking());
    EXPECT_EQ(host.keys, (Keys{L"Gridline", L"HotTracking", L"CalendarBdFlatBorderColour"}));
}

} // namespace
} // namespace zarn::test
