#pragma once
// The type tags of the member table and what each one is in C++ (the
// argument and result types of the vtable) and in the type library.
#include "shape/ZarnEnums.h"

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

namespace zarn::types {

// How the type library spells a type: a plain VARTYPE, a type of the
// standard OLE library (stdole2), or one of our own enumerations.
enum class LibKind { Plain, Stdole, Enum };
struct LibType {
    LibKind kind;
    VARTYPE vt;       // Plain: the VARTYPE; Stdole: VT_USERDEFINED or VT_PTR to it
    const char* name; // Stdole or Enum: the type's name
};

template <class T> struct Tag;

#define ZARN_PLAIN_TAG(TagName, InType, OutType, VT)                                                         \
    struct TagName {};                                                                                       \
    template <> struct Tag<TagName> {                                                                        \
        using In = InType;                                                                                   \
        using Out = OutType;                                                                                 \
        static constexpr LibType lib{LibKind::Plain, VT, nullptr};                                           \
    };

ZARN_PLAIN_TAG(Bool, VARIANT_BOOL, VARIANT_BOOL*, VT_BOOL)
ZARN_PLAIN_TAG(Long, LONG, LONG*, VT_I4)
ZARN_PLAIN_TAG(Integer, SHORT, SHORT*, VT_I2)
ZARN_PLAIN_TAG(Single, FLOAT, FLOAT*, VT_R4)
ZARN_PLAIN_TAG(String, BSTR, BSTR*, VT_BSTR)
ZARN_PLAIN_TAG(Variant, VARIANT, VARIANT*, VT_VARIANT)
ZARN_PLAIN_TAG(Object, IDispatch*, IDispatch**, VT_DISPATCH)
#undef ZARN_PLAIN_TAG

struct Void {};

struct Color {};
template <> struct Tag<Color> {
    using In = OLE_COLOR;
    using Out = OLE_COLOR*;
    static constexpr LibType lib{LibKind::Stdole, VT_USERDEFINED, "OLE_COLOR"};
};
struct Picture {};
template <> struct Tag<Picture> {
    using In = IPictureDisp*;
    using Out = IPictureDisp**;
    static constexpr LibType lib{LibKind::Stdole, VT_PTR, "Picture"};
};
struct Font {};
template <> struct Tag<Font> {
    using In = IFontDisp*;
    using Out = IFontDisp**;
    static constexpr LibType lib{LibKind::Stdole, VT_PTR, "Font"};
};

// A name as a template argument: Enum<"PictureSize">.
template <size_t N> struct Name {
    char text[N];
    constexpr Name(const char (&s)[N]) {
        for (size_t i = 0; i < N; ++i)
            text[i] = s[i];
    }
};

// Enumerations are 32-bit in the vtable; the library names the enum type,
// which must be one of the published enumerations.
template <Name N> struct Enum {};
template <Name N> struct Tag<Enum<N>> {
    static_assert(shape::IsEnumeration(N.text), "not a published enumeration");
    using In = LONG;
    using Out = LONG*;
    static constexpr LibType lib{LibKind::Enum, VT_USERDEFINED, N.text};
};

// By-value arguments take Tag::In, by-reference ones Tag::Out.
struct ByVal {};
struct ByRef {};
template <class T, class Dir> struct Arg;
template <class T> struct Arg<T, ByVal> { using type = typename Tag<T>::In; };
template <class T> struct Arg<T, ByRef> { using type = typename Tag<T>::Out; };

} // namespace zarn::types

namespace zarn::shape {

// A parameter of a method or an event as the type library declares it.
struct Param {
    const char* name;
    types::LibType type;
    bool byRef;
};

} // namespace zarn::shape
