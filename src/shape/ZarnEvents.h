#pragma once
// The events of __Zarn in the order of their dispatch identifiers, 1 to 17.
// Every parameter goes by reference, so that what a host's handler writes
// into it comes back to the control.
#include "shape/ZarnTypes.h"

#include <span>
#include <string_view>

namespace zarn::shape {

struct Event {
    const char* name;
    std::span<const Param> params;
};

namespace params {
template <class T> constexpr Param Of(const char* name) {
    return {name, types::Tag<T>::lib, true};
}
using types::Bool, types::Integer, types::Long, types::Object, types::Single, types::String;
inline constexpr Param Mouse[] = {Of<Integer>("Button"), Of<Integer>("Shift"), Of<Single>("X"),
                                  Of<Single>("Y")};
inline constexpr Param Key[] = {Of<Integer>("KeyCode"), Of<Integer>("Shift")};
inline constexpr Param KeyPress[] = {Of<Integer>("KeyAscii")};
inline constexpr Param CalendarChoose[] = {Of<String>("Text")};
inline constexpr Param OLECompleteDrag[] = {Of<Long>("Effect")};
inline constexpr Param OLEDragDrop[] = {Of<Object>("Data"),   Of<Long>("Effect"), Of<Integer>("Button"),
                                        Of<Integer>("Shift"), Of<Single>("X"),    Of<Single>("Y")};
inline constexpr Param OLEDragOver[] = {Of<Object>("Data"),   Of<Long>("Effect"), Of<Integer>("Button"),
                                        Of<Integer>("Shift"), Of<Single>("X"),    Of<Single>("Y"),
                                        Of<Integer>("State")};
inline constexpr Param OLEGiveFeedback[] = {Of<Long>("Effect"), Of<Bool>("DefaultCursors")};
inline constexpr Param OLESetData[] = {Of<Object>("Data"), Of<Integer>("DataFormat")};
inline constexpr Param OLEStartDrag[] = {Of<Object>("Data"), Of<Long>("AllowedEffects")};
} // namespace params

inline constexpr Event kEvents[] = {
    {"Click", {}},
    {"MouseOver", {}},
    {"MouseOut", params::Mouse},
    {"MouseUp", params::Mouse},
    {"KeyDown", params::Key},
    {"KeyPress", params::KeyPress},
    {"KeyUp", params::Key},
    {"MouseDown", params::Mouse},
    {"MouseMove", params::Mouse},
    {"Change", {}},
    {"CalendarChoose", params::CalendarChoose},
    {"OLECompleteDrag", params::OLECompleteDrag},
    {"OLEDragDrop", params::OLEDragDrop},
    {"OLEDragOver", params::OLEDragOver},
    {"OLEGiveFeedback", params::OLEGiveFeedback},
    {"OLESetData", params::OLESetData},
    {"OLEStartDrag", params::OLEStartDrag},
};

inline constexpr int kEventCount = static_cast<int>(std::size(kEvents));

// The dispatch identifier of an event: its place in the table from 1, or 0
// when there is no such event.
constexpr DISPID EventId(std::string_view name) {
    for (int i = 0; i < kEventCount; ++i)
        if (name == kEvents[i].name)
            return i + 1;
    return 0;
}

} // namespace zarn::shape
