#pragma once
// The values a control starts with, where they appear in more than one
// place: the settings a new control takes, the defaults its property bag
// reads and writes against, and the colours enabling and disabling give.
#include <windows.h>
#include <ocidl.h>

#include <string>

namespace zarn::defaults {

inline constexpr long kMaxDate = 20991231; // also the latest MaxDate a host may set
inline constexpr long kMinDate = 19010101;

inline constexpr OLE_COLOR kWhite = 0xFFFFFF;        // face, button, calendar background
inline constexpr OLE_COLOR kGrey = 0x808080;         // frames and calendar borders
inline constexpr OLE_COLOR kLightGrey = 0xE0E0E0;    // focus background, disabled face
inline constexpr OLE_COLOR kWindowText = 0x80000008; // the system's window text colour
inline constexpr OLE_COLOR kWindow = 0x80000005;     // the system's window colour

// Today's local date as the eight-digit text yyyyMMdd: the value of a
// control that has none.
std::wstring LocalTodayText();

} // namespace zarn::defaults
