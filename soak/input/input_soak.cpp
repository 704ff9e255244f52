// Random real input: mouse moves, clicks and keys through the system's input
// queue (SendInput) into two controls hosted on a form of fakes, with the
// keys offered to the UI-active control first as a container does. Modal
// message boxes are closed as they appear. Passes when the run ends by
// itself and no window or GDI object is left over beyond what a first,
// shorter session leaves in the system's caches.
#include "Soak.h"
#include "com/ContainerFakes.h"

#include <array>
#include <cstdlib>
#include <vector>

using namespace zarn::test;
using zarn::soak::Figure;

namespace {

constexpr int kEvents = 100000; // or the number given on the command line
constexpr int kWarmUpEvents = 2000;

// A control in its own site on the form, UI-activated once so it has been
// through every state.
struct Hosted {
    Hosted(HWND form, RECT place)
        : site(form, place), ole(zarn::soak::Place(site, form, OLEIVERB_UIACTIVATE)) {}
    ~Hosted() { zarn::soak::Close(ole.Get()); }
    FakeContainer site;
    ComPtr<IOleObject> ole;
};

// Keys a user of a form presses; Alt only with Down (alone it would open the
// system menu's modal loop), never Alt+F4 or the Windows key.
struct Key {
    WORD vk;
    bool shift, alt;
};
constexpr std::array<Key, 20> kKeys = {
    {{'A', false, false},       {'7', false, false},      {VK_TAB, false, false},
     {VK_TAB, true, false},     {VK_F4, false, false},    {VK_DOWN, false, true},
     {VK_DOWN, false, false},   {VK_UP, false, false},    {VK_LEFT, false, false},
     {VK_RIGHT, false, false},  {VK_HOME, false, false},  {VK_END, false, false},
     {VK_DELETE, false, false}, {VK_BACK, false, false},  {VK_RETURN, false, false},
     {VK_ESCAPE, false, false}, {VK_SPACE, false, false}, {VK_PRIOR, false, false},
     {VK_NEXT, false, false},   {'Z', true, false}}};

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x;
    in.mi.dy = y;
    in.mi.dwFlags = flags;
    return in;
}

// Runs one message; a key goes to the UI-active control's
// TranslateAccelerator first, as a container's message loop sends it.
void Handle(MSG& msg, const std::vector<Hosted*>& controls) {
    bool taken = false;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
        for (Hosted* c : controls)
            if (c->site.frame.active)
                taken = taken || c->site.frame.active->TranslateAccelerator(&msg) == S_OK;
    if (!taken) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Runs the waiting messages.
void Pump(const std::vector<Hosted*>& controls) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        Handle(msg, controls);
}

