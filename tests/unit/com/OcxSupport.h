#pragma once
// Helpers for the tests that drive the built Zarn2.ocx the way a client
// does: the module loaded from next to the test program, its class object,
// VARIANTs as comparable text, IDispatch calls with their out-parameters and
// connections to the control's outgoing interfaces. The container's side,
// fakes and the form, is in ContainerFakes.h.
#include "TestSupport.h"
#include "activex/ZarnInterface.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::test {

using Microsoft::WRL::ComPtr;

// The published identities, written out so that a change to them shows here.
// {B95CA92B-1DF7-422F-82D7-28CE99C019D1}
inline constexpr CLSID kClsidZarn = {
    0xb95ca92b, 0x1df7, 0x422f, {0x82, 0xd7, 0x28, 0xce, 0x99, 0xc0, 0x19, 0xd1}};
// {2BAD2477-59FF-453B-992F-B5FF5DB934DD}
inline constexpr IID kIidZarn = {
    0x2bad2477, 0x59ff, 0x453b, {0x99, 0x2f, 0xb5, 0xff, 0x5d, 0xb9, 0x34, 0xdd}};
// {09ECF381-492B-4820-B97A-4C6322F2A295}
inline constexpr IID kDiidZarnEvents = {
    0x09ecf381, 0x492b, 0x4820, {0xb9, 0x7a, 0x4c, 0x63, 0x22, 0xf2, 0xa2, 0x95}};

// Dispatch identifiers: the member's position in _Zarn counted from 1,
// Enabled the standard one.
namespace id {
enum : DISPID {
    Enabled = DISPID_ENABLED, // -514, position 6
    BorderColor = 11,
    BgColor = 12,
    ButtonBgColor = 13,
    CalendarFirstDayOfWeek = 25,
    HoverColor = 32,
    FontName = 36,
    TextMaxLength = 40,
    Text_Enabled = 41,
    Text_Locked = 42,
    GridLine = 70,
    WeekSignPicture = 78,
    AllowNull = 82,
    Seperator = 83,
    PlaceHolder = 84,
    MaxDate = 85,
    MinDate = 86,
    PValue = 87,
    mousePointer = 90,
    MouseIcon = 91,
};
} // namespace id

// FACILITY_CONTROL HRESULTs of the run-time errors the control reports.
inline constexpr HRESULT kErrOverflow = static_cast<HRESULT>(0x800A0006);
inline constexpr HRESULT kErrSetNotSupportedAtRuntime = static_cast<HRESULT>(0x800A017E);

// ---------------------------------------------------------------------------
// The module

class Ocx {
public:
    // The module, loaded on first use and kept for the process.
    static Ocx& Get() {
        static Ocx ocx;
        return ocx;
    }

    static std::wstring Path() {
        wchar_t exe[MAX_PATH];
        const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring path(exe, n);
        return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Zarn2.ocx";
    }

    HMODULE Module() const { return module_; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
        return getClassObject_(clsid, iid, object);
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }

    ComPtr<IClassFactory> Factory() const {
        ComPtr<IClassFactory> factory;
        const HRESULT hr =
            GetClassObject(kClsidZarn, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf()));
        EXPECT_EQ(hr, S_OK);
        return factory;
    }

    // A new control object, as a script's CreateObject would get it.
    ComPtr<IDispatch> Create() const {
        ComPtr<IDispatch> object;
        const ComPtr<IClassFactory> factory = Factory();
        if (!factory)
            return object;
        EXPECT_EQ(
            factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(object.GetAddressOf())),
            S_OK);
        return object;
    }

    // Unloads the module and loads it again; false when it would not go.
    bool Reload() {
        if (!FreeLibrary(module_))
            return false;
        if (GetModuleHandleW(Path().c_str()))
            return false;
        Load();
        return module_ != nullptr;
    }

private:
    Ocx() { Load(); }

    void Load() {
        module_ = LoadLibraryW(Path().c_str());
        if (!module_) {
            ADD_FAILURE() << "cannot load Zarn2.ocx next to the test program, error " << GetLastError();
            return;
        }
        getClassObject_ = reinterpret_cast<decltype(getClassObject_)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        canUnloadNow_ = reinterpret_cast<decltype(canUnloadNow_)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
        if (!getClassObject_ || !canUnloadNow_)
            ADD_FAILURE() << "Zarn2.ocx lacks its entry points";
    }

    HMODULE module_ = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
};

// The object's reference count, read by an AddRef/Release pair.
inline ULONG RefCount(IUnknown* unknown) {
    unknown->AddRef();
    return unknown->Release();
}

// ---------------------------------------------------------------------------
// VARIANTs

