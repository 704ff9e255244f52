#include "com/DispatchClient.h"

#include "com/ErrorText.h"
#include "com/HResultText.h"

#include <olectl.h>

namespace zarnhost {

namespace {

// A control's run-time error reads as its number, as a script host shows
// it (error 382); other failures by their HRESULT.
std::wstring ErrorNumber(HRESULT hr) {
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL)
        return L"error " + std::to_wstring(HRESULT_CODE(hr));
    return HResultText(hr);
}

CallResult Invoke(IDispatch* object, const std::wstring& name, WORD flags, DISPPARAMS& params) {
    CallResult r;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    r.hr = object ? object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) : E_POINTER;
    if (FAILED(r.hr)) {
        r.error = L"no member " + name + L": " + HResultText(r.hr);
        return r;
    }
    EXCEPINFO excep{};
    UINT argErr = 0;
    SetErrorInfo(0, nullptr);
    r.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, r.value.Put(), &excep, &argErr);
    if (r.hr == DISP_E_EXCEPTION) {
        if (excep.pfnDeferredFillIn)
            excep.pfnDeferredFillIn(&excep);
        r.hr = excep.scode ? excep.scode : E_FAIL;
        const std::wstring source = TakeBstr(excep.bstrSource);
        const std::wstring description = TakeBstr(excep.bstrDescription);
        r.error = ErrorNumber(r.hr) + (source.empty() ? L"" : L" from " + source) +
                  (description.empty() ? L"" : L": " + description);
        SysFreeString(excep.bstrHelpFile);
    } else if (FAILED(r.hr)) {
        const std::wstring text = TakeErrorText();
        r.error = ErrorNumber(r.hr) + (text.empty() ? L"" : L": " + text);
    }
    return r;
}

} // namespace

CallResult GetProperty(IDispatch* object, const std::wstring& name) {
    DISPPARAMS none{};
    return Invoke(object, name, DISPATCH_PROPERTYGET, none);
}

CallResult PutProperty(IDispatch* object, const std::wstring& name, const VARIANT& value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{const_cast<VARIANT*>(&value), &named, 1, 1};
    return Invoke(object, name, DISPATCH_PROPERTYPUT, params);
}

// Arguments go last first, as IDispatch wants them.
CallResult CallMethod(IDispatch* object, const std::wstring& name, std::vector<Variant> args) {
    std::vector<VARIANT> reversed;
    for (auto a = args.rbegin(); a != args.rend(); ++a)
        reversed.push_back(a->Get());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    return Invoke(object, name, DISPATCH_METHOD, params);
}

} // namespace zarnhost
