#include "OcxSupport.h"

namespace zarn::test {

Ocx& Ocx::Get() {
    static Ocx ocx;
    return ocx;
}

void Ocx::Load() {
    module_ = LoadLibraryW(BuiltFile(L"Zarn2.ocx").c_str());
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

ComPtr<IClassFactory> Ocx::Factory() const {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(GetClassObject(kClsidZarn, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())),
              S_OK);
    return factory;
}

ComPtr<IDispatch> Ocx::Create() const {
    ComPtr<IDispatch> object;
    const ComPtr<IClassFactory> factory = Factory();
    EXPECT_EQ(factory ? factory->CreateInstance(nullptr, IID_PPV_ARGS(&object)) : E_FAIL, S_OK);
    return object;
}

bool Ocx::Reload() {
    if (!FreeLibrary(module_) || GetModuleHandleW(BuiltFile(L"Zarn2.ocx").c_str()))
        return false;
    Load();
    return module_ != nullptr;
}

ULONG RefCount(IUnknown* unknown) {
    unknown->AddRef();
    return unknown->Release();
}

Var::Var(const std::wstring& text) : Var(Of(VT_BSTR)) {
    V_BSTR(this) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Var& Var::operator=(const Var& other) {
    if (this != &other)
        VariantCopy(this, const_cast<Var*>(&other));
    return *this;
}

Var Var::Of(VARTYPE type) {
    Var v;
    V_VT(&v) = type;
    return v;
}

Var Var::Object(IDispatch* object) {
    Var v = Of(VT_DISPATCH);
    V_DISPATCH(&v) = object;
    if (object)
        object->AddRef();
    return v;
}

std::wstring TodayText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    swprintf(text, 16, L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

DispResult::DispResult(DispResult&& other) noexcept
    : hr(other.hr), value(other.value), excep(std::exchange(other.excep, EXCEPINFO{})), argErr(other.argErr) {
}

DispResult::~DispResult() {
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
}

DispResult Invoke(IDispatch* object, DISPID member, WORD flags, std::vector<Var> args, bool namedPut) {
    DispResult r;
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    if (namedPut && (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)))
        params.cNamedArgs = 1, params.rgdispidNamedArgs = &put;
    const bool wantsResult = flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD);
    r.hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                          wantsResult ? &r.value : nullptr, &r.excep, &r.argErr);
    if (r.excep.pfnDeferredFillIn)
        r.excep.pfnDeferredFillIn(&r.excep);
    return r;
}

std::wstring Read(IDispatch* object, DISPID member) {
    const DispResult r = PropGet(object, member);
    if (SUCCEEDED(r.hr))
        return Widen(Text(r.value));
    wchar_t text[32];
    swprintf(text, 32, L"failed 0x%08lx", static_cast<unsigned long>(r.hr));
    return text;
}

long ReadLong(IDispatch* object, DISPID member) {
    const DispResult r = PropGet(object, member);
    EXPECT_EQ(r.hr, S_OK) << "reading dispid " << member;
    Var number;
    if (SUCCEEDED(VariantChangeType(&number, const_cast<Var*>(&r.value), 0, VT_I4)))
        return V_I4(&number);
    ADD_FAILURE() << "dispid " << member << " is not a number";
    return -1;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 12345;
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return hr == S_OK ? id : static_cast<DISPID>(hr);
}

ComPtr<IDispatch> NewControl() {
    ComPtr<IDispatch> object = Ocx::Get().Create();
    EXPECT_EQ(object ? PropGet(object.Get(), id::PValue).hr : E_FAIL, S_OK);
    return object;
}

int OpenHandles() {
    int count = 0;
    DWORD flags;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return count;
}

DWORD FreeTlsSlot() {
    const DWORD slot = TlsAlloc();
    TlsFree(slot);
    return slot;
}

void LoadUseAndFree(const std::wstring& path, bool placeAControl) {
    const HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr);
    const auto get = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    {
        ComPtr<IClassFactory> factory;
        ComPtr<IDispatch> control;
        ASSERT_EQ(get(kClsidZarn, IID_PPV_ARGS(&factory)), S_OK);
        if (placeAControl) {
            ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&control)), S_OK);
            EXPECT_EQ(PropPut(control.Get(), id::PValue, L"notadate").hr, DISP_E_EXCEPTION);
        }
    }
    EXPECT_TRUE(FreeLibrary(module));
}

std::wstring ValueState(IDispatch* object) {
    return L"PValue=" + Read(object, id::PValue) + L" MinDate=" + Read(object, id::MinDate) + L" MaxDate=" +
           Read(object, id::MaxDate);
}

Connection::Connection(IUnknown* object, REFIID iid, IUnknown* sink) {
    ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(object->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
    EXPECT_EQ(container ? container->FindConnectionPoint(iid, point_.GetAddressOf()) : E_FAIL, S_OK);
    EXPECT_EQ(point_ ? point_->Advise(sink, &cookie_) : E_FAIL, S_OK);
}

Connection::~Connection() {
    EXPECT_EQ(point_ && cookie_ ? point_->Unadvise(cookie_) : S_OK, S_OK);
}

} // namespace zarn::test
