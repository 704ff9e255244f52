#pragma once
// The host's IPropertyNotifySink for one control: logs each change by the
// member's name from the control's type information.
#include "com/ComObject.h"
#include "log/Log.h"

#include <ocidl.h>

#include <string>

namespace zarnhost {

class PropertyNotifySink final : public ComObject<PropertyNotifySink, IPropertyNotifySink> {
public:
    PropertyNotifySink(std::wstring control, ITypeInfo* members, Log& log)
        : control_(std::move(control)), members_(members), log_(log) {}

    void* Find(REFIID iid) {
        return iid == IID_IPropertyNotifySink ? static_cast<IPropertyNotifySink*>(this) : nullptr;
    }

    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
    // The host never refuses an edit.
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

private:
    std::wstring control_;
    Microsoft::WRL::ComPtr<ITypeInfo> members_;
    Log& log_;
};

} // namespace zarnhost
