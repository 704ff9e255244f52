// The services the COM object gives the control: change notification,
// ambient properties, events, focus and view changes.
#include "activex/DragDrop.h"
#include "activex/EventDispatch.h"
#include "activex/ZarnObject.h"

#include <olectl.h>

#include <algorithm>
#include <cwctype>
#include <vector>

namespace zarn {

namespace {

// The member a property-bag key names, compared without regard to case
// ("MousePointer" is mousePointer, "Gridline" is GridLine); keys without a
// member of their own report DISPID_UNKNOWN.
DISPID DispIdOfKey(std::wstring_view key) {
    for (DISPID i = 0; i < shape::kMemberCount; ++i) {
        const std::string_view name = shape::kMembers[i].name;
        if (key.size() == name.size() &&
            std::equal(key.begin(), key.end(), name.begin(), [](wchar_t k, char n) {
                return towlower(k) == towlower(static_cast<unsigned char>(n));
            }))
            return DispIdOf(i + 1);
    }
    return DISPID_UNKNOWN;
}

} // namespace

void ZarnObject::PropertyChanged(std::wstring_view key) {
    dirty_ = true;
    const DISPID id = DispIdOfKey(key);
    for (const auto& sink : notifyPoint_.Sinks<IPropertyNotifySink>())
        sink->OnChanged(id);
}

// An ambient property of the site, or Empty when the site has none.
Variant ZarnObject::Ambient(DISPID id) {
    Variant value;
    Microsoft::WRL::ComPtr<IDispatch> ambient;
    if (!site_ || FAILED(site_.As(&ambient)))
        return value;
    DISPPARAMS none{};
    if (FAILED(ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.Put(),
                               nullptr, nullptr)))
        value = Variant();
    return value;
}

bool ZarnObject::UserMode() {
    const Variant mode = Ambient(DISPID_AMBIENT_USERMODE);
    if (mode.IsEmpty())
        return true;
    try {
        return ToBool(mode.Get());
    } catch (const RuntimeError&) {
        return true;
    }
}

Microsoft::WRL::ComPtr<IFont> ZarnObject::AmbientFont() {
    const Variant font = Ambient(DISPID_AMBIENT_FONT);
    Microsoft::WRL::ComPtr<IFont> result;
    const VARIANT& v = font.Get();
    if ((V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN) && V_UNKNOWN(&v))
        V_UNKNOWN(&v)->QueryInterface(IID_IFont, reinterpret_cast<void**>(result.GetAddressOf()));
    return result;
}

// A container that froze events hears nothing until it thaws them. The
// caller holds the object (KeepAlive) while the handlers run.
bool ZarnObject::RaiseEvent(DISPID id, std::span<EventArg> args) {
    if (frozenEvents_ > 0)
        return true;
    const auto sinks = eventsPoint_.Sinks<IDispatch>();
    const unsigned closes = closes_;
    InvokeEvent(sinks, id, args);
    return closes_ == closes;
}

// The last release runs the destructor with the count at 0: nothing is
// held from then on.
Microsoft::WRL::ComPtr<IUnknown> ZarnObject::KeepAlive() {
    if (refs_ == 0)
        return nullptr;
    return static_cast<_Zarn*>(this);
}

void ZarnObject::FocusChanged(bool gained) {
    if (gained && inPlaceActive_ && !uiActive_)
        ActivateUI();
    Microsoft::WRL::ComPtr<IOleControlSite> controlSite;
    if (site_ && SUCCEEDED(site_.As(&controlSite)))
        controlSite->OnFocus(gained);
}

std::unique_ptr<DropRegistration> ZarnObject::AcceptDrops(HWND window, DropListener& listener) {
    return RegisterDropTarget(window, listener);
}

void ZarnObject::DoDrag(DragSourceListener& listener, const std::wstring* text) {
    RunDrag(listener, text);
}

void ZarnObject::ViewChanged() {
    const auto sink = viewSink_;
    if (viewSinkFlags_ & ADVF_ONLYONCE)
        viewSink_.Reset();
    if (sink)
        sink->OnViewChange(DVASPECT_CONTENT, -1);
}

} // namespace zarn
