#pragma once
// The events the control raises to its host. An event is raised by its
// published name, and its arguments are checked against the event table
// when the control is compiled: a name, a count or a type that differs
// from the type library does not build.
#include "control/ControlHost.h"
#include "shape/ZarnEvents.h"

#include <string>
#include <type_traits>
#include <utility>

namespace zarn::events {

// The C++ type an argument of each type has while it is raised.
template <VARTYPE vt> struct Arg;
template <> struct Arg<VT_I2> {
    using type = short;
    static constexpr EventArg::Type kind = EventArg::Type::Integer;
};
template <> struct Arg<VT_I4> {
    using type = long;
    static constexpr EventArg::Type kind = EventArg::Type::Long;
};
template <> struct Arg<VT_R4> {
    using type = float;
    static constexpr EventArg::Type kind = EventArg::Type::Single;
};
template <> struct Arg<VT_BOOL> {
    using type = VARIANT_BOOL;
    static constexpr EventArg::Type kind = EventArg::Type::Bool;
};
template <> struct Arg<VT_BSTR> {
    using type = std::wstring;
    static constexpr EventArg::Type kind = EventArg::Type::String;
};
template <> struct Arg<VT_DISPATCH> {
    using type = IDispatch*;
    static constexpr EventArg::Type kind = EventArg::Type::Object;
};

// Argument i of the event with this dispatch identifier.
template <DISPID id, size_t i> using ArgOf = Arg<shape::kEvents[id - 1].params[i].type.vt>;

} // namespace zarn::events

class ZarnEvents {
public:
    explicit ZarnEvents(zarn::ControlHost& host) : host_(host) {}

    // Raises the event to every connected handler; what the handlers write
    // into the arguments is in them when this returns. False when a handler
    // closed the control: whatever the caller meant to do next is dropped.
    template <zarn::types::Name name, class... Args> bool Raise(Args&... args) {
        constexpr DISPID id = zarn::shape::EventId(name.text);
        static_assert(id > 0, "no such event");
        static_assert(zarn::shape::kEvents[id - 1].params.size() == sizeof...(Args),
                      "the event has another number of arguments");
        return RaiseChecked<id>(std::index_sequence_for<Args...>{}, args...);
    }

private:
    template <DISPID id, size_t... i, class... Args>
    bool RaiseChecked(std::index_sequence<i...>, Args&... args) {
        static_assert((std::is_same_v<Args, typename zarn::events::ArgOf<id, i>::type> && ...),
                      "an argument's type differs from the event's");
        if constexpr (sizeof...(Args) == 0) {
            return host_.RaiseEvent(id, {});
        } else {
            zarn::EventArg list[] = {zarn::EventArg{zarn::events::ArgOf<id, i>::kind, &args}...};
            return host_.RaiseEvent(id, list);
        }
    }

    zarn::ControlHost& host_;
};
