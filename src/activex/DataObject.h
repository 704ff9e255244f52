#pragma once
// `Data`, the automation data object of a drag and drop through the text
// box. The same object is the IDataObject the platform's drag carries: a
// drop reads what was dragged through it, and a drag offers a target what
// the host put into it, asking the host for a format it only promised.
#include "activex/DataFormats.h"
#include "control/DragDrop.h"

#include <objidl.h>
#include <wrl/client.h>

#include <map>
#include <span>

namespace zarn {

// Owns a new object, which starts with its one reference. (mingw-w64's
// ComPtr::Attach adds a reference of its own, so it would never go.)
template <class T> Microsoft::WRL::ComPtr<T> Adopt(T* fresh) {
    Microsoft::WRL::ComPtr<T> owner;
    *owner.GetAddressOf() = fresh;
    return owner;
}

// Dispatch identifiers of the data object and of its Files collection.
namespace dataid {
inline constexpr DISPID kClear = 1, kGetData = 2, kGetFormat = 3, kSetData = 4, kFiles = 5;
inline constexpr DISPID kItem = DISPID_VALUE, kCount = 1, kAdd = 2, kFilesClear = 3, kRemove = 4;
} // namespace dataid

// The base of both automation objects: IDispatch over a name table, the
// type information from the module's second type library.
class DataDispatch : public IDispatch {
public:
    struct Name {
        const wchar_t* name;
        DISPID id;
    };
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;

protected:
    DataDispatch(std::span<const Name> names, REFGUID iid) : names_(names), iid_(iid) {}
    virtual ~DataDispatch() = default;
    // Runs one call; arguments that are missing come as nullptr.
    virtual Variant Call(DISPID id, WORD flags, std::span<const Variant*> args) = 0;

private:
    std::span<const Name> names_;
    const GUID& iid_;
};

class DataFiles final : public DataDispatch {
public:
    explicit DataFiles(bool writable);
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    data::Files names;

private:
    ~DataFiles() override;
    Variant Call(DISPID id, WORD flags, std::span<const Variant*> args) override;
    size_t Index(const Variant* index, size_t end) const;
    void Writable() const;

    ULONG refs_ = 1;
    bool writable_;
};

class DataObject final : public DataDispatch, public IDataObject, public DragData {
public:
    // What a drop carries: the host reads it and may not change it.
    static Microsoft::WRL::ComPtr<DataObject> Reading(IDataObject* dragged);
    // What a drag from here offers: the host fills it; the source is asked
    // for a promised format while the drag lasts (see EndDrag).
    static Microsoft::WRL::ComPtr<DataObject> Offering(DragSourceListener* source);
    void EndDrag() { source_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetData(FORMATETC* asked, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* asked) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    IDispatch* Object() override { return this; }
    bool Text(std::wstring& text) override;
    void SetText(const std::wstring& text) override;

private:
    DataObject(IDataObject* dragged, DragSourceListener* source);
    ~DataObject() override;
    Variant Call(DISPID id, WORD flags, std::span<const Variant*> args) override;
    void Clear();
    Variant Get(const Variant* format);
    bool Has(short format);
    void Set(const Variant* value, const Variant* format);
    void Writable() const;
    // The kept format a clipboard format stands for, its value asked of
    // the source first when it was only promised; nullptr when none.
    const Variant* Kept(CLIPFORMAT clip, bool render);
    bool Promised(short format) const;

    ULONG refs_ = 1;
    Microsoft::WRL::ComPtr<IDataObject> dragged_;
    DragSourceListener* source_;
    std::map<short, Variant> kept_; // Empty: promised
    Microsoft::WRL::ComPtr<DataFiles> files_;
};

} // namespace zarn
