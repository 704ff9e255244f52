// Drags with real input (SendInput) from one control's text box, which
// drags its text by itself, onto another's, which takes a dropped date as
// its value; the first control's date changes between drags, so each drop
// shows. Passes when every drop arrived and no window, GDI object or
// object of the module is left once the controls are closed.
#include "Soak.h"
#include "com/ContainerFakes.h"
#include "com/OcxSupport.h"

#include <ole2.h>

#include <cstdlib>
#include <string>

using namespace zarn::test;
using zarn::soak::Figure;

namespace {

constexpr int kDrags = 1000; // or the number given on the command line

struct Hosted {
    Hosted(HWND form, RECT place)
        : site(form, place), ole(zarn::soak::Place(site, form, OLEIVERB_INPLACEACTIVATE)) {
        ole.As(&dispatch);
    }
    ~Hosted() { zarn::soak::Close(ole.Get()); }
    void Set(const wchar_t* name, const Var& value) {
        PropPut(dispatch.Get(), IdOf(dispatch.Get(), name), value);
    }
    std::wstring Shows() const {
        HWND window = nullptr;
        ComPtr<IOleWindow> ow;
        if (SUCCEEDED(ole.As(&ow)))
            ow->GetWindow(&window);
        wchar_t text[64] = L"";
        GetWindowTextW(FindWindowExW(window, nullptr, L"EDIT", nullptr), text, 64);
        return text;
    }
    FakeContainer site;
    ComPtr<IOleObject> ole;
    ComPtr<IDispatch> dispatch;
};

INPUT MouseAt(HWND form, POINT p, DWORD flags = 0) {
    ClientToScreen(form, &p);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return in;
}

// One step of a drag per tick, slower than the platform's own tracking
// timer, so that it sees every place the pointer passes.
struct Driver {
    HWND form = nullptr;
    Hosted* from = nullptr;
    Hosted* to = nullptr;
    zarn::soak::Watchdog* dog = nullptr;
    int left = 0;
    int step = 0;
    long drops = 0;
} driver;

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD) {
    static const wchar_t* kDates[] = {L"20261205", L"20270113"};
    const POINT source{40, 30}, onward{70, 33}, target{40, 70};
    INPUT in{};
    switch (driver.step++) {
    case 0:
        driver.from->Set(L"PValue", Var(kDates[driver.left % 2]));
        in = MouseAt(driver.form, source);
        break;
    case 1:
        in = MouseAt(driver.form, source, MOUSEEVENTF_LEFTDOWN);
        break;
    case 2:
        in = MouseAt(driver.form, onward);
        break;
    case 3:
        in = MouseAt(driver.form, target);
        break;
    case 4:
        in = MouseAt(driver.form, target, MOUSEEVENTF_LEFTUP);
        break;
    default:
        driver.drops += driver.to->Shows() == driver.from->Shows();
        driver.step = 0;
        --driver.left;
        driver.dog->Beat("drag");
        return;
    }
    SendInput(1, &in, sizeof in);
}

void Session(HWND form, zarn::soak::Watchdog& dog, int drags) {
    Hosted from(form, {20, 20, 180, 41}), to(form, {20, 60, 180, 81});
    from.Set(L"OLEDragMode", Var(1));
    to.Set(L"OLEDropMode", Var(2));
    PumpMessages();
    const auto before = zarn::soak::Figures::Take();
    zarn::soak::Print("hosted", before);
    driver = {form, &from, &to, &dog, drags, 0, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, Drive);
    MSG msg;
    while (driver.left > 0 && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, timer);
    PumpMessages();
    const auto after = zarn::soak::Figures::Take();
    zarn::soak::Print("after drags", after);
}

} // namespace

int main(int argc, char** argv) {
    const int drags = argc > 1 ? std::atoi(argv[1]) : kDrags;
    OleInitialize(nullptr);
    {
        FormWindow form;
        MessageBoxCloser boxes;
        SetForegroundWindow(GetAncestor(form.window, GA_ROOT));
        zarn::soak::Watchdog dog("dragdrop", 60);
        std::printf("drag and drop soak: %d drags from one text box onto another\n", drags);
        // A first session fills the system's caches, which a drag or two
        // leaves only partly filled.
        Session(form.window, dog, 10);
        PumpMessages();
        const auto empty = zarn::soak::Figures::Take();
        const auto emptyGdi = zarn::soak::GdiHandles();
        zarn::soak::Print("warmed up", empty);
        Session(form.window, dog, drags);
        PumpMessages();
        const auto closed = zarn::soak::Figures::Take();
        zarn::soak::Print("closed", closed);
        Figure("drags", drags);
        Figure("drops that arrived", driver.drops);
        Figure("windows leaked", closed.windows - empty.windows);
        Figure("GDI objects leaked", closed.gdiObjects - empty.gdiObjects);
        if (closed.gdiObjects != empty.gdiObjects)
            zarn::soak::PrintNewGdiObjects(emptyGdi);
        const HRESULT unload = Ocx::Get().CanUnloadNow();
        Figure("DllCanUnloadNow S_OK", unload == S_OK);
        const bool clean = unload == S_OK && driver.drops == drags && closed.windows == empty.windows &&
                           closed.gdiObjects == empty.gdiObjects;
        if (!clean)
            return 1;
    }
    OleUninitialize();
    return 0;
}
