// The calendar's gallery: one PNG per setting that changes its look, and a
// contact sheet of them all with a caption each, for a reviewer to judge in
// one look.
//   gallery OUTDIR        every picture and the sheet (run in en-GB)
//   gallery OUTDIR de-DE  only the German picture, which the other run
//                         then puts on the sheet
// Paths are Windows paths or relative to the working directory. Today is
// fixed at Saturday 5 December 2026; the calendar shows December 2026.
#include "QuietHost.h"
#include "Png.h"
#include "calendar/frmCalendar.h"
#include "control/Zarn.h"
#include "platform/Clock.h"
#include "settings/SharedSettings.h"

#include <olectl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using zarn::tools::QuietHost;

struct Picture {
    std::wstring name, caption;
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

using PictureRef = Microsoft::WRL::ComPtr<IPictureDisp>;

PictureRef AsPicture(PICTDESC desc, bool own) {
    desc.cbSizeofstruct = sizeof desc;
    PictureRef picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, own, reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

// A 10 x 10 tile: a gold diamond on magenta, the mask colour.
PictureRef DiamondPicture() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 10, -10, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            p[y * 10 + x] = std::abs(x - 4.5) + std::abs(y - 4.5) < 5 ? 0xFFC83C : 0xFF00FF;
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    return AsPicture(desc, true);
}

PictureRef IconPicture() {
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));
    return AsPicture(desc, false);
}

// The month as the calendar paints it with the settings a new control
// has (and a week column 30 wide, the week sign on), changed by `change`.
Picture Shoot(const wchar_t* name, const wchar_t* caption, const std::function<void(SharedSettings&)>& change,
              short hotDay = 0) {
    SharedSettings::ReleaseForThread();
    QuietHost host;
    Zarn control(host);
    control.InitProperties();
    control.PValue(zarn::Variant::FromText(L"20261218"));
    SharedSettings& s = SharedSettings::ForThread();
    s.WeekColumnWidth = 30;
    s.ShowWeekSignPicture = true;
    change(s);
    frmCalendar form;
    form.Form_Load();
    if (hotDay) {
        form.SetHotDay(hotDay);
        form.DrawCalendar();
    }
    Picture picture{name, caption, static_cast<int>(form.ScaleWidth()), static_cast<int>(form.ScaleHeight()), {}};
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HBITMAP image = static_cast<HBITMAP>(GetCurrentObject(form.hDC(), OBJ_BITMAP));
    GetDIBits(form.hDC(), image, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
    return picture;
}

std::vector<Picture> EveryLook() {
    const auto none = [](SharedSettings&) {};
    std::vector<Picture> all;
    all.push_back(Shoot(L"default", L"default: Sunday first, weeks, 18th selected, today 5th", none));
    const wchar_t* grids[] = {L"0 HVLineActiveMonth", L"1 HLineActiveMonth", L"2 VLineActiveMonth",
                              L"3 HVMonthLine",       L"4 HMonthLine",       L"5 VMonthLine",
                              L"6 NONE"};
    for (long g = 0; g <= 6; ++g)
        all.push_back(Shoot((L"grid-" + std::to_wstring(g)).c_str(), (L"GridLine " + std::wstring(grids[g])).c_str(),
                            [g](SharedSettings& s) { s.GridLine = g; }));
    const wchar_t* borders[] = {L"0 NONE",        L"1 Flat",        L"2 Raised Thin", L"3 Raised 3D",
                                L"4 Sunken Thin", L"5 Sunken 3D",   L"6 Etched",      L"7 Bump"};
    for (long b = 0; b <= 7; ++b)
        all.push_back(Shoot((L"border-" + std::to_wstring(b)).c_str(),
                            (L"CalendarBorderStyle " + std::wstring(borders[b])).c_str(), [b](SharedSettings& s) {
                                s.CalendarBorderStyle = b;
                                s.CalendarBdHighlightColour = 0xF0F0F0;
                                s.CalendarBdHighlightDKColour = 0xC0C0C0;
                                s.CalendarBdShadowColour = 0x808080;
                                s.CalendarBdShadowDKColour = 0x404040;
                                s.CalendarBdFlatBorderColour = 0xB06020;
                            }));
    const auto selected = [](long style, long mode, PictureRef picture) {
        return [=](SharedSettings& s) {
            s.CalendarSelectStyle = style;
            s.CalendarSelectPicDrawMode = mode;
            s.CalendarSelectePicture = picture;
            s.CalendarSelectePicMaskColor = 0xFF00FF;
            s.CalendarBackSelected = 0xFFE0B0;
        };
    };
    all.push_back(Shoot(L"select-standard", L"selection Standard (light blue)", selected(0, 0, nullptr)));
    all.push_back(Shoot(L"select-gradient-v", L"selection Gradient_V", selected(1, 0, nullptr)));
    all.push_back(Shoot(L"select-gradient-h", L"selection Gradient_H", selected(2, 0, nullptr)));
    all.push_back(Shoot(L"select-picture-stretched", L"selection picture stretched, magenta masked",
                        selected(3, 0, DiamondPicture())));
    all.push_back(Shoot(L"select-picture-tiled", L"selection picture tiled", selected(3, 1, DiamondPicture())));
    all.push_back(Shoot(L"select-icon", L"selection icon", selected(3, 0, IconPicture())));
    all.push_back(Shoot(L"weeks-off", L"ShowWeek off", [](SharedSettings& s) { s.ShowWeek = false; }));
    all.push_back(Shoot(L"monday-first", L"Monday first (Sunday red)",
                        [](SharedSettings& s) { s.CalendarFirstDayOfWeek = 2; }));
    all.push_back(Shoot(L"header-single-letter", L"header single letter",
                        [](SharedSettings& s) { s.CalendarDayHeaderFormat = 0; }));
    all.push_back(Shoot(L"today-selected", L"today selected (5th)",
                        [](SharedSettings& s) { s.PValue = zarn::Variant::FromText(L"20261205"); }));
    all.push_back(Shoot(L"other-month", L"November: no today mark",
                        [](SharedSettings& s) { s.PValue = zarn::Variant::FromText(L"20261118"); }));
    all.push_back(Shoot(L"hot-day", L"hot day 12 (HoverColor)", none, 12));
    all.push_back(Shoot(L"centred", L"DateAlign centre, DatePosn centre", [](SharedSettings& s) {
        s.DateAlign = 1;
        s.DatePosn = 1;
    }));
    all.push_back(Shoot(L"small-weeks", L"20 x 16 cells, week column 20", [](SharedSettings& s) {
        s.CalendarGridWidth = s.WeekColumnWidth = 20;
        s.CalendarGridHeight = 16;
    }));
    all.push_back(Shoot(L"small", L"20 x 16 cells, no weeks", [](SharedSettings& s) {
        s.CalendarGridWidth = 20;
        s.CalendarGridHeight = 16;
        s.ShowWeek = false;
    }));
    return all;
}

std::wstring PathOf(const std::wstring& dir, const std::wstring& name, const wchar_t* ext) {
    return dir + L"\\" + name + ext;
}

bool Save(const std::wstring& dir, const Picture& p) {
    return gallery::WritePng(PathOf(dir, p.name, L".png"), p.width, p.height, p.pixels);
}

// The German picture crosses from one run to the other as raw pixels.
bool SaveRaw(const std::wstring& path, const Picture& p) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    const int size[2] = {p.width, p.height};
    std::fwrite(size, sizeof size, 1, f);
    std::fwrite(p.pixels.data(), sizeof(std::uint32_t), p.pixels.size(), f);
    return std::fclose(f) == 0;
}