// An owned VARIANT.
struct Var : VARIANT {
    Var() { VariantInit(this); }
    Var(const wchar_t* text) : Var() { SetText(text); }
    Var(const std::wstring& text) : Var() {
        V_VT(this) = VT_BSTR;
        V_BSTR(this) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    Var(long value) : Var() {
        V_VT(this) = VT_I4;
        V_I4(this) = value;
    }
    Var(int value) : Var(static_cast<long>(value)) {}
    Var(const Var& other) : Var() { VariantCopy(this, const_cast<Var*>(&other)); }
    Var& operator=(const Var& other) {
        if (this != &other)
            VariantCopy(this, const_cast<Var*>(&other));
        return *this;
    }
    ~Var() { VariantClear(this); }

    static Var Bool(bool value) {
        Var v;
        V_VT(&v) = VT_BOOL;
        V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    static Var Of(VARTYPE type) {
        Var v;
        V_VT(&v) = type;
        return v;
    }
    static Var Null() { return Of(VT_NULL); }
    static Var Error(SCODE code) {
        Var v = Of(VT_ERROR);
        V_ERROR(&v) = code;
        return v;
    }
    static Var Double(double value) {
        Var v = Of(VT_R8);
        V_R8(&v) = value;
        return v;
    }
    static Var Date(double value) {
        Var v = Of(VT_DATE);
        V_DATE(&v) = value;
        return v;
    }
    static Var Object(IDispatch* object) {
        Var v = Of(VT_DISPATCH);
        V_DISPATCH(&v) = object;
        if (object)
            object->AddRef();
        return v;
    }

private:
    void SetText(const wchar_t* text) {
        V_VT(this) = VT_BSTR;
        V_BSTR(this) = SysAllocString(text);
    }
};

// Text as ASCII ('?' for anything else) and back: the texts compared are
// keys, numbers and dates.
inline std::string Narrow(std::wstring_view text) {
    std::string s;
    for (wchar_t c : text)
        s += c < 128 ? static_cast<char>(c) : '?';
    return s;
}
inline std::wstring Widen(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

// "VT_I4 20240229", "VT_R4 10", "VT_CY 11", "VT_DISPATCH null": a value and
// its type in one comparable text, for every type a property or a saved
// entry can have.
inline std::string Text(const VARIANT& v) {
    char buffer[96];
    switch (V_VT(&v)) {
    case VT_EMPTY:
        return "VT_EMPTY";
    case VT_NULL:
        return "VT_NULL";
    case VT_BOOL:
        return V_BOOL(&v) == VARIANT_TRUE ? "VT_BOOL True" : (V_BOOL(&v) ? "VT_BOOL odd" : "VT_BOOL False");
    case VT_I2:
        snprintf(buffer, sizeof buffer, "VT_I2 %d", V_I2(&v));
        return buffer;
    case VT_I4:
        snprintf(buffer, sizeof buffer, "VT_I4 %ld", static_cast<long>(V_I4(&v)));
        return buffer;
    case VT_UI4:
        snprintf(buffer, sizeof buffer, "VT_UI4 %lu", static_cast<unsigned long>(V_UI4(&v)));
        return buffer;
    case VT_R4:
        snprintf(buffer, sizeof buffer, "VT_R4 %g", V_R4(&v));
        return buffer;
    case VT_R8:
        snprintf(buffer, sizeof buffer, "VT_R8 %.17g", V_R8(&v));
        return buffer;
    case VT_CY:
        snprintf(buffer, sizeof buffer, "VT_CY %g", static_cast<double>(V_CY(&v).int64) / 10000.0);
        return buffer;
    case VT_BSTR:
        return "VT_BSTR " + Narrow({V_BSTR(&v), SysStringLen(V_BSTR(&v))});
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        const std::string type = V_VT(&v) == VT_DISPATCH ? "VT_DISPATCH" : "VT_UNKNOWN";
        if (!V_UNKNOWN(&v))
            return type + " null";
        ComPtr<IPicture> picture;
        if (SUCCEEDED(V_UNKNOWN(&v)->QueryInterface(IID_IPicture,
                                                    reinterpret_cast<void**>(picture.GetAddressOf())))) {
            SHORT kind = -1;
            OLE_XSIZE_HIMETRIC w = -1;
            OLE_YSIZE_HIMETRIC h = -1;
            picture->get_Type(&kind);
            picture->get_Width(&w);
            picture->get_Height(&h);
            snprintf(buffer, sizeof buffer, " picture type %d, %ld x %ld", kind, static_cast<long>(w),
                     static_cast<long>(h));
            return type + buffer;
        }
        ComPtr<IFont> font;
        if (SUCCEEDED(
                V_UNKNOWN(&v)->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf())))) {
            BSTR name = nullptr;
            CY size{};
            BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
            font->get_Name(&name);
            font->get_Size(&size);
            font->get_Bold(&bold);
            font->get_Italic(&italic);
            font->get_Underline(&underline);
            font->get_Strikethrough(&strike);
            snprintf(buffer, sizeof buffer, " %g%s%s%s%s", static_cast<double>(size.int64) / 10000.0,
                     bold ? " bold" : "", italic ? " italic" : "", underline ? " underline" : "",
                     strike ? " strike" : "");
            const std::string text = type + " font " + Narrow(name ? name : L"") + buffer;
            SysFreeString(name);
            return text;
        }
        return type + " object";
    }
    default:
        snprintf(buffer, sizeof buffer, "vt %u", V_VT(&v));
        return buffer;
    }
}

