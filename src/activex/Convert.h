#pragma once
// Conversions between the vtable's argument types and the control's C++
// types, chosen by the member table's type tag.
#include "shape/ZarnTypes.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"

#include <wrl/client.h>

#include <string>

namespace zarn::convert {

template <class Tag> struct Conv {
    // Long, Integer, Single, Color and the enumerations pass as they are.
    template <class In> static In From(In v) { return v; }
    template <class Out, class V> static void To(Out* out, V v) { *out = v; }
};

template <> struct Conv<types::Bool> {
    static bool From(VARIANT_BOOL v) { return v != VARIANT_FALSE; }
    static void To(VARIANT_BOOL* out, bool v) { *out = ToVariantBool(v); }
};

template <> struct Conv<types::String> {
    static std::wstring From(BSTR v) { return v ? std::wstring(v, SysStringLen(v)) : std::wstring(); }
    static void To(BSTR* out, const std::wstring& v) { *out = Bstr(v).Detach(); }
};

template <> struct Conv<types::Variant> {
    // Passed on as it came, a reference included: the setter follows it
    // within its own error trap, so a reference to nothing fails as its
    // other unreadable values do.
    static Variant From(const VARIANT& v) { return Variant(v); }
    static void To(VARIANT* out, const Variant& v) { v.CopyTo(out); }
};

template <class I> struct ObjectConv {
    static I* From(I* v) { return v; }
    static void To(I** out, Microsoft::WRL::ComPtr<I> v) { *out = v.Detach(); }
};
template <> struct Conv<types::Picture> : ObjectConv<IPictureDisp> {};
template <> struct Conv<types::Font> : ObjectConv<IFontDisp> {};

} // namespace zarn::convert
