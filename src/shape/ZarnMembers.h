#pragma once
// clang-format off
// The members of _Zarn in their order. This one table declares the C++
// interface (activex/ZarnInterface.h), the get and put methods of the COM
// object, and the member list the type library is built from (ZarnShape.h),
// so the vtable and the library cannot drift apart. It stays a macro table
// because it generates member function names; the events and enumerations
// are plain data (ZarnShape.h).
//
// Member entries, in interface order:
//   ZPROP(Name, Type)        get and put
//   ZPROP_REF(Name, Type)    get and putref (object properties)
//   ZPROP_GET(Name, Type)    get only
//   ZMETHOD0(Name, Result)
//   ZMETHOD1(Name, Result, Type1, Arg1, Dir1)
//   ZMETHOD4(Name, Result, T1, A1, D1, T2, A2, D2, T3, A3, D3, T4, A4, D4)
// Types are the tags of ZarnTypes.h (Bool, Long, Integer, Single, String,
// Color, Picture, Font, Variant, Void, or Enum<"name">); Dir is ByVal or ByRef.

#define ZARN_MEMBERS(ZPROP, ZPROP_REF, ZPROP_GET, ZMETHOD0, ZMETHOD1, ZMETHOD4)                                   \
    ZMETHOD1(DrawControl, Void, Long, StatusType, ByVal)                                                          \
    ZMETHOD0(RefreshControl, Void)                                                                                \
    ZMETHOD0(OLEDrag, Void)                                                                                       \
    ZMETHOD4(UserControl_MouseOut, Variant, Integer, Button, ByRef, Integer, Shift, ByRef, Single, X, ByRef,     \
             Single, Y, ByRef)                                                                                    \
    ZPROP(ShowWeek, Bool)                                                                                         \
    ZPROP(Enabled, Bool)                                                                                          \
    ZPROP(ShowIcon, Bool)                                                                                         \
    ZPROP_REF(Icon, Picture)                                                                                      \
    ZPROP(IconSizeWidth, Long)                                                                                    \
    ZPROP(IconSizeHeight, Long)                                                                                   \
    ZPROP(BorderColor, Color)                                                                                     \
    ZPROP(BgColor, Color)                                                                                         \
    ZPROP(ButtonBgColor, Color)                                                                                   \
    ZPROP(TextFocusCol, Color)                                                                                    \
    ZMETHOD1(PiloCalendarshow, Void, Integer, Show, ByRef)                                                        \
    ZPROP(SelectControl, Enum<"UserControlType">)                                                                    \
    ZPROP(CalendarSelectPicDrawMode, Enum<"CalendarSelectPictureDrawModeType">)                                      \
    ZPROP(CalendarSelectStyle, Enum<"CalendarSelectModeStyle">)                                                      \
    ZPROP(CalendarSelectePicMaskColor, Color)                                                                     \
    ZPROP_REF(CalendarSelectePicture, Picture)                                                                    \
    ZPROP(CalendarBackNormal, Color)                                                                              \
    ZPROP(CalendarBackSelected, Color)                                                                            \
    ZPROP(CalendarBackSelectedG1, Color)                                                                          \
    ZPROP(CalendarBackSelectedG2, Color)                                                                          \
    ZPROP(CalendarFirstDayOfWeek, Enum<"dtDaysOfTheWeek">)                                                           \
    ZPROP(CalendarDayHeaderFormat, Enum<"dtDayHeaderFormats">)                                                       \
    ZPROP(CalendarOption, Enum<"CalendarDateTimeOption">)                                                            \
    ZPROP(CalendarGridWidth, Integer)                                                                             \
    ZPROP(CalendarGridHeight, Integer)                                                                            \
    ZPROP(HoverSelection, Bool)                                                                                   \
    ZPROP(HotTracking, Bool)                                                                                      \
    ZPROP(HoverColor, Color)                                                                                      \
    ZPROP_REF(Font, Font)                                                                                         \
    ZPROP(FontBold, Bool)                                                                                         \
    ZPROP(FontItalic, Bool)                                                                                       \
    ZPROP(FontName, String)                                                                                       \
    ZPROP(FontSize, Long)                                                                                         \
    ZPROP(FontStrikethru, Bool)                                                                                   \
    ZPROP(FontUnderline, Bool)                                                                                    \
    ZPROP(TextMaxLength, Integer)                                                                                 \
    ZPROP(Text_Enabled, Bool)                                                                                     \
    ZPROP(Text_Locked, Bool)                                                                                      \
    ZPROP(DropListEnabled, Bool)                                                                                  \
    ZPROP(FocusColor, Color)                                                                                      \
    ZPROP(TodayForeColor, Color)                                                                                  \
    ZPROP_REF(TodayFont, Font)                                                                                    \
    ZPROP_GET(TodayFontBold, Bool)                                                                                \
    ZPROP_GET(TodayFontItalic, Bool)                                                                              \
    ZPROP_GET(TodayFontName, String)                                                                              \
    ZPROP_GET(TodayFontSize, Long)                                                                                \
    ZPROP_GET(TodayFontStrikethrough, Bool)                                                                       \
    ZPROP(TodayMaskColor, Color)                                                                                  \
    ZPROP_REF(TodayPicture, Picture)                                                                              \
    ZPROP(TodayPictureWidth, Long)                                                                                \
    ZPROP(TodayPictureHeight, Long)                                                                               \
    ZPROP(TodayPictureSize, Enum<"PictureSize">)                                                                     \
    ZPROP(WeekColumnWidth, Long)                                                                                  \
    ZPROP(ShowWeekSignPicture, Bool)                                                                              \
    ZPROP(WeekSignPicMaskColor, Color)                                                                            \
    ZPROP(WeekSignPictureWidth, Long)                                                                             \
    ZPROP(WeekSignPictureHeight, Long)                                                                            \
    ZPROP(WeekSignPictureSize, Enum<"PictureSize">)                                                                  \
    ZPROP(DateAlign, Enum<"DateAlignType">)                                                                          \
    ZPROP(DatePosn, Enum<"DatePositionType">)                                                                        \
    ZPROP(DateXOffset, Long)                                                                                      \
    ZPROP(DateYOffset, Long)                                                                                      \
    ZPROP(TodayXOffset, Long)                                                                                     \
    ZPROP(TodayYOffset, Long)                                                                                     \
    ZPROP(GridLineColor, Color)                                                                                   \
    ZPROP(GridLine, Enum<"GridLineType">)                                                                            \
    ZPROP(CalendarBdHighlightColour, Color)                                                                       \
    ZPROP(CalendarBdHighlightDKColour, Color)                                                                     \
    ZPROP(CalendarBdShadowColour, Color)                                                                          \
    ZPROP(CalendarBdShadowDKColour, Color)                                                                        \
    ZPROP(CalendarBdFlatBorderColour, Color)                                                                      \
    ZPROP(WeekSignPicXOffset, Long)                                                                               \
    ZPROP(WeekSignPicYOffset, Long)                                                                               \
    ZPROP_REF(WeekSignPicture, Picture)                                                                           \
    ZPROP(CalendarBorderStyle, Enum<"CalendarBorderStyleType">)                                                      \
    ZPROP(TextViewType, Enum<"tTextViewType">)                                                                       \
    ZPROP(TextViewFormat, Enum<"tTextViewFormat">)                                                                   \
    ZPROP(AllowNull, Bool)                                                                                        \
    ZPROP(Seperator, String)                                                                                      \
    ZPROP(PlaceHolder, String)                                                                                    \
    ZPROP(MaxDate, Long)                                                                                          \
    ZPROP(MinDate, Long)                                                                                          \
    ZPROP(PValue, Variant)                                                                                        \
    ZPROP(OLEDragMode, Long)                                                                                      \
    ZPROP(OLEDropMode, Long)                                                                                      \
    ZPROP(mousePointer, Long)                                                                                     \
    ZPROP_REF(MouseIcon, Picture)                                                                                 \
    ZPROP(RightToLeft, Bool)                                                                                      \
    ZMETHOD1(DateIsNull, Bool, String, DateIn, ByRef)
// clang-format on

namespace zarn::shape {

// Help strings of the members that carry one, as published.
struct HelpString {
    const char* member;
    const wchar_t* text;
};
inline constexpr HelpString kHelpStrings[] = {
    {"MaxDate", L"Max date year is 2099"},
    {"MinDate", L"Min date is 1900. Dates less than 2000  require full year format:yyyy. if only yy is used "
                L"then the current centure is assumed."},
};

} // namespace zarn::shape
