#pragma once
#include <unknwn.h>

namespace zarn {

// The class object of Zarn, handed out by DllGetClassObject.
HRESULT GetZarnClassObject(REFIID iid, void** object);

} // namespace zarn
