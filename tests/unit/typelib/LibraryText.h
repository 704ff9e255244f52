#pragma once
// Reads a type library back through ITypeLib/ITypeInfo and writes what a
// client can see of it as lines of text, so that a whole library compares
// with its expectation in one assertion and a mismatch shows as a diff.
#include "TestSupport.h"

#include <oaidl.h>

#include <string>
#include <vector>

namespace zarn::test {

// Line formats:
//   types       "dispatch _Zarn (dual nonextensible)",
//               "coclass Zarn (cancreate control): _Zarn default, __Zarn default source"
//               (the enumerations are listed with their members)
//   members     "5 ShowWeek: VARIANT_BOOL get put"
//               "85 MaxDate: long get put \"Max date year is 2099\""
//               "93 DateIsNull([in,out] BSTR* DateIn): VARIANT_BOOL"
//   events      "11 CalendarChoose([in,out] BSTR* Text)"
//   enums       "PictureSize: size16x16 = 0, size32x32 = 1, ..."
// Types are spelt as in IDL; "enum X" names one of the library's own
// enumerations, "stdole.X" a type of the standard OLE library.
struct LibraryText {
    std::vector<std::string> types;
    std::vector<std::string> members;
    std::vector<std::string> events;
    std::vector<std::string> enums;
    // Breaches of the rules every function of the interfaces obeys (vtable
    // slots, HRESULT results, retval and put parameters, ...): empty when
    // all hold.
    std::vector<std::string> faults;

    // Every section under its name, one line each.
    std::string Text() const;
};

LibraryText DescribeLibrary(ITypeLib* lib);

} // namespace zarn::test
