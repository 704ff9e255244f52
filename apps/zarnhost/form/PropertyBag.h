#pragma once
// The property bag a control saves into and loads from. It keeps every
// write in order with the type the control gave it, so the form file shows
// exactly what the control wrote; a read answers with the latest value
// written under the key, and with E_INVALIDARG for a key it does not hold,
// which tells the control to use its own default.
#include "com/ComObject.h"
#include "com/Variant.h"

#include <oaidl.h>
#include <ocidl.h>

#include <string>
#include <vector>

namespace zarnhost {

class PropertyBag final : public ComObject<PropertyBag, IPropertyBag> {
public:
    struct Entry {
        std::wstring key;
        Variant value;
    };

    const std::vector<Entry>& Entries() const { return entries_; }
    bool Empty() const { return entries_.empty(); }
    void Add(std::wstring key, Variant value) { entries_.push_back({std::move(key), std::move(value)}); }

    // IPropertyBag
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR key, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR key, VARIANT* value) override;

    void* Find(REFIID iid) { return iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr; }

private:
    const Entry* Latest(LPCOLESTR key) const;

    std::vector<Entry> entries_;
};

} // namespace zarnhost
