// Lifetime: controls created, activated in place in a window, painted,
// deactivated and closed, one after the other, half of them given a client
// site and half only the active site of DoVerb; then the module loaded and
// freed over and over. Passes when memory, handles, GDI objects and windows
// stay flat, the module may unload at the end, and the reloads give back
// every TLS slot and handle.
#include "Soak.h"
#include "com/ContainerFakes.h"

using namespace zarn::test;
using zarn::soak::Figure;
using zarn::soak::Figures;

namespace {

constexpr int kCycles = 10000;
constexpr int kReloads = 2000;
// Heap fragmentation, not a leak: what private memory may grow by.
constexpr SIZE_T kMemorySlack = 256 * 1024;

// One control's life; with a client site set before activation, or with
// the site DoVerb is given and nothing else.
void Cycle(HWND form, bool withClientSite, const Canvas& canvas) {
    FakeContainer site(form, {20, 20, 180, 41});
    const ComPtr<IOleObject> ole = zarn::soak::Place(site, form, OLEIVERB_INPLACEACTIVATE, withClientSite);
    ComPtr<IViewObject2> view;
    ComPtr<IOleInPlaceObject> inPlace;
    ole.As(&view), ole.As(&inPlace);
    HWND window = nullptr;
    inPlace->GetWindow(&window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const RECTL bounds{0, 0, 160, 21};
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), &bounds, nullptr, nullptr, 0);
    inPlace->InPlaceDeactivate();
    zarn::soak::Close(ole.Get());
    PumpMessages();
}

bool Flat(const Figures& before, const Figures& after) {
    return after.privateBytes <= before.privateBytes + kMemorySlack && after.handles == before.handles &&
           after.gdiObjects == before.gdiObjects && after.windows == before.windows;
}

// 10,000 lives, with the figures every 2,000.
bool Lives(HWND form, zarn::soak::Watchdog& dog) {
    const Canvas canvas(160, 21);
    for (int i = 0; i < 100; ++i) // the first uses' caches
        Cycle(form, i % 2 == 0, canvas);
    const Figures before = Figures::Take();
    zarn::soak::Print("before", before);
    const auto gdiBefore = zarn::soak::GdiHandles();
    Figures after = before;
    for (int i = 1; i <= kCycles; ++i) {
        Cycle(form, i % 2 == 0, canvas);
        dog.Beat("cycle");
        if (i % 2000 == 0) {
            after = Figures::Take();
            char label[32];
            std::snprintf(label, sizeof label, "%d cycles", i);
            zarn::soak::Print(label, after);
        }
    }
    if (after.gdiObjects != before.gdiObjects)
        zarn::soak::PrintNewGdiObjects(gdiBefore);
    const bool unloads = Ocx::Get().CanUnloadNow() == S_OK;
    Figure("cycles", kCycles);
    Figure("private memory grown (KB)",
           static_cast<long long>(after.privateBytes - before.privateBytes) / 1024);
    Figure("handles leaked", after.handles - before.handles);
    Figure("GDI objects leaked", after.gdiObjects - before.gdiObjects);
    Figure("windows leaked", after.windows - before.windows);
    Figure("DllCanUnloadNow S_OK", unloads ? 1 : 0);
    return unloads && Flat(before, after);
}

// 2,000 loads and frees of a copy of the module, every tenth with a control.
bool Reloads(zarn::soak::Watchdog& dog) {
    const std::wstring path = BuiltFile(L"Zarn2-soak.ocx");
    if (!CopyFileW(BuiltFile(L"Zarn2.ocx").c_str(), path.c_str(), FALSE))
        return false;
    LoadUseAndFree(path, true);
    const int handles = OpenHandles();
    const DWORD slot = FreeTlsSlot();
    for (int i = 0; i < kReloads; ++i) {
        LoadUseAndFree(path, i % 10 == 0);
        dog.Beat("reload");
    }
    const int handlesAfter = OpenHandles();
    const DWORD slotAfter = FreeTlsSlot();
    DeleteFileW(path.c_str());
    Figure("reloads", kReloads);
    Figure("handles before reloads", handles);
    Figure("handles after reloads", handlesAfter);
    Figure("free TLS slot before", slot);
    Figure("free TLS slot after", slotAfter);
    return handlesAfter == handles && slotAfter == slot;
}

} // namespace

int main() {
    ComApartment apartment;
    FormWindow form;
    MessageBoxCloser boxes;
    zarn::soak::Watchdog dog("lifetime", 60); // a thread: before the first figures
    std::printf("lifetime soak: %d control lives, %d module reloads\n", kCycles, kReloads);
    const bool lives = Lives(form.window, dog);
    const bool reloads = Reloads(dog);
    Figure("crashes", 0);
    std::printf("lifetime: %s\n", lives && reloads ? "passed" : "FAILED");
    return lives && reloads ? 0 : 1;
}
