#pragma once
// The small service interface through which the control reaches its host.
// The COM object implements it on top of the client site and the
// connection points; tests implement it with fakes.
#include <string_view>

namespace zarn {

class ControlHost {
public:
    virtual ~ControlHost() = default;

    // The property stored under this property-bag key has changed.
    virtual void PropertyChanged(std::wstring_view key) = 0;

    // Ambient UserMode: True while the host runs the program, and when
    // there is no host to ask.
    virtual bool UserMode() = 0;
};

} // namespace zarn
