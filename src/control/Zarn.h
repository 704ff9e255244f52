#pragma once
// The date-picker control object: its per-instance settings, the settings it
// shares with the other controls of its thread, and its text box `Text1`.
// Hosts reach it through the COM object in activex/; it reaches the host
// only through zarn::ControlHost.
#include "control/Face.h"
#include "settings/SharedSettings.h"
#include "control/ZarnEvents.h"
#include "control/ControlHost.h"
#include "control/PropertyBag.h"
#include "platform/Variant.h"
#include "platform/win/Surface.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <memory>
#include <string>

class frmCalendar;
class TextDragDrop;
struct TextDragDropDeleter {
    void operator()(TextDragDrop* dragDrop) const;
};
namespace zarn {
class QuitRepost;
}

class Zarn : private zarn::SurfaceListener {
public:
    template <class T> using Ref = Microsoft::WRL::ComPtr<T>;

    explicit Zarn(zarn::ControlHost& host);
    ~Zarn();
    Zarn(const Zarn&) = delete;
    Zarn& operator=(const Zarn&) = delete;

    zarn::Surface& UserControl() { return surface_; }
    zarn::TextBox& Text1() { return surface_.Text1(); }
    const zarn::TextBox& Text1() const { return surface_.Text1(); }

    // A control placed anew takes its initial settings; a saved one is
    // loaded from, and saved into, the host's property bag.
    void InitProperties();
    void ReadProperties(zarn::PropertyBag& bag);
    void WriteProperties(zarn::PropertyBag& bag);

    // The face in a state (normal 0, hot 1, pressed 2), drawn on the
    // surface at once; a disabled control is always drawn normal.
    void DrawControl(long statusType);
    // Draws the face again: pressed while the pointer is inside, else normal.
    void RefreshControl();
    // The hover check the surface runs on each mouse move.
    void UserControl_MouseOut(short& button, short& shift, float& x, float& y);
    // Opens the drop-down calendar for any value but 0.
    void PiloCalendarshow(short& show);
    // Starts an OLE drag from the text box and returns when it has ended.
    void OLEDrag();

    // The face and the text box's text, for a container that draws the
    // control itself.
    void DrawForContainer(HDC dc, const RECT& bounds);

    // Value and behaviour.
    zarn::Variant PValue() const;
    void PValue(const zarn::Variant& value);
    long MaxDate() const;
    void MaxDate(long value);
    long MinDate() const;
    void MinDate(long value);
    bool AllowNull() const { return allowNull_; }
    void AllowNull(bool value);
    std::wstring Seperator() const { return seperator_; }
    void Seperator(const std::wstring& value);
    std::wstring PlaceHolder() const { return placeHolder_; }
    void PlaceHolder(const std::wstring& value);
    long TextViewType() const;
    void TextViewType(long value);
    long TextViewFormat() const;
    void TextViewFormat(long value);
    short TextMaxLength() const { return textMaxLength_; }
    void TextMaxLength(short value);
    bool Text_Enabled() const;
    void Text_Enabled(bool value);
    bool Text_Locked() const;
    void Text_Locked(bool value);
    bool Enabled() const { return enabled_; }
    void Enabled(bool value);
    bool DropListEnabled() const { return dropListEnabled_; }
    void DropListEnabled(bool value);
    long SelectControl() const { return selectControl_; }
    void SelectControl(long value);
    long CalendarOption() const;
    void CalendarOption(long value);
    long CalendarFirstDayOfWeek() const;
    void CalendarFirstDayOfWeek(long value);
    bool DateIsNull(const std::wstring& dateIn) const { return dateIn.empty(); }
    // Whether a picked date lies within MinDate..MaxDate, both included.
    // The control's own test, not offered to hosts.
    bool ChkDateInRange(const long& dateValue) const;

