// Saving into and loading from the host's property bag: the keys, their
// order, the type each value is written in, and the defaults in each
// direction. Loading stores values straight into their fields: no setter
// rule is applied and nothing is notified, except for MouseIcon.
#include "control/Zarn.h"

#include "control/Defaults.h"
#include "control/ZarnDragDrop.h"
#include "date/FnsDate.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"

#include <cstdio>

using zarn::PropertyBag;
using zarn::Variant;
using namespace zarn::defaults;

namespace {

Variant B(bool b) {
    return Variant::FromBool(b);
}
Variant I(short n) {
    return Variant::FromInteger(n);
}
Variant L(long n) {
    return Variant::FromLong(n);
}
Variant S(const std::wstring& s) {
    return Variant::FromText(s);
}
Variant Colour(OLE_COLOR c) {
    return L(static_cast<long>(c));
}
Variant F(float f) {
    Variant v;
    VARIANT* p = v.Put();
    V_VT(p) = VT_R4;
    V_R4(p) = f;
    return v;
}
Variant Cy(CY c) {
    Variant v;
    VARIANT* p = v.Put();
    V_VT(p) = VT_CY;
    V_CY(p) = c;
    return v;
}
Variant Picture(IPictureDisp* p) {
    Variant v;
    VARIANT* out = v.Put();
    V_VT(out) = VT_DISPATCH;
    V_DISPATCH(out) = p;
    if (p)
        p->AddRef();
    return v;
}

long AsLong(const Variant& v) {
    return zarn::ToLong(v.Get());
}
bool AsBool(const Variant& v) {
    return zarn::ToBool(v.Get());
}
OLE_COLOR AsColour(const Variant& v) {
    return static_cast<OLE_COLOR>(AsLong(v));
}
short AsInteger(const Variant& v) {
    return zarn::ToInteger(v.Get());
}
CY AsCurrency(const Variant& v) {
    Variant out;
    zarn::ThrowIfFailed(VariantChangeType(out.Put(), const_cast<VARIANT*>(&v.Get()), 0, VT_CY));
    return V_CY(&out.Get());
}

// A picture reference from the bag: nothing, or an object that is a picture.
Microsoft::WRL::ComPtr<IPictureDisp> AsPicture(const Variant& v) {
    const VARIANT& value = v.Get();
    Microsoft::WRL::ComPtr<IPictureDisp> picture;
    if (V_VT(&value) == VT_EMPTY)
        return picture;
    if (V_VT(&value) != VT_DISPATCH && V_VT(&value) != VT_UNKNOWN)
        zarn::Raise(zarn::ErrTypeMismatch);
    if (V_UNKNOWN(&value) && FAILED(V_UNKNOWN(&value)->QueryInterface(
                                 IID_IPictureDisp, reinterpret_cast<void**>(picture.GetAddressOf()))))
        zarn::Raise(zarn::ErrTypeMismatch);
    return picture;
}

} // namespace

// The defaults of the text box's font attributes: those of the host's
// ambient font at this moment.
struct Zarn::FontDefaults {
    bool bold = false, italic = false, strikethrough = false, underline = false;
};

Zarn::FontDefaults Zarn::AmbientFontDefaults() {
    FontDefaults d;
    const auto font = host_.AmbientFont();
    if (!font)
        return d;
    BOOL b = FALSE;
    d.bold = SUCCEEDED(font->get_Bold(&b)) && b;
    d.italic = SUCCEEDED(font->get_Italic(&b)) && b;
    d.strikethrough = SUCCEEDED(font->get_Strikethrough(&b)) && b;
    d.underline = SUCCEEDED(font->get_Underline(&b)) && b;
    return d;
}

// ---------------------------------------------------------------------------
// Loading

void Zarn::ReadProperties(PropertyBag& bag) {
    const FontDefaults font = AmbientFontDefaults();
    ReadFace(bag);
    ReadTextBox(bag, font);
    ReadCalendar(bag);
    ReadTodayFont(bag);
    ReadPictures(bag);
    FinishLoad(bag);
}

