#pragma once
// The member table as data: each member of _Zarn with its kind, type and
// parameters, in interface order, and the dispatch identifiers that follow.
#include "shape/ZarnMembers.h"
#include "shape/ZarnTypes.h"

#include <span>
#include <string_view>
#include <type_traits>

namespace zarn::shape {

enum class Kind { GetPut, GetPutRef, GetOnly, Method };

struct Member {
    const char* name;
    Kind kind;
    types::LibType type; // a property's type, or a method's result (VT_VOID: none)
    std::span<const Param> params;
};

namespace detail {
template <class T> constexpr types::LibType LibOf() {
    if constexpr (std::is_same_v<T, types::Void>)
        return {types::LibKind::Plain, VT_VOID, nullptr};
    else
        return types::Tag<T>::lib;
}
template <class T, class Dir> constexpr Param ParamOf(const char* name) {
    return {name, LibOf<T>(), std::is_same_v<Dir, types::ByRef>};
}

// clang-format off
#define ZARN_ARG(T, A, D) ParamOf<types::T, types::D>(#A)
#define ZARN_NO_ARGS(...)
#define ZARN_ARGS1(N, R, T1, A1, D1) inline constexpr Param N##_params[] = {ZARN_ARG(T1, A1, D1)};
#define ZARN_ARGS4(N, R, T1, A1, D1, T2, A2, D2, T3, A3, D3, T4, A4, D4)                                    \
    inline constexpr Param N##_params[] = {ZARN_ARG(T1, A1, D1), ZARN_ARG(T2, A2, D2), ZARN_ARG(T3, A3, D3),   \
                                           ZARN_ARG(T4, A4, D4)};
ZARN_MEMBERS(ZARN_NO_ARGS, ZARN_NO_ARGS, ZARN_NO_ARGS, ZARN_NO_ARGS, ZARN_ARGS1, ZARN_ARGS4)
#undef ZARN_ARG
#undef ZARN_NO_ARGS
#undef ZARN_ARGS1
#undef ZARN_ARGS4
// clang-format on
} // namespace detail

// clang-format off
#define ZARN_PROP(N, T) Member{#N, Kind::GetPut, detail::LibOf<types::T>(), {}},
#define ZARN_PROP_REF(N, T) Member{#N, Kind::GetPutRef, detail::LibOf<types::T>(), {}},
#define ZARN_PROP_GET(N, T) Member{#N, Kind::GetOnly, detail::LibOf<types::T>(), {}},
#define ZARN_METHOD0(N, R) Member{#N, Kind::Method, detail::LibOf<types::R>(), {}},
#define ZARN_METHOD(N, R, ...) Member{#N, Kind::Method, detail::LibOf<types::R>(), detail::N##_params},
inline constexpr Member kMembers[] = {
    ZARN_MEMBERS(ZARN_PROP, ZARN_PROP_REF, ZARN_PROP_GET, ZARN_METHOD0, ZARN_METHOD, ZARN_METHOD)};
#undef ZARN_PROP
#undef ZARN_PROP_REF
#undef ZARN_PROP_GET
#undef ZARN_METHOD0
#undef ZARN_METHOD
// clang-format on

inline constexpr int kMemberCount = static_cast<int>(std::size(kMembers));

} // namespace zarn::shape

namespace zarn {

// Dispatch identifiers follow the member order from 1, except Enabled,
// which carries the standard DISPID_ENABLED so containers know it.
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

} // namespace zarn