    // Face of the control.
    bool ShowIcon() const { return showIcon_; }
    void ShowIcon(bool value);
    Ref<IPictureDisp> Icon() const { return icon_; }
    void Icon(IPictureDisp* value);
    long IconSizeWidth() const { return iconSizeWidth_; }
    void IconSizeWidth(long value);
    long IconSizeHeight() const { return iconSizeHeight_; }
    void IconSizeHeight(long value);
    OLE_COLOR BorderColor() const { return borderColor_; }
    void BorderColor(OLE_COLOR value);
    OLE_COLOR BgColor() const { return bgColor_; }
    void BgColor(OLE_COLOR value);
    OLE_COLOR ButtonBgColor() const { return buttonBgColor_; }
    void ButtonBgColor(OLE_COLOR value);
    OLE_COLOR FocusColor() const { return focusColor_; }
    void FocusColor(OLE_COLOR value);
    OLE_COLOR TextFocusCol() const { return textFocusCol_; }
    void TextFocusCol(OLE_COLOR value);

    // Forwarded to Text1.
    Ref<IFontDisp> Font() const;
    void Font(IFontDisp* value);
    bool FontBold() const;
    void FontBold(bool value);
    bool FontItalic() const;
    void FontItalic(bool value);
    std::wstring FontName() const;
    void FontName(const std::wstring& value);
    long FontSize() const;
    void FontSize(long value);
    bool FontStrikethru() const;
    void FontStrikethru(bool value);
    bool FontUnderline() const;
    void FontUnderline(bool value);

    // The thread's today font (created on first use) and its attributes.
    Ref<IFontDisp> TodayFont() const;
    void TodayFont(IFontDisp* value);
    bool TodayFontBold() const;
    bool TodayFontItalic() const;
    std::wstring TodayFontName() const;
    long TodayFontSize() const;
    bool TodayFontStrikethrough() const;

    // Calendar settings that need more than a store.
    void CalendarBackSelected(OLE_COLOR value);
    OLE_COLOR CalendarBackSelected() const;
    short CalendarGridWidth() const;
    void CalendarGridWidth(short value);
    short CalendarGridHeight() const;
    void CalendarGridHeight(short value);
    Ref<IPictureDisp> CalendarSelectePicture() const { return Shared().CalendarSelectePicture; }
    void CalendarSelectePicture(IPictureDisp* value) {
        Shared().CalendarSelectePicture = value;
        Changed(L"CalendarSelectePicture");
    }
    Ref<IPictureDisp> TodayPicture() const;
    void TodayPicture(IPictureDisp* value);
    long TodayPictureSize() const;
    void TodayPictureSize(long value);
    Ref<IPictureDisp> WeekSignPicture() const;
    void WeekSignPicture(IPictureDisp* value);
    long WeekSignPictureSize() const;
    void WeekSignPictureSize(long value);

