#pragma once
// Pictures in a form file: "empty" for a picture without an image, else the
// picture object's own stream (IPersistStream) in base64.
#include "com/Variant.h"

#include <string>
#include <string_view>

namespace zarnhost {

// True for a non-null object that is a picture.
bool IsPicture(const VARIANT& value);

HRESULT EncodePicture(IUnknown* picture, std::wstring& text);

// A new picture object (VT_DISPATCH, IPictureDisp) from EncodePicture's text.
HRESULT DecodePicture(std::wstring_view text, Variant& out);

} // namespace zarnhost
