#pragma once
// HRESULTs as the log shows them: the symbolic name where the host knows
// it (a control's run-time error by its number, as in "error 13"), and
// always the HRESULT, so a log reads the same on every machine.
#include <windows.h>

#include <string>

namespace zarnhost {

std::wstring HResultText(HRESULT hr);

} // namespace zarnhost
