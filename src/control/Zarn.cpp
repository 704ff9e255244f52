#include "control/Zarn.h"

#include "control/Defaults.h"
#include "control/ZarnDragDrop.h"
#include "date/FnsDate.h"
#include "draw/mDrawFns.h"
#include "platform/Clock.h"
#include "platform/Report.h"

#include <cmath>
#include <cstdio>

using zarn::RuntimeError;
using zarn::Variant;

std::wstring zarn::defaults::LocalTodayText() {
    const SYSTEMTIME now = zarn::LocalNow();
    wchar_t text[16];
    swprintf(text, 16, L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

namespace {

// A value setter's failure reaches a running host as error 382.
void RaiseValueError(const std::wstring& label, bool userMode) {
    zarn::RaiseToHost(label,
                      RuntimeError(zarn::ErrSetNotSupportedAtRuntime,
                                   zarn::DescriptionOf(zarn::ErrSetNotSupportedAtRuntime)),
                      userMode);
}

CY PointsToCy(double points) {
    CY cy;
    cy.int64 = static_cast<LONGLONG>(std::llround(points * 10000.0));
    return cy;
}

} // namespace

Zarn::Zarn(zarn::ControlHost& host) : host_(host), events_(host), surface_(*this) {
    Text1().SetDisplayOnly(true);
    // The size message of the surface's creation came before its text box
    // existed: the first layout is done here.
    LayOut();
    dragDrop_.reset(new TextDragDrop(*this, host));
}

Zarn::~Zarn() {
    // Destroying any control drops the thread's today font; the next use
    // creates a fresh one.
    Shared().TodayFont.Reset();
    Shared().TodayFontSizeGiven = {};
}

// ---------------------------------------------------------------------------
// Initialisation of a control placed anew: values go straight into the
// fields, without setters or notifications, except PValue.

void Zarn::InitProperties() {
    using namespace zarn::defaults;
    SharedSettings& s = Shared();
    iconSizeWidth_ = iconSizeHeight_ = 16;
    enabled_ = true;
    showIcon_ = true;
    borderColor_ = kGrey;
    bgColor_ = buttonBgColor_ = kWhite;
    s.CalendarBdHighlightColour = s.CalendarBdHighlightDKColour = s.CalendarBdShadowColour =
        s.CalendarBdShadowDKColour = s.CalendarBdFlatBorderColour = kGrey;
    s.GridLineColor = 0x6496FF;
    textFocusCol_ = kLightGrey;
    focusColor_ = kGrey;
    dropListEnabled_ = true;
    s.CalendarSelectePicture.Reset();
    s.CalendarBackNormal = s.CalendarBackSelected = kWhite;
    s.CalendarBackSelectedG1 = 0x80FF;
    s.CalendarBackSelectedG2 = kLightGrey;
    selectControl_ = 0;
    s.CalendarSelectStyle = 0;
    s.CalendarFirstDayOfWeek = 1;
    s.CalendarDayHeaderFormat = 1;
    s.CalendarOption = 0;
    s.CalendarGridWidth = s.CalendarGridHeight = 30;
    s.HoverSelection = s.HotTracking = true;
    s.HoverColor = 0x8000;

    const Ref<IFont> today = TodayFontObject();
    zarn::ThrowIfFailed(today->put_Name(zarn::Bstr(L"Arial").Get()));
    GiveTodayFontSize(PointsToCy(11));
    zarn::ThrowIfFailed(today->put_Bold(TRUE));
    zarn::ThrowIfFailed(today->put_Italic(FALSE));
    zarn::ThrowIfFailed(today->put_Underline(FALSE));
    zarn::ThrowIfFailed(today->put_Strikethrough(FALSE));

    s.CalendarSelectePicMaskColor = s.TodayMaskColor = s.WeekSignPicMaskColor = 0;
    s.ShowWeek = true;
    seperator_ = L"/";
    placeHolder_ = L"_";

    Text1().SetFontSize(10);
    allowNull_ = true;
    s.MaxDate = kMaxDate;
    s.MinDate = kMinDate;
    s.TextViewType = 1;
    s.TextViewFormat = 1;

    PValue(Variant::FromText(zarn::defaults::LocalTodayText()));
    Redraw();
}

// ---------------------------------------------------------------------------
// Value and behaviour

Variant Zarn::PValue() const {
    return Shared().PValue;
}

void Zarn::PValue(const Variant& value) {
    zarn::Trapped([&] { StorePValue(value); },
                  [&](const RuntimeError&) { RaiseValueError(L"PValue", UserMode()); });
}

// Anything that is not an eight-character value becomes today; an
// eight-character value is kept in its own type (text or number) when it is
// a positive number, and otherwise leaves the stored value alone. What is
// kept is a value of the caller's, never its reference or object: an object
// gives its default value.
void Zarn::StorePValue(const Variant& given) {
    SharedSettings& s = Shared();
    const Variant value = Variant::ValueOf(given.Get());
    if (value.IsEmpty() || zarn::ToText(value.Get()).size() != 8) {
        s.PValue = Variant::FromText(FnsDate::RetNowAsLngStr(false));
    } else if (zarn::ToLong(value.Get()) > 0) {
        s.PValue = value;
    }
    ShowValue();
    Changed(L"PValue");
}

bool Zarn::ValueIsEmptyText() {
    const VARIANT& v = Shared().PValue.Get();
    return V_VT(&v) == VT_EMPTY || (V_VT(&v) == VT_BSTR && SysStringLen(V_BSTR(&v)) == 0);
}

void Zarn::ShowValue() {
    Text1().SetText(FnsDate::RetStrMthYrFromLng(zarn::ToLong(Shared().PValue.Get())));
}

long Zarn::MaxDate() const {
    return Shared().MaxDate;
}

void Zarn::MaxDate(long value) {
    zarn::Trapped(
        [&] {
            if (value > zarn::defaults::kMaxDate || value <= Shared().MinDate)
                return;
            Shared().MaxDate = value;
            Changed(L"MaxDate");
        },
        [&](const RuntimeError&) { RaiseValueError(L"MaxDate", UserMode()); });
}

long Zarn::MinDate() const {
    return Shared().MinDate;
}

void Zarn::MinDate(long value) {
    zarn::Trapped(
        [&] {
            if (value < 19000000 || value >= Shared().MaxDate)
                return;
            Shared().MinDate = value;
            Changed(L"MinDate");
        },
        [&](const RuntimeError&) { RaiseValueError(L"MinDate", UserMode()); });
}

void Zarn::AllowNull(bool value) {
    allowNull_ = value;
    Changed(L"AllowNull");
    if (value)
        return;
    // Only a value loaded empty can be "" here: the setter never stores it.
    if (ValueIsEmptyText())
        PValue(Variant::FromText(zarn::defaults::LocalTodayText()));
}

void Zarn::Seperator(const std::wstring& value) {
    zarn::Trapped(
        [&] {
            if (value.size() != 1 || value == placeHolder_ ||
                std::wstring_view(L"/-\\:").find(value[0]) == std::wstring_view::npos)
                return;
            seperator_ = value;
            Changed(L"Seperator");
        },
        [&](const RuntimeError&) { RaiseValueError(L"Seperator", UserMode()); });
}

void Zarn::PlaceHolder(const std::wstring& value) {
    zarn::Trapped(
        [&] {
            // Checked against the placeholder itself, not the separator.
            if (value.size() != 1 || value == placeHolder_ ||
                std::wstring_view(L"_#- ").find(value[0]) == std::wstring_view::npos)
                return;
            placeHolder_ = value;
            Changed(L"PlaceHolder");
        },
        [&](const RuntimeError&) { RaiseValueError(L"PlaceHolder", UserMode()); });
}

long Zarn::TextViewType() const {
    return Shared().TextViewType;
}
void Zarn::TextViewType(long value) {
    Shared().TextViewType = value;
    Changed(L"TextViewType");
}

long Zarn::TextViewFormat() const {
    return Shared().TextViewFormat;
}
void Zarn::TextViewFormat(long value) {
    Shared().TextViewFormat = value;
    Changed(L"TextViewFormat");
}

void Zarn::TextMaxLength(short value) {
    textMaxLength_ = value;
    Text1().SetMaxLength(value);
    Changed(L"TextMaxLength");
}

bool Zarn::Text_Enabled() const {
    return Text1().Enabled();
}
void Zarn::Text_Enabled(bool value) {
    Text1().SetEnabled(value);
    Changed(L"Text_Enabled");
}

bool Zarn::Text_Locked() const {
    return Text1().Locked();
}
void Zarn::Text_Locked(bool value) {
    Text1().SetLocked(value);
    Changed(L"Text_Locked");
}

// Enabling always leaves the face white, whatever colours the host gave;
// disabling greys it. The surface is switched last when enabling and first
// when disabling, so it never takes input with half-set colours.
void Zarn::Enabled(bool value) {
    const DrawChain chain(*this);
    enabled_ = value;
    if (value) {
        BgColor(zarn::defaults::kWhite);
        ButtonBgColor(zarn::defaults::kWhite);
        Text_Enabled(true);
        Text_Locked(false);
        surface_.SetEnabled(true);
    } else {
        surface_.SetEnabled(false);
        BgColor(zarn::defaults::kLightGrey);
        ButtonBgColor(zarn::defaults::kLightGrey);
        Text_Enabled(false);
        Text_Locked(true);
    }
    Changed(L"Enabled");
    Redraw();
}

void Zarn::DropListEnabled(bool value) {
    dropListEnabled_ = value;
    Changed(L"DropListEnabled");
}

void Zarn::SelectControl(long value) {
    selectControl_ = value;
    Changed(L"SelectControl");
}

long Zarn::CalendarOption() const {
    return Shared().CalendarOption;
}
void Zarn::CalendarOption(long value) {
    Shared().CalendarOption = value;
    Changed(L"CalendarOption");
}

long Zarn::CalendarFirstDayOfWeek() const {
    return Shared().CalendarFirstDayOfWeek;
}
void Zarn::CalendarFirstDayOfWeek(long value) {
    if (value < 1 || value > 7)
        return;
    Shared().CalendarFirstDayOfWeek = value;
    Changed(L"CalendarFirstDayOfWeek");
}

// ---------------------------------------------------------------------------
// Face

#define ZARN_FACE_SETTER(Type, Name, field, redraw)                                                          \
    void Zarn::Name(Type value) {                                                                            \
        field = value;                                                                                       \
        Changed(L## #Name);                                                                                  \
        if (redraw)                                                                                          \
            Redraw();                                                                                        \
    }
ZARN_FACE_SETTER(bool, ShowIcon, showIcon_, true)
ZARN_FACE_SETTER(IPictureDisp*, Icon, icon_, true)
ZARN_FACE_SETTER(long, IconSizeWidth, iconSizeWidth_, true)
ZARN_FACE_SETTER(long, IconSizeHeight, iconSizeHeight_, true)
ZARN_FACE_SETTER(OLE_COLOR, BorderColor, borderColor_, true)
ZARN_FACE_SETTER(OLE_COLOR, BgColor, bgColor_, true)
ZARN_FACE_SETTER(OLE_COLOR, ButtonBgColor, buttonBgColor_, true)
ZARN_FACE_SETTER(OLE_COLOR, FocusColor, focusColor_, true)
ZARN_FACE_SETTER(OLE_COLOR, TextFocusCol, textFocusCol_, false)
#undef ZARN_FACE_SETTER
