#pragma once
// The form file: UTF-8 text, one statement per line.
//
//   # comment
//   Form <width> <height>
//   Control <name> <progid> <left> <top> <width> <height>
//       <key> <type> [<value>]
//   End
//
// Types and values are those of FormValue.h. A control without property
// lines has never been saved and is initialised as new.
#include "form/FormLayout.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace zarnhost {

struct FormFileError {
    std::wstring message; // "line 12: ..." where a line is to blame
};

FormLayout ParseForm(std::string_view utf8);  // throws FormFileError
std::string FormText(const FormLayout& form); // throws FormFileError for an unwritable value

FormLayout ReadFormFile(const std::wstring& path);
// Written whole or not at all: a crash leaves the previous file in place.
void WriteFormFile(const std::wstring& path, const FormLayout& form);

} // namespace zarnhost
