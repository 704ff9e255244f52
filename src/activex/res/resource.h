#pragma once
// Resource identifiers of Zarn2.ocx, shared by Zarn2.rc and the C++ code.

// LoadTypeLib(module path) and the registration read the library from here.
#define IDR_TYPELIB 1
// The drag and drop data objects' library, LoadTypeLib(module path\2).
#define IDR_DATA_TYPELIB 2

// The 16 x 15 bitmap that containers show for the control in their toolbox.
#define IDB_TOOLBOX 1

// The calendar's default week-sign and today pictures are found by name;
// black pixels of the first and white ones of the second are transparent.
// (The script spells the names bare: windres joins a quoted name to the
// file name of the line before.)
#ifndef RC_INVOKED
#define ZARN_RES_WEEKSIGN L"WeekSignBMP"
#define ZARN_RES_TODAY L"TODAYBMP"
#endif