void Zarn::ReadFace(PropertyBag& bag) {
    icon_ = AsPicture(bag.ReadProperty(L"Icon", Variant()));
    showIcon_ = AsBool(bag.ReadProperty(L"ShowIcon", B(true)));
    iconSizeWidth_ = AsLong(bag.ReadProperty(L"IconSizeWidth", I(16)));
    iconSizeHeight_ = AsLong(bag.ReadProperty(L"IconSizeHeight", I(16)));
    borderColor_ = AsColour(bag.ReadProperty(L"BorderColor", L(kGrey)));
    bgColor_ = AsColour(bag.ReadProperty(L"BgColor", L(kWhite)));
    buttonBgColor_ = AsColour(bag.ReadProperty(L"ButtonBgColor", L(kWhite)));
    focusColor_ = AsColour(bag.ReadProperty(L"FocusColor", L(kGrey)));
    textMaxLength_ = AsInteger(bag.ReadProperty(L"TextMaxLength", I(30)));
    Text1().SetMaxLength(AsLong(bag.ReadProperty(L"TextMaxLength", I(0))));
    textFocusCol_ = AsColour(bag.ReadProperty(L"TextFocusCol", L(kLightGrey)));
}

void Zarn::ReadTextBox(PropertyBag& bag, const FontDefaults& font) {
    zarn::TextBox& box = Text1();
    box.SetEnabled(AsBool(bag.ReadProperty(L"Text_Enabled", B(true))));
    box.SetLocked(AsBool(bag.ReadProperty(L"Text_Locked", B(false))));
    box.SetForeColor(AsColour(bag.ReadProperty(L"ForeColor", L(static_cast<long>(kWindowText)))));
    box.SetBackColor(AsColour(bag.ReadProperty(L"BackColor", L(static_cast<long>(kWindow)))));
    IFont& f = *box.Font();
    zarn::ThrowIfFailed(f.put_Bold(AsBool(bag.ReadProperty(L"FontBold", B(font.bold)))));
    zarn::ThrowIfFailed(f.put_Italic(AsBool(bag.ReadProperty(L"FontItalic", B(font.italic)))));
    const Variant name = bag.ReadProperty(L"FontName", S(L"Arial"));
    zarn::ThrowIfFailed(f.put_Name(zarn::Bstr(zarn::ToText(name.Get())).Get()));
    box.SetFontSize(zarn::ToSingle(bag.ReadProperty(L"FontSize", I(10)).Get()));
    zarn::ThrowIfFailed(
        f.put_Strikethrough(AsBool(bag.ReadProperty(L"FontStrikethru", B(font.strikethrough)))));
    zarn::ThrowIfFailed(f.put_Underline(AsBool(bag.ReadProperty(L"FontUnderline", B(font.underline)))));
    box.ApplyFont();
    dropListEnabled_ = AsBool(bag.ReadProperty(L"DropListEnabled", B(true)));
    enabled_ = AsBool(bag.ReadProperty(L"Enabled", B(true)));
}

