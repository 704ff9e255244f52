#include "activex/DataObject.h"

#include "activex/DataGuids.h"
#include "activex/DispatchCall.h"
#include "activex/ErrorInfo.h"
#include "activex/Module.h"
#include "platform/Report.h"

#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <vector>

namespace zarn {

namespace {

using Microsoft::WRL::ComPtr;

constexpr const GUID& kDataObjectIid = DIID_DataObject;
constexpr const GUID& kFilesIid = DIID_DataObjectFiles;

constexpr DataDispatch::Name kDataNames[] = {{L"Clear", dataid::kClear},
                                             {L"GetData", dataid::kGetData},
                                             {L"GetFormat", dataid::kGetFormat},
                                             {L"SetData", dataid::kSetData},
                                             {L"Files", dataid::kFiles}};
constexpr DataDispatch::Name kFilesNames[] = {{L"Item", dataid::kItem},
                                              {L"Count", dataid::kCount},
                                              {L"Add", dataid::kAdd},
                                              {L"Clear", dataid::kFilesClear},
                                              {L"Remove", dataid::kRemove}};

// A call with the wrong number of arguments, or of a kind the member does
// not take.
struct BadCall {
    HRESULT hr;
};

void Arity(std::span<const Variant*> args, size_t low, size_t high, WORD flags) {
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
        throw BadCall{DISP_E_MEMBERNOTFOUND};
    if (args.size() < low || args.size() > high)
        throw BadCall{DISP_E_BADPARAMCOUNT};
    for (size_t i = 0; i < low; ++i)
        if (!args[i])
            throw BadCall{DISP_E_PARAMNOTFOUND};
}

bool SameName(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b)
        if (towlower(*a) != towlower(*b))
            return false;
    return *a == *b;
}

void Fill(EXCEPINFO* excep, const RuntimeError& error) {
    if (!excep)
        return;
    *excep = EXCEPINFO{};
    excep->bstrSource = SysAllocString(error.Source().empty() ? L"Zarn2.DataObject" : error.Source().c_str());
    excep->bstrDescription = SysAllocString(error.Description().c_str());
    excep->scode = HResultOf(error);
}

Variant ObjectValue(IDispatch* object) {
    Variant value;
    VARIANT* v = value.Put();
    V_VT(v) = VT_DISPATCH;
    V_DISPATCH(v) = object;
    object->AddRef();
    return value;
}

long FormatNumber(const Variant* format) {
    return ToLong(format->Get());
}

} // namespace

// ---------------------------------------------------------------------------
// IDispatch over a name table

HRESULT DataDispatch::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT DataDispatch::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return ComCall(IID_IDispatch, [&] { *info = module::DataTypeInfoOf(iid_).Detach(); });
}

HRESULT DataDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (const HRESULT hr = CheckNames(names, count, ids); FAILED(hr))
        return hr;
    std::fill(ids, ids + count, DISPID_UNKNOWN);
    const auto found =
        std::find_if(names_.begin(), names_.end(), [&](const Name& n) { return SameName(n.name, names[0]); });
    if (found == names_.end())
        return DISP_E_UNKNOWNNAME;
    ids[0] = found->id;
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

// Arguments arrive last first; a missing optional one is nullptr. A type
// mismatch is the dispatch error itself, any other run-time error an
// exception with its description.
HRESULT DataDispatch::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* excep, UINT*) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!params || (params->cArgs && !params->rgvarg))
        return E_INVALIDARG;
    if (params->cNamedArgs > 0)
        return DISP_E_NONAMEDARGS;
    if (std::none_of(names_.begin(), names_.end(), [&](const Name& n) { return n.id == id; }))
        return DISP_E_MEMBERNOTFOUND;
    const UINT n = params->cArgs;
    std::vector<Variant> values(n);
    std::vector<const Variant*> args(n);
    const auto hold = ComPtr<IDispatch>(this);
    try {
        for (UINT i = 0; i < n; ++i) {
            const VARIANT& a = params->rgvarg[n - 1 - i];
            if (V_VT(&a) == VT_ERROR && V_ERROR(&a) == DISP_E_PARAMNOTFOUND)
                continue;
            values[i] = Variant::Dereferenced(a);
            args[i] = &values[i];
        }
        const Variant answer = Call(id, flags, args);
        if (result)
            answer.CopyTo(result);
        return S_OK;
    } catch (const BadCall& bad) {
        return bad.hr;
    } catch (...) {
        const RuntimeError error = CurrentError();
        if (error.Number() == ErrTypeMismatch)
            return DISP_E_TYPEMISMATCH;
        SetComError(error, iid_);
        Fill(excep, error);
        return DISP_E_EXCEPTION;
    }
}

