#pragma once
// One control on the form, from creation to closing, through the standard
// OLE contract only: created by ProgID, given its site, loaded from its
// property bag (or initialised as new), activated in place at its
// rectangle, watched through its event and change-notification sinks, and
// closed and released.
#include "form/FormLayout.h"
#include "log/Log.h"
#include "site/ControlSite.h"
#include "site/EventRules.h"

#include <oleidl.h>
#include <ocidl.h>
#include <wrl/client.h>

namespace zarnhost {

class HostedControl {
public:
    HostedControl(ControlLayout layout, SiteHost& host, const EventRules& rules, Log& log);
    ~HostedControl();
    HostedControl(const HostedControl&) = delete;
    HostedControl& operator=(const HostedControl&) = delete;

    const std::wstring& Name() const { return layout_.name; }
    const ControlLayout& Layout() const { return layout_; }
    ControlSite& Site() const { return *site_.Get(); }

    // Creates, loads and activates the control; logs what fails.
    void Create();
    void Close();

    void Move(const RECT& rect);
    void ClipChanged();
    bool UIActivate();
    void UIDeactivate();
    void AmbientChanged(DISPID id);

    // A new bag filled by the control's save; a control that could not be
    // created keeps the bag it was loaded from.
    HRESULT Save(Microsoft::WRL::ComPtr<PropertyBag>& bag);

    IDispatch* Dispatch() const { return dispatch_.Get(); }
    HWND Window() const;
    bool Holds(HWND window) const;

private:
    HRESULT Instantiate();
    void ConnectSinks();
    void Disconnect(const IID& iid, DWORD& cookie);
    void Initialise();
    void SetExtent();
    void Activate();
    void Failed(const wchar_t* what, HRESULT hr);

    ControlLayout layout_;
    SiteHost& host_;
    const EventRules& rules_;
    Log& log_;
    Microsoft::WRL::ComPtr<ControlSite> site_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IDispatch> dispatch_;
    Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace_;
    IID eventsIid_ = IID_NULL;
    DWORD eventsCookie_ = 0;
    DWORD notifyCookie_ = 0;
};

} // namespace zarnhost
