// The drop-down: the calendar form shown modally under the control, and the
// date it hands back.
#include "calendar/frmCalendar.h"
#include "control/Placement.h"
#include "control/Zarn.h"
#include "platform/Report.h"
#include "platform/win/ModalLoop.h"

#include <algorithm>

namespace {

// The thread's calendar form while a drop-down has it. A plain pointer:
// thread storage of a DLL must need no destructor.
thread_local frmCalendar* frmCal = nullptr;

// One drop-down's hold on the thread's form: a fresh form, released after.
class ThreadForm {
public:
    ThreadForm() {
        if (frmCal)
            throw zarn::RuntimeError(400, L"Form already displayed; can't show modally");
        form_ = std::make_unique<frmCalendar>();
        frmCal = form_.get();
    }
    ~ThreadForm() { frmCal = nullptr; }
    ThreadForm(const ThreadForm&) = delete;
    ThreadForm& operator=(const ThreadForm&) = delete;
    frmCalendar* operator->() const { return form_.get(); }
    frmCalendar& operator*() const { return *form_; }

private:
    std::unique_ptr<frmCalendar> form_;
};

RECT WorkAreaAround(const RECT& r) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

SIZE SizeOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

namespace zarn {

POINT CalendarPlace(const RECT& control, SIZE calendar, const RECT& workArea) {
    const LONG x = std::min(control.left, workArea.right - calendar.cx);
    const LONG y =
        control.bottom + calendar.cy <= workArea.bottom ? control.bottom : control.top - calendar.cy;
    return {std::max(x, workArea.left), std::max(y, workArea.top)};
}

} // namespace zarn

// Zero asks for nothing. Any other value opens the calendar and returns
// once it has closed, the picked date taken or the value put back.
void Zarn::PiloCalendarshow(short& show) {
    if (show == 0)
        return;
    zarn::QuitRepost quit; // after everything, events included
    zarn::Trapped(
        [&] { DropDown(quit); },
        [&](const zarn::RuntimeError& e) { zarn::RaiseToHost(L"Fn:piloCalendarShow", e, UserMode()); });
}

void Zarn::DropDown(zarn::QuitRepost& quit) {
    LoseTextFocus();
    const zarn::Variant saved = PValue();
    const HWND surface = surface_.Handle();
    RECT anchor{};
    GetWindowRect(surface, &anchor);
    RefreshControl();
    {
        ThreadForm form;
        form->Form_Load();
        const POINT place = zarn::CalendarPlace(anchor, SizeOf(form->hWnd()), WorkAreaAround(anchor));
        form->IsSelected = false;
        form->Show(place);
        // A host that closes the control or destroys its window meanwhile
        // ends the drop-down.
        const HWND parent = GetParent(surface);
        quit.code = zarn::RunModalLoop(form->hWnd(),
                                       [&] { return IsWindow(surface) && GetParent(surface) == parent; });
        form->Unload();
        TakeBack(*form, saved);
    }
    pointerInside_ = false;
    RefreshControl();
    ReturnFocus();
}

// A committed date within MinDate..MaxDate becomes the value and the host
// hears of it; anything else puts the value back as it was.
void Zarn::TakeBack(const frmCalendar& form, const zarn::Variant& saved) {
    const VARIANT& d = form.DropFrmDate.Get();
    const bool handedBack = V_VT(&d) != VT_EMPTY && !zarn::IsNull(d) && zarn::ToDouble(d) > 0;
    if (!handedBack || !ChkDateInRange(zarn::ToLong(d)) || !form.IsSelected) {
        PValue(saved);
        return;
    }
    PValue(form.DropFrmDate);
    std::wstring text = zarn::ToText(d);
    events_.Raise<"CalendarChoose">(text);
}

// The text box takes the focus back and shows the value, as when the user
// comes back to it from elsewhere on the form.
void Zarn::ReturnFocus() {
    const HWND box = Text1().Handle();
    if (!IsWindowVisible(box))
        return; // the host put the control away meanwhile
    SetFocus(box);
    if (GetFocus() == box)
        GotFocusShowsValue();
}
