#include "platform/Clock.h"

namespace zarn {

namespace {
std::optional<ClockReading>& Fixed() {
    static std::optional<ClockReading> fixed;
    return fixed;
}
} // namespace

SYSTEMTIME UtcNow() {
    if (Fixed())
        return Fixed()->utc;
    SYSTEMTIME st;
    GetSystemTime(&st);
    return st;
}

SYSTEMTIME LocalNow() {
    if (Fixed())
        return Fixed()->local;
    SYSTEMTIME st;
    GetLocalTime(&st);
    return st;
}

void SetClock(std::optional<ClockReading> fixed) {
    Fixed() = fixed;
}

} // namespace zarn
