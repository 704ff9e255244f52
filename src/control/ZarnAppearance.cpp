// The appearance properties that do more than store: the text box font,
// the thread's today font, the selection colour, grid sizes and pictures.
#include "control/Zarn.h"

#include "control/ZarnDragDrop.h"
#include "draw/mDrawFns.h"
#include "platform/RuntimeError.h"
#include "platform/win/Gdi.h"

#include <cmath>

using zarn::ThrowIfFailed;

namespace {

long RoundHalfEven(double value) {
    return static_cast<long>(std::nearbyint(value));
}

template <class Q, class From> Microsoft::WRL::ComPtr<Q> As(From* from) {
    Microsoft::WRL::ComPtr<Q> to;
    if (!from)
        zarn::Raise(91);
    ThrowIfFailed(from->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(to.GetAddressOf())));
    return to;
}

} // namespace

// ---------------------------------------------------------------------------
// Text1's font

Zarn::Ref<IFontDisp> Zarn::Font() const {
    return As<IFontDisp>(Text1().Font());
}

void Zarn::Font(IFontDisp* value) {
    Text1().SetFont(As<IFont>(value).Get());
    Changed(L"Font");
    Redraw();
}

// Changes one attribute of Text1's font; the box shows it at once.
void Zarn::ChangeTextFont(std::wstring_view key, auto&& change) {
    ThrowIfFailed(change(*Text1().Font()));
    Text1().ApplyFont();
    Changed(key);
}

bool Zarn::FontBold() const {
    BOOL b = FALSE;
    ThrowIfFailed(Text1().Font()->get_Bold(&b));
    return b != FALSE;
}
void Zarn::FontBold(bool value) {
    ChangeTextFont(L"FontBold", [&](IFont& f) { return f.put_Bold(value); });
}

bool Zarn::FontItalic() const {
    BOOL b = FALSE;
    ThrowIfFailed(Text1().Font()->get_Italic(&b));
    return b != FALSE;
}
void Zarn::FontItalic(bool value) {
    ChangeTextFont(L"FontItalic", [&](IFont& f) { return f.put_Italic(value); });
}

bool Zarn::FontStrikethru() const {
    BOOL b = FALSE;
    ThrowIfFailed(Text1().Font()->get_Strikethrough(&b));
    return b != FALSE;
}
void Zarn::FontStrikethru(bool value) {
    ChangeTextFont(L"FontStrikethru", [&](IFont& f) { return f.put_Strikethrough(value); });
}

bool Zarn::FontUnderline() const {
    BOOL b = FALSE;
    ThrowIfFailed(Text1().Font()->get_Underline(&b));
    return b != FALSE;
}
void Zarn::FontUnderline(bool value) {
    ChangeTextFont(L"FontUnderline", [&](IFont& f) { return f.put_Underline(value); });
}

std::wstring Zarn::FontName() const {
    zarn::Bstr name;
    ThrowIfFailed(Text1().Font()->get_Name(name.Put()));
    return name.Text();
}
void Zarn::FontName(const std::wstring& value) {
    const zarn::Bstr name(value);
    ChangeTextFont(L"FontName", [&](IFont& f) { return f.put_Name(name.Get()); });
}

long Zarn::FontSize() const {
    return RoundHalfEven(Text1().FontSize());
}

// Sizes below 9 become 9 and sizes above 30 become 28.
void Zarn::FontSize(long value) {
    const long points = value < 9 ? 9 : value > 30 ? 28 : value;
    Text1().SetFontSize(static_cast<float>(points));
    Changed(L"FontSize");
}

// ---------------------------------------------------------------------------
// The thread's today font

Zarn::Ref<IFont> Zarn::TodayFontObject() const {
    SharedSettings& s = Shared();
    if (!s.TodayFont)
        ThrowIfFailed(CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IFontDisp,
                                       reinterpret_cast<void**>(s.TodayFont.GetAddressOf())));
    return As<IFont>(s.TodayFont.Get());
}

