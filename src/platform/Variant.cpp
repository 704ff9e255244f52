#include "platform/Variant.h"

#include "platform/RuntimeError.h"

#include <utility>

namespace zarn {

Bstr::Bstr(std::wstring_view text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!value_)
        Raise(ErrOutOfMemory);
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        SysFreeString(value_);
        value_ = other.Detach();
    }
    return *this;
}

BSTR Bstr::Detach() noexcept {
    return std::exchange(value_, nullptr);
}

BSTR* Bstr::Put() {
    SysFreeString(std::exchange(value_, nullptr));
    return &value_;
}

Variant::Variant(const VARIANT& other) {
    VariantInit(&value_);
    ThrowIfFailed(VariantCopy(&value_, const_cast<VARIANT*>(&other)));
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
}

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) {
        Variant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

Variant Variant::FromText(std::wstring_view text) {
    Variant v;
    V_BSTR(&v.value_) = Bstr(text).Detach();
    V_VT(&v.value_) = VT_BSTR;
    return v;
}

Variant Variant::FromLong(long value) {
    Variant v;
    V_VT(&v.value_) = VT_I4;
    V_I4(&v.value_) = value;
    return v;
}

Variant Variant::FromInteger(short value) {
    Variant v;
    V_VT(&v.value_) = VT_I2;
    V_I2(&v.value_) = value;
    return v;
}

Variant Variant::FromBool(bool value) {
    Variant v;
    V_VT(&v.value_) = VT_BOOL;
    V_BOOL(&v.value_) = ToVariantBool(value);
    return v;
}

Variant Variant::Null() {
    Variant v;
    V_VT(&v.value_) = VT_NULL;
    return v;
}

Variant Variant::Dereferenced(const VARIANT& other) {
    if (!(V_VT(&other) & VT_BYREF))
        return Variant(other);
    if (!V_BYREF(&other))
        Raise(ErrTypeMismatch);
    if (V_VT(&other) == (VT_BYREF | VT_VARIANT)) {
        const VARIANT& target = *V_VARIANTREF(&other);
        if (V_VT(&target) & VT_BYREF)
            Raise(ErrTypeMismatch);
        return Variant(target);
    }
    Variant v;
    ThrowIfFailed(VariantCopyInd(&v.value_, const_cast<VARIANT*>(&other)));
    return v;
}

namespace {

// A value that is one number, date, text, Boolean or error, or nothing.
bool IsSingleValue(VARTYPE type) {
    switch (type) {
    case VT_EMPTY: case VT_NULL: case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_BOOL: case VT_I4:
    case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: case VT_I8: case VT_UI8: case VT_R8:
    case VT_CY: case VT_DATE: case VT_DECIMAL: case VT_BSTR:
        return true;
    default:
        return false;
    }
}

Variant DefaultValueOf(IDispatch* object) {
    if (!object)
        Raise(ErrObjectNotSet);
    DISPPARAMS none{};
    Variant result;
    ThrowIfFailed(object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                 result.Put(), nullptr, nullptr));
    return Variant::Dereferenced(result.Get());
}

} // namespace

Variant Variant::ValueOf(const VARIANT& other) {
    Variant v = Dereferenced(other);
    if (v.Type() == VT_DISPATCH)
        v = DefaultValueOf(V_DISPATCH(&v.value_));
    if (!IsSingleValue(v.Type()))
        Raise(ErrTypeMismatch);
    return v;
}

VARIANT* Variant::Put() {
    VariantClear(&value_);
    return &value_;
}

void Variant::CopyTo(VARIANT* out) const {
    VariantInit(out);
    ThrowIfFailed(VariantCopy(out, const_cast<VARIANT*>(&value_)));
}

namespace {

const VARIANT& Target(const VARIANT& v) {
    if (V_VT(&v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&v))
        return Target(*V_VARIANTREF(&v));
    return v;
}

Variant Coerced(const VARIANT& v, VARTYPE type, USHORT flags = 0) {
    Variant out;
    ThrowIfFailed(VariantChangeTypeEx(out.Put(), const_cast<VARIANT*>(&v), LOCALE_USER_DEFAULT, flags, type));
    return out;
}

} // namespace

bool IsEmptyOrMissing(const VARIANT& v) {
    const VARIANT& t = Target(v);
    return V_VT(&t) == VT_EMPTY || (V_VT(&t) == VT_ERROR && V_ERROR(&t) == DISP_E_PARAMNOTFOUND);
}

bool IsNull(const VARIANT& v) {
    return V_VT(&Target(v)) == VT_NULL;
}

long ToLong(const VARIANT& v) {
    return V_I4(&Coerced(v, VT_I4).Get());
}
short ToInteger(const VARIANT& v) {
    return V_I2(&Coerced(v, VT_I2).Get());
}
bool ToBool(const VARIANT& v) {
    return V_BOOL(&Coerced(v, VT_BOOL).Get()) != VARIANT_FALSE;
}
float ToSingle(const VARIANT& v) {
    return V_R4(&Coerced(v, VT_R4).Get());
}
double ToDouble(const VARIANT& v) {
    return V_R8(&Coerced(v, VT_R8).Get());
}

std::wstring ToText(const VARIANT& v) {
    if (IsNull(v))
        Raise(94);
    const Variant text = Coerced(v, VT_BSTR, VARIANT_ALPHABOOL);
    const BSTR b = V_BSTR(&text.Get());
    return b ? std::wstring(b, SysStringLen(b)) : std::wstring();
}

short NarrowToInteger(long value) {
    if (value < -32768 || value > 32767)
        Raise(ErrOverflow);
    return static_cast<short>(value);
}

} // namespace zarn
