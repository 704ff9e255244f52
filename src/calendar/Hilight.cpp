// The special cells of the month, drawn under the day numbers: the
// selected day's background, the week sign beside its row and the today
// picture. From the background on a failing step is skipped and the next
// one runs.
#include "calendar/FormTrap.h"
#include "calendar/MonthDates.h"
#include "calendar/ResourceMark.h"
#include "calendar/frmCalendar.h"
#include "date/FnsDate.h"
#include "settings/SharedSettings.h"

#include <cstdio>

using namespace frmCalendarLayout;

namespace {

using frmCalendarMarks::PictureSize;
using frmCalendarMarks::ResourceMark;
using frmCalendarMarks::Round;
using frmCalendarMarks::SizeOf;

void Gradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, ULONG direction) {
    const auto channel = [](BYTE value) { return static_cast<COLOR16>(value << 8); };
    TRIVERTEX ends[2] = {
        {r.left, r.top, channel(GetRValue(from)), channel(GetGValue(from)), channel(GetBValue(from)), 0},
        {r.right, r.bottom, channel(GetRValue(to)), channel(GetGValue(to)), channel(GetBValue(to)), 0}};
    GRADIENT_RECT span{0, 1};
    GradientFill(dc, ends, 2, &span, 1, direction);
}

// The selected cell's background by CalendarSelectStyle.
void SelectedBackground(HDC dc, const RECT& cell, const SharedSettings& s) {
    const auto plain = [&] { mDrawFns::DrwCalBkgnd(dc, cell, static_cast<long>(s.CalendarBackSelectedRGB)); };
    const auto colour = [](OLE_COLOR c) { return static_cast<COLORREF>(mDrawFns::GetLngColor(static_cast<long>(c))); };
    switch (s.CalendarSelectStyle) {
    case 0: // Standard
        plain();
        break;
    case 1: // Gradient_V
        Gradient(dc, cell, colour(s.CalendarBackSelectedG1), colour(s.CalendarBackSelectedG2), GRADIENT_FILL_RECT_V);
        break;
    case 2: // Gradient_H
        Gradient(dc, cell, colour(s.CalendarBackSelectedG1), colour(s.CalendarBackSelectedG2), GRADIENT_FILL_RECT_H);
        break;
    case 3: { // byPicture
        IPictureDisp* picture = s.CalendarSelectePicture.Get();
        if (!picture) {
            plain();
            break;
        }
        const PictureSize size = SizeOf(picture, dc);
        if (size.type == PICTYPE_BITMAP) {
            const short mode = static_cast<short>(s.CalendarSelectPicDrawMode + 1);
            mDrawFns::DrawBitmap(dc, picture, s.CalendarGridWidth, s.CalendarGridHeight, Round(size.width),
                                 Round(size.height), cell, mode, static_cast<long>(s.CalendarSelectePicMaskColor));
        } else {
            mDrawFns::DrawPIcon(dc, picture, cell);
        }
        break;
    }
    default: // nothing for a style no one defined
        break;
    }
}

// An offset by DateAlign or DatePosn (0 start, 1 centre, 2 end): in the
// centre the offsets count half, at the end not at all.
double Placed(long placement, long cellSize, long offsets, double pictureSize) {
    switch (placement) {
    case 0:
        return offsets;
    case 1:
        return (cellSize + offsets - pictureSize) / 2;
    case 2:
        return cellSize - pictureSize;
    default:
        zarn::Raise(zarn::ErrInvalidCall);
    }
}

// The size a mark is placed by: a set picture's set size, or the module's
// bitmap's own.
PictureSize MarkSize(IPictureDisp* set, long setWidth, long setHeight, ResourceMark& resource, HDC dc) {
    if (set)
        return {0, static_cast<double>(setWidth), static_cast<double>(setHeight)};
    if (!resource.Load(dc))
        zarn::Raise(zarn::ErrObjectNotSet);
    return resource.Size();
}