// Today's local date as yyyymmdd text, the value PValue falls back to.
inline std::wstring TodayText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    swprintf(text, 16, L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

// ---------------------------------------------------------------------------
// IDispatch calls

// One Invoke with its out-parameters, which start as sentinels.
struct DispResult {
    DispResult() = default;
    DispResult(const DispResult&) = delete;
    DispResult& operator=(const DispResult&) = delete;
    DispResult(DispResult&& other) noexcept
        : hr(other.hr), value(other.value), excep(other.excep), argErr(other.argErr) {
        other.excep = EXCEPINFO{};
    }
    ~DispResult() {
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }

    std::wstring Source() const { return excep.bstrSource ? excep.bstrSource : L"(none)"; }
    std::wstring Description() const { return excep.bstrDescription ? excep.bstrDescription : L"(none)"; }

    HRESULT hr = E_UNEXPECTED;
    Var value;
    EXCEPINFO excep{};
    UINT argErr = 0xdeadbeef;
};

// args in the caller's order; Invoke wants them last first.
inline DispResult Invoke(IDispatch* object, DISPID member, WORD flags, std::vector<Var> args,
                         bool namedPut = true) {
    DispResult r;
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.cArgs = static_cast<UINT>(reversed.size());
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    if (namedPut && (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &put;
    }
    const bool wantsResult = (flags & DISPATCH_PROPERTYGET) || (flags & DISPATCH_METHOD);
    r.hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                          wantsResult ? &r.value : nullptr, &r.excep, &r.argErr);
    if (r.excep.pfnDeferredFillIn)
        r.excep.pfnDeferredFillIn(&r.excep);
    return r;
}

inline DispResult PropGet(IDispatch* object, DISPID member) {
    return Invoke(object, member, DISPATCH_PROPERTYGET, {});
}
inline DispResult PropPut(IDispatch* object, DISPID member, const Var& value) {
    return Invoke(object, member, DISPATCH_PROPERTYPUT, {value});
}
inline DispResult PropPutRef(IDispatch* object, DISPID member, const Var& value) {
    return Invoke(object, member, DISPATCH_PROPERTYPUTREF, {value});
}

// A property read as text ("VT_BSTR 20240229"), "failed 0x..." when it fails.
inline std::wstring Read(IDispatch* object, DISPID member) {
    const DispResult r = PropGet(object, member);
    if (FAILED(r.hr)) {
        wchar_t text[32];
        swprintf(text, 32, L"failed 0x%08lx", static_cast<unsigned long>(r.hr));
        return text;
    }
    return Widen(Text(r.value));
}

// A member's DISPID by name, or the HRESULT of the failed look-up.
inline DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 12345;
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return hr == S_OK ? id : static_cast<DISPID>(hr);
}

// A number property; the colours come back as VT_UI4, the rest as VT_I4.
inline long ReadLong(IDispatch* object, DISPID member) {
    const DispResult r = PropGet(object, member);
    EXPECT_EQ(r.hr, S_OK) << "reading dispid " << member;
    Var number;
    if (FAILED(VariantChangeType(&number, const_cast<Var*>(&r.value), 0, VT_I4))) {
        ADD_FAILURE() << "dispid " << member << " is not a number";
        return -1;
    }
    return V_I4(&number);
}

// A new object past its first use: the thread's shared settings then hold
// the values of a control placed anew.
inline ComPtr<IDispatch> NewControl() {
    ComPtr<IDispatch> object = Ocx::Get().Create();
    if (object) {
        EXPECT_EQ(PropGet(object.Get(), id::PValue).hr, S_OK);
    }
    return object;
}

// The values that bad input must leave alone, in one comparable text.
inline std::wstring ValueState(IDispatch* object) {
    return L"PValue=" + Read(object, id::PValue) + L" MinDate=" + Read(object, id::MinDate) + L" MaxDate=" +
           Read(object, id::MaxDate);
}

// Connects a sink to one of the object's connection points for a scope.
class Connection {
public:
    Connection(IUnknown* object, REFIID iid, IUnknown* sink) {
        ComPtr<IConnectionPointContainer> container;
        EXPECT_EQ(object->QueryInterface(IID_IConnectionPointContainer,
                                         reinterpret_cast<void**>(container.GetAddressOf())),
                  S_OK);
        if (!container)
            return;
        EXPECT_EQ(container->FindConnectionPoint(iid, point_.GetAddressOf()), S_OK);
        if (point_) {
            EXPECT_EQ(point_->Advise(sink, &cookie_), S_OK);
        }
    }
    ~Connection() {
        if (point_ && cookie_) {
            EXPECT_EQ(point_->Unadvise(cookie_), S_OK);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// gtest prints wide strings; DISPID lists print as numbers.
inline std::vector<DISPID> Ids(std::initializer_list<DISPID> ids) {
    return ids;
}

} // namespace zarn::test
