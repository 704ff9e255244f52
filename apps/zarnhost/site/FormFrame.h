#pragma once
// The form window as an in-place frame: it offers no menus and no tool
// space, and remembers which control is the active object, so the message
// loop can give that control's TranslateAccelerator the first go at keys.
#include "com/ComObject.h"

#include <oleidl.h>

namespace zarnhost {

class FormFrame final : public ComObject<FormFrame, IOleInPlaceFrame> {
public:
    explicit FormFrame(HWND window) : window_(window) {}

    void* Find(REFIID iid);
    IOleInPlaceActiveObject* ActiveObject() const { return active_.Get(); }
    void Detach() {
        window_ = nullptr;
        active_.Reset();
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return S_OK; }

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;

    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    HWND window_;
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> active_;
};

} // namespace zarnhost