// Draws a set picture (bitmap or icon), or the module's bitmap at its own
// size with its transparent colour.
void DrawMark(HDC dc, IPictureDisp* set, long setWidth, long setHeight, long originalWidth, long originalHeight,
              long setMask, ResourceMark& resource, const RECT& rect) {
    const short stretched = mDrawFns::Stretched;
    if (set && SizeOf(set, dc).type == PICTYPE_BITMAP)
        mDrawFns::DrawBitmap(dc, set, setWidth, setHeight, originalWidth, originalHeight, rect, stretched, setMask);
    else if (set)
        mDrawFns::DrawPIcon(dc, set, rect);
    else if (resource.Load(dc))
        resource.Draw(dc, rect);
    else // the drawing module reports the missing picture
        mDrawFns::DrawBitmap(dc, nullptr, 0, 0, 0, 0, rect, stretched, 0);
}

} // namespace

void frmCalendar::Hilight() {
    const SharedSettings& s = SharedSettings::ForThread();
    int ps = 0, firstDay = 1;
    bool marked = true;
    frmCalendarTrap::Trapped(
        [&] {
            firstDay = frmCalendarDates::ResolveFirstDay(s.CalendarFirstDayOfWeek);
            ps = frmCalendarDates::GridPosition(CurrDate, firstDay);
            if (s.CalendarOption == 0) {
                const SYSTEMTIME d = frmCalendarDates::PartsOf(CurrDate);
                wchar_t text[16];
                std::swprintf(text, 16, L"%04u%02u%02u", d.wYear, d.wMonth, d.wDay);
                tmpDropFrmDate = zarn::Variant::FromText(text);
            }
        },
        L" Hilight ", [&] { marked = false; });
    if (!marked)
        return;
    const HDC dc = hDC();
    zarn::SkipOnError([&] { SelectedBackground(dc, CellRects[kFirstDay + ps], s); });

    if (s.ShowWeek && s.ShowWeekSignPicture) {
        IPictureDisp* set = s.WeekSignPicture.Get();
        PictureSize mark;
        RECT rect{};
        zarn::SkipOnError([&] {
            mark = MarkSize(set, s.WeekSignPictureWidth, s.WeekSignPictureHeight, weekSign_, dc);
            const RECT& week = CellRects[kFirstWeek + ps / 7];
            const double y = Placed(s.DatePosn, s.CalendarGridHeight, s.WeekSignPicYOffset + s.DateYOffset,
                                    mark.height);
            // The offset moves the left edge only when positive, the right always.
            rect = {s.WeekSignPicXOffset > 0 ? week.left + s.WeekSignPicXOffset : week.left, Round(week.top + y),
                    Round(week.left + s.WeekSignPicXOffset + mark.width), Round(week.top + y + mark.height)};
        });
        zarn::SkipOnError([&] {
            DrawMark(dc, set, s.WeekSignPictureWidth, s.WeekSignPictureHeight, s.WeekSignPictureOriginalPicSizeW,
                     s.WeekSignPictureOriginalPicSizeH, static_cast<long>(s.WeekSignPicMaskColor), weekSign_, rect);
        });
    }

    const SYSTEMTIME shown = frmCalendarDates::PartsOf(CurrDate);
    const DATE today = FnsDate::RetNowAsTypeDate();
    const SYSTEMTIME now = frmCalendarDates::PartsOf(today);
    if (shown.wYear != now.wYear || shown.wMonth != now.wMonth)
        return;
    IPictureDisp* set = s.TodayPicture.Get();
    PictureSize mark;
    RECT rect{};
    zarn::SkipOnError([&] {
        mark = MarkSize(set, s.TodayPictureWidth, s.TodayPictureHeight, todayMark_, dc);
        const RECT& cell = CellRects[kFirstDay + frmCalendarDates::GridPosition(today, firstDay)];
        const double x = Placed(s.DateAlign, s.CalendarGridWidth, s.DateXOffset + s.TodayXOffset, mark.width);
        const double y = Placed(s.DatePosn, s.CalendarGridHeight, s.DateYOffset + s.TodayYOffset, mark.height);
        rect = {Round(cell.left + x), Round(cell.top + y), Round(cell.left + x + mark.width),
                Round(cell.top + y + mark.height)};
    });
    zarn::SkipOnError([&] {
        DrawMark(dc, set, s.TodayPictureWidth, s.TodayPictureHeight, s.TodayOriginalPicSizeW, s.TodayOriginalPicSizeH,
                 static_cast<long>(s.TodayMaskColor), todayMark_, rect);
    });
}
