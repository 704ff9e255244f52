#include "ControlFixture.h"

namespace zarn::test {

bool FakeHost::RaiseEvent(DISPID id, std::span<EventArg> args) {
    events.push_back(id);
    if (onEvent)
        onEvent(id, args);
    return true;
}

std::string FakeHost::TakeEvents() {
    std::string names;
    for (const DISPID id : std::exchange(events, {}))
        names += (names.empty() ? "" : " ") + std::string(shape::kEvents[id - 1].name);
    return names;
}

ControlTest::ControlTest() : clock_(MakeTime(2026, 12, 5, 10, 0)) {
    SharedSettings::ReleaseForThread();
    control = std::make_unique<Zarn>(host);
    control->InitProperties();
    host.keys.clear();
}

ControlTest::~ControlTest() {
    control.reset();
    SharedSettings::ReleaseForThread();
}

std::wstring Describe(const Variant& v) {
    return (v.IsEmpty() ? std::wstring(L"<empty>") : ToText(v.Get())) + L"/" + std::to_wstring(v.Type());
}

} // namespace zarn::test
