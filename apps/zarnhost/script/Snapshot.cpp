#include "script/Snapshot.h"

#include "win/Handles.h"

#include <wincodec.h>
#include <wrl/client.h>

namespace zarnhost {

using Microsoft::WRL::ComPtr;

namespace {

// A copy of what the window shows, children included, read from its
// device context after any pending painting is done.
UniqueBitmap Capture(HWND window, bool client, SIZE& size) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    if (client)
        GetClientRect(window, &r);
    else
        GetWindowRect(window, &r);
    size = {r.right - r.left, r.bottom - r.top};
    const WindowDc source(window, !client);
    UniqueMemoryDc memory(CreateCompatibleDC(source.Get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(source.Get(), size.cx, size.cy));
    if (!memory || !bitmap)
        return nullptr;
    const Selection into(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY))
        return nullptr;
    return bitmap;
}

HRESULT Encode(HBITMAP bitmap, const std::wstring& path) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmap> source;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    HRESULT hr =
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    if (SUCCEEDED(hr))
        hr = factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &source);
    if (SUCCEEDED(hr))
        hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(&frame, nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr))
        hr = frame->WriteSource(source.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return hr;
}

struct PopupSearch {
    HWND form;
    HWND found;
};

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<PopupSearch*>(param);
    if (window == search->form || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HRESULT SaveWindowPng(HWND window, bool client, const std::wstring& path, SIZE& size) {
    if (!window || !IsWindow(window))
        return E_HANDLE;
    const UniqueBitmap bitmap = Capture(window, client, size);
    if (!bitmap)
        return E_FAIL;
    return Encode(bitmap.get(), path);
}

// Threads list their windows from the top of the z-order down.
HWND TopPopup(HWND form) {
    PopupSearch search{form, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), ConsiderWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace zarnhost
