#pragma once
// Writing through a by-reference argument, as an event handler does when it
// changes KeyCode or Effect for the control to see.
#include <oaidl.h>

namespace zarnhost {

// Converts value to the referenced type and stores it there.
HRESULT AssignThroughReference(const VARIANT& target, const VARIANT& value);

} // namespace zarnhost
