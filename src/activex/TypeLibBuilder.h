#pragma once
// Writes the control's type library from the member table (ZarnMembers.h).
// The library is generated rather than compiled from IDL because some of its
// published enumeration members carry blanks and parentheses, which IDL
// cannot spell.
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace zarn {

// Creates the type library "Zarn2" for the given system kind at path
// (overwriting it). On failure, *failedStep (when given) names the step
// that failed, e.g. L"_Zarn.put_MaxDate: AddFuncDesc".
HRESULT BuildTypeLib(SYSKIND syskind, const wchar_t* path, std::wstring* failedStep = nullptr);

// Creates the library "Zarn2Data" of the drag and drop data objects.
HRESULT BuildDataTypeLib(SYSKIND syskind, const wchar_t* path, std::wstring* failedStep = nullptr);

} // namespace zarn
