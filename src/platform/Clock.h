#pragma once
// The clock service: the product reads the real system clock; tests set a
// fixed moment so that "today" is known.
#include <windows.h>

#include <optional>

namespace zarn {

struct ClockReading {
    SYSTEMTIME utc;
    SYSTEMTIME local;
};

SYSTEMTIME UtcNow();   // GetSystemTime, or the fixed UTC moment
SYSTEMTIME LocalNow(); // GetLocalTime, or the fixed local moment

// Fixes the clock for the calling process; std::nullopt returns to the real one.
void SetClock(std::optional<ClockReading> fixed);

} // namespace zarn
