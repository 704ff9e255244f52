#pragma once
// Helpers shared by the unit tests: a message-box recorder, a fixed clock,
// and a COM apartment for the test's thread.
#include "host/runtime/Clock.h"
#include "host/runtime/MessageBox.h"

#include <objbase.h>

#include <string>
#include <vector>

namespace zarn::test {

// Records every message box instead of showing it, answering OK.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() {
        previous_ = SetMessageBoxHandler([this](const MessageBoxCall& call) {
            calls.push_back(call);
            return IDOK;
        });
    }
    ~MessageBoxRecorder() { SetMessageBoxHandler(std::move(previous_)); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const auto& c : calls)
            texts.push_back(c.text);
        return texts;
    }

    std::vector<MessageBoxCall> calls;

private:
    MessageBoxHandler previous_;
};

inline SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour = 12, WORD minute = 0) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    return st;
}

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

} // namespace zarn::test
