// The text box shows the date and takes the keyboard focus, but edits
// nothing: every key is reported to the host and then consumed. F4 and
// Alt+Down open the drop-down calendar.
#include "control/Zarn.h"

#include "control/Defaults.h"
#include "date/FnsDate.h"
#include "platform/Report.h"

namespace {

constexpr short kF4 = 115;
constexpr short kDown = 40;
constexpr short kAltOnly = 4;

bool AsksForCalendar(short keyCode, short shift) {
    return keyCode == kF4 || (keyCode == kDown && shift == kAltOnly);
}

} // namespace

void Zarn::TextKeyDown(short& keyCode, short& shift) {
    zarn::Trapped(
        [&] {
            const bool open = events_.Raise<"KeyDown">(keyCode, shift);
            // The host may have changed the key: what it left decides.
            if (open && AsksForCalendar(keyCode, shift) && enabled_ && dropListEnabled_ &&
                events_.Raise<"Click">()) {
                short one = 1;
                PiloCalendarshow(one);
            }
            keyCode = 0;
        },
        [&](const zarn::RuntimeError& e) { zarn::RaiseToHost(L"  Text_KeyDown ", e, UserMode()); });
}

void Zarn::TextKeyPress(short& keyAscii) {
    zarn::Trapped(
        [&] {
            events_.Raise<"KeyPress">(keyAscii);
            keyAscii = 0;
        },
        [&](const zarn::RuntimeError& e) { zarn::RaiseToHost(L" Text_KeyPress", e, UserMode()); });
}

void Zarn::TextKeyUp(short& keyCode, short& shift) {
    events_.Raise<"KeyUp">(keyCode, shift);
}

void Zarn::TextChanged() {
    host_.ViewChanged();
    events_.Raise<"Change">();
}

void Zarn::TextMouseDown(zarn::MouseEvent& e) {
    events_.Raise<"MouseDown">(e.button, e.shift, e.x, e.y);
}

// The container hears of every focus change; the control's own handlers
// only of moves within the form, so that a message box shown on focus entry
// does not show itself again each time the focus comes back.
void Zarn::TextGotFocus(bool withinForm) {
    host_.FocusChanged(true);
    if (withinForm)
        GotFocusShowsValue();
}

void Zarn::GotFocusShowsValue() {
    zarn::Trapped([&] { ShowValueOnFocus(); },
                  [&](const zarn::RuntimeError& e) { zarn::RaiseToHost(L" Text_GotFocus", e, UserMode()); });
}

// Focus entry shows the value; an empty value shows nothing when empty
// values are allowed, and otherwise today's date after the date module's
// message (the value itself stays empty).
void Zarn::ShowValueOnFocus() {
    if (!enabled_)
        return;
    hasFocus_ = true;
    const zarn::Variant& value = Shared().PValue;
    const std::wstring text = value.IsEmpty() ? std::wstring() : zarn::ToText(value.Get());
    if (!text.empty())
        Text1().SetText(FnsDate::RetStrMthYrFromLng(zarn::ToLong(value.Get())));
    else if (allowNull_)
        Text1().SetText(L"");
    else
        Text1().SetText(FnsDate::RetStrMthYrFromLng(0));
}

void Zarn::TextLostFocus(bool withinForm) {
    if (withinForm)
        zarn::Trapped(
            [&] { LoseTextFocus(); },
            [&](const zarn::RuntimeError& e) { zarn::RaiseToHost(L"Text_LostFocus", e, UserMode()); });
    host_.FocusChanged(false);
}

// The box goes back to white whatever colour it had, and the focus border
// back to the border colour.
void Zarn::LoseTextFocus() {
    hasFocus_ = false;
    Text1().SetBackColor(zarn::defaults::kWhite);
    RefreshControl();
}

// Both bounds count as inside. Comparing numbers cannot fail, so the test
// needs no trap.
bool Zarn::ChkDateInRange(const long& dateValue) const {
    return !(dateValue > Shared().MaxDate || dateValue < Shared().MinDate);
}
