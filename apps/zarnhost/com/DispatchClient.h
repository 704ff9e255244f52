#pragma once
// Late-bound calls by member name, the way a script host makes them; an
// error comes back with the text such a host reports.
#include "com/Variant.h"

#include <oaidl.h>

#include <string>
#include <vector>

namespace zarnhost {

struct CallResult {
    HRESULT hr = S_OK;
    std::wstring error; // for a failure: "error 382 from source: description"
    Variant value;
    bool ok() const { return SUCCEEDED(hr); }
};

CallResult GetProperty(IDispatch* object, const std::wstring& name);
CallResult PutProperty(IDispatch* object, const std::wstring& name, const VARIANT& value);
CallResult CallMethod(IDispatch* object, const std::wstring& name, std::vector<Variant> args);

} // namespace zarnhost