Zarn::Ref<IFontDisp> Zarn::TodayFont() const {
    TodayFontObject();
    return Shared().TodayFont;
}

void Zarn::TodayFont(IFontDisp* value) {
    Shared().TodayFont = value;
    Changed(L"TodayFont");
}

bool Zarn::TodayFontBold() const {
    BOOL b = FALSE;
    ThrowIfFailed(TodayFontObject()->get_Bold(&b));
    return b != FALSE;
}

bool Zarn::TodayFontItalic() const {
    BOOL b = FALSE;
    ThrowIfFailed(TodayFontObject()->get_Italic(&b));
    return b != FALSE;
}

bool Zarn::TodayFontStrikethrough() const {
    BOOL b = FALSE;
    ThrowIfFailed(TodayFontObject()->get_Strikethrough(&b));
    return b != FALSE;
}

std::wstring Zarn::TodayFontName() const {
    zarn::Bstr name;
    ThrowIfFailed(TodayFontObject()->get_Name(name.Put()));
    return name.Text();
}

long Zarn::TodayFontSize() const {
    return RoundHalfEven(KeptTodayFontSize().int64 / 10000.0);
}

void Zarn::GiveTodayFontSize(CY size) {
    const Ref<IFont> font = TodayFontObject();
    ThrowIfFailed(font->put_Size(size));
    CY answered{};
    ThrowIfFailed(font->get_Size(&answered));
    Shared().TodayFontSizeGiven = {size, answered, Shared().TodayFont.Get()};
}

// The size given, as long as the font object still answers what it did
// then; a size the host set on the object itself since then as it answers.
CY Zarn::KeptTodayFontSize() const {
    CY now{};
    ThrowIfFailed(TodayFontObject()->get_Size(&now));
    const SharedSettings::GivenSize& given = Shared().TodayFontSizeGiven;
    const bool same = given.font == Shared().TodayFont.Get() && given.answered.int64 == now.int64;
    return same ? given.given : now;
}

// ---------------------------------------------------------------------------
// Calendar settings with a rule of their own

OLE_COLOR Zarn::CalendarBackSelected() const {
    return Shared().CalendarBackSelected;
}

void Zarn::CalendarBackSelected(OLE_COLOR value) {
    Shared().CalendarBackSelected = value;
    Shared().CalendarBackSelectedRGB = mDrawFns::GetLngColor(static_cast<long>(value));
    Changed(L"CalendarBackSelected");
}

short Zarn::CalendarGridWidth() const {
    return zarn::NarrowToInteger(Shared().CalendarGridWidth);
}
void Zarn::CalendarGridWidth(short value) {
    Shared().CalendarGridWidth = value < 20 ? 30 : value;
    Changed(L"CalendarGridWidth");
}

short Zarn::CalendarGridHeight() const {
    return zarn::NarrowToInteger(Shared().CalendarGridHeight);
}
void Zarn::CalendarGridHeight(short value) {
    Shared().CalendarGridHeight = value < 20 ? 30 : value;
    Changed(L"CalendarGridHeight");
}

// ---------------------------------------------------------------------------
// Pictures of the calendar and their sizes

// A picture's natural size in surface pixels, rounded.
POINT Zarn::NaturalSize(IPictureDisp* picture) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    const auto pic = As<IPicture>(picture);
    ThrowIfFailed(pic->get_Width(&w));
    ThrowIfFailed(pic->get_Height(&h));
    const zarn::gdi::WindowDC dc(surface_.Handle());
    const int dpiX = GetDeviceCaps(dc.get(), LOGPIXELSX), dpiY = GetDeviceCaps(dc.get(), LOGPIXELSY);
    return POINT{std::lround(w * dpiX / 2540.0), std::lround(h * dpiY / 2540.0)};
}

void Zarn::SizeByMode(long mode, long& width, long& height, long naturalW, long naturalH, bool hasPicture) {
    switch (mode) {
    case 0:
        width = height = 16;
        break;
    case 1:
        width = height = 32;
        break;
    case 4:
        width = height = 64;
        break;
    case 2:
        width = hasPicture ? naturalW : 32;
        height = hasPicture ? naturalH : 32;
        break;
    default:
        break; // custom sizes stay as the host set them
    }
}

