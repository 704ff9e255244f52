#pragma once
// Automation values as text, the same way in the form file, the script and
// the log: a type name and one literal (12, -1.5, True, "text").
#include "com/Variant.h"
#include "text/Tokens.h"

#include <string>
#include <string_view>

namespace zarnhost {

// Boolean, Integer, Long, Single, Double, Currency, Date, String, Byte,
// ULong, Empty, Null, Object; other types as "VT n".
std::wstring TypeName(VARTYPE type);
bool TypeOfName(std::wstring_view name, VARTYPE& type);

// One literal for a value; a reference (VT_BYREF) shows what it points at,
// an object is Nothing or <object>, Empty and Null are their names.
std::wstring Literal(const VARIANT& value);

// Reads a literal of one plain type: a String needs a quoted token, the
// others a word. Empty and Null take no literal (pass an empty token).
bool ParseLiteral(VARTYPE type, const Token& token, Variant& out);

// A literal whose type follows from its form: "text" is a String, True and
// False Booleans, whole numbers Longs, other numbers Doubles.
bool ParseUntypedLiteral(const Token& token, Variant& out);

} // namespace zarnhost
