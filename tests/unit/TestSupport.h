#pragma once
// Helpers shared by every test program (the zarn_test_support library): a
// message-box recorder, a fixed clock, a COM apartment for a thread, memory
// streams and pictures, a canvas to draw on and read back, and texts that
// compare in one assertion.
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"
#include "platform/win/Gdi.h"

#include <objbase.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::test {

using zarn::Bstr;

// Records every message box instead of showing it, answering OK.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<std::wstring> Texts() const;

    std::vector<MessageBoxCall> calls;

private:
    MessageBoxHandler previous_;
};

SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour = 12, WORD minute = 0);

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

// Runs body on a new thread in its own apartment and waits for it to end.
void OnApartmentThread(const std::function<void()>& body);

// A file the build puts next to the test programs (Zarn2.ocx, Zarn2.tlb).
std::wstring BuiltFile(const wchar_t* name);

// A memory stream holding the bytes, positioned at the start, and back.
Microsoft::WRL::ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes);
std::vector<BYTE> BytesOf(IStream& stream);

// A picture as a host has one: loaded from a 24-bit bitmap file image.
Microsoft::WRL::ComPtr<IPictureDisp> FilePicture(LONG width, LONG height);

using ColourAt = std::function<COLORREF(int x, int y)>;

// What a fresh canvas shows; nothing under test draws in it.
inline constexpr COLORREF kPaper = 0x00336699;

// A 32-bit top-down DIB section painted pixel by pixel (0x00RRGGBB in memory).
HBITMAP Dib(int width, int height, const ColourAt& colour, std::uint32_t** bits = nullptr);

// A DIB section in a memory DC, read back pixel by pixel as COLORREFs.
class Canvas {
public:
    Canvas(
        int width, int height, const ColourAt& colour = [](int, int) { return kPaper; });
    Canvas(int width, int height, COLORREF fill) : Canvas(width, height, [fill](int, int) { return fill; }) {}

    HDC dc() const { return surface_.dc(); }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const;

private:
    int width_, height_;
    std::uint32_t* bits_ = nullptr;
    gdi::MemorySurface surface_;
};

// UTF-8 and back (the texts compared are keys, numbers and dates).
std::string Narrow(std::wstring_view text);
std::wstring Widen(std::string_view text);

// "VT_I4 20240229", "VT_R4 10", "VT_CY 11", "VT_DISPATCH null": a value and
// its type in one comparable text, for every type a property or a saved
// entry can have; pictures and fonts by what they show.
std::string Text(const VARIANT& v);

// A list as lines of one text, so that a failed comparison prints the
// differing lines rather than the first few dozen entries.
std::string Lines(const std::vector<std::string>& list);

// The number of the run-time error `f` raises, 0 when it raises none.
long ErrorNumberOf(const std::function<void()>& f);

// The drop-down calendar shown on this thread, or null.
HWND OpenCalendar();

// While it lives, a timer closes any calendar that opens with Escape, so
// that a click on the drop-down button returns.
class CalendarCloser {
public:
    CalendarCloser();
    ~CalendarCloser();
    CalendarCloser(const CalendarCloser&) = delete;
    CalendarCloser& operator=(const CalendarCloser&) = delete;

private:
    UINT_PTR timer_;
};

} // namespace zarn::test
