#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zarn::test {

MessageBoxRecorder::MessageBoxRecorder() {
    previous_ = SetMessageBoxHandler([this](const MessageBoxCall& call) {
        calls.push_back(call);
        return IDOK;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHandler(std::move(previous_));
}

std::vector<std::wstring> MessageBoxRecorder::Texts() const {
    std::vector<std::wstring> texts;
    for (const auto& c : calls)
        texts.push_back(c.text);
    return texts;
}

SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    return st;
}

namespace {
DWORD WINAPI RunInApartment(void* body) {
    ComApartment apartment;
    (*static_cast<const std::function<void()>*>(body))();
    return 0;
}
} // namespace

void OnApartmentThread(const std::function<void()>& body) {
    const HANDLE thread =
        CreateThread(nullptr, 0, RunInApartment, const_cast<std::function<void()>*>(&body), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

std::wstring BuiltFile(const wchar_t* name) {
    wchar_t exe[MAX_PATH];
    const std::wstring path(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

Microsoft::WRL::ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
    Microsoft::WRL::ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf());
    ULONG written = 0;
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::vector<BYTE> BytesOf(IStream& stream) {
    STATSTG stat{};
    stream.Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    stream.Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty())
        stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

Microsoft::WRL::ComPtr<IPictureDisp> FilePicture(LONG width, LONG height) {
    const DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + rowBytes * height, 0);
    auto* header = reinterpret_cast<BITMAPFILEHEADER*>(file.data());
    header->bfType = 0x4D42;
    header->bfSize = static_cast<DWORD>(file.size());
    header->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    auto* info = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    *info = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    Microsoft::WRL::ComPtr<IPictureDisp> picture;
    OleLoadPicture(StreamOf(file).Get(), static_cast<LONG>(file.size()), FALSE, IID_IPictureDisp,
                   reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

HBITMAP Dib(int width, int height, const ColourAt& colour, std::uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader =
        BITMAPINFOHEADER{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top-down
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

Canvas::Canvas(int width, int height, const ColourAt& colour)
    : width_(width), height_(height),
      surface_(nullptr, gdi::UniqueBitmap(Dib(width, height, colour, &bits_))) {}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string Narrow(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Widen(std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
    return out;
}

namespace {

constexpr std::pair<VARTYPE, const char*> kTypeNames[] = {
    {VT_EMPTY, "VT_EMPTY"},    {VT_NULL, "VT_NULL"}, {VT_BOOL, "VT_BOOL"}, {VT_I2, "VT_I2"},
    {VT_I4, "VT_I4"},          {VT_UI4, "VT_UI4"},   {VT_R4, "VT_R4"},     {VT_R8, "VT_R8"},
    {VT_CY, "VT_CY"},          {VT_DATE, "VT_DATE"}, {VT_BSTR, "VT_BSTR"}, {VT_DISPATCH, "VT_DISPATCH"},
    {VT_UNKNOWN, "VT_UNKNOWN"}};

// " picture type 1, 106 x 53", " font Arial 10 bold", " null" or " object".
std::string ObjectText(IUnknown* object) {
    char buffer[96];
    Microsoft::WRL::ComPtr<IPicture> picture;
    Microsoft::WRL::ComPtr<IFont> font;
    if (!object)
        return " null";
    if (SUCCEEDED(object->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.GetAddressOf())))) {
        SHORT kind = -1;
        OLE_XSIZE_HIMETRIC w = -1;
        OLE_YSIZE_HIMETRIC h = -1;
        picture->get_Type(&kind), picture->get_Width(&w), picture->get_Height(&h);
        snprintf(buffer, sizeof buffer, " picture type %d, %ld x %ld", kind, static_cast<long>(w),
                 static_cast<long>(h));
        return buffer;
    }
    if (FAILED(object->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf()))))
        return " object";
    Bstr name;
    CY size{};
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
    font->get_Name(name.Put()), font->get_Size(&size), font->get_Bold(&bold), font->get_Italic(&italic);
    font->get_Underline(&underline), font->get_Strikethrough(&strike);
    snprintf(buffer, sizeof buffer, " %g%s%s%s%s", static_cast<double>(size.int64) / 10000.0,
             bold ? " bold" : "", italic ? " italic" : "", underline ? " underline" : "",
             strike ? " strike" : "");
    return " font " + Narrow(name.Text()) + buffer;
}

} // namespace

std::string Text(const VARIANT& v) {
    std::string type = "vt " + std::to_string(V_VT(&v));
    for (const auto& [vt, name] : kTypeNames)
        if (vt == V_VT(&v))
            type = name;
    if (V_VT(&v) == VT_EMPTY || V_VT(&v) == VT_NULL)
        return type;
    if (V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN)
        return type + ObjectText(V_UNKNOWN(&v));
    if (V_VT(&v) == VT_BOOL && V_BOOL(&v) != VARIANT_TRUE && V_BOOL(&v) != VARIANT_FALSE)
        return type + " odd";
    // The invariant locale writes numbers as a script reads them back.
    Variant text;
    if (FAILED(VariantChangeTypeEx(text.Put(), const_cast<VARIANT*>(&v), LOCALE_INVARIANT, VARIANT_ALPHABOOL,
                                   VT_BSTR)))
        return type;
    return type + " " + Narrow({V_BSTR(&text.Get()), SysStringLen(V_BSTR(&text.Get()))});
}

std::string Lines(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& line : list)
        text += line + "\n";
    return text;
}

long ErrorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

namespace {

BOOL CALLBACK NoteCalendar(HWND w, LPARAM out) {
    wchar_t name[32] = {};
    GetClassNameW(w, name, 32);
    if (IsWindowVisible(w) && std::wstring(name) == L"Zarn2Calendar")
        *reinterpret_cast<HWND*>(out) = w;
    return TRUE;
}

void CALLBACK EscapeCalendar(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND calendar = OpenCalendar())
        PostMessageW(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
}

} // namespace

HWND OpenCalendar() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), NoteCalendar, reinterpret_cast<LPARAM>(&found));
    return found;
}

CalendarCloser::CalendarCloser() : timer_(SetTimer(nullptr, 0, 10, EscapeCalendar)) {}

CalendarCloser::~CalendarCloser() {
    KillTimer(nullptr, timer_);
}

} // namespace zarn::test
