#pragma once
// Base64 (RFC 4648, with padding) for binary property values in form files.
#include <string>
#include <string_view>
#include <vector>

namespace zarnhost {

std::wstring ToBase64(const std::vector<unsigned char>& bytes);

// False when text is not well-formed base64.
bool FromBase64(std::wstring_view text, std::vector<unsigned char>& bytes);

} // namespace zarnhost
