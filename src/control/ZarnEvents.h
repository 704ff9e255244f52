#pragma once
// The events the control raises to its host, one member function each,
// generated from the published event list so names, order and argument
// types cannot differ from the type library.
#include "host/ControlHost.h"
#include "host/com/ZarnMembers.h"

#include <string>

namespace zarn::events {

template <class T> struct Ref;
template <> struct Ref<struct Integer> {
    using type = short;
    static constexpr EventArg::Type kind = EventArg::Type::Integer;
};
template <> struct Ref<struct Long> {
    using type = long;
    static constexpr EventArg::Type kind = EventArg::Type::Long;
};
template <> struct Ref<struct Single> {
    using type = float;
    static constexpr EventArg::Type kind = EventArg::Type::Single;
};
template <> struct Ref<struct Bool> {
    using type = VARIANT_BOOL;
    static constexpr EventArg::Type kind = EventArg::Type::Bool;
};
template <> struct Ref<struct String> {
    using type = std::wstring;
    static constexpr EventArg::Type kind = EventArg::Type::String;
};
template <> struct Ref<struct Object> {
    using type = IDispatch*;
    static constexpr EventArg::Type kind = EventArg::Type::Object;
};

namespace id {
enum : DISPID {
    kNone = 0,
#define ZARN_EVENT_ID(Name, ...) Name,
    ZARN_EVENTS(ZARN_EVENT_ID, ZARN_EVENT_ID, ZARN_EVENT_ID, ZARN_EVENT_ID, ZARN_EVENT_ID, ZARN_EVENT_ID)
#undef ZARN_EVENT_ID
};
} // namespace id

} // namespace zarn::events

class ZarnEvents {
public:
    explicit ZarnEvents(zarn::ControlHost& host) : host_(host) {}

#define ZARN_P(T, A) typename zarn::events::Ref<zarn::events::T>::type& A
#define ZARN_EA(T, A)                                                                                        \
    zarn::EventArg {                                                                                         \
        zarn::events::Ref<zarn::events::T>::kind, &A                                                         \
    }
#define ZARN_RAISE(Name, ...)                                                                                \
    zarn::EventArg args[] = {__VA_ARGS__};                                                                   \
    host_.RaiseEvent(zarn::events::id::Name, args);
#define ZARN_EVENT0(Name)                                                                                    \
    void Name() {                                                                                            \
        host_.RaiseEvent(zarn::events::id::Name, {});                                                        \
    }
#define ZARN_EVENT1(Name, T1, A1)                                                                            \
    void Name(ZARN_P(T1, A1)) {                                                                              \
        ZARN_RAISE(Name, ZARN_EA(T1, A1))                                                                    \
    }
#define ZARN_EVENT2(Name, T1, A1, T2, A2)                                                                    \
    void Name(ZARN_P(T1, A1), ZARN_P(T2, A2)) {                                                              \
        ZARN_RAISE(Name, ZARN_EA(T1, A1), ZARN_EA(T2, A2))                                                   \
    }
#define ZARN_EVENT4(Name, T1, A1, T2, A2, T3, A3, T4, A4)                                                    \
    void Name(ZARN_P(T1, A1), ZARN_P(T2, A2), ZARN_P(T3, A3), ZARN_P(T4, A4)) {                              \
        ZARN_RAISE(Name, ZARN_EA(T1, A1), ZARN_EA(T2, A2), ZARN_EA(T3, A3), ZARN_EA(T4, A4))                 \
    }
#define ZARN_EVENT6(Name, T1, A1, T2, A2, T3, A3, T4, A4, T5, A5, T6, A6)                                    \
    void Name(ZARN_P(T1, A1), ZARN_P(T2, A2), ZARN_P(T3, A3), ZARN_P(T4, A4), ZARN_P(T5, A5),                \
              ZARN_P(T6, A6)) {                                                                              \
        ZARN_RAISE(Name, ZARN_EA(T1, A1), ZARN_EA(T2, A2), ZARN_EA(T3, A3), ZARN_EA(T4, A4),                 \
                   ZARN_EA(T5, A5), ZARN_EA(T6, A6))                                                         \
    }
#define ZARN_EVENT7(Name, T1, A1, T2, A2, T3, A3, T4, A4, T5, A5, T6, A6, T7, A7)                            \
    void Name(ZARN_P(T1, A1), ZARN_P(T2, A2), ZARN_P(T3, A3), ZARN_P(T4, A4), ZARN_P(T5, A5),                \
              ZARN_P(T6, A6), ZARN_P(T7, A7)) {                                                              \
        ZARN_RAISE(Name, ZARN_EA(T1, A1), ZARN_EA(T2, A2), ZARN_EA(T3, A3), ZARN_EA(T4, A4),                 \
                   ZARN_EA(T5, A5), ZARN_EA(T6, A6), ZARN_EA(T7, A7))                                        \
    }
    ZARN_EVENTS(ZARN_EVENT0, ZARN_EVENT1, ZARN_EVENT2, ZARN_EVENT4, ZARN_EVENT6, ZARN_EVENT7)
#undef ZARN_P
#undef ZARN_EA
#undef ZARN_RAISE
#undef ZARN_EVENT0
#undef ZARN_EVENT1
#undef ZARN_EVENT2
#undef ZARN_EVENT4
#undef ZARN_EVENT6
#undef ZARN_EVENT7

private:
    zarn::ControlHost& host_;
};
