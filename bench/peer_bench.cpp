// The everyday work of a form, the built control beside the platform's
// date-time picker (SysDateTimePick32) in one process and one parent:
// setting the value, creating and destroying 1,000 instances, a mouse move
// inside the drop-down button, and the face's draw against its floor. Each
// figure is the median of five repetitions; the ratios are what to read.
#include "com/ContainerFakes.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace zarn::test;

namespace {

constexpr int kRepetitions = 5;
constexpr int kCalls = 400;
constexpr int kInstances = 1000;
constexpr RECT kPlace{20, 20, 180, 41};

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median of five figures.
double MedianOf(std::array<double, kRepetitions> figures) {
    std::sort(figures.begin(), figures.end());
    return figures[kRepetitions / 2];
}

// The median over five repetitions of what `run` returns (microseconds).
double Median(const std::function<double()>& run) {
    std::array<double, kRepetitions> figures{};
    for (double& figure : figures)
        figure = run();
    return MedianOf(figures);
}

// Microseconds per call of `work`, the median of five rounds of kCalls,
// after a warm-up; call i gets its number so values can alternate.
double PerCall(const std::function<void(int)>& work) {
    for (int i = 0; i < kCalls / 10; ++i)
        work(i);
    return Median([&] {
        const double start = Now();
        for (int i = 0; i < kCalls; ++i)
            work(i);
        GdiFlush();
        return (Now() - start) / kCalls;
    });
}

void Row(const char* work, double ours, const char* peer, double theirs) {
    std::printf("  %-34s %9.1f us   %-30s %9.1f us   %5.2f x\n", work, ours, peer, theirs, ours / theirs);
}

HWND Child(const wchar_t* cls, HWND parent, DWORD style = 0) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, kPlace.left, kPlace.top,
                           kPlace.right - kPlace.left, kPlace.bottom - kPlace.top, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A control placed in the form through its own site, as a container does.
struct Placed {
    explicit Placed(HWND form) : site(form, kPlace) {
        const auto object = Ocx::Get().Create();
        object.As(&ole);
        ComPtr<IPersistStreamInit> persist;
        object.As(&persist);
        ole->SetClientSite(&site);
        persist->InitNew();
        ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form, &site.position);
    }
    ~Placed() {
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);
    }
    ComPtr<IDispatch> Dispatch() const {
        ComPtr<IDispatch> d;
        ole.As(&d);
        return d;
    }
    HWND Window() const {
        ComPtr<IOleInPlaceObject> inPlace;
        ole.As(&inPlace);
        HWND window = nullptr;
        inPlace->GetWindow(&window);
        return window;
    }

    FakeContainer site;
    ComPtr<IOleObject> ole;
};

DISPID IdOf(IDispatch* d, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

HRESULT Put(IDispatch* d, DISPID id, VARIANT value, WORD flags = DISPATCH_PROPERTYPUT) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, nullptr, nullptr, nullptr);
}

void ValueRow(HWND form) {
    const Placed control(form);
    const ComPtr<IDispatch> d = control.Dispatch();
    const DISPID pvalue = IdOf(d.Get(), L"PValue");
    VARIANT text{};
    text.vt = VT_BSTR;
    const Bstr days[] = {Bstr(L"20261205"), Bstr(L"20261206")};
    VARIANT number{};
    number.vt = VT_I4;
    const double ours = PerCall([&](int i) {
        if (i % 2) {
            number.lVal = 20261207 + (i / 2) % 2;
            Put(d.Get(), pvalue, number);
        } else {
            text.bstrVal = days[(i / 2) % 2].Get();
            Put(d.Get(), pvalue, text);
        }
    });
    const HWND picker = Child(DATETIMEPICK_CLASSW, form);
    SYSTEMTIME times[] = {MakeTime(2026, 12, 5), MakeTime(2026, 12, 6)};
    const double dtm =
        PerCall([&](int i) { SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&times[i % 2])); });
    DestroyWindow(picker);
    const HWND edit = Child(L"EDIT", form, ES_AUTOHSCROLL);
    const wchar_t* shown[] = {L"05/12/2026", L"06/12/2026"};
    const double plain = PerCall([&](int i) { SetWindowTextW(edit, shown[i % 2]); });
    DestroyWindow(edit);
    Row("PValue put (IDispatch)", ours, "DTM_SETSYSTEMTIME", dtm);
    Row("PValue put (IDispatch)", ours, "SetWindowText, plain EDIT", plain);
}

