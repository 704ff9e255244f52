#include "form/PictureCodec.h"

#include "text/Base64.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <vector>

namespace zarnhost {

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kEmpty[] = L"empty";

bool HasImage(IPicture* picture) {
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    return SUCCEEDED(picture->get_Type(&type)) && type != PICTYPE_NONE && type != PICTYPE_UNINITIALIZED &&
           SUCCEEDED(picture->get_Handle(&handle)) && handle != 0;
}

HRESULT StreamBytes(IStream* stream, std::vector<unsigned char>& bytes) {
    ULARGE_INTEGER end{};
    HRESULT hr = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
    if (FAILED(hr))
        return hr;
    HGLOBAL memory = nullptr;
    if (FAILED(hr = GetHGlobalFromStream(stream, &memory)))
        return hr;
    const auto* data = static_cast<const unsigned char*>(GlobalLock(memory));
    if (!data)
        return E_OUTOFMEMORY;
    bytes.assign(data, data + end.QuadPart);
    GlobalUnlock(memory);
    return S_OK;
}

HRESULT NewEmptyPicture(REFIID iid, void** out) {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_NONE;
    return OleCreatePictureIndirect(&description, iid, TRUE, out);
}

// Without a description the picture waits for IPersistStream::Load.
HRESULT NewUnloadedPicture(REFIID iid, void** out) {
    return OleCreatePictureIndirect(nullptr, iid, TRUE, out);
}

} // namespace

bool IsPicture(const VARIANT& value) {
    if (V_VT(&value) != VT_DISPATCH && V_VT(&value) != VT_UNKNOWN)
        return false;
    ComPtr<IPicture> picture;
    return V_UNKNOWN(&value) && SUCCEEDED(V_UNKNOWN(&value)->QueryInterface(IID_PPV_ARGS(&picture)));
}

HRESULT EncodePicture(IUnknown* object, std::wstring& text) {
    ComPtr<IPicture> picture;
    HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&picture));
    if (FAILED(hr))
        return hr;
    if (!HasImage(picture.Get())) {
        text = kEmpty;
        return S_OK;
    }
    ComPtr<IPersistStream> persist;
    ComPtr<IStream> stream;
    std::vector<unsigned char> bytes;
    if (FAILED(hr = picture.As(&persist)) || FAILED(hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(hr = persist->Save(stream.Get(), TRUE)) || FAILED(hr = StreamBytes(stream.Get(), bytes)))
        return hr;
    text = ToBase64(bytes);
    return S_OK;
}

HRESULT DecodePicture(std::wstring_view text, Variant& out) {
    ComPtr<IPictureDisp> picture;
    HRESULT hr = S_OK;
    if (text == kEmpty) {
        hr = NewEmptyPicture(IID_PPV_ARGS(&picture));
    } else {
        std::vector<unsigned char> bytes;
        if (!FromBase64(text, bytes) || bytes.empty())
            return E_INVALIDARG;
        ComPtr<IStream> stream;
        ComPtr<IPersistStream> persist;
        if (FAILED(hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
            FAILED(hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr)) ||
            FAILED(hr = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr)) ||
            FAILED(hr = NewUnloadedPicture(IID_PPV_ARGS(&persist))) ||
            FAILED(hr = persist->Load(stream.Get())) || FAILED(hr = persist.As(&picture)))
            return hr;
    }
    if (SUCCEEDED(hr))
        out = Variant::Object(picture.Get());
    return hr;
}

} // namespace zarnhost
