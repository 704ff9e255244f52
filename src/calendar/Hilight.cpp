// The special cells of the month, drawn under the day numbers: the
// selected day's background, the week sign beside its row and the today
// picture. From the background on a failing step is skipped and the next
// one runs.
#include "calendar/FormTrap.h"
#include "calendar/MonthDates.h"
#include "calendar/frmCalendar.h"
#include "date/FnsDate.h"
#include "platform/win/WindowClass.h"
#include "settings/SharedSettings.h"

#include <cmath>
#include <cstdio>

using namespace frmCalendarLayout;

namespace {

using PictureRef = Microsoft::WRL::ComPtr<IPictureDisp>;

// Halves to even, as every placement here rounds.
long Round(double x) {
    return static_cast<long>(std::nearbyint(x));
}

// A picture's type and its size in the form's pixels, unrounded.
struct PictureSize {
    short type = 0;
    double width = 0, height = 0;
};

PictureSize SizeOf(IPictureDisp* picture, HDC dc) {
    if (!picture)
        zarn::Raise(zarn::ErrObjectNotSet);
    Microsoft::WRL::ComPtr<IPicture> pic;
    zarn::ThrowIfFailed(picture->QueryInterface(IID_PPV_ARGS(&pic)));
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    SHORT type = 0;
    zarn::ThrowIfFailed(pic->get_Type(&type));
    zarn::ThrowIfFailed(pic->get_Width(&width));
    zarn::ThrowIfFailed(pic->get_Height(&height));
    // HIMETRIC is hundredths of a millimetre: 2540 to the inch.
    return {type, width * GetDeviceCaps(dc, LOGPIXELSX) / 2540.0, height * GetDeviceCaps(dc, LOGPIXELSY) / 2540.0};
}

// One of the module's own bitmaps as a picture that owns it; none when it
// cannot be loaded.
PictureRef ResourcePicture(const wchar_t* name) {
    const auto bitmap = static_cast<HBITMAP>(LoadImageW(zarn::ThisModule(), name, IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
        return nullptr;
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    PictureRef picture;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                        reinterpret_cast<void**>(picture.GetAddressOf())))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return picture;
}

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

// A set picture at its set size, or the module's bitmap at its own size.
struct Mark {
    PictureRef resource;
    double width = 0, height = 0;
};

Mark MarkOf(IPictureDisp* set, long setWidth, long setHeight, const wchar_t* resourceName, HDC dc) {
    if (set)
        return {nullptr, static_cast<double>(setWidth), static_cast<double>(setHeight)};
    Mark mark{ResourcePicture(resourceName)};
    const PictureSize size = SizeOf(mark.resource.Get(), dc);
    mark.width = size.width;
    mark.height = size.height;
    return mark;
}

// Draws a set picture (bitmap or icon), or the resource bitmap at its own
// size with its transparent colour.
void DrawMark(HDC dc, IPictureDisp* set, long setWidth, long setHeight, long originalWidth, long originalHeight,
              long setMask, const Mark& mark, const RECT& rect, long resourceMask) {
    const short stretched = mDrawFns::Stretched;
    if (!set) {
        const long w = Round(mark.width), h = Round(mark.height);
        mDrawFns::DrawBitmap(dc, mark.resource.Get(), w, h, w, h, rect, stretched, resourceMask);
    } else if (SizeOf(set, dc).type == PICTYPE_BITMAP) {
        mDrawFns::DrawBitmap(dc, set, setWidth, setHeight, originalWidth, originalHeight, rect, stretched, setMask);
    } else {
        mDrawFns::DrawPIcon(dc, set, rect);
    }
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
        Mark mark;
        RECT rect{};
        zarn::SkipOnError([&] {
            mark = MarkOf(set, s.WeekSignPictureWidth, s.WeekSignPictureHeight, L"WeekSignBMP", dc);
            const RECT& week = CellRects[kFirstWeek + ps / 7];
            const double y = Placed(s.DatePosn, s.CalendarGridHeight, s.WeekSignPicYOffset + s.DateYOffset,
                                    mark.height);
            // The offset moves the left edge only when positive, the right always.
            rect = {s.WeekSignPicXOffset > 0 ? week.left + s.WeekSignPicXOffset : week.left, Round(week.top + y),
                    Round(week.left + s.WeekSignPicXOffset + mark.width), Round(week.top + y + mark.height)};
        });
        zarn::SkipOnError([&] {
            DrawMark(dc, set, s.WeekSignPictureWidth, s.WeekSignPictureHeight, s.WeekSignPictureOriginalPicSizeW,
                     s.WeekSignPictureOriginalPicSizeH, static_cast<long>(s.WeekSignPicMaskColor), mark, rect, 0);
        });
    }

    const SYSTEMTIME shown = frmCalendarDates::PartsOf(CurrDate);
    const DATE today = FnsDate::RetNowAsTypeDate();
    const SYSTEMTIME now = frmCalendarDates::PartsOf(today);
    if (shown.wYear != now.wYear || shown.wMonth != now.wMonth)
        return;
    IPictureDisp* set = s.TodayPicture.Get();
    Mark mark;
    RECT rect{};
    zarn::SkipOnError([&] {
        mark = MarkOf(set, s.TodayPictureWidth, s.TodayPictureHeight, L"TODAYBMP", dc);
        const RECT& cell = CellRects[kFirstDay + frmCalendarDates::GridPosition(today, firstDay)];
        const double x = Placed(s.DateAlign, s.CalendarGridWidth, s.DateXOffset + s.TodayXOffset, mark.width);
        const double y = Placed(s.DatePosn, s.CalendarGridHeight, s.DateYOffset + s.TodayYOffset, mark.height);
        rect = {Round(cell.left + x), Round(cell.top + y), Round(cell.left + x + mark.width),
                Round(cell.top + y + mark.height)};
    });
    zarn::SkipOnError([&] {
        DrawMark(dc, set, s.TodayPictureWidth, s.TodayPictureHeight, s.TodayOriginalPicSizeW, s.TodayOriginalPicSizeH,
                 static_cast<long>(s.TodayMaskColor), mark, rect, 0xFFFFFF);
    });
}