// ---------------------------------------------------------------------------
// Files

DataFiles::DataFiles(bool writable) : DataDispatch(kFilesNames, kFilesIid), writable_(writable) {
    module::AddObject();
}

DataFiles::~DataFiles() {
    module::ReleaseObject();
}

HRESULT DataFiles::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, kFilesIid))
        return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG DataFiles::AddRef() {
    return ++refs_;
}

ULONG DataFiles::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

void DataFiles::Writable() const {
    if (!writable_)
        throw RuntimeError(ErrInvalidCall, L"The files of a drop can only be read");
}

// Items count from 1; an index may also name the place after the last.
size_t DataFiles::Index(const Variant* index, size_t end) const {
    const long i = ToLong(index->Get());
    if (i < 1 || static_cast<size_t>(i) > end)
        throw RuntimeError(9, L"Subscript out of range");
    return static_cast<size_t>(i - 1);
}

Variant DataFiles::Call(DISPID id, WORD flags, std::span<const Variant*> args) {
    switch (id) {
    case dataid::kItem:
        Arity(args, 1, 1, flags);
        return Variant::FromText(names[Index(args[0], names.size())]);
    case dataid::kCount:
        Arity(args, 0, 0, flags);
        return Variant::FromLong(static_cast<long>(names.size()));
    case dataid::kAdd: {
        Arity(args, 1, 2, flags);
        Writable();
        const std::wstring name = ToText(args[0]->Get());
        const size_t at = args.size() > 1 && args[1] ? Index(args[1], names.size() + 1) : names.size();
        names.insert(names.begin() + static_cast<ptrdiff_t>(at), name);
        return Variant();
    }
    case dataid::kFilesClear:
        Arity(args, 0, 0, flags);
        Writable();
        names.clear();
        return Variant();
    default:
        Arity(args, 1, 1, flags);
        Writable();
        names.erase(names.begin() + static_cast<ptrdiff_t>(Index(args[0], names.size())));
        return Variant();
    }
}

// ---------------------------------------------------------------------------
// The data object

DataObject::DataObject(IDataObject* dragged, DragSourceListener* source)
    : DataDispatch(kDataNames, kDataObjectIid), dragged_(dragged), source_(source) {
    files_ = Adopt(new DataFiles(!dragged));
    if (dragged)
        files_->names = data::ReadFiles(dragged);
    module::AddObject();
}

DataObject::~DataObject() {
    module::ReleaseObject();
}

ComPtr<DataObject> DataObject::Reading(IDataObject* dragged) {
    return Adopt(new DataObject(dragged, nullptr));
}

ComPtr<DataObject> DataObject::Offering(DragSourceListener* source) {
    return Adopt(new DataObject(nullptr, source));
}

HRESULT DataObject::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kDataObjectIid))
        *out = static_cast<IDispatch*>(this);
    else if (IsEqualIID(iid, IID_IDataObject))
        *out = static_cast<IDataObject*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG DataObject::AddRef() {
    return ++refs_;
}

ULONG DataObject::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

Variant DataObject::Call(DISPID id, WORD flags, std::span<const Variant*> args) {
    switch (id) {
    case dataid::kClear:
        Arity(args, 0, 0, flags);
        Clear();
        return Variant();
    case dataid::kGetData:
        Arity(args, 0, 1, flags);
        return Get(args.empty() ? nullptr : args[0]);
    case dataid::kGetFormat:
        Arity(args, 1, 1, flags);
        return Variant::FromBool(Has(data::Checked(FormatNumber(args[0]))));
    case dataid::kSetData:
        Arity(args, 0, 2, flags);
        Set(args.empty() ? nullptr : args[0], args.size() < 2 ? nullptr : args[1]);
        return Variant();
    default:
        Arity(args, 0, 0, flags);
        return ObjectValue(files_.Get());
    }
}

void DataObject::Writable() const {
    if (dragged_)
        throw RuntimeError(ErrInvalidCall, L"The data of a drop can only be read");
}

void DataObject::Clear() {
    Writable();
    kept_.clear();
    files_->names.clear();
}

bool DataObject::Promised(short format) const {
    const auto kept = kept_.find(format);
    return kept != kept_.end() && kept->second.IsEmpty() && (format != data::kFiles || files_->names.empty());
}

bool DataObject::Has(short format) {
    if (!dragged_)
        return kept_.count(format) > 0;
    for (FORMATETC etc : data::ClipFormatsOf(format))
        if (dragged_->QueryGetData(&etc) == S_OK)
            return true;
    return false;
}

