#include "text/ValueText.h"

#include "text/Utf8.h"

#include <charconv>
#include <cstdint>
#include <cwchar>
#include <iterator>
#include <limits>

namespace zarnhost {

namespace {

struct TypeEntry {
    VARTYPE type;
    const wchar_t* name;
};

constexpr TypeEntry kTypes[] = {
    {VT_BOOL, L"Boolean"},    {VT_I2, L"Integer"},  {VT_I4, L"Long"},     {VT_R4, L"Single"},
    {VT_R8, L"Double"},       {VT_CY, L"Currency"}, {VT_DATE, L"Date"},   {VT_BSTR, L"String"},
    {VT_UI1, L"Byte"},        {VT_UI4, L"ULong"},   {VT_EMPTY, L"Empty"}, {VT_NULL, L"Null"},
    {VT_DISPATCH, L"Object"}, {VT_ERROR, L"Error"},
};

// The shortest text that reads back as the same number.
template <class Float> std::wstring FloatText(Float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return FromUtf8(std::string_view(buffer, result.ptr - buffer));
}

template <class Float> bool ParseFloat(std::wstring_view text, Float& out) {
    const std::string narrow = Utf8(text);
    const char* end = narrow.data() + narrow.size();
    const auto result = std::from_chars(narrow.data(), end, out);
    return !narrow.empty() && result.ec == std::errc() && result.ptr == end;
}

bool ParseWhole(std::wstring_view text, long long low, long long high, long long& out) {
    const std::string narrow = Utf8(text);
    const char* end = narrow.data() + narrow.size();
    int base = 10;
    const char* begin = narrow.data();
    if (narrow.size() > 2 && (narrow[0] == '&') && (narrow[1] == 'H' || narrow[1] == 'h')) {
        base = 16;
        begin += 2;
    }
    const auto result = std::from_chars(begin, end, out, base);
    return begin != end && result.ec == std::errc() && result.ptr == end && out >= low && out <= high;
}

// Currency is a whole number of ten-thousandths; it is written exactly,
// without trailing zeros.
std::wstring CurrencyText(CY value) {
    const bool negative = value.int64 < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value.int64)
                                                  : static_cast<unsigned long long>(value.int64);
    std::wstring text = (negative ? L"-" : L"") + std::to_wstring(magnitude / 10000);
    unsigned long long fraction = magnitude % 10000;
    if (fraction != 0) {
        wchar_t digits[8];
        swprintf(digits, 8, L"%04llu", fraction);
        std::wstring f = digits;
        while (f.back() == L'0')
            f.pop_back();
        text += L"." + f;
    }
    return text;
}

bool ParseCurrency(std::wstring_view text, CY& out) {
    const size_t dot = text.find(L'.');
    const std::wstring_view whole = text.substr(0, dot);
    std::wstring fraction = dot == std::wstring_view::npos ? L"" : std::wstring(text.substr(dot + 1));
    if (fraction.size() > 4 || fraction.find_first_not_of(L"0123456789") != std::wstring::npos)
        return false;
    fraction.resize(4, L'0');
    long long units = 0;
    const long long limit = std::numeric_limits<long long>::max() / 10000 - 1;
    if (!ParseWhole(whole, -limit, limit, units))
        return false;
    const long long parts = std::stoll(fraction);
    const bool negative = !whole.empty() && whole[0] == L'-';
    out.int64 = units * 10000 + (negative ? -parts : parts);
    return true;
}

std::wstring BoolText(VARIANT_BOOL value) {
    if (value == VARIANT_TRUE)
        return L"True";
    if (value == VARIANT_FALSE)
        return L"False";
    return std::to_wstring(value);
}

std::wstring ObjectText(IUnknown* object) {
    return object ? L"<object>" : L"Nothing";
}

std::wstring HexText(unsigned long value) {
    wchar_t text[16];
    swprintf(text, 16, L"&H%lX", value);
    return text;
}

// The literal of a value that is not a reference.
std::wstring PlainLiteral(VARTYPE type, const void* p) {
    switch (type) {
    case VT_EMPTY:
        return L"Empty";
    case VT_NULL:
        return L"Null";
    case VT_BOOL:
        return BoolText(*static_cast<const VARIANT_BOOL*>(p));
    case VT_I2:
        return std::to_wstring(*static_cast<const SHORT*>(p));
    case VT_I4:
        return std::to_wstring(*static_cast<const LONG*>(p));
    case VT_UI1:
        return std::to_wstring(*static_cast<const BYTE*>(p));
    case VT_UI4:
        return HexText(*static_cast<const ULONG*>(p));
    case VT_R4:
        return FloatText(*static_cast<const FLOAT*>(p));
    case VT_R8:
    case VT_DATE:
        return FloatText(*static_cast<const DOUBLE*>(p));
    case VT_CY:
        return CurrencyText(*static_cast<const CY*>(p));
    case VT_BSTR: {
        const BSTR b = *static_cast<const BSTR*>(p);
        return Quote(b ? std::wstring_view(b, SysStringLen(b)) : std::wstring_view());
    }
    case VT_ERROR:
        return HexText(static_cast<ULONG>(*static_cast<const SCODE*>(p)));
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return ObjectText(*static_cast<IUnknown* const*>(p));
    default:
        return L"<" + TypeName(type) + L">";
    }
}

bool WordLiteral(VARTYPE type, std::wstring_view text, VARIANT& v) {
    long long whole = 0;
    switch (type) {
    case VT_BOOL:
        if (text == L"True" || text == L"False") {
            V_BOOL(&v) = text == L"True" ? VARIANT_TRUE : VARIANT_FALSE;
            return true;
        }
        if (!ParseWhole(text, -32768, 32767, whole))
            return false;
        V_BOOL(&v) = static_cast<VARIANT_BOOL>(whole);
        return true;
    case VT_I2:
        if (!ParseWhole(text, -32768, 32767, whole))
            return false;
        V_I2(&v) = static_cast<SHORT>(whole);
        return true;
    case VT_I4:
        if (!ParseWhole(text, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max(), whole))
            return false;
        V_I4(&v) = static_cast<LONG>(whole);
        return true;
    case VT_UI1:
        if (!ParseWhole(text, 0, 255, whole))
            return false;
        V_UI1(&v) = static_cast<BYTE>(whole);
        return true;
    case VT_UI4:
        if (!ParseWhole(text, 0, 0xFFFFFFFFLL, whole))
            return false;
        V_UI4(&v) = static_cast<ULONG>(whole);
        return true;
    case VT_R4:
        return ParseFloat(text, V_R4(&v));
    case VT_R8:
        return ParseFloat(text, V_R8(&v));
    case VT_DATE:
        return ParseFloat(text, V_DATE(&v));
    case VT_CY:
        return ParseCurrency(text, V_CY(&v));
    default:
        return false;
    }
}

} // namespace