void Zarn::ReadCalendar(PropertyBag& bag) {
    SharedSettings& s = Shared();
    s.CalendarSelectPicDrawMode = AsLong(bag.ReadProperty(L"CalendarSelectPicDrawMode", I(0)));
    s.CalendarSelectStyle = AsLong(bag.ReadProperty(L"CalendarSelectStyle", I(0)));
    s.CalendarSelectePicMaskColor = AsColour(bag.ReadProperty(L"CalendarSelectePicMaskColor", I(0)));
    s.CalendarSelectePicture = AsPicture(bag.ReadProperty(L"CalendarSelectePicture", Variant()));
    s.CalendarBackNormal = AsColour(bag.ReadProperty(L"CalendarBackNormal", L(kWhite)));
    s.CalendarBackSelected = AsColour(bag.ReadProperty(L"CalendarBackSelected", L(kWhite)));
    s.CalendarBackSelectedG1 = AsColour(bag.ReadProperty(L"CalendarBackSelectedG1", L(0x80FF)));
    s.CalendarBackSelectedG2 = AsColour(bag.ReadProperty(L"CalendarBackSelectedG2", L(kLightGrey)));
    Text1().SetRightToLeft(AsBool(bag.ReadProperty(L"RightToLeft", B(false))));
    allowNull_ = AsBool(bag.ReadProperty(L"AllowNull", B(true)));
    seperator_ = zarn::ToText(bag.ReadProperty(L"Seperator", S(L"/")).Get());
    placeHolder_ = zarn::ToText(bag.ReadProperty(L"PlaceHolder", S(L"_")).Get());
    Text1().SetDragMode(AsInteger(bag.ReadProperty(L"OLEDragMode", L(0))));
    Text1().SetDropMode(AsInteger(bag.ReadProperty(L"OLEDropMode", L(0))));
    dragDrop_->DropModeChanged();
    Text1().SetMousePointer(AsInteger(bag.ReadProperty(L"MousePointer", L(0))));
    MouseIcon(AsPicture(bag.ReadProperty(L"MouseIcon", Variant())).Get());
    s.CalendarFirstDayOfWeek = AsLong(bag.ReadProperty(L"CalendarFirstDayOfWeek", I(1)));
    s.CalendarDayHeaderFormat = AsLong(bag.ReadProperty(L"CalendarDayHeaderFormat", I(1)));
    s.CalendarOption = AsLong(bag.ReadProperty(L"CalendarOption", I(0)));
    selectControl_ = AsLong(bag.ReadProperty(L"SelectControl", I(0)));
    s.CalendarGridWidth = AsLong(bag.ReadProperty(L"CalendarGridWidth", I(30)));
    s.CalendarGridHeight = AsLong(bag.ReadProperty(L"CalendarGridHeight", I(30)));
    s.HoverSelection = AsBool(bag.ReadProperty(L"HoverSelection", B(true)));
    s.HotTracking = AsBool(bag.ReadProperty(L"HotTracking", B(true)));
    s.HoverColor = AsColour(bag.ReadProperty(L"HoverColor", L(0x8000)));
    s.CalendarBorderStyle = AsLong(bag.ReadProperty(L"CalendarBorderStyle", I(0)));
    s.TodayForeColor = AsColour(bag.ReadProperty(L"TodayForeColor", L(0x200FF)));
}

void Zarn::ReadTodayFont(PropertyBag& bag) {
    const Ref<IFont> font = TodayFontObject();
    const Variant name = bag.ReadProperty(L"TodayFontName", S(L"Arial"));
    zarn::ThrowIfFailed(font->put_Name(zarn::Bstr(zarn::ToText(name.Get())).Get()));
    GiveTodayFontSize(AsCurrency(bag.ReadProperty(L"TodayFontSize", I(11))));
    zarn::ThrowIfFailed(font->put_Bold(AsBool(bag.ReadProperty(L"TodayFontBold", B(true)))));
    zarn::ThrowIfFailed(font->put_Italic(AsBool(bag.ReadProperty(L"TodayFontItalic", B(true)))));
    zarn::ThrowIfFailed(font->put_Underline(AsBool(bag.ReadProperty(L"TodayFontUnderline", B(false)))));
    zarn::ThrowIfFailed(
        font->put_Strikethrough(AsBool(bag.ReadProperty(L"TodayFontStrikethrough", B(false)))));
}

