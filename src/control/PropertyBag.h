#pragma once
// The host's property bag as the control uses it: named values with a
// default given in each direction.
#include "platform/Variant.h"

#include <string_view>

namespace zarn {

class PropertyBag {
public:
    virtual ~PropertyBag() = default;

    // The value stored under key, or defaultValue when the bag holds none.
    virtual Variant ReadProperty(std::wstring_view key, const Variant& defaultValue) = 0;

    // Stores value under key; a host may leave out a value equal to its
    // default, since reading gives the default back.
    virtual void WriteProperty(std::wstring_view key, const Variant& value, const Variant& defaultValue) = 0;
};

} // namespace zarn
