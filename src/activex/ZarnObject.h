#pragma once
// The COM object a host creates: it carries the control (class Zarn),
// publishes _Zarn through its type library, and gives the control the
// host's services (change notification, ambient properties).
#include "control/Zarn.h"
#include "control/ControlHost.h"
#include "activex/ConnectionPoint.h"
#include "activex/ErrorInfo.h"
#include "activex/ZarnInterface.h"
#include "activex/Convert.h"

#include <ocidl.h>
#include <objsafe.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>

namespace zarn {

class ZarnObject final : public _Zarn,
                         public ISupportErrorInfo,
                         public IProvideClassInfo2,
                         public IConnectionPointContainer,
                         public IOleObject,
                         public IOleInPlaceObject,
                         public IOleInPlaceActiveObject,
                         public IOleControl,
                         public IViewObject2,
                         public IPersistPropertyBag,
                         public IPersistStreamInit,
                         public IObjectSafety,
                         private ControlHost {
public:
    // Creates an object and returns the requested interface of it.
    static HRESULT Create(REFIID iid, void** object);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, through the type library
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    // _Zarn: the properties come from the member table, the methods follow.
#define ZARN_IMPL_PROP_GET(Name, T)                                                                          \
    HRESULT STDMETHODCALLTYPE get_##Name(ZARN_T(T)::Out value) override {                                    \
        return Get(value, [&](auto* out) { convert::Conv<types::T>::To(out, control_->Name()); });           \
    }
#define ZARN_IMPL_PROP(Name, T)                                                                              \
    ZARN_IMPL_PROP_GET(Name, T)                                                                              \
    HRESULT STDMETHODCALLTYPE put_##Name(ZARN_T(T)::In value) override {                                     \
        return Call([&] { control_->Name(convert::Conv<types::T>::From(value)); });                          \
    }
#define ZARN_IMPL_PROP_REF(Name, T)                                                                          \
    ZARN_IMPL_PROP_GET(Name, T)                                                                              \
    HRESULT STDMETHODCALLTYPE putref_##Name(ZARN_T(T)::In value) override {                                  \
        return Call([&] { control_->Name(convert::Conv<types::T>::From(value)); });                          \
    }
#define ZARN_IMPL_METHOD(...)
    ZARN_MEMBERS(ZARN_IMPL_PROP, ZARN_IMPL_PROP_REF, ZARN_IMPL_PROP_GET, ZARN_IMPL_METHOD, ZARN_IMPL_METHOD,
                 ZARN_IMPL_METHOD)
#undef ZARN_IMPL_PROP_GET
#undef ZARN_IMPL_PROP
#undef ZARN_IMPL_PROP_REF
#undef ZARN_IMPL_METHOD

    HRESULT STDMETHODCALLTYPE DrawControl(LONG StatusType) override;
    HRESULT STDMETHODCALLTYPE RefreshControl() override;
    HRESULT STDMETHODCALLTYPE OLEDrag() override;
    HRESULT STDMETHODCALLTYPE UserControl_MouseOut(SHORT* Button, SHORT* Shift, FLOAT* X, FLOAT* Y,
                                                   VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE PiloCalendarshow(SHORT* Show) override;
    HRESULT STDMETHODCALLTYPE DateIsNull(BSTR* DateIn, VARIANT_BOOL* result) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow (through both in-place interfaces)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;

    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                   HDC targetDc, HDC dc, LPCRECTL bounds, LPCRECTL windowBounds,
                                   BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                          HDC targetDc, LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device,
                                        LPSIZEL size) override;

    // IPersist, IPersistPropertyBag, IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

    // IObjectSafety
    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID riid, DWORD* supported,
                                                        DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) override;

    // The status bits the control registers and reports to containers.
    static constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                         OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                         OLEMISC_SETCLIENTSITEFIRST;

private:
    ZarnObject();
    ~ZarnObject();

    // ControlHost
    void PropertyChanged(std::wstring_view key) override;
    bool UserMode() override;
    bool RaiseEvent(DISPID id, std::span<EventArg> args) override;
    Microsoft::WRL::ComPtr<IUnknown> KeepAlive() override;
    void FocusChanged(bool gained) override;
    void ViewChanged() override;
    Microsoft::WRL::ComPtr<IFont> AmbientFont() override;
    std::unique_ptr<DropRegistration> AcceptDrops(HWND window, DropListener& listener) override;
    void DoDrag(DragSourceListener& listener, const std::wstring* text) override;

    // In-place activation, in the container's terms.
    HRESULT ActivateInPlace();
    HRESULT ActivateUI();
    HRESULT VerbShow(LONG verb);
    void TakeFocus();
    void GiveUpFocus();
    Variant Ambient(DISPID id);

    // A control nobody initialised or loaded (a script's CreateObject)
    // takes the settings of a control placed anew on first use.
    void EnsureInitialised();

    // Runs the control's code for a caller, alive until it is done whatever
    // the handlers of the events it raises release meanwhile.
    template <class Body> HRESULT Run(REFIID iid, Body&& body) {
        const Microsoft::WRL::ComPtr<IUnknown> hold = KeepAlive();
        return ComCall(iid, body);
    }
    template <class Body> HRESULT Call(Body&& body) {
        return Run(IID__Zarn, [&] {
            EnsureInitialised();
            body();
        });
    }
    template <class Out, class Body> HRESULT Get(Out* out, Body&& body) {
        if (!out)
            return E_POINTER;
        return Call([&] { body(out); });
    }

    std::atomic<ULONG> refs_{1};
    std::unique_ptr<Zarn> control_;
    bool initialised_ = false;
    bool dirty_ = false;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    int frozenEvents_ = 0;
    unsigned closes_ = 0; // Close calls, so an event's raiser sees one made meanwhile
    DWORD safety_[3] = {0, 0, 0}; // dispatch, property bag, stream
    Microsoft::WRL::ComPtr<IOleInPlaceSite> inPlaceSite_;
    Microsoft::WRL::ComPtr<IOleInPlaceFrame> frame_;
    Microsoft::WRL::ComPtr<IOleInPlaceUIWindow> uiWindow_;
    Microsoft::WRL::ComPtr<IAdviseSink> viewSink_;
    DWORD viewSinkFlags_ = 0;
    SIZEL extent_{3175, 556}; // 120 x 21 pixels at 96 dpi, in HIMETRIC
    Microsoft::WRL::ComPtr<IOleClientSite> site_;
    Microsoft::WRL::ComPtr<IOleAdviseHolder> adviseHolder_;
    ConnectionPoint eventsPoint_;
    ConnectionPoint notifyPoint_;
};

} // namespace zarn
