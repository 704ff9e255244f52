#pragma once
// The calendar form's trap: one OK-only message, "frmVemo " + the
// procedure's label + description + " " + number, and the procedure leaves.
#include "platform/Report.h"

namespace frmCalendarTrap {

inline constexpr const wchar_t* kFormLabel = L"frmVemo ";

// Runs body; an error is reported, then `after` runs.
template <class Body, class After> void Trapped(Body&& body, const wchar_t* label, After&& after) {
    zarn::Trapped(body, [&](const zarn::RuntimeError& error) {
        zarn::ReportModuleError(kFormLabel, label, error);
        after();
    });
}

template <class Body> void Trapped(Body&& body, const wchar_t* label) {
    Trapped(body, label, [] {});
}

} // namespace frmCalendarTrap
