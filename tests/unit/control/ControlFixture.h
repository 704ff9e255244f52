#pragma once
// A control on a fake host that records change notifications and events,
// on a fixed clock (5 December 2026), with message boxes recorded.
#include "TestSupport.h"
#include "control/Zarn.h"

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
    bool RaiseEvent(DISPID id, std::span<EventArg> args) override;
    Microsoft::WRL::ComPtr<IUnknown> KeepAlive() override { return nullptr; }
    void FocusChanged(bool gained) override { focus.push_back(gained); }
    void ViewChanged() override { ++viewChanges; }
    Microsoft::WRL::ComPtr<IFont> AmbientFont() override { return ambientFont; }

    // The events raised since the last call, by name: "MouseMove MouseOver".
    std::string TakeEvents();

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
    ControlTest();
    ~ControlTest() override;

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
std::wstring Describe(const Variant& v);

using Keys = std::vector<std::wstring>;

} // namespace zarn::test