Zarn::Ref<IPictureDisp> Zarn::TodayPicture() const {
    return Shared().TodayPicture;
}

void Zarn::TodayPicture(IPictureDisp* value) {
    SharedSettings& s = Shared();
    s.TodayPicture = value;
    const POINT natural = value ? NaturalSize(value) : POINT{32, 32};
    s.TodayOriginalPicSizeW = natural.x;
    s.TodayOriginalPicSizeH = natural.y;
    Changed(L"TodayPicture");
    if (value && s.TodayPictureSize == 2) {
        s.TodayPictureWidth = natural.x;
        s.TodayPictureHeight = natural.y;
    }
}

long Zarn::TodayPictureSize() const {
    return Shared().TodayPictureSize;
}

void Zarn::TodayPictureSize(long value) {
    SharedSettings& s = Shared();
    s.TodayPictureSize = value;
    Changed(L"TodayPictureSize");
    SizeByMode(value, s.TodayPictureWidth, s.TodayPictureHeight, s.TodayOriginalPicSizeW,
               s.TodayOriginalPicSizeH, s.TodayPicture != nullptr);
}

Zarn::Ref<IPictureDisp> Zarn::WeekSignPicture() const {
    return Shared().WeekSignPicture;
}

// Notifies twice, once for the reference and once for its size, as the
// week-sign picture always has.
void Zarn::WeekSignPicture(IPictureDisp* value) {
    SharedSettings& s = Shared();
    s.WeekSignPicture = value;
    Changed(L"WeekSignPicture");
    const POINT natural = value ? NaturalSize(value) : POINT{32, 32};
    s.WeekSignPictureOriginalPicSizeW = natural.x;
    s.WeekSignPictureOriginalPicSizeH = natural.y;
    Changed(L"WeekSignPicture");
    if (value && s.WeekSignPictureSize == 2) {
        s.WeekSignPictureWidth = natural.x;
        s.WeekSignPictureHeight = natural.y;
    }
}

long Zarn::WeekSignPictureSize() const {
    return Shared().WeekSignPictureSize;
}

void Zarn::WeekSignPictureSize(long value) {
    SharedSettings& s = Shared();
    s.WeekSignPictureSize = value;
    Changed(L"WeekSignPictureSize");
    SizeByMode(value, s.WeekSignPictureWidth, s.WeekSignPictureHeight, s.WeekSignPictureOriginalPicSizeW,
               s.WeekSignPictureOriginalPicSizeH, s.WeekSignPicture != nullptr);
}

// ---------------------------------------------------------------------------
// Text1's mouse, drag and drop and reading order

long Zarn::OLEDragMode() const {
    return Text1().DragMode();
}
void Zarn::OLEDragMode(long value) {
    Text1().SetDragMode(zarn::NarrowToInteger(value));
    Changed(L"OLEDragMode");
}

long Zarn::OLEDropMode() const {
    return Text1().DropMode();
}
void Zarn::OLEDropMode(long value) {
    Text1().SetDropMode(zarn::NarrowToInteger(value));
    dragDrop_->DropModeChanged();
    Changed(L"OLEDropMode");
}

long Zarn::mousePointer() const {
    return Text1().MousePointer();
}
void Zarn::mousePointer(long value) {
    Text1().SetMousePointer(zarn::NarrowToInteger(value));
    Changed(L"MousePointer");
}

Zarn::Ref<IPictureDisp> Zarn::MouseIcon() const {
    return Text1().MouseIcon();
}
void Zarn::MouseIcon(IPictureDisp* value) {
    Text1().SetMouseIcon(value);
    Changed(L"MouseIcon");
}

bool Zarn::RightToLeft() const {
    return Text1().RightToLeft();
}
void Zarn::RightToLeft(bool value) {
    Text1().SetRightToLeft(value);
    Changed(L"RightToLeft");
}
