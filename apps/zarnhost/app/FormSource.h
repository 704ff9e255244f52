#pragma once
#include "form/FormLayout.h"

#include <string>

namespace zarnhost {

// The form the command line names, or a new one; false, with the reason,
// when the file cannot be read.
bool LoadFormLayout(const std::wstring& path, FormLayout& layout, std::wstring& error);

// Diagnostics that come before there is a log, on standard error.
void Complain(const std::wstring& text);

} // namespace zarnhost
