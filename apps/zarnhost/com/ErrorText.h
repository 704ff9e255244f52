#pragma once
// The text a failed call left behind in the thread's error object, taken
// (and so cleared) right after the call.
#include <string>

namespace zarnhost {

// "" when the call left no error object; else "source: description".
std::wstring TakeErrorText();

} // namespace zarnhost
