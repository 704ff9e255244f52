#pragma once
// Raising one event to the connected handlers through IDispatch::Invoke,
// every argument by reference.
#include "control/ControlHost.h"

#include <wrl/client.h>

#include <span>
#include <vector>

namespace zarn {

// Handlers run one after the other; each sees what the previous one wrote
// into the arguments, and the caller sees what the last one left.
void InvokeEvent(const std::vector<Microsoft::WRL::ComPtr<IDispatch>>& sinks, DISPID id,
                 std::span<EventArg> args);

} // namespace zarn