std::wstring TypeName(VARTYPE type) {
    for (const TypeEntry& t : kTypes)
        if (t.type == type)
            return t.name;
    return L"VT " + std::to_wstring(type);
}

bool TypeOfName(std::wstring_view name, VARTYPE& type) {
    for (const TypeEntry& t : kTypes)
        if (name == t.name) {
            type = t.type;
            return true;
        }
    return false;
}

std::wstring Literal(const VARIANT& value) {
    const VARTYPE type = V_VT(&value);
    if (type == (VT_BYREF | VT_VARIANT))
        return V_VARIANTREF(&value) ? Literal(*V_VARIANTREF(&value)) : L"Nothing";
    if (type & VT_ARRAY)
        return L"<array>";
    if (type & VT_BYREF)
        return V_BYREF(&value) ? PlainLiteral(type & ~VT_BYREF, V_BYREF(&value)) : L"Nothing";
    return PlainLiteral(type, &V_UI1(&value)); // the union's storage
}

bool ParseLiteral(VARTYPE type, const Token& token, Variant& out) {
    Variant parsed;
    VARIANT& v = *parsed.Ptr();
    if (type == VT_EMPTY || type == VT_NULL) {
        if (!token.text.empty() || token.quoted)
            return false;
    } else if (type == VT_BSTR) {
        if (!token.quoted)
            return false;
        V_BSTR(&v) = NewBstr(token.text);
    } else if (token.quoted || !WordLiteral(type, token.text, v)) {
        return false;
    }
    V_VT(&v) = type;
    out = std::move(parsed);
    return true;
}

bool ParseUntypedLiteral(const Token& token, Variant& out) {
    if (token.quoted)
        return ParseLiteral(VT_BSTR, token, out);
    if (token.text == L"True" || token.text == L"False")
        return ParseLiteral(VT_BOOL, token, out);
    if (ParseLiteral(VT_I4, token, out))
        return true;
    return ParseLiteral(VT_R8, token, out);
}

} // namespace zarnhost
