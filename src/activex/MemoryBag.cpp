#include "activex/MemoryBag.h"

#include "platform/RuntimeError.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdint>
#include <cwchar>

namespace zarn {

namespace {

constexpr char kMagic[4] = {'Z', 'R', 'N', '2'};
constexpr uint32_t kVersion = 1;
// Limits a damaged stream cannot talk us past.
constexpr uint32_t kMaxEntries = 10000;
constexpr uint32_t kMaxBytes = 64u << 20;

void Write(IStream& s, const void* data, ULONG size) {
    ULONG written = 0;
    ThrowIfFailed(s.Write(data, size, &written));
    if (written != size)
        ThrowIfFailed(STG_E_MEDIUMFULL);
}

void Read(IStream& s, void* data, ULONG size) {
    ULONG read = 0;
    ThrowIfFailed(s.Read(data, size, &read));
    if (read != size)
        ThrowIfFailed(STG_E_READFAULT);
}

template <class T> void Put(IStream& s, T value) {
    Write(s, &value, sizeof value);
}

template <class T> T Get(IStream& s) {
    T value{};
    Read(s, &value, sizeof value);
    return value;
}

void PutText(IStream& s, std::wstring_view text) {
    Put<uint32_t>(s, static_cast<uint32_t>(text.size()));
    Write(s, text.data(), static_cast<ULONG>(text.size() * sizeof(wchar_t)));
}

std::wstring GetText(IStream& s) {
    const uint32_t length = Get<uint32_t>(s);
    if (length > kMaxBytes / sizeof(wchar_t))
        ThrowIfFailed(STG_E_DOCFILECORRUPT);
    std::wstring text(length, L'\0');
    Read(s, text.data(), static_cast<ULONG>(length * sizeof(wchar_t)));
    return text;
}

// A picture travels as its own persistent form, length first, and comes
// back as a standard picture object.
void PutObject(IStream& s, IUnknown* object) {
    Put<uint8_t>(s, object ? 1 : 0);
    if (!object)
        return;
    Microsoft::WRL::ComPtr<IPersistStream> persist;
    ThrowIfFailed(
        object->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf())));
    Microsoft::WRL::ComPtr<IStream> buffer;
    ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, buffer.GetAddressOf()));
    ThrowIfFailed(persist->Save(buffer.Get(), TRUE));
    STATSTG stat{};
    ThrowIfFailed(buffer->Stat(&stat, STATFLAG_NONAME));
    const uint32_t size = static_cast<uint32_t>(stat.cbSize.QuadPart);
    Put<uint32_t>(s, size);
    ThrowIfFailed(buffer->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    ULARGE_INTEGER n;
    n.QuadPart = size;
    ThrowIfFailed(buffer->CopyTo(&s, n, nullptr, nullptr));
}

IDispatch* GetObject(IStream& s) {
    if (Get<uint8_t>(s) == 0)
        return nullptr;
    const uint32_t size = Get<uint32_t>(s);
    if (size > kMaxBytes)
        ThrowIfFailed(STG_E_DOCFILECORRUPT);
    Microsoft::WRL::ComPtr<IStream> buffer;
    ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, buffer.GetAddressOf()));
    ULARGE_INTEGER n;
    n.QuadPart = size;
    ThrowIfFailed(s.CopyTo(buffer.Get(), n, nullptr, nullptr));
    ThrowIfFailed(buffer->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    Microsoft::WRL::ComPtr<IPersistStream> persist;
    ThrowIfFailed(CoCreateInstance(CLSID_StdPicture, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStream,
                                   reinterpret_cast<void**>(persist.GetAddressOf())));
    ThrowIfFailed(persist->Load(buffer.Get()));
    IDispatch* object = nullptr;
    ThrowIfFailed(persist->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object)));
    return object;
}

// The bytes a value of a plain type takes in the stream: its bits as they
// sit in the VARIANT's union, where every member starts. Every number,
// date, Boolean and error value travels as it is, so a value keeps its type
// through a save and a load.
bool IsPlain(VARTYPE type, ULONG& size) {
    switch (type) {
    case VT_EMPTY: case VT_NULL:
        size = 0;
        return true;
    case VT_I1: case VT_UI1:
        size = 1;
        return true;
    case VT_I2: case VT_UI2: case VT_BOOL:
        size = 2;
        return true;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR:
        size = 4;
        return true;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE:
        size = 8;
        return true;
    default:
        return false;
    }
}

