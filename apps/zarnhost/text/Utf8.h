#pragma once
// Files and the log are UTF-8; the host works in UTF-16 like Windows.
#include <string>
#include <string_view>

namespace zarnhost {

std::string Utf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

} // namespace zarnhost
