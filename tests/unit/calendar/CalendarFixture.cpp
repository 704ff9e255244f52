#include "CalendarFixture.h"

#include <cmath>

namespace zarn::test {

std::unique_ptr<frmCalendar> CalendarTest::Open(long date) {
    s.PValue = Variant::FromLong(date);
    auto form = std::make_unique<frmCalendar>();
    form->Form_Load();
    return form;
}

std::vector<POINT> InkIn(HDC dc, const RECT& area, COLORREF ink) {
    std::vector<POINT> found;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(dc, x, y) == ink)
                found.push_back({x, y});
    return found;
}

std::vector<POINT> ExpectedInk(const TextLook& look, const RECT& textRect, const RECT& area) {
    const Canvas canvas(area.right + 40, area.bottom + 40, 0xFFFFFF);
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(look.points * 96 / 72));
    lf.lfWeight = look.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"Arial");
    const HFONT font = CreateFontIndirectW(&lf);
    const HGDIOBJ old = SelectObject(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), look.colour);
    RECT r = textRect;
    DrawTextW(canvas.dc(), look.text, -1, &r, look.format);
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
    return InkIn(canvas.dc(), area, look.colour);
}

testing::AssertionResult ShowsText(const frmCalendar& form, const TextLook& look, const RECT& textRect,
                                   const RECT& area) {
    const auto want = ExpectedInk(look, textRect, area);
    const auto got = InkIn(form.hDC(), area, look.colour);
    const auto same = [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; };
    if (!want.empty() && std::equal(want.begin(), want.end(), got.begin(), got.end(), same))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << Narrow(look.text) << ": " << got.size() << " pixels of 0x" << std::hex
                                       << look.colour << std::dec << ", expected " << want.size();
}

} // namespace zarn::test
