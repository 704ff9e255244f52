#include "app/FormSource.h"

#include "form/FormFile.h"
#include "text/Utf8.h"

#include <cstdio>

namespace zarnhost {

bool LoadFormLayout(const std::wstring& path, FormLayout& layout, std::wstring& error) {
    if (path.empty()) {
        layout = DefaultForm();
        return true;
    }
    try {
        layout = ReadFormFile(path);
        return true;
    } catch (const FormFileError& e) {
        error = e.message;
        return false;
    }
}

void Complain(const std::wstring& text) {
    const std::string bytes = "zarnhost: " + Utf8(text) + "\n";
    fwrite(bytes.data(), 1, bytes.size(), stderr);
    fflush(stderr);
}

} // namespace zarnhost