// A decimal fills the whole VARIANT, its type in the decimal's first field.
void PutDecimal(IStream& s, const VARIANT& v) {
    DECIMAL d = V_DECIMAL(&v);
    d.wReserved = 0;
    Write(s, &d, sizeof d);
}

void PutValue(IStream& s, const VARIANT& v) {
    const VARTYPE type = V_VT(&v);
    ULONG size = 0;
    if (IsPlain(type, size)) {
        Put<uint16_t>(s, type);
        if (size)
            Write(s, &V_UI1(&v), size);
        return;
    }
    switch (type) {
    case VT_DECIMAL:
        Put<uint16_t>(s, type);
        PutDecimal(s, v);
        break;
    case VT_BSTR:
        Put<uint16_t>(s, type);
        PutText(s, std::wstring_view(V_BSTR(&v) ? V_BSTR(&v) : L"", SysStringLen(V_BSTR(&v))));
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        Put<uint16_t>(s, type);
        PutObject(s, V_UNKNOWN(&v));
        break;
    default:
        Raise(ErrTypeMismatch);
    }
}

Variant GetValue(IStream& s) {
    Variant value;
    VARIANT* v = value.Put();
    const VARTYPE type = Get<uint16_t>(s);
    ULONG size = 0;
    if (IsPlain(type, size)) {
        if (size)
            Read(s, &V_UI1(v), size);
    } else if (type == VT_DECIMAL) {
        Read(s, &V_DECIMAL(v), sizeof(DECIMAL));
    } else if (type == VT_BSTR) {
        V_BSTR(v) = Bstr(GetText(s)).Detach();
    } else if (type == VT_DISPATCH || type == VT_UNKNOWN) {
        V_DISPATCH(v) = GetObject(s);
        V_VT(v) = VT_DISPATCH;
        return value;
    } else {
        ThrowIfFailed(STG_E_DOCFILECORRUPT);
    }
    V_VT(v) = type;
    return value;
}

} // namespace

MemoryBag::Entry* MemoryBag::Find(std::wstring_view key) {
    for (Entry& e : entries_)
        if (e.key.size() == key.size() && _wcsnicmp(e.key.c_str(), key.data(), key.size()) == 0)
            return &e;
    return nullptr;
}

Variant MemoryBag::ReadProperty(std::wstring_view key, const Variant& defaultValue) {
    const Entry* e = Find(key);
    return e ? e->value : defaultValue;
}

void MemoryBag::WriteProperty(std::wstring_view key, const Variant& value, const Variant&) {
    if (Entry* e = Find(key))
        e->value = value;
    else
        entries_.push_back(Entry{std::wstring(key), value});
}

void MemoryBag::SaveTo(IStream& stream) const {
    Write(stream, kMagic, sizeof kMagic);
    Put<uint32_t>(stream, kVersion);
    Put<uint32_t>(stream, static_cast<uint32_t>(entries_.size()));
    for (const Entry& e : entries_) {
        PutText(stream, e.key);
        PutValue(stream, e.value.Get());
    }
}

void MemoryBag::LoadFrom(IStream& stream) {
    char magic[4];
    Read(stream, magic, sizeof magic);
    if (memcmp(magic, kMagic, sizeof magic) != 0 || Get<uint32_t>(stream) != kVersion)
        ThrowIfFailed(STG_E_OLDFORMAT);
    const uint32_t count = Get<uint32_t>(stream);
    if (count > kMaxEntries)
        ThrowIfFailed(STG_E_DOCFILECORRUPT);
    std::vector<Entry> entries;
    for (uint32_t i = 0; i < count; ++i) {
        std::wstring key = GetText(stream);
        entries.push_back(Entry{std::move(key), GetValue(stream)});
    }
    entries_ = std::move(entries);
}

// A bag answers E_INVALIDARG for a key it does not hold; any other failure
// is the bag's own error and goes on to the host. A value answered by
// reference is copied: the bag's memory is the bag's.
Variant ComBag::ReadProperty(std::wstring_view key, const Variant& defaultValue) {
    const std::wstring name(key);
    Variant value;
    const HRESULT hr = bag_.Read(name.c_str(), value.Put(), nullptr);
    if (hr == E_INVALIDARG)
        return defaultValue;
    ThrowIfFailed(hr);
    return Variant::Dereferenced(value.Get());
}

void ComBag::WriteProperty(std::wstring_view key, const Variant& value, const Variant&) {
    const std::wstring name(key);
    ThrowIfFailed(bag_.Write(name.c_str(), const_cast<VARIANT*>(&value.Get())));
}

} // namespace zarn
