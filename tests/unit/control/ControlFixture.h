#pragma once
// A control on a fake host that records change notifications, on a fixed
// clock (5 December 2026), with message boxes recorded.
#include "TestSupport.h"
#include "control/Zarn.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zarn::test {

class FakeHost : public ControlHost {
public:
    void PropertyChanged(std::wstring_view key) override { keys.emplace_back(key); }
    bool UserMode() override { return userMode; }
    void RaiseEvent(DISPID id, std::span<EventArg> args) override {
        events.push_back(id);
        if (onEvent)
            onEvent(id, args);
    }
    void FocusChanged(bool gained) override { focus.push_back(gained); }
    void ViewChanged() override { ++viewChanges; }
    Microsoft::WRL::ComPtr<IFont> AmbientFont() override { return ambientFont; }

    std::vector<std::wstring> keys;
    std::vector<DISPID> events;
    // A host handler: may write into the by-reference arguments, or fail.
    std::function<void(DISPID, std::span<EventArg>)> onEvent;
    std::vector<bool> focus;
    int viewChanges = 0;
    bool userMode = true;
    Microsoft::WRL::ComPtr<IFont> ambientFont;
};

class ControlTest : public ::testing::Test {
protected:
    ControlTest() : clock_(MakeTime(2026, 12, 5, 10, 0)) {
        SharedSettings::ReleaseForThread();
        control = std::make_unique<Zarn>(host);
        control->InitProperties();
        host.keys.clear();
    }
    ~ControlTest() override {
        control.reset();
        SharedSettings::ReleaseForThread();
    }

    std::wstring BoxText() const { return control->Text1().Text(); }

    FixedClock clock_;
    MessageBoxRecorder boxes;
    FakeHost host;
    std::unique_ptr<Zarn> control;
};

inline Variant V(const wchar_t* s) {
    return Variant::FromText(s);
}

// The text form and the VARTYPE of a stored value, e.g. "20261205/8".
inline std::wstring Describe(const Variant& v) {
    return (v.IsEmpty() ? std::wstring(L"<empty>") : ToText(v.Get())) + L"/" + std::to_wstring(v.Type());
}

inline long ErrorNumberOf(auto&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

using Keys = std::vector<std::wstring>;

} // namespace zarn::test
