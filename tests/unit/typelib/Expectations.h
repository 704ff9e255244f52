#pragma once
// The published shape of the type library Zarn2, written out by hand in the
// line formats of LibraryText.h. It is kept apart from the member table on
// purpose, so that a slip in the table shows as a difference.
#include <string>
#include <vector>

namespace zarn::test {

inline const std::vector<std::string> kExpectedTypes = {
    "dispatch _Zarn (dual nonextensible)",
    "dispatch __Zarn",
    "coclass Zarn (cancreate control): _Zarn default, __Zarn default source",
};

// _Zarn in vtable order. Enabled carries the standard DISPID_ENABLED (-514).
inline const std::vector<std::string> kExpectedMembers = {
    "1 DrawControl([in] long StatusType): void",
    "2 RefreshControl(): void",
    "3 OLEDrag(): void",
    "4 UserControl_MouseOut([in,out] short* Button, [in,out] short* Shift, "
    "[in,out] single* X, [in,out] single* Y): VARIANT",
    "5 ShowWeek: VARIANT_BOOL get put",
    "-514 Enabled: VARIANT_BOOL get put",
    "7 ShowIcon: VARIANT_BOOL get put",
    "8 Icon: stdole.Picture* get putref",
    "9 IconSizeWidth: long get put",
    "10 IconSizeHeight: long get put",
    "11 BorderColor: stdole.OLE_COLOR get put",
    "12 BgColor: stdole.OLE_COLOR get put",
    "13 ButtonBgColor: stdole.OLE_COLOR get put",
    "14 TextFocusCol: stdole.OLE_COLOR get put",
    "15 PiloCalendarshow([in,out] short* Show): void",
    "16 SelectControl: enum UserControlType get put",
    "17 CalendarSelectPicDrawMode: enum CalendarSelectPictureDrawModeType get put",
    "18 CalendarSelectStyle: enum CalendarSelectModeStyle get put",
    "19 CalendarSelectePicMaskColor: stdole.OLE_COLOR get put",
    "20 CalendarSelectePicture: stdole.Picture* get putref",
    "21 CalendarBackNormal: stdole.OLE_COLOR get put",
    "22 CalendarBackSelected: stdole.OLE_COLOR get put",
    "23 CalendarBackSelectedG1: stdole.OLE_COLOR get put",
    "24 CalendarBackSelectedG2: stdole.OLE_COLOR get put",
    "25 CalendarFirstDayOfWeek: enum dtDaysOfTheWeek get put",
    "26 CalendarDayHeaderFormat: enum dtDayHeaderFormats get put",
    "27 CalendarOption: enum CalendarDateTimeOption get put",
    "28 CalendarGridWidth: short get put",
    "29 CalendarGridHeight: short get put",
    "30 HoverSelection: VARIANT_BOOL get put",
    "31 HotTracking: VARIANT_BOOL get put",
    "32 HoverColor: stdole.OLE_COLOR get put",
    "33 Font: stdole.Font* get putref",
    "34 FontBold: VARIANT_BOOL get put",
    "35 FontItalic: VARIANT_BOOL get put",
    "36 FontName: BSTR get put",
    "37 FontSize: long get put",
    "38 FontStrikethru: VARIANT_BOOL get put",
    "39 FontUnderline: VARIANT_BOOL get put",
    "40 TextMaxLength: short get put",
    "41 Text_Enabled: VARIANT_BOOL get put",
    "42 Text_Locked: VARIANT_BOOL get put",
    "43 DropListEnabled: VARIANT_BOOL get put",
    "44 FocusColor: stdole.OLE_COLOR get put",
    "45 TodayForeColor: stdole.OLE_COLOR get put",
    "46 TodayFont: stdole.Font* get putref",
    "47 TodayFontBold: VARIANT_BOOL get",
    "48 TodayFontItalic: VARIANT_BOOL get",
    "49 TodayFontName: BSTR get",
    "50 TodayFontSize: long get",
    "51 TodayFontStrikethrough: VARIANT_BOOL get",
    "52 TodayMaskColor: stdole.OLE_COLOR get put",
    "53 TodayPicture: stdole.Picture* get putref",
    "54 TodayPictureWidth: long get put",
    "55 TodayPictureHeight: long get put",
    "56 TodayPictureSize: enum PictureSize get put",
    "57 WeekColumnWidth: long get put",
    "58 ShowWeekSignPicture: VARIANT_BOOL get put",
    "59 WeekSignPicMaskColor: stdole.OLE_COLOR get put",
    "60 WeekSignPictureWidth: long get put",
    "61 WeekSignPictureHeight: long get put",
    "62 WeekSignPictureSize: enum PictureSize get put",
    "63 DateAlign: enum DateAlignType get put",
    "64 DatePosn: enum DatePositionType get put",
    "65 DateXOffset: long get put",
    "66 DateYOffset: long get put",
    "67 TodayXOffset: long get put",
    "68 TodayYOffset: long get put",
    "69 GridLineColor: stdole.OLE_COLOR get put",
    "70 GridLine: enum GridLineType get put",
    "71 CalendarBdHighlightColour: stdole.OLE_COLOR get put",
    "72 CalendarBdHighlightDKColour: stdole.OLE_COLOR get put",
    "73 CalendarBdShadowColour: stdole.OLE_COLOR get put",
    "74 CalendarBdShadowDKColour: stdole.OLE_COLOR get put",
    "75 CalendarBdFlatBorderColour: stdole.OLE_COLOR get put",
    "76 WeekSignPicXOffset: long get put",
    "77 WeekSignPicYOffset: long get put",
    "78 WeekSignPicture: stdole.Picture* get putref",
    "79 CalendarBorderStyle: enum CalendarBorderStyleType get put",
    "80 TextViewType: enum tTextViewType get put",
    "81 TextViewFormat: enum tTextViewFormat get put",
    "82 AllowNull: VARIANT_BOOL get put",
    "83 Seperator: BSTR get put",
    "84 PlaceHolder: BSTR get put",
    "85 MaxDate: long get put \"Max date year is 2099\"",
    "86 MinDate: long get put \"Min date is 1900. Dates less than 2000  require full year format:yyyy. "
    "if only yy is used then the current centure is assumed.\"",
    "87 PValue: VARIANT get put",
    "88 OLEDragMode: long get put",
    "89 OLEDropMode: long get put",
    "90 mousePointer: long get put",
    "91 MouseIcon: stdole.Picture* get putref",
    "92 RightToLeft: VARIANT_BOOL get put",
    "93 DateIsNull([in,out] BSTR* DateIn): VARIANT_BOOL",
};

// __Zarn: every parameter by reference.
inline const std::vector<std::string> kExpectedEvents = {
    "1 Click()",
    "2 MouseOver()",
    "3 MouseOut([in,out] short* Button, [in,out] short* Shift, [in,out] single* X, [in,out] single* Y)",
    "4 MouseUp([in,out] short* Button, [in,out] short* Shift, [in,out] single* X, [in,out] single* Y)",
    "5 KeyDown([in,out] short* KeyCode, [in,out] short* Shift)",
    "6 KeyPress([in,out] short* KeyAscii)",
    "7 KeyUp([in,out] short* KeyCode, [in,out] short* Shift)",
    "8 MouseDown([in,out] short* Button, [in,out] short* Shift, [in,out] single* X, [in,out] single* Y)",
    "9 MouseMove([in,out] short* Button, [in,out] short* Shift, [in,out] single* X, [in,out] single* Y)",
    "10 Change()",
    "11 CalendarChoose([in,out] BSTR* Text)",
    "12 OLECompleteDrag([in,out] long* Effect)",
    "13 OLEDragDrop([in,out] IDispatch** Data, [in,out] long* Effect, "
    "[in,out] short* Button, [in,out] short* Shift, [in,out] single* X, [in,out] single* Y)",
    "14 OLEDragOver([in,out] IDispatch** Data, [in,out] long* Effect, "
    "[in,out] short* Button, [in,out] short* Shift, [in,out] single* X, [in,out] single* Y, "
    "[in,out] short* State)",
    "15 OLEGiveFeedback([in,out] long* Effect, [in,out] VARIANT_BOOL* DefaultCursors)",
    "16 OLESetData([in,out] IDispatch** Data, [in,out] short* DataFormat)",
    "17 OLEStartDrag([in,out] IDispatch** Data, [in,out] long* AllowedEffects)",
};

// Member names as published: blanks, parentheses and a NONE in two enums.
inline const std::vector<std::string> kExpectedEnums = {
    "UserControlType: DropCalendar = 0, DateTextBox = 1",
    "dtDaysOfTheWeek: dtSunday = 1, dtMonday = 2, dtTuesday = 3, dtWednesday = 4, "
    "dtThursday = 5, dtFriday = 6, dtSaturday = 7",
    "tTextViewType: dtCustom = 1, dtShortDate = 2, dtLongDate = 3",
    "tTextViewFormat: dd MMM yy = 1, dd MMM yyyy = 2, ddd MM yyyy = 3",
    "CalendarDateTimeOption: DateOnly(Default) = 0",
    "CalendarDateSettingType: Default(Now) = 0, UserInput = 1",
    "dtSectionConstants: dtDaySection = 0, dtMonthSection = 1, dtYearSection = 2, dtInvalid = 3",
    "dtDateValidationConstants: dtValidDate = 0, dtInvalidDate = 1, dtNullDate = 2",
    "dtClickBehivor: dtOneClickHide = 0, dtDblClickHide = 1",
    "CalendarSelectModeStyle: Standard = 0, Gradient_V = 1, Gradient_H = 2, byPicture = 3",
    "CalendarSelectPictureDrawModeType: PictureStretched = 0, PictureTiled = 1",
    "dtDayHeaderFormats: dtSingleLetter = 0, dtMedium = 1",
    "CalendarBorderStyleType: NONE = 0, Flat = 1, Raised Thin = 2, Raised 3D = 3, "
    "Sunken Thin = 4, Sunken 3D = 5, Etched = 6, Bump = 7",
    "PictureSize: size16x16 = 0, size32x32 = 1, SizeDefault = 2, SizeCustom = 3, size64x64 = 4",
    "DatePositionType: PosnTop = 0, PosnCenter = 1, PosnBottom = 2",
    "DateAlignType: AlignLeft = 0, AlignCenter = 1, AlignRight = 2",
    "GridLineType: HVLineActiveMonth = 0, HLineActiveMonth = 1, VLineActiveMonth = 2, HVMonthLine = 3, "
    "HMonthLine = 4, VMonthLine = 5, NONE = 6",
};

} // namespace zarn::test
