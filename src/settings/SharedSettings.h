#pragma once
// The record of value and calendar settings that every control of a thread,
// and the calendar it opens, share. One per thread; a new thread's record
// starts zeroed (numbers 0, Booleans False, texts and objects empty).
#include "platform/Variant.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

struct SharedSettings {
    template <class T> using Ref = Microsoft::WRL::ComPtr<T>;

    long CalendarSelectStyle = 0;
    long CalendarSelectPicDrawMode = 0;
    long CalendarFirstDayOfWeek = 0;
    long CalendarOption = 0;
    long CalendarDayHeaderFormat = 0;
    long CalendarBorderStyle = 0;
    long DateAlign = 0;
    long DatePosn = 0;
    long GridLine = 0;
    long TodayPictureSize = 0;
    Ref<IFontDisp> TodayFont;
    // The point size last given to TodayFont, and what the font object
    // answered right after: a font object may answer with the size it
    // realised on the screen (11 points come back as 11.25).
    struct GivenSize {
        CY given{};
        CY answered{};
        IFontDisp* font = nullptr;
    } TodayFontSizeGiven;
    Ref<IPictureDisp> CalendarSelectePicture;
    Ref<IPictureDisp> TodayPicture;
    Ref<IPictureDisp> WeekSignPicture;
    long WeekSignPictureSize = 0;
    bool HoverSelection = false;
    bool HotTracking = false;
    bool ShowWeek = false;
    bool ShowWeekSignPicture = false;
    long TodayPictureWidth = 0, TodayPictureHeight = 0;
    long TodayOriginalPicSizeW = 0, TodayOriginalPicSizeH = 0;
    long WeekSignPictureWidth = 0, WeekSignPictureHeight = 0;
    long WeekSignPictureOriginalPicSizeW = 0, WeekSignPictureOriginalPicSizeH = 0;
    long WeekColumnWidth = 0;
    OLE_COLOR TodayForeColor = 0, CalendarSelectePicMaskColor = 0, TodayMaskColor = 0;
    OLE_COLOR CalendarBackNormal = 0, CalendarBackSelected = 0, CalendarBackSelectedG1 = 0,
              CalendarBackSelectedG2 = 0;
    OLE_COLOR HoverColor = 0, GridLineColor = 0;
    OLE_COLOR CalendarBdHighlightColour = 0, CalendarBdHighlightDKColour = 0, CalendarBdShadowColour = 0,
              CalendarBdShadowDKColour = 0, CalendarBdFlatBorderColour = 0;
    OLE_COLOR WeekSignPicMaskColor = 0;
    long DateXOffset = 0, DateYOffset = 0, TodayXOffset = 0, TodayYOffset = 0;
    long CalendarGridWidth = 0, CalendarGridHeight = 0;
    long WeekSignPicXOffset = 0, WeekSignPicYOffset = 0;
    long MaxDate = 0, MinDate = 0;
    long TextViewFormat = 0, TextViewType = 0;
    OLE_COLOR CalendarBackSelectedRGB = 0;
    zarn::Variant PValue;

    // The calling thread's record, created on first use.
    static SharedSettings& ForThread();
    // Drops the calling thread's record (thread detach, or a test that
    // wants a fresh thread state).
    static void ReleaseForThread();
};
