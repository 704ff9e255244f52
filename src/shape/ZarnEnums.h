#pragma once
// The published enumerations, in the order of the type library. Member
// names are published as they stand, blanks and parentheses included, and
// two enumerations both have a member NONE.
#include <windows.h>

#include <span>
#include <string_view>

namespace zarn::shape {

struct EnumItem {
    const char* name;
    LONG value;
};

struct Enumeration {
    const char* name;
    std::span<const EnumItem> items;
};

namespace enums {
// clang-format off
inline constexpr EnumItem UserControlType[] = {{"DropCalendar", 0}, {"DateTextBox", 1}};
inline constexpr EnumItem dtDaysOfTheWeek[] = {{"dtSunday", 1}, {"dtMonday", 2}, {"dtTuesday", 3},
    {"dtWednesday", 4}, {"dtThursday", 5}, {"dtFriday", 6}, {"dtSaturday", 7}};
inline constexpr EnumItem tTextViewType[] = {{"dtCustom", 1}, {"dtShortDate", 2}, {"dtLongDate", 3}};
inline constexpr EnumItem tTextViewFormat[] = {{"dd MMM yy", 1}, {"dd MMM yyyy", 2}, {"ddd MM yyyy", 3}};
inline constexpr EnumItem CalendarDateTimeOption[] = {{"DateOnly(Default)", 0}};
inline constexpr EnumItem CalendarDateSettingType[] = {{"Default(Now)", 0}, {"UserInput", 1}};
inline constexpr EnumItem dtSectionConstants[] = {{"dtDaySection", 0}, {"dtMonthSection", 1},
    {"dtYearSection", 2}, {"dtInvalid", 3}};
inline constexpr EnumItem dtDateValidationConstants[] = {{"dtValidDate", 0}, {"dtInvalidDate", 1},
    {"dtNullDate", 2}};
inline constexpr EnumItem dtClickBehivor[] = {{"dtOneClickHide", 0}, {"dtDblClickHide", 1}};
inline constexpr EnumItem CalendarSelectModeStyle[] = {{"Standard", 0}, {"Gradient_V", 1}, {"Gradient_H", 2},
    {"byPicture", 3}};
inline constexpr EnumItem CalendarSelectPictureDrawModeType[] = {{"PictureStretched", 0}, {"PictureTiled", 1}};
inline constexpr EnumItem dtDayHeaderFormats[] = {{"dtSingleLetter", 0}, {"dtMedium", 1}};
inline constexpr EnumItem CalendarBorderStyleType[] = {{"NONE", 0}, {"Flat", 1}, {"Raised Thin", 2},
    {"Raised 3D", 3}, {"Sunken Thin", 4}, {"Sunken 3D", 5}, {"Etched", 6}, {"Bump", 7}};
inline constexpr EnumItem PictureSize[] = {{"size16x16", 0}, {"size32x32", 1}, {"SizeDefault", 2},
    {"SizeCustom", 3}, {"size64x64", 4}};
inline constexpr EnumItem DatePositionType[] = {{"PosnTop", 0}, {"PosnCenter", 1}, {"PosnBottom", 2}};
inline constexpr EnumItem DateAlignType[] = {{"AlignLeft", 0}, {"AlignCenter", 1}, {"AlignRight", 2}};
inline constexpr EnumItem GridLineType[] = {{"HVLineActiveMonth", 0}, {"HLineActiveMonth", 1},
    {"VLineActiveMonth", 2}, {"HVMonthLine", 3}, {"HMonthLine", 4}, {"VMonthLine", 5}, {"NONE", 6}};
// clang-format on
} // namespace enums

#define ZARN_ENUMERATION(Name)                                                                               \
    Enumeration {                                                                                            \
#Name, enums::Name                                                                                   \
    }
inline constexpr Enumeration kEnumerations[] = {
    ZARN_ENUMERATION(UserControlType),
    ZARN_ENUMERATION(dtDaysOfTheWeek),
    ZARN_ENUMERATION(tTextViewType),
    ZARN_ENUMERATION(tTextViewFormat),
    ZARN_ENUMERATION(CalendarDateTimeOption),
    ZARN_ENUMERATION(CalendarDateSettingType),
    ZARN_ENUMERATION(dtSectionConstants),
    ZARN_ENUMERATION(dtDateValidationConstants),
    ZARN_ENUMERATION(dtClickBehivor),
    ZARN_ENUMERATION(CalendarSelectModeStyle),
    ZARN_ENUMERATION(CalendarSelectPictureDrawModeType),
    ZARN_ENUMERATION(dtDayHeaderFormats),
    ZARN_ENUMERATION(CalendarBorderStyleType),
    ZARN_ENUMERATION(PictureSize),
    ZARN_ENUMERATION(DatePositionType),
    ZARN_ENUMERATION(DateAlignType),
    ZARN_ENUMERATION(GridLineType),
};
#undef ZARN_ENUMERATION

constexpr bool IsEnumeration(std::string_view name) {
    for (const auto& e : kEnumerations)
        if (name == e.name)
            return true;
    return false;
}

} // namespace zarn::shape
