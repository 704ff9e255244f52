#pragma once
// What every procedure of the drawing module shares: its trap, and whole
// number arithmetic that fails the way the module's callers expect (an
// overflow or a division by zero is an error to report, never a wrap).
#include "draw/mDrawFns.h"
#include "platform/Report.h"

namespace mDrawFns::detail {

// The module's error report, for zarn::Trapped: the message with the
// procedure's label; the procedure then returns to its caller.
inline auto Reported(const wchar_t* label) {
    return [label](const zarn::RuntimeError& error) { zarn::ReportModuleError(kModuleLabel, label, error); };
}

// The same for a procedure with a result, which then returns `result`.
template <class Result> auto ReportedWith(const wchar_t* label, Result result) {
    return [label, result](const zarn::RuntimeError& error) {
        zarn::ReportModuleError(kModuleLabel, label, error);
        return result;
    };
}

inline long Plus(long a, long b) {
    long sum;
    if (__builtin_add_overflow(a, b, &sum))
        zarn::Raise(zarn::ErrOverflow);
    return sum;
}

inline long Minus(long a, long b) {
    long difference;
    if (__builtin_sub_overflow(a, b, &difference))
        zarn::Raise(zarn::ErrOverflow);
    return difference;
}

inline constexpr long ErrDivisionByZero = 11;

// The remainder with the sign of the dividend.
inline long Mod(long a, long b) {
    if (b == 0)
        zarn::Raise(ErrDivisionByZero);
    if (b == -1) // the one quotient that overflows; its remainder is 0
        return 0;
    return a % b;
}

} // namespace mDrawFns::detail
