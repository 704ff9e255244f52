#include "com/Variant.h"

#include <new>
#include <utility>

namespace zarnhost {

Variant::Variant(const VARIANT& other) {
    VariantInit(&value_);
    if (FAILED(VariantCopy(&value_, const_cast<VARIANT*>(&other))))
        throw std::bad_alloc();
}

Variant::Variant(Variant&& other) noexcept : value_(other.Detach()) {}

Variant& Variant::operator=(Variant other) noexcept {
    std::swap(value_, other.value_);
    return *this;
}

Variant Variant::Text(std::wstring_view text) {
    Variant v;
    V_VT(&v.value_) = VT_BSTR;
    V_BSTR(&v.value_) = NewBstr(text);
    return v;
}

Variant Variant::Long(LONG value) {
    Variant v;
    V_VT(&v.value_) = VT_I4;
    V_I4(&v.value_) = value;
    return v;
}

Variant Variant::Bool(bool value) {
    Variant v;
    V_VT(&v.value_) = VT_BOOL;
    V_BOOL(&v.value_) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::Object(IDispatch* object) {
    Variant v;
    V_VT(&v.value_) = VT_DISPATCH;
    V_DISPATCH(&v.value_) = object;
    if (object)
        object->AddRef();
    return v;
}

VARIANT* Variant::Put() {
    VariantClear(&value_);
    return &value_;
}

VARIANT Variant::Detach() noexcept {
    VARIANT out = value_;
    VariantInit(&value_);
    return out;
}

std::wstring TakeBstr(BSTR& text) {
    std::wstring s = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    text = nullptr;
    return s;
}

BSTR NewBstr(std::wstring_view text) {
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!b)
        throw std::bad_alloc();
    return b;
}

} // namespace zarnhost
