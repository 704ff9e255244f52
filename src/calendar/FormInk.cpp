#include "calendar/FormInk.h"

#include "draw/mDrawFns.h"

#include <cmath>

namespace frmCalendarInk {

namespace {

std::string Ansi(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size, nullptr,
                        nullptr);
    return ansi;
}

UniqueFont MakeFont(HDC dc, const std::wstring& name, double points, bool bold, bool underline) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(points * GetDeviceCaps(dc, LOGPIXELSY) / 72.0));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline;
    // The symbol font's arrows live in its symbol character set.
    lf.lfCharSet = _wcsicmp(name.c_str(), L"Marlett") == 0 ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace

HFONT FormInk::CurrentFont(HDC dc) {
    for (const Kept& kept : fonts_)
        if (kept.size == FontSize && kept.bold == FontBold && kept.underline == FontUnderline &&
            kept.name == FontName)
            return kept.font.get();
    fonts_.push_back({FontName, FontSize, FontBold, FontUnderline,
                      MakeFont(dc, FontName, FontSize, FontBold, FontUnderline)});
    return fonts_.back().font.get();
}

void FormInk::Use(HDC dc, HFONT font) {
    if (dc != dc_) {
        LetGo();
        dc_ = dc;
        original_ = SelectObject(dc, font);
    } else if (font != selected_) {
        SelectObject(dc, font);
    }
    selected_ = font;
}

void FormInk::LetGo() {
    if (dc_)
        SelectObject(dc_, original_);
    dc_ = nullptr;
    selected_ = nullptr;
    original_ = nullptr;
}

void FormInk::Text(HDC dc, const std::wstring& text, RECT rect, UINT format) {
    Use(dc, CurrentFont(dc));
    SetTextColor(dc, static_cast<COLORREF>(mDrawFns::TranslateColor(ForeColor)));
    SetBkMode(dc, TRANSPARENT);
    const std::string ansi = Ansi(text);
    DrawTextA(dc, ansi.c_str(), static_cast<int>(ansi.size()), &rect, format);
}

zarn::gdi::UniqueBrush FormInk::BoxLine(long colour) {
    return zarn::gdi::SolidBrush(static_cast<COLORREF>(mDrawFns::TranslateColor(colour)));
}

void FormInk::Box(HDC dc, const RECT& cell, HBRUSH line) {
    const RECT outline{cell.left, cell.top, cell.right + 1, cell.bottom + 1};
    FrameRect(dc, &outline, line);
}

} // namespace frmCalendarInk