void Zarn::ReadPictures(PropertyBag& bag) {
    SharedSettings& s = Shared();
    s.TodayMaskColor = AsColour(bag.ReadProperty(L"TodayMaskColor", I(0)));
    s.TodayPicture = AsPicture(bag.ReadProperty(L"TodayPicture", Variant()));
    s.TodayPictureWidth = AsLong(bag.ReadProperty(L"TodayPictureWidth", I(32)));
    s.TodayPictureHeight = AsLong(bag.ReadProperty(L"TodayPictureHeight", I(32)));
    s.TodayPictureSize = AsLong(bag.ReadProperty(L"TodayPictureSize", I(1)));
    s.TodayOriginalPicSizeW = AsLong(bag.ReadProperty(L"TodayOriginalPicSizeW", I(32)));
    s.TodayOriginalPicSizeH = AsLong(bag.ReadProperty(L"TodayOriginalPicSizeH", I(32)));
    s.DateAlign = AsLong(bag.ReadProperty(L"DateAlign", I(0)));
    s.DatePosn = AsLong(bag.ReadProperty(L"DatePosn", I(0)));
    s.DateXOffset = AsLong(bag.ReadProperty(L"DateXOffset", I(0)));
    s.DateYOffset = AsLong(bag.ReadProperty(L"DateYOffset", I(0)));
    s.TodayXOffset = AsLong(bag.ReadProperty(L"TodayXOffset", I(0)));
    s.TodayYOffset = AsLong(bag.ReadProperty(L"TodayYOffset", I(0)));
    s.GridLineColor = AsColour(bag.ReadProperty(L"GridLineColor", L(0x6496FF)));
    s.GridLine = AsLong(bag.ReadProperty(L"Gridline", I(0)));
    s.CalendarBdHighlightColour = AsColour(bag.ReadProperty(L"CalendarBdHighlightColour", L(kGrey)));
    s.CalendarBdHighlightDKColour = AsColour(bag.ReadProperty(L"CalendarBdHighlightDKColour", L(kGrey)));
    s.CalendarBdShadowColour = AsColour(bag.ReadProperty(L"CalendarBdShadowColour", L(kGrey)));
    s.CalendarBdShadowDKColour = AsColour(bag.ReadProperty(L"CalendarBdShadowDKColour", L(kGrey)));
    s.CalendarBdFlatBorderColour = AsColour(bag.ReadProperty(L"CalendarBdFlatBorderColour", L(kGrey)));
    s.ShowWeek = AsBool(bag.ReadProperty(L"ShowWeek", B(true)));
    s.WeekColumnWidth = AsLong(bag.ReadProperty(L"WeekColumnWidth", L(s.CalendarGridWidth)));
    s.ShowWeekSignPicture = AsBool(bag.ReadProperty(L"ShowWeekSignPicture", B(true)));
    s.WeekSignPicXOffset = AsLong(bag.ReadProperty(L"WeekSignPicXOffset", I(0)));
    s.WeekSignPicYOffset = AsLong(bag.ReadProperty(L"WeekSignPicYOffset", I(0)));
    s.WeekSignPicMaskColor = AsColour(bag.ReadProperty(L"WeekSignPicMaskColor", I(0)));
    s.WeekSignPicture = AsPicture(bag.ReadProperty(L"WeekSignPicture", Variant()));
    s.WeekSignPictureWidth = AsLong(bag.ReadProperty(L"WeekSignPictureWidth", I(32)));
    s.WeekSignPictureHeight = AsLong(bag.ReadProperty(L"WeekSignPictureHeight", I(32)));
    s.WeekSignPictureSize = AsLong(bag.ReadProperty(L"WeekSignPictureSize", I(1)));
    s.WeekSignPictureOriginalPicSizeW = AsLong(bag.ReadProperty(L"WeekSignPictureOriginalPicSizeW", I(32)));
    s.WeekSignPictureOriginalPicSizeH = AsLong(bag.ReadProperty(L"WeekSignPictureOriginalPicSizeH", I(32)));
    s.TextViewFormat = AsLong(bag.ReadProperty(L"TextViewFormat", I(1)));
    s.TextViewType = AsLong(bag.ReadProperty(L"TextViewType", I(1)));
}

