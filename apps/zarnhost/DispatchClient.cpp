#include "DispatchClient.h"

#include <olectl.h>

#include <cwchar>

namespace zarnhost {

namespace {

std::wstring TakeBstr(BSTR& b) {
    std::wstring s = b ? std::wstring(b, SysStringLen(b)) : std::wstring();
    SysFreeString(b);
    b = nullptr;
    return s;
}

std::wstring TextOf(const VARIANT& v) {
    VARIANT text;
    VariantInit(&text);
    std::wstring s;
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&v), VARIANT_ALPHABOOL, VT_BSTR)))
        s = TakeBstr(V_BSTR(&text));
    VariantClear(&text);
    return s;
}

} // namespace

CallResult DispatchClient::Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params) const {
    CallResult r;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    r.hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(r.hr))
        return r;
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    r.hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &excep, &argErr);
    if (r.hr == DISP_E_EXCEPTION) {
        r.hr = excep.scode;
        r.source = TakeBstr(excep.bstrSource);
        r.description = TakeBstr(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
    r.type = V_VT(&result);
    r.text = TextOf(result);
    VariantClear(&result);
    return r;
}

CallResult DispatchClient::Get(const wchar_t* name) const {
    DISPPARAMS none{};
    return Invoke(name, DISPATCH_PROPERTYGET, none);
}

CallResult DispatchClient::Put(const wchar_t* name, const VARIANT& value) const {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{const_cast<VARIANT*>(&value), &named, 1, 1};
    return Invoke(name, DISPATCH_PROPERTYPUT, params);
}

CallResult DispatchClient::Put(const wchar_t* name, const wchar_t* text) const {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    CallResult r = Put(name, v);
    VariantClear(&v);
    return r;
}

CallResult DispatchClient::Put(const wchar_t* name, long number) const {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = number;
    return Put(name, v);
}

std::wstring Describe(const CallResult& r) {
    if (!r.ok()) {
        const long number = HRESULT_FACILITY(r.hr) == FACILITY_CONTROL ? HRESULT_CODE(r.hr) : r.hr;
        return L"error " + std::to_wstring(number) + L" from " + r.source + L": " + r.description;
    }
    if (r.type == VT_UI4) { // colours (OLE_COLOR) read best in hexadecimal
        wchar_t hex[16];
        swprintf(hex, 16, L"&H%lX", std::stoul(r.text));
        return std::wstring(hex) + L" (Colour)";
    }
    static const wchar_t* const names[] = {L"Empty",  L"Null",   L"Integer",  L"Long",
                                           L"Single", L"Double", L"Currency", L"Date",
                                           L"String", L"Object", L"Error",    L"Boolean"};
    const std::wstring type = r.type < std::size(names) ? names[r.type] : L"VT " + std::to_wstring(r.type);
    return r.type == VT_EMPTY ? L"(done)" : r.text + L" (" + type + L")";
}

} // namespace zarnhost
