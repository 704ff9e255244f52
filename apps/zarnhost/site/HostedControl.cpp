#include "site/HostedControl.h"

#include "com/ClassTypes.h"
#include "com/ErrorText.h"
#include "com/HResultText.h"
#include "site/EventSink.h"
#include "site/PropertyNotifySink.h"

#include <ocidl.h>

namespace zarnhost {

using Microsoft::WRL::ComPtr;

namespace {

LONG PixelsToHimetric(LONG pixels, int axis) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return MulDiv(pixels, 2540, dpi > 0 ? dpi : 96);
}

std::wstring Entries(size_t n) {
    return std::to_wstring(n) + (n == 1 ? L" saved entry" : L" saved entries");
}

HRESULT Advise(IUnknown* control, const IID& iid, IUnknown* sink, DWORD& cookie) {
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    HRESULT hr = control->QueryInterface(IID_PPV_ARGS(&container));
    if (SUCCEEDED(hr) && SUCCEEDED(hr = container->FindConnectionPoint(iid, &point)))
        hr = point->Advise(sink, &cookie);
    return hr;
}

} // namespace

HostedControl::HostedControl(ControlLayout layout, SiteHost& host, const EventRules& rules, Log& log)
    : layout_(std::move(layout)), host_(host), rules_(rules), log_(log),
      site_(Make<ControlSite>(host, layout_.name)) {
    site_->SetRect(layout_.rect);
}

HostedControl::~HostedControl() {
    Close();
    site_->Detach();
}

void HostedControl::Failed(const wchar_t* what, HRESULT hr) {
    const std::wstring error = TakeErrorText();
    log_.Line(Name() + L": " + what + L" failed: " + HResultText(hr) + (error.empty() ? L"" : L": " + error));
}

void HostedControl::Create() {
    if (FAILED(Instantiate()))
        return;
    DWORD misc = 0;
    object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
    // Such a control reads ambient properties while it loads.
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst)
        object_->SetClientSite(site_.Get());
    ConnectSinks();
    Initialise();
    if (!siteFirst)
        object_->SetClientSite(site_.Get());
    object_->SetHostNames(L"zarnhost", Name().c_str());
    SetExtent();
    Activate();
}

HRESULT HostedControl::Instantiate() {
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(layout_.progId.c_str(), &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object_));
    if (FAILED(hr)) {
        Failed((L"creating " + layout_.progId).c_str(), hr);
        return hr;
    }
    object_.As(&dispatch_);
    log_.Line(Name() + L" created (" + layout_.progId + L")");
    return S_OK;
}

void HostedControl::ConnectSinks() {
    ClassTypes types;
    HRESULT hr = LookUpClassTypes(object_.Get(), types);
    if (FAILED(hr) || !types.defaultSource) {
        Failed(L"finding the events", FAILED(hr) ? hr : E_NOINTERFACE);
    } else {
        eventsIid_ = types.sourceIid;
        auto sink = Make<EventSink>(Name(), types.defaultSource.Get(), eventsIid_, rules_, log_);
        if (FAILED(hr = Advise(object_.Get(), eventsIid_, sink.Get(), eventsCookie_)))
            Failed(L"connecting the events", hr);
    }
    ComPtr<ITypeInfo> members = types.defaultInterface;
    if (!members && dispatch_)
        dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &members);
    auto notify = Make<PropertyNotifySink>(Name(), members.Get(), log_);
    if (FAILED(hr = Advise(object_.Get(), IID_IPropertyNotifySink, notify.Get(), notifyCookie_)))
        Failed(L"connecting change notification", hr);
}

