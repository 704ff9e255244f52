#pragma once
// Helpers for the tests that drive the built Zarn2.ocx the way a client
// does: the module loaded from next to the test program, its class object,
// VARIANTs as comparable text, IDispatch calls with their out-parameters and
// connections to the control's outgoing interfaces. The container's side,
// fakes and the form, is in ContainerFakes.h.
#include "TestSupport.h"
#include "activex/ZarnInterface.h"

#include <gtest/gtest.h>

#include <ocidl.h>
#include <oleauto.h>

#include <cstring>
#include <initializer_list>
#include <string>
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

// Dispatch identifiers: the member's position in _Zarn counted from 1.
namespace id {
enum : DISPID {
    BorderColor = 11,
    BgColor = 12,
    ButtonBgColor = 13,
    HoverColor = 32,
    FontName = 36,
    WeekSignPicture = 78,
    Seperator = 83,
    PlaceHolder = 84,
    MaxDate = 85,
    MinDate = 86,
    PValue = 87,
    MouseIcon = 91,
};
} // namespace id

// FACILITY_CONTROL HRESULTs of the run-time errors the control reports.
inline constexpr HRESULT kErrSetNotSupportedAtRuntime = static_cast<HRESULT>(0x800A017E);

// Zarn2.ocx, loaded on first use and kept for the process.
class Ocx {
public:
    static Ocx& Get();

    HMODULE Module() const { return module_; }
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
        return getClassObject_(clsid, iid, object);
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }
    ComPtr<IClassFactory> Factory() const;
    // A new control object, as a script's CreateObject would get it.
    ComPtr<IDispatch> Create() const;
    // Unloads the module and loads it again; false when it would not go.
    bool Reload();

private:
    Ocx() { Load(); }
    void Load();

    HMODULE module_ = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
};

// The object's reference count, read by an AddRef/Release pair.
ULONG RefCount(IUnknown* unknown);

// An owned VARIANT.
struct Var : VARIANT {
    Var() { VariantInit(this); }
    Var(const wchar_t* text) : Var(std::wstring(text)) {}
    Var(const std::wstring& text);
    Var(long value) : Var(Of(VT_I4)) { V_I4(this) = value; }
    Var(int value) : Var(static_cast<long>(value)) {}
    // A type no VARIANT has owns nothing and is copied bit for bit.
    Var(const Var& other) : Var() {
        if (FAILED(VariantCopy(this, const_cast<Var*>(&other))))
            std::memcpy(static_cast<VARIANT*>(this), static_cast<const VARIANT*>(&other), sizeof(VARIANT));
    }
    Var& operator=(const Var& other);
    ~Var() { VariantClear(this); }

    static Var Of(VARTYPE type);
    // A value of the type, its bits at the start of the VARIANT's union
    // where every member starts.
    template <class T> static Var Raw(VARTYPE type, T value) {
        Var v = Of(type);
        std::memcpy(&V_I8(&v), &value, sizeof value);
        return v;
    }
    static Var Bool(bool value) { return Raw(VT_BOOL, value ? VARIANT_TRUE : VARIANT_FALSE); }
    static Var Null() { return Of(VT_NULL); }
    static Var Error(SCODE code) { return Raw(VT_ERROR, code); }
    static Var Double(double value) { return Raw(VT_R8, value); }
    static Var Date(double value) { return Raw(VT_DATE, value); }
    static Var Object(IDispatch* object);
};

// Today's local date as yyyymmdd text, the value PValue falls back to.
std::wstring TodayText();

// One Invoke with its out-parameters, which start as sentinels.
struct DispResult {
    DispResult() = default;
    DispResult(DispResult&& other) noexcept;
    DispResult& operator=(const DispResult&) = delete;
    ~DispResult();

    std::wstring Source() const { return excep.bstrSource ? excep.bstrSource : L"(none)"; }
    std::wstring Description() const { return excep.bstrDescription ? excep.bstrDescription : L"(none)"; }

    HRESULT hr = E_UNEXPECTED;
    Var value;
    EXCEPINFO excep{};
    UINT argErr = 0xdeadbeef;
};

// args in the caller's order; Invoke wants them last first.
DispResult Invoke(IDispatch* object, DISPID member, WORD flags, std::vector<Var> args, bool namedPut = true);
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
std::wstring Read(IDispatch* object, DISPID member);
// A number property; the colours come back as VT_UI4, the rest as VT_I4.
long ReadLong(IDispatch* object, DISPID member);
// A member's DISPID by name, or the HRESULT of the failed look-up.
DISPID IdOf(IDispatch* object, const wchar_t* name);

// A new object past its first use: the thread's shared settings then hold
// the values of a control placed anew.
ComPtr<IDispatch> NewControl();

// What a host that loads and frees the module over and over must get back:
// the handles open in the process (probed one by one: Wine's counter reads
// 0), and the TLS slot the next allocation would get.
int OpenHandles();
DWORD FreeTlsSlot();
// Loads the module at path, gets its class object and, when asked, places a
// control and has it fail (a thrown run-time error and the thread's own
// storage), and frees the module again.
void LoadUseAndFree(const std::wstring& path, bool placeAControl);

// The values that bad input must leave alone, in one comparable text.
std::wstring ValueState(IDispatch* object);

// Connects a sink to one of the object's connection points for a scope.
class Connection {
public:
    Connection(IUnknown* object, REFIID iid, IUnknown* sink);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// DISPID lists that print as numbers.
inline std::vector<DISPID> Ids(std::initializer_list<DISPID> ids) {
    return ids;
}

} // namespace zarn::test
