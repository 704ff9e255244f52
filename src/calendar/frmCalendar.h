#pragma once
// frmCalendar: the drop-down month calendar. A borderless top-level popup
// with no taskbar button, above the host's windows while it is open. All
// painting goes into a back image the size of the client area; WM_PAINT
// only copies it, so the window never shows a half-painted month.
//
// The control loads the form (Form_Load), places it, shows it and reads
// IsSelected and DropFrmDate once it has closed. Every setting comes from
// the thread's SharedSettings.
#include "calendar/CalendarLayout.h"
#include "calendar/FormInk.h"
#include "calendar/ResourceMark.h"
#include "draw/mDrawFns.h"
#include "platform/Variant.h"
#include "platform/win/Gdi.h"
#include "platform/win/Handles.h"

#include <array>
#include <memory>
#include <string>

struct SharedSettings;

// What mouse handling hit-tests: the number drawn in a day cell of the
// displayed month (0 for none) and the cell's rectangle.
struct DayCell {
    short Day = 0;
    float Left = 0, Right = 0, Top = 0, Bottom = 0;
};

// One record per day cell, index = CellRects index - 10; 0 to 41 are used.
extern thread_local std::array<DayCell, 54> DayCells;

class frmCalendar : public mDrawFns::Form {
public:
    frmCalendar() = default;
    ~frmCalendar();
    frmCalendar(const frmCalendar&) = delete;
    frmCalendar& operator=(const frmCalendar&) = delete;

    // What the control reads and writes.
    DATE CurrDate = 0;
    zarn::Variant DropFrmDate;
    bool IsSelected = false;
    zarn::Variant tmpDropFrmDate;
    frmCalendarLayout::CellRectTable CellRects{};

    // Life. Form_Load creates the (hidden) window and paints the first
    // month; a load that failed unloads the form when it is activated.
    void Form_Load();
    void Form_Activate();
    void Form_LostFocus();
    void Form_Unload();
    void Form_Terminate();
    // Unloads: Form_Unload, then the window goes.
    void Unload();
    // Places the form's top-left corner (screen pixels) and shows it.
    void Show(POINT topLeft);

    // Input. Mouse coordinates are client pixels and may lie outside the
    // form, which holds the capture; button and shift as the control's
    // events carry them.
    void Form_MouseMove(short button, short shift, float x, float y);
    void Form_MouseDown(short button, short shift, float x, float y);
    void Form_MouseUp(short button, short shift, float x, float y);
    void Form_KeyDown(short& keyCode, short shift);
    void Form_KeyUp(short& keyCode, short shift);
    // Keyboard moves give the date; mouse use gives the yyyymmdd text,
    // which is also handed back in DropFrmDate.
    void SetNewDate(std::wstring& text, DATE& date);
    // One month back (button 1 pressed) or on (button 2), the day clamped.
    void StepMonth();
    // The cursor lies inside CellRects[index], all edges included.
    bool IsMouseInRect(const short& index);

    void InitialRecShape();
    void ClsCalendar();
    void CleanupDayCells();
    bool IsActiveWindow();

    // Painting, in the order a load runs it.
    void DrawBkgnd();
    void DrawBtn();
    void DrawBtnEdge(const short& index, const short& state);
    void DrawBtnFocus();
    void DrawWeekLabel();
    void DrawWeekLine();
    void DrawCalendar();
    void DrawWeekNumber();
    void DrawGridLine();
    void Hilight();

    // Painting state that input changes: the day under the mouse (0 for
    // none), and the month button pressed (1, 2; -1 for none) with whether
    // the mouse is inside it.
    void SetHotDay(short day) { hotDay_ = day; }
    void SetPressedButton(short button, bool inside);

    // The day the mouse last hovered with HoverSelection on (0 for none).
    short HoverDay() const { return hoverDay_; }

    HWND hWnd() const { return window_.get(); }
    bool Loaded() const { return loaded_; }
    const frmCalendarInk::FormInk& Ink() const { return ink_; }

    // mDrawFns::Form: the back image and its size in pixels.
    HDC hDC() const override;
    double ScaleWidth() const override { return backSize_.cx; }
    double ScaleHeight() const override { return backSize_.cy; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void OnMouse(UINT message, WPARAM wparam, LPARAM lparam);
    void CreateFormWindow();
    void SetClientSize(int width, int height);
    void Refresh();
    void LoadSteps();
    void EtchedRule(long y);
    void DrawDayNumber(int cell, short number);
    void DrawCellLines(const RECT& cell, const SharedSettings& s, HBRUSH boxLine);
    void DrawDaysOfMonth(int lead, int daysInMonth, int todayDay, int firstDay, const SharedSettings& s);
    void Escape();
    void MoveByKey(short keyCode);
    void TrackHotDay(float x, float y);
    void Recapture();

    zarn::UniqueHwnd window_;
    std::unique_ptr<zarn::gdi::MemorySurface> back_;
    SIZE backSize_{};
    frmCalendarInk::FormInk ink_;
    frmCalendarMarks::ResourceMark todayMark_{L"TODAYBMP", 0xFFFFFF};
    frmCalendarMarks::ResourceMark weekSign_{L"WeekSignBMP", 0}; // black is transparent

    short formWidth_ = 0, formHeight_ = 0;
    long savedForeColor_ = frmCalendarInk::kButtonText;
    DATE firstOfMonth_ = 0;
    short yearShift_ = 0;
    bool loaded_ = false;
    bool keyMove_ = false;
    short hotDay_ = 0;
    short pressedButton_ = -1, prevFocusButton_ = -1;
    std::array<bool, 3> pressedInside_{};
    bool dayHit_ = false;
    // Mouse tracking: the day under the mouse as hovering records it, the
    // day last drawn hot, and whether the mouse is on a day cell (1) or
    // has left them (2).
    short hoverDay_ = 0;
    short lastHotDay_ = 0;
    short hoverState_ = 0;
    std::array<std::wstring, 8> headerLabels_; // 1..7
};