// The value is kept as read, text or number (an object as its default
// value, as an assignment takes it); the text box shows it (empty for an
// empty value when null values are allowed). A value that is not a number
// stops the load here, before the date range is read.
void Zarn::FinishLoad(PropertyBag& bag) {
    SharedSettings& s = Shared();
    s.PValue = Variant::ValueOf(bag.ReadProperty(L"PValue", S(zarn::defaults::LocalTodayText())).Get());
    if (ValueIsEmptyText() && allowNull_)
        Text1().SetText(L"");
    else
        Text1().SetText(FnsDate::RetStrMthYrFromLng(zarn::ToLong(s.PValue.Get())));
    s.MaxDate = AsLong(bag.ReadProperty(L"MaxDate", L(kMaxDate)));
    s.MinDate = AsLong(bag.ReadProperty(L"MinDate", L(19010101)));
    Redraw();
}

// ---------------------------------------------------------------------------
// Saving

void Zarn::WriteProperties(PropertyBag& bag) {
    const FontDefaults font = AmbientFontDefaults();
    WriteValueAndFace(bag, font);
    WriteCalendar(bag);
}

void Zarn::WriteValueAndFace(PropertyBag& bag, const FontDefaults& font) {
    const SharedSettings& s = Shared();
    const zarn::TextBox& box = Text1();
    bag.WriteProperty(L"AllowNull", B(allowNull_), B(true));
    bag.WriteProperty(L"TextMaxLength", L(box.MaxLength()), I(0));
    bag.WriteProperty(L"TextMaxLength", I(textMaxLength_), I(30));
    bag.WriteProperty(L"TextViewType", L(s.TextViewType), I(1));
    bag.WriteProperty(L"TextViewFormat", L(s.TextViewFormat), I(1));
    bag.WriteProperty(L"MaxDate", L(s.MaxDate), L(kMaxDate));
    bag.WriteProperty(L"MinDate", L(s.MinDate), L(19010101));
    bag.WriteProperty(L"PValue", s.PValue, S(FnsDate::RetNowAsLngStr(false)));
    bag.WriteProperty(L"Icon", Picture(icon_.Get()), Variant());
    bag.WriteProperty(L"ShowIcon", B(showIcon_), B(true));
    bag.WriteProperty(L"IconSizeWidth", L(iconSizeWidth_), I(16));
    bag.WriteProperty(L"IconSizeHeight", L(iconSizeHeight_), I(16));
    bag.WriteProperty(L"Enabled", B(enabled_), B(true));
    bag.WriteProperty(L"BorderColor", Colour(borderColor_), L(kGrey));
    bag.WriteProperty(L"BgColor", Colour(bgColor_), L(kWhite));
    bag.WriteProperty(L"ButtonBgColor", Colour(buttonBgColor_), L(kWhite));
    bag.WriteProperty(L"FocusColor", Colour(focusColor_), L(kGrey));
    bag.WriteProperty(L"ForeColor", Colour(box.ForeColor()), L(static_cast<long>(kWindowText)));
    bag.WriteProperty(L"BackColor", Colour(box.BackColor()), L(static_cast<long>(kWindow)));
    bag.WriteProperty(L"FontBold", B(FontBold()), B(font.bold));
    bag.WriteProperty(L"FontItalic", B(FontItalic()), B(font.italic));
    bag.WriteProperty(L"FontName", S(FontName()), S(L"Ariel"));
    bag.WriteProperty(L"FontSize", F(box.FontSize()), I(10));
    bag.WriteProperty(L"FontStrikethru", B(FontStrikethru()), B(font.strikethrough));
    bag.WriteProperty(L"FontUnderline", B(FontUnderline()), B(font.underline));
    bag.WriteProperty(L"Text_Enabled", B(box.Enabled()), B(true));
    bag.WriteProperty(L"Text_Locked", B(box.Locked()), B(false));
    bag.WriteProperty(L"TextFocusCol", Colour(textFocusCol_), L(kLightGrey));
    bag.WriteProperty(L"DropListEnabled", B(dropListEnabled_), B(true));
}