    // Calendar settings that the setter stores as given, under their key.
#define ZARN_STORED(Type, Name, Key)                                                                         \
    Type Name() const {                                                                                      \
        return Shared().Name;                                                                                \
    }                                                                                                        \
    void Name(Type value) {                                                                                  \
        Shared().Name = value;                                                                               \
        Changed(Key);                                                                                        \
    }
    ZARN_STORED(long, CalendarSelectStyle, L"CalendarSelectStyle")
    ZARN_STORED(long, CalendarSelectPicDrawMode, L"CalendarSelectPicDrawMode")
    ZARN_STORED(OLE_COLOR, CalendarSelectePicMaskColor, L"CalendarSelectePicMaskColor")
    ZARN_STORED(OLE_COLOR, CalendarBackNormal, L"CalendarBackNormal")
    ZARN_STORED(OLE_COLOR, CalendarBackSelectedG1, L"CalendarBackSelectedG1")
    ZARN_STORED(OLE_COLOR, CalendarBackSelectedG2, L"CalendarBackSelectedG2")
    ZARN_STORED(long, CalendarDayHeaderFormat, L"CalendarDayHeaderFormat")
    ZARN_STORED(bool, HoverSelection, L"HoverSelection")
    ZARN_STORED(bool, HotTracking, L"HotTracking")
    ZARN_STORED(OLE_COLOR, HoverColor, L"HoverColor")
    ZARN_STORED(long, CalendarBorderStyle, L"CalendarBorderStyle")
    ZARN_STORED(OLE_COLOR, TodayForeColor, L"TodayForeColor")
    ZARN_STORED(OLE_COLOR, TodayMaskColor, L"TodayMaskColor")
    ZARN_STORED(long, TodayPictureWidth, L"TodayPictureWidth")
    ZARN_STORED(long, TodayPictureHeight, L"TodayPictureHeight")
    ZARN_STORED(long, WeekColumnWidth, L"WeekColumnWidth")
    ZARN_STORED(bool, ShowWeek, L"ShowWeek")
    ZARN_STORED(bool, ShowWeekSignPicture, L"ShowWeekSignPicture")
    ZARN_STORED(OLE_COLOR, WeekSignPicMaskColor, L"WeekSignPicMaskColor")
    ZARN_STORED(long, WeekSignPictureWidth, L"WeekSignPictureWidth")
    ZARN_STORED(long, WeekSignPictureHeight, L"WeekSignPictureHeight")
    ZARN_STORED(long, WeekSignPicXOffset, L"WeekSignPicXOffset")
    ZARN_STORED(long, WeekSignPicYOffset, L"WeekSignPicYOffset")
    ZARN_STORED(long, DateAlign, L"DateAlign")
    ZARN_STORED(long, DatePosn, L"DatePosn")
    ZARN_STORED(long, DateXOffset, L"DateXOffset")
    ZARN_STORED(long, DateYOffset, L"DateYOffset")
    ZARN_STORED(long, TodayXOffset, L"TodayXOffset")
    ZARN_STORED(long, TodayYOffset, L"TodayYOffset")
    ZARN_STORED(OLE_COLOR, GridLineColor, L"GridLineColor")
    ZARN_STORED(long, GridLine, L"Gridline")
    ZARN_STORED(OLE_COLOR, CalendarBdHighlightColour, L"CalendarBdHighlightColour")
    ZARN_STORED(OLE_COLOR, CalendarBdHighlightDKColour, L"CalendarBdHighlightDKColour")
    ZARN_STORED(OLE_COLOR, CalendarBdShadowColour, L"CalendarBdShadowColour")
    ZARN_STORED(OLE_COLOR, CalendarBdShadowDKColour, L"CalendarBdShadowDKColour")
    ZARN_STORED(OLE_COLOR, CalendarBdFlatBorderColour, L"CalendarBdFlatBorderColour")
#undef ZARN_STORED

    // Text1's drag and drop modes, mouse pointer and icon, reading order.
    long OLEDragMode() const;
    void OLEDragMode(long value);
    long OLEDropMode() const;
    void OLEDropMode(long value);
    long mousePointer() const;
    void mousePointer(long value);
    Ref<IPictureDisp> MouseIcon() const;
    void MouseIcon(IPictureDisp* value);
    bool RightToLeft() const;
    void RightToLeft(bool value);

private:
    // What the surface reports.
    Ref<IUnknown> KeepAlive() override {
        return host_.KeepAlive();
    }
    void Paint(HDC dc) override;
    void Resized() override;
    void MouseMove(zarn::MouseEvent& e) override;
    void MouseDown(zarn::MouseEvent& e) override;
    void MouseUp(zarn::MouseEvent& e) override;
    void KeyDown(short& keyCode, short& shift) override;
    void KeyPress(short& keyAscii) override;
    void KeyUp(short& keyCode, short& shift) override;
    void GotFocus() override;
    void LostFocus() override;
    void LayOut();
    zarn::face::Look FaceLook() const;
    // While one lives, the control's draws share one DC of the surface: the
    // first draw takes it, the outermost chain gives it back.
    class DrawChain {
    public:
        explicit DrawChain(Zarn& control) : control_(control) { ++control_.drawChains_; }
        ~DrawChain();
        DrawChain(const DrawChain&) = delete;
        DrawChain& operator=(const DrawChain&) = delete;

