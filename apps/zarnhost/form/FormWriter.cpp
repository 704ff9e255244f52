#include "form/FormFile.h"

#include "com/HResultText.h"
#include "form/Files.h"
#include "form/FormValue.h"
#include "text/Utf8.h"

namespace zarnhost {

namespace {

// A name or key as one token: quoted when it would not read back as the
// same single word.
std::wstring Word(const std::wstring& text) {
    const bool plain = !text.empty() && text[0] != L'#' && text != L"End" &&
                       text.find_first_of(L" \t\r\n\"") == std::wstring::npos;
    return plain ? text : Quote(text);
}

std::wstring RectText(const RECT& r) {
    return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
           std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top);
}

void AppendControl(std::wstring& out, const ControlLayout& control) {
    out += L"Control " + Word(control.name) + L" " + Word(control.progId) + L" " + RectText(control.rect) +
           L"\n";
    for (const PropertyBag::Entry& e : control.bag->Entries()) {
        std::wstring type, text;
        const HRESULT hr = EncodeFormValue(e.value.Get(), type, text);
        if (FAILED(hr))
            throw FormFileError{control.name + L"." + e.key + L" cannot be written: " + HResultText(hr)};
        out += L"    " + Word(e.key) + L" " + type + (text.empty() ? L"" : L" " + text) + L"\n";
    }
    out += L"End\n";
}

} // namespace

std::string FormText(const FormLayout& form) {
    std::wstring out = L"# zarnhost form\n";
    out += L"Form " + std::to_wstring(form.size.cx) + L" " + std::to_wstring(form.size.cy) + L"\n";
    for (const ControlLayout& control : form.controls) {
        out += L"\n";
        AppendControl(out, control);
    }
    return Utf8(out);
}

void WriteFormFile(const std::wstring& path, const FormLayout& form) {
    const std::string text = FormText(form);
    try {
        EnsureParentFolder(path);
        WriteFileAtomically(path, text);
    } catch (const FileError& e) {
        throw FormFileError{e.message};
    }
}

} // namespace zarnhost