// One random user action inside the form's client area.
void Act(zarn::soak::Rng& rng, HWND form, std::vector<INPUT>& inputs, long long counts[3]) {
    inputs.clear();
    const unsigned kind = rng.Below(100);
    if (kind < 80) {
        RECT client{};
        GetClientRect(form, &client);
        POINT p{static_cast<LONG>(rng.Below(client.right)), static_cast<LONG>(rng.Below(client.bottom))};
        ClientToScreen(form, &p);
        const LONG x = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        const LONG y = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y));
        if (kind >= 55) {
            const bool right = rng.Percent(15);
            inputs.push_back(MouseInput(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
            inputs.push_back(MouseInput(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
            ++counts[1];
        } else {
            ++counts[0];
        }
    } else {
        const Key& key = kKeys[rng.Below(kKeys.size())];
        const WORD modifier = key.shift ? VK_SHIFT : key.alt ? VK_MENU : 0;
        if (modifier)
            inputs.push_back(KeyInput(modifier, false));
        inputs.push_back(KeyInput(key.vk, false));
        inputs.push_back(KeyInput(key.vk, true));
        if (modifier)
            inputs.push_back(KeyInput(modifier, true));
        ++counts[2];
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The input comes from a timer, so that it goes on while a control's
// calendar runs its own message loop: the calendar gets keys and clicks as
// the form does, and a click outside or Escape closes it. The timer's
// message comes last in the queue, after the input of the tick before.
constexpr int kEventsPerTick = 3;

struct Driver {
    zarn::soak::Rng* rng = nullptr;
    zarn::soak::Watchdog* dog = nullptr;
    HWND form = nullptr;
    std::vector<Hosted*> controls;
    int left = 0;
    long long* counts = nullptr;
    std::vector<INPUT> inputs;
    bool calendarWasOpen = false;
    long long calendarsOpened = 0;
} driver;

HWND OpenCalendar() {
    return FindWindowW(L"Zarn2Calendar", nullptr);
}

void CALLBACK DriveInput(HWND, UINT, UINT_PTR, DWORD) {
    for (int i = 0; i < kEventsPerTick && driver.left > 0; ++i, --driver.left)
        Act(*driver.rng, driver.form, driver.inputs, driver.counts);
    const HWND calendar = OpenCalendar();
    driver.calendarsOpened += calendar && !driver.calendarWasOpen;
    driver.calendarWasOpen = calendar != nullptr;
    const HWND top = GetAncestor(driver.form, GA_ROOT);
    if (!calendar && GetForegroundWindow() != top)
        SetForegroundWindow(top);
    if (calendar && driver.left == 0)
        PostMessageW(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
    for (Hosted* c : driver.controls)
        c->site.log.clear();
    driver.dog->Beat("event");
}

// A session: the two controls hosted, `events` random events, closed.
// Prints the figures while hosted; counts[] are mouse moves, clicks, keys.
void Session(HWND form, zarn::soak::Rng& rng, zarn::soak::Watchdog& dog, int events, long long counts[3]) {
    Hosted first(form, {20, 20, 180, 41}), second(form, {20, 60, 200, 84});
    const std::vector<Hosted*> controls{&first, &second};
    Pump(controls);
    const auto before = zarn::soak::Figures::Take();
    zarn::soak::Print("hosted", before);
    const long long opened = driver.calendarsOpened;
    driver = {&rng, &dog, form, controls, events, counts, {}, false, opened};
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, DriveInput);
    // Until the last input is taken and no calendar is open: a key left in
    // the queue could open one after the timer that closes it has gone.
    while (driver.left > 0 || OpenCalendar() || HIWORD(GetQueueStatus(QS_INPUT))) {
        MSG msg;
        if (GetMessageW(&msg, nullptr, 0, 0) > 0)
            Handle(msg, controls);
    }
    KillTimer(nullptr, timer);
    Pump(controls);
    driver.controls.clear();
    const auto after = zarn::soak::Figures::Take();
    zarn::soak::Print("after events", after);
    Figure("windows leaked while hosted", after.windows - before.windows);
    Figure("GDI objects leaked while hosted", after.gdiObjects - before.gdiObjects);
}

} // namespace

// The window manager keeps a cache of device contexts (each with its
// regions) that grows, on first use, to the most it was asked for at once
// and is never given back: a warm-up session with input fills it before
// the baseline is taken, and its objects are listed.
int main(int argc, char** argv) {
    const int events = argc > 1 ? std::atoi(argv[1]) : kEvents;
    zarn::test::ComApartment apartment;
    FormWindow form;
    MessageBoxCloser boxes;
    SetForegroundWindow(GetAncestor(form.window, GA_ROOT));
    zarn::soak::Rng rng(zarn::soak::kSeed);
    zarn::soak::Watchdog dog("input", 60);
    std::printf("input soak: seed %llu, %d random mouse and key events into two controls\n",
                static_cast<unsigned long long>(zarn::soak::kSeed), events);
    const auto start = zarn::soak::Figures::Take();
    const auto startGdi = zarn::soak::GdiHandles();
    zarn::soak::Print("start", start);
    long long counts[3] = {};
    Session(form.window, rng, dog, kWarmUpEvents, counts);
    PumpMessages();
    const auto empty = zarn::soak::Figures::Take();
    zarn::soak::Print("warmed up", empty);
    std::printf("  objects the warm-up left (the caches):\n");
    zarn::soak::PrintNewGdiObjects(startGdi);
    const auto emptyGdi = zarn::soak::GdiHandles();
    Session(form.window, rng, dog, events, counts);
    PumpMessages();
    const auto closed = zarn::soak::Figures::Take();
    zarn::soak::Print("closed", closed);
    Figure("mouse moves", counts[0]);
    Figure("clicks", counts[1]);
    Figure("keys", counts[2]);
    Figure("calendars opened", driver.calendarsOpened);
    Figure("message boxes closed", static_cast<long long>(boxes.texts.size()));
    Figure("windows leaked", closed.windows - empty.windows);
    Figure("GDI objects leaked", closed.gdiObjects - empty.gdiObjects);
    Figure("crashes", 0);
    Figure("hangs", 0);
    if (closed.gdiObjects != empty.gdiObjects)
        zarn::soak::PrintNewGdiObjects(emptyGdi);
    const bool clean = Ocx::Get().CanUnloadNow() == S_OK && closed.windows == empty.windows &&
                       closed.gdiObjects == empty.gdiObjects;
    return clean ? 0 : 1;
}
