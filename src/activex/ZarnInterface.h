#pragma once
// The C++ declaration of the dual interface _Zarn, generated from the
// member table.
#include "shape/ZarnGuids.h"
#include "shape/ZarnMemberTable.h"
#include "shape/ZarnTypes.h"

namespace zarn {

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