    private:
        Zarn& control_;
    };
    HDC ChainDC();
    void HoverCheck(short& button, short& shift, float& x, float& y);

    // What the text box reports.
    void TextChanged() override;
    void TextGotFocus(bool withinForm) override;
    void TextLostFocus(bool withinForm) override;
    void TextKeyDown(short& keyCode, short& shift) override;
    void TextKeyPress(short& keyAscii) override;
    void TextKeyUp(short& keyCode, short& shift) override;
    void TextMouseDown(zarn::MouseEvent& e) override;
    void ShowValueOnFocus();
    void GotFocusShowsValue();
    void LoseTextFocus();

    // The drop-down's steps.
    void DropDown(zarn::QuitRepost& quit);
    void TakeBack(const frmCalendar& form, const zarn::Variant& saved);
    void ReturnFocus();

    // Persistence steps.
    struct FontDefaults;
    FontDefaults AmbientFontDefaults();
    void ReadFace(zarn::PropertyBag& bag);
    void ReadTextBox(zarn::PropertyBag& bag, const FontDefaults& font);
    void ReadCalendar(zarn::PropertyBag& bag);
    void ReadTodayFont(zarn::PropertyBag& bag);
    void ReadPictures(zarn::PropertyBag& bag);
    void FinishLoad(zarn::PropertyBag& bag);
    void WriteValueAndFace(zarn::PropertyBag& bag, const FontDefaults& font);
    void WriteCalendar(zarn::PropertyBag& bag);

    static SharedSettings& Shared() {
        return SharedSettings::ForThread();
    }
    void Changed(std::wstring_view key) {
        host_.PropertyChanged(key);
    }
    bool UserMode() const {
        return host_.UserMode();
    }
    void Redraw();
    void StorePValue(const zarn::Variant& given);
    void ShowValue();
    // The stored value equals the empty text, as Empty does too.
    static bool ValueIsEmptyText();
    Ref<IFont> TodayFontObject() const;
    void GiveTodayFontSize(CY size);
    CY KeptTodayFontSize() const;
    void ChangeTextFont(std::wstring_view key, auto&& change);
    POINT NaturalSize(IPictureDisp* picture);
    static void SizeByMode(long mode, long& width, long& height, long naturalW, long naturalH,
                           bool hasPicture);

    zarn::ControlHost& host_;
    ZarnEvents events_;

    short textMaxLength_ = 0;
    OLE_COLOR borderColor_ = 0x808080;
    OLE_COLOR bgColor_ = 0xFFFFFF;
    OLE_COLOR buttonBgColor_ = 0xFFFFFF;
    OLE_COLOR focusColor_ = 0x808080;
    OLE_COLOR textFocusCol_ = 0xE0E0E0;
    bool dropListEnabled_ = true;
    bool enabled_ = true;
    Ref<IPictureDisp> icon_;
    bool showIcon_ = true;
    long iconSizeWidth_ = 16;
    long iconSizeHeight_ = 16;
    long selectControl_ = 0;
    std::wstring seperator_ = L"/";
    std::wstring placeHolder_ = L"_";
    bool allowNull_ = true;

    // Face and pointer state.
    RECT buttonRect_{};
    bool buttonPressed_ = false;
    bool pointerInside_ = false;
    bool hasFocus_ = false;
    long faceState_ = zarn::face::Normal; // what a repaint shows
    unsigned long draws_ = 0;             // face draws so far, to see whether one came between
    mutable zarn::face::IconCache iconCache_;
    int drawChains_ = 0;
    HDC chainDC_ = nullptr;

    // Last: its windows may call back into the fields above.
    zarn::Surface surface_;
    // After the surface: it lets go of the text box before the box goes.
    std::unique_ptr<TextDragDrop, TextDragDropDeleter> dragDrop_;
};
