#pragma once
// The check every IDispatch::Invoke of _Zarn passes before any of it runs:
// the call must name a member of the published table, in a way that member
// can be called, with its number of arguments, named as it names them, and
// of types a VARIANT may carry. Only a call that passes reaches the type
// library's Invoke, which then cannot be led past the end of an argument
// array, into a null reference or onto the default member of a null object.
#include <windows.h>
#include <oleauto.h>

namespace zarn {

struct CheckedCall {
    HRESULT hr;  // S_OK, or the error the caller gets
    WORD flags;  // the one kind of call to make: method, get, put or putref
};

CheckedCall CheckDispatchCall(DISPID id, WORD flags, const DISPPARAMS* params);

// A name look-up needs its two arrays and every name in them.
HRESULT CheckNames(const LPOLESTR* names, UINT count, const DISPID* ids);

} // namespace zarn