// A control with saved properties loads them; one without is new.
void HostedControl::Initialise() {
    ComPtr<IPersistPropertyBag> bagged;
    ComPtr<IPersistStreamInit> streamed;
    const bool hasBag = SUCCEEDED(object_.As(&bagged));
    SetErrorInfo(0, nullptr);
    HRESULT hr = E_NOINTERFACE;
    if (!layout_.bag->Empty()) {
        if (hasBag && SUCCEEDED(hr = bagged->Load(layout_.bag.Get(), nullptr)))
            log_.Line(Name() + L" loaded " + Entries(layout_.bag->Entries().size()));
        else
            Failed(L"loading", hr);
        return;
    }
    if (hasBag)
        hr = bagged->InitNew();
    else if (SUCCEEDED(hr = object_.As(&streamed)))
        hr = streamed->InitNew();
    if (SUCCEEDED(hr))
        log_.Line(Name() + L" initialised as new");
    else
        Failed(L"initialising", hr);
}

void HostedControl::SetExtent() {
    const RECT& r = layout_.rect;
    SIZEL size{PixelsToHimetric(r.right - r.left, LOGPIXELSX),
               PixelsToHimetric(r.bottom - r.top, LOGPIXELSY)};
    object_->SetExtent(DVASPECT_CONTENT, &size);
}

void HostedControl::Activate() {
    const HRESULT hr =
        object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, host_.Window(), &layout_.rect);
    if (FAILED(hr)) {
        Failed(L"in-place activation", hr);
        return;
    }
    object_.As(&inPlace_);
}

void HostedControl::Disconnect(const IID& iid, DWORD& cookie) {
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (cookie && SUCCEEDED(object_.As(&container)) && SUCCEEDED(container->FindConnectionPoint(iid, &point)))
        point->Unadvise(cookie);
    cookie = 0;
}

void HostedControl::Close() {
    if (!object_)
        return;
    if (inPlace_)
        inPlace_->InPlaceDeactivate();
    Disconnect(eventsIid_, eventsCookie_);
    Disconnect(IID_IPropertyNotifySink, notifyCookie_);
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    inPlace_.Reset();
    dispatch_.Reset();
    object_.Reset();
    log_.Line(Name() + L" closed");
}

void HostedControl::Move(const RECT& rect) {
    layout_.rect = rect;
    site_->SetRect(rect);
    if (!object_)
        return;
    SetExtent();
    ClipChanged();
}

void HostedControl::ClipChanged() {
    if (!inPlace_)
        return;
    const RECT clip = host_.ClipRect();
    const HRESULT hr = inPlace_->SetObjectRects(&layout_.rect, &clip);
    if (FAILED(hr))
        Failed(L"moving", hr);
}

bool HostedControl::UIActivate() {
    if (!object_)
        return false;
    const HRESULT hr =
        object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_.Get(), 0, host_.Window(), &layout_.rect);
    if (FAILED(hr))
        Failed(L"UI activation", hr);
    return SUCCEEDED(hr);
}

void HostedControl::UIDeactivate() {
    if (inPlace_)
        inPlace_->UIDeactivate();
}

void HostedControl::AmbientChanged(DISPID id) {
    ComPtr<IOleControl> control;
    HRESULT hr = object_ ? object_.As(&control) : E_NOINTERFACE;
    if (SUCCEEDED(hr))
        hr = control->OnAmbientPropertyChange(id);
    if (FAILED(hr) && object_)
        Failed(L"telling of the ambient change", hr);
}

HRESULT HostedControl::Save(ComPtr<PropertyBag>& bag) {
    if (!object_) {
        bag = layout_.bag;
        return S_FALSE;
    }
    ComPtr<IPersistPropertyBag> persist;
    HRESULT hr = object_.As(&persist);
    auto saved = Make<PropertyBag>();
    SetErrorInfo(0, nullptr);
    if (SUCCEEDED(hr))
        hr = persist->Save(saved.Get(), TRUE, TRUE);
    if (FAILED(hr)) {
        Failed(L"saving", hr);
        return hr;
    }
    bag = saved;
    layout_.bag = saved;
    return S_OK;
}

HWND HostedControl::Window() const {
    HWND window = nullptr;
    if (inPlace_)
        inPlace_->GetWindow(&window);
    return window;
}

bool HostedControl::Holds(HWND window) const {
    const HWND own = Window();
    return own && window && (window == own || IsChild(own, window));
}

} // namespace zarnhost
