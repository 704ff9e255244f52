#include "control/ZarnDragDrop.h"

#include "control/Zarn.h"

#include <commctrl.h>
#include <oleauto.h>

#include <cwctype>

namespace {

constexpr UINT_PTR kWatchId = 0x5a44; // the box's second subclass, beside its own

short DropMode(Zarn& control) {
    return control.Text1().DropMode();
}

// Data goes by reference: a host that puts another object there has
// released ours and handed over its own.
struct DataArg {
    explicit DataArg(zarn::DragData& data) : object(data.Object()) { object->AddRef(); }
    ~DataArg() {
        if (object)
            object->Release();
    }
    IDispatch* object;
};

} // namespace

TextDragDrop::TextDragDrop(Zarn& control, zarn::ControlHost& host)
    : control_(control), host_(host), events_(host), box_(control.Text1().Handle()) {
    SetWindowSubclass(box_, Watch, kWatchId, reinterpret_cast<DWORD_PTR>(this));
}

TextDragDrop::~TextDragDrop() {
    registration_.reset();
    RemoveWindowSubclass(box_, Watch, kWatchId);
}

void TextDragDrop::DropModeChanged() {
    if (DropMode(control_) == 0)
        registration_.reset();
    else if (!registration_)
        registration_ = host_.AcceptDrops(box_, *this);
}

// ---------------------------------------------------------------------------
// The box as a drop target

void TextDragDrop::DragOver(zarn::DragData& data, long& effect, zarn::MouseEvent& at, short state) {
    const auto hold = host_.KeepAlive();
    if (DropMode(control_) == 1) {
        DataArg arg(data);
        events_.Raise<"OLEDragOver">(arg.object, effect, at.button, at.shift, at.x, at.y, state);
    } else if (!DroppedDate(data)) {
        effect = zarn::kEffectNone;
    }
}

void TextDragDrop::Drop(zarn::DragData& data, long& effect, zarn::MouseEvent& at) {
    const auto hold = host_.KeepAlive();
    if (DropMode(control_) == 1) {
        DataArg arg(data);
        events_.Raise<"OLEDragDrop">(arg.object, effect, at.button, at.shift, at.x, at.y);
        return;
    }
    const auto date = DroppedDate(data);
    if (!date) {
        effect = zarn::kEffectNone;
        return;
    }
    control_.PValue(zarn::Variant::FromText(std::to_wstring(*date)));
}

std::optional<long> TextDragDrop::DroppedDate(zarn::DragData& data) const {
    std::wstring text;
    if (!data.Text(text))
        return std::nullopt;
    const auto date = DateOfText(text);
    if (!date || !control_.ChkDateInRange(*date))
        return std::nullopt;
    return date;
}

namespace {

bool EightDigits(const std::wstring& text) {
    if (text.size() != 8)
        return false;
    for (wchar_t c : text)
        if (!iswdigit(c))
            return false;
    return true;
}

// A date of the calendar, as yyyymmdd; none for a day that does not exist.
std::optional<long> CalendarDate(WORD year, WORD month, WORD day) {
    SYSTEMTIME st{year, month, 0, day, 0, 0, 0, 0};
    double when = 0;
    SYSTEMTIME back{};
    if (!SystemTimeToVariantTime(&st, &when) || !VariantTimeToSystemTime(when, &back) || back.wDay != day ||
        back.wMonth != month)
        return std::nullopt;
    return year * 10000L + month * 100L + day;
}

} // namespace

std::optional<long> TextDragDrop::DateOfText(const std::wstring& raw) {
    const auto first = raw.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos)
        return std::nullopt;
    const std::wstring text = raw.substr(first, raw.find_last_not_of(L" \t\r\n") - first + 1);
    if (EightDigits(text)) {
        const long n = std::stol(text);
        return CalendarDate(static_cast<WORD>(n / 10000), static_cast<WORD>(n / 100 % 100),
                            static_cast<WORD>(n % 100));
    }
    // A bare number would read as a day count: only a written date counts.
    if (text.find_first_not_of(L"0123456789.,+- ") == std::wstring::npos)
        return std::nullopt;
    DATE when = 0;
    SYSTEMTIME st{};
    if (FAILED(VarDateFromStr(const_cast<OLECHAR*>(text.c_str()), LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY,
                              &when)) ||
        !VariantTimeToSystemTime(when, &st))
        return std::nullopt;
    return CalendarDate(st.wYear, st.wMonth, st.wDay);
}

// ---------------------------------------------------------------------------
// The box as the source of a drag

void TextDragDrop::Drag(const std::wstring* text) {
    const auto hold = host_.KeepAlive();
    host_.DoDrag(*this, text);
}

void TextDragDrop::StartDrag(zarn::DragData& data, long& allowedEffects) {
    DataArg arg(data);
    events_.Raise<"OLEStartDrag">(arg.object, allowedEffects);
}

void TextDragDrop::GiveFeedback(long& effect, VARIANT_BOOL& defaultCursors) {
    events_.Raise<"OLEGiveFeedback">(effect, defaultCursors);
}

void TextDragDrop::SetData(zarn::DragData& data, short& format) {
    DataArg arg(data);
    events_.Raise<"OLESetData">(arg.object, format);
}

void TextDragDrop::CompleteDrag(long& effect) {
    events_.Raise<"OLECompleteDrag">(effect);
}

// ---------------------------------------------------------------------------
// Automatic drag: a press on the box and a move past the system's drag
// distance drag the shown text; the box's own selection gives up the
// capture first.

LRESULT CALLBACK TextDragDrop::Watch(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                     DWORD_PTR self) {
    auto* dragDrop = reinterpret_cast<TextDragDrop*>(self);
    // A box destroyed by its parent before the control goes takes no more drops.
    if (message == WM_DESTROY)
        dragDrop->registration_.reset();
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, Watch, kWatchId);
    else if (dragDrop->StartsAutomaticDrag(message, wparam, lparam))
        return 0;
    return DefSubclassProc(window, message, wparam, lparam);
}

bool TextDragDrop::StartsAutomaticDrag(UINT message, WPARAM wparam, LPARAM lparam) {
    if (control_.Text1().DragMode() != 1 || message == WM_LBUTTONUP) {
        pressed_ = false;
        return false;
    }
    const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    // A press soon after the last one comes as a double click.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        pressed_ = true;
        down_ = at;
        return false;
    }
    if (message != WM_MOUSEMOVE || !pressed_ || !(wparam & MK_LBUTTON))
        return false;
    if (abs(at.x - down_.x) <= GetSystemMetrics(SM_CXDRAG) &&
        abs(at.y - down_.y) <= GetSystemMetrics(SM_CYDRAG))
        return false;
    pressed_ = false;
    ReleaseCapture();
    const std::wstring text = control_.Text1().Text();
    Drag(&text);
    return true;
}

void TextDragDropDeleter::operator()(TextDragDrop* dragDrop) const {
    delete dragDrop;
}

void Zarn::OLEDrag() {
    dragDrop_->Drag(nullptr);
}
