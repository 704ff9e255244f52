#pragma once
// How one property-bag value is written in a form file: a type word and a
// value ("Long 20991231", "String \"/\"", "Picture empty", "Object Nothing").
#include "com/Variant.h"
#include "text/Tokens.h"

#include <string>

namespace zarnhost {

// Whether the form file can hold a value of this kind at all.
bool Storable(const VARIANT& value);

// The type word and the value text (empty for Empty and Null).
HRESULT EncodeFormValue(const VARIANT& value, std::wstring& type, std::wstring& text);

// value is null when the line has no value token.
bool DecodeFormValue(const std::wstring& type, const Token* value, Variant& out, std::wstring& error);

} // namespace zarnhost
