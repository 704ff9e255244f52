#pragma once
// The container: the form window with its controls, in tab order. It
// offers the controls their sites, ambient properties and in-place frame,
// moves the focus between them, switches between design and run mode, and
// saves and reloads them through its form file.
#include "form/FormLayout.h"
#include "log/Log.h"
#include "site/EventRules.h"
#include "site/FormFrame.h"
#include "site/HostedControl.h"
#include "site/SiteHost.h"
#include "win/Handles.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zarnhost {

class Form final : private SiteHost {
public:
    Form(Log& log, const EventRules& rules);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Shows the form (path: the file it came from, or empty) and creates its
    // controls.
    void Open(FormLayout layout, std::wstring path);
    bool Save(const std::wstring& path); // empty: the form's own file
    bool Reload();
    void SetUserMode(bool userMode);

    HWND Window() const override { return window_.get(); }
    bool UserMode() const override { return userMode_; }
    HostedControl* Find(std::wstring_view name) const;
    HostedControl* Holding(HWND window) const;
    void Resize(HostedControl& control, int width, int height);

    // The message loop's hook: keys aimed at the form go first to the
    // active control, then to Tab navigation, then to the accelerators.
    bool PreTranslate(MSG& msg);
    void SetAccelerators(HACCEL accelerators) { accelerators_ = accelerators; }
    void SetMenu(HMENU menu);
    void OnCommand(std::function<void(WORD)> handler) { onCommand_ = std::move(handler); }

    // Gives the control the focus, as a click on it would.
    void Focus(HostedControl& control);
    std::wstring FocusText() const;

private:
    // SiteHost
    IOleInPlaceFrame* Frame() override { return frame_.Get(); }
    RECT ClipRect() const override;
    IFontDisp* AmbientFont() override { return font_.Get(); }
    Log& Logger() override { return log_; }
    void SiteUIActivating(ControlSite& site) override;
    void SiteUIDeactivated(ControlSite& site) override;
    void SiteMoveRequested(ControlSite& site, const RECT& rect) override;
    bool TabFrom(ControlSite& site, bool backwards) override;

    void CreateWindowSized(SIZE client);
    void FitWindowTo(SIZE client);
    void UpdateTitle();
    void CreateControls(std::vector<ControlLayout> layouts);
    void DestroyControls();
    bool AnyLocked() const;
    HostedControl* Of(const ControlSite& site) const;
    void MoveFocus(HostedControl* from, bool backwards);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void Paint();
    void Activated(bool active);
    void ClickedOnForm();

    Log& log_;
    const EventRules& rules_;
    std::wstring path_;
    SIZE size_{};
    bool userMode_ = true;
    UniqueWindow window_;
    Microsoft::WRL::ComPtr<FormFrame> frame_;
    Microsoft::WRL::ComPtr<IFontDisp> font_;
    std::vector<std::unique_ptr<HostedControl>> controls_;
    ControlSite* uiActive_ = nullptr;
    HWND savedFocus_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::function<void(WORD)> onCommand_;
};

} // namespace zarnhost
