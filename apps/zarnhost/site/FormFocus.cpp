// Focus on the form: one control at a time is UI-active, Tab and Shift+Tab
// move along the controls in the form file's order, and the UI-active
// control sees keys before anyone else.
#include "site/Form.h"

namespace zarnhost {

HostedControl* Form::Of(const ControlSite& site) const {
    for (const auto& c : controls_)
        if (&c->Site() == &site)
            return c.get();
    return nullptr;
}

HostedControl* Form::Holding(HWND window) const {
    for (const auto& c : controls_)
        if (c->Holds(window))
            return c.get();
    return nullptr;
}

bool Form::PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !Window())
        return false;
    if (msg.hwnd != Window() && !IsChild(Window(), msg.hwnd))
        return false;
    if (IOleInPlaceActiveObject* object = frame_->ActiveObject()) {
        Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> keep(object);
        if (keep->TranslateAccelerator(&msg) == S_OK)
            return true;
    }
    const bool plainTab = msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
                          GetKeyState(VK_MENU) >= 0;
    if (plainTab) {
        MoveFocus(Holding(msg.hwnd), GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return accelerators_ && TranslateAcceleratorW(Window(), accelerators_, &msg);
}

void Form::Focus(HostedControl& control) {
    if (control.UIActivate())
        return;
    if (const HWND window = control.Window())
        SetFocus(window);
}

void Form::MoveFocus(HostedControl* from, bool backwards) {
    if (controls_.empty())
        return;
    if (!from && uiActive_)
        from = Of(*uiActive_);
    const size_t n = controls_.size();
    size_t next = backwards ? n - 1 : 0;
    for (size_t i = 0; from && i < n; ++i)
        if (controls_[i].get() == from)
            next = backwards ? (i + n - 1) % n : (i + 1) % n;
    Focus(*controls_[next]);
}

bool Form::TabFrom(ControlSite& site, bool backwards) {
    MoveFocus(Of(site), backwards);
    return true;
}

// Only one control is UI-active: the one that was leaves first.
void Form::SiteUIActivating(ControlSite& site) {
    if (uiActive_ && uiActive_ != &site)
        if (HostedControl* previous = Of(*uiActive_))
            previous->UIDeactivate();
    uiActive_ = &site;
}

void Form::SiteUIDeactivated(ControlSite& site) {
    if (uiActive_ == &site)
        uiActive_ = nullptr;
}

std::wstring Form::FocusText() const {
    const HWND focus = GetFocus();
    if (!focus)
        return L"nowhere";
    if (focus == Window())
        return L"the form";
    wchar_t cls[64] = L"";
    GetClassNameW(focus, cls, 64);
    if (const HostedControl* c = Holding(focus))
        return c->Name() + L" (" + cls + L")";
    return std::wstring(L"a window of class ") + cls;
}

} // namespace zarnhost
