#pragma once
// The calendar form's drawing state: its font (name, size in points, bold,
// underline) and its text colour, which text and lines use until painting
// changes them, and the box line of the grid styles. The month needs only a
// handful of fonts, so each one is made on first use and kept until the
// form unloads instead of being made again for every cell; the font last
// used stays selected in the form's image until another one is needed,
// since selecting a font costs more than drawing a day's number.
#include "platform/win/Gdi.h"

#include <string>
#include <vector>

namespace frmCalendarInk {

using UniqueFont = zarn::gdi::Created<HFONT, DeleteObject>;

// The form's text colour before painting changes it: the system's button text.
inline constexpr long kButtonText = static_cast<long>(0x80000012);

class FormInk {
public:
    std::wstring FontName = L"Arial";
    double FontSize = 8; // points, until the first DrawCalendar sets one
    bool FontBold = false;
    bool FontUnderline = false;
    long ForeColor = kButtonText; // a colour value: plain or a system colour

    // The text (through the ANSI code page) in the current font and
    // colour, on a transparent background.
    void Text(HDC dc, const std::wstring& text, RECT rect, UINT format);

    // The brush of the form's box line in a colour value, made once for
    // all the boxes of a paint.
    static zarn::gdi::UniqueBrush BoxLine(long colour);
    // A one-pixel outline on columns left and right and rows top and
    // bottom (all four included), as the form draws a box.
    static void Box(HDC dc, const RECT& cell, HBRUSH line);

    // Selects the image's own font back; the form calls it before it lets
    // go of the image.
    void LetGo();
    // Lets go and deletes the fonts kept so far.
    void Release() {
        LetGo();
        fonts_.clear();
    }
    size_t FontsKept() const { return fonts_.size(); }

private:
    struct Kept {
        std::wstring name;
        double size;
        bool bold, underline;
        UniqueFont font;
    };
    HFONT CurrentFont(HDC dc);
    void Use(HDC dc, HFONT font);

    std::vector<Kept> fonts_;
    HDC dc_ = nullptr; // where a kept font is selected
    HFONT selected_ = nullptr;
    HGDIOBJ original_ = nullptr; // the font dc_ had before

};

} // namespace frmCalendarInk
