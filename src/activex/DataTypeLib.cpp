// The type library of the drag and drop data objects: two dispatch
// interfaces, DataObject and DataObjectFiles, kept apart from Zarn2's own
// library so that the published one never changes.
#include "activex/DataGuids.h"
#include "activex/TypeLibBuilder.h"

#include <wrl/client.h>

#include <string>
#include <vector>

namespace zarn {

namespace {

using Microsoft::WRL::ComPtr;

struct Param {
    const wchar_t* name;
    VARTYPE vt;
    bool optional;
};

struct Method {
    const wchar_t* name;
    MEMBERID id;
    INVOKEKIND kind;
    VARTYPE result; // VT_PTR: the files collection
    std::vector<Param> params;
};

class DataLibrary {
public:
    DataLibrary(SYSKIND syskind, const wchar_t* path) : syskind_(syskind), path_(path) {}

    HRESULT Build(std::wstring& step) {
        step = L"library";
        HRESULT hr = CreateTypeLib2(syskind_, path_, &lib_);
        if (SUCCEEDED(hr))
            hr = Describe();
        ComPtr<ITypeInfo> files;
        if (SUCCEEDED(hr)) {
            step = L"DataObjectFiles";
            hr = AddInterface(L"DataObjectFiles", DIID_DataObjectFiles, FilesMethods(), nullptr, files);
        }
        ComPtr<ITypeInfo> data;
        if (SUCCEEDED(hr)) {
            step = L"DataObject";
            hr = AddInterface(L"DataObject", DIID_DataObject, DataMethods(), files.Get(), data);
        }
        if (SUCCEEDED(hr)) {
            step = L"SaveAllChanges";
            hr = lib_->SaveAllChanges();
        }
        return hr;
    }

private:
    static std::vector<Method> DataMethods() {
        return {{L"Clear", 1, INVOKE_FUNC, VT_VOID, {}},
                {L"GetData", 2, INVOKE_FUNC, VT_VARIANT, {{L"Format", VT_VARIANT, true}}},
                {L"GetFormat", 3, INVOKE_FUNC, VT_BOOL, {{L"Format", VT_I2, false}}},
                {L"SetData",
                 4,
                 INVOKE_FUNC,
                 VT_VOID,
                 {{L"Value", VT_VARIANT, true}, {L"Format", VT_VARIANT, true}}},
                {L"Files", 5, INVOKE_PROPERTYGET, VT_PTR, {}}};
    }
    static std::vector<Method> FilesMethods() {
        return {
            {L"Item", DISPID_VALUE, INVOKE_PROPERTYGET, VT_BSTR, {{L"Index", VT_I4, false}}},
            {L"Count", 1, INVOKE_PROPERTYGET, VT_I4, {}},
            {L"Add", 2, INVOKE_FUNC, VT_VOID, {{L"FileName", VT_BSTR, false}, {L"Index", VT_VARIANT, true}}},
            {L"Clear", 3, INVOKE_FUNC, VT_VOID, {}},
            {L"Remove", 4, INVOKE_FUNC, VT_VOID, {{L"Index", VT_I4, false}}}};
    }

    HRESULT Describe() {
        std::wstring name = L"Zarn2Data";
        HRESULT hr = lib_->SetName(name.data());
        if (SUCCEEDED(hr))
            hr = lib_->SetGuid(LIBID_Zarn2Data);
        if (SUCCEEDED(hr))
            hr = lib_->SetVersion(1, 0);
        if (SUCCEEDED(hr))
            hr = lib_->SetLcid(LOCALE_NEUTRAL);
        return hr;
    }

    HRESULT AddInterface(const wchar_t* name, REFGUID iid, const std::vector<Method>& methods,
                         ITypeInfo* files, ComPtr<ITypeInfo>& out) {
        std::wstring n = name;
        ComPtr<ICreateTypeInfo> cti;
        HRESULT hr = lib_->CreateTypeInfo(n.data(), TKIND_DISPATCH, &cti);
        if (SUCCEEDED(hr))
            hr = cti->SetGuid(iid);
        if (SUCCEEDED(hr))
            hr = ImplementDispatch(cti.Get());
        HREFTYPE filesRef = 0;
        if (SUCCEEDED(hr) && files)
            hr = cti->AddRefTypeInfo(files, &filesRef);
        for (UINT i = 0; SUCCEEDED(hr) && i < methods.size(); ++i)
            hr = AddMethod(cti.Get(), i, methods[i], filesRef);
        if (SUCCEEDED(hr))
            hr = cti->LayOut();
        if (SUCCEEDED(hr))
            hr = cti.As(&out);
        return hr;
    }

    HRESULT ImplementDispatch(ICreateTypeInfo* cti) {
        ComPtr<ITypeLib> stdole;
        ComPtr<ITypeInfo> dispatch;
        HREFTYPE ref = 0;
        HRESULT hr =
            LoadRegTypeLib(IID_StdOle, STDOLE2_MAJORVERNUM, STDOLE2_MINORVERNUM, STDOLE2_LCID, &stdole);
        if (SUCCEEDED(hr))
            hr = stdole->GetTypeInfoOfGuid(IID_IDispatch, &dispatch);
        if (SUCCEEDED(hr))
            hr = cti->AddRefTypeInfo(dispatch.Get(), &ref);
        if (SUCCEEDED(hr))
            hr = cti->AddImplType(0, ref);
        return hr;
    }

    static HRESULT AddMethod(ICreateTypeInfo* cti, UINT index, const Method& m, HREFTYPE filesRef) {
        std::vector<ELEMDESC> params(m.params.size());
        for (size_t i = 0; i < m.params.size(); ++i) {
            params[i].tdesc.vt = m.params[i].vt;
            params[i].paramdesc.wParamFlags =
                static_cast<USHORT>(PARAMFLAG_FIN | (m.params[i].optional ? PARAMFLAG_FOPT : 0));
        }
        TYPEDESC files{};
        files.vt = VT_USERDEFINED;
        files.hreftype = filesRef;
        FUNCDESC fd{};
        fd.memid = m.id;
        fd.funckind = FUNC_DISPATCH;
        fd.invkind = m.kind;
        fd.callconv = CC_STDCALL;
        fd.cParams = static_cast<SHORT>(params.size());
        fd.lprgelemdescParam = params.empty() ? nullptr : params.data();
        fd.elemdescFunc.tdesc.vt = m.result;
        if (m.result == VT_PTR)
            fd.elemdescFunc.tdesc.lptdesc = &files;
        HRESULT hr = cti->AddFuncDesc(index, &fd);
        std::vector<std::wstring> names{m.name};
        for (const Param& p : m.params)
            names.push_back(p.name);
        std::vector<LPOLESTR> pointers;
        for (auto& n : names)
            pointers.push_back(n.data());
        if (SUCCEEDED(hr))
            hr = cti->SetFuncAndParamNames(index, pointers.data(), static_cast<UINT>(pointers.size()));
        return hr;
    }

    SYSKIND syskind_;
    const wchar_t* path_;
    ComPtr<ICreateTypeLib2> lib_;
};

} // namespace

HRESULT BuildDataTypeLib(SYSKIND syskind, const wchar_t* path, std::wstring* failedStep) {
    std::wstring step;
    const HRESULT hr = DataLibrary(syskind, path).Build(step);
    if (failedStep)
        *failedStep = FAILED(hr) ? step : std::wstring();
    return hr;
}

} // namespace zarn