// Creation and destruction of 1,000 instances in one parent, per instance.
// The parent is hidden: under Xvfb each window that leaves a shown one
// costs a repaint of what lay beneath, which would swamp both figures.
void LifetimeRows(HWND shown) {
    const HWND form = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 400, 200, shown, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    std::vector<std::unique_ptr<Placed>> controls;
    controls.reserve(kInstances);
    std::array<double, kRepetitions> create{}, destroy{};
    for (int r = 0; r < kRepetitions; ++r) {
        const double start = Now();
        for (int i = 0; i < kInstances; ++i)
            controls.push_back(std::make_unique<Placed>(form));
        const double end = Now();
        controls.clear();
        create[r] = (end - start) / kInstances;
        destroy[r] = (Now() - end) / kInstances;
    }
    std::vector<HWND> pickers(kInstances);
    std::array<double, kRepetitions> createPeer{}, destroyPeer{};
    for (int r = 0; r < kRepetitions; ++r) {
        const double start = Now();
        for (HWND& p : pickers)
            p = Child(DATETIMEPICK_CLASSW, form);
        const double end = Now();
        for (HWND p : pickers)
            DestroyWindow(p);
        createPeer[r] = (end - start) / kInstances;
        destroyPeer[r] = (Now() - end) / kInstances;
    }
    DestroyWindow(form);
    PumpMessages();
    Row("creation of 1,000, per instance", MedianOf(create), "SysDateTimePick32", MedianOf(createPeer));
    Row("destruction, per instance", MedianOf(destroy), "SysDateTimePick32", MedianOf(destroyPeer));
}

// A 16 x 16 icon picture of one colour.
ComPtr<IPictureDisp> Icon16() {
    const HBITMAP colour = Dib(16, 16, [](int x, int y) { return RGB(x * 16, y * 16, 128); });
    const HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    PICTDESC desc{sizeof desc, PICTYPE_ICON, {}};
    desc.icon.hicon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    ComPtr<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

double MoveInsideButton(HWND window, int x, int y) {
    const double us =
        PerCall([&](int i) { SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x - i % 2, y)); });
    ReleaseCapture();
    return us;
}

void MouseRows(HWND form) {
    const int height = kPlace.bottom - kPlace.top, width = kPlace.right - kPlace.left;
    const HWND picker = Child(DATETIMEPICK_CLASSW, form);
    const double theirs = MoveInsideButton(picker, width - 8, height / 2);
    DestroyWindow(picker);
    const Placed control(form);
    const double plain = MoveInsideButton(control.Window(), width - height / 2, height / 2);
    const ComPtr<IDispatch> d = control.Dispatch();
    const ComPtr<IPictureDisp> icon = Icon16();
    VARIANT v{};
    v.vt = VT_DISPATCH;
    v.pdispVal = icon.Get();
    Put(d.Get(), IdOf(d.Get(), L"Icon"), v, DISPATCH_PROPERTYPUTREF);
    const double withIcon = MoveInsideButton(control.Window(), width - height / 2, height / 2);
    Row("mouse move in the button, no icon", plain, "SysDateTimePick32", theirs);
    Row("the same with a 16 x 16 icon", withIcon, "SysDateTimePick32", theirs);
}

// The face at rest against its floor on the same window DC: one fill and
// two frames.
void FaceRow(HWND form) {
    const Placed control(form);
    ComPtr<zarn::_Zarn> z;
    control.ole->QueryInterface(kIidZarn, reinterpret_cast<void**>(z.GetAddressOf()));
    const HWND window = control.Window();
    const double ours = PerCall([&](int) { z->DrawControl(0); });
    const HDC dc = GetDC(window);
    const RECT whole{0, 0, kPlace.right - kPlace.left, kPlace.bottom - kPlace.top};
    const RECT text{0, 0, whole.right - whole.bottom, whole.bottom};
    const double floor = PerCall([&](int) {
        FillRect(dc, &whole, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(dc, &text, GetSysColorBrush(COLOR_GRAYTEXT));
        FrameRect(dc, &whole, GetSysColorBrush(COLOR_GRAYTEXT));
    });
    ReleaseDC(window, dc);
    Row("face draw, DrawControl(0)", ours, "floor: 1 FillRect + 2 FrameRect", floor);
}

} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    {
        const MessageBoxCloser boxes;
        const FormWindow form(640, 200);
        std::printf("Zarn2 beside the platform's date-time picker, medians of %d repetitions\n",
                    kRepetitions);
        std::printf("  %-34s %12s   %-30s %12s   %s\n", "work", "Zarn2", "peer", "peer", "ratio");
        ValueRow(form.window);
        LifetimeRows(form.window);
        MouseRows(form.window);
        FaceRow(form.window);
    }
    OleUninitialize();
    return 0;
}
