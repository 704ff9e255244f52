#include "form/FormValue.h"

#include "com/HResultText.h"
#include "form/PictureCodec.h"
#include "text/ValueText.h"

namespace zarnhost {

namespace {

constexpr wchar_t kPicture[] = L"Picture";
constexpr wchar_t kObject[] = L"Object";
constexpr wchar_t kNothing[] = L"Nothing";

bool PlainType(VARTYPE type) {
    switch (type) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_BOOL:
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_UI4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
        return true;
    default:
        return false;
    }
}

bool NullObject(const VARIANT& value) {
    return (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) && !V_UNKNOWN(&value);
}

} // namespace

bool Storable(const VARIANT& value) {
    return PlainType(V_VT(&value)) || NullObject(value) || IsPicture(value);
}

HRESULT EncodeFormValue(const VARIANT& value, std::wstring& type, std::wstring& text) {
    if (NullObject(value)) {
        type = kObject;
        text = kNothing;
        return S_OK;
    }
    if (IsPicture(value)) {
        type = kPicture;
        return EncodePicture(V_UNKNOWN(&value), text);
    }
    if (!PlainType(V_VT(&value)))
        return DISP_E_BADVARTYPE;
    type = TypeName(V_VT(&value));
    text = V_VT(&value) == VT_EMPTY || V_VT(&value) == VT_NULL ? L"" : Literal(value);
    return S_OK;
}

bool DecodeFormValue(const std::wstring& type, const Token* value, Variant& out, std::wstring& error) {
    const Token none;
    const Token& token = value ? *value : none;
    if (type == kObject) {
        if (token.quoted || token.text != kNothing) {
            error = L"an Object value can only be Nothing";
            return false;
        }
        out = Variant::Object(nullptr);
        return true;
    }
    if (type == kPicture) {
        const HRESULT hr = token.quoted ? E_INVALIDARG : DecodePicture(token.text, out);
        if (FAILED(hr))
            error = L"unreadable picture: " + HResultText(hr);
        return SUCCEEDED(hr);
    }
    VARTYPE vt = VT_EMPTY;
    if (!TypeOfName(type, vt) || !PlainType(vt)) {
        error = L"unknown type " + type;
        return false;
    }
    if (!ParseLiteral(vt, token, out)) {
        error = L"cannot read " + (token.quoted ? Quote(token.text) : token.text) + L" as " + type;
        return false;
    }
    return true;
}

} // namespace zarnhost
