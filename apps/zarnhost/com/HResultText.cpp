#include "com/HResultText.h"

#include <olectl.h>

#include <cwchar>
#include <iterator>

namespace zarnhost {

namespace {

struct Known {
    HRESULT hr;
    const wchar_t* name;
};

// The results a container meets when it talks to controls; system message
// texts are not used because they differ between Windows versions.
constexpr Known kKnown[] = {
    {S_OK, L"S_OK"},
    {S_FALSE, L"S_FALSE"},
    {E_NOTIMPL, L"E_NOTIMPL"},
    {E_NOINTERFACE, L"E_NOINTERFACE"},
    {E_POINTER, L"E_POINTER"},
    {E_FAIL, L"E_FAIL"},
    {E_UNEXPECTED, L"E_UNEXPECTED"},
    {E_INVALIDARG, L"E_INVALIDARG"},
    {E_OUTOFMEMORY, L"E_OUTOFMEMORY"},
    {E_ACCESSDENIED, L"E_ACCESSDENIED"},
    {DISP_E_MEMBERNOTFOUND, L"DISP_E_MEMBERNOTFOUND"},
    {DISP_E_UNKNOWNNAME, L"DISP_E_UNKNOWNNAME"},
    {DISP_E_TYPEMISMATCH, L"DISP_E_TYPEMISMATCH"},
    {DISP_E_BADPARAMCOUNT, L"DISP_E_BADPARAMCOUNT"},
    {DISP_E_PARAMNOTOPTIONAL, L"DISP_E_PARAMNOTOPTIONAL"},
    {DISP_E_OVERFLOW, L"DISP_E_OVERFLOW"},
    {DISP_E_BADVARTYPE, L"DISP_E_BADVARTYPE"},
    {DISP_E_EXCEPTION, L"DISP_E_EXCEPTION"},
    {CONNECT_E_NOCONNECTION, L"CONNECT_E_NOCONNECTION"},
    {CONNECT_E_CANNOTCONNECT, L"CONNECT_E_CANNOTCONNECT"},
    {OLE_E_NOCONNECTION, L"OLE_E_NOCONNECTION"},
    {OLE_E_NOT_INPLACEACTIVE, L"OLE_E_NOT_INPLACEACTIVE"},
    {OLEOBJ_S_INVALIDVERB, L"OLEOBJ_S_INVALIDVERB"},
    {OLEOBJ_E_NOVERBS, L"OLEOBJ_E_NOVERBS"},
    {REGDB_E_CLASSNOTREG, L"REGDB_E_CLASSNOTREG"},
    {CO_E_CLASSSTRING, L"CO_E_CLASSSTRING"},
    {STG_E_FILENOTFOUND, L"STG_E_FILENOTFOUND"},
    {CTL_E_INVALIDPROPERTYVALUE, L"CTL_E_INVALIDPROPERTYVALUE"},
};

} // namespace

std::wstring HResultText(HRESULT hr) {
    wchar_t number[16];
    swprintf(number, std::size(number), L"0x%08lX", static_cast<unsigned long>(hr));
    for (const Known& k : kKnown)
        if (k.hr == hr)
            return std::wstring(k.name) + L" (" + number + L")";
    // A control's run-time error, as a script host numbers it.
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL)
        return L"error " + std::to_wstring(HRESULT_CODE(hr)) + L" (" + number + L")";
    return number;
}

} // namespace zarnhost