Variant DataObject::Get(const Variant* format) {
    const short f = format ? data::Checked(FormatNumber(format)) : short{data::kText};
    Variant value;
    if (dragged_)
        value = data::Read(dragged_.Get(), f);
    else if (f == data::kFiles && !files_->names.empty())
        value = data::FilesValue(files_->names);
    else if (const auto kept = kept_.find(f); kept != kept_.end())
        value = kept->second;
    if (value.IsEmpty())
        throw RuntimeError(ErrInvalidCall, L"The data object holds nothing in format " + std::to_wstring(f));
    return value;
}

void DataObject::Set(const Variant* value, const Variant* format) {
    Writable();
    const bool noValue = !value || value->IsEmpty();
    if (noValue && !format)
        throw RuntimeError(ErrInvalidCall, L"SetData needs a value, a format or both");
    const short f = format ? data::Checked(FormatNumber(format)) : data::FormatOfValue(value->Get());
    if (noValue) {
        kept_[f] = Variant();
        return;
    }
    Variant fitted = data::Fitted(value->Get(), f);
    if (f != data::kFiles) {
        kept_[f] = std::move(fitted);
        return;
    }
    data::Files names;
    if (fitted.Type() == VT_BSTR) {
        names.push_back(ToText(fitted.Get()));
    } else {
        SAFEARRAY* array = V_ARRAY(&fitted.Get());
        LONG low = 0, high = -1;
        SafeArrayGetLBound(array, 1, &low);
        SafeArrayGetUBound(array, 1, &high);
        for (LONG i = low; i <= high; ++i) {
            Variant item;
            if (fitted.Type() == (VT_ARRAY | VT_BSTR)) {
                VARIANT* v = item.Put();
                V_VT(v) = VT_BSTR;
                ThrowIfFailed(SafeArrayGetElement(array, &i, &V_BSTR(v)));
            } else {
                ThrowIfFailed(SafeArrayGetElement(array, &i, item.Put()));
            }
            names.push_back(ToText(item.Get()));
        }
    }
    files_->names = std::move(names);
    kept_[f] = Variant();
}

// ---------------------------------------------------------------------------
// IDataObject

const Variant* DataObject::Kept(CLIPFORMAT clip, bool render) {
    const short f = data::FormatOf(clip);
    if (!f || !kept_.count(f))
        return nullptr;
    if (render && Promised(f) && source_) {
        const auto hold = ComPtr<IDispatch>(this);
        short asked = f;
        source_->SetData(*this, asked);
    }
    if (render && Promised(f))
        return nullptr;
    const auto kept = kept_.find(f);
    return kept == kept_.end() ? nullptr : &kept->second;
}

HRESULT DataObject::GetData(FORMATETC* asked, STGMEDIUM* medium) {
    if (!asked || !medium)
        return E_INVALIDARG;
    if (dragged_)
        return dragged_->GetData(asked, medium);
    if (QueryGetData(asked) != S_OK)
        return DV_E_FORMATETC;
    try {
        const Variant* value = Kept(asked->cfFormat, true);
        return value ? data::Render(value->Get(), files_->names, *asked, *medium) : DV_E_FORMATETC;
    } catch (...) {
        return HResultOf(CurrentError());
    }
}

HRESULT DataObject::QueryGetData(FORMATETC* asked) {
    if (!asked)
        return E_INVALIDARG;
    if (dragged_)
        return dragged_->QueryGetData(asked);
    if (asked->dwAspect != DVASPECT_CONTENT || !Kept(asked->cfFormat, false))
        return DV_E_FORMATETC;
    const short f = data::FormatOf(asked->cfFormat);
    return (asked->tymed & data::ClipFormatsOf(f).front().tymed) ? S_OK : DV_E_TYMED;
}

HRESULT DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (!out)
        return E_INVALIDARG;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (dragged_)
        return dragged_->EnumFormatEtc(direction, out);
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const auto& kept : kept_)
        for (const FORMATETC& etc : data::ClipFormatsOf(kept.first))
            formats.push_back(etc);
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
}

// ---------------------------------------------------------------------------
// What the control reads and offers

bool DataObject::Text(std::wstring& text) {
    try {
        const Variant value = dragged_ ? data::Read(dragged_.Get(), data::kText) : Get(nullptr);
        if (value.Type() != VT_BSTR)
            return false;
        text = ToText(value.Get());
        return true;
    } catch (...) {
        return false;
    }
}

void DataObject::SetText(const std::wstring& text) {
    kept_[data::kText] = Variant::FromText(text);
}

} // namespace zarn
