#pragma once
// clang-format off
// The published shape of the control: the members of _Zarn in their order,
// the events of __Zarn and the enumerations. This one table declares the
// C++ interface (ZarnInterface.h) and builds the type library
// (TypeLibBuilder.cpp), so the vtable and the library cannot drift apart.
//
// Member entries, in interface order:
//   ZPROP(Name, Type)        get and put
//   ZPROP_REF(Name, Type)    get and putref (object properties)
//   ZPROP_GET(Name, Type)    get only
//   ZMETHOD0(Name, Result)
//   ZMETHOD1(Name, Result, Type1, Arg1, Dir1)
//   ZMETHOD4(Name, Result, T1, A1, D1, T2, A2, D2, T3, A3, D3, T4, A4, D4)
// Types are the tags of ZarnTypes.h (Bool, Long, Integer, Single, String,
// Color, Picture, Font, Variant, Void, or Enum_<name>); Dir is ByVal or ByRef.

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
    ZPROP(SelectControl, Enum_UserControlType)                                                                    \
    ZPROP(CalendarSelectPicDrawMode, Enum_CalendarSelectPictureDrawModeType)                                      \
    ZPROP(CalendarSelectStyle, Enum_CalendarSelectModeStyle)                                                      \
    ZPROP(CalendarSelectePicMaskColor, Color)                                                                     \
    ZPROP_REF(CalendarSelectePicture, Picture)                                                                    \
    ZPROP(CalendarBackNormal, Color)                                                                              \
    ZPROP(CalendarBackSelected, Color)                                                                            \
    ZPROP(CalendarBackSelectedG1, Color)                                                                          \
    ZPROP(CalendarBackSelectedG2, Color)                                                                          \
    ZPROP(CalendarFirstDayOfWeek, Enum_dtDaysOfTheWeek)                                                           \
    ZPROP(CalendarDayHeaderFormat, Enum_dtDayHeaderFormats)                                                       \
    ZPROP(CalendarOption, Enum_CalendarDateTimeOption)                                                            \
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
    ZPROP(TodayPictureSize, Enum_PictureSize)                                                                     \
    ZPROP(WeekColumnWidth, Long)                                                                                  \
    ZPROP(ShowWeekSignPicture, Bool)                                                                              \
    ZPROP(WeekSignPicMaskColor, Color)                                                                            \
    ZPROP(WeekSignPictureWidth, Long)                                                                             \
    ZPROP(WeekSignPictureHeight, Long)                                                                            \
    ZPROP(WeekSignPictureSize, Enum_PictureSize)                                                                  \
    ZPROP(DateAlign, Enum_DateAlignType)                                                                          \
    ZPROP(DatePosn, Enum_DatePositionType)                                                                        \
    ZPROP(DateXOffset, Long)                                                                                      \
    ZPROP(DateYOffset, Long)                                                                                      \
    ZPROP(TodayXOffset, Long)                                                                                     \
    ZPROP(TodayYOffset, Long)                                                                                     \
    ZPROP(GridLineColor, Color)                                                                                   \
    ZPROP(GridLine, Enum_GridLineType)                                                                            \
    ZPROP(CalendarBdHighlightColour, Color)                                                                       \
    ZPROP(CalendarBdHighlightDKColour, Color)                                                                     \
    ZPROP(CalendarBdShadowColour, Color)                                                                          \
    ZPROP(CalendarBdShadowDKColour, Color)                                                                        \
    ZPROP(CalendarBdFlatBorderColour, Color)                                                                      \
    ZPROP(WeekSignPicXOffset, Long)                                                                               \
    ZPROP(WeekSignPicYOffset, Long)                                                                               \
    ZPROP_REF(WeekSignPicture, Picture)                                                                           \
    ZPROP(CalendarBorderStyle, Enum_CalendarBorderStyleType)                                                      \
    ZPROP(TextViewType, Enum_tTextViewType)                                                                       \
    ZPROP(TextViewFormat, Enum_tTextViewFormat)                                                                   \
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

// Help strings of the members that carry one.
#define ZARN_HELPSTRINGS(H)                                                                                       \
    H(MaxDate, L"Max date year is 2099")                                                                          \
    H(MinDate, L"Min date is 1900. Dates less than 2000  require full year format:yyyy. if only yy is used "      \
               L"then the current centure is assumed.")

