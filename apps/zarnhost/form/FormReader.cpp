#include "form/FormFile.h"

#include "form/Files.h"
#include "form/FormValue.h"
#include "text/Utf8.h"

#include <cwchar>
#include <vector>

namespace zarnhost {

namespace {

class Reader {
public:
    FormLayout Parse(std::wstring_view text) {
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring_view::npos)
                end = text.size();
            ++line_;
            Statement(text.substr(start, end - start));
            start = end + 1;
        }
        if (!sawForm_)
            Fail(L"the file has no Form line");
        if (inControl_)
            Fail(L"the last Control has no End");
        return std::move(form_);
    }

private:
    [[noreturn]] void Fail(const std::wstring& message) const {
        throw FormFileError{L"line " + std::to_wstring(line_) + L": " + message};
    }

    void Statement(std::wstring_view line) {
        std::vector<Token> tokens;
        std::wstring error;
        if (!Tokenize(line, tokens, error))
            Fail(error);
        if (tokens.empty() || (!tokens[0].quoted && tokens[0].text[0] == L'#'))
            return;
        const bool word = !tokens[0].quoted;
        if (inControl_ && word && tokens[0].text == L"End" && tokens.size() == 1)
            inControl_ = false;
        else if (inControl_)
            Property(tokens);
        else if (word && tokens[0].text == L"Form")
            FormLine(tokens);
        else if (word && tokens[0].text == L"Control")
            ControlLine(tokens);
        else
            Fail(L"expected Form or Control, found " + tokens[0].text);
    }

    int Number(const Token& token, const wchar_t* what, int low) const {
        wchar_t* end = nullptr;
        const long n = token.quoted ? 0 : wcstol(token.text.c_str(), &end, 10);
        if (token.quoted || token.text.empty() || *end || n < low || n > 32767)
            Fail(std::wstring(what) + L" must be a whole number from " + std::to_wstring(low) + L" to 32767");
        return static_cast<int>(n);
    }

    void FormLine(const std::vector<Token>& t) {
        if (sawForm_)
            Fail(L"a second Form line");
        if (t.size() != 3)
            Fail(L"expected Form <width> <height>");
        form_.size = {Number(t[1], L"the width", 1), Number(t[2], L"the height", 1)};
        sawForm_ = true;
    }

    void ControlLine(const std::vector<Token>& t) {
        if (!sawForm_)
            Fail(L"a Control before the Form line");
        if (t.size() != 7)
            Fail(L"expected Control <name> <progid> <left> <top> <width> <height>");
        for (const ControlLayout& c : form_.controls)
            if (_wcsicmp(c.name.c_str(), t[1].text.c_str()) == 0)
                Fail(L"a second control named " + t[1].text);
        ControlLayout control{t[1].text, t[2].text};
        const int left = Number(t[3], L"left", -32768), top = Number(t[4], L"top", -32768);
        control.rect = {left, top, left + Number(t[5], L"the width", 1),
                        top + Number(t[6], L"the height", 1)};
        form_.controls.push_back(std::move(control));
        inControl_ = true;
    }

    void Property(const std::vector<Token>& t) {
        if (t.size() < 2 || t.size() > 3 || t[1].quoted)
            Fail(L"expected <key> <type> [<value>] or End");
        Variant value;
        std::wstring error;
        if (!DecodeFormValue(t[1].text, t.size() == 3 ? &t[2] : nullptr, value, error))
            Fail(t[0].text + L": " + error);
        form_.controls.back().bag->Add(t[0].text, std::move(value));
    }

    FormLayout form_;
    int line_ = 0;
    bool sawForm_ = false;
    bool inControl_ = false;
};

} // namespace

FormLayout ParseForm(std::string_view utf8) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
        utf8.remove_prefix(3);
    const std::wstring text = FromUtf8(utf8);
    return Reader().Parse(text);
}

FormLayout ReadFormFile(const std::wstring& path) {
    try {
        return ParseForm(ReadWholeFile(path));
    } catch (const FileError& e) {
        throw FormFileError{e.message};
    } catch (const FormFileError& e) {
        throw FormFileError{path + L": " + e.message};
    }
}

} // namespace zarnhost
