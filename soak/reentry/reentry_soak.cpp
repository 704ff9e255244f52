// Re-entrancy: controls in a container of fakes whose event handler, on one
// event chosen at random, closes and releases the control, sets PValue,
// calls DrawControl or disconnects itself, while messages and calls raise
// events. The suite passes when it ends by itself with every control gone.
#include "Soak.h"
#include "com/ContainerFakes.h"

#include <array>

using namespace zarn::test;
using zarn::soak::Figure;

namespace {

constexpr int kRounds = 4000;
constexpr int kStimuliPerRound = 12;

enum Action { CloseAndRelease, SetValue, Draw, Disconnect, kActions };
const char* const kActionNames[kActions] = {"close and release", "set PValue", "DrawControl", "disconnect"};
constexpr std::array<DISPID, 10> kEvents = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11};

struct Totals {
    long long events = 0;
    long long acted[kActions] = {};
};

// The calendar that F4 or the button opens is closed from a timer inside
// its loop, by turns with Enter (a pick: Change, CalendarChoose) and Escape.
void CALLBACK CloseCalendar(HWND, UINT, UINT_PTR, DWORD) {
    static bool pick = false;
    const HWND active = GetActiveWindow();
    wchar_t name[32] = {};
    if (!active || !GetClassNameW(active, name, 32) || std::wstring(name) != L"Zarn2Calendar")
        return;
    pick = !pick;
    PostMessageW(active, pick ? WM_KEYUP : WM_KEYDOWN, pick ? VK_RETURN : VK_ESCAPE, 0);
}

// One control on the form, its handler armed for one event and one action.
class Round {
public:
    Round(FormWindow& form, zarn::soak::Rng& rng, Totals& totals)
        : rng_(rng), totals_(totals), site_(form.window, {20, 30, 140, 51}),
          ole_(zarn::soak::Place(site_, form.window, OLEIVERB_INPLACEACTIVATE)) {
        ole_.As(&object_);
        ComPtr<IConnectionPointContainer> points;
        object_.As(&points);
        points->FindConnectionPoint(kDiidZarnEvents, point_.GetAddressOf());
        point_->Advise(&sink_, &cookie_);
        armed_ = kEvents[rng_.Below(kEvents.size())];
        action_ = static_cast<Action>(rng_.Below(kActions));
        sink_.handler = [this](DISPID id) { Handle(id); };
        ComPtr<IOleWindow> window;
        object_.As(&window);
        window->GetWindow(&window_);
    }

    ~Round() {
        if (ole_)
            zarn::soak::Close(ole_.Get());
        point_.Reset(), ole_.Reset(), object_.Reset();
        PumpMessages();
        totals_.events += static_cast<long long>(sink_.events.size());
    }

    // A message to the control's windows or a call, chosen at random; none
    // once the control is gone.
    void Stimulate() {
        if (!object_)
            return;
        const HWND box = FindWindowExW(window_, nullptr, L"EDIT", nullptr);
        const LPARAM at[] = {MAKELPARAM(100, 10), MAKELPARAM(10, 10), MAKELPARAM(300, 10)};
        switch (rng_.Below(8)) {
        case 0: SendMessageW(box, WM_KEYDOWN, rng_.Percent(50) ? VK_F4 : 'A', 1); break;
        case 1: SendMessageW(box, WM_CHAR, 'a', 1); break;
        case 2: SendMessageW(box, WM_KEYUP, VK_F4, 1); break;
        case 3: SendMessageW(window_, WM_MOUSEMOVE, 0, at[rng_.Below(3)]); break;
        case 4: ClickAt(window_, POINT{rng_.Percent(50) ? 100 : 10, 10}); break;
        case 5: SetPValue(); break;
        case 6: SendMessageW(window_, WM_KEYDOWN, VK_F4, 1); break;
        default: Invoke(object_.Get(), IdOf(object_.Get(), L"RefreshControl"), DISPATCH_METHOD, {}); break;
        }
        PumpMessages();
    }

private:
    void Handle(DISPID id) {
        if (id != armed_ || acted_)
            return;
        acted_ = true;
        ++totals_.acted[action_];
        switch (action_) {
        case CloseAndRelease:
            zarn::soak::Close(ole_.Get());
            point_.Reset(), ole_.Reset(), object_.Reset();
            break;
        case SetValue:
            SetPValue();
            break;
        case Draw:
            Invoke(object_.Get(), IdOf(object_.Get(), L"DrawControl"), DISPATCH_METHOD,
                   {static_cast<long>(rng_.Below(3))});
            break;
        case Disconnect:
            point_->Unadvise(cookie_);
            break;
        default:
            break;
        }
    }

    void SetPValue() { PropPut(object_.Get(), id::PValue, static_cast<long>(20200101 + rng_.Below(28))); }

    zarn::soak::Rng& rng_;
    Totals& totals_;
    FakeContainer site_;
    EventSink sink_;
    ComPtr<IOleObject> ole_;
    ComPtr<IDispatch> object_;
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
    HWND window_ = nullptr;
    DISPID armed_ = 0;
    Action action_ = CloseAndRelease;
    bool acted_ = false;
};

} // namespace

int main() {
    zarn::test::ComApartment apartment;
    FormWindow form;
    MessageBoxCloser boxes;
    zarn::soak::Rng rng(zarn::soak::kSeed);
    zarn::soak::Watchdog dog("reentry", 60);
    Totals totals;
    SetTimer(nullptr, 0, 5, CloseCalendar);
    std::printf("reentry soak: seed %llu, %d rounds of %d stimuli\n",
                static_cast<unsigned long long>(zarn::soak::kSeed), kRounds, kStimuliPerRound);
    { Round warmUp(form, rng, totals); }
    const auto before = zarn::soak::Figures::Take();
    zarn::soak::Print("before", before);
    for (int i = 0; i < kRounds; ++i) {
        Round round(form, rng, totals);
        for (int s = 0; s < kStimuliPerRound; ++s)
            round.Stimulate();
        dog.Beat("round");
    }
    const auto after = zarn::soak::Figures::Take();
    zarn::soak::Print("after", after);
    Figure("rounds", kRounds);
    Figure("events raised", totals.events);
    for (int a = 0; a < kActions; ++a)
        Figure(kActionNames[a], totals.acted[a]);
    Figure("message boxes closed", static_cast<long long>(boxes.texts.size()));
    const bool unloads = Ocx::Get().CanUnloadNow() == S_OK;
    Figure("controls left alive", unloads ? 0 : 1);
    Figure("windows leaked", after.windows - before.windows);
    Figure("GDI objects leaked", after.gdiObjects - before.gdiObjects);
    Figure("crashes", 0);
    return unloads && after.windows == before.windows ? 0 : 1;
}
