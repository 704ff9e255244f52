#pragma once
// Late-bound access to an automation object by member name, the way a
// script host sees it: errors come back as the exception text it reports.
#include <oaidl.h>
#include <wrl/client.h>

#include <string>

namespace zarnhost {

struct CallResult {
    HRESULT hr = S_OK;
    std::wstring source;
    std::wstring description;
    std::wstring text; // the result's text form, for printing
    VARTYPE type = VT_EMPTY;
    bool ok() const { return SUCCEEDED(hr); }
};

class DispatchClient {
public:
    explicit DispatchClient(Microsoft::WRL::ComPtr<IDispatch> object) : object_(std::move(object)) {}

    CallResult Get(const wchar_t* name) const;
    CallResult Put(const wchar_t* name, const VARIANT& value) const;
    CallResult Put(const wchar_t* name, const wchar_t* text) const;
    CallResult Put(const wchar_t* name, long number) const;

private:
    CallResult Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params) const;
    Microsoft::WRL::ComPtr<IDispatch> object_;
};

// "text (VT n)" or "error 382 from piloCal_Ctl:_PValue: Set not ..."
std::wstring Describe(const CallResult& r);

} // namespace zarnhost
