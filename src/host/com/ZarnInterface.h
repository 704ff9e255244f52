#pragma once
// The control's published identity and the C++ declaration of the dual
// interface _Zarn, generated from the member table.
#include "host/com/ZarnTypes.h"

namespace zarn {

// {386F8717-CFB7-4B79-B414-BC350531FD4A}
inline constexpr GUID LIBID_Zarn2 = {
    0x386f8717, 0xcfb7, 0x4b79, {0xb4, 0x14, 0xbc, 0x35, 0x05, 0x31, 0xfd, 0x4a}};
// {B95CA92B-1DF7-422F-82D7-28CE99C019D1}
inline constexpr GUID CLSID_Zarn = {
    0xb95ca92b, 0x1df7, 0x422f, {0x82, 0xd7, 0x28, 0xce, 0x99, 0xc0, 0x19, 0xd1}};
// {2BAD2477-59FF-453B-992F-B5FF5DB934DD}
inline constexpr GUID IID__Zarn = {
    0x2bad2477, 0x59ff, 0x453b, {0x99, 0x2f, 0xb5, 0xff, 0x5d, 0xb9, 0x34, 0xdd}};
// {09ECF381-492B-4820-B97A-4C6322F2A295}
inline constexpr GUID DIID___Zarn = {
    0x09ecf381, 0x492b, 0x4820, {0xb9, 0x7a, 0x4c, 0x63, 0x22, 0xf2, 0xa2, 0x95}};

inline constexpr WORD kTypeLibMajor = 1;
inline constexpr WORD kTypeLibMinor = 0;

// Dispatch identifiers follow the member order from 1, except Enabled,
// which carries the standard DISPID_ENABLED so containers know it.
#define ZARN_COUNT(...) +1
inline constexpr int kMemberCount =
    0 ZARN_MEMBERS(ZARN_COUNT, ZARN_COUNT, ZARN_COUNT, ZARN_COUNT, ZARN_COUNT, ZARN_COUNT);
inline constexpr int kEventCount =
    0 ZARN_EVENTS(ZARN_COUNT, ZARN_COUNT, ZARN_COUNT, ZARN_COUNT, ZARN_COUNT, ZARN_COUNT);
#undef ZARN_COUNT

namespace dispid {
enum : DISPID {
    kFirst = 0,
#define ZARN_DISPID(Name, ...) Name,
    ZARN_MEMBERS(ZARN_DISPID, ZARN_DISPID, ZARN_DISPID, ZARN_DISPID, ZARN_DISPID, ZARN_DISPID)
#undef ZARN_DISPID
};
} // namespace dispid

constexpr DISPID DispIdOf(DISPID position) {
    return position == dispid::Enabled ? DISPID_ENABLED : position;
}

#define ZARN_T(T) ::zarn::types::Tag<::zarn::types::T>
#define ZARN_A(T, D) typename ::zarn::types::Arg<::zarn::types::T, ::zarn::types::D>::type
#define ZARN_RESULT_Void
#define ZARN_RESULT_Bool , VARIANT_BOOL* result
#define ZARN_RESULT_Variant , VARIANT* result
#define ZARN_RESULT_Void0
#define ZARN_RESULT_Bool0 VARIANT_BOOL* result
#define ZARN_RESULT_Variant0 VARIANT* result

#define ZARN_DECL_PROP(Name, T)                                                                              \
    virtual HRESULT STDMETHODCALLTYPE get_##Name(ZARN_T(T)::Out value) = 0;                                  \
    virtual HRESULT STDMETHODCALLTYPE put_##Name(ZARN_T(T)::In value) = 0;
#define ZARN_DECL_PROP_REF(Name, T)                                                                          \
    virtual HRESULT STDMETHODCALLTYPE get_##Name(ZARN_T(T)::Out value) = 0;                                  \
    virtual HRESULT STDMETHODCALLTYPE putref_##Name(ZARN_T(T)::In value) = 0;
#define ZARN_DECL_PROP_GET(Name, T) virtual HRESULT STDMETHODCALLTYPE get_##Name(ZARN_T(T)::Out value) = 0;
#define ZARN_DECL_METHOD0(Name, R) virtual HRESULT STDMETHODCALLTYPE Name(ZARN_RESULT_##R##0) = 0;
#define ZARN_DECL_METHOD1(Name, R, T1, A1, D1)                                                               \
    virtual HRESULT STDMETHODCALLTYPE Name(ZARN_A(T1, D1) A1 ZARN_RESULT_##R) = 0;
#define ZARN_DECL_METHOD4(Name, R, T1, A1, D1, T2, A2, D2, T3, A3, D3, T4, A4, D4)                           \
    virtual HRESULT STDMETHODCALLTYPE Name(ZARN_A(T1, D1) A1, ZARN_A(T2, D2) A2, ZARN_A(T3, D3) A3,          \
                                           ZARN_A(T4, D4) A4 ZARN_RESULT_##R) = 0;

// _Zarn: dual interface; its vtable after IDispatch is the member table,
// each property as get then put (or putref).
struct _Zarn : public IDispatch {
    ZARN_MEMBERS(ZARN_DECL_PROP, ZARN_DECL_PROP_REF, ZARN_DECL_PROP_GET, ZARN_DECL_METHOD0, ZARN_DECL_METHOD1,
                 ZARN_DECL_METHOD4)
};

#undef ZARN_DECL_PROP
#undef ZARN_DECL_PROP_REF
#undef ZARN_DECL_PROP_GET
#undef ZARN_DECL_METHOD0
#undef ZARN_DECL_METHOD1
#undef ZARN_DECL_METHOD4

} // namespace zarn

__CRT_UUID_DECL(zarn::_Zarn, 0x2bad2477, 0x59ff, 0x453b, 0x99, 0x2f, 0xb5, 0xff, 0x5d, 0xb9, 0x34, 0xdd)
