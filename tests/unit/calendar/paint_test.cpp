// The painted month: day numbers with their colours, sizes and places,
// week numbers, title and header, grid lines and the border.
#include "CalendarFixture.h"
#include "date/FnsDate.h"

namespace zarn::test {
namespace {

using namespace frmCalendarLayout;

constexpr COLORREF kGrey = 0x808080, kBlack = 0, kRed = 0x0000FF, kBlue = 0xFF0000;
constexpr UINT kTopLeft = DT_SINGLELINE;

RECT Inside(const RECT& cell) {
    return {cell.left + 1, cell.top + 1, cell.right, cell.bottom};
}

// A text in CellRects[cell], drawn in the cell moved right by dx.
struct TextCase {
    const char* name;
    long date, firstDay;
    WORD today; // in December 2026
    short hot;
    int cell, dx;
    TextLook look;
};

// February 2026 starts on a Sunday; numbers sit 4 pixels in, at the top.
const TextCase kTexts[] = {
    {"Monday first: 26 January leads", 20260214, 2, 5, 0, 10, 4, {L"26", kGrey, 9, false, kTopLeft}},
    {"... 31 January is the sixth leading cell", 20260214, 2, 5, 0, 15, 4, {L"31", kGrey, 9, false, kTopLeft}},
    {"... Sunday 1 February is red", 20260214, 2, 5, 0, 16, 4, {L"1", kRed, 10, false, kTopLeft}},
    {"... 1 March trails at size 11", 20260214, 2, 5, 0, 44, 4, {L"1", kGrey, 11, false, kTopLeft}},
    {"... the hot day 12", 20260214, 2, 5, 12, 27, 4, {L"12", 0x008000, 13, true, kTopLeft}},
    {"Sunday first: Sunday 1 February is blue", 20260214, 1, 5, 0, 10, 4, {L"1", kBlue, 10, false, kTopLeft}},
    {"... Saturday 7 February too", 20260214, 1, 5, 0, 16, 4, {L"7", kBlue, 10, false, kTopLeft}},
    {"March 2026 fills the first row; 11 April is the last cell", 20260314, 1, 5, 0, 51, 4,
     {L"11", kGrey, 11, false, kTopLeft}},
    {"today, a Thursday, in red", 20261214, 2, 3, 0, 13, 4, {L"3", 0x0000F0, 11, true, kTopLeft}},
    {"today on Saturday, Monday first: black", 20261214, 2, 5, 0, 15, 4, {L"5", kBlack, 11, true, kTopLeft}},
    {"today on Saturday, Sunday first: blue", 20261214, 1, 5, 0, 16, 4, {L"5", kBlue, 11, true, kTopLeft}},
    {"December's fifth row is week 53", 20261214, 2, 5, 0, kFirstWeek + 4, 0,
     {L"53 ", kGrey, 11, false, DT_RIGHT | DT_SINGLELINE}},
};

TEST_F(CalendarTest, TextsOfTheMonth) {
    for (const auto& c : kTexts) {
        SCOPED_TRACE(c.name);
        const FixedClock today(MakeTime(2026, 12, c.today));
        s.CalendarFirstDayOfWeek = c.firstDay;
        const auto form = Open(c.date);
        form->SetHotDay(c.hot);
        form->DrawCalendar();
        const RECT& cell = form->CellRects[c.cell];
        EXPECT_TRUE(ShowsText(*form, c.look, {cell.left + c.dx, cell.top, cell.right + c.dx, cell.bottom}, Inside(cell)));
    }
    const auto december = Open(20261214);
    EXPECT_TRUE(InkIn(december->hDC(), Inside(december->CellRects[kFirstWeek + 5]), kGrey).empty()) << "no week 54";
    EXPECT_EQ(boxes.calls.size(), 0u);
}

TEST_F(CalendarTest, DateAlignAndPosition) {
    struct {
        long align, posn, x, y;
        int dx, dy;
        UINT format;
    } cases[] = {{0, 0, 3, 5, 7, 5, DT_SINGLELINE},
                 {1, 1, 0, 0, 0, 0, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
                 {2, 2, -2, 0, -2, 0, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        s.DateAlign = c.align;
        s.DatePosn = c.posn;
        s.DateXOffset = c.x;
        s.DateYOffset = c.y;
        const auto form = Open(20260214);
        const RECT& cell = form->CellRects[17]; // Monday 2 February
        const RECT text{cell.left + c.dx, cell.top + c.dy, cell.right + c.dx, cell.bottom};
        EXPECT_TRUE(ShowsText(*form, {L"2", kBlack, 10, false, c.format}, text, Inside(cell)));
    }
}

// Title and header in the first paint's font (Arial 8) and button text.
TEST_F(CalendarTest, TitleAndHeaderFromTheLocaleOrInEnglish) {
    const bool german = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_GERMAN;
    struct {
        bool localeNames;
        long format;
        const wchar_t* title;
        std::vector<const wchar_t*> header;
    } cases[] = {
        {false, 0, L"Feb 2026", {L"M", L"T", L"W", L"T", L"F", L"S", L"S"}},
        {true, 1, german ? L"Februar 2026" : L"February 2026",
         german ? std::vector{L"Mo.", L"Di.", L"Mi.", L"Do.", L"Fr.", L"Sa.", L"So."}
                : std::vector{L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat", L"Sun"}},
    };
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.title));
        FnsDate::MonthNamesAscii = c.localeNames;
        s.CalendarDayHeaderFormat = c.format;
        const auto form = Open(20260214);
        const RECT& title = form->CellRects[kTitle];
        EXPECT_TRUE(ShowsText(*form, {c.title, text, 8, false, DT_CENTER | DT_VCENTER | DT_SINGLELINE}, title, title));
        for (int column = 0; column < 7; ++column) {
            const RECT& cell = form->CellRects[kFirstHeader + column];
            EXPECT_TRUE(ShowsText(*form, {c.header[column], text, 8, false, DT_CENTER | DT_SINGLELINE}, cell, cell));
        }
    }
    FnsDate::MonthNamesAscii = false;
}

// February 2026, Monday first: row 1 leads (cells 10-15), 5 February is
// cell 20, the last row (45-51) trails.
TEST_F(CalendarTest, GridLineStylesAndTheBorder) {
    constexpr COLORREF kLine = 0x6496FF;
    struct {
        long style;
        const char* drawn; // A to E below: which carry the grid colour
    } cases[] = {{0, "AB"}, {1, "A"}, {2, "B"}, {3, "ABCDE"}, {4, "ACD"}, {5, "BE"}, {6, ""}};
    s.CalendarBorderStyle = 1; // flat, in its own colour
    s.CalendarBdFlatBorderColour = 0x0000FF;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        s.GridLine = c.style;
        const auto form = Open(20260214);
        const auto& r = form->CellRects;
        const POINT points[] = {
            {r[20].left + 15, r[20].top},    // A: top of a day of the month
            {r[20].right, r[20].top + 15},   // B: right of a day of the month
            {r[10].left + 15, r[10].top},    // C: top of a leading day
            {r[51].left + 15, r[51].bottom}, // D: bottom of the last row
            {r[10].left, r[45].top + 15},    // E: left of the first column, last row
        };
        std::string drawn;
        for (int i = 0; i < 5; ++i)
            if (At(*form, points[i].x, points[i].y) == kLine)
                drawn += static_cast<char>('A' + i);
        EXPECT_EQ(drawn, c.drawn);
        EXPECT_EQ(At(*form, 0, 0), 0x0000FFu);
        EXPECT_EQ(At(*form, 253, 239), 0x0000FFu);
    }
}

} // namespace
} // namespace zarn::test
