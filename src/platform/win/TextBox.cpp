#include "platform/win/TextBox.h"

#include "platform/Report.h"
#include "platform/win/Gdi.h"
#include "platform/win/WindowClass.h"

namespace zarn {

Microsoft::WRL::ComPtr<IFont> NewStandardFont(const wchar_t* face, double points, bool bold, SHORT charset) {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(face);
    desc.cySize.int64 = static_cast<LONGLONG>(points * 10000.0 + 0.5);
    desc.sWeight = bold ? FW_BOLD : FW_NORMAL;
    desc.sCharset = charset;
    Microsoft::WRL::ComPtr<IFont> font;
    ThrowIfFailed(OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(font.GetAddressOf())));
    return font;
}

TextBox::TextBox(HWND parent, TextBoxListener& listener) : listener_(listener) {
    window_.reset(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
                                  100, 16, parent, nullptr, ThisModule(), nullptr));
    if (!window_)
        ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    Subclass();
    // The design-time font of the box: Arial, 9 points, and a box one
    // line of it high.
    SetFont(NewStandardFont(L"Arial", 9).Get());
    FitHeightToFont();
}

TextBox::~TextBox() {
    Unsubclass(Handle());
}

// The box's messages come to Proc first, through its window procedure: the
// edit control's own procedure is kept and called for what goes on to it.
// The box is found in the window's user data, which the edit control
// leaves to its owner.
void TextBox::Subclass() {
    SetWindowLongPtrW(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBox::Proc)));
    if (!editProc_)
        ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
}

// Gives the window back to the edit control's procedure, unless someone
// subclassed it after us (then Proc passes everything on from now).
void TextBox::Unsubclass(HWND window) {
    if (!window || !IsWindow(window) ||
        GetWindowLongPtrW(window, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(this))
        return;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TextBox::Proc))
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
}

LRESULT CALLBACK TextBox::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* box = reinterpret_cast<TextBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!box) // given back while a later subclass still calls us
        return CallWindowProcW(EditProc(), window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        const WNDPROC edit = box->editProc_;
        box->Unsubclass(window);
        return CallWindowProcW(edit, window, message, wparam, lparam);
    }
    const auto hold = box->listener_.KeepAlive();
    return box->OnMessage(message, wparam, lparam);
}

// The edit control's procedure, as every EDIT window of the process has it.
WNDPROC TextBox::EditProc() {
    static const WNDPROC proc = [] {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        GetClassInfoExW(nullptr, L"EDIT", &cls);
        return cls.lpfnWndProc;
    }();
    return proc;
}

LRESULT TextBox::CallEdit(UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProcW(editProc_, Handle(), message, wparam, lparam);
}

LRESULT TextBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        return OnKey(message, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocus(message, wparam, lparam);
    default:
        break;
    }
    if (IsButtonDown(message)) {
        AtMessageBoundary([&] {
            MouseEvent event = MouseEventOf(message, wparam, lparam);
            listener_.TextMouseDown(event);
        });
        // The owner's handler closed the control: the hidden box takes
        // neither the focus nor the capture.
        if (!IsWindowVisible(Handle()))
            return 0;
    }
    if (Refused(message))
        return 0;
    return CallEdit(message, wparam, lparam);
}

// Keys go to the owner first; a key or character it leaves at 0 never
// reaches the edit control.
LRESULT TextBox::OnKey(UINT message, WPARAM wparam, LPARAM lparam) {
    short code = static_cast<short>(wparam);
    AtMessageBoundary([&] {
        if (message == WM_CHAR) {
            listener_.TextKeyPress(code);
            return;
        }
        short shift = KeyShift();
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
            listener_.TextKeyDown(code, shift);
        else
            listener_.TextKeyUp(code, shift);
    });
    if (code == 0)
        return 0;
    if (message == WM_CHAR)
        wparam = static_cast<WPARAM>(static_cast<unsigned short>(code));
    return CallEdit(message, wparam, lparam);
}

// The edit control takes or gives up the caret first, then the owner hears
// of it. wparam is the window the focus came from or goes to.
LRESULT TextBox::OnFocus(UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = CallEdit(message, wparam, lparam);
    const auto other = reinterpret_cast<HWND>(wparam);
    const bool withinForm = other && GetAncestor(other, GA_ROOT) == GetAncestor(Handle(), GA_ROOT);
    AtMessageBoundary([&] {
        if (message == WM_SETFOCUS)
            listener_.TextGotFocus(withinForm);
        else
            listener_.TextLostFocus(withinForm);
    });
    return result;
}

bool TextBox::Refused(UINT message) const {
    if (!displayOnly_)
        return false;
    switch (message) {
    case WM_CONTEXTMENU:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    default:
        return false;
    }
}

void TextBox::FitHeightToFont() {
    HFONT font = nullptr;
    ThrowIfFailed(font_->get_hFont(&font));
    TEXTMETRICW tm{};
    {
        const gdi::WindowDC dc(Handle());
        const auto selected = gdi::Select(dc.get(), font);
        GetTextMetricsW(dc.get(), &tm);
    }
    SetWindowPos(Handle(), nullptr, 0, 0, 100, tm.tmHeight, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

std::wstring TextBox::Text() const {
    const int length = GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Handle(), text.data(), length + 1)));
    return text;
}

// Writing the text it already shows is no change: the box stays quiet.
void TextBox::SetText(const std::wstring& text) {
    if (text == Text())
        return;
    if (!SetWindowTextW(Handle(), text.c_str()))
        ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
}

void TextBox::SetMaxLength(long length) {
    if (length < 0)
        Raise(ErrInvalidProperty);
    SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(length), 0);
    maxLength_ = length;
}

bool TextBox::Enabled() const {
    return IsWindowEnabled(Handle()) != FALSE;
}
void TextBox::SetEnabled(bool enabled) {
    EnableWindow(Handle(), enabled);
}

bool TextBox::Locked() const {
    return (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY) != 0;
}
void TextBox::SetLocked(bool locked) {
    SendMessageW(Handle(), EM_SETREADONLY, locked, 0);
}

void TextBox::SetForeColor(OLE_COLOR colour) {
    foreColor_ = colour;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TextBox::SetBackColor(OLE_COLOR colour) {
    backColor_ = colour;
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool TextBox::RightToLeft() const {
    return (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

void TextBox::SetRightToLeft(bool rightToLeft) {
    const LONG style = GetWindowLongW(Handle(), GWL_EXSTYLE);
    const LONG flags = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    SetWindowLongW(Handle(), GWL_EXSTYLE, rightToLeft ? (style | flags) : (style & ~flags));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TextBox::SetFont(IFont* font) {
    if (!font)
        Raise(ErrInvalidProperty);
    CY size{};
    ThrowIfFailed(font->get_Size(&size));
    font_ = font;
    fontSize_ = static_cast<float>(size.int64 / 10000.0);
    ApplyFont();
}

void TextBox::SetFontSize(float points) {
    CY size;
    size.int64 = static_cast<LONGLONG>(points * 10000.0 + 0.5);
    ThrowIfFailed(font_->put_Size(size));
    fontSize_ = points;
    ApplyFont();
}

void TextBox::ApplyFont() {
    HFONT handle = nullptr;
    ThrowIfFailed(font_->get_hFont(&handle));
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

} // namespace zarn