// Events of __Zarn in the order of their dispatch identifiers 1 to 17.
// Every parameter is passed by reference.
//   ZEVENT(Name, (Type, Arg)...)
#define ZARN_EVENTS(ZEVENT0, ZEVENT1, ZEVENT2, ZEVENT4, ZEVENT6, ZEVENT7)                                        \
    ZEVENT0(Click)                                                                                                \
    ZEVENT0(MouseOver)                                                                                            \
    ZEVENT4(MouseOut, Integer, Button, Integer, Shift, Single, X, Single, Y)                                     \
    ZEVENT4(MouseUp, Integer, Button, Integer, Shift, Single, X, Single, Y)                                      \
    ZEVENT2(KeyDown, Integer, KeyCode, Integer, Shift)                                                            \
    ZEVENT1(KeyPress, Integer, KeyAscii)                                                                          \
    ZEVENT2(KeyUp, Integer, KeyCode, Integer, Shift)                                                              \
    ZEVENT4(MouseDown, Integer, Button, Integer, Shift, Single, X, Single, Y)                                    \
    ZEVENT4(MouseMove, Integer, Button, Integer, Shift, Single, X, Single, Y)                                    \
    ZEVENT0(Change)                                                                                               \
    ZEVENT1(CalendarChoose, String, Text)                                                                         \
    ZEVENT1(OLECompleteDrag, Long, Effect)                                                                        \
    ZEVENT6(OLEDragDrop, Object, Data, Long, Effect, Integer, Button, Integer, Shift, Single, X, Single, Y)      \
    ZEVENT7(OLEDragOver, Object, Data, Long, Effect, Integer, Button, Integer, Shift, Single, X, Single, Y,      \
            Integer, State)                                                                                       \
    ZEVENT2(OLEGiveFeedback, Long, Effect, Bool, DefaultCursors)                                                  \
    ZEVENT2(OLESetData, Object, Data, Integer, DataFormat)                                                        \
    ZEVENT2(OLEStartDrag, Object, Data, Long, AllowedEffects)

// The published enumerations: ZENUM(Name, (Member, Value)...) written as
// ZENUM_BEGIN(Name) ZENUM_ITEM("Member", Value)... ZENUM_END(Name).
// Member names are published as they stand, blanks and parentheses included.
#define ZARN_ENUMS(B, I, E)                                                                                       \
    B(UserControlType) I("DropCalendar", 0) I("DateTextBox", 1) E(UserControlType)                                \
    B(dtDaysOfTheWeek) I("dtSunday", 1) I("dtMonday", 2) I("dtTuesday", 3) I("dtWednesday", 4)                   \
        I("dtThursday", 5) I("dtFriday", 6) I("dtSaturday", 7) E(dtDaysOfTheWeek)                                 \
    B(tTextViewType) I("dtCustom", 1) I("dtShortDate", 2) I("dtLongDate", 3) E(tTextViewType)                     \
    B(tTextViewFormat) I("dd MMM yy", 1) I("dd MMM yyyy", 2) I("ddd MM yyyy", 3) E(tTextViewFormat)               \
    B(CalendarDateTimeOption) I("DateOnly(Default)", 0) E(CalendarDateTimeOption)                                 \
    B(CalendarDateSettingType) I("Default(Now)", 0) I("UserInput", 1) E(CalendarDateSettingType)                  \
    B(dtSectionConstants) I("dtDaySection", 0) I("dtMonthSection", 1) I("dtYearSection", 2) I("dtInvalid", 3)    \
        E(dtSectionConstants)                                                                                     \
    B(dtDateValidationConstants) I("dtValidDate", 0) I("dtInvalidDate", 1) I("dtNullDate", 2)                    \
        E(dtDateValidationConstants)                                                                              \
    B(dtClickBehivor) I("dtOneClickHide", 0) I("dtDblClickHide", 1) E(dtClickBehivor)                             \
    B(CalendarSelectModeStyle) I("Standard", 0) I("Gradient_V", 1) I("Gradient_H", 2) I("byPicture", 3)          \
        E(CalendarSelectModeStyle)                                                                                \
    B(CalendarSelectPictureDrawModeType) I("PictureStretched", 0) I("PictureTiled", 1)                            \
        E(CalendarSelectPictureDrawModeType)                                                                      \
    B(dtDayHeaderFormats) I("dtSingleLetter", 0) I("dtMedium", 1) E(dtDayHeaderFormats)                           \
    B(CalendarBorderStyleType) I("NONE", 0) I("Flat", 1) I("Raised Thin", 2) I("Raised 3D", 3)                   \
        I("Sunken Thin", 4) I("Sunken 3D", 5) I("Etched", 6) I("Bump", 7) E(CalendarBorderStyleType)              \
    B(PictureSize) I("size16x16", 0) I("size32x32", 1) I("SizeDefault", 2) I("SizeCustom", 3)                    \
        I("size64x64", 4) E(PictureSize)                                                                          \
    B(DatePositionType) I("PosnTop", 0) I("PosnCenter", 1) I("PosnBottom", 2) E(DatePositionType)                 \
    B(DateAlignType) I("AlignLeft", 0) I("AlignCenter", 1) I("AlignRight", 2) E(DateAlignType)                    \
    B(GridLineType) I("HVLineActiveMonth", 0) I("HLineActiveMonth", 1) I("VLineActiveMonth", 2)                   \
        I("HVMonthLine", 3) I("HMonthLine", 4) I("VMonthLine", 5) I("NONE", 6) E(GridLineType)
// clang-format on
