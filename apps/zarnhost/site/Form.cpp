#include "site/Form.h"

#include "form/FormFile.h"
#include "site/Ambients.h"

#include <olectl.h>

#include <cwchar>

namespace zarnhost {

Form::Form(Log& log, const EventRules& rules) : log_(log), rules_(rules) {
    if (FAILED(NewAmbientFont(&font_)))
        log_.Line(L"the form has no ambient font");
}

Form::~Form() {
    DestroyControls();
    if (frame_)
        frame_->Detach();
}

void Form::Open(FormLayout layout, std::wstring path) {
    path_ = std::move(path);
    if (!window_)
        CreateWindowSized(layout.size);
    else
        FitWindowTo(layout.size);
    CreateControls(std::move(layout.controls));
}

void Form::CreateControls(std::vector<ControlLayout> layouts) {
    for (ControlLayout& layout : layouts) {
        controls_.push_back(
            std::make_unique<HostedControl>(std::move(layout), static_cast<SiteHost&>(*this), rules_, log_));
        controls_.back()->Create();
    }
}

// Last created, first closed; each control leaves the form before the next
// one closes.
void Form::DestroyControls() {
    if (uiActive_)
        if (HostedControl* active = Of(*uiActive_))
            active->UIDeactivate();
    uiActive_ = nullptr;
    savedFocus_ = nullptr;
    while (!controls_.empty()) {
        controls_.back()->Close();
        controls_.pop_back();
    }
}

bool Form::AnyLocked() const {
    for (const auto& c : controls_)
        if (c->Site().Locked())
            return true;
    return false;
}

bool Form::Save(const std::wstring& path) {
    const std::wstring target = path.empty() ? path_ : path;
    if (target.empty()) {
        log_.Line(L"save: the form has no file yet; give one");
        return false;
    }
    FormLayout saved;
    saved.size = size_;
    for (const auto& c : controls_) {
        Microsoft::WRL::ComPtr<PropertyBag> bag;
        if (FAILED(c->Save(bag))) {
            log_.Line(L"save: nothing written, since " + c->Name() + L" did not save");
            return false;
        }
        ControlLayout layout = c->Layout();
        layout.bag = bag;
        saved.controls.push_back(std::move(layout));
    }
    try {
        WriteFormFile(target, saved);
    } catch (const FormFileError& e) {
        log_.Line(L"save: " + e.message);
        return false;
    }
    path_ = target;
    UpdateTitle();
    log_.Line(L"saved " + target);
    return true;
}

// Every control is closed and created again from the file, as when the
// form is opened anew.
bool Form::Reload() {
    if (path_.empty()) {
        log_.Line(L"reload: the form has no file yet");
        return false;
    }
    if (AnyLocked()) {
        log_.Line(L"reload: a control is busy (locked in place); try again later");
        return false;
    }
    FormLayout layout;
    try {
        layout = ReadFormFile(path_);
    } catch (const FormFileError& e) {
        log_.Line(L"reload: " + e.message);
        return false;
    }
    DestroyControls();
    FitWindowTo(layout.size);
    log_.Line(L"reloading " + path_);
    CreateControls(std::move(layout.controls));
    return true;
}

void Form::SetUserMode(bool userMode) {
    userMode_ = userMode;
    log_.Line(userMode ? L"run mode" : L"design mode");
    UpdateTitle();
    InvalidateRect(Window(), nullptr, TRUE);
    for (const auto& c : controls_)
        c->AmbientChanged(DISPID_AMBIENT_USERMODE);
}

HostedControl* Form::Find(std::wstring_view name) const {
    for (const auto& c : controls_)
        if (c->Name().size() == name.size() && _wcsnicmp(c->Name().c_str(), name.data(), name.size()) == 0)
            return c.get();
    return nullptr;
}

void Form::Resize(HostedControl& control, int width, int height) {
    RECT r = control.Layout().rect;
    r.right = r.left + width;
    r.bottom = r.top + height;
    control.Move(r);
    InvalidateRect(Window(), nullptr, TRUE);
}

RECT Form::ClipRect() const {
    RECT clip{0, 0, size_.cx, size_.cy};
    return clip;
}

// The form grants any position a control asks for.
void Form::SiteMoveRequested(ControlSite& site, const RECT& rect) {
    if (HostedControl* control = Of(site))
        control->Move(rect);
}

} // namespace zarnhost