void Zarn::WriteCalendar(PropertyBag& bag) {
    const SharedSettings& s = Shared();
    const zarn::TextBox& box = Text1();
    bag.WriteProperty(L"CalendarSelectPicDrawMode", L(s.CalendarSelectPicDrawMode), I(0));
    bag.WriteProperty(L"CalendarSelectStyle", L(s.CalendarSelectStyle), I(0));
    bag.WriteProperty(L"CalendarSelectePicMaskColor", Colour(s.CalendarSelectePicMaskColor), I(0));
    bag.WriteProperty(L"CalendarSelectePicture", Picture(s.CalendarSelectePicture.Get()), Variant());
    bag.WriteProperty(L"CalendarBackNormal", Colour(s.CalendarBackNormal), L(kWhite));
    bag.WriteProperty(L"CalendarBackSelected", Colour(s.CalendarBackSelected), L(kWhite));
    bag.WriteProperty(L"CalendarBackSelectedG1", Colour(s.CalendarBackSelectedG1), L(0x80FF));
    bag.WriteProperty(L"CalendarBackSelectedG2", Colour(s.CalendarBackSelectedG2), L(kLightGrey));
    bag.WriteProperty(L"OLEDragMode", I(box.DragMode()), L(0));
    bag.WriteProperty(L"OLEDropMode", I(box.DropMode()), L(0));
    bag.WriteProperty(L"MousePointer", I(box.MousePointer()), L(0));
    bag.WriteProperty(L"MouseIcon", Picture(box.MouseIcon()), Variant());
    bag.WriteProperty(L"CalendarOption", L(s.CalendarOption), I(0));
    bag.WriteProperty(L"CalendarFirstDayOfWeek", L(s.CalendarFirstDayOfWeek), I(1));
    bag.WriteProperty(L"CalendarDayHeaderFormat", L(s.CalendarDayHeaderFormat), I(1));
    bag.WriteProperty(L"SelectControl", L(selectControl_), I(0));
    bag.WriteProperty(L"CalendarGridWidth", L(s.CalendarGridWidth), I(30));
    bag.WriteProperty(L"CalendarGridHeight", L(s.CalendarGridHeight), I(30));
    bag.WriteProperty(L"HoverSelection", B(s.HoverSelection), B(true));
    bag.WriteProperty(L"HotTracking", B(s.HotTracking), B(true));
    bag.WriteProperty(L"HoverColor", Colour(s.HoverColor), L(0x8000));
    bag.WriteProperty(L"CalendarBorderStyle", L(s.CalendarBorderStyle), I(0));
    bag.WriteProperty(L"TodayForeColor", Colour(s.TodayForeColor), L(0x200FF));
    const Ref<IFont> today = TodayFontObject();
    zarn::Bstr name;
    zarn::ThrowIfFailed(today->get_Name(name.Put()));
    const CY size = KeptTodayFontSize();
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
    zarn::ThrowIfFailed(today->get_Bold(&bold));
    zarn::ThrowIfFailed(today->get_Italic(&italic));
    zarn::ThrowIfFailed(today->get_Underline(&underline));
    zarn::ThrowIfFailed(today->get_Strikethrough(&strike));
    bag.WriteProperty(L"TodayFontName", S(name.Text()), S(L"Arial"));
    bag.WriteProperty(L"TodayFontSize", Cy(size), I(11));
    bag.WriteProperty(L"TodayFontBold", B(bold), B(true));
    bag.WriteProperty(L"TodayFontItalic", B(italic), B(true));
    bag.WriteProperty(L"TodayFontUnderline", B(underline), B(false));
    bag.WriteProperty(L"TodayFontStrikethrough", B(strike), B(false));
    bag.WriteProperty(L"TodayMaskColor", Colour(s.TodayMaskColor), I(0));
    bag.WriteProperty(L"TodayPicture", Picture(s.TodayPicture.Get()), Variant());
    bag.WriteProperty(L"TodayPictureWidth", L(s.TodayPictureWidth), I(32));
    bag.WriteProperty(L"TodayPictureHeight", L(s.TodayPictureHeight), I(32));
    bag.WriteProperty(L"TodayPictureSize", L(s.TodayPictureSize), I(1));
    bag.WriteProperty(L"TodayOriginalPicSizeW", L(s.TodayOriginalPicSizeW), I(32));
    bag.WriteProperty(L"TodayOriginalPicSizeH", L(s.TodayOriginalPicSizeH), I(32));
    bag.WriteProperty(L"DateAlign", L(s.DateAlign), I(0));
    bag.WriteProperty(L"DatePosn", L(s.DatePosn), I(0));
    bag.WriteProperty(L"DateXOffset", L(s.DateXOffset), I(0));
    bag.WriteProperty(L"DateYOffset", L(s.DateYOffset), I(0));
    bag.WriteProperty(L"TodayXOffset", L(s.TodayXOffset), I(0));
    bag.WriteProperty(L"TodayYOffset", L(s.TodayYOffset), I(0));
    bag.WriteProperty(L"GridLineColor", Colour(s.GridLineColor), L(0x6496FF));
    bag.WriteProperty(L"Gridline", L(s.GridLine), I(0));
    bag.WriteProperty(L"CalendarBdHighlightColour", Colour(s.CalendarBdHighlightColour), L(kGrey));
    bag.WriteProperty(L"CalendarBdHighlightDKColour", Colour(s.CalendarBdHighlightDKColour), L(kGrey));
    bag.WriteProperty(L"CalendarBdShadowColour", Colour(s.CalendarBdShadowColour), L(kGrey));
    bag.WriteProperty(L"CalendarBdShadowDKColour", Colour(s.CalendarBdShadowDKColour), L(kGrey));
    bag.WriteProperty(L"CalendarBdFlatBorderColour", Colour(s.CalendarBdFlatBorderColour), L(kGrey));
    bag.WriteProperty(L"ShowWeekSignPicture", B(s.ShowWeekSignPicture), B(true));
    bag.WriteProperty(L"WeekColumnWidth", L(s.WeekColumnWidth), L(s.CalendarGridWidth));
    bag.WriteProperty(L"ShowWeek", B(s.ShowWeek), B(true));
    bag.WriteProperty(L"WeekSignPicXOffset", L(s.WeekSignPicXOffset), I(0));
    bag.WriteProperty(L"WeekSignPicYOffset", L(s.WeekSignPicYOffset), I(0));
    bag.WriteProperty(L"WeekSignPicMaskColor", Colour(s.WeekSignPicMaskColor), I(0));
    bag.WriteProperty(L"WeekSignPicture", Picture(s.WeekSignPicture.Get()), Variant());
    bag.WriteProperty(L"WeekSignPictureWidth", L(s.WeekSignPictureWidth), I(32));
    bag.WriteProperty(L"WeekSignPictureHeight", L(s.WeekSignPictureHeight), I(32));
    bag.WriteProperty(L"WeekSignPictureSize", L(s.WeekSignPictureSize), I(1));
    bag.WriteProperty(L"WeekSignPictureOriginalPicSizeW", L(s.WeekSignPictureOriginalPicSizeW), I(32));
    bag.WriteProperty(L"WeekSignPictureOriginalPicSizeH", L(s.WeekSignPictureOriginalPicSizeH), I(32));
    bag.WriteProperty(L"Seperator", S(seperator_), S(L"/"));
    bag.WriteProperty(L"PlaceHolder", S(placeHolder_), S(L"_"));
    bag.WriteProperty(L"RightToLeft", B(box.RightToLeft()), B(false));
}
