#pragma once
// Helpers shared by the unit tests: a message-box recorder, a fixed clock,
// a COM apartment for the test's thread, memory streams and pictures, and a
// canvas to draw on and read back.
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/win/Gdi.h"

#include <objbase.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zarn::test {

// Records every message box instead of showing it, answering OK.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() {
        previous_ = SetMessageBoxHandler([this](const MessageBoxCall& call) {
            calls.push_back(call);
            return IDOK;
        });
    }
    ~MessageBoxRecorder() { SetMessageBoxHandler(std::move(previous_)); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const auto& c : calls)
            texts.push_back(c.text);
        return texts;
    }

    std::vector<MessageBoxCall> calls;

private:
    MessageBoxHandler previous_;
};

inline SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour = 12, WORD minute = 0) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    return st;
}

// Fixes the clock for the lifetime of the object.
class FixedClock {
public:
    FixedClock(SYSTEMTIME utc, SYSTEMTIME local) { SetClock(ClockReading{utc, local}); }
    explicit FixedClock(SYSTEMTIME both) : FixedClock(both, both) {}
    ~FixedClock() { SetClock(std::nullopt); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// A memory stream holding the bytes, positioned at the start.
inline Microsoft::WRL::ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
    Microsoft::WRL::ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf());
    ULONG written = 0;
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    return stream;
}

// A picture as a host has one: loaded from a 24-bit bitmap file image.
inline Microsoft::WRL::ComPtr<IPictureDisp> FilePicture(LONG width, LONG height) {
    const DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + rowBytes * height, 0);
    auto* header = reinterpret_cast<BITMAPFILEHEADER*>(file.data());
    header->bfType = 0x4D42;
    header->bfSize = static_cast<DWORD>(file.size());
    header->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    auto* info = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    info->biSize = sizeof(BITMAPINFOHEADER);
    info->biWidth = width;
    info->biHeight = height;
    info->biPlanes = 1;
    info->biBitCount = 24;
    Microsoft::WRL::ComPtr<IPictureDisp> picture;
    OleLoadPicture(StreamOf(file).Get(), static_cast<LONG>(file.size()), FALSE, IID_IPictureDisp,
                   reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

using ColourAt = std::function<COLORREF(int x, int y)>;

// What a fresh canvas shows; nothing under test draws in it.
inline constexpr COLORREF kPaper = 0x00336699;

// A 32-bit top-down DIB section painted pixel by pixel (0x00RRGGBB in memory).
inline HBITMAP Dib(int width, int height, const ColourAt& colour, std::uint32_t** bits = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    const HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(p);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    if (bits)
        *bits = pixels;
    return dib;
}

// A DIB section in a memory DC, read back pixel by pixel as COLORREFs.
class Canvas {
public:
    Canvas(
        int width, int height, const ColourAt& colour = [](int, int) { return kPaper; })
        : width_(width), height_(height),
          surface_(nullptr, gdi::UniqueBitmap(Dib(width, height, colour, &bits_))) {}
    Canvas(int width, int height, COLORREF fill) : Canvas(width, height, [fill](int, int) { return fill; }) {}

    HDC dc() const { return surface_.dc(); }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_, height_;
    std::uint32_t* bits_ = nullptr;
    gdi::MemorySurface surface_;
};

} // namespace zarn::test