bool LoadRaw(const std::wstring& path, Picture& p) {
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return false;
    int size[2] = {};
    bool read = std::fread(size, sizeof size, 1, f) == 1 && size[0] > 0 && size[1] > 0 && size[0] < 4096 &&
                size[1] < 4096;
    if (read) {
        p.width = size[0];
        p.height = size[1];
        p.pixels.resize(static_cast<size_t>(p.width) * p.height);
        read = std::fread(p.pixels.data(), sizeof(std::uint32_t), p.pixels.size(), f) == p.pixels.size();
    }
    std::fclose(f);
    return read;
}

// All pictures side by side, six to a row, each captioned underneath.
Picture Sheet(const std::vector<Picture>& all) {
    constexpr int kColumns = 6, kCaption = 30, kGap = 12, kCellW = 254 + 2 * kGap, kCellH = 240 + kCaption + kGap;
    const int rows = static_cast<int>((all.size() + kColumns - 1) / kColumns);
    Picture sheet{L"contact-sheet", L"", kColumns * kCellW, rows * kCellH + kGap, {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), sheet.width, -sheet.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP image = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ oldImage = SelectObject(dc, image);
    PatBlt(dc, 0, 0, sheet.width, sheet.height, WHITENESS);
    const HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < all.size(); ++i) {
        const Picture& p = all[i];
        const int x = static_cast<int>(i % kColumns) * kCellW + kGap, y = static_cast<int>(i / kColumns) * kCellH + kGap;
        BITMAPINFO pi{};
        pi.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(dc, x, y, p.width, p.height, 0, 0, 0, p.height, p.pixels.data(), &pi, DIB_RGB_COLORS);
        RECT caption{x - kGap / 2, y + 240 + 2, x + 254 + kGap / 2, y + 240 + kCaption};
        const std::wstring text = p.name + L": " + p.caption;
        DrawTextW(dc, text.c_str(), -1, &caption, DT_CENTER | DT_WORDBREAK);
    }
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    sheet.pixels.assign(pixels, pixels + static_cast<size_t>(sheet.width) * sheet.height);
    DeleteObject(SelectObject(dc, oldFont));
    DeleteObject(SelectObject(dc, oldImage));
    DeleteDC(dc);
    return sheet;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery OUTDIR [de-DE]\n");
        return 2;
    }
    const std::wstring dir = argv[1];
    const std::wstring raw = PathOf(dir, L"locale-de-DE", L".raw");
    OleInitialize(nullptr);
    const SYSTEMTIME today{2026, 12, 6, 5, 12, 0, 0, 0};
    zarn::SetClock(zarn::ClockReading{today, today});
    int failures = 0;
    if (argc > 2) {
        const Picture german = Shoot(L"locale-de-DE", L"de-DE: locale title and header", [](SharedSettings&) {});
        failures += !Save(dir, german) + !SaveRaw(raw, german);
    } else {
        std::vector<Picture> all = EveryLook();
        Picture german{L"locale-de-DE", L"de-DE: locale title and header", 0, 0, {}};
        if (LoadRaw(raw, german))
            all.push_back(std::move(german));
        DeleteFileW(raw.c_str());
        for (const Picture& p : all)
            failures += !Save(dir, p);
        failures += !Save(dir, Sheet(all));
        std::printf("%zu pictures and the contact sheet written\n", all.size());
    }
    SharedSettings::ReleaseForThread();
    OleUninitialize();
    return failures == 0 ? 0 : 1;
}
