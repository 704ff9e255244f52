#pragma once
// `Text1`: the single-line text box child of the control surface, a real
// EDIT window, with the settings a host's text box keeps for itself.
#include "platform/win/Handles.h"
#include "platform/win/Input.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

namespace zarn {

// What the text box tells its owner. Key codes and characters go by
// reference: the box goes on with what the owner leaves in them, and 0
// means the key or character is consumed.
class TextBoxListener {
public:
    virtual ~TextBoxListener() = default;
    // Held while a message is handled: a handler the owner calls may let go
    // of every other reference to it, and the window procedure goes on.
    virtual Microsoft::WRL::ComPtr<IUnknown> KeepAlive() = 0;
    virtual void TextChanged() = 0;
    // withinForm: the focus came from, or went to, another window of the
    // same form. Focus that goes to another application, a message box or
    // a dialog and comes back is the form's business, not a move of its own.
    virtual void TextGotFocus(bool withinForm) = 0;
    virtual void TextLostFocus(bool withinForm) = 0;
    virtual void TextKeyDown(short& keyCode, short& shift) = 0;
    virtual void TextKeyPress(short& keyAscii) = 0;
    virtual void TextKeyUp(short& keyCode, short& shift) = 0;
    virtual void TextMouseDown(MouseEvent& event) = 0;
};

class TextBox {
public:
    TextBox(HWND parent, TextBoxListener& listener);
    ~TextBox();
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    HWND Handle() const { return window_.get(); }

    std::wstring Text() const;
    void SetText(const std::wstring& text);

    // 0 means no limit of our own, as the host's text box has it.
    long MaxLength() const { return maxLength_; }
    void SetMaxLength(long length);

    bool Enabled() const;
    void SetEnabled(bool enabled);

    bool Locked() const;
    void SetLocked(bool locked);

    // The font object; changes made to it show after ApplyFont().
    IFont* Font() const { return font_.Get(); }
    void SetFont(IFont* font);
    void ApplyFont();

    // The point size as the box keeps it, single precision. Kept here
    // because a realized font object may report its size rounded to what
    // the device can show.
    float FontSize() const { return fontSize_; }
    void SetFontSize(float points);

    // Kept for the box's drag and drop and its mouse cursor.
    short DragMode() const { return dragMode_; }
    void SetDragMode(short mode) { dragMode_ = mode; }
    short DropMode() const { return dropMode_; }
    void SetDropMode(short mode) { dropMode_ = mode; }
    short MousePointer() const { return mousePointer_; }
    void SetMousePointer(short pointer) { mousePointer_ = pointer; }
    IPictureDisp* MouseIcon() const { return mouseIcon_.Get(); }
    void SetMouseIcon(IPictureDisp* icon) { mouseIcon_ = icon; }

    // Colours of the text and of the box, as stored colour values; the
    // surface paints the box with them.
    OLE_COLOR ForeColor() const { return foreColor_; }
    void SetForeColor(OLE_COLOR colour);
    OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(OLE_COLOR colour);

    bool RightToLeft() const;
    void SetRightToLeft(bool rightToLeft);

    // A display-only box offers no context menu and ignores cut, paste,
    // clear and undo, whoever asks for them.
    void SetDisplayOnly(bool displayOnly) { displayOnly_ = displayOnly; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static WNDPROC EditProc();
    void Subclass();
    void Unsubclass(HWND window);
    LRESULT CallEdit(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnKey(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnFocus(UINT message, WPARAM wparam, LPARAM lparam);
    bool Refused(UINT message) const;
    void FitHeightToFont();

    TextBoxListener& listener_;
    UniqueHwnd window_;
    WNDPROC editProc_ = nullptr;
    bool displayOnly_ = false;
    Microsoft::WRL::ComPtr<IPictureDisp> mouseIcon_;
    short dragMode_ = 0;
    short dropMode_ = 0;
    short mousePointer_ = 0;
    Microsoft::WRL::ComPtr<IFont> font_;
    long maxLength_ = 0;
    float fontSize_ = 0;
    OLE_COLOR foreColor_ = 0x80000008; // the system's window text colour
    OLE_COLOR backColor_ = 0x80000005; // the system's window colour
};

// A new standard font object with the given face and point size.
Microsoft::WRL::ComPtr<IFont> NewStandardFont(const wchar_t* face, double points, bool bold = false,
                                              SHORT charset = DEFAULT_CHARSET);

} // namespace zarn
